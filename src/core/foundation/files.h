#pragma once
// File operations of the program, on plain paths.
#include <QString>
#include <QStringList>
#include <functional>

// The path itself when nothing exists there; otherwise "<name>-<n>.<ext>" in the same folder for
// the first n = 1, 2, ... at which nothing exists (no extension: no trailing dot).
QString uniqueFileURL(const QString& path);

// Removes a file or a folder with its contents; when that fails, moves it to the Trash. True on
// either success; error gets 0 on direct removal, the removal's error when the Trash took it, the
// Trash's error when both failed.
bool removeOrTrashItemAtURL(const QString& path, int* error = nullptr);

// A name given by the user made fit to stand as one file name in a folder: "/", control
// characters (NUL among them) and unpaired surrogates become "_", as does a leading "." (no hidden
// file, never "." nor ".."); the name is cut on a character boundary so that its UTF-8 form holds
// in maxBytes (file systems allow 255 bytes, extension included). Empty for an empty name.
// Replaced characters fold to a space like the originals, so folded-name lookups still match.
QString safeFileName(const QString& name, qsizetype maxBytes = 255);

// The last path component without its extension; a null string for an empty path.
QString documentNameFromURL(const QString& path);

// The absolute path with its links followed as far as it exists, the names that don't exist yet
// appended; empty for an empty path. Two paths that name one place resolve to the same text.
QString resolvedPath(const QString& path);
// Whether the path names the folder itself or a place inside it, links followed on both sides.
bool isSameOrInsideFolder(const QString& path, const QString& folder);

// Copies each item of a folder (folders with their contents) to the item of the same name in the
// destination, in listing order; stops at the first failure with its error code. A folder is never
// copied into itself (EINVAL): the copy would take in its own copy without end.
bool copyFolderContents(const QString& source, const QString& destination, int* error = nullptr);

// Copies a file or a whole folder; fails when the destination exists, and (EINVAL) when it lies
// inside the folder copied.
bool copyItemAtPath(const QString& source, const QString& destination, int* error = nullptr);
// Files a copy wrote and left to be made durable together: started on their way to the disk as
// they are written and waited for once, after the last, which costs a disk far less than one wait
// per file.
class PendingSyncs {
public:
    void add(const QString& path) { m_paths.append(path); }
    qsizetype size() const { return m_paths.size(); }
    // Waits until every file added is on the disk (fdatasync); the list is emptied. False with
    // the first error.
    bool flush(int* error = nullptr);

private:
    QStringList m_paths;
};

// How cloneItemAtPath gives a file its bytes.
struct CloneOptions {
    // A source file whose bytes the copy may share (a hard link) where the file system allows.
    std::function<bool(const QString& source)> shareSource;
    // Another file, already holding the same bytes as the source, whose bytes the copy may share;
    // empty when none.
    std::function<QString(const QString& source)> sameBytesAt;
    // Where each copied file goes to be synced later; null: each copy is synced as it is made.
    PendingSyncs* syncs = nullptr;
};

// Copies a file or a whole folder like copyItemAtPath, sharing bytes (hard links) where the options
// allow. Shared names are only ever made for files never written in place but replaced by a
// rename, or whose other name is about to go, so that no two names stay that a change through one
// would reach through the other. Copies keep their source's modification time. A link on the way
// is copied as a link: what it leads to is never linked nor copied.
bool cloneItemAtPath(const QString& source, const QString& destination, const CloneOptions& options,
                     int* error = nullptr);

// Tests replace the removal step to reach the Trash fallback (a root test process can remove
// anything). Pass nullptr to restore the real removal.
void setRemoveItemForTesting(std::function<bool(const QString&)> remove);
// Tests stand in for the wait of PendingSyncs::flush for one open file (fdatasync), to see that
// each file reaches the disk before its package is put in place or to fail one as a disk that
// lost a write would. The stand-in answers 0 or the system's error code; nullptr restores
// fdatasync.
void setFileSyncForTesting(std::function<int(int fd, const QString& path)> sync);
