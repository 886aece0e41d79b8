#pragma once
// The views of the loan simulator's table, on screen and on paper: the print title with the
// simulation's inputs, the column heading, the width of a row and the footer of totals. The rows
// lay out their fields in the same columns (layOutColumns), made for the largest figures.
#include "toolkit/tables/StdTemplate.h"

#include <array>

class TemplateSimulation : public StdTemplate {
    Q_OBJECT
public:
    static constexpr int kColumns = 8;
    static constexpr int kRowHeight = 20;
    static constexpr int kBandHeight = 22;

    explicit TemplateSimulation(QWidget* parent = nullptr);

    // An amount column holds the largest amount of any of the open document's currencies in the
    // footer's bold, the widest font it is shown in; a row is as wide as its columns.
    static int amountWidth();
    static int width();

    // The month, then the seven amounts, right-aligned in fixed columns across the parent.
    static void layOutColumns(QWidget* parent, const std::array<QWidget*, kColumns>& views);

protected:
    void loadView() override;

private:
    QWidget* buildTete();
};
