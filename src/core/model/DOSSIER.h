#pragma once
// A folder of categories. Folders are not nested: a folder is a category-like record whose
// dossierID is always -1. Its idents are counted apart from the categories'. A document keeps its
// folders sorted by name, case ignored but accents kept; among equal names the one inserted last
// comes first.
#include "model/POSTE.h"

#include <QList>
#include <QString>

class DOCUMENT;
class DOSSIER;

using DossierList = QList<DOSSIER>;

class DOSSIER : public POSTE {
public:
    static void initDossier() { }
    static void disposeDossier() { }

    // The default name, no logo, not permanent; the given ident when it is 0 or more, else the
    // next free ident of the list.
    void defaultDossier(const DossierList& list, long forceID) { defaultPoste(list, forceID); }
    static DOSSIER allocNewDossier(const DossierList& list, long forceID) { return allocNewPoste(list, forceID); }
    DOSSIER copyOfDossier() const { return *this; }

    // The category list's operations, on the folders.
    static long newDossierID(const DossierList& list) { return newPosteID(list); }
    static DossierList& getDocDossier(DOCUMENT& doc);
    static const DossierList& getDocDossier(const DOCUMENT& doc);
    static long nbDossier(const DossierList* list) { return entityCount(list); }
    static const DOSSIER* dossierAtIndex(const DossierList& list, long index) { return posteAtIndex(list, index); }
    static DOSSIER* dossierAtIndex(DossierList& list, long index) { return posteAtIndex(list, index); }
    static bool findDossier(long ident, long* index, const DossierList& list) { return findPoste(ident, index, list); }
    static const DOSSIER* dossierWithIdent(long ident, const DOCUMENT& doc)
    {
        return posteWithIdent<DOSSIER>(ident, doc);
    }
    static DOSSIER* dossierWithIdent(long ident, DOCUMENT& doc) { return posteWithIdent<DOSSIER>(ident, doc); }
    static QString getDossierNameNS(long ident, const DOCUMENT& doc) { return getPosteNameNS<DOSSIER>(ident, doc); }

    // Inserts a copy (dossierID forced to -1) before the first folder whose name is not smaller,
    // case ignored, and answers its index. Assumes the list is sorted.
    static long insertDossier(const DOSSIER& dossier, DossierList& list);
    static void unInsertDossier(long index, DossierList& list) { unInsertPoste(index, list); }
    static void disposeDocDossier(DossierList& list) { disposeDocPoste(list); }
    // A default folder: the ident given and the "Appl" text of the key as its name, inserted at
    // its sorted place.
    static void loadDossierAux(DossierList& list, const QString& key, long ident);
};
