#pragma once
// The views of the securities list, on screen and on paper: the title block, the column heading
// (name, quote, number of shares, liquidity, value, gain), the width of a row and the footer of
// totals. The rows of the list lay out their fields with the same columns (layOutColumns).
#include "toolkit/tables/StdTemplate.h"

#include <array>

class TemplateFinanceTitre : public StdTemplate {
    Q_OBJECT
public:
    static constexpr int kWidth = 720;
    static constexpr int kRowHeight = 20;
    static constexpr int kColumns = 6;

    explicit TemplateFinanceTitre(QWidget* parent = nullptr);

    // Lays the six views out in the list's columns across the parent: the name takes what the
    // five fixed columns leave. A null view leaves its column empty.
    static void layOutColumns(QWidget* parent, const std::array<QWidget*, kColumns>& views);

protected:
    void loadView() override;

private:
    QWidget* buildTete();
    QWidget* buildPied();
};
