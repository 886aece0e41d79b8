#include "engines/AnalyseListing.h"

#include "engines/AnalyseFile.h"
#include "engines/CritereMatch.h"
#include "foundation/dates.h"
#include "model/DOCUMENT.h"

std::unique_ptr<LISTING> listingForAnalyseCell(const AnalyseData& cell, const Critere& critere, const DOCUMENT& doc)
{
    std::unique_ptr<LISTING> listing = newListing(ListingSort::Defaut);
    const CritereMatcher matcher(critere, &doc, &doc.deviseHdl);
    long posteID = -1;
    long dossierID = -1;
    critere.getCriterePosteValue(&posteID, &dossierID);
    listingBeginBulkInsert(listing.get());
    for (long position : cell.transArray) {
        const TRANSACT* t = TRANSACT::transactAtIndexInDocument(position, &doc);
        if (!t)
            continue;
        MONTANT amount;
        if (!matcher.transFitCritere(*t, &amount))
            continue;
        ListingInsert row;
        row.transact = t;
        row.storageIndex = position;
        row.posteID = posteID;
        row.dossierID = dossierID;
        row.amount = &amount;
        row.date1 = row.date2 = t->when;
        listingInsertPositionSorted(row, listing.get(), &doc);
    }
    listingEndBulkInsert(listing.get(), &doc);
    return listing;
}

std::optional<Critere> critereForAnalyseCell(long row, long column, const AnalyseFile& file, const DOCUMENT& doc)
{
    const AnalyseRow* fileRow = analyseRowAtIndex(file, row - 1);
    const AnalyseColumn* month = column >= 2 ? analyseColumnAtIndex(file, column - 2) : nullptr;
    if (!fileRow || column < 1 || (column >= 2 && !month))
        return std::nullopt;
    Critere critere(&doc, false);
    if (month)
        critere.setPeriodeCritere(month->month, lastDayOfMonth(month->month));
    else
        critere.setPeriodeCritere(file.anaDef.date1, file.anaDef.date2);
    if (!file.anaDef.showVirInt)
        critere.setCategorieCritere(1, -1);
    if (file.anaDef.compteID >= 0)
        critere.setToolCritere(true, file.anaDef.compteID, -1);
    switch (fileRow->kind) {
    case AnalyseRowKind::Dossier:
        critere.setDossierCritere(fileRow->ident);
        break;
    case AnalyseRowKind::Poste:
        critere.setPosteCritere(fileRow->ident);
        break;
    }
    return critere;
}
