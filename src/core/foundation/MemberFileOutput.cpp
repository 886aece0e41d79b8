#include "MemberFileOutput.h"

#include "files.h"

#include <QDir>
#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#include <utility>

namespace {

thread_local PendingSyncs* t_stagedSyncs = nullptr;
thread_local QString t_stagedFolder;

// The syncs a file at path waits for, when it goes into the package being staged.
PendingSyncs* stagedSyncsFor(const QString& path)
{
    if (!t_stagedSyncs || t_stagedFolder.isEmpty())
        return nullptr;
    return QDir::cleanPath(path).startsWith(t_stagedFolder + QLatin1Char('/')) ? t_stagedSyncs : nullptr;
}

int lastErrorOr(int fallback)
{
    return errno != 0 ? errno : fallback;
}

bool fail(int* error, int code)
{
    if (error)
        *error = code;
    return false;
}

} // namespace

MemberFileOutput::MemberFileOutput(const QString& path)
    : m_path(path)
    , m_saveFile(path)
    , m_syncs(stagedSyncsFor(path))
{
}

MemberFileOutput::~MemberFileOutput()
{
    cancel();
}

bool MemberFileOutput::open(int* error)
{
    errno = 0;
    if (!m_syncs) {
        if (m_saveFile.open(QIODevice::WriteOnly))
            return true;
        return fail(error, lastErrorOr(EIO));
    }
    const QByteArray name = QFile::encodeName(m_path);
    if (::unlink(name.constData()) != 0 && errno != ENOENT)
        return fail(error, lastErrorOr(EIO));
    m_fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    return m_fd >= 0 || fail(error, lastErrorOr(EIO));
}

bool MemberFileOutput::write(const char* bytes, qint64 size, int* error)
{
    errno = 0;
    if (m_fd < 0)
        return m_saveFile.write(bytes, size) == size || fail(error, lastErrorOr(EIO));
    while (size > 0) {
        const ssize_t written = ::write(m_fd, bytes, static_cast<size_t>(size));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return fail(error, lastErrorOr(ENOSPC));
        bytes += written;
        size -= written;
    }
    return true;
}

bool MemberFileOutput::commit(int* error)
{
    errno = 0;
    if (!m_syncs) {
        if (m_saveFile.flush() && m_saveFile.commit())
            return true;
        const int code = lastErrorOr(EIO);
        m_saveFile.cancelWriting();
        return fail(error, code);
    }
    if (m_fd < 0)
        return fail(error, EBADF);
    // On its way to the disk while the next member is written; the package's flush waits for it.
    ::sync_file_range(m_fd, 0, 0, SYNC_FILE_RANGE_WRITE);
    const int fd = std::exchange(m_fd, -1);
    if (::close(fd) != 0 && errno != EINTR) {
        const int code = lastErrorOr(EIO);
        ::unlink(QFile::encodeName(m_path).constData());
        return fail(error, code);
    }
    m_syncs->add(m_path);
    return true;
}

void MemberFileOutput::cancel()
{
    if (m_fd >= 0) {
        ::close(std::exchange(m_fd, -1));
        ::unlink(QFile::encodeName(m_path).constData());
    }
    if (m_saveFile.isOpen())
        m_saveFile.cancelWriting();
}

StagedMemberWrites::StagedMemberWrites(const QString& folder, PendingSyncs& syncs)
    : m_previousFolder(std::exchange(t_stagedFolder, QDir::cleanPath(folder)))
    , m_previous(std::exchange(t_stagedSyncs, &syncs))
{
}

StagedMemberWrites::~StagedMemberWrites()
{
    t_stagedFolder = m_previousFolder;
    t_stagedSyncs = m_previous;
}
