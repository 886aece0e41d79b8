#include "SaveFolderMark.h"

#include "document/FileSystemOps.h"
#include "document/SaveLeftovers.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Far more than a mark holds: a larger file is none of the program's.
constexpr qint64 kMaxMarkBytes = 256;
constexpr QDir::Filters kEverything = QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;

QByteArray markPath(const QString& folder)
{
    return QFile::encodeName(folder + QLatin1Char('/') + QLatin1String(kSaveFolderMarkName));
}

// The word a mark gives its folder's kind.
QByteArray kindWord(const char* kind)
{
    return QByteArray(kind).mid(1);
}

// Strictly later than the last stamp this process gave, whatever the clock did meanwhile.
SaveFolderStamp nextStamp()
{
    static qint64 last = 0;
    const qint64 now
        = std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::system_clock::now().time_since_epoch())
              .count();
    last = std::max(now, last + 1);
    return {last, QCoreApplication::applicationPid()};
}

QByteArray markContent(const char* kind, const SaveFolderStamp& stamp)
{
    return QByteArrayLiteral("sorvanta hidden folder\nkind: ") + kindWord(kind) + QByteArrayLiteral("\nstamp: ")
        + QByteArray::number(stamp.nanoseconds) + ' ' + QByteArray::number(stamp.process) + '\n';
}

// A new file of those bytes at the path, or the system's code.
int writeNewFile(const QByteArray& path, const QByteArray& bytes)
{
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd < 0)
        return errno != 0 ? errno : EIO;
    qsizetype written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + written, size_t(bytes.size() - written));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            const int code = n < 0 && errno != 0 ? errno : EIO;
            ::close(fd);
            ::unlink(path.constData());
            return code;
        }
        written += n;
    }
    return ::close(fd) == 0 ? 0 : errno;
}

// The bytes of the folder's mark when it is a small regular file; never waits on anything else
// that has its name.
std::optional<QByteArray> readMark(const QString& folder)
{
    const QByteArray path = markPath(folder);
    struct stat info { };
    if (::lstat(path.constData(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_size > kMaxMarkBytes)
        return std::nullopt;
    const int fd = ::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    struct stat opened { };
    QByteArray bytes(kMaxMarkBytes + 1, Qt::Uninitialized);
    const ssize_t n = ::fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode) && opened.st_ino == info.st_ino
        ? ::read(fd, bytes.data(), size_t(bytes.size()))
        : -1;
    ::close(fd);
    if (n < 0 || n > kMaxMarkBytes)
        return std::nullopt;
    bytes.truncate(n);
    return bytes;
}

std::optional<SaveFolderStamp> parseMark(const QByteArray& bytes, const char* kind)
{
    static const QRegularExpression format(
        QStringLiteral("^sorvanta hidden folder\\nkind: (\\w+)\\nstamp: (\\d{1,19}) (\\d{1,10})\\n$"));
    const QRegularExpressionMatch match = format.match(QString::fromLatin1(bytes));
    bool stampRead = false;
    bool processRead = false;
    const SaveFolderStamp stamp {match.captured(2).toLongLong(&stampRead), match.captured(3).toLongLong(&processRead)};
    if (!match.hasMatch() || match.captured(1).toLatin1() != kindWord(kind) || !stampRead || !processRead)
        return std::nullopt;
    return stamp;
}

} // namespace

bool writeSaveFolderMark(const QString& folder, const char* kind, int* error)
{
    const int code = writeNewFile(markPath(folder), markContent(kind, nextStamp()));
    if (error)
        *error = code;
    return code == 0;
}

std::optional<SaveFolderStamp> saveFolderMark(const QString& folder, const char* kind)
{
    const std::optional<QByteArray> bytes = readMark(folder);
    return bytes ? parseMark(*bytes, kind) : std::nullopt;
}

bool holdsOnlyItsMark(const QString& folder)
{
    const QStringList inside = QDir(folder).entryList(kEverything);
    return inside.isEmpty() || (inside.size() == 1 && inside.first() == QLatin1String(kSaveFolderMarkName));
}

bool removeSaveFolder(const QString& folder, int* error)
{
    FileSystemOps& ops = FileSystemOps::shared();
    for (const QFileInfo& item : QDir(folder).entryInfoList(kEverything)) {
        if (item.fileName() != QLatin1String(kSaveFolderMarkName) && !ops.removeItem(item.filePath(), error))
            return false;
    }
    return ops.removeItem(folder, error);
}

bool moveStagingPackage(const QString& package, const QString& destination, int* error)
{
    const std::optional<QByteArray> mark = readMark(package);
    const bool marked = mark && parseMark(*mark, kSavingPackageName);
    if (marked && ::unlink(markPath(package).constData()) != 0) {
        if (error)
            *error = errno != 0 ? errno : EIO;
        return false;
    }
    if (FileSystemOps::shared().moveItem(package, destination, error))
        return true;
    if (marked)
        writeNewFile(markPath(package), *mark);
    return false;
}
