#include "FileSystemOps.h"

#include "foundation/files.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

namespace {

FileSystemOps g_plain;
FileSystemOps* g_installed = nullptr;

void setError(int* error, int value)
{
    if (error)
        *error = value;
}

} // namespace

bool FileSystemOps::exists(const QString& path)
{
    struct stat info { };
    return !path.isEmpty() && ::lstat(QFile::encodeName(path).constData(), &info) == 0;
}

bool FileSystemOps::isWritable(const QString& path)
{
    return !path.isEmpty() && ::access(QFile::encodeName(path).constData(), W_OK) == 0;
}

bool FileSystemOps::makeFolder(const QString& path, int* error)
{
    setError(error, 0);
    if (QFileInfo(path).isDir())
        return true;
    if (::mkdir(QFile::encodeName(path).constData(), 0777) == 0)
        return true;
    setError(error, errno);
    return false;
}

bool FileSystemOps::removeItem(const QString& path, int* error)
{
    int code = 0;
    const bool done = removeOrTrashItemAtURL(path, &code);
    setError(error, done ? 0 : code);
    return done;
}

bool FileSystemOps::moveItem(const QString& from, const QString& to, int* error)
{
    setError(error, 0);
    // rename(2) would silently replace an empty folder or a file at the destination.
    if (exists(to)) {
        setError(error, EEXIST);
        return false;
    }
    if (::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0)
        return true;
    setError(error, errno);
    return false;
}

bool FileSystemOps::copyItem(const QString& from, const QString& to, int* error)
{
    return copyItemAtPath(from, to, error);
}

bool FileSystemOps::cloneItem(const QString& from, const QString& to, const CloneOptions& options, int* error)
{
    return cloneItemAtPath(from, to, options, error);
}

FileSystemOps& FileSystemOps::shared()
{
    return g_installed ? *g_installed : g_plain;
}

void FileSystemOps::install(FileSystemOps* ops)
{
    g_installed = ops;
}
