#pragma once
// What a save of a document in its own place needs of the file system, looked at before anything
// is written. The save swaps packages by renaming them in the folder that holds them, then removes
// the package set aside, which takes write permission on every folder inside it: a package the
// user can't write (its files made read-only, a folder of someone else's) would be replaced and
// then leave a set-aside package behind that no later save could remove. Such a save is refused
// with a message naming the package, before any rename.
//
// The permission checks go through FileSystemOps, so a test run by root, to whom every folder is
// writable, can play the user who can't write.
#include <QString>

class QObject;

// The first place a save of the package in place would have to write and can't: the folder that
// holds it, the package, or a folder inside it (links are not followed: they are removed, never
// entered). Empty when the save can go.
QString unwritablePlaceForSave(const QString& url);
// "« Resources » : <reason>" and the place's full path below, for the alerts.
QString unwritablePlaceInformation(const QString& place);
// Before a save in the package's place: true when it can go. Otherwise the user is told why, on
// the window (application-modal when null): the package can't be written ("kAlerte_CannotSaveDoc_
// ReadOnly"). Nothing beside the package is looked at: whatever lies there is the user's.
bool checkPlaceForSave(const QString& url, QObject* window);
