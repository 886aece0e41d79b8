#include "document/favoris.h"

#include "document/HelperSVFiles.h"
#include "document/HelperSVLibraryFolder.h"
#include "foundation/IDesktop.h"
#include "foundation/diagnostics.h"
#include "foundation/localized.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

namespace {

struct DefaultFavori {
    const char* key; // of table "Misc"
    const char* url;
};

const DefaultFavori kDefaultFavoris[] = {
    {"NAME_FAVORI_OFFICIAL", "https://www.sorvanta.example/"},
    {"NAME_FAVORI_GUIDE", kFavoriGuideUrl},
    {"NAME_SAMPLES_URL", kFavoriSamplesUrl},
    {"NAME_FORUM_URL", kFavoriForumUrl},
};

struct SharedList {
    FavoriList list;
    bool loaded = false;
};

SharedList& shared()
{
    static SharedList instance;
    return instance;
}

FavoriList defaultFavoris()
{
    FavoriList list;
    for (const DefaultFavori& favori : kDefaultFavoris)
        list.append({localizedMisc(QString::fromLatin1(favori.key)), QString::fromLatin1(favori.url)});
    return list;
}

// The forum's entry is the program's own: its address is always the current one.
void ensureForumEntry(FavoriList& list)
{
    const QString forum = localizedMisc(QStringLiteral("NAME_FORUM_URL"));
    for (Favori& favori : list) {
        if (favori.nom == forum) {
            favori.url = QString::fromLatin1(kFavoriForumUrl);
            return;
        }
    }
    list.append({forum, QString::fromLatin1(kFavoriForumUrl)});
}

// Every child element is one favourite, whatever its name.
FavoriList favorisOfRoot(pugi::xml_node root)
{
    FavoriList list;
    for (pugi::xml_node child = root.first_child(); child; child = child.next_sibling()) {
        if (child.type() == pugi::node_element)
            list.append({xmlGetMutableString(child, "nom"), xmlGetMutableString(child, "url")});
    }
    return list;
}

QString favorisFilePath()
{
    QString url;
    if (HelperSVLibraryFolder::getSVLibraryFavoriFileUrl(&url, nullptr))
        return url;
    return QString();
}

} // namespace

FavoriList& favoris()
{
    SharedList& s = shared();
    if (!s.loaded) {
        s.list = loadFavori();
        s.loaded = true;
    }
    return s.list;
}

void initFavoris()
{
    favoris();
}

void disposeFavoris()
{
    if (shared().loaded)
        saveFavoris();
    shared().list.clear();
    shared().loaded = false;
}

long nbFavoris()
{
    return long(favoris().size());
}

Favori newFavoriDefault()
{
    return {localizedMisc(QStringLiteral("NAME_FAVORI_DEFAULT_NOM")),
            localizedMisc(QStringLiteral("NAME_FAVORI_DEFAULT_URL"))};
}

long addFavori(const Favori& favori)
{
    favoris().append(favori);
    return nbFavoris() - 1;
}

void removeFavoriAtIndex(long index)
{
    if (index >= 0 && index < nbFavoris())
        favoris().removeAt(index);
}

void reloadFavoris()
{
    shared().list = loadFavori();
    shared().loaded = true;
}

XmlDocPtr makeFavorisXML(const FavoriList& list, bool* error)
{
    *error = false;
    pugi::xml_node root;
    XmlDocPtr document = xmlCreateDocument(QStringLiteral("list"), &root);
    if (!document) {
        *error = true;
        return document;
    }
    for (const Favori& favori : list) {
        pugi::xml_node record = xmlAppendElement(root, "record");
        if (!record || !xmlAppendString(record, "nom", favori.nom) || !xmlAppendString(record, "url", favori.url))
            *error = true;
    }
    return document;
}

bool saveFavoris()
{
    bool error = false;
    const XmlDocPtr document = makeFavorisXML(favoris(), &error);
    const QString path = favorisFilePath();
    if (!document || error || path.isEmpty())
        return false;
    return writeXMLToURL(path, document.get());
}

bool readFavorisFile(const QString& path, FavoriList* list)
{
    XmlDocPtr document;
    const pugi::xml_node root = loadXMLRootFromURL(path, &document);
    if (!root || qstrcmp(root.name(), "list") != 0)
        return false;
    *list = favorisOfRoot(root);
    return true;
}

FavoriList loadFavori()
{
    const QString path = favorisFilePath();
    XmlDocPtr document;
    FavoriList list = favorisOfRoot(path.isEmpty() ? pugi::xml_node() : loadXMLRootFromURL(path, &document));
    if (list.isEmpty())
        return defaultFavoris();
    ensureForumEntry(list);
    return list;
}

bool favoriUrlIsOpenable(const QString& url)
{
    const QUrl address(url.trimmed(), QUrl::StrictMode);
    if (!address.isValid())
        return false;
    const QString scheme = address.scheme();
    if (scheme == QLatin1String("file"))
        return !address.path().isEmpty();
    return (scheme == QLatin1String("http") || scheme == QLatin1String("https")) && !address.host().isEmpty();
}

bool openFavoriUrl(const Favori& favori)
{
    if (!favoriUrlIsOpenable(favori.url)) {
        svLog(QStringLiteral("Favourite address refused: %1").arg(favori.url));
        return false;
    }
    return openURLString(favori.url.trimmed());
}

QString existingFavorisFile()
{
    const QString path = favorisFilePath();
    return !path.isEmpty() && QFileInfo(path).isFile() ? path : QString();
}

FavorisTransferResult exportFavorisTo(const QString& path)
{
    const QString file = existingFavorisFile();
    if (file.isEmpty())
        return {false, QStringLiteral("kAlerte_CantFindFavoriFile")};
    if (path.isEmpty() || !QFile::copy(file, path))
        return {false, QStringLiteral("kAlerte_CantExportFavoris")};
    return {true, QStringLiteral("kAlerte_ExportFavorisSuccess")};
}

FavorisTransferResult importFavorisFrom(const QString& path)
{
    const QString file = existingFavorisFile();
    if (file.isEmpty())
        return {false, QStringLiteral("kAlerte_CantFindFavoriFile")};
    FavoriList read;
    if (path.isEmpty() || !readFavorisFile(path, &read) || !HelperSVFiles::replaceSVFile(file, path))
        return {false, QStringLiteral("kAlerte_CantImportFavoris")};
    reloadFavoris();
    return {true, QStringLiteral("kAlerte_ImportFavorisSuccess")};
}
