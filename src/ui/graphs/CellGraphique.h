#pragma once
// A row of the graph window's table: the period, its total and the balance at its end. The
// opening-balance row ("REPORT") shows its date in italics.
#include "toolkit/tables/StdCell.h"

#include <QLabel>

class CellGraphique : public StdCell {
    Q_OBJECT
public:
    static constexpr int kHeight = 20;
    static constexpr int kWidth = 420;

    explicit CellGraphique(QWidget* parent = nullptr);

    QLabel* date() const { return m_date; }
    QLabel* montant() const { return m_montant; }
    QLabel* solde() const { return m_solde; }

    void fill(const QString& date, const QString& montant, const QString& solde, bool report);

private:
    QLabel* m_date;
    QLabel* m_montant;
    QLabel* m_solde;
};
