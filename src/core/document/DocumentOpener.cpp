#include "DocumentOpener.h"

#include "document/APPLIPARAM.h"
#include "document/BEFOREPARAM.h"
#include "document/BackupManager.h"
#include "document/DocContext.h"
#include "document/DocumentMark.h"
#include "document/FileSystemOps.h"
#include "document/HelperSVLibraryFolder.h"
#include "document/PackageMembers.h"
#include "document/SVDocumentManager.h"
#include "document/SVWorkspaceManager.h"
#include "document/SavePlace.h"
#include "document/UpgradeManager.h"
#include "foundation/IAlerts.h"
#include "foundation/diagnostics.h"
#include "foundation/fileerrors.h"
#include "foundation/files.h"
#include "foundation/localized.h"
#include "foundation/xmlfileaccess.h"
#include "foundation/xmlmember.h"
#include "model/DOCUMENT.h"
#include "model/MOYEN.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <cerrno>

namespace {

// The application parameters exist whenever the preference file has a place: read from it, or
// the defaults when it is missing or unreadable (an unreadable file is kept aside). Only a library
// with no place for it leaves the opening without parameters to go by.
bool appliParamAvailable()
{
    QString url;
    int error = 0;
    return HelperSVLibraryFolder::getSVLibraryPreferenceFileUrl(&url, &error) && error == 0;
}

// Asks whether to go on despite the failure of that code; the user's answer.
bool askContinue(DocError code, bool forSave)
{
    bool goOn = false;
    SVDocumentManager::informDocErrorAndAskContinue(
        code, forSave, [&goOn]() { goOn = true; }, [&goOn]() { goOn = false; });
    return goOn;
}

// Where a writable copy of a package the user can't write goes: beside it when its folder can be
// written, else among the local documents; a name no item has. Empty when neither can be written.
QString writableCopyUrl(const QString& url, int* fileSystemTag)
{
    const QFileInfo package(QDir::cleanPath(url));
    QString folder = package.path();
    if (!FileSystemOps::shared().isWritable(folder)) {
        *fileSystemTag = kFileSystemLocal;
        if (!SVWorkspaceManager::getRecentFolderUrl(&folder, kFileSystemLocal)
            || !FileSystemOps::shared().isWritable(folder))
            return {};
    }
    return uniqueFileURL(folder + QLatin1Char('/') + package.fileName());
}

// "<folder>/<name>.old.svd" for "<folder>/<name>.svd": where saves of earlier versions of the
// program set the document aside, and the name of the user's document "<name>.old" as well.
QString legacySetAsideUrl(const QString& url)
{
    const QFileInfo info(QDir::cleanPath(url));
    return info.path() + QLatin1Char('/') + info.completeBaseName() + QStringLiteral(".old.svd");
}

// A copy keeps the permissions of what it copies: the user is given back the right to write it.
bool makeOwnerWritable(const QString& path, int* error)
{
    QStringList places {path};
    QDirIterator inside(path, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot | QDir::NoSymLinks,
                        QDirIterator::Subdirectories);
    while (inside.hasNext()) {
        const QString place = inside.next();
        if (!inside.fileInfo().isSymLink())
            places << place;
    }
    for (const QString& place : std::as_const(places)) {
        if (!QFile::setPermissions(place, QFile::permissions(place) | QFile::WriteOwner)) {
            *error = EACCES;
            return false;
        }
    }
    return true;
}

} // namespace

// The package being opened: a writable copy may take the place of the one asked for.
struct DocumentOpener::Opening {
    QString url;
    int fileSystemTag = kFileSystemLocal;
    std::shared_ptr<DocumentMark> mark;
    bool keptWithoutSaving = false;
    bool madeCopy = false; // the package is a writable copy this opening made
};

bool DocumentOpener::doOpen(const QString& url, std::unique_ptr<DOCUMENT>* doc, bool crea, int fileSystemTag,
                            IOpenPrompts& prompts)
{
    doc->reset();
    DocContext::instance().m_document = nullptr;
    // Reached through a link, the document is the package the link leads to: saved there, the
    // link stays a link.
    Opening opening {DocumentMark::packagePlace(url), fileSystemTag, nullptr, false};
    if (!takeMark(opening))
        return false;
    if (!runStages(opening, doc, crea, prompts)) {
        dropWritableCopy(opening);
        return false;
    }
    DocContext::instance().openMark = std::move(opening.mark);
    DocContext::instance().keptWithoutSaving = opening.keptWithoutSaving;
    return true;
}

bool DocumentOpener::runStages(Opening& opening, std::unique_ptr<DOCUMENT>* doc, bool crea, IOpenPrompts& prompts)
{
    if (crea) {
        const DocError code = doOpen_step_create_beforeParam(opening.url);
        if (code != DocError::None && !askContinue(code, false))
            return false;
    } else if (!repairInterruptedSave(opening.url) || !passMissing(opening.url) || !isDocument(opening.url)
               || !passReadOnly(opening) || !passPassword(opening.url, prompts) || !makeBackup(opening.url)
               || !passVersionGate(opening.url)) {
        return false;
    }
    if (!loadStage(opening.url, doc, crea, opening.fileSystemTag))
        return false;
    if (!crea && !opening.keptWithoutSaving && !rewriteBeforeParam(opening.url)) {
        SVDocumentManager::defaultManager().disposeDocument(std::move(*doc));
        DocContext::instance().m_document = nullptr;
        return false;
    }
    return true;
}

// Before anything reads or writes the package: two running copies of the program must never both
// have it open.
bool DocumentOpener::takeMark(Opening& opening)
{
    auto mark = std::make_shared<DocumentMark>(opening.url);
    if (mark->take()) {
        opening.mark = std::move(mark);
        return true;
    }
    const QString name = QFileInfo(QDir::cleanPath(opening.url)).completeBaseName();
    alertKeyWithInformation(QStringLiteral("kAlerte_DocumentAlreadyOpen"), mark->heldInformation(name), nullptr, 2,
                            QStringLiteral("document"));
    return false;
}

// Opened as it is, a package the user can't write could be read but never saved, and the user
// would learn it only when the first save failed: it is said now, with the way out.
bool DocumentOpener::passReadOnly(Opening& opening)
{
    const QString unwritable = unwritablePlaceForSave(opening.url);
    if (unwritable.isEmpty())
        return true;
    int copyTag = opening.fileSystemTag;
    const QString copy = writableCopyUrl(opening.url, &copyTag);
    AlertRequest request;
    // Where no folder can take a copy, the question offers only what can be done.
    request.message = localizedDialogue(copy.isEmpty() ? QStringLiteral("kConfirm_ReadOnlyDocumentNoCopy")
                                                       : QStringLiteral("kConfirm_ReadOnlyDocument"));
    request.information = unwritablePlaceInformation(unwritable);
    request.button1 = localizedDialogue(QStringLiteral("kOpenDoc_DontOpen"));
    request.escapeButton = kAlertFirstButton;
    request.button2 = localizedDialogue(QStringLiteral("kOpenDoc_OpenWithoutSaving"));
    if (!copy.isEmpty()) {
        request.information += QStringLiteral("\n\n")
            + localizedDialogue(QStringLiteral("kInfo_ReadOnlyCopyName")).arg(QFileInfo(copy).completeBaseName());
        request.button3 = localizedDialogue(QStringLiteral("kOpenDoc_OpenCopy"));
    }
    request.imageName = QStringLiteral("document");
    request.style = 0;
    const int answer = runAlert(request);
    if (answer == kAlertSecondButton) {
        opening.keptWithoutSaving = true;
        return true;
    }
    return answer == kAlertThirdButton && !copy.isEmpty() && openWritableCopy(opening, copy, copyTag);
}

bool DocumentOpener::openWritableCopy(Opening& opening, const QString& copy, int copyTag)
{
    int error = 0;
    if (!FileSystemOps::shared().copyItem(opening.url, copy, &error) || !makeOwnerWritable(copy, &error)) {
        svLog(QStringLiteral("Copie de %1 impossible (%2) : %3").arg(opening.url).arg(error).arg(copy));
        if (FileSystemOps::shared().exists(copy))
            FileSystemOps::shared().removeItem(copy, nullptr);
        alertKeyWithInformation(QStringLiteral("kAlerte_CantSaveCopy"),
                                fileErrorInformation(copy, error != 0 ? error : EIO), nullptr, 2,
                                QStringLiteral("document"));
        return false;
    }
    Opening copied {copy, copyTag, nullptr, false, true};
    if (!takeMark(copied))
        return false;
    opening = std::move(copied);
    return true;
}

// A copy made for an opening that then failed (the password, the version, the loading) is of no
// use to anyone: left, every new try would add another.
void DocumentOpener::dropWritableCopy(const Opening& opening)
{
    int error = 0;
    if (opening.madeCopy && FileSystemOps::shared().exists(opening.url)
        && !FileSystemOps::shared().removeItem(opening.url, &error))
        svLog(QStringLiteral("Copie %1 non supprimée après l'échec de l'ouverture (%2)").arg(opening.url).arg(error));
}

// A save stopped between its two renames left the document in its hidden set-aside folder only: it
// takes its name back before anything reads, backs up or judges the package.
bool DocumentOpener::repairInterruptedSave(const QString& url)
{
    int error = 0;
    if (!SVDocumentManager::restoreInterruptedSave(url, &error))
        svLog(QStringLiteral("Reprise de l'enregistrement interrompu impossible (%1) : %2").arg(error).arg(url));
    return true; // what can be opened still is, and says what it lacks
}

// A document moved away or removed outside the program is said to be missing, naming its folder.
// Saves of earlier versions of the program set the document aside as "<name>.old.svd", but a
// document of that name may as well be the user's own: it takes the missing one's name only when
// the user says so, and never over anything.
bool DocumentOpener::passMissing(const QString& url)
{
    FileSystemOps& ops = FileSystemOps::shared();
    const QFileInfo document(QDir::cleanPath(url));
    if (ops.exists(document.filePath()))
        return true;
    const QString legacy = legacySetAsideUrl(document.filePath());
    const QString name = document.completeBaseName();
    const QString folder = QDir::toNativeSeparators(document.path());
    if (!isDocumentPackage(legacy, nullptr)) {
        svLog(QStringLiteral("Document introuvable : %1").arg(document.filePath()));
        AlertRequest request;
        request.message = localizedDialogue(QStringLiteral("kAlerte_DocumentNotFound")).arg(name, folder);
        request.imageName = QStringLiteral("document");
        request.style = 2;
        runAlert(request);
        return false;
    }
    const QString legacyName = QFileInfo(legacy).completeBaseName();
    AlertRequest request;
    request.message
        = localizedDialogue(QStringLiteral("kConfirm_DocumentNotFoundTakeOld")).arg(name, folder, legacyName);
    request.button1 = localizedDialogue(QStringLiteral("kOpenDoc_DontOpen"));
    request.escapeButton = kAlertFirstButton;
    request.button2 = localizedDialogue(QStringLiteral("kOpenDoc_TakeOldAndOpen"));
    request.imageName = QStringLiteral("document");
    request.style = 0;
    if (runAlert(request) != kAlertSecondButton)
        return false;
    return takeBackLegacy(legacy, document.filePath());
}

bool DocumentOpener::takeBackLegacy(const QString& legacy, const QString& url)
{
    const QString legacyName = QFileInfo(legacy).completeBaseName();
    // Renamed while another copy of the program has it open, it would be saved back where it was.
    DocumentMark mark(legacy);
    if (!mark.take()) {
        alertKeyWithInformation(QStringLiteral("kAlerte_DocumentOpen_CantRename"), mark.heldInformation(legacyName),
                                nullptr, 2, QStringLiteral("document"));
        return false;
    }
    int error = 0;
    if (FileSystemOps::shared().moveItem(legacy, url, &error)) {
        svLog(QStringLiteral("%1 renommé %2 à la demande de l'utilisateur").arg(legacy, url));
        return true;
    }
    svLog(QStringLiteral("%1 non renommé %2 (%3)").arg(legacy, url).arg(error));
    alertKeyWithInformation(QStringLiteral("kAlerte_CantTakeOld"), fileErrorInformation(legacy, error), nullptr, 2,
                            QStringLiteral("document"));
    return false;
}

// A folder without the files of a document is refused with its reason, before anything is
// written into it.
bool DocumentOpener::isDocument(const QString& url)
{
    QString reason;
    if (isDocumentPackage(url, &reason))
        return true;
    alertKeyWithInformation(QStringLiteral("kAlerte_NotADocument"),
                            QStringLiteral("« %1 » : %2").arg(QFileInfo(QDir::cleanPath(url)).fileName(), reason),
                            nullptr, 2, QStringLiteral("document"));
    return false;
}

DocError DocumentOpener::doOpen_step_create_beforeParam(const QString& url)
{
    bool ignored = false;
    const BEFOREPARAM before = BEFOREPARAM::loadBeforeParam(url, &ignored);
    // The package folder is made by the caller; its resources folder comes with its first file.
    createPackageResources(url, nullptr, nullptr);
    return BEFOREPARAM::saveBeforeParam(url, before) ? DocError::None : DocError::BeforeParam;
}

bool DocumentOpener::passPassword(const QString& url, IOpenPrompts& prompts)
{
    bool ignored = false;
    const BEFOREPARAM before = BEFOREPARAM::loadBeforeParam(url, &ignored);
    return !before.hasPassword() || prompts.askDocumentPassword(before, url);
}

bool DocumentOpener::makeBackup(const QString& url)
{
    // Going on without parameters still makes the backup, with the default count: the copy is the
    // user's safety net, and never the price of an answer.
    if (!appliParamAvailable() && !askContinue(DocError::AppliParam, true))
        return false;
    const long count = APPLIPARAM::loadAppliParam().nbSauvNew;
    if (count <= 0)
        return true;
    bool done = false;
    BackupManager::defaultManager().sauvegardeAutomatique(
        url, count, [&done]() { done = true; }, [&done]() { done = false; });
    return done;
}

bool DocumentOpener::passVersionGate(const QString& url)
{
    bool ignored = false;
    const BEFOREPARAM before = BEFOREPARAM::loadBeforeParam(url, &ignored);
    bool passed = false;
    UpgradeManager::doUpgrade(
        before.version, url, nullptr, [&passed]() { passed = true; }, [&passed]() { passed = false; });
    APPLIPARAM::disposeAppliParam();
    return passed;
}

// The version passed and its password digested are written only once the document is accepted:
// a package the user refuses to open is left as it was. A "beforeparam.xml" that is no regular
// file was reported with the loading; the next save writes a sound one.
bool DocumentOpener::rewriteBeforeParam(const QString& url)
{
    if (memberFileState(url, QString::fromLatin1(kBeforeParamFileName)) != MemberFileState::Regular)
        return true;
    bool ignored = false;
    BEFOREPARAM before = BEFOREPARAM::loadBeforeParam(url, &ignored);
    before.version = kDocumentFormatVersion;
    if (BEFOREPARAM::saveBeforeParam(url, before))
        return true;
    QString resources;
    packageResourcesURL(url, &resources);
    AlertRequest request;
    request.message = localizedDialogue(QStringLiteral("kAlerte_CannotUpdateBeforeParam"));
    request.information
        = fileErrorInformation(resources + QLatin1Char('/') + QLatin1String(kBeforeParamFileName), xmlLastWriteError());
    request.button1 = localizedDialogue(QStringLiteral("kOpenDoc_DontOpen"));
    request.escapeButton = kAlertFirstButton;
    request.button2 = localizedDialogue(QStringLiteral("kOpenDoc_Open"));
    request.imageName = QStringLiteral("document");
    request.style = 2;
    return runAlert(request) == kAlertSecondButton;
}

bool DocumentOpener::loadStage(const QString& url, std::unique_ptr<DOCUMENT>* doc, bool crea, int fileSystemTag)
{
    *doc = std::make_unique<DOCUMENT>(url, fileSystemTag);
    DocContext::instance().m_document = doc->get();
    bool loaded = false;
    SVDocumentManager::defaultManager().loadDocument(
        *doc, [&loaded]() { loaded = true; }, [&loaded]() { loaded = false; }, crea);
    if (!loaded) {
        doc->reset();
        DocContext::instance().m_document = nullptr;
        return false;
    }
    if (!crea)
        MOYEN::cleanMoyensAtOpen(doc->get());
    return true;
}
