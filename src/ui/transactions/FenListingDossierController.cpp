#include "transactions/FenListingDossierController.h"

#include "foundation/localized.h"
#include "model/DOCUMENT.h"
#include "model/DOSSIER.h"

FenListingDossierController* openListingDossier(DOCUMENT& doc, long dossierID, long devise, bool show)
{
    TransListOpening opening;
    opening.dossierID = dossierID;
    if (auto* open = qobject_cast<FenListingDossierController*>(
            listingdetail::reuseListing(FenListingDossierController::staticMetaObject, opening, show)))
        return open;
    const DOSSIER* dossier = DOSSIER::dossierWithIdent(dossierID, doc);
    if (!dossier)
        return nullptr;
    opening.critere = Critere::makeDossierCritere(dossierID, &doc);
    opening.listing = searchListing(opening.critere, doc, devise);
    opening.title = QStringLiteral("%1 %2").arg(localizedMisc(QStringLiteral("kMisc_Dossier")), dossier->nom);
    opening.mode = 1;
    opening.doc = &doc;
    opening.devise = devise;
    return openEntityListing<FenListingDossierController>(std::move(opening), show);
}
