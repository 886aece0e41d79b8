#pragma once
// The row view of the analysis and budget tables: a coloured box behind each of the eight
// columns, the name and the seven figures, a disclosure button on the month lines of the
// synthesis view and, in the budget's category rows, a pop-up. One instance per row kind is
// filled for each row and painted in its place.
#include "toolkit/tables/StdCell.h"

#include <QLabel>
#include <QToolButton>

class CellAnalyseBudget : public StdCell {
    Q_OBJECT
public:
    // identifier: "ANALYSE_DOSSIER", "ANALYSE_POSTE" or "ANALYSE_GLOBAL" (the month lines,
    // which alone have the disclosure button).
    explicit CellAnalyseBudget(const QString& identifier, QWidget* parent = nullptr);

    QString identifier() const { return m_identifier; }
    QLabel* getNom() const { return m_nom; }
    // 1..6 the figures, in column order.
    QLabel* getCellData(int i) const { return m_data[i - 1]; }
    QLabel* getCellDataSolde() const { return m_solde; }
    StdBox* boxTitle() const { return m_boxes[0]; }
    StdBox* boxDepenses(int i) const { return m_boxes[i]; }
    StdBox* boxRecettes(int i) const { return m_boxes[3 + i]; }
    StdBox* boxSolde() const { return m_boxes[7]; }
    // Null outside the month lines.
    QToolButton* buttonOpen() const { return m_buttonOpen; }
    // The category row's menu of the budget window; null in every other row view.
    virtual QToolButton* popup_poste() const { return nullptr; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QString m_identifier;
    StdBox* m_boxes[8];
    QLabel* m_nom;
    QLabel* m_data[6];
    QLabel* m_solde;
    QToolButton* m_buttonOpen = nullptr;
};
