#pragma once
// The document's securities with their quote, number of shares, liquidity, value and gain,
// grouped by portfolio: first the securities outside any portfolio, then each portfolio with its
// totals, followed by its securities when it is open. Portfolios are created, renamed, opened,
// closed and deleted here; a deleted portfolio's securities stay, outside any portfolio.
#include "investments/CellFinance.h"
#include "investments/FenFinanceController.h"

#include <QList>

// One row of the list: a security (kind 0) or a portfolio (kind 1), by ident.
struct TitreRow {
    int kind = 0;
    long ident = -1;
    bool operator==(const TitreRow&) const = default;
};
inline constexpr int kRowTitre = 0;
inline constexpr int kRowPortfolio = 1;

// The rows for the document's securities and portfolios, each list in its order.
QList<TitreRow> buildTitresRows(const DOCUMENT& doc);

// Removes the portfolio; its securities stay, outside any portfolio. The idents of the securities
// it held; none, with nothing changed, when there is no such portfolio.
QList<long> supprimerPortfolio(DOCUMENT& doc, long ident);

class FenFinanceTitreController : public FenFinanceController {
    Q_OBJECT
public:
    FenFinanceTitreController();

    // Opens the window, or brings the open one to the front.
    static FenFinanceTitreController* openTitres(bool appear = true);

    const QList<TitreRow>& titresArray() const { return m_titresArray; }
    void buildTitresArray();
    // The row of the security (portfolio) with that ident; -1 when it has none.
    int rowForTitre(long ident) const;
    int rowForPortfolio(long ident) const;

    Q_INVOKABLE void NOUVEAU(QObject* sender) override;
    Q_INVOKABLE void MODIFIER(QObject* sender) override;
    Q_INVOKABLE void SUPPRIMER(QObject* sender) override;
    Q_INVOKABLE void LISTING(QObject* sender) override;
    void MODIFIER_TITRE(long ident);
    void MODIFIER_PORTFOLIO(long ident);
    void SUPPRIMER_TITRE(long ident);
    void SUPPRIMER_PORTFOLIO(long ident);
    Q_INVOKABLE void newPortfolio(QObject* sender);
    // Opens or closes the portfolio of that row (the sender's tag, or the row itself).
    Q_INVOKABLE void openPortfolio(QObject* sender);
    void togglePortfolioAtRow(int row);
    void openAllPortfolio();
    void closeAllPortfolio();
    void CLOSE_ETAT(long ident) override;
    void COMPUTE_TOTAUX() override;
    void PRINT_PIED() override;
    void paintTitrePied(long devise, const DeviseList* devises);

    void didDoubleClick1(QObject* sender) override;
    int numberOfRowsInTableView1(StdTableView* table) override;
    StdCell* viewForTableColumn1(StdTableView* table, int row) override;
    QColor getPatColor1(int row) override;
    double parityDarknessAtRow1(int row) override;
    void windowDidBecomeKey() override;
    Q_INVOKABLE void didUpdateTitres(const QVariant& arg1, const QVariant& arg2);

protected:
    QString interfaceName() const override { return QStringLiteral("FenFinancePortfolio"); }
    QString titleKey() const override { return QStringLiteral("FenFinanceTitre_titre"); }
    QList<std::pair<const char*, const char*>> extraCommands() const override;
    StdTemplate* makeTemplate() const override;
    void windowDidLoad() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The selected row when it is one of the list, else -1.
    int selectedTitreRow() const;
    using LineCommand = void (FenFinanceTitreController::*)(long ident);
    // The command for the selected row's security or portfolio; only logged when no row is
    // selected.
    void forSelectedLine(const char* command, LineCommand onTitre, LineCommand onPortfolio);
    void rebuildRows();
    void markPortfoliosOpened(bool opened);

    QList<TitreRow> m_titresArray;
    CellFinanceTitre m_cellTitre {false};
    CellFinanceTitre m_cellPortfolio {true};
};
