#pragma once
// The row of an update proposal: the forecast, its category, the category's balance over the
// months looked at, the forecast's amount now and the one proposed, the number of transactions,
// the stars and the write button.
#include "analysis/CellCompleterBudget.h"

class CellActualiserBudget : public CellCompleterBudget {
    Q_OBJECT
public:
    explicit CellActualiserBudget(QWidget* parent = nullptr);
    static QList<Column> columns();

    QLabel* prevision() const { return field("prevision"); }
    QLabel* montantactuel() const { return field("montantactuel"); }
};
