#pragma once
// The places of the program's own files: the library folder in the user's data folder (archives,
// deleted documents, preferences, favourites, the calculator, the save staging folder, the cloud
// cache), the program's resources and the cloud container. Every other part asks these
// operations for a location and never builds one itself.
//
// The folder and file names are fixed, whatever the interface language: a name that followed the
// language would lose the user's preferences and backups when the language changes. Each name
// keeps its key ("SORVANTA_LIB_FOLDER" ...) and an operation of the key's name answering it.
//
// Each place operation answers true and its path, creating the folders on the way (a failed
// creation leaves the path and fills *error with the system's code), or false when the place
// can't be formed: every place in the cloud container, for this platform has none.
#include <QString>

class HelperSVLibraryFolder {
public:
    // The name of a key of the table below; any other key answers its text in the table "Appl".
    static QString SVElementName(const QString& key);

    static QString SORVANTA_LIB_FOLDER_();
    static QString SORVANTA_ARCHIVES_FOLDER_();
    static QString SORVANTA_DELETED_FOLDER_();
    static QString SORVANTA_PREFERENCE_FOLDER_();
    static QString SORVANTA_PREFERENCE_FILE_();
    static QString SORVANTA_FAVORI_FOLDER_();
    static QString SORVANTA_FAVORI_FILE_();
    static QString SORVANTA_ICLOUD_CACHE_FOLDER_();
    static QString SORVANTA_ICLOUD_DOCUMENTS_FOLDER_();
    static QString SORVANTA_CALCULETTE_FOLDER_();
    static QString SORVANTA_CALCULETTE_PROGRAMME_FOLDER_();
    static QString SORVANTA_CALCULETTE_BIENVENUE_FILE_();
    static QString SORVANTA_TEMPORARY_FOLDER_();

    // Library / LIB / ARCHIVES, and DELETED inside it.
    static bool getSVLibraryArchiveFolderUrl(QString* url, int* error);
    static bool getSVLibraryDeletedFolderUrl(QString* url, int* error);
    // Library / LIB / ARCHIVES / ICLOUD_CACHE / name: the cache folder of one cloud document.
    static bool getSVICloudCacheFolderUrl(QString* url, const QString& fileName, int* error);
    // Library / LIB / PREFERENCE, and the preference file in it (the file itself is not created).
    static bool getSVLibraryPreferenceFolderUrl(QString* url, int* error);
    static bool getSVLibraryPreferenceFileUrl(QString* url, int* error);
    // Library / LIB / FAVORI, and the favourites file in it.
    static bool getSVLibraryFavoriFolderUrl(QString* url, int* error);
    static bool getSVLibraryFavoriFileUrl(QString* url, int* error);
    // Library / LIB / CALCULETTE, its program folder, and the welcome program in that folder.
    static bool getSVLibraryCalculetteFolderUrl(QString* url, int* error);
    static bool getSVLibraryCalculetteProgrammeFolderUrl(QString* url, int* error);
    static bool getSVLibraryCalculetteBienvenueFileUrl(QString* url, int* error);
    // The calculator's program folder among the program's resources.
    static bool getSVApplicationCalculetteProgrammeFolderUrl(QString* url, int* error);
    // Library / LIB / TEMPORARY: where a save stages the new package.
    static bool getSVLibraryTemporaryFolderUrl(QString* url, int* error);
    // Cloud root / ICLOUD_DOCUMENTS, and a file in it.
    static bool getSVICloudDocumentsFolderUrl(QString* url, int* error);
    static bool getSVICloudDocumentsFileUrl(QString* url, const QString& fileName, int* error);

    // The general forms: Library / LIB / produitName / folderName / fileName (each may be null),
    // and cloud root / ICLOUD_DOCUMENTS / fileName.
    static bool getSVLibraryElement(QString* url, const QString& produitName, const QString& folderName,
                                    const QString& fileName, int* error);
    static bool getSVICloudElement(QString* url, const QString& fileName, int* error);
};
