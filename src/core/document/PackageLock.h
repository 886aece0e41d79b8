#pragma once
// A lock a process holds on a folder it works in, for as long as it works there. The folders a
// save makes beside a document are locked this way, so that another process, or a later one, tells
// a save still running from one that died: the system lets go of the lock when its process ends,
// whatever becomes of its number, and another user's process holds it like any other.
//
// The lock is an advisory lock on the folder itself (flock): nothing is added inside, so a staging
// package that becomes the document carries nothing of it.
#include <QString>

class PackageLock {
public:
    PackageLock() = default;
    ~PackageLock() { release(); }
    PackageLock(const PackageLock&) = delete;
    PackageLock& operator=(const PackageLock&) = delete;

    // Takes the lock of the folder at path (a link is refused) without waiting. False with the
    // system's code: EWOULDBLOCK when another holds it, ENOENT when the folder went meanwhile,
    // ENOLCK when the file system keeps no such locks, another code when it can't be opened.
    bool take(const QString& path, int* error);
    bool held() const { return m_fd >= 0; }
    void release();

private:
    int m_fd = -1;
};
