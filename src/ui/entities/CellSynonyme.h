#pragma once
// The row of a payment-means synonym: its picture (its logo, else its family's icon), its name and
// the family it stands for.
#include "toolkit/tables/StdCell.h"

#include <QLabel>

class DOCUMENT;
class Synonyme;

class CellSynonyme : public StdCell {
    Q_OBJECT
public:
    static constexpr int kHeight = 28;

    explicit CellSynonyme(QWidget* parent = nullptr);

    void fill(const Synonyme& synonyme, const DOCUMENT& doc);

private:
    QLabel* icone;
    QLabel* nom;
    QLabel* synonyme;
};
