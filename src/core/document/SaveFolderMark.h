#pragma once
// The mark by which the program knows its own hidden save folders (SaveLeftovers.h) from a user's
// folder of the same name: a small hidden file at the folder's root, written as soon as the folder
// is made and locked, naming the folder's kind and a stamp that orders the program's folders by
// the moment they were made. A folder's time says nothing of that: any copy of a folder gets a
// fresh one.
//
// The mark belongs to the hidden folder, never to a document: a staging package gives it up just
// before the rename that makes it a document, and takes it back when that rename fails, so that
// whatever a process killed meanwhile leaves is still known as the program's. Removing a hidden
// folder takes its mark last, for the same reason.
#include <QString>

#include <compare>
#include <optional>

inline constexpr char kSaveFolderMarkName[] = ".sorvanta-dossier";

// When a hidden folder was made, and by which process: later stamps order after earlier ones,
// strictly so within one process.
struct SaveFolderStamp {
    qint64 nanoseconds = 0; // since the epoch
    qint64 process = 0;
    auto operator<=>(const SaveFolderStamp&) const = default;
};

// Marks the folder as the program's own hidden folder of that kind (kSavingPackageName,
// kSetAsideFolderName). False with the system's code when the mark can't be written, or when
// anything already has its name.
bool writeSaveFolderMark(const QString& folder, const char* kind, int* error);
// The stamp of the folder's mark when it carries a valid one of that kind: a regular file, not a
// link, with the content the program writes. Nothing otherwise.
std::optional<SaveFolderStamp> saveFolderMark(const QString& folder, const char* kind);
// Whether the folder holds nothing but its mark, if it has one.
bool holdsOnlyItsMark(const QString& folder);
// Removes one of the program's hidden folders, its mark last. False with the system's code.
bool removeSaveFolder(const QString& folder, int* error);
// Renames a staging package to the destination without its mark, which comes back when the
// rename fails. False with the system's code.
bool moveStagingPackage(const QString& package, const QString& destination, int* error);
