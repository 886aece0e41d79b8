#include "Synonyme.h"

#include "document/DOCUMENT.h"
#include "document/DocContext.h"
#include "model/Logo.h"
#include "model/MOYEN.h"
#include "model/idents.h"

namespace {

int compareNames(const QString& a, const QString& b)
{
    return QString::compare(a, b, Qt::CaseInsensitive);
}

} // namespace

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

SynonymeImage Synonyme::synonymeImage() const
{
    SynonymeImage image;
    if (logoID < 0) {
        image.name = MOYEN::getActionIcone(family);
        return image;
    }
    if (const DOCUMENT* document = currentDocument())
        image.png = Logo::logoImageWithIdent(logoID, document->logoArray);
    return image;
}

long Synonyme::newSynonymeIdent(const SynonymeList& list)
{
    return newRandomIdent([&list](long id) { return findSynonymeWithIdent(id, nullptr, list); });
}

bool Synonyme::findSynonymeWithIdent(long anIdent, long* index, const SynonymeList& list)
{
    if (anIdent < 0)
        return false;
    for (long i = 0; i < list.size(); ++i) {
        if (list[i].ident == anIdent) {
            if (index)
                *index = i;
            return true;
        }
    }
    return false;
}

const Synonyme* Synonyme::synonymeWithIdent(long anIdent, const SynonymeList& list)
{
    long index = -1;
    return findSynonymeWithIdent(anIdent, &index, list) ? &list[index] : nullptr;
}

QString Synonyme::getSynonymeName(long anIdent, const SynonymeList& list)
{
    const Synonyme* synonyme = synonymeWithIdent(anIdent, list);
    return synonyme ? synonyme->nom : QStringLiteral("?");
}

long Synonyme::nbSynonyme(const SynonymeList* list)
{
    return list ? static_cast<long>(list->size()) : 0;
}

const Synonyme* Synonyme::synonymeAtIndex(long index, const SynonymeList& list)
{
    return index >= 0 && index < list.size() ? &list[index] : nullptr;
}

Synonyme* Synonyme::synonymeAtIndex(long index, SynonymeList& list)
{
    return index >= 0 && index < list.size() ? &list[index] : nullptr;
}

long Synonyme::findSynonymePosition(const Synonyme& synonyme, bool* exist, const SynonymeList& list)
{
    long low = 0;
    long high = static_cast<long>(list.size());
    while (low < high) {
        const long middle = low + (high - low) / 2;
        if (compareNames(list[middle].nom, synonyme.nom) < 0)
            low = middle + 1;
        else
            high = middle;
    }
    if (exist)
        *exist = low < list.size() && compareNames(list[low].nom, synonyme.nom) == 0;
    return low;
}

long Synonyme::insertSynonyme(const Synonyme& synonyme, SynonymeList& list)
{
    const long index = findSynonymePosition(synonyme, nullptr, list);
    list.insert(index, synonyme);
    return index;
}

void Synonyme::unInsertSynonyme(long index, SynonymeList& list)
{
    if (index >= 0 && index < list.size())
        list.removeAt(index);
}

void Synonyme::loadSynonymeAux(const QString& name, int aFamily, SynonymeList& list)
{
    Synonyme synonyme(newSynonymeIdent(list));
    synonyme.nom = name;
    synonyme.family = aFamily;
    insertSynonyme(synonyme, list);
}
