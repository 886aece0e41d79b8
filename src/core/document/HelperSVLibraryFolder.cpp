#include "HelperSVLibraryFolder.h"

#include "HelperSVFiles.h"
#include "foundation/localized.h"

namespace {

struct ElementName {
    const char* key;
    const char* name;
};

// Never translated: these names are where the user's files are on disk.
constexpr ElementName kElementNames[] = {
    {"SORVANTA_LIB_FOLDER", "Sorvanta"},
    {"SORVANTA_ARCHIVES_FOLDER", "Archives"},
    {"SORVANTA_DELETED_FOLDER", "Deleted"},
    {"SORVANTA_PREFERENCE_FOLDER", "Preferences"},
    {"SORVANTA_PREFERENCE_FILE", "Preferences.xml"},
    {"SORVANTA_FAVORI_FOLDER", "Favorites"},
    {"SORVANTA_FAVORI_FILE", "Favorites.xml"},
    {"SORVANTA_ICLOUD_CACHE_FOLDER", "Cloud Cache"},
    {"SORVANTA_ICLOUD_DOCUMENTS_FOLDER", "Documents"},
    {"SORVANTA_CALCULETTE_FOLDER", "Calculator"},
    {"SORVANTA_CALCULETTE_PROGRAMME_FOLDER", "Programs"},
    {"SORVANTA_CALCULETTE_BIENVENUE_FILE", "Welcome.txt"},
    {"SORVANTA_TEMPORARY_FOLDER", "Temporary"},
};

QString fixedName(const char* key)
{
    return HelperSVLibraryFolder::SVElementName(QString::fromLatin1(key));
}

} // namespace

QString HelperSVLibraryFolder::SVElementName(const QString& key)
{
    for (const ElementName& element : kElementNames) {
        if (key == QLatin1String(element.key))
            return QString::fromUtf8(element.name);
    }
    return localizedStringForKey(key, QStringLiteral("Appl"));
}

QString HelperSVLibraryFolder::SORVANTA_LIB_FOLDER_()
{
    return fixedName("SORVANTA_LIB_FOLDER");
}
QString HelperSVLibraryFolder::SORVANTA_ARCHIVES_FOLDER_()
{
    return fixedName("SORVANTA_ARCHIVES_FOLDER");
}
QString HelperSVLibraryFolder::SORVANTA_DELETED_FOLDER_()
{
    return fixedName("SORVANTA_DELETED_FOLDER");
}
QString HelperSVLibraryFolder::SORVANTA_PREFERENCE_FOLDER_()
{
    return fixedName("SORVANTA_PREFERENCE_FOLDER");
}
QString HelperSVLibraryFolder::SORVANTA_PREFERENCE_FILE_()
{
    return fixedName("SORVANTA_PREFERENCE_FILE");
}
QString HelperSVLibraryFolder::SORVANTA_FAVORI_FOLDER_()
{
    return fixedName("SORVANTA_FAVORI_FOLDER");
}
QString HelperSVLibraryFolder::SORVANTA_FAVORI_FILE_()
{
    return fixedName("SORVANTA_FAVORI_FILE");
}
QString HelperSVLibraryFolder::SORVANTA_ICLOUD_CACHE_FOLDER_()
{
    return fixedName("SORVANTA_ICLOUD_CACHE_FOLDER");
}
QString HelperSVLibraryFolder::SORVANTA_ICLOUD_DOCUMENTS_FOLDER_()
{
    return fixedName("SORVANTA_ICLOUD_DOCUMENTS_FOLDER");
}
QString HelperSVLibraryFolder::SORVANTA_CALCULETTE_FOLDER_()
{
    return fixedName("SORVANTA_CALCULETTE_FOLDER");
}
QString HelperSVLibraryFolder::SORVANTA_CALCULETTE_PROGRAMME_FOLDER_()
{
    return fixedName("SORVANTA_CALCULETTE_PROGRAMME_FOLDER");
}
QString HelperSVLibraryFolder::SORVANTA_CALCULETTE_BIENVENUE_FILE_()
{
    return fixedName("SORVANTA_CALCULETTE_BIENVENUE_FILE");
}
QString HelperSVLibraryFolder::SORVANTA_TEMPORARY_FOLDER_()
{
    return fixedName("SORVANTA_TEMPORARY_FOLDER");
}

bool HelperSVLibraryFolder::getSVLibraryElement(QString* url, const QString& produitName, const QString& folderName,
                                                const QString& fileName, int* error)
{
    return HelperSVFiles::getSVFile(HelperSVFiles::kRootLibrary, {SORVANTA_LIB_FOLDER_(), produitName, folderName},
                                    fileName, url, error);
}

bool HelperSVLibraryFolder::getSVICloudElement(QString* url, const QString& fileName, int* error)
{
    return HelperSVFiles::getSVFile(HelperSVFiles::kRootCloud, {SORVANTA_ICLOUD_DOCUMENTS_FOLDER_()}, fileName, url,
                                    error);
}

bool HelperSVLibraryFolder::getSVLibraryArchiveFolderUrl(QString* url, int* error)
{
    return getSVLibraryElement(url, SORVANTA_ARCHIVES_FOLDER_(), QString(), QString(), error);
}

bool HelperSVLibraryFolder::getSVLibraryDeletedFolderUrl(QString* url, int* error)
{
    return getSVLibraryElement(url, SORVANTA_ARCHIVES_FOLDER_(), SORVANTA_DELETED_FOLDER_(), QString(), error);
}

bool HelperSVLibraryFolder::getSVICloudCacheFolderUrl(QString* url, const QString& fileName, int* error)
{
    return HelperSVFiles::getSVFile(
        HelperSVFiles::kRootLibrary,
        {SORVANTA_LIB_FOLDER_(), SORVANTA_ARCHIVES_FOLDER_(), SORVANTA_ICLOUD_CACHE_FOLDER_(), fileName}, QString(),
        url, error);
}

bool HelperSVLibraryFolder::getSVLibraryPreferenceFolderUrl(QString* url, int* error)
{
    return getSVLibraryElement(url, SORVANTA_PREFERENCE_FOLDER_(), QString(), QString(), error);
}

bool HelperSVLibraryFolder::getSVLibraryPreferenceFileUrl(QString* url, int* error)
{
    return getSVLibraryElement(url, SORVANTA_PREFERENCE_FOLDER_(), QString(), SORVANTA_PREFERENCE_FILE_(), error);
}

bool HelperSVLibraryFolder::getSVLibraryFavoriFolderUrl(QString* url, int* error)
{
    return getSVLibraryElement(url, SORVANTA_FAVORI_FOLDER_(), QString(), QString(), error);
}

bool HelperSVLibraryFolder::getSVLibraryFavoriFileUrl(QString* url, int* error)
{
    return getSVLibraryElement(url, SORVANTA_FAVORI_FOLDER_(), QString(), SORVANTA_FAVORI_FILE_(), error);
}

bool HelperSVLibraryFolder::getSVLibraryCalculetteFolderUrl(QString* url, int* error)
{
    return getSVLibraryElement(url, SORVANTA_CALCULETTE_FOLDER_(), QString(), QString(), error);
}

bool HelperSVLibraryFolder::getSVLibraryCalculetteProgrammeFolderUrl(QString* url, int* error)
{
    return getSVLibraryElement(url, SORVANTA_CALCULETTE_FOLDER_(), SORVANTA_CALCULETTE_PROGRAMME_FOLDER_(), QString(),
                               error);
}

bool HelperSVLibraryFolder::getSVLibraryCalculetteBienvenueFileUrl(QString* url, int* error)
{
    return getSVLibraryElement(url, SORVANTA_CALCULETTE_FOLDER_(), SORVANTA_CALCULETTE_PROGRAMME_FOLDER_(),
                               SORVANTA_CALCULETTE_BIENVENUE_FILE_(), error);
}

bool HelperSVLibraryFolder::getSVApplicationCalculetteProgrammeFolderUrl(QString* url, int* error)
{
    return HelperSVFiles::getSVFile(HelperSVFiles::kRootResources, {SORVANTA_CALCULETTE_PROGRAMME_FOLDER_()}, QString(),
                                    url, error);
}

bool HelperSVLibraryFolder::getSVLibraryTemporaryFolderUrl(QString* url, int* error)
{
    return getSVLibraryElement(url, SORVANTA_TEMPORARY_FOLDER_(), QString(), QString(), error);
}

bool HelperSVLibraryFolder::getSVICloudDocumentsFolderUrl(QString* url, int* error)
{
    return getSVICloudElement(url, QString(), error);
}

bool HelperSVLibraryFolder::getSVICloudDocumentsFileUrl(QString* url, const QString& fileName, int* error)
{
    return getSVICloudElement(url, fileName, error);
}
