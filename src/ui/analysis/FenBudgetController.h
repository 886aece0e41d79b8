#pragma once
// The budget window: what was really spent and received (the document's transactions) against
// what was planned (the occurrences of schedules and forecasts), per folder and category, for the
// whole period or a month, with the difference of each side and the balance. A figure's details
// (its transactions and occurrences) open in the details palette; the selected category's row
// menu creates a schedule or a forecast of that category; the synthesis grid sums the figures by
// schedule and forecast.
#include "analysis/FenAnalyseBudgetController.h"
#include "toolkit/tables/ListExporter.h"

class PopHelp;

class FenBudgetController : public FenAnalyseBudgetController, public IListExportHooks {
    Q_OBJECT
public:
    FenBudgetController();

    QSizeF getContentIncrement() const override { return QSizeF(17.0, 1.0); }
    void RECOMPUTE() override;
    QString getTitleForMonth(long month, bool showDevise) const override;
    void DRAW_TETE() override;
    void RESET_TITLE() override;
    void cellNumbers(const AnalyseData& data, CellAnalyseBudget& cell, bool colorizeTotal) const override;
    QStringList headerSubTitles() const override;
    Q_INVOKABLE void LISTING(QObject* sender) override;
    Q_INVOKABLE void MEMORISE(const QVariant& number) override;
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

    // The texts of a row's figures (cells 1..6 and the balance) and the colours of the two
    // differences (invalid: left as they are).
    struct CellTexts {
        QString texts[7];
        QColor colours[7];
    };
    static CellTexts budgetCellNumber(const AnalyseData& data, long devise, const DeviseList& devises,
                                      bool colorizeTotal);
    // One figure: empty when null; a difference not below zero as "+amount", green when coloured,
    // a negative one as it is, dark red when coloured.
    static QString budgetCellNumberAux(const MONTANT& montant, long devise, const DeviseList& devises, bool isDiff,
                                       bool colorizeTotal, QColor* colour);

    // ---- The list export (the window's export item, tag 1 for CSV).
    Q_INVOKABLE void EXPORTER(QObject* sender) override;
    long EXPORTER_SIZE() override;
    void EXPORTER_TETE(QString& text, int format) override;
    void EXPORTER_LISTE(QString& text, long index, int format) override;
    void EXPORTER_PIED(QString& text, int format) override;

protected:
    const SettingsFields& settingsFields() const override;
    void buildInterface(StdWindow& window) override;
    void didAwakeFromNib() override;
    std::unique_ptr<CellAnalyseBudget> makeCell(const QString& identifier) const override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void creerChrono(bool prevision);
    void showCellTexts(const CellTexts& texts, QLabel* const labels[7]) const;
    bool clickOnPopupPoste(const QPoint& viewportPoint, const QPoint& globalPoint);

    PopHelp* m_popHelp = nullptr;
};

// The budget command: a new window on the configuration of that name.
FenBudgetController* openBudgetWindow(DOCUMENT& doc, const QString& name, long initialMonth,
                                      std::optional<QRectF> frame, bool appear);
// Reopens the budget windows memorised in the document.
void reopenBudgetsOfDocument(DOCUMENT& doc);
