#include "DOSSIER.h"

#include "foundation/HelperSVUtil.h"
#include "foundation/diagnostics.h"
#include "foundation/localized.h"
#include "model/DOCUMENT.h"
#include "model/entitylist.h"
#include "model/idents.h"

void DOSSIER::defaultDossier(const DossierList& list, long forceID)
{
    resetPoste(forceID >= 0 ? forceID : newDossierID(list));
}

DOSSIER DOSSIER::allocNewDossier(const DossierList& list, long forceID)
{
    DOSSIER d;
    d.defaultDossier(list, forceID);
    return d;
}

long DOSSIER::newDossierID(const DossierList& list)
{
    return newMaxIdent(list, [](const DOSSIER& d) { return d.ident; });
}

DossierList& DOSSIER::getDocDossier(DOCUMENT& doc)
{
    return doc.dossierHdl;
}

const DossierList& DOSSIER::getDocDossier(const DOCUMENT& doc)
{
    return doc.dossierHdl;
}

long DOSSIER::nbDossier(const DossierList* list)
{
    return entityCount(list);
}

const DOSSIER* DOSSIER::dossierAtIndex(const DossierList& list, long index)
{
    return entityAtIndex(index, list);
}

DOSSIER* DOSSIER::dossierAtIndex(DossierList& list, long index)
{
    return entityAtIndex(index, list);
}

bool DOSSIER::findDossier(long ident, long* index, const DossierList& list)
{
    if (index)
        *index = 0;
    return findEntityIndex(ident, index, list);
}

const DOSSIER* DOSSIER::dossierWithIdent(long ident, const DOCUMENT& doc)
{
    return entityWithIdent(ident, doc.dossierHdl);
}

DOSSIER* DOSSIER::dossierWithIdent(long ident, DOCUMENT& doc)
{
    return entityWithIdent(ident, doc.dossierHdl);
}

QString DOSSIER::getDossierNameNS(long ident, const DOCUMENT& doc)
{
    const DOSSIER* d = dossierWithIdent(ident, doc);
    return d ? d->nom : QString();
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

void DOSSIER::unInsertDossier(long index, DossierList& list)
{
    if (SV_ASSERT(index >= 0 && index < list.size()))
        list.removeAt(index);
}

void DOSSIER::disposeDocDossier(DossierList& list)
{
    list.clear();
}

void DOSSIER::loadDossierAux(DossierList& list, const QString& key, long ident)
{
    DOSSIER d = allocNewDossier(list, ident);
    d.nom = localizedAppl(key);
    insertDossier(d, list);
}
