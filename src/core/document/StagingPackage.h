#pragma once
// The package a staged save builds before it takes the document's place. Each save has its own,
// hidden beside the document and named for the process that makes it (SaveLeftovers.h), so two
// copies of the program saving at the same moment never write into each other's; it lies on the
// document's file system, so the swap only renames it. The save holds its lock from its making to
// its end: what did not take the document's place goes when the save ends, and what a process that
// died left goes at the next save beside it, or when the browser lists its folder.
#include "document/PackageLock.h"
#include "document/SaveLeftovers.h"

#include <QString>

class StagingPackage {
public:
    StagingPackage() = default;
    // Removes the package, unless a swap has moved it away, then lets go of its lock.
    ~StagingPackage();
    StagingPackage(const StagingPackage&) = delete;
    StagingPackage& operator=(const StagingPackage&) = delete;

    // Clears what ended saves left beside the destination, then makes this save's own package,
    // fresh, locked and marked (nothing in it but the mark). False with the system's error code.
    bool make(const QString& destination, int* error);
    // The package made; empty before.
    const QString& url() const { return m_url; }
    // The place of the first staging package of a process for a destination.
    static QString urlFor(const QString& destination, qint64 process);

private:
    QString m_url;
    PackageLock m_lock;
};
