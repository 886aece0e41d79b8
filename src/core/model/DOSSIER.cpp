#include "DOSSIER.h"

#include "foundation/HelperSVUtil.h"
#include "foundation/localized.h"
#include "model/DOCUMENT.h"

DossierList& DOSSIER::getDocDossier(DOCUMENT& doc)
{
    return doc.dossierHdl;
}

const DossierList& DOSSIER::getDocDossier(const DOCUMENT& doc)
{
    return doc.dossierHdl;
}

long DOSSIER::insertDossier(const DOSSIER& dossier, DossierList& list)
{
    const long index = findInsertIndex(0, static_cast<long>(list.size()) - 1, [&](long i) {
        return QString::compare(list[i].nom, dossier.nom, Qt::CaseInsensitive);
    });
    DOSSIER copy = dossier.copyOfDossier();
    copy.dossierID = -1;
    list.insert(index, copy);
    return index;
}

void DOSSIER::loadDossierAux(DossierList& list, const QString& key, long ident)
{
    DOSSIER d = allocNewDossier(list, ident);
    d.nom = localizedAppl(key);
    insertDossier(d, list);
}
