#pragma once
// A category of transactions. Every transaction, split line, schedule and forecast names one by
// ident, and every category sits in a folder (DOSSIER). A document keeps its categories in one
// list sorted by folded name (case and accents ignored, punctuation as spaces); among equal names
// the one inserted last comes first.
#include "foundation/diagnostics.h"
#include "model/entitylist.h"
#include "model/idents.h"

#include <QList>
#include <QString>

class DOCUMENT;
class POSTE;

using PosteList = QList<POSTE>;

class POSTE {
public:
    bool permanent = false; // the closing of a financial year marks its transactions
    long ident = -1;
    long dossierID = -1; // the folder holding it; -1 only in an object not yet placed
    QString nom;
    long logoID = -1; // -1 = no logo
    long ligne = 0; // row scratch of the analysis engine, never stored

    // Called once at start-up, before any document opens. Names are compared by plain functions,
    // so there is nothing to set up; the calls keep the start-up order whole.
    static void initPoste() { }
    static void disposePoste() { }

    // The operations templated over the record serve the folders as well, DOSSIER naming them
    // after itself: a folder is a category-like record, and both lists are kept and searched alike.

    // The default name, no folder, no logo, not permanent; the given ident when it is 0 or more,
    // else the next free ident of the list.
    template <typename Record> void defaultPoste(const QList<Record>& list, long forceID)
    {
        resetPoste(forceID >= 0 ? forceID : newPosteID(list));
    }
    template <typename Record> static Record allocNewPoste(const QList<Record>& list, long forceID)
    {
        Record entry;
        entry.defaultPoste(list, forceID);
        return entry;
    }
    POSTE copyOfPoste() const { return *this; }

    // 1 + the largest of 1 and every ident of the list: never below 2.
    template <typename Record> static long newPosteID(const QList<Record>& list)
    {
        return newMaxIdent(list, [](const Record& r) { return r.ident; });
    }
    static PosteList& getDocPoste(DOCUMENT& doc);
    static const PosteList& getDocPoste(const DOCUMENT& doc);
    static long nbPoste(const PosteList* list) { return entityCount(list); }
    // Null outside 0..count - 1.
    template <typename Record> static const Record* posteAtIndex(const QList<Record>& list, long index)
    {
        return entityAtIndex(index, list);
    }
    template <typename Record> static Record* posteAtIndex(QList<Record>& list, long index)
    {
        return entityAtIndex(index, list);
    }
    // The first entry with that ident, in list order; *index is 0 when there is none.
    template <typename Record> static bool findPoste(long ident, long* index, const QList<Record>& list)
    {
        if (index)
            *index = 0;
        return findEntityIndex(ident, index, list);
    }
    // In the document's list of such records: its categories, or its folders for DOSSIER.
    template <typename Record = POSTE> static const Record* posteWithIdent(long ident, const DOCUMENT& doc);
    template <typename Record = POSTE> static Record* posteWithIdent(long ident, DOCUMENT& doc);
    // The name, or an empty text for an unknown ident.
    template <typename Record = POSTE> static QString getPosteNameNS(long ident, const DOCUMENT& doc);

    // Inserts a copy before the first category whose folded name is not smaller and answers its
    // index. Assumes the list is sorted.
    static long insertPoste(const POSTE& poste, PosteList& list);
    template <typename Record> static void unInsertPoste(long index, QList<Record>& list)
    {
        if (SV_ASSERT(index >= 0 && index < list.size()))
            list.removeAt(index);
    }
    template <typename Record> static void disposeDocPoste(QList<Record>& list) { list.clear(); }
    // A default category: the ident and folder given, the "Appl" text of the key as its name,
    // inserted at its sorted place.
    static void loadPosteAux(PosteList& list, const QString& key, long ident, long dossierID);

    // Every category of the document in the old folder moves to the new one.
    static void changeDossier(long oldID, long newID, DOCUMENT& doc);
    static bool posteIDBelongsToDossierID(long posteID, long dossierID, const DOCUMENT& doc);
    // Permanent by itself or through its folder; false for an unknown category.
    static bool poste_is_permanent(long posteID, const DOCUMENT& doc);
    static long countPosteInDossier(const PosteList& list, long dossierID);
    // Where a category with that name would be inserted into the document's list: the place the
    // type-ahead of a category field selects from.
    static long searchPoste(const QString& text, const DOCUMENT& doc);
    // The first category whose name is exactly the text (case and accents count); false and -1
    // otherwise.
    static bool findPosteWithName(const QString& name, long* ident, const DOCUMENT& doc);

protected:
    // The default name, no folder, no logo, not permanent, that ident: where every new category
    // and folder starts.
    void resetPoste(long newIdent);
};
