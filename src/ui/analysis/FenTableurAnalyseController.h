#pragma once
// The analysis's synthesis grid: its folders and categories against the whole period ("Total")
// and each month, each figure the income less the expenses, in green or dark red. It shows the
// figures of the moment it was opened, on its own copy of the analysis.
#include "analysis/FenTableurSyntheseController.h"

class FenTableurAnalyseController : public FenTableurSyntheseController {
    Q_OBJECT
public:
    long numberOfRowsInDataSource() const override;
    long numberOfColumnsInDataSource() const override;
    QString valueAtRowInDataSource(long row, long column) const override;
    float defaultWidthOfRowHeader() const override { return 200; }
    float defaultWidthOfColumn(long /*index*/) const override { return 100; }
    QString PDFTitle() const override { return QStringLiteral("Synthèse de l'analyse par poste"); }

    // The figure of a row (a file row) and a column (0 the whole period, n the n-th month):
    // credits less debits; none without data or outside the file.
    std::optional<MONTANT> montantAtRowInDataSource(long row, long column) const;

    QString rowTitle(long row) const override;
    QString columnTitle(long column) const override;
    unsigned long rowTitleAlignment(long row) const override;
    QFont rowTitleFont(long row, double size) const override;
    unsigned long cellAlignment(long /*row*/, long /*column*/) const override { return kAlignRight; }
    QFont cellFont(long row, long column, double size) const override;
    QColor cellColour(long row, long column) const override;
    QString helpTitle() const override;
    QString helpContent() const override;

private:
    bool isDossierRow(long row) const;
};

// Opens the grid on a copy of the analysis, in that currency.
FenTableurAnalyseController* openTableurAnalyse(const AnalyseFile& file, long devise);
