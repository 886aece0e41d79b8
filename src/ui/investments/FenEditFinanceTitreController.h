#pragma once
// The editor of a security: its name, its portfolio, its quote (typed by hand unless it came from
// the quote service) in the currency chosen, and what the quote service said of its ticker: the
// category, the designation, the quote in its own currency with the conversion, and when. Under
// them, the search of a ticker among the known ones, which asks the service for the quote, and
// the graph of the quote's history.
#include "investments/FenEditFinanceController.h"

class PopHelp;
class TextFieldMontant;
class TitreQuotePanel;

class FenEditFinanceTitreController : public FenEditFinanceController {
    Q_OBJECT
public:
    FinanceKind kind() const override { return FinanceKind::Titre; }
    void didAwakeFromNib() override;
    void FILL() override;
    bool READ() override;

    // The portfolio chosen (the item's tag: its ident, -1 for none).
    Q_INVOKABLE void PORTFOLIO(QObject* sender);
    // The quote shown again in the currency chosen.
    Q_INVOKABLE void DEVISE(QObject* sender);

    // The portfolio's name; "Aucun portefeuille" for none, "Inconnu" for one that is gone.
    static QString portfolioText(long portfolioID, const DOCUMENT* doc);
    // The quote in its own currency, its currency and, when it was converted, "(1 name = rate
    // unit)": "12,5 USD (1 Dollar US = 0,92 €)".
    static QString deviseText(const FINANCE& titre, const DeviseList& devises);
    // The ticker search, the online quote and the quote history.
    TitreQuotePanel* quotePanel() const { return m_panel; }

protected:
    QString interfaceName() const override { return QStringLiteral("FenEditFinancePortfolio"); }
    QString titleKey() const override { return QStringLiteral("FenEditFinanceTitre_titre"); }
    void addRows(QFormLayout& form, QWidget& parent) override;
    void addBelow(QVBoxLayout& layout, QWidget& parent) override;

private:
    // With no ticker the quote is the user's: what searches for a ticker is enabled, what forgets
    // one is not; with a ticker the other way round.
    void setModifyOn(bool on);
    QLabel* label(const char* name) const;

    TextFieldMontant* field_cours = nullptr;
    PopHelp* pop_help = nullptr;
    TitreQuotePanel* m_panel = nullptr;
};
