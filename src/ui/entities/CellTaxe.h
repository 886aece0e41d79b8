#pragma once
// The row of one tax in the taxes window: its name and its rate, "19.60 %".
#include "toolkit/tables/StdCell.h"

#include <QLabel>

class CellTaxe : public StdCell {
    Q_OBJECT
public:
    static constexpr int kHeight = 26;

    explicit CellTaxe(QWidget* parent = nullptr);

    QLabel* getNom() const { return nom; }
    QLabel* getTaux() const { return taux; }

    void fill(const QString& name, double rate);
    static QString tauxText(double rate);

private:
    QLabel* nom;
    QLabel* taux;
};
