#pragma once
// Where the bodies received from phones are written while they are read: a folder of this
// process's own, "<runtime folder>/sorvanta-sync/<process id>", under the user's runtime folder
// and readable by the user only. A program killed in mid-transfer leaves its folder behind; the
// next start removes the folders of processes that are no longer running.
#include <QString>

// The folder, made when missing; empty when it can't be made.
QString syncReceiveFolder();
// At start: removes the folders left by processes no longer running, and their files.
void removeStaleSyncFolders();
// Removes this process's folder, at the program's end.
void removeSyncReceiveFolder();
