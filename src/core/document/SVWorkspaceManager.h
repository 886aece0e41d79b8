#pragma once
// The documents the browser lists, one list per storage: the cloud container's documents (tag 0),
// fed by its metadata query, and the user's Documents folder (tag 1), rebuilt by scanning it. Each
// list is sorted by name, letter case ignored, and never lists two names that differ only in case.
// Operations given any other tag do nothing and answer no, 0 or nothing.
//
// The file systems here tell "Budget.svd" from "budget.svd" while the lists do not, so the
// operations that make a name refuse (rename, duplicate) or avoid (import) one that differs from
// an existing name only in case: the second document would never be listed.
//
// Entries are shared: the browser keeps one across list changes (busy marks on a deletion that
// ends later). Main thread only.
#include "document/RecentDocument.h"
#include "document/SVMetadataQueryDelegate.h"

#include <QList>
#include <QString>
#include <memory>

using RecentDocumentPtr = std::shared_ptr<RecentDocument>;

// Answers of importerRecent besides 0 and the copy's error codes.
inline constexpr int kImportNameTaken = 1;
inline constexpr int kImportNotWritable = 2; // the storage has no folder
inline constexpr int kImportNotDocument = 3; // the folder holds no document

class SVWorkspaceManager {
public:
    static SVWorkspaceManager& sharedInstance();

    long nbRecent(int fileSystemTag) const;
    void clearRecent(int fileSystemTag);
    // Nothing when the index is outside the list.
    RecentDocumentPtr documentAtIndex(long index, int fileSystemTag) const;
    // The first entry of exactly that name: true and its index, else false and 0.
    bool findElementNamed(const QString& name, long* foundIndex, int fileSystemTag) const;
    // The entry of the URL's document name, letter case ignored: true and its index; else false
    // and the index where it would be inserted.
    bool findElementAtUrl(const QString& url, long* foundIndex, int fileSystemTag) const;
    // Inserts an entry for the package in its place, unless its name is listed.
    void addRecentUrl(const QString& url, int fileSystemTag, qint64 size = 0);
    void removeRecentUrl(const QString& url, int fileSystemTag);
    // Adds the items of a query, the list emptied first when asked.
    void addRecentList(const QList<SVMetadataItem>& items, int fileSystemTag, bool doClear);
    void removeRecentList(const QList<SVMetadataItem>& items, int fileSystemTag);
    // Gives the local entries named like the items the items' sizes.
    void updateMacMetadata(const QList<SVMetadataItem>& items);

    // The folder of the storage (the local one is never made here); false when it has none.
    static bool getRecentFolderUrl(QString* url, int fileSystemTag);
    // Whether the storage's folder holds a document of that name, letter case ignored: a new or
    // renamed document must not take it. False when the name has no place there.
    static bool isNameTaken(const QString& name, int fileSystemTag);

    // Lists again the "svd" packages of the Documents folder (hidden items skipped). What ended
    // saves left there is cleared first: a document one of them left aside takes its own name back.
    void loadRecentMacData();
    // Reads again the sizes of the local entries.
    void updateRecentMacData();

    // Renames the package at *index to the new name and moves its entry to the new name's place,
    // *index following it. False, with nothing changed, when the move fails or another document
    // has that name, or when a running copy of the program has the document (or one of the new
    // name) open: *heldOpen, when given, then names the document and the process
    // (DocumentMark::heldInformation).
    bool renommerRecent(long* index, const QString& newName, int fileSystemTag, QString* heldOpen = nullptr);
    // Copies the package at index under the new name and lists the copy; for the cloud storage
    // the answer is whether its download could be asked for. Like the import's, the copy is built
    // under a hidden name and renamed into place once whole (PackageCopy): no half copy is listed.
    bool dupliquerRecent(long index, const QString& newName, int fileSystemTag);
    // Copies the document at *url into the storage under a free name, *url then naming the copy:
    // 0, or kImportNameTaken, kImportNotWritable, kImportNotDocument (a folder without the files of
    // a document) or the copy's error code (513 for a permission refused). The list is left to the browser's refresh.
    int importerRecent(QString* url, int fileSystemTag);
    // Moves the local package at index to the destination (the deleted-documents folder) and
    // drops its entry. Refused, as renommerRecent, while a running copy of the program has the
    // document open.
    bool supprimerRecentMac(long index, const QString& destUrl, QString* heldOpen = nullptr);

private:
    SVWorkspaceManager() = default;

    QList<RecentDocumentPtr>* listFor(int fileSystemTag);
    const QList<RecentDocumentPtr>* listFor(int fileSystemTag) const;

    QList<RecentDocumentPtr> m_iCloudList;
    QList<RecentDocumentPtr> m_localList;
};
