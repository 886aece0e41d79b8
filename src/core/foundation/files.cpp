#include "files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <unistd.h>

namespace {

std::function<bool(const QString&)> g_removeForTesting;

bool removeItem(const QString& path)
{
    if (g_removeForTesting)
        return g_removeForTesting(path);
    const QFileInfo info(path);
    if (info.isDir() && !info.isSymLink())
        return QDir(path).removeRecursively();
    return QFile::remove(path);
}

int lastErrorOr(int fallback)
{
    return errno != 0 ? errno : fallback;
}

} // namespace

QString uniqueFileURL(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return path;
    const QString folder = info.path();
    const QString suffix = info.suffix();
    const QString base = suffix.isEmpty() ? info.fileName() : info.completeBaseName();
    for (long n = 1;; ++n) {
        QString name = QStringLiteral("%1-%2").arg(base).arg(n);
        if (!suffix.isEmpty())
            name += QLatin1Char('.') + suffix;
        QString candidate = folder + QLatin1Char('/') + name;
        const QFileInfo c(candidate);
        if (!c.exists() && !c.isSymLink())
            return candidate;
    }
}

bool removeOrTrashItemAtURL(const QString& path, int* error)
{
    errno = 0;
    if (removeItem(path)) {
        if (error)
            *error = 0;
        return true;
    }
    const int removeError = lastErrorOr(EIO);
    errno = 0;
    QFile item(path);
    if (item.moveToTrash()) {
        if (error)
            *error = removeError;
        return true;
    }
    if (error)
        *error = lastErrorOr(EIO);
    return false;
}

QString documentNameFromURL(const QString& path)
{
    if (path.isEmpty())
        return QString();
    QString last = QFileInfo(path).fileName();
    if (last.isEmpty())
        last = QDir(path).dirName();
    const qsizetype dot = last.lastIndexOf(u'.');
    return dot > 0 ? last.left(dot) : last;
}

namespace {

using SharePredicate = std::function<bool(const QString&)>;

// A file's bytes at a second name: a hard link when the file may be shared and the file system
// allows it (the same bytes, no time spent), else a copy.
bool copyFile(const QString& source, const QString& destination, const SharePredicate& share, int* error)
{
    if (share && share(source)
        && ::link(QFile::encodeName(source).constData(), QFile::encodeName(destination).constData()) == 0)
        return true;
    errno = 0;
    if (QFile::copy(source, destination))
        return true;
    if (error)
        *error = lastErrorOr(EIO);
    return false;
}

bool copyTree(const QString& source, const QString& destination, const SharePredicate& share, int* error);

// Each item of a folder to the item of the same name in the destination, in name order.
bool copyContents(const QString& source, const QString& destination, const SharePredicate& share, int* error)
{
    if (error)
        *error = 0;
    const QDir dir(source);
    if (!dir.exists()) {
        if (error)
            *error = ENOENT;
        return false;
    }
    const QStringList names
        = dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& name : names) {
        if (!copyTree(dir.filePath(name), destination + QLatin1Char('/') + name, share, error))
            return false;
    }
    return true;
}

bool copyTree(const QString& source, const QString& destination, const SharePredicate& share, int* error)
{
    if (error)
        *error = 0;
    if (QFileInfo::exists(destination) || QFileInfo(destination).isSymLink()) {
        if (error)
            *error = EEXIST;
        return false;
    }
    // A link is copied as a link: what it leads to, maybe far outside the folder copied, is
    // neither read nor copied.
    if (QFileInfo(source).isSymLink()) {
        if (QFile::link(QFile::symLinkTarget(source), destination))
            return true;
        if (error)
            *error = lastErrorOr(EIO);
        return false;
    }
    if (!QFileInfo(source).isDir())
        return copyFile(source, destination, share, error);
    if (!QDir().mkdir(destination)) {
        if (error)
            *error = lastErrorOr(EIO);
        return false;
    }
    return copyContents(source, destination, share, error);
}

} // namespace

bool copyItemAtPath(const QString& source, const QString& destination, int* error)
{
    return copyTree(source, destination, nullptr, error);
}

bool cloneItemAtPath(const QString& source, const QString& destination,
                     const std::function<bool(const QString&)>& mayShare, int* error)
{
    return copyTree(source, destination, mayShare, error);
}

bool copyFolderContents(const QString& source, const QString& destination, int* error)
{
    return copyContents(source, destination, nullptr, error);
}

void setRemoveItemForTesting(std::function<bool(const QString&)> remove)
{
    g_removeForTesting = std::move(remove);
}

QString safeFileName(const QString& name, qsizetype maxBytes)
{
    QString safe;
    qsizetype bytes = 0;
    for (qsizetype i = 0; i < name.size();) {
        const bool pair = name[i].isHighSurrogate() && i + 1 < name.size() && name[i + 1].isLowSurrogate();
        QString piece = name.mid(i, pair ? 2 : 1);
        i += piece.size();
        const QChar c = piece[0];
        // A separator, a lone surrogate, a control character or a leading dot (a hidden file).
        const bool unsafe = !pair && (c == u'/' || c.isSurrogate() || c.category() == QChar::Other_Control);
        if (unsafe || (safe.isEmpty() && c == u'.'))
            piece = QStringLiteral("_");
        const qsizetype size = piece.toUtf8().size();
        if (bytes + size > maxBytes)
            break;
        safe += piece;
        bytes += size;
    }
    return safe;
}
