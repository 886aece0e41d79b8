#include "transactions/RechercheCommand.h"

#include "transactions/FenListingSearchController.h"
#include "transactions/FenRechercheController.h"

#include "engines/Critere.h"
#include "model/MONTANT.h"

long openRechercheWindow(DOCUMENT& doc)
{
    const long devise = MONTANT::currentDeviseSlot();
    const long result = StdWindowController::pushModal<FenRechercheController>(nullptr, nullptr, devise);
    if (result != 1)
        return result;
    // A criterion read from a saved search has no evaluation list: the copy builds it.
    Critere critere(&doc, true);
    critere.replaceWithCritere(FenRechercheController::critere());
    openListingSearch(doc, critere, devise);
    return result;
}
