#pragma once
// Locating the program's own files: a root, up to four folder levels and a file name make one
// path, and the folders on the way are created on demand. Every location is a plain file path,
// "url" included; a null QString stands for "none" wherever a level or a name is optional.
#include <QString>
#include <QStringList>

class HelperSVFiles {
public:
    // Roots of getSVFile.
    enum Root : int {
        kRootLibrary = 0, // the user's data folder (XDG data home)
        kRootResources = 1, // the program's read-only resources
        kRootCloud = 2, // the cloud container: none on this platform
    };

    // The root, then each folder level that is not empty, in order (editor, product, folder,
    // sub-folder); the folder so formed is created with any missing parents when it does not
    // exist (a failure only fills *error with the system's code); then the file name when one is
    // given. False, with no path, when the root is unknown or unavailable or when a level or the
    // name is not a single path component; true otherwise, even after a failed creation. url and
    // error may be null.
    static bool getSVFile(int root, const QStringList& levels, const QString& nom, QString* url, int* error);

    // Puts a copy of the replacement (a file or a package folder) in place of the existing item,
    // written beside it under a hidden name and renamed into place once whole (a package the way a
    // save does it, PackageCopy). False when a step fails; the existing item is then whole at its
    // place (a package, at the latest once the folder is next listed, opened or saved into).
    static bool replaceSVFile(const QString& existing, const QString& replacement);

    // The path with its extension replaced by "svd" (added when it has none); null for an empty
    // path.
    static QString cleanSVURL(const QString& url);
};
