#include "document/Cloture.h"

#include "document/FileSystemOps.h"
#include "document/RecentDocument.h"
#include "document/SVDocumentManager.h"
#include "document/SVWorkspaceManager.h"
#include "document/SaveFolderMark.h"
#include "document/SaveLeftovers.h"
#include "document/StagingPackage.h"
#include "foundation/IAlerts.h"
#include "foundation/MemberFileOutput.h"
#include "foundation/diagnostics.h"
#include "foundation/fileerrors.h"
#include "foundation/files.h"
#include "foundation/localized.h"
#include "foundation/xmlmember.h"
#include "model/AttachedDocuments.h"
#include "model/DOCPARAM.h"
#include "model/DOCUMENT.h"
#include "model/ReleveCompute.h"
#include "model/ToolTree.h"
#include "model/TransactOps.h"

#include <QCoreApplication>
#include <QDirIterator>
#include <QFileInfo>
#include <QStringList>

#include <cerrno>
#include <memory>
#include <tuple>
#include <utility>

namespace {

const QString kComputeClotureKey = QStringLiteral("kMessage_ComputeCloture");
// Hidden names tried when the new document is taken away again.
constexpr int kMaxHiddenNames = 16;

bool isClosedMark(long mark)
{
    return mark == kClotureMarkClosed || mark == kClotureMarkReleveClosed;
}

bool isForcedOpen(const TRANSACT& trans, const DOCUMENT& doc)
{
    return trans.titreID >= 0 || trans.remunereID >= 0 || trans.empruntID >= 0
        || POSTE::poste_is_permanent(trans.posteID, doc);
}

void setClotureMark(long& side, long mark, bool forcedOpen)
{
    if (isClosedMark(mark) && forcedOpen)
        side = kClotureMarkForced;
    else if (mark != kClotureMarkClosed)
        side = mark;
}

// ---- Steps of the computation --------------------------------------------------------------------

// The new document starts without the closed year's files; those it keeps are copied back once its
// transactions are known. A folder that can't go would carry the whole closed year's files.
bool purgeNewDocument(DOCUMENT& newDoc)
{
    TRANSACT::deleteAllTransacts(newDoc.transact_array);
    QString resources;
    if (!packageResourcesURL(newDoc.documentUrl, &resources))
        return true;
    FileSystemOps& ops = FileSystemOps::shared();
    const QString folder = resources + QLatin1Char('/') + QLatin1String(kAttachedDocumentsFolderName);
    int error = 0;
    if (!ops.exists(folder) || ops.removeItem(folder, &error))
        return true;
    svLog(QStringLiteral("Probleme cloture suppression des documents attaches : %1 (%2)").arg(folder).arg(error));
    return false;
}

// ---- Steps of the computation --------------------------------------------------------------------

void cutReleves(TOOL& compte, double dateCloture)
{
    const long newID = compte.newReleveID();
    for (long i = 0; i < compte.nbReleve(); ++i) {
        RELEVE& releve = compte.releves[i];
        releve.solde = MONTANT();
        releve.Rsolde = MONTANT();
        if (releve.date > dateCloture)
            continue;
        releve.ident = newID;
        releve.date = dateCloture;
        releve.nom_v3 = localizedMisc(QStringLiteral("kMisc_ReleveClotureName"));
        compte.releves.resize(i + 1);
        return;
    }
}

void resetComptes(DOCUMENT& newDoc, double dateCloture)
{
    for (TOOL& compte : newDoc.compteHdl) {
        compte.solde = MONTANT();
        compte.soldeSR = MONTANT();
        compte.RsoldeSR = MONTANT();
        compte.inited = false;
        cutReleves(compte, dateCloture);
    }
    for (TOOL& banque : newDoc.banqueHdl)
        banque.solde = MONTANT();
}

void markOldDocument(DOCUMENT& oldDoc, double dateCloture)
{
    for (TRANSACT& trans : oldDoc.transact_array) {
        trans.clotureMarkD = kClotureMarkClosed;
        trans.clotureMarkC = kClotureMarkClosed;
    }
    for (const TOOL& compte : oldDoc.compteHdl) {
        int typ = kBanqueUser;
        if (!compte.compteToBType(&typ, &oldDoc) || typ == kBanqueTiers)
            continue;
        if (compte.nbReleve() == 0) {
            markClotureTransacts(compte.ident, kClotureMarkClosed, -1, &oldDoc);
            continue;
        }
        markClotureTransacts(compte.ident, kClotureMarkOpen, -1, &oldDoc);
        for (long i = 0; i < compte.nbReleve(); ++i) {
            const RELEVE& releve = compte.releves[i];
            markClotureTransacts(compte.ident, releve.date > dateCloture ? i : kClotureMarkReleveClosed, releve.ident,
                                 &oldDoc);
        }
    }
}

void copyOpenTransacts(const DOCUMENT& oldDoc, DOCUMENT& newDoc)
{
    for (long i = 0; i < TRANSACT::nbTrans(&oldDoc); ++i) {
        const TRANSACT& stored = oldDoc.transact_array.at(i);
        if (isClosedMark(stored.clotureMarkD) && isClosedMark(stored.clotureMarkC))
            continue;
        TRANSACT copy = stored.copyOfTransact();
        copy.releveID1 = -1;
        copy.releveID2 = -1;
        applyClotureReleves(copy, newDoc);
        makeTransact(copy, nullptr, &newDoc, false, false);
    }
}

// The new document gets exactly the files it names. One the closed year lacks stays missing, as
// it was; one that can't be copied fails the closing rather than leave the new year without it.
bool copyAttachedFiles(const DOCUMENT& oldDoc, const DOCUMENT& newDoc)
{
    // The files of the transactions it keeps, and of the templates it keeps whole.
    QStringList names(attachedDocumentNamesInUse(newDoc).values());
    if (names.isEmpty())
        return true;
    names.sort();
    const QString toFolder = attachedDocumentsFolder(newDoc);
    FileSystemOps& ops = FileSystemOps::shared();
    for (const QString& name : names) {
        const QString source = storedAttachedDocumentPath(oldDoc, name);
        if (source.isEmpty() || !ops.exists(source)) {
            svLog(QStringLiteral("Probleme cloture : le document attache %1 manque").arg(name));
            continue;
        }
        int error = 0;
        if (toFolder.isEmpty() || !ops.copyItem(source, toFolder + QLatin1Char('/') + name, &error)) {
            svLog(QStringLiteral("Probleme cloture copie du document attache %1 : %2").arg(source).arg(error));
            return false;
        }
    }
    return true;
}

void makeOpeningBalance(const TOOL& oldCompte, const TOOL& newCompte, double dateCloture, DOCUMENT& newDoc)
{
    MONTANT diff;
    MONTANT::subMontant(oldCompte.solde, newCompte.solde, diff);
    if (diff.nullMontant())
        return;
    const long ident = oldCompte.ident;
    TRANSACT opening
        = TRANSACT::initialisationTransact(ident, diff, MONTANT::currentDeviseSlot(), dateCloture, &newDoc);
    const bool debit = opening.who1 == ident;
    opening.clotureMarkD = debit ? kClotureMarkForced : kClotureMarkClosed;
    opening.clotureMarkC = debit ? kClotureMarkClosed : kClotureMarkForced;
    applyClotureReleves(opening, newDoc);
    if (!makeTransact(opening, nullptr, &newDoc, false, false))
        return;
    if (TOOL* compte = TOOL::getTool(kToolCompte, ident, &newDoc))
        compte->inited = true;
}

void makeOpeningBalances(const DOCUMENT& oldDoc, DOCUMENT& newDoc, double dateCloture)
{
    for (const TOOL& oldCompte : oldDoc.compteHdl) {
        int typ = kBanqueUser;
        if (!oldCompte.compteToBType(&typ, &oldDoc) || typ == kBanqueTiers)
            continue;
        const TOOL* newCompte = TOOL::getTool(kToolCompte, oldCompte.ident, &newDoc);
        if (newCompte)
            makeOpeningBalance(oldCompte, *newCompte, dateCloture, newDoc);
    }
}

// The statement a side goes to: the mark's position, else the closing statement (the last one).
long applyClotureSide(long mark, long releveID, const TOOL& compte)
{
    if (mark == kClotureMarkOpen || mark == kClotureMarkClosed || compte.nbReleve() == 0)
        return releveID;
    const long last = compte.nbReleve() - 1;
    const long index = mark >= 0 && mark <= last ? mark : last;
    return compte.releves.at(index).ident;
}

// ---- The chain -----------------------------------------------------------------------------------

// What the chain carries from one continuation to the next.
struct ClotureRun {
    DOCUMENT* doc = nullptr;
    QString newUrl;
    double dateCloture = 0;
    ClotureCompletion completion;
    long oldEchInactive = 0;
    // The new document is built here, hidden beside its name and locked, until it is whole: what a
    // closing killed midway leaves is an ended save's leftover, never a document.
    std::unique_ptr<StagingPackage> staging;
    std::unique_ptr<DOCUMENT> newDoc;
    bool inPlace = false; // the whole new document is under its name
};
using RunPtr = std::shared_ptr<ClotureRun>;

SVDocumentManager& manager()
{
    return SVDocumentManager::defaultManager();
}

void tellCantWrite(const QString& path, int error)
{
    alertKeyWithInformation(QStringLiteral("kAlerte_CannotSaveDoc"),
                            fileErrorInformation(path, error != 0 ? error : EIO), nullptr, 2,
                            QStringLiteral("document"));
}

// The new document goes back under a hidden name, in one rename, still locked, takes the program's
// mark there and goes, the mark last: a kill meanwhile leaves an ended save's leftover. Its own
// hidden name may have been taken by the closed document's save meanwhile: then the next free one.
void withdrawNewDocument(const RunPtr& run)
{
    FileSystemOps& ops = FileSystemOps::shared();
    int error = EEXIST;
    for (int n = 0; n < kMaxHiddenNames && run->inPlace; ++n) {
        const QString hidden
            = hiddenSaveFolderUrl(run->newUrl, kSavingPackageName, QCoreApplication::applicationPid(), n);
        if (ops.exists(hidden))
            continue;
        if (!ops.moveItem(run->newUrl, hidden, &error))
            break;
        run->inPlace = false;
        if (!writeSaveFolderMark(hidden, kSavingPackageName, &error))
            svLog(QStringLiteral("Probleme cloture : %1 non marqué (%2)").arg(hidden).arg(error));
        if (!removeSaveFolder(hidden, &error))
            svLog(QStringLiteral("Probleme cloture suppression du nouveau document : %1 (%2)").arg(hidden).arg(error));
    }
    if (run->inPlace)
        svLog(QStringLiteral("Probleme cloture : le nouveau document reste %1 (%2)").arg(run->newUrl).arg(error));
}

// A failed closing leaves the user's document as it was, in memory and on disk, and no document
// under the new name.
void abandonCloture(const RunPtr& run)
{
    if (run->newDoc)
        manager().disposeDocument(std::move(run->newDoc));
    if (run->inPlace)
        withdrawNewDocument(run);
    run->staging.reset();
    run->doc->docParam->echInactive = run->oldEchInactive;
    if (run->completion)
        run->completion(QString());
}

// Only once the new year is whole under its name does the closed one stop proposing due
// schedules on its next openings; until then its package is untouched.
void silenceOldDocument(const RunPtr& run)
{
    run->doc->docParam->echInactive = 4;
    manager().saveDocument(
        run->doc, run->doc->documentUrl, {.useTempFolder = true, .doMessage = false},
        [run]() {
            run->staging.reset();
            if (run->completion)
                run->completion(run->newUrl);
        },
        [run]() { abandonCloture(run); });
}

// Every file of the package reaches the disk before the package takes its name: the members
// written now, and the files of the sub-folders the copy wrote. *failed names a member that could
// not be written.
bool writeNewPackage(DOCUMENT& newDoc, QString* failed, int* error)
{
    const QString url = newDoc.documentUrl;
    PendingSyncs syncs;
    QList<SVDocumentManager::MemberWriteFailure> failures;
    {
        const StagedMemberWrites staged(url, syncs);
        manager().saveDocumentInternal(url, newDoc, &failures);
    }
    if (!failures.isEmpty()) {
        *failed = failures.first().member;
        *error = failures.first().error;
        return false;
    }
    QString resources;
    packageResourcesURL(url, &resources);
    QDirIterator files(resources, QDir::Files | QDir::Hidden | QDir::System | QDir::NoSymLinks,
                       QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString path = files.next();
        if (QFileInfo(path).path() != resources)
            syncs.add(path);
    }
    return syncs.flush(error);
}

// One rename, refused when anything has taken the name meanwhile.
void putNewDocumentInPlace(const RunPtr& run)
{
    QString failed;
    int error = 0;
    const bool written = writeNewPackage(*run->newDoc, &failed, &error);
    manager().disposeDocument(std::move(run->newDoc));
    if (written)
        run->inPlace = moveStagingPackage(run->staging->url(), run->newUrl, &error);
    if (!run->inPlace) {
        const QString what = failed.isEmpty() ? run->newUrl : failed;
        svLog(QStringLiteral("Probleme cloture ecriture de %1 (%2)").arg(what).arg(error));
        tellCantWrite(what, error);
        return abandonCloture(run);
    }
    silenceOldDocument(run);
}

// The marks serve the computation only: the closed document keeps its own, so that its files,
// written again once it is silenced, hold nothing of the closing.
void computeNewDocument(const RunPtr& run)
{
    QList<std::pair<long, long>> marks;
    marks.reserve(run->doc->transact_array.size());
    for (const TRANSACT& trans : run->doc->transact_array)
        marks.append({trans.clotureMarkD, trans.clotureMarkC});
    const bool computed = computeCloture(*run->doc, *run->newDoc, run->dateCloture);
    for (qsizetype i = 0; i < marks.size() && i < run->doc->transact_array.size(); ++i)
        std::tie(run->doc->transact_array[i].clotureMarkD, run->doc->transact_array[i].clotureMarkC) = marks.at(i);
    if (!computed) {
        tellCantWrite(run->newUrl, EIO);
        return abandonCloture(run);
    }
    alertKey(QStringLiteral("kAlerte_EchNotActive"), nullptr, 1, QStringLiteral("cloture"));
    putNewDocumentInPlace(run);
}

void loadNewDocument(const RunPtr& run)
{
    manager().loadDocument(
        run->newDoc, [run]() { computeNewDocument(run); }, [run]() { abandonCloture(run); });
}

// The closed document as it stands in memory, written whole into the hidden package.
void copyDocument(const RunPtr& run)
{
    const QString hidden = run->staging->url();
    run->newDoc = std::make_unique<DOCUMENT>(hidden, run->doc->fileSystemTag);
    manager().saveDocument(
        run->doc, hidden, {.useTempFolder = false, .doMessage = true}, [run]() { loadNewDocument(run); },
        [run]() { abandonCloture(run); });
}

} // namespace

void markClotureTransacts(long compteID, long mark, long releveID, DOCUMENT* doc)
{
    if (!doc)
        return;
    for (TRANSACT& trans : doc->transact_array) {
        const bool deb = trans.who1 == compteID && trans.releveID1 == releveID;
        const bool cre = trans.who2 == compteID && trans.releveID2 == releveID;
        if (!deb && !cre)
            continue;
        const bool forced = isClosedMark(mark) && isForcedOpen(trans, *doc);
        if (deb)
            setClotureMark(trans.clotureMarkD, mark, forced);
        if (cre)
            setClotureMark(trans.clotureMarkC, mark, forced);
    }
}

void applyClotureReleves(TRANSACT& trans, const DOCUMENT& newDoc)
{
    const TOOL* compteD = TOOL::getTool(kToolCompte, trans.who1, &newDoc);
    const TOOL* compteC = TOOL::getTool(kToolCompte, trans.who2, &newDoc);
    if (!compteD || !compteC)
        return;
    trans.releveID1 = applyClotureSide(trans.clotureMarkD, trans.releveID1, *compteD);
    trans.releveID2 = applyClotureSide(trans.clotureMarkC, trans.releveID2, *compteC);
}

bool computeCloture(DOCUMENT& oldDoc, DOCUMENT& newDoc, double dateCloture)
{
    // The banks' balances of the new document are summed over its own account tree.
    buildToolArbo(&newDoc);
    const bool purged = purgeNewDocument(newDoc);
    resetComptes(newDoc, dateCloture);
    markOldDocument(oldDoc, dateCloture);
    copyOpenTransacts(oldDoc, newDoc);
    recomputeAllReleves(&newDoc, kComputeClotureKey);
    makeOpeningBalances(oldDoc, newDoc, dateCloture);
    recomputeAllReleves(&newDoc, kComputeClotureKey);
    if (newDoc.docParam)
        newDoc.docParam->echInactive = 0;
    return purged && copyAttachedFiles(oldDoc, newDoc);
}

void clotureDocument(DOCUMENT* doc, const QString& newName, double dateCloture, const ClotureCompletion& completion)
{
    const QString newUrl = doc ? RecentDocument::theoricUrlForName(newName, doc->fileSystemTag) : QString();
    if (!doc || !doc->docParam || newUrl.isEmpty() || QFileInfo::exists(newUrl)
        || SVWorkspaceManager::isNameTaken(newName, doc->fileSystemTag)) {
        svLog(QStringLiteral("Cloture impossible vers « %1 »").arg(newName));
        if (completion)
            completion(QString());
        return;
    }
    auto run = std::make_shared<ClotureRun>();
    run->doc = doc;
    run->newUrl = newUrl;
    run->dateCloture = dateCloture;
    run->completion = completion;
    run->oldEchInactive = doc->docParam->echInactive;
    run->staging = std::make_unique<StagingPackage>();
    int error = 0;
    if (!run->staging->make(newUrl, &error)) {
        svLog(QStringLiteral("Cloture impossible : pas de paquet cache pour %1 (%2)").arg(newUrl).arg(error));
        tellCantWrite(newUrl, error);
        return abandonCloture(run);
    }
    copyDocument(run);
}
