// Saving a copy of the open document where the user chooses. The copy takes its place whole or not
// at all: built under a hidden name and renamed into place, and a document already there (which
// the save panel asked about) replaced the way a save replaces its own.
#include "ApplicationDelegate.h"

#include "toolkit/dialogs/Dialog.h"
#include "toolkit/windows/windowutils.h"

#include "document/BackupManager.h"
#include "document/DocContext.h"
#include "document/FileSystemOps.h"
#include "document/PackageCopy.h"
#include "document/SVDocumentManager.h"
#include "foundation/SystemClock.h"
#include "foundation/dates.h"
#include "foundation/files.h"
#include "foundation/localized.h"
#include "model/DOCUMENT.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>

namespace {

// A package is a folder, which QFile can't open to set its times.
void touchModificationDate(const QString& path, double date)
{
    const qint64 ms = dateToDateTime(date).toMSecsSinceEpoch();
    struct timespec times[2];
    times[0].tv_nsec = UTIME_OMIT;
    times[1].tv_sec = ms / 1000;
    times[1].tv_nsec = (ms % 1000) * 1000000;
    utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0);
}

void alertCopyFailed(const QString& dialogueKey, const QString& information = QString())
{
    Dialog::alerte(nullptr, localizedDialogue(dialogueKey), information, QStringLiteral("DD"), 0, {});
}

// The document as it is in memory written into the package a copy builds: the members and
// folders of a save, the document's own package and its date of last save left as they are.
bool writeDocumentInto(DOCUMENT* doc, const QString& package, int* error)
{
    bool saved = false;
    SVDocumentManager::defaultManager().saveDocument(doc, package, {.useTempFolder = false, .doMessage = true},
                                                     [&saved] { saved = true; }, {});
    if (!saved)
        *error = EIO;
    return saved;
}

} // namespace

void ApplicationDelegate::ENREGISTRER_COPIE(QObject* sender)
{
    Q_UNUSED(sender);
    DOCUMENT* doc = m_document.get();
    if (!doc)
        return;
    const QString fileName = QFileInfo(doc->documentUrl).fileName();
    // Kept without saving, the document can't be saved first, and its package on disk lacks what
    // was done since the opening: the copy is the document as it is in memory.
    const bool fromMemory = !DocContext::mayWriteAt(doc->documentUrl);
    int answer = 0;
    if (!fromMemory)
        Dialog::OKConfirmationWithDictionary(
            {{QStringLiteral("title"), localizedDialogue(QStringLiteral("kConfirm_SaveBeforeCopy"))},
             {QStringLiteral("information"), fileName},
             {QStringLiteral("imageName"), QStringLiteral("document")},
             {QStringLiteral("escapeButton"), kAlertSecondButton}},
            [&answer](int code) { answer = code; });
    if (answer == kAlertFirstButton) {
        bool saved = false;
        SVDocumentManager::defaultManager().saveDocument(
            doc, doc->documentUrl, {.useTempFolder = true, .doMessage = true}, [&saved] { saved = true; }, {});
        if (!saved)
            return;
    }
    const QString destination = runSavePanel(fileName, QStringLiteral("svd"));
    if (destination.isEmpty() || refuseCopyIntoDocument(doc, destination))
        return;
    bool existed = false;
    QString heldOpen;
    if (!writeCopy(doc, destination, fromMemory, &existed, &heldOpen)) {
        if (!heldOpen.isEmpty())
            alertCopyFailed(QStringLiteral("kAlerte_DocumentOpen_CantReplace"), heldOpen);
        else
            alertCopyFailed(existed ? QStringLiteral("kAlerte_CantOverwriteCopy")
                                    : QStringLiteral("kAlerte_CantSaveCopy"));
        return;
    }
    touchModificationDate(destination, SystemClock::now());
    BackupManager::defaultManager().didManualSaveForOpenedDocument(doc);
    Dialog::alerte(nullptr, localizedDialogue(QStringLiteral("kAlerte_SaveCopyOK")), QString(), QStringLiteral("DD"), 1,
                   {});
}

// A copy onto the open package would be no copy at all, and one inside it would copy the
// package into itself: both are refused before anything is written, the reminder of a manual
// copy left as it was.
bool ApplicationDelegate::refuseCopyIntoDocument(const DOCUMENT* doc, const QString& destination)
{
    if (!isSameOrInsideFolder(destination, doc->documentUrl))
        return false;
    const bool onto = resolvedPath(destination) == resolvedPath(doc->documentUrl);
    const char* key = onto ? "kAlerte_CantOverwriteCopy" : "kAlerte_CantSaveCopy";
    Dialog::alerte(nullptr, localizedDialogue(QString::fromLatin1(key)),
                   localizedDialogue(QStringLiteral("kAlerte_CopyOutsideDocument")), QStringLiteral("DD"), 0, {});
    return true;
}

// A new place gets the package as last saved; a document the user agreed to replace, or any
// copy asked from memory, gets the document as it is, written as a save writes it.
bool ApplicationDelegate::writeCopy(DOCUMENT* doc, const QString& destination, bool fromMemory, bool* existed,
                                    QString* heldOpen)
{
    *existed = FileSystemOps::shared().exists(destination);
    PackageCopy copy(destination);
    copy.setReplacing(*existed);
    const bool done = *existed || fromMemory
        ? copy.make([doc](const QString& package, int* error) { return writeDocumentInto(doc, package, error); })
        : copy.copyFrom(doc->documentUrl);
    *heldOpen = copy.heldOpen();
    return done;
}
