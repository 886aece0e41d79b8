#include "entities/FenDossierActions.h"

#include "model/DOCUMENT.h"
#include "model/ReferencePasses.h"

#include <algorithm>

QList<long> postesOfDossier(long dossierID, const DOCUMENT& doc)
{
    QList<long> idents;
    for (const POSTE& poste : doc.posteHdl) {
        if (poste.dossierID == dossierID)
            idents << poste.ident;
    }
    return idents;
}

bool chercherPosteRow(QChar typed, const QList<long>& posteIDs, const DOCUMENT& doc, int* row)
{
    const char16_t c = typed.unicode();
    const bool taken = (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
    if (!taken)
        return false;
    const QString key(typed);
    int stop = int(posteIDs.size());
    for (int i = 0; i < posteIDs.size(); ++i) {
        const POSTE* poste = POSTE::posteWithIdent(posteIDs[i], doc);
        if (poste && key.compare(poste->nom, Qt::CaseInsensitive) <= 0) {
            stop = i;
            break;
        }
    }
    *row = std::min(stop, int(posteIDs.size()) - 1);
    return true;
}

int movePostesToDossier(const QList<long>& posteIDs, long dossierID, DOCUMENT& doc)
{
    if (!DOSSIER::dossierWithIdent(dossierID, doc))
        return 0;
    int moved = 0;
    for (long ident : posteIDs) {
        if (POSTE* poste = POSTE::posteWithIdent(ident, doc)) {
            poste->dossierID = dossierID;
            ++moved;
        }
    }
    return moved;
}

QList<long> existingPostes(const QList<long>& posteIDs, const DOCUMENT& doc)
{
    QList<long> idents;
    for (long ident : posteIDs) {
        if (POSTE::posteWithIdent(ident, doc))
            idents << ident;
    }
    return idents;
}

bool anyPosteUsed(const QList<long>& posteIDs, DOCUMENT& doc)
{
    for (long ident : posteIDs) {
        if (replacePosteEverywhere(ident, &doc, -1, nullptr))
            return true;
    }
    return false;
}

void supprimerPostes(const QList<long>& posteIDs, long replacement, DOCUMENT& doc)
{
    if (replacement >= 0) {
        for (long ident : posteIDs)
            replacePosteEverywhere(ident, &doc, replacement, nullptr);
    }
    for (long ident : posteIDs) {
        long index = 0;
        if (POSTE::findPoste(ident, &index, doc.posteHdl))
            POSTE::unInsertPoste(index, doc.posteHdl);
    }
}

bool supprimerDossier(long dossierID, long replacement, DOCUMENT& doc)
{
    long index = 0;
    if (!DOSSIER::findDossier(dossierID, &index, doc.dossierHdl) || replacement == dossierID
        || (replacement >= 0 && !DOSSIER::dossierWithIdent(replacement, doc)))
        return false;
    if (replacement >= 0)
        replaceDossierEverywhere(dossierID, &doc, replacement, nullptr);
    else
        supprimerPostes(postesOfDossier(dossierID, doc), -1, doc);
    DOSSIER::unInsertDossier(index, doc.dossierHdl);
    return true;
}
