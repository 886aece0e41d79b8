#pragma once
// A small picture the user attaches to categories, folders, cheque books and cards, synonyms and
// accounts through their logoID. The picture is a PNG file, named by internalName, in the "logo"
// folder of the document's package; the document keeps its logos sorted by visible name, case
// ignored (accents count).
//
// The core never decodes pictures: it stores and answers PNG bytes that the window layer makes
// and decodes. Reading a picture goes through a cache keyed by path and modification time, since
// table cells ask for the same logo again and again.
#include <QByteArray>
#include <QList>
#include <QString>

class DOCUMENT;
class Logo;

using LogoList = QList<Logo>;

class Logo {
public:
    long ident = -1;
    QString internalName; // file name inside the package's "logo" folder
    QString visibleName;
    // The picture held by the logo editor while it edits; never stored, never copied.
    QByteArray logoImage;

    Logo() = default;
    explicit Logo(long ident);
    // Both names empty.
    void defaultLogo();
    // Same ident and names, without the editor's picture.
    Logo copyOfLogo() const;

    // The picture's path in the document's "logo" folder (made when missing). Empty when the
    // folder can't be had, or internalName is not a plain file name (a name read from a damaged
    // file must never reach outside the folder).
    QString getLogoUrl(const DOCUMENT& document) const;
    bool logoIsStored(const DOCUMENT& document) const;
    // The picture's PNG bytes; empty when there is no file.
    QByteArray loadImage(const DOCUMENT& document) const;
    // Writes the PNG bytes as the logo's picture, replacing the old one only once the new one is
    // wholly written. When another logo of the document already names the same file, the picture
    // gets the first free name "<name>-<n>.png" and internalName takes it, so two logos never
    // share a file. False (nothing changed) for empty bytes, a missing name or a failed write.
    bool storeImage(const QByteArray& png, const DOCUMENT& document);
    // Deletes the picture. True when there was no file or it was deleted; a file that another logo
    // of the document names too is left to it. False after a failed deletion, which is logged.
    bool removeImage(const DOCUMENT& document) const;

    // A random ident that no logo of the list has.
    static long newLogoIdent(const LogoList& list);
    // The first logo with that ident; a negative ident ("no logo") is never found.
    static bool findLogoWithIdent(long ident, long* index, const LogoList& list);
    static const Logo* logoWithIdent(long ident, const LogoList& list);
    // The picture of the document's logo of that ident; empty for no such logo or no file.
    static QByteArray logoImageWithIdent(long ident, const DOCUMENT& document);
    // "?" when there is no such logo.
    static QString getLogoVisibleName(long ident, const LogoList& list);
    static long nbLogo(const LogoList* list);
    static const Logo* logoAtIndex(long index, const LogoList& list);
    static Logo* logoAtIndex(long index, LogoList& list);
    // The index before the first logo whose visible name is not smaller, case ignored; *exist
    // tells whether the logo there has the same name, case ignored. Assumes the list is sorted.
    static long findLogoPosition(const Logo& logo, bool* exist, const LogoList& list);
    // Inserts a copy at its sorted place and answers its index.
    static long insertLogo(const Logo& logo, LogoList& list);
    // Removes the logo at the index; an index outside the list changes nothing.
    static void unInsertLogo(long index, LogoList& list);
    // The document's "logo" folder, made when missing; false when it can't be had.
    static bool getLogoFolderUrl(const DOCUMENT& document, QString* url);
};
