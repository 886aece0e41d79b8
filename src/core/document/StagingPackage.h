#pragma once
// The package a staged save builds before it takes the document's place. Each save has its own,
// named for the process that makes it ("<folder>/.<name>.svd.<process>.saving"), so two copies of
// the program saving at the same moment never write into each other's; it lies beside the
// document, hidden from the document lists and on the document's file system, so the swap only
// renames it. What did not take the document's place goes when the save ends; what a killed
// process left goes at the next save of that document.
#include <QString>

// How the name of every staging package ends.
inline constexpr char kSavingPackageName[] = ".saving";

class StagingPackage {
public:
    StagingPackage() = default;
    // Removes the package owned, unless a swap has moved it away.
    ~StagingPackage();
    StagingPackage(const StagingPackage&) = delete;
    StagingPackage& operator=(const StagingPackage&) = delete;

    // The package this object removes when it goes; empty: none.
    void own(const QString& url) { m_url = url; }

    // Clears the staging packages beside the destination that no running process owns, then
    // makes this process's own, fresh and empty. False with the system's error code.
    static bool make(const QString& destination, QString* url, int* error);
    // The place of a process's staging package for a destination.
    static QString urlFor(const QString& destination, qint64 process);
    // Removes the staging packages beside the destination whose process is gone.
    static void clearStale(const QString& destination);

private:
    QString m_url;
};
