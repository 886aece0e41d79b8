#include "document/Cloture.h"

#include "document/RecentDocument.h"
#include "document/SVDocumentManager.h"
#include "document/SVWorkspaceManager.h"
#include "foundation/IAlerts.h"
#include "foundation/diagnostics.h"
#include "foundation/files.h"
#include "foundation/localized.h"
#include "model/AttachedDocuments.h"
#include "model/DOCPARAM.h"
#include "model/DOCUMENT.h"
#include "model/ReleveCompute.h"
#include "model/ToolTree.h"
#include "model/TransactOps.h"

#include <QFileInfo>
#include <memory>

namespace {

const QString kComputeClotureKey = QStringLiteral("kMessage_ComputeCloture");

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

void purgeNewDocument(DOCUMENT& newDoc)
{
    TRANSACT::deleteAllTransacts(newDoc.transact_array);
    QString folder;
    if (!DOCUMENT::getFolderInDocument(&folder, QString::fromLatin1(kAttachedDocumentsFolderName), newDoc.documentUrl))
        return;
    int error = 0;
    if (!removeOrTrashItemAtURL(folder, &error))
        svLog(QStringLiteral("Probleme cloture suppression des documents attaches : %1 (%2)").arg(folder).arg(error));
}

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

void copyAttachedFiles(const TRANSACT& trans, const QString& fromFolder, const QString& toFolder)
{
    for (const AttachedDocument& attached : trans.attachedDocuments) {
        if (attached.docStoreName.isEmpty())
            continue;
        int error = 0;
        const QString source = fromFolder + QLatin1Char('/') + attached.docStoreName;
        if (toFolder.isEmpty() || !copyItemAtPath(source, toFolder + QLatin1Char('/') + attached.docStoreName, &error))
            svLog(QStringLiteral("Probleme cloture copie du document attache %1 : %2").arg(source).arg(error));
    }
}

void copyOpenTransacts(const DOCUMENT& oldDoc, DOCUMENT& newDoc)
{
    const QString fromFolder = attachedDocumentsFolder(oldDoc);
    QString toFolder;
    for (long i = 0; i < TRANSACT::nbTrans(&oldDoc); ++i) {
        const TRANSACT& stored = oldDoc.transact_array.at(i);
        if (isClosedMark(stored.clotureMarkD) && isClosedMark(stored.clotureMarkC))
            continue;
        TRANSACT copy = stored.copyOfTransact();
        copy.releveID1 = -1;
        copy.releveID2 = -1;
        applyClotureReleves(copy, newDoc);
        makeTransact(copy, nullptr, &newDoc, false, false);
        if (copy.attachedDocuments.isEmpty())
            continue;
        if (toFolder.isEmpty())
            toFolder = attachedDocumentsFolder(newDoc);
        copyAttachedFiles(copy, fromFolder, toFolder);
    }
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
    bool oldSaved = false; // the closed document was saved with its schedules silenced
    std::unique_ptr<DOCUMENT> newDoc;
};
using RunPtr = std::shared_ptr<ClotureRun>;

SVDocumentManager& manager()
{
    return SVDocumentManager::defaultManager();
}

// A failed closing must not leave the user's document silenced, nor a half-made package under the
// new name (the name was free, so whatever lies there now is ours).
void abandonCloture(const RunPtr& run)
{
    if (run->newDoc)
        manager().disposeDocument(std::move(run->newDoc));
    if (QFileInfo::exists(run->newUrl) && !removeOrTrashItemAtURL(run->newUrl))
        svLog(QStringLiteral("Probleme cloture suppression du nouveau document : %1").arg(run->newUrl));
    if (run->doc->docParam) {
        run->doc->docParam->echInactive = run->oldEchInactive;
        if (run->oldSaved)
            manager().saveDocument(run->doc, run->doc->documentUrl, {.useTempFolder = true, .doMessage = false},
                                   nullptr, nullptr);
    }
    if (run->completion)
        run->completion(QString());
}

void saveNewDocument(const RunPtr& run)
{
    alertKey(QStringLiteral("kAlerte_EchNotActive"), nullptr, 1, QStringLiteral("cloture"));
    manager().saveDocument(
        run->newDoc.get(), run->newUrl, {.useTempFolder = true, .doMessage = false},
        [run]() {
            manager().disposeDocument(std::move(run->newDoc));
            if (run->completion)
                run->completion(run->newUrl);
        },
        [run]() { abandonCloture(run); });
}

void loadNewDocument(const RunPtr& run)
{
    manager().loadDocument(
        run->newDoc,
        [run]() {
            computeCloture(*run->doc, *run->newDoc, run->dateCloture);
            saveNewDocument(run);
        },
        [run]() { abandonCloture(run); });
}

void copyDocument(const RunPtr& run)
{
    run->oldSaved = true;
    run->newDoc = std::make_unique<DOCUMENT>(run->newUrl, run->doc->fileSystemTag);
    manager().saveDocument(
        run->doc, run->newUrl, {.useTempFolder = true, .doMessage = true}, [run]() { loadNewDocument(run); },
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

void computeCloture(DOCUMENT& oldDoc, DOCUMENT& newDoc, double dateCloture)
{
    // The banks' balances of the new document are summed over its own account tree.
    buildToolArbo(&newDoc);
    purgeNewDocument(newDoc);
    resetComptes(newDoc, dateCloture);
    markOldDocument(oldDoc, dateCloture);
    copyOpenTransacts(oldDoc, newDoc);
    recomputeAllReleves(&newDoc, kComputeClotureKey);
    makeOpeningBalances(oldDoc, newDoc, dateCloture);
    recomputeAllReleves(&newDoc, kComputeClotureKey);
    if (newDoc.docParam)
        newDoc.docParam->echInactive = 0;
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
    // The closed year's document must not propose due schedules again on its next openings.
    doc->docParam->echInactive = 4;
    manager().saveDocument(
        doc, doc->documentUrl, {.useTempFolder = true, .doMessage = false}, [run]() { copyDocument(run); },
        [run]() { abandonCloture(run); });
}
