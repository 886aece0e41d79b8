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
// Each of these folders carries the program's mark from the moment it is made (SaveFolderMark.h);
// a staging package gives it up just before it takes the document's name. The user may have hidden
// folders of such names too: nothing the program cannot prove its own may go. A hidden folder with
// a save's name is judged only when it is a folder, not a link, and no running process holds its
// lock (its save has ended); then:
//   - one carrying a valid mark of its kind (a regular file, not a link, with the content the
//     program writes) is the program's, whatever document its <prefix> names, when beside its
//     mark it holds only what a save writes:
//       staging: nothing, or a "Contents" folder, and nothing anywhere under it but files and
//       folders (no link);
//       set-aside: nothing, or exactly one folder (not a link) whose name has that same prefix,
//       either a document package (real "Contents/Resources" holding member files) or empty
//       (what the first save of a new document sets aside).
//     A staging package goes; a set-aside folder goes with the version it kept, unless that is a
//     document whose name is missing from the folder: its package then goes back under it.
//   - one without the mark goes nowhere: when it is a set-aside folder holding exactly one document
//     package named with its prefix (what an earlier version of the program left, perhaps the only
//     copy of a document), that package goes back under the document's name when nothing is
//     there, and the folder, then empty, goes. Anything else stays, with a log line.
// When several set-aside folders hold a missing document, the most recent goes back: by the
// stamps of their marks, a marked one before any unmarked one, and unmarked ones by their
// packages' times. A link is never followed, moved or taken back: it only makes its folder stay.
#include <QString>

class PackageLock;

inline constexpr char kSavingPackageName[] = ".saving";
inline constexpr char kSetAsideFolderName[] = ".aside";

// The hidden folder of that kind (kSavingPackageName, kSetAsideFolderName) for a save of the
// destination by that process; n > 0 for the n-th other one.
QString hiddenSaveFolderUrl(const QString& destination, const char* kind, qint64 process, int n = 0);
// Makes a new hidden folder of that kind for a save of the destination by this process, takes its
// lock and marks it. Empty with the system's error code when no folder could be made.
QString makeLockedSaveFolder(const QString& destination, const char* kind, PackageLock& lock, int* error);
// Where a set-aside folder keeps the package of the destination: under the document's name,
// without its extension, so that nothing inside is ever taken for a document.
QString setAsidePackageUrl(const QString& folder, const QString& destination);
// Clears what ended saves and copies left in the folder, as above, whatever document they were
// for. Called when a save or a copy starts and when the browser lists the folder.
void clearSaveLeftovers(const QString& folder);
// A package of the document at url left aside by an ended save goes back under its name, when
// nothing is there; the most recent one when there are several. False with the system's code when
// the move fails.
bool restoreSetAsideDocument(const QString& url, int* error);
