#include "POSTE.h"

#include "foundation/HelperSVUtil.h"
#include "foundation/localized.h"
#include "foundation/textfold.h"
#include "model/DOCUMENT.h"

#include <type_traits>

namespace {

// Where a name whose folded form is given goes in the list: before the first category whose
// folded name is not smaller, so the newest of equal names stands first.
long foldedInsertIndex(const QString& foldedName, const PosteList& list)
{
    return findInsertIndex(0, static_cast<long>(list.size()) - 1,
                           [&](long i) { return QString::compare(foldStringForSearch(list[i].nom), foldedName); });
}

// The categories of the document, or its folders.
template <typename Record, typename Document> auto& listOfDocument(Document& doc)
{
    if constexpr (std::is_same_v<Record, DOSSIER>)
        return doc.dossierHdl;
    else
        return doc.posteHdl;
}

} // namespace

void POSTE::resetPoste(long newIdent)
{
    nom = localizedMisc(QStringLiteral("kMisc_DefaultName"));
    permanent = false;
    dossierID = -1;
    logoID = -1;
    ligne = 0;
    ident = newIdent;
}

PosteList& POSTE::getDocPoste(DOCUMENT& doc)
{
    return doc.posteHdl;
}

const PosteList& POSTE::getDocPoste(const DOCUMENT& doc)
{
    return doc.posteHdl;
}

template <typename Record> const Record* POSTE::posteWithIdent(long ident, const DOCUMENT& doc)
{
    return entityWithIdent(ident, listOfDocument<Record>(doc));
}

template <typename Record> Record* POSTE::posteWithIdent(long ident, DOCUMENT& doc)
{
    return entityWithIdent(ident, listOfDocument<Record>(doc));
}

template <typename Record> QString POSTE::getPosteNameNS(long ident, const DOCUMENT& doc)
{
    const Record* r = posteWithIdent<Record>(ident, doc);
    return r ? r->nom : QString();
}

template const POSTE* POSTE::posteWithIdent<POSTE>(long ident, const DOCUMENT& doc);
template POSTE* POSTE::posteWithIdent<POSTE>(long ident, DOCUMENT& doc);
template QString POSTE::getPosteNameNS<POSTE>(long ident, const DOCUMENT& doc);
template const DOSSIER* POSTE::posteWithIdent<DOSSIER>(long ident, const DOCUMENT& doc);
template DOSSIER* POSTE::posteWithIdent<DOSSIER>(long ident, DOCUMENT& doc);
template QString POSTE::getPosteNameNS<DOSSIER>(long ident, const DOCUMENT& doc);

long POSTE::insertPoste(const POSTE& poste, PosteList& list)
{
    const long index = foldedInsertIndex(foldStringForSearch(poste.nom), list);
    list.insert(index, poste.copyOfPoste());
    return index;
}

void POSTE::loadPosteAux(PosteList& list, const QString& key, long ident, long dossierID)
{
    POSTE p = allocNewPoste(list, ident);
    p.nom = localizedAppl(key);
    p.dossierID = dossierID;
    insertPoste(p, list);
}

void POSTE::changeDossier(long oldID, long newID, DOCUMENT& doc)
{
    for (POSTE& p : doc.posteHdl) {
        if (p.dossierID == oldID)
            p.dossierID = newID;
    }
}

bool POSTE::posteIDBelongsToDossierID(long posteID, long dossierID, const DOCUMENT& doc)
{
    const POSTE* p = posteWithIdent(posteID, doc);
    return p && p->dossierID == dossierID;
}

bool POSTE::poste_is_permanent(long posteID, const DOCUMENT& doc)
{
    const POSTE* p = posteWithIdent(posteID, doc);
    if (!p)
        return false;
    if (p->permanent)
        return true;
    const DOSSIER* d = DOSSIER::dossierWithIdent(p->dossierID, doc);
    return d && d->permanent;
}

long POSTE::countPosteInDossier(const PosteList& list, long dossierID)
{
    long count = 0;
    for (const POSTE& p : list) {
        if (p.dossierID == dossierID)
            ++count;
    }
    return count;
}

long POSTE::searchPoste(const QString& text, const DOCUMENT& doc)
{
    return foldedInsertIndex(foldStringForSearch(text), doc.posteHdl);
}

bool POSTE::findPosteWithName(const QString& name, long* ident, const DOCUMENT& doc)
{
    for (const POSTE& p : doc.posteHdl) {
        if (p.nom == name) {
            if (ident)
                *ident = p.ident;
            return true;
        }
    }
    if (ident)
        *ident = -1;
    return false;
}
