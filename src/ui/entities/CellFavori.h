#pragma once
// The row of one favourite in the favourites window: its name.
#include "toolkit/tables/StdCell.h"

#include <QLabel>

class CellFavori : public StdCell {
    Q_OBJECT
public:
    static constexpr int kHeight = 26;

    explicit CellFavori(QWidget* parent = nullptr);

    QLabel* getNom() const { return nom; }
    void fill(const QString& name) { nom->setText(name); }

private:
    QLabel* nom;
};
