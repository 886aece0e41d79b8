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
    // footer's bold, the widest font it is shown in, and the figures given: a simulation's totals,
    // the interest on top of the capital, can pass the largest amount. A row is as wide as its
    // columns.
    static int amountWidth(const QStringList& shown = {});
    static int width(int amount = amountWidth());

    // The month, then the seven amounts, right-aligned in fixed columns across the parent.
    static void layOutColumns(QWidget* parent, const std::array<QWidget*, kColumns>& views);
    // The amount columns of a band laid out by layOutColumns, at that width.
    static void setAmountWidth(QWidget* band, int amount);
    // The template's views at that amount width: the heading and the footer by their columns, the
    // print title and the list as wide as a row. A print-out takes the title's width for the
    // rows': a title narrower than them would leave their last columns past the page's edge.
    void setViewsAmountWidth(int amount);

protected:
    void loadView() override;

private:
    QWidget* buildTete();
};
