#pragma once
// The footer of the loan simulator: the number of months and the totals of the payments, capital,
// interest and cost. The cumulative columns stay empty.
#include "toolkit/windows/StdBoxNoBorder.h"

#include <array>

class FigureLabel;
class TOTAUX;

class BoxSimulationPied : public StdBoxNoBorder {
    Q_OBJECT
public:
    explicit BoxSimulationPied(QWidget* parent = nullptr);

    void fill(const TOTAUX& totaux, long slot);
    QStringList texts() const;

private:
    std::array<FigureLabel*, 8> m_fields {};
};
