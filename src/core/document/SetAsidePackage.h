#pragma once
// Where a save keeps the document's package while the new one takes its place: a hidden folder of
// the save's own beside the document, locked while the save runs, holding the package under the
// document's own name (SaveLeftovers.h). Nothing the user made can have its name, so making it
// never costs a document; and a save that dies between its two renames leaves the package where an
// opening or a listing of the folder finds it, by its name, to put it back.
#include "document/PackageLock.h"

#include <QString>

class SetAsidePackage {
public:
    SetAsidePackage() = default;
    // Removes the folder when it holds nothing but its mark (the package went back, or never
    // came), then lets go of its lock. A folder still holding the package stays, for the repair to put it back.
    ~SetAsidePackage();
    SetAsidePackage(const SetAsidePackage&) = delete;
    SetAsidePackage& operator=(const SetAsidePackage&) = delete;

    // Makes this save's own folder beside the destination, locked and marked. False with the
    // system's error code.
    bool make(const QString& destination, int* error);
    // Where the destination's package goes (setAsidePackageUrl).
    const QString& packageUrl() const { return m_package; }
    // Removes the folder with the package set aside in it, once the new one is in place.
    bool discard(int* error);

private:
    QString m_folder;
    QString m_package;
    PackageLock m_lock;
};
