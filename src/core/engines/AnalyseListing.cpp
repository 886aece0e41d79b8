#include "engines/AnalyseListing.h"

#include "engines/CritereMatch.h"
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
