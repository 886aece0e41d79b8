#pragma once
// The analysis window: the income and expenses of the document's transactions by folder and
// category, with each figure's share of all expenses or income and of its folder. A row's
// transactions open in a printable listing; the listings it opened close when its figures are
// recomputed or when it closes (not during a document close, which closes them itself).
#include "analysis/FenAnalyseBudgetController.h"

#include <QPointer>

// The analysis window's rows add nothing to the common row.
using CellAnalyse = CellAnalyseBudget;

class FenAnalyseController : public FenAnalyseBudgetController {
    Q_OBJECT
public:
    FenAnalyseController();

    QSizeF getContentIncrement() const override { return QSizeF(12.0, 1.0); }
    CellTexts figureTexts(const AnalyseData& data, bool colorizeTotal) const override;
    Q_INVOKABLE void LISTING(QObject* sender) override;
    Q_INVOKABLE void TABLEAU_SYNTHESE(QObject* sender) override;
    void windowWillClose() override;

    // The texts of a row's figures: the total and shares of the expenses, then of the income,
    // and the balance, coloured when colorizeTotal is set.
    static CellTexts analyseCellNumber(const AnalyseData& data, long devise, const DeviseList& devises,
                                       bool colorizeTotal);

    // The listings opened from this window that are still open.
    QList<StdWindowController*> openListings() const;
    bool duringCloseAllListings() const { return m_duringCloseAllListings; }
    void closeListings();
    Q_INVOKABLE void listingWillClose(const QVariant& listing, const QVariant& arg2);

protected:
    void figuresRecomputed() override;

private:
    bool m_duringCloseAllListings = false;
    QList<QPointer<StdWindowController>> m_openListings;
};

// The analysis command: a new window on the configuration of that name.
FenAnalyseController* openNewAnalyseWindow(DOCUMENT& doc, const QString& name, long initialMonth,
                                           std::optional<QRectF> frame, bool appear);
// Reopens the analysis windows memorised in the document.
void reopenAnalysesOfDocument(DOCUMENT& doc);
