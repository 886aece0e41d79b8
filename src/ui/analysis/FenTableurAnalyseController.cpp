#include "analysis/FenTableurAnalyseController.h"

#include "analysis/FenAnalyseBudgetController.h"

#include "engines/AnalyseTitles.h"
#include "foundation/localized.h"

FenTableurAnalyseController* openTableurAnalyse(const AnalyseFile& file, long devise)
{
    auto copy = std::make_shared<AnalyseFile>(file);
    return StdWindowController::push<FenTableurAnalyseController>(
        makeWindowData({{QStringLiteral("anaFile"), QVariant::fromValue<AnalyseFilePtr>(copy)}}), devise, true);
}

long FenTableurAnalyseController::numberOfRowsInDataSource() const
{
    return anaFile() ? analyseNumberOfRows(*anaFile()) : 0;
}

long FenTableurAnalyseController::numberOfColumnsInDataSource() const
{
    return anaFile() ? analyseNumberOfColumns(*anaFile()) + 1 : 0;
}

std::optional<MONTANT> FenTableurAnalyseController::montantAtRowInDataSource(long row, long column) const
{
    const AnalyseData* data = anaFile() ? anaFile()->getAnalyseDataAtRow(row, column) : nullptr;
    if (!data)
        return std::nullopt;
    MONTANT solde;
    MONTANT::subMontant(data->totCre, data->totDeb, solde);
    return solde;
}

QString FenTableurAnalyseController::valueAtRowInDataSource(long row, long column) const
{
    return amountText(montantAtRowInDataSource(row, column));
}

QColor FenTableurAnalyseController::cellColour(long row, long column) const
{
    return amountColour(montantAtRowInDataSource(row, column));
}

bool FenTableurAnalyseController::isDossierRow(long row) const
{
    const AnalyseRow* r = anaFile() ? analyseRowAtIndex(*anaFile(), row) : nullptr;
    return r && r->kind == AnalyseRowKind::Dossier;
}

QString FenTableurAnalyseController::rowTitle(long row) const
{
    const AnalyseRow* r = anaFile() ? analyseRowAtIndex(*anaFile(), row) : nullptr;
    return r ? r->nom : QString();
}

QString FenTableurAnalyseController::columnTitle(long column) const
{
    if (column == 0)
        return QStringLiteral("Total");
    const AnalyseColumn* c = anaFile() ? analyseColumnAtIndex(*anaFile(), column - 1) : nullptr;
    return c ? monthTitleForDate(c->month) : QString();
}

unsigned long FenTableurAnalyseController::rowTitleAlignment(long row) const
{
    return isDossierRow(row) ? kAlignLeft : kAlignRight;
}

QFont FenTableurAnalyseController::rowTitleFont(long row, double size) const
{
    return isDossierRow(row) ? defaultBoldFont(size) : defaultFont(size);
}

QFont FenTableurAnalyseController::cellFont(long, long column, double size) const
{
    return column == 0 ? defaultBoldFixedFont(size) : defaultFixedFont(size);
}

QString FenTableurAnalyseController::helpTitle() const
{
    return localizedHelp(QStringLiteral("HELP_TITLE_SYNTHESE_ANALYSE"));
}

QString FenTableurAnalyseController::helpContent() const
{
    return localizedHelp(QStringLiteral("HELP_CONTENT_SYNTHESE_ANALYSE"));
}
