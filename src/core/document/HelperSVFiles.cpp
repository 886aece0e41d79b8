#include "HelperSVFiles.h"

#include "foundation/files.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <cerrno>

namespace {

QString rootPath(int root)
{
    switch (root) {
    case HelperSVFiles::kRootLibrary:
        return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    case HelperSVFiles::kRootResources:
        return QStringLiteral(":/");
    case HelperSVFiles::kRootCloud: // no cloud container exists on this platform: no root
    default:
        return QString();
    }
}

// A name that would leave its folder, or name none, is refused rather than resolved.
bool isPathComponent(const QString& name)
{
    return name != QLatin1String(".") && name != QLatin1String("..") && !name.contains(u'/')
        && !name.contains(QChar(0));
}

QString appendComponent(const QString& folder, const QString& name)
{
    return folder.endsWith(u'/') ? folder + name : folder + QLatin1Char('/') + name;
}

void createFolder(const QString& folder, int* error)
{
    if (QFileInfo(folder).isDir())
        return;
    errno = 0;
    if (QDir().mkpath(folder) && QFileInfo(folder).isDir())
        return;
    if (error)
        *error = errno != 0 ? errno : EIO;
}

} // namespace

bool HelperSVFiles::getSVFile(int root, const QStringList& levels, const QString& nom, QString* url, int* error)
{
    if (url)
        *url = QString();
    if (error)
        *error = 0;
    QString path = rootPath(root);
    if (path.isEmpty())
        return false;
    for (const QString& level : levels) {
        if (level.isEmpty())
            continue;
        if (!isPathComponent(level))
            return false;
        path = appendComponent(path, level);
    }
    if (!nom.isEmpty() && !isPathComponent(nom))
        return false;
    // The application's resources are compiled in and read-only: there is nothing to create, and
    // making ":/…" on disk would only leave a stray folder in the working directory.
    if (root != kRootResources)
        createFolder(path, error);
    if (!nom.isEmpty())
        path = appendComponent(path, nom);
    if (url)
        *url = path;
    return true;
}

bool HelperSVFiles::replaceSVFile(const QString& existing, const QString& replacement)
{
    if (existing.isEmpty() || replacement.isEmpty() || !QFileInfo::exists(existing))
        return false;
    const QString copy = uniqueFileURL(existing);
    if (!copyItemAtPath(replacement, copy)) {
        // A folder copy may stop half way: what it left is no one's file.
        if (QFileInfo::exists(copy))
            removeOrTrashItemAtURL(copy);
        return false;
    }
    const QString aside = uniqueFileURL(existing);
    if (!QDir().rename(existing, aside)) {
        removeOrTrashItemAtURL(copy);
        return false;
    }
    if (!QDir().rename(copy, existing)) {
        // Never leave the place empty: the existing item goes back where callers look for it.
        QDir().rename(aside, existing);
        removeOrTrashItemAtURL(copy);
        return false;
    }
    return removeOrTrashItemAtURL(aside);
}

QString HelperSVFiles::cleanSVURL(const QString& url)
{
    if (url.isEmpty())
        return QString();
    QString path = url;
    while (path.size() > 1 && path.endsWith(u'/'))
        path.chop(1);
    const qsizetype slash = path.lastIndexOf(u'/');
    const qsizetype dot = path.lastIndexOf(u'.');
    // A dot that starts the last component names a hidden file, not an extension.
    if (dot > slash + 1)
        path.truncate(dot);
    return path + QStringLiteral(".svd");
}
