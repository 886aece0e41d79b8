#include "engines/AnalyseData.h"

#include "foundation/dateformat.h"
#include "foundation/diagnostics.h"

bool AnalyseData::isEmpty() const
{
    return totDeb.nullMontant() && totCre.nullMontant();
}

QList<AnalyseData> AnalyseData::copyOfAnalyseDataArray(const QList<AnalyseData>& cells)
{
    QList<AnalyseData> copies;
    copies.reserve(cells.size());
    for (const AnalyseData& cell : cells) {
        AnalyseData copy = cell;
        copy.percentTotDeb = copy.percentTotCre = copy.percentDosDeb = copy.percentDosCre = 0;
        copies.append(copy);
    }
    return copies;
}

void analyseDataZero(AnalyseData& cell)
{
    for (MONTANT* m :
         {&cell.totDeb, &cell.totCre, &cell.totDebPrev, &cell.totCrePrev, &cell.totDebDiff, &cell.totCreDiff})
        m->setFromMontant(MONTANT::zero());
    cell.percentTotDeb = cell.percentTotCre = cell.percentDosDeb = cell.percentDosCre = 0;
    cell.metadataArray.clear();
    cell.transArray.clear();
}

namespace {

QString amountText(const MONTANT& m)
{
    return QString::number(m.getValueForDevise(0), 'f', 2);
}

QString dateText(double date)
{
    return dateToStringWithStyles(1, 2, date);
}

} // namespace

void logAnalyseMetadata(const AnalyseMetadata& item)
{
    svLog(QStringLiteral("Storage Type : %1").arg(static_cast<int>(item.storageType)));
    svLog(QStringLiteral("Storage Index: %1").arg(item.storageIndex));
    svLog(QStringLiteral("ReelD        : %1").arg(amountText(item.montantReelDebit)));
    svLog(QStringLiteral("PrevuD       : %1").arg(amountText(item.montantPrevuDebit)));
    svLog(QStringLiteral("ReelC        : %1").arg(amountText(item.montantReelCredit)));
    svLog(QStringLiteral("PrevuC       : %1").arg(amountText(item.montantPrevuCredit)));
    svLog(QStringLiteral("BudgetFirstDate : %1").arg(dateText(item.budgetFirstDate)));
    svLog(QStringLiteral("Budget shift : %1").arg(item.budgetShift));
    svLog(QStringLiteral("Budget shiftReference : %1").arg(item.budgetShiftReference));
    svLog(QStringLiteral("associatedEcheancier : %1").arg(item.associatedEcheancierIdent));
    svLog(QStringLiteral("AssociatedDate : %1").arg(dateText(item.associatedDate)));
    svLog(QStringLiteral("associatedPrevision : %1").arg(item.associatedPrevisionIdent));
    svLog(QStringLiteral("planifiedDate : %1").arg(dateText(item.planifiedDate)));
}

void logAnalyseDataMetadata(const AnalyseData& cell)
{
    for (const AnalyseMetadata& item : cell.metadataArray) {
        svLog(QStringLiteral("-------------------------"));
        logAnalyseMetadata(item);
    }
}
