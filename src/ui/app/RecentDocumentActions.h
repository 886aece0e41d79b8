#pragma once
// The document browser's commands that change files: creating a document's package, deleting
// (into the library's deleted-documents folder), renaming, duplicating, moving between the
// storages, copying a closed document, taking in a document from elsewhere, and following the
// changes of the user's cloud identity. Each acts on the browser's selected document and storage,
// tells the user of a failure, and leaves the list as the workspace reports it.
#include "document/SVWorkspaceManager.h"

#include <QString>

class FenRecentController;

class RecentDocumentActions {
public:
    explicit RecentDocumentActions(FenRecentController& browser)
        : m_browser(browser)
    {
    }

    // Makes the package in the storage, then has the application create and open the document.
    bool createDocWithName(const QString& name, int fileSystemTag);
    // Deletes the selected document, after the user's yes when asked to confirm.
    bool supprimer(bool confirm);
    void renameOrDuplicate(bool duplicate);
    // Moves the selected document to the other storage, after the user's yes.
    void deplacer();
    void didDeplacerDocument(const RecentDocumentPtr& document, const QString& destination, bool becomesUbiquitous);
    // Copies the selected document where the user chooses.
    void enregistrerCopie();
    // Asks the cloud to fetch the document of that row of the cloud list.
    void synchroniser(long row);
    // Shows the folder of the automatic backups.
    void secours();
    void importFromUrl(const QString& path);
    // A document the desktop asked to open: opened when listed, else offered for import.
    void handleRequestForPath(const QString& path);
    // The open cloud document follows the identity; the user is told of the change.
    void identityChanged(int code, const QString& folder);

private:
    bool failCreation(const QString& path, int error);
    bool makeLocalPackage(const QString& name, QString* localUrl, int* error);
    bool deleteICloudDocument(const RecentDocumentPtr& document);
    bool copyClosedDocument(const RecentDocument& document, const QString& path);

    FenRecentController& m_browser;
};
