#pragma once
// The row of one letter template: its name.
#include "toolkit/tables/StdCell.h"

#include <QLabel>

class CellLettre : public StdCell {
    Q_OBJECT
public:
    static constexpr int kHeight = 26;

    explicit CellLettre(QWidget* parent = nullptr);

    QLabel* getNom() const { return nom; }
    // Shows the template's file name without its extension.
    void fill(const QString& templatePath);

private:
    QLabel* nom;
};
