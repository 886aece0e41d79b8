#pragma once
// The budget window: what was really spent and received (the document's transactions) against
// what was planned (the occurrences of schedules and forecasts), per folder and category, for the
// whole period or a month, with the difference of each side and the balance. A figure's details
// (its transactions and occurrences) open in the details palette; the selected category's row
// menu creates a schedule or a forecast of that category; the synthesis grid sums the figures by
// schedule and forecast.
#include "analysis/FenAnalyseBudgetController.h"

class PopHelp;

class FenBudgetController : public FenAnalyseBudgetController {
    Q_OBJECT
public:
    FenBudgetController();

    QSizeF getContentIncrement() const override { return QSizeF(17.0, 1.0); }
    CellTexts figureTexts(const AnalyseData& data, bool colorizeTotal) const override;
    Q_INVOKABLE void LISTING(QObject* sender) override;
    Q_INVOKABLE void DEVISE(QObject* item) override;
    Q_INVOKABLE void TABLEAU_SYNTHESE(QObject* sender) override;
    StdCell* viewForTableColumn1(StdTableView* table, int row) override;

    PopHelp* popHelp() const { return m_popHelp; }

    // A schedule or a forecast of the selected category, through the schedules window.
    Q_INVOKABLE void CREER_REEL(QObject* sender);
    Q_INVOKABLE void CREER_PREV(QObject* sender);

    // The details palette of a figure: its items, the period's title, the row's kind (0 a
    // folder) and ident.
    void openBudgetPaletteWithMetadataArray(const AnalyseMetadataList& items, const QString& periode, int kind,
                                            long ident);

    // The texts of a row's figures, the real, planned and difference of the expenses then of the
    // income, and the balance; only the two differences are coloured.
    static CellTexts budgetCellNumber(const AnalyseData& data, long devise, const DeviseList& devises,
                                      bool colorizeTotal);
    // One figure: empty when null; a difference not below zero as "+amount", green when coloured,
    // a negative one as it is, dark red when coloured.
    static QString budgetCellNumberAux(const MONTANT& montant, long devise, const DeviseList& devises, bool isDiff,
                                       bool colorizeTotal, QColor* colour);

protected:
    void buildInterface(StdWindow& window) override;
    void didAwakeFromNib() override;
    std::unique_ptr<CellAnalyseBudget> makeCell(const QString& identifier) const override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void creerChrono(bool prevision);
    bool clickOnPopupPoste(const QPoint& viewportPoint, const QPoint& globalPoint);

    PopHelp* m_popHelp = nullptr;
};

// The budget command: a new window on the configuration of that name.
FenBudgetController* openBudgetWindow(DOCUMENT& doc, const QString& name, long initialMonth,
                                      std::optional<QRectF> frame, bool appear);
// Reopens the budget windows memorised in the document.
void reopenBudgetsOfDocument(DOCUMENT& doc);
