#include "xmlfileaccess.h"
#include "xmlwrite_p.h"

#include "LoadIssues.h"
#include "fileerrors.h"
#include "localized.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::function<int(const QString&)> g_writeFault;

bool lstatPath(const QString& path, struct stat* info)
{
    return !path.isEmpty() && ::lstat(QFile::encodeName(path).constData(), info) == 0;
}

// The length of the UTF-8 sequence starting at p (at most `left` bytes there); 0 when invalid.
int sequenceLength(const unsigned char* p, qsizetype left)
{
    const unsigned char c = p[0];
    if (c < 0x80)
        return 1;
    int length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (c >= 0xC2 && c <= 0xDF) {
        length = 2;
    } else if (c >= 0xE0 && c <= 0xEF) {
        length = 3;
        low = c == 0xE0 ? 0xA0 : 0x80; // no overlong form
        high = c == 0xED ? 0x9F : 0xBF; // no surrogate
    } else if (c >= 0xF0 && c <= 0xF4) {
        length = 4;
        low = c == 0xF0 ? 0x90 : 0x80;
        high = c == 0xF4 ? 0x8F : 0xBF; // nothing beyond U+10FFFF
    } else {
        return 0;
    }
    if (left < length || p[1] < low || p[1] > high)
        return 0;
    for (int i = 2; i < length; ++i) {
        if (p[i] < 0x80 || p[i] > 0xBF)
            return 0;
    }
    return length;
}

// A file that is there but could not be read: nothing of it is.
void noteNotRead(LoadIssues* issues, FileRead read, int error)
{
    if (!issues)
        return;
    issues->setRecord(0);
    issues->noteSevere(read == FileRead::NotRegular
                           ? localizedDialogue(QStringLiteral("kLoadIssue_notFile"))
                           : localizedDialogue(QStringLiteral("kLoadIssue_cannotRead")).arg(fileErrorReason(error)));
}

} // namespace

bool isRealFolder(const QString& path)
{
    struct stat info { };
    return lstatPath(path, &info) && S_ISDIR(info.st_mode);
}

MemberFileState memberFileState(const QString& package, const QString& fileName)
{
    const QString contents = QDir(package).filePath(QStringLiteral("Contents"));
    const QString resources = contents + QStringLiteral("/Resources");
    struct stat info { };
    if (!lstatPath(contents, &info))
        return MemberFileState::Missing;
    if (!S_ISDIR(info.st_mode))
        return MemberFileState::LinkedFolder;
    if (!lstatPath(resources, &info))
        return MemberFileState::Missing;
    if (!S_ISDIR(info.st_mode))
        return MemberFileState::LinkedFolder;
    if (!lstatPath(resources + QLatin1Char('/') + fileName, &info))
        return MemberFileState::Missing;
    return S_ISREG(info.st_mode) ? MemberFileState::Regular : MemberFileState::NotRegular;
}

FileRead readRegularFile(const QString& path, QByteArray* bytes, int* error)
{
    bytes->clear();
    *error = 0;
    // Not blocking: a pipe put in a member file's place must not hold the opening for ever.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        *error = errno;
        if (*error == ENOENT)
            return FileRead::Missing;
        return *error == ELOOP ? FileRead::NotRegular : FileRead::Failed;
    }
    struct stat info { };
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return FileRead::NotRegular;
    }
    QByteArray content;
    content.reserve(static_cast<qsizetype>(info.st_size));
    char chunk[65536];
    for (;;) {
        const ssize_t got = ::read(fd, chunk, sizeof chunk);
        if (got == 0)
            break;
        if (got < 0) {
            if (errno == EINTR)
                continue;
            *error = errno;
            ::close(fd);
            return FileRead::Failed;
        }
        content.append(chunk, static_cast<qsizetype>(got));
    }
    ::close(fd);
    *bytes = std::move(content);
    return FileRead::Read;
}

qsizetype invalidUtf8At(const QByteArray& bytes)
{
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype size = bytes.size();
    for (qsizetype i = 0; i < size;) {
        if (data[i] < 0x80) {
            ++i;
            continue;
        }
        const int length = sequenceLength(data + i, size - i);
        if (length == 0)
            return i;
        i += length;
    }
    return -1;
}

bool xmlBytesAreUtf8(const QByteArray& bytes)
{
    const QByteArray start = bytes.left(4);
    if (start.startsWith("\xFE\xFF") || start.startsWith("\xFF\xFE") || start.startsWith(QByteArray("\0\0", 2))
        || (start.size() >= 2 && (start[0] == '\0' || start[1] == '\0')))
        return false;
    const qsizetype declarationEnd = bytes.startsWith("<?xml") ? bytes.indexOf("?>") : -1;
    if (declarationEnd < 0)
        return true;
    const QByteArray declaration = bytes.left(declarationEnd).toLower();
    const qsizetype at = declaration.indexOf("encoding");
    if (at < 0)
        return true;
    const QByteArray value = declaration.mid(at + 8).trimmed();
    return value.contains("utf-8") || value.contains("utf8");
}

void setXmlWriteFaultForTesting(std::function<int(const QString& path)> fault)
{
    g_writeFault = std::move(fault);
}

int xmlWriteFaultForTesting(const QString& path)
{
    return g_writeFault ? g_writeFault(path) : 0;
}

int refusedWriteTarget(const QString& path)
{
    // QSaveFile would write to where a link leads: only a regular file is ever replaced.
    struct stat info { };
    if (lstatPath(path, &info) && !S_ISREG(info.st_mode))
        return S_ISDIR(info.st_mode) ? EISDIR : ELOOP;
    return xmlWriteFaultForTesting(path);
}

bool readMemberFile(const QString& path, QByteArray* bytes, LoadIssues* issues)
{
    int error = 0;
    const FileRead read = readRegularFile(path, bytes, &error);
    if (read == FileRead::Read)
        return true;
    if (read != FileRead::Missing)
        noteNotRead(issues, read, error);
    return false;
}
