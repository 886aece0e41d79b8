#include "transactions/FenListingSearchController.h"

#include "document/APPLIPARAM.h"
#include "engines/SearchEngine.h"

FenListingSearchController* openListingSearch(DOCUMENT& doc, const Critere& critere, long devise)
{
    ListingWithCritere request;
    request.critere = critere;
    SearchRequest search;
    search.critere = &request.critere;
    search.futurCritere = &request.critere;
    search.doEcheanciers = critere.includesPrevisions;
    search.doPrevisions = critere.includesPrevisions;
    search.doc = &doc;
    const auto defaultSort = static_cast<ListingSort>(APPLIPARAM::loadAppliParam().defaultSort);
    search.defaultSort = defaultSort == ListingSort::Defaut ? ListingSort::Date2 : defaultSort;
    search.devise = devise;
    search.doCumuls = true;
    search.forSearch = true;
    request.listing = searchWithCritere(search);
    request.mode = 1;
    request.animate = true;
    request.devise = devise;
    return openListingWithCritere<FenListingSearchController>(std::move(request), doc);
}
