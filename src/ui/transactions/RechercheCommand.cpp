#include "transactions/RechercheCommand.h"

#include "transactions/FenRechercheController.h"

#include "document/APPLIPARAM.h"
#include "engines/Critere.h"
#include "engines/SearchEngine.h"
#include "model/DOCUMENT.h"
#include "model/MONTANT.h"

std::unique_ptr<LISTING> rechercheListing(const Critere& critere, const DOCUMENT& doc, long devise)
{
    SearchRequest request;
    request.critere = &critere;
    request.futurCritere = &critere;
    request.doEcheanciers = critere.includesPrevisions;
    request.doPrevisions = critere.includesPrevisions;
    request.doc = &doc;
    request.sort = ListingSort::Defaut;
    request.defaultSort = static_cast<ListingSort>(APPLIPARAM::loadAppliParam().defaultSort);
    request.devise = devise;
    request.doCumuls = true;
    request.forSearch = true;
    return searchWithCritere(request);
}

long openRechercheWindow(DOCUMENT& doc)
{
    const long devise = MONTANT::currentDeviseSlot();
    const long result = StdWindowController::pushModal<FenRechercheController>(nullptr, nullptr, devise);
    if (result != 1)
        return result;
    // The saved criterion has no evaluation list: the copy builds it.
    Critere critere(&doc, true);
    critere.replaceWithCritere(FenRechercheController::critere());
    std::unique_ptr<LISTING> listing = rechercheListing(critere, doc, devise);
    return result;
}
