#include "files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

std::function<bool(const QString&)> g_removeForTesting;
std::function<int(int, const QString&)> g_syncForTesting;

// A folder (not a link to one) and a destination that is it or lies inside it.
bool copiesIntoItself(const QString& source, const QString& destination)
{
    const QFileInfo info(source);
    return info.isDir() && !info.isSymLink() && isSameOrInsideFolder(destination, source);
}

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

QString resolvedPath(const QString& path)
{
    if (path.isEmpty())
        return {};
    QString existing = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    QStringList missing;
    while (!QFileInfo::exists(existing)) {
        const QFileInfo info(existing);
        if (info.path() == existing)
            break;
        missing.prepend(info.fileName());
        existing = info.path();
    }
    QString resolved = QFileInfo(existing).canonicalFilePath();
    if (resolved.isEmpty())
        resolved = existing;
    for (const QString& name : std::as_const(missing))
        resolved += QLatin1Char('/') + name;
    return QDir::cleanPath(resolved);
}

bool isSameOrInsideFolder(const QString& path, const QString& folder)
{
    const QString place = resolvedPath(path);
    const QString root = resolvedPath(folder);
    if (place.isEmpty() || root.isEmpty())
        return false;
    if (place == root || root == QLatin1String("/"))
        return true;
    return place.startsWith(root + QLatin1Char('/'));
}

namespace {

QByteArray encoded(const QString& path)
{
    return QFile::encodeName(path);
}

bool fail(int* error, int code)
{
    if (error)
        *error = code;
    return false;
}

// A second name for the bytes at from; a link there is given the second name itself, never what
// it leads to.
bool hardLink(const QString& from, const QString& to)
{
    return !from.isEmpty() && ::linkat(AT_FDCWD, encoded(from).constData(), AT_FDCWD, encoded(to).constData(), 0) == 0;
}

bool writeAll(int out, const char* data, ssize_t size)
{
    while (size > 0) {
        const ssize_t written = ::write(out, data, static_cast<size_t>(size));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        data += written;
        size -= written;
    }
    return true;
}

// The bytes of in to out: inside the kernel where it can (no copy through this process, a shared
// extent on file systems that have them), else through a buffer.
bool copyDescriptor(int in, int out)
{
    for (;;) {
        const ssize_t copied = ::copy_file_range(in, nullptr, out, nullptr, size_t(1) << 30, 0);
        if (copied == 0)
            return true;
        if (copied < 0 && errno == EINTR)
            continue;
        if (copied < 0)
            break;
    }
    if (errno != EXDEV && errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP && errno != EBADF)
        return false;
    std::vector<char> buffer(size_t(1) << 20);
    for (;;) {
        const ssize_t got = ::read(in, buffer.data(), buffer.size());
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return got == 0;
        if (!writeAll(out, buffer.data(), got))
            return false;
    }
}

// Closes fd; false when closing reports a write that failed.
bool closeFile(int fd)
{
    return ::close(fd) == 0 || errno == EINTR;
}

// A copy of a regular file with its permissions and modification time, made durable now or left
// to syncs. A half-written copy is removed.
bool copyBytes(const QString& source, const QString& destination, PendingSyncs* syncs, int* error)
{
    errno = 0;
    const int in = ::open(encoded(source).constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (in < 0)
        return fail(error, lastErrorOr(EIO));
    struct stat info { };
    if (::fstat(in, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(in);
        return fail(error, EINVAL);
    }
    const int out = ::open(encoded(destination).constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                           info.st_mode & 0777);
    if (out < 0) {
        const int code = lastErrorOr(EIO);
        ::close(in);
        return fail(error, code);
    }
    const timespec times[2] = {info.st_atim, info.st_mtim};
    bool done = copyDescriptor(in, out) && ::futimens(out, times) == 0;
    if (done && syncs)
        ::sync_file_range(out, 0, 0, SYNC_FILE_RANGE_WRITE); // on its way while the next is copied
    else if (done)
        done = ::fdatasync(out) == 0;
    const int code = lastErrorOr(EIO);
    ::close(in);
    done = closeFile(out) && done;
    if (!done) {
        ::unlink(encoded(destination).constData());
        return fail(error, code);
    }
    if (syncs)
        syncs->add(destination);
    return true;
}

// A file's bytes at a second name: shared with the source or with a file of the same bytes when
// the options allow it and the file system can (the same bytes, no time spent), else copied.
// Without options, a plain copy.
bool copyFile(const QString& source, const QString& destination, const CloneOptions* options, int* error)
{
    if (options) {
        if (options->shareSource && options->shareSource(source) && hardLink(source, destination))
            return true;
        if (options->sameBytesAt && hardLink(options->sameBytesAt(source), destination))
            return true;
        return copyBytes(source, destination, options->syncs, error);
    }
    errno = 0;
    if (QFile::copy(source, destination))
        return true;
    return fail(error, lastErrorOr(EIO));
}

bool copyTree(const QString& source, const QString& destination, const CloneOptions* options, int* error);

// Each item of a folder to the item of the same name in the destination, in name order.
bool copyContents(const QString& source, const QString& destination, const CloneOptions* options, int* error)
{
    if (error)
        *error = 0;
    const QDir dir(source);
    if (!dir.exists())
        return fail(error, ENOENT);
    const QStringList names
        = dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& name : names) {
        if (!copyTree(dir.filePath(name), destination + QLatin1Char('/') + name, options, error))
            return false;
    }
    return true;
}

bool copyTree(const QString& source, const QString& destination, const CloneOptions* options, int* error)
{
    if (error)
        *error = 0;
    if (QFileInfo::exists(destination) || QFileInfo(destination).isSymLink())
        return fail(error, EEXIST);
    // A link is copied as a link: what it leads to, maybe far outside the folder copied, is
    // neither read nor copied.
    if (QFileInfo(source).isSymLink()) {
        if (QFile::link(QFile::symLinkTarget(source), destination))
            return true;
        return fail(error, lastErrorOr(EIO));
    }
    if (!QFileInfo(source).isDir())
        return copyFile(source, destination, options, error);
    if (!QDir().mkdir(destination))
        return fail(error, lastErrorOr(EIO));
    return copyContents(source, destination, options, error);
}

// 0 once the file's bytes are on the disk, else the system's error code.
int syncFile(int fd, const QString& path)
{
    if (g_syncForTesting)
        return g_syncForTesting(fd, path);
    return ::fdatasync(fd) == 0 ? 0 : lastErrorOr(EIO);
}

} // namespace

bool PendingSyncs::flush(int* error)
{
    const QStringList paths = std::exchange(m_paths, {});
    int code = 0;
    for (const QString& path : paths) {
        errno = 0;
        const int fd = ::open(encoded(path).constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
        const int failed = fd < 0 ? lastErrorOr(EIO) : syncFile(fd, path);
        code = code != 0 ? code : failed;
        if (fd >= 0)
            ::close(fd);
    }
    return code == 0 || fail(error, code);
}

bool copyItemAtPath(const QString& source, const QString& destination, int* error)
{
    if (copiesIntoItself(source, destination))
        return fail(error, EINVAL);
    return copyTree(source, destination, nullptr, error);
}

bool cloneItemAtPath(const QString& source, const QString& destination, const CloneOptions& options, int* error)
{
    if (copiesIntoItself(source, destination))
        return fail(error, EINVAL);
    return copyTree(source, destination, &options, error);
}

bool copyFolderContents(const QString& source, const QString& destination, int* error)
{
    if (copiesIntoItself(source, destination))
        return fail(error, EINVAL);
    return copyContents(source, destination, nullptr, error);
}

void setRemoveItemForTesting(std::function<bool(const QString&)> remove)
{
    g_removeForTesting = std::move(remove);
}

void setFileSyncForTesting(std::function<int(int fd, const QString& path)> sync)
{
    g_syncForTesting = std::move(sync);
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
