#include "Synonyme.h"

#include "model/DOCUMENT.h"
#include "model/Logo.h"
#include "model/MOYEN.h"
#include "model/entitylist.h"
#include "model/idents.h"

Synonyme::Synonyme(long anIdent)
    : ident(anIdent)
{
    defaultSynonyme();
}

void Synonyme::defaultSynonyme()
{
    family = 0;
    nom.clear();
    logoID = -1;
}

SynonymeImage Synonyme::synonymeImage(const DOCUMENT* doc) const
{
    SynonymeImage image;
    if (logoID < 0) {
        image.name = MOYEN::getActionIcone(family);
        return image;
    }
    if (doc)
        image.png = Logo::logoImageWithIdent(logoID, *doc);
    return image;
}

long Synonyme::newSynonymeIdent(const SynonymeList& list)
{
    return newRandomIdent([&list](long id) { return findSynonymeWithIdent(id, nullptr, list); });
}

bool Synonyme::findSynonymeWithIdent(long anIdent, long* index, const SynonymeList& list)
{
    return anIdent >= 0 && findEntityIndex(anIdent, index, list);
}

const Synonyme* Synonyme::synonymeWithIdent(long anIdent, const SynonymeList& list)
{
    return anIdent >= 0 ? entityWithIdent(anIdent, list) : nullptr;
}

QString Synonyme::getSynonymeName(long anIdent, const SynonymeList& list)
{
    const Synonyme* synonyme = synonymeWithIdent(anIdent, list);
    return synonyme ? synonyme->nom : QStringLiteral("?");
}

long Synonyme::nbSynonyme(const SynonymeList* list)
{
    return entityCount(list);
}

const Synonyme* Synonyme::synonymeAtIndex(long index, const SynonymeList& list)
{
    return entityAtIndex(index, list);
}

Synonyme* Synonyme::synonymeAtIndex(long index, SynonymeList& list)
{
    return entityAtIndex(index, list);
}

long Synonyme::findSynonymePosition(const Synonyme& synonyme, bool* exist, const SynonymeList& list)
{
    return caseInsensitivePosition(synonyme.nom, &Synonyme::nom, exist, list);
}

long Synonyme::insertSynonyme(const Synonyme& synonyme, SynonymeList& list)
{
    const long index = findSynonymePosition(synonyme, nullptr, list);
    list.insert(index, synonyme);
    return index;
}

void Synonyme::unInsertSynonyme(long index, SynonymeList& list)
{
    if (isEntityIndex(index, list))
        list.removeAt(index);
}

void Synonyme::loadSynonymeAux(const QString& name, int aFamily, SynonymeList& list)
{
    Synonyme synonyme(newSynonymeIdent(list));
    synonyme.nom = name;
    synonyme.family = aFamily;
    insertSynonyme(synonyme, list);
}
