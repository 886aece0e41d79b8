#pragma once
// The analysis window: the income and expenses of the document's transactions by folder and
// category, with each figure's share of all expenses or income and of its folder. A row's
// transactions open in a printable listing; the listings it opened close when its figures are
// recomputed or when it closes (not during a document close, which closes them itself).
#include "analysis/FenAnalyseBudgetController.h"
#include "toolkit/tables/ListExporter.h"

#include <QPointer>

// The analysis window's rows add nothing to the common row.
using CellAnalyse = CellAnalyseBudget;

class FenAnalyseController : public FenAnalyseBudgetController, public IListExportHooks {
    Q_OBJECT
public:
    FenAnalyseController();

    QSizeF getContentIncrement() const override { return QSizeF(12.0, 1.0); }
    void RECOMPUTE() override;
    QString getTitleForMonth(long month, bool showDevise) const override;
    void DRAW_TETE() override;
    void RESET_TITLE() override;
    void cellNumbers(const AnalyseData& data, CellAnalyseBudget& cell, bool colorizeTotal) const override;
    QStringList headerSubTitles() const override;
    Q_INVOKABLE void LISTING(QObject* sender) override;
    Q_INVOKABLE void MEMORISE(const QVariant& number) override;
    Q_INVOKABLE void TABLEAU_SYNTHESE(QObject* sender) override;
    StdCell* viewForTableColumn1(StdTableView* table, int row) override;
    void windowWillClose() override;

    // The seven texts of a row's figures; the balance's colour goes to balanceColour (invalid:
    // leave it) when colorizeTotal is set.
    static void analyseCellNumber(const AnalyseData& data, long devise, const DeviseList& devises, QString texts[7],
                                  QColor* balanceColour, bool colorizeTotal);

    // The listings opened from this window that are still open.
    QList<StdWindowController*> openListings() const;
    bool duringCloseAllListings() const { return m_duringCloseAllListings; }
    void closeListings();
    Q_INVOKABLE void listingWillClose(const QVariant& listing, const QVariant& arg2);

    // ---- The list export (the window's export item, tag 1 for CSV).
    Q_INVOKABLE void EXPORTER(QObject* sender) override;
    long EXPORTER_SIZE() override;
    void EXPORTER_TETE(QString& text, int format) override;
    void EXPORTER_LISTE(QString& text, long index, int format) override;
    void EXPORTER_PIED(QString& text, int format) override;

protected:
    const SettingsFields& settingsFields() const override;

private:
    bool m_duringCloseAllListings = false;
    QList<QPointer<StdWindowController>> m_openListings;
};

// The analysis command: a new window on the configuration of that name.
FenAnalyseController* openNewAnalyseWindow(DOCUMENT& doc, const QString& name, long initialMonth,
                                           std::optional<QRectF> frame, bool appear);
// Reopens the analysis windows memorised in the document.
void reopenAnalysesOfDocument(DOCUMENT& doc);
