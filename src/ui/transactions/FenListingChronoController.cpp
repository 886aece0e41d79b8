#include "transactions/FenListingChronoController.h"

#include "foundation/localized.h"
#include "model/DOCUMENT.h"
#include "model/ECHEANCIER.h"

FenListingChronoController* openListingChrono(DOCUMENT& doc, long chronoID, long devise, bool show)
{
    TransListOpening opening;
    opening.chronoID = chronoID;
    if (auto* open = qobject_cast<FenListingChronoController*>(
            listingdetail::reuseListing(FenListingChronoController::staticMetaObject, opening, show)))
        return open;
    const ECHEANCIER* echeancier = nullptr;
    long index = 0;
    if (!findEcheancier(chronoID, static_cast<const DOCUMENT*>(&doc), &echeancier, &index) || !echeancier)
        return nullptr;
    opening.critere = Critere::makeChronoCritere(chronoID, &doc);
    opening.listing = searchListing(opening.critere, doc, devise);
    opening.title = QStringLiteral("%1 %2").arg(localizedMisc(QStringLiteral("kMisc_Releve")), echeancier->nom);
    opening.mode = 1;
    opening.doc = &doc;
    opening.devise = devise;
    return openEntityListing<FenListingChronoController>(std::move(opening), show);
}
