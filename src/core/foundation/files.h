#pragma once
// File operations of the program, on plain paths.
#include <QString>
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

// Copies each item of a folder (folders with their contents) to the item of the same name in the
// destination, in listing order; stops at the first failure with its error code.
bool copyFolderContents(const QString& source, const QString& destination, int* error = nullptr);

// Copies a file or a whole folder; fails when the destination exists.
bool copyItemAtPath(const QString& source, const QString& destination, int* error = nullptr);
// The same, but each file that mayShare accepts shares its bytes with the source (a hard link)
// where the file system allows, and is copied where it doesn't. Only for files that are never
// written in place but always replaced by a rename, so that the two stay independent.
bool cloneItemAtPath(const QString& source, const QString& destination,
                     const std::function<bool(const QString&)>& mayShare, int* error = nullptr);

// Tests replace the removal step to reach the Trash fallback (a root test process can remove
// anything). Pass nullptr to restore the real removal.
void setRemoveItemForTesting(std::function<bool(const QString&)> remove);
