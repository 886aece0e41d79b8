#pragma once
// The views of the loans and the savings lists, on screen and on paper: the title block, the
// heading of the name and four amount columns, the width of a row and the footer with the count
// of items and the four totals. The rows lay out their fields in the same columns
// (layOutColumns). The securities list has its own template (TemplateFinanceTitre).
#include "toolkit/tables/StdTemplate.h"

#include <array>

class TemplateFinance : public StdTemplate {
    Q_OBJECT
public:
    static constexpr int kWidth = 640;
    static constexpr int kRowHeight = 20;
    static constexpr int kAmounts = 4;

    // Four amount columns: the heading's keys (table "Misc") and the footer fields' names.
    struct Columns {
        std::array<const char*, kAmounts> headingKeys;
        std::array<const char*, kAmounts> totalFields;
    };

    TemplateFinance(const Columns& columns, QWidget* parent = nullptr);

    // The name takes what the four amount columns leave; a null view leaves its column empty.
    static void layOutColumns(QWidget* parent, QWidget* nom, const std::array<QWidget*, kAmounts>& amounts);

protected:
    void loadView() override;

private:
    Columns m_columns;
};

// The loans: repaid, lent, interest and cost.
class TemplateFinanceEmprunt : public TemplateFinance {
    Q_OBJECT
public:
    explicit TemplateFinanceEmprunt(QWidget* parent = nullptr);
};

// The savings: capital, interest, cost and balance.
class TemplateFinanceRemunere : public TemplateFinance {
    Q_OBJECT
public:
    explicit TemplateFinanceRemunere(QWidget* parent = nullptr);
};
