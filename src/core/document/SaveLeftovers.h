#pragma once
// The hidden packages a save makes beside the document, and what a save that died leaves of them.
//
// A staged save of "<folder>/<name>.svd" works in two hidden folders of its own, each locked for
// as long as the save runs (PackageLock): the staging package it writes, and the folder where the
// package on disk waits, under its own name, while the new one takes its place:
//
//     <folder>/.<prefix>.<process>.saving             the new package, then the document
//     <folder>/.<prefix>.<process>.aside/<name>       the package it replaces
//
// <prefix> is the start of the document's name, cut so that any name a document can have leaves
// room for the rest; a second folder of the same process and prefix gets "-<n>" after the number.
// A hidden name without the "svd" extension is no document's: the browser never lists it, no
// command makes it, and a save removes or renames nothing else beside the document.
//
// A hidden folder whose lock is free belongs to a save that has ended: a staging package left so
// is removed; a set-aside package whose document is missing goes back under the document's name
// (the save died between its two renames); one whose document is in place is the version the
// save replaced, and goes. A folder still locked, or whose lock can't be judged, is left alone.
#include <QString>

class PackageLock;

inline constexpr char kSavingPackageName[] = ".saving";
inline constexpr char kSetAsideFolderName[] = ".aside";

// The hidden folder of that kind (kSavingPackageName, kSetAsideFolderName) for a save of the
// destination by that process; n > 0 for the n-th other one.
QString hiddenSaveFolderUrl(const QString& destination, const char* kind, qint64 process, int n = 0);
// Makes a new, empty hidden folder of that kind for a save of the destination by this process,
// and takes its lock. Empty with the system's error code when no folder could be made.
QString makeLockedSaveFolder(const QString& destination, const char* kind, PackageLock& lock, int* error);
// Where a set-aside folder keeps the package of the destination: under the document's name,
// without its extension, so that nothing inside is ever taken for a document.
QString setAsidePackageUrl(const QString& folder, const QString& destination);
// Clears what ended saves left in the folder, as above. Called when a save starts and when the
// browser lists the folder.
void clearSaveLeftovers(const QString& folder);
// A package of the document at url left aside by an ended save goes back under its name, when
// nothing is there; the most recent one when there are several. False with the system's code when
// the move fails.
bool restoreSetAsideDocument(const QString& url, int* error);
