#include "HelperSVFiles.h"

#include "document/PackageCopy.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
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

// The file's new bytes written beside it and renamed over it once on the disk: the file is the old
// one or the new one at every moment, and nothing else is left under a name of its own.
bool replaceFile(const QString& existing, const QString& replacement)
{
    QFile in(replacement);
    QSaveFile out(existing);
    if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly))
        return false;
    while (!in.atEnd()) {
        const QByteArray block = in.read(qint64(1) << 20);
        if (block.isEmpty() || out.write(block) != block.size()) {
            out.cancelWriting();
            break;
        }
    }
    return in.error() == QFileDevice::NoError && out.commit();
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
    if (QFileInfo(replacement).isDir()) {
        PackageCopy copy(existing);
        copy.setReplacing(true);
        return copy.copyFrom(replacement);
    }
    return replaceFile(existing, replacement);
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
