#include "transactions/FenListingMoyenController.h"

#include "foundation/localized.h"
#include "model/DOCUMENT.h"
#include "model/MOYEN.h"
#include "model/Synonyme.h"
#include "model/TOOL.h"

QString moyenCompteName(const DOCUMENT& doc, int family, long compteID)
{
    const TOOL* compte = getTool(kToolCompte, compteID, &doc);
    const QString moyen = moyenNameForFamily(family);
    return compte ? QStringLiteral("%1 - %2").arg(moyen, compte->nom) : moyen;
}

FenListingMoyenController* openListingMoyen(DOCUMENT& doc, long compteID, int family, long synonymeID, long devise,
                                            bool show)
{
    TransListOpening opening;
    opening.debitID = compteID;
    opening.moyenID = family;
    opening.synonymeID = synonymeID;
    if (auto* open = qobject_cast<FenListingMoyenController*>(
            listingdetail::reuseListing(FenListingMoyenController::staticMetaObject, opening, show)))
        return open;
    QString name;
    if (synonymeID < 0) {
        std::optional<Critere> critere = Critere::makeMoyenCritere(family, compteID, &doc);
        if (!critere)
            return nullptr;
        opening.critere = std::move(*critere);
        name = moyenCompteName(doc, family, compteID);
    } else {
        opening.critere = Critere::makeSynonymeCritere(synonymeID, &doc);
        const Synonyme* synonyme = Synonyme::synonymeWithIdent(synonymeID, doc.synonymeArray);
        name = synonyme ? synonyme->nom : QString();
    }
    opening.listing = searchListing(opening.critere, doc, devise);
    opening.title = QStringLiteral("%1 %2").arg(localizedMisc(QStringLiteral("kMisc_Releve")), name);
    opening.mode = 1;
    opening.doc = &doc;
    opening.devise = devise;
    return openEntityListing<FenListingMoyenController>(std::move(opening), show);
}
