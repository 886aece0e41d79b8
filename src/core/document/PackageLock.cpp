#include "PackageLock.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool failWith(int* error, int code)
{
    if (error)
        *error = code;
    return false;
}

} // namespace

bool PackageLock::take(const QString& path, int* error)
{
    release();
    const QByteArray name = QFile::encodeName(path);
    // Never inherited by a child process: it would hold the lock past this one's end.
    const int fd = ::open(name.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return failWith(error, errno != 0 ? errno : EIO);
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        int code = errno;
        ::close(fd);
        // A file system without these locks (some network ones answer EBADF for a folder).
        if (code == EBADF || code == EINVAL || code == EOPNOTSUPP)
            code = ENOLCK;
        return failWith(error, code);
    }
    // Whoever held the lock before may have removed the folder, and another made one of that
    // name since: the lock counts only for the folder still at the path.
    struct stat locked { };
    struct stat there { };
    if (::fstat(fd, &locked) != 0 || ::lstat(name.constData(), &there) != 0 || locked.st_dev != there.st_dev
        || locked.st_ino != there.st_ino) {
        ::close(fd);
        return failWith(error, ENOENT);
    }
    m_fd = fd;
    if (error)
        *error = 0;
    return true;
}

void PackageLock::release()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}
