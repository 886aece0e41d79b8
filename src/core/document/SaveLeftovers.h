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
// <prefix> is the start of the document's name (its first 64 bytes, a leading dot, a separator or
// a control character made "_"), so that any name a document can have leaves room for the rest; a
// second folder of the same process and prefix gets "-<n>" after the number. Other copies made
// the same way (a duplicate, a copy saved elsewhere) use the staging package alone, beside a
// destination that may not exist yet.
//
// The user may have hidden folders of such names too. One is taken for a save's leftover only
// when all of this holds, and is otherwise left where it is, with a log line:
//   - it is a folder, not a link, and no running process holds its lock (its save has ended);
//   - its <prefix> is the prefix of a document of that folder: one whose "<name>.svd" is there,
//     or the one being saved there (the destination given to clearSaveLeftovers), or, for a
//     set-aside folder, the package it holds;
//   - it holds only what a save writes:
//       staging: nothing, or "Contents" holding nothing or "Resources", and nothing anywhere
//       under it but files and folders (no link);
//       set-aside: nothing, or exactly one folder (not a link) whose name has that same prefix,
//       either a document package (real "Contents/Resources" holding member files) or, for a
//       document of that folder, empty (what the first save of a new document sets aside).
// Then a staging package goes; a set-aside folder whose document is in place goes with the
// version it kept; one whose document is missing gives its package back under the document's
// name (the most recent one when several do), an empty one never. A link is never followed,
// moved or taken back: it only makes its folder stay.
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
// Clears what ended saves left in the folder, as above; destination, when given, is the document
// about to be saved, copied or duplicated there, whose leftovers count even while it does not
// exist. Called when a save or a copy starts and when the browser lists the folder.
void clearSaveLeftovers(const QString& folder, const QString& destination = QString());
// A package of the document at url left aside by an ended save goes back under its name, when
// nothing is there; the most recent one when there are several. False with the system's code when
// the move fails.
bool restoreSetAsideDocument(const QString& url, int* error);
