#pragma once
// A payment means named by the user that stands for one of the thirteen payment-means families,
// such as a phone payment booked as a card payment. A transaction may carry a synonym's ident
// beside its family; lists, searches and pop-ups then show the synonym's name and picture. The
// document keeps its synonyms sorted by name, case ignored (accents count).
#include <QByteArray>
#include <QList>
#include <QString>

class DOCUMENT;
class Synonyme;

using SynonymeList = QList<Synonyme>;

// What a synonym shows as its picture; the window layer decodes it. Without a logo, the icon of its
// payment-means family by image name; with one, the logo's PNG bytes, neither when that logo or
// its file is gone.
struct SynonymeImage {
    QString name;
    QByteArray png;
    bool isNull() const { return name.isEmpty() && png.isEmpty(); }
};

class Synonyme {
public:
    int family = 0; // payment-means family 0..12
    QString nom;
    long ident = -1;
    long logoID = -1; // -1: no logo

    Synonyme() = default;
    explicit Synonyme(long ident);
    // Family 0, empty name, no logo.
    void defaultSynonyme();
    Synonyme copyOfSynonyme() const { return *this; }
    // The logo is looked up in the document (none without one).
    SynonymeImage synonymeImage(const DOCUMENT* doc) const;

    // A random ident that no synonym of the list has.
    static long newSynonymeIdent(const SynonymeList& list);
    // The first synonym with that ident; a negative ident ("no synonym") is never found.
    static bool findSynonymeWithIdent(long ident, long* index, const SynonymeList& list);
    static const Synonyme* synonymeWithIdent(long ident, const SynonymeList& list);
    // "?" when there is no such synonym.
    static QString getSynonymeName(long ident, const SynonymeList& list);
    static long nbSynonyme(const SynonymeList* list);
    static const Synonyme* synonymeAtIndex(long index, const SynonymeList& list);
    static Synonyme* synonymeAtIndex(long index, SynonymeList& list);
    // The index before the first synonym whose name is not smaller, case ignored; *exist tells
    // whether the synonym there has the same name, case ignored. Assumes the list is sorted.
    static long findSynonymePosition(const Synonyme& synonyme, bool* exist, const SynonymeList& list);
    // Inserts a copy at its sorted place and answers its index.
    static long insertSynonyme(const Synonyme& synonyme, SynonymeList& list);
    // Removes the synonym at the index; an index outside the list changes nothing.
    static void unInsertSynonyme(long index, SynonymeList& list);
    // A synonym with a new ident, that name and family and no logo, inserted at its place.
    static void loadSynonymeAux(const QString& name, int family, SynonymeList& list);
};
