#pragma once
// The budget's synthesis grid: one row per schedule, per forecast, for what nothing planned and
// the total, with the folder and category of each, and the planned, real and difference amounts
// (credits less debits), in green or dark red. Rows carry the names they show, resolved when the
// budget window built them, so the grid keeps showing the figures of that moment.
#include "analysis/FenTableurSyntheseController.h"

#include "engines/BudgetSynthese.h"

using BudgetSyntheseListPtr = std::shared_ptr<const BudgetSyntheseList>;
Q_DECLARE_METATYPE(BudgetSyntheseListPtr)

class FenTableurBudgetController : public FenTableurSyntheseController {
    Q_OBJECT
public:
    long numberOfRowsInDataSource() const override { return long(m_entries.size()); }
    long numberOfColumnsInDataSource() const override { return 5; }
    QString valueAtRowInDataSource(long row, long column) const override;
    float defaultWidthOfRowHeader() const override { return 150; }
    float defaultWidthOfColumn(long index) const override { return index <= 1 ? 150 : 100; }
    QString PDFTitle() const override { return QStringLiteral("Synthèse prévisionnelle"); }

    // The row at that index; null outside the rows.
    const BudgetSyntheseEntry* metadataAtRow(long row) const;
    QString dossierNameAtRowIndex(long row) const;
    QString posteNameAtRowIndex(long row) const;

    QString rowTitle(long row) const override;
    QString columnTitle(long column) const override;
    unsigned long rowTitleAlignment(long /*row*/) const override { return kAlignLeft; }
    QFont rowTitleFont(long /*row*/, double size) const override { return defaultBoldFont(size); }
    unsigned long cellAlignment(long row, long column) const override;
    QFont cellFont(long row, long column, double size) const override;
    QColor cellColour(long row, long column) const override;
    QColor rowTitleBackground(long row) const override;
    QColor rowTitleForeground(long row) const override;
    QColor cellBackground(long row, long column) const override;
    QString helpTitle() const override;
    QString helpContent() const override;

protected:
    void takeData(const WindowData& data) override;

private:
    BudgetSyntheseList m_entries;
};

// Opens the grid on the rows and a copy of the budget's analysis, in that currency.
FenTableurBudgetController* openTableurBudget(BudgetSyntheseList entries, const AnalyseFile& file, long devise);
