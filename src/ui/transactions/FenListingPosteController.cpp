#include "transactions/FenListingPosteController.h"

#include "foundation/localized.h"
#include "model/DOCUMENT.h"
#include "model/POSTE.h"

void FenListingPosteController::notifyPosteDeleted(const QVariant& posteID, const QVariant&)
{
    if (posteID.toLongLong() == getArg().posteID)
        close();
}

FenListingPosteController* openListingPoste(DOCUMENT& doc, long posteID, long devise, bool show)
{
    TransListOpening opening;
    opening.posteID = posteID;
    if (auto* open = qobject_cast<FenListingPosteController*>(
            listingdetail::reuseListing(FenListingPosteController::staticMetaObject, opening, show)))
        return open;
    const POSTE* poste = POSTE::posteWithIdent(posteID, doc);
    if (!poste)
        return nullptr;
    opening.critere = Critere::makePosteCritere(posteID, &doc);
    opening.listing = searchListing(opening.critere, doc, devise);
    opening.title = QStringLiteral("%1 %2").arg(localizedMisc(QStringLiteral("kMisc_Poste")), poste->nom);
    opening.mode = 1;
    opening.doc = &doc;
    opening.devise = devise;
    return openEntityListing<FenListingPosteController>(std::move(opening), show);
}
