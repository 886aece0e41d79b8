#pragma once
// A row of the graph window's table: the period, its total and the balance at its end. The
// opening-balance row ("REPORT") shows its date in italics. Each is a figure, shown whole: the row
// keeps room for the widest period and the largest amount, and the name of no column gives way.
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
    // Keeps room for each of the periods, upright or italic, and for the largest amount in both
    // amount columns; the width the row then needs at the least.
    int makeRoom(const QStringList& periods, const QString& largestAmount);

private:
    QLabel* m_date;
    QLabel* m_montant;
    QLabel* m_solde;
};
