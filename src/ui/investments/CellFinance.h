#pragma once
// The rows of the investment lists. Every row has the item's name; its amounts, formatted for the
// window's currency slot without unit, are coloured by their sign. A row whose item is gone shows
// an empty name and zeros.
#include "toolkit/tables/StdCell.h"

#include "model/FINANCE.h"

#include <array>

class DOCUMENT;
class QLabel;
class StdButton;

class CellFinance : public StdCell {
    Q_OBJECT
public:
    static constexpr int kHeight = 20;

    explicit CellFinance(QWidget* parent = nullptr);

    QLabel* field_nom() const { return m_nom; }
    // The name, then the other columns from left to right.
    QStringList rowTexts() const override;

protected:
    // The columns after the name, from left to right.
    void setColumns(const QList<QLabel*>& columns) { m_columns = columns; }
    QLabel* makeAmountField(const char* name);
    // The amount formatted for the slot, coloured by its sign when asked.
    static void showAmount(QLabel* field, const MONTANT& amount, long devise, const DeviseList* devises, bool colour);

private:
    QLabel* m_nom;
    QList<QLabel*> m_columns;
};

// A loan (repaid, lent, interest, cost) or a savings item (capital, interest, cost, balance):
// four amounts of the item's totals, chosen by the kind.
class CellFinanceAmounts : public CellFinance {
    Q_OBJECT
public:
    using Totals = std::array<MONTANT TOTAUX::*, 4>;

    CellFinanceAmounts(const std::array<const char*, 4>& fieldNames, const Totals& totals, QWidget* parent = nullptr);

    QLabel* amountField(int column) const { return m_fields[size_t(column)]; }
    // The row of the item at that position of the list.
    void paintListe(const FinanceList& list, long row, long devise, const DeviseList* devises);

private:
    std::array<QLabel*, 4> m_fields {};
    Totals m_totals;
};

class CellFinanceEmprunt : public CellFinanceAmounts {
    Q_OBJECT
public:
    explicit CellFinanceEmprunt(QWidget* parent = nullptr);
    void paintEmpruntListe(long row, long devise, const DeviseList* devises, const DOCUMENT* doc);
};

class CellFinanceRemunere : public CellFinanceAmounts {
    Q_OBJECT
public:
    explicit CellFinanceRemunere(QWidget* parent = nullptr);
    void paintRemunereListe(long row, long devise, const DeviseList* devises, const DOCUMENT* doc);
};

// A security, or a portfolio with the button that opens and closes it. The securities inside a
// portfolio are set in under their portfolio.
class CellFinanceTitre : public CellFinance {
    Q_OBJECT
public:
    explicit CellFinanceTitre(bool portfolio, QWidget* parent = nullptr);

    StdButton* buttonOpen() const { return m_buttonOpen; }
    QLabel* field(const char* name) const;

    void paintTitreListe(long ident, long devise, const DeviseList* devises, const DOCUMENT* doc);
    void paintPortfolioListe(long ident, long devise, const DeviseList* devises, const DOCUMENT* doc);

    // The number of shares: "-" faded when there are none, else up to six decimals.
    static QString nbTitreText(double nTitre);

private:
    void showTotals(const TOTAUX& totaux, long devise, const DeviseList* devises);

    StdButton* m_buttonOpen = nullptr;
    QWidget* m_indent = nullptr;
    QLabel* m_cours;
    QLabel* m_nbtitre;
    std::array<QLabel*, 3> m_totals {};
};
