#include "transactions/FenListingTiersController.h"

#include "foundation/localized.h"
#include "model/DOCUMENT.h"
#include "model/TOOL.h"

FenListingTiersController* openListingTiers(DOCUMENT& doc, long compteID, long devise, bool show)
{
    TransListOpening opening;
    opening.debitID = compteID;
    if (auto* open = qobject_cast<FenListingTiersController*>(
            listingdetail::reuseListing(FenListingTiersController::staticMetaObject, opening, show)))
        return open;
    const TOOL* compte = getTool(kToolCompte, compteID, &doc);
    if (!compte)
        return nullptr;
    opening.critere = Critere::makeToolCritere(true, compteID, -1, &doc);
    opening.listing = searchListing(opening.critere, doc, devise);
    opening.title = QStringLiteral("%1 %2").arg(localizedMisc(QStringLiteral("kMisc_Releve")), compte->nom);
    opening.mode = 1;
    opening.doc = &doc;
    opening.devise = devise;
    return openEntityListing<FenListingTiersController>(std::move(opening), show);
}
