#pragma once
// The file-system steps through which a save builds and swaps packages: folder creation, removal,
// moves and copies. Every such step of the store goes through the one installed instance, so a
// test can make any of them fail (a test process run by root may write anywhere: permissions can't
// make a step fail) and can stop a save at any step to check that the document survives.
//
// Each step answers true, or false with the system's error code in *error (error may be null).
#include "foundation/files.h"

#include <QString>

class FileSystemOps {
public:
    virtual ~FileSystemOps() = default;

    // Whether anything (a dangling link included) is at the path.
    virtual bool exists(const QString& path);
    // Whether this process may write into the folder (or the file) at the path, as the system
    // judges it (for root, nearly always).
    virtual bool isWritable(const QString& path);
    // One folder, without intermediate folders; true when a folder is there already.
    virtual bool makeFolder(const QString& path, int* error);
    // Removes a file or a folder with its contents, or moves it to the Trash when removal fails.
    virtual bool removeItem(const QString& path, int* error);
    // Renames within one file system, atomically; fails with EEXIST when something is at the
    // destination and with EXDEV when the two lie on different file systems.
    virtual bool moveItem(const QString& from, const QString& to, int* error);
    // Copies a file or a folder with its contents; fails with EEXIST when something is at the
    // destination.
    virtual bool copyItem(const QString& from, const QString& to, int* error);
    // The same, files sharing bytes (hard links) where the options allow (cloneItemAtPath).
    virtual bool cloneItem(const QString& from, const QString& to, const CloneOptions& options, int* error);

    // The installed instance; the plain file system when none is installed.
    static FileSystemOps& shared();
    // The instance outlives its installation; nullptr restores the plain file system.
    static void install(FileSystemOps* ops);
};
