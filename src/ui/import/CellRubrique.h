#pragma once
// A row of the import review: one field of the record shown, its role and its value.
#include "toolkit/tables/StdCell.h"

#include <QLabel>

class CellRubrique : public StdCell {
    Q_OBJECT
public:
    static constexpr int kHeight = 22;

    explicit CellRubrique(QWidget* parent = nullptr);

    QLabel* getFieldRubrique() const { return field_rubrique; }
    QLabel* getFieldValeur() const { return field_valeur; }

    void fill(const QString& rubrique, const QString& valeur);

private:
    QLabel* field_rubrique;
    QLabel* field_valeur;
};
