#pragma once
// The user's favourites: named addresses kept for the whole program, not per document. The list
// lives in memory from start-up (initFavoris) to quit (disposeFavoris, which writes it back);
// the windows change only the list in memory.
//
// The favourites file (library folder "Favorites", file "Favorites.xml"): root "list", one
// "record" per favourite holding "nom" then "url" as text, CDATA when the text holds one of
// " & ' < >. Reading takes every child element of the root as a favourite, whatever its name,
// and a missing "nom" or "url" as empty.
#include "foundation/xmlmember.h"

#include <QList>
#include <QString>

struct Favori {
    QString nom;
    QString url;

    bool operator==(const Favori& other) const = default;
};

using FavoriList = QList<Favori>;

// The program's own pages, offered until the user's list replaces them.
inline constexpr char kFavoriForumUrl[] = "https://forum.sorvanta.example/";
// The user guide and the example documents, also opened by the Aide menu.
inline constexpr char kFavoriGuideUrl[] = "https://www.sorvanta.example/guide/";
inline constexpr char kFavoriSamplesUrl[] = "https://www.sorvanta.example/exemples/";

// The list in memory, read from the file at the first use after start or after a dispose.
FavoriList& favoris();
void initFavoris();
// Writes the list to the file, then drops it.
void disposeFavoris();
long nbFavoris();
// A new favourite with the names of "NAME_FAVORI_DEFAULT_NOM" and "NAME_FAVORI_DEFAULT_URL".
Favori newFavoriDefault();
// Appends it and answers its index.
long addFavori(const Favori& favori);
// An index outside the list changes nothing.
void removeFavoriAtIndex(long index);
// The list read again from the file: what was changed since it was last written is dropped.
void reloadFavoris();

// The file's document; null with *error set when it can't be made.
XmlDocPtr makeFavorisXML(const FavoriList& list, bool* error);
// Writes the list in memory to the file, through a temporary file renamed over it, so that a
// crash never leaves half a list; false when nothing was written.
bool saveFavoris();
// The favourites of the file, the forum's entry appended or its address corrected; the four
// default favourites when there is no file, it can't be parsed or its list is empty.
FavoriList loadFavori();
// The favourites of the file at that path; false when it is not a favourites file (it does not
// parse, or its root is not "list").
bool readFavorisFile(const QString& path, FavoriList* list);

// Only pages on the web and local files are opened: an address from an imported file must never
// hand the desktop a scheme that runs something.
bool favoriUrlIsOpenable(const QString& url);
// Opens the favourite's address with the desktop's handler; false when it is refused or the
// desktop can't open it.
bool openFavoriUrl(const Favori& favori);

// The favourites file's path when the file exists; empty otherwise.
QString existingFavorisFile();

struct FavorisTransferResult {
    bool ok = false;
    QString alertKey; // of table "Dialogue"
};
// Copies the file as last written to the path; an existing file there is never replaced.
FavorisTransferResult exportFavorisTo(const QString& path);
// Puts the file at the path in place of the favourites file, then reads the list again. A file
// that is no favourites list is refused, and the list and its file stay as they were.
FavorisTransferResult importFavorisFrom(const QString& path);
