#include "app/RecentDocumentActions.h"

#include "app/FenRecentController.h"
#include "toolkit/dialogs/Dialog.h"
#include "toolkit/dialogs/FenAskStringController.h"
#include "toolkit/host/UiHost.h"
#include "toolkit/windows/windowutils.h"

#include "document/BackupManager.h"
#include "document/DocContext.h"
#include "document/DocumentMark.h"
#include "document/HelperSVFiles.h"
#include "document/HelperSVLibraryFolder.h"
#include "document/ICloudContainer.h"
#include "document/ICloudDelegate.h"
#include "document/PackageCopy.h"
#include "document/PackageMembers.h"
#include "document/SVDocumentManager.h"
#include "foundation/SystemClock.h"
#include "foundation/diagnostics.h"
#include "foundation/fileerrors.h"
#include "foundation/files.h"
#include "foundation/localized.h"
#include "foundation/xmlmember.h"
#include "model/DOCUMENT.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>

#include <cerrno>
#include <memory>
#include <sys/stat.h>
#include <utime.h>

namespace {

// The platform's code of a refused write permission, kept because the user's messages tell it.
constexpr int kNoWritePermission = 513;

int fileErrorCode(int error)
{
    return error == EACCES || error == EPERM || error == EROFS ? kNoWritePermission : error;
}

// Makes the folder, without its parents; 0 or the system's code.
int makeFolder(const QString& path)
{
    errno = 0;
    if (::mkdir(QFile::encodeName(path).constData(), 0777) == 0)
        return 0;
    return errno != 0 ? errno : EIO;
}

void touchNow(const QString& path)
{
    const double unixTime = SystemClock::now() + kReferenceDateOffset;
    struct utimbuf times;
    times.actime = static_cast<time_t>(unixTime);
    times.modtime = static_cast<time_t>(unixTime);
    ::utime(QFile::encodeName(path).constData(), &times);
}

// An alert with one OK button: a sheet on the window given, else application-modal.
void alertDocument(QObject* window, const QString& message, const QString& information, const QString& image, int style)
{
    showAlertOK(window, message, information, image, style);
}

// While a cloud operation runs on the document, the browser shows it busy.
iCloudDelegate::Block markBusy(const QPointer<FenRecentController>& browser, const RecentDocumentPtr& document)
{
    return [browser, document] {
        document->setBuzy(true);
        if (browser)
            browser->reloadList(true);
    };
}

// A cloud operation that failed leaves the document as it was, and the user is told.
iCloudDelegate::Block cloudFailure(const QPointer<FenRecentController>& browser, const RecentDocumentPtr& document)
{
    return [browser, document] {
        document->setBuzy(false);
        if (!browser)
            return;
        browser->reloadList(true);
        alertDocument(browser.data(), localizedDialogue(QStringLiteral("kAlerte_CantDelete")), document->name(),
                      QStringLiteral("document"), 2);
    };
}

// Where the document is listed now, by its place on disk; -1 when it no longer is. The browser's
// questions leave the other windows usable, and the list may be read again meanwhile.
long listedAt(const RecentDocumentPtr& document, int fileSystemTag)
{
    const SVWorkspaceManager& workspace = SVWorkspaceManager::sharedInstance();
    for (long index = 0; index < workspace.nbRecent(fileSystemTag); ++index) {
        const RecentDocumentPtr listed = workspace.documentAtIndex(index, fileSystemTag);
        if (listed && listed->url() == document->url())
            return index;
    }
    return -1;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Creating

bool RecentDocumentActions::createDocWithName(const QString& name, int fileSystemTag)
{
    const QString target = RecentDocument::theoricUrlForName(name, fileSystemTag);
    if (SVWorkspaceManager::isNameTaken(name, fileSystemTag)) {
        showAlertOK(&m_browser, localizedDialogue(QStringLiteral("kAlerte_NameAlreadyExist")), name,
                    QStringLiteral("document"), 0);
        if (QLineEdit* field = m_browser.textNouveau()) {
            field->setFocus();
            field->selectAll();
        }
        return false;
    }
    QString local;
    int error = 0;
    if (target.isEmpty() || !makeLocalPackage(name, &local, &error))
        return failCreation(local.isEmpty() ? (target.isEmpty() ? name : target) : local,
                            target.isEmpty() ? EINVAL : error);
    const bool cloud = fileSystemTag == kFileSystemICloud;
    if (cloud) {
        if (!cloudContainer().setUbiquitous(true, local, target, &error)) {
            QDir(local).removeRecursively();
            return failCreation(target, error);
        }
        cloudContainer().startDownloadingUbiquitousItem(target, &error);
    }
    const QString url = cloud ? target : local;
    IDocumentOpener* opener = FenRecentController::documentOpener();
    if (!opener || !opener->createDocument(url, fileSystemTag)) {
        m_browser.update();
        return false;
    }
    SVWorkspaceManager::sharedInstance().addRecentUrl(url, fileSystemTag, 0);
    m_browser.reloadList(false);
    return true;
}

// The package is always made in the Documents folder first; a half-made one is not left behind.
bool RecentDocumentActions::makeLocalPackage(const QString& name, QString* localUrl, int* error)
{
    const QString theoric = RecentDocument::theoricUrlForName(name, kFileSystemLocal);
    if (theoric.isEmpty()) {
        *error = EINVAL;
        return false;
    }
    *localUrl = uniqueFileURL(theoric);
    *error = makeFolder(*localUrl);
    if (*error != 0)
        return false;
    if (createPackageResources(*localUrl, nullptr, error))
        return true;
    QDir(*localUrl).removeRecursively();
    return false;
}

bool RecentDocumentActions::failCreation(const QString& path, int error)
{
    const int code = fileErrorCode(error);
    const QString message = code == kNoWritePermission ? localizedDialogue(QStringLiteral("kAlerte_PbCreerDoc_Droit"))
                                                       : localizedDialogue(QStringLiteral("kAlerte_PbCreerDoc"));
    alertDocument(nullptr, message, fileErrorInformation(path, error), QStringLiteral("document"), 2);
    m_browser.reloadList(false);
    return false;
}

// ---------------------------------------------------------------------------------------------
// Deleting

bool RecentDocumentActions::supprimer(bool confirm)
{
    const RecentDocumentPtr document = m_browser.selectedDocument();
    if (!document)
        return false;
    const int tag = m_browser.selectedFileSystemTag();
    if (confirm
        && showAlert(&m_browser, localizedDialogue(QStringLiteral("kConfirm_SuppDocument")), document->name(),
                     Dialog::noString(), Dialog::yesString(), QString(), QStringLiteral("document"), 1,
                     kAlertFirstButton)
            != kAlertSecondButton)
        return false;
    const QString cantDelete = localizedDialogue(QStringLiteral("kAlerte_CantDelete"));
    QString folder;
    int error = 0;
    if (!HelperSVLibraryFolder::getSVLibraryDeletedFolderUrl(&folder, &error) || error != 0) {
        alertDocument(&m_browser, cantDelete, document->name(), QStringLiteral("document"), 2);
        return false;
    }
    if (tag == kFileSystemICloud)
        return deleteICloudDocument(document);
    const long index = listedAt(document, tag);
    if (index < 0) {
        m_browser.reloadList(false);
        return false;
    }
    const QString destination = uniqueFileURL(folder + QLatin1Char('/') + document->name() + QStringLiteral(".svd"));
    QString heldOpen;
    const bool deleted = SVWorkspaceManager::sharedInstance().supprimerRecentMac(index, destination, &heldOpen);
    if (!deleted && !heldOpen.isEmpty())
        alertDocument(&m_browser, localizedDialogue(QStringLiteral("kAlerte_DocumentOpen_CantDelete")), heldOpen,
                      QStringLiteral("document"), 2);
    else if (!deleted)
        alertDocument(&m_browser, cantDelete, document->name(), QStringLiteral("document"), 2);
    m_browser.reloadList(!deleted);
    return deleted;
}

// The removal ends on the main thread, maybe after the browser has gone. The document's mark is
// held until then: no copy of the program opens it meanwhile, and none may have it open.
bool RecentDocumentActions::deleteICloudDocument(const RecentDocumentPtr& document)
{
    auto mark = std::make_shared<DocumentMark>(document->url());
    if (!mark->take()) {
        alertDocument(&m_browser, localizedDialogue(QStringLiteral("kAlerte_DocumentOpen_CantDelete")),
                      mark->heldInformation(document->name()), QStringLiteral("document"), 2);
        return false;
    }
    QPointer<FenRecentController> self(&m_browser);
    const auto done = [self, document, mark] {
        document->setBuzy(false);
        SVWorkspaceManager::sharedInstance().removeRecentUrl(document->url(), kFileSystemICloud);
        if (self)
            self->reloadList(false);
    };
    const auto failed = [failure = cloudFailure(self, document), mark] { failure(); };
    iCloudDelegate::sharedInstance().removeDocument(*document, markBusy(self, document), done, failed);
    return true;
}

// ---------------------------------------------------------------------------------------------
// Renaming, duplicating, moving, copying

// The lists are in name order: the duplicate is selected by its name, wherever it is listed.
void RecentDocumentActions::renameOrDuplicate(bool duplicate)
{
    const RecentDocumentPtr document = m_browser.selectedDocument();
    if (!document)
        return;
    const int tag = m_browser.selectedFileSystemTag();
    const QString key
        = duplicate ? QStringLiteral("kAskString_DuplicateDocument") : QStringLiteral("kAskString_RenameDocument");
    const QString proposed = duplicate ? QStringLiteral("%1_2").arg(document->name()) : document->name();
    QString newName;
    bool accepted = false;
    FenAskStringController::askForAvailableRecentName(&m_browser, key, proposed, &newName, duplicate, tag,
                                                      [&accepted](bool ok) { accepted = ok; });
    long index = listedAt(document, tag);
    if (!accepted)
        return;
    if (index < 0) {
        m_browser.reloadList(false);
        return;
    }
    SVWorkspaceManager& workspace = SVWorkspaceManager::sharedInstance();
    long found = 0;
    QString heldOpen;
    if (duplicate) {
        workspace.dupliquerRecent(index, newName, tag);
        if (workspace.findElementNamed(newName, &found, tag)) {
            m_browser.reloadList(false);
            m_browser.GOTO_NAME(newName);
            return;
        }
    } else if (workspace.renommerRecent(&index, newName, tag, &heldOpen)) {
        m_browser.reloadList(false);
        m_browser.table1()->GO(int(index));
        return;
    }
    m_browser.reloadList(true);
    if (!heldOpen.isEmpty()) {
        alertDocument(&m_browser, localizedDialogue(QStringLiteral("kAlerte_DocumentOpen_CantRename")), heldOpen,
                      QStringLiteral("document"), 2);
        return;
    }
    const QString message = duplicate ? localizedDialogue(QStringLiteral("kAlerte_CantDuplicateDocument"))
                                      : localizedDialogue(QStringLiteral("kAlerte_CantRenameDocument"));
    alertDocument(&m_browser, message, newName, QStringLiteral("document"), 2);
}

void RecentDocumentActions::deplacer()
{
    const RecentDocumentPtr document = m_browser.selectedDocument();
    if (!document || document->url().isEmpty())
        return;
    const bool toCloud = m_browser.selectedFileSystemTag() == kFileSystemLocal;
    const QString question = toCloud ? localizedDialogue(QStringLiteral("kConfirm_deplacer_vers_iCloud"))
                                     : localizedDialogue(QStringLiteral("kConfirm_deplacer_vers_Mac"));
    const QString destination
        = RecentDocument::theoricUrlForName(document->name(), toCloud ? kFileSystemICloud : kFileSystemLocal);
    if (destination.isEmpty())
        return;
    if (showAlert(&m_browser, question, document->name(), Dialog::yesString(), Dialog::noString(), QString(),
                  QStringLiteral("deplacer"), 1, kAlertSecondButton)
        != kAlertFirstButton)
        return;
    QPointer<FenRecentController> self(&m_browser);
    const auto done = [self, document, destination, toCloud] {
        if (self)
            self->actions().didDeplacerDocument(document, destination, toCloud);
    };
    iCloudDelegate::sharedInstance().moveDocument(*document, destination, toCloud, markBusy(self, document), done,
                                                  cloudFailure(self, document));
}

void RecentDocumentActions::didDeplacerDocument(const RecentDocumentPtr& document, const QString& destination,
                                                bool becomesUbiquitous)
{
    const qint64 size = document->fileSize();
    const QString name = document->name();
    document->setBuzy(false);
    SVWorkspaceManager& workspace = SVWorkspaceManager::sharedInstance();
    workspace.removeRecentUrl(document->url(), document->fileSystemTag());
    int error = 0;
    if (becomesUbiquitous)
        cloudContainer().startDownloadingUbiquitousItem(destination, &error);
    const int to = becomesUbiquitous ? kFileSystemICloud : kFileSystemLocal;
    FenRecentController* browser = &m_browser;
    QMetaObject::invokeMethod(
        browser,
        [browser, to, name, size, destination] {
            browser->changeFileSystemTagTo(to);
            SVWorkspaceManager& lists = SVWorkspaceManager::sharedInstance();
            long index = 0;
            if (to == kFileSystemICloud && !lists.findElementNamed(name, &index, to))
                lists.addRecentUrl(destination, to, size);
            if (to == kFileSystemICloud && lists.findElementNamed(name, &index, to))
                lists.documentAtIndex(index, to)->setFileSize(size);
            browser->reloadList(false);
            browser->GOTO_NAME(name);
        },
        Qt::QueuedConnection);
}

void RecentDocumentActions::enregistrerCopie()
{
    const RecentDocumentPtr document = m_browser.selectedDocument();
    if (!document)
        return;
    const QString chosen = runSavePanel(document->name(), QStringLiteral("svd"));
    if (chosen.isEmpty())
        return;
    const QString path = HelperSVFiles::cleanSVURL(chosen);
    if (!copyClosedDocument(*document, path))
        return;
    touchNow(path);
    BackupManager::defaultManager().didManualSaveForClosedDocumentAtUrl(document->url());
    alertDocument(&m_browser, localizedDialogue(QStringLiteral("kAlerte_SaveCopyOK")), path, QStringLiteral("DD"), 1);
}

// A copy into the document itself would copy without end: it is refused like any failed copy. The
// save panel asked before it answered a place that exists: the document there is replaced whole,
// or stays as it was.
bool RecentDocumentActions::copyClosedDocument(const RecentDocument& document, const QString& path)
{
    const QString source = QFileInfo(document.url()).absoluteFilePath();
    const QFileInfo target(QFileInfo(path).absoluteFilePath());
    const bool intoItself = target.filePath() == source || target.filePath().startsWith(source + QLatin1Char('/'));
    const bool existed = target.exists() || target.isSymLink();
    PackageCopy copy(target.filePath());
    copy.setReplacing(existed);
    if (!intoItself && copy.copyFrom(source))
        return true;
    if (!copy.heldOpen().isEmpty()) {
        alertDocument(nullptr, localizedDialogue(QStringLiteral("kAlerte_DocumentOpen_CantReplace")), copy.heldOpen(),
                      QStringLiteral("DD"), 2);
        return false;
    }
    const QString key
        = existed && !intoItself ? QStringLiteral("kAlerte_CantOverwriteCopy") : QStringLiteral("kAlerte_CantSaveCopy");
    alertDocument(nullptr, localizedDialogue(key), target.filePath(), QStringLiteral("DD"), 2);
    return false;
}

// ---------------------------------------------------------------------------------------------
// Documents from elsewhere

void RecentDocumentActions::importFromUrl(const QString& path)
{
    const QFileInfo file(path);
    if (file.suffix() != QLatin1String("svd") || !file.isDir()) {
        alertDocument(&m_browser, localizedDialogue(QStringLiteral("kAlerte_RecentNotDocument")), file.fileName(),
                      QStringLiteral("document"), 2);
        return;
    }
    QString reason;
    if (!isDocumentPackage(path, &reason)) {
        alertDocument(&m_browser, localizedDialogue(QStringLiteral("kAlerte_NotADocument")),
                      QStringLiteral("« %1 » : %2").arg(file.fileName(), reason), QStringLiteral("document"), 2);
        return;
    }
    QString url = path;
    const int result = SVWorkspaceManager::sharedInstance().importerRecent(&url, m_browser.selectedFileSystemTag());
    if (result == kImportNotWritable) {
        alertDocument(&m_browser, localizedDialogue(QStringLiteral("kImportRecent_notWritable")), file.fileName(),
                      QStringLiteral("document"), 2);
        UiHost::instance().desktop().revealFile(path);
    } else if (result == kImportNameTaken) {
        alertDocument(&m_browser, localizedDialogue(QStringLiteral("kAlerte_RecentNameAlreadyExist")), file.fileName(),
                      QStringLiteral("document"), 2);
    } else if (result == 0) {
        // A name already listed gave the copy a free one ("B-1"): the user looks for that one.
        const QString name = documentNameFromURL(url);
        alertDocument(&m_browser, localizedDialogue(QStringLiteral("kAlerte_RecentNoErr")), name,
                      QStringLiteral("document"), 1);
        FenRecentController* browser = &m_browser;
        QMetaObject::invokeMethod(
            browser,
            [browser, name] {
                browser->update();
                browser->GOTO_NAME(name);
            },
            Qt::QueuedConnection);
    } else {
        alertDocument(&m_browser, localizedDialogue(QStringLiteral("kAlerte_CantImportDocument")),
                      QStringLiteral("%1 (%2)").arg(file.fileName()).arg(result), QStringLiteral("document"), 2);
    }
}

void RecentDocumentActions::handleRequestForPath(const QString& path)
{
    const QString name = documentNameFromURL(path);
    SVWorkspaceManager& workspace = SVWorkspaceManager::sharedInstance();
    workspace.loadRecentMacData();
    long index = 0;
    int found = -1;
    if (workspace.findElementNamed(name, &index, kFileSystemICloud))
        found = kFileSystemICloud;
    else if (workspace.findElementNamed(name, &index, kFileSystemLocal))
        found = kFileSystemLocal;
    // Nothing at the place named and no document of that name: there is nothing to take in, and
    // the opening says it is missing (and offers a document it may have been set aside as).
    if (found < 0 && !QFileInfo(path).exists() && !QFileInfo(path).isSymLink()) {
        m_browser.openRecentDocument(std::make_shared<RecentDocument>(path, kFileSystemLocal));
        return;
    }
    const QString key = found >= 0 ? localizedDialogue(QStringLiteral("kConfirm_openDocFromFinder"))
                                   : localizedDialogue(QStringLiteral("kConfirm_importDocFromFinder"));
    int answer = 0;
    Dialog::OKConfirmationWithDictionary({{QStringLiteral("window"), QVariant::fromValue<QObject*>(&m_browser)},
                                          {QStringLiteral("title"), key},
                                          {QStringLiteral("information"), name},
                                          {QStringLiteral("imageName"), QStringLiteral("document")},
                                          {QStringLiteral("escapeButton"), kAlertSecondButton}},
                                         [&answer](int code) { answer = code; });
    if (answer != kAlertFirstButton)
        return;
    if (found < 0) {
        importFromUrl(path);
        return;
    }
    m_browser.changeFileSystemTagTo(found);
    if (m_browser.GOTO_NAME(name))
        m_browser.openRecentDocument(m_browser.selectedDocument());
}

// ---------------------------------------------------------------------------------------------
// The cloud

void RecentDocumentActions::synchroniser(long row)
{
    if (m_browser.selectedFileSystemTag() != kFileSystemICloud)
        return;
    const RecentDocumentPtr document = SVWorkspaceManager::sharedInstance().documentAtIndex(row, kFileSystemICloud);
    int error = 0;
    if (document && !cloudContainer().startDownloadingUbiquitousItem(document->url(), &error))
        svLog(QStringLiteral("iCloud synchro error %1").arg(error));
}

void RecentDocumentActions::secours()
{
    QString folder;
    int error = 0;
    if (HelperSVLibraryFolder::getSVLibraryArchiveFolderUrl(&folder, &error))
        UiHost::instance().desktop().revealFile(folder);
}

void RecentDocumentActions::identityChanged(int code, const QString& folder)
{
    DOCUMENT* open = currentDocument();
    const bool cloudDocumentOpen = open && open->fileSystemTag == kFileSystemICloud;
    QString message;
    if (code == kIdentitySignedOut) {
        if (cloudDocumentOpen)
            SVDocumentManager::defaultManager().moveDocumentToCache(open, folder);
        message = localizedDialogue(QStringLiteral("kAlerte_IdentityDropConnexion"));
    } else if (code == kIdentitySameBack) {
        if (cloudDocumentOpen)
            SVDocumentManager::defaultManager().moveCacheToDocument(open, folder);
        message = localizedDialogue(QStringLiteral("kAlerte_kIdentityBackConnexion"));
    } else if (code == kIdentityFirst) {
        message = localizedDialogue(QStringLiteral("kAlerte_kIdentityFirstConnexion"));
    } else if (code == kIdentityOther) {
        message = localizedDialogue(QStringLiteral("kAlerte_kIdentityNewConnexion"));
    }
    if (!message.isEmpty())
        alertDocument(&m_browser, message, QString(), QStringLiteral("iCloud_logo"), 1);
}
