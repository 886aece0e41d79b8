#pragma once
// The row template of the details palette: a header line (a schedule's or a forecast's name and
// budget shift, or the unplanned transactions' title) or an item (its date and its debit and
// credit amounts). The palette fills the fields a row kind uses; clear() empties the others.
#include "toolkit/tables/StdCell.h"

#include <QLabel>

class CellMetadata : public StdCell {
    Q_OBJECT
public:
    explicit CellMetadata(QWidget* parent = nullptr);

    QLabel* fieldNom() const { return m_fieldNom; }
    QLabel* fieldDebit() const { return m_fieldDebit; }
    QLabel* fieldCredit() const { return m_fieldCredit; }
    QLabel* fieldBudgetShift() const { return m_fieldBudgetShift; }
    QLabel* fieldBudgetShiftRelatif() const { return m_fieldBudgetShiftRelatif; }
    QLabel* fieldDate() const { return m_fieldDate; }

    // Empties every field, and sets the header look (bold name over the shift) or the item look.
    void clear(bool header);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void layOutFields();

    QLabel* m_fieldNom;
    QLabel* m_fieldDebit;
    QLabel* m_fieldCredit;
    QLabel* m_fieldBudgetShift;
    QLabel* m_fieldBudgetShiftRelatif;
    QLabel* m_fieldDate;
    bool m_header = false;
};
