#pragma once
// One month of the loan simulator's table: its number, the payment, the capital, the interest
// and the cost, then the capital, interest and cost paid so far.
#include "toolkit/tables/StdCell.h"

#include <array>

class FigureLabel;
class TOTAUX;

class CellSimulation : public StdCell {
    Q_OBJECT
public:
    explicit CellSimulation(QWidget* parent = nullptr);

    void fill(const TOTAUX& row, long slot);
    QStringList rowTexts() const override;

private:
    std::array<FigureLabel*, 8> m_fields {};
};
