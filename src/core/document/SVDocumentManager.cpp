#include "SVDocumentManager.h"

#include "foundation/MemberFileOutput.h"

#include "document/BEFOREPARAM.h"
#include "document/BackupManager.h"
#include "document/DocContext.h"
#include "document/FileSystemOps.h"
#include "document/PackageMembers.h"
#include "document/SaveFolderMark.h"
#include "document/SavePlace.h"
#include "document/SavedSearches.h"
#include "document/SetAsidePackage.h"
#include "engines/ChronoFile.h"
#include "foundation/IAlerts.h"
#include "foundation/SystemClock.h"
#include "foundation/diagnostics.h"
#include "foundation/fileerrors.h"
#include "foundation/files.h"
#include "foundation/localized.h"
#include "foundation/xmlfileaccess.h"
#include "foundation/xmlmember.h"
#include "model/AnalyseConfigFile.h"
#include "model/AttachedDocuments.h"
#include "model/DOCPARAM.h"
#include "model/DOCUMENT.h"
#include "model/DeviseFile.h"
#include "model/FinanceFile.h"
#include "model/GraphFile.h"
#include "model/LogoFile.h"
#include "model/MacroFile.h"
#include "model/MoyenFile.h"
#include "model/PosteFile.h"
#include "model/PrevisionFile.h"
#include "model/RegleFile.h"
#include "model/SynonymeFile.h"
#include "model/TaxeFile.h"
#include "model/ToolFile.h"
#include "model/TransactFile.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

#include <cerrno>

namespace {

// The message key of each code; none for None.
const char* errorKey(DocError code)
{
    switch (code) {
    case DocError::None:
        return nullptr;
    case DocError::Transact:
        return "kOpenDoc_errTransact";
    case DocError::BeforeParam:
        return "kOpenDoc_errBeforeParam";
    case DocError::DocParam:
        return "kOpenDoc_errDocParam";
    case DocError::Devise:
        return "kOpenDoc_errDevise";
    case DocError::Dossier:
        return "kOpenDoc_errDossier";
    case DocError::Poste:
        return "kOpenDoc_errPoste";
    case DocError::Chrono:
        return "kOpenDoc_errChrono";
    case DocError::Prevision:
        return "kOpenDoc_errPrevision";
    case DocError::Macro:
        return "kOpenDoc_errMacro";
    case DocError::Emprunt:
        return "kOpenDoc_errEmprunt";
    case DocError::Titre:
        return "kOpenDoc_errTitre";
    case DocError::Remunere:
        return "kOpenDoc_errRemunere";
    case DocError::Portfolio:
        return "kOpenDoc_errPortfolio";
    case DocError::Analyse:
        return "kOpenDoc_errAnalyse";
    case DocError::Taxe:
        return "kOpenDoc_errTaxe";
    case DocError::Banque:
        return "kOpenDoc_errBanque";
    case DocError::Compte:
        return "kOpenDoc_errCompte";
    case DocError::Moyen:
        return "kOpenDoc_errMoyen";
    case DocError::Graphique:
        return "kOpenDoc_errGraphique";
    case DocError::Regles:
        return "kOpenDoc_errRegles";
    case DocError::AppliParam:
        return "kOpenDoc_errAppliParam";
    case DocError::Synonyme:
        return "kOpenDoc_errSynonyme";
    case DocError::Logo:
        return "kOpenDoc_errLogo";
    case DocError::SearchesFolder:
    case DocError::GraphsFolder:
    case DocError::AnalyseFolder:
    case DocError::BudgetFolder:
    case DocError::SimulationFolder:
    case DocError::ImportFolder:
    case DocError::AttachedFolder:
        return "kOpenDoc_errFolder"; // a sub-folder could not be copied
    }
    return nullptr;
}

// The faults the load alert lists; the log has them all.
constexpr qsizetype kIssuesShown = 5;

// Keeps the first failure: a reader's or writer's code counts only while none is set.
void noteFailure(DocError* code, bool failed, DocError failureCode)
{
    if (*code == DocError::None && failed)
        *code = failureCode;
}

// The windows memorised at a close go into the package being written, with it: into a staging
// package, made durable with its other files before it takes the document's place.
void memoriseWindowsInto(const QString& writeUrl, const SaveOptions& options, PendingSyncs& syncs)
{
    if (!options.memoriseWindows)
        return;
    if (!options.useTempFolder)
        return options.memoriseWindows(writeUrl);
    const StagedMemberWrites staged(writeUrl, syncs);
    options.memoriseWindows(writeUrl);
}

QString cleanUrl(const QString& url)
{
    return QDir::cleanPath(url);
}

bool samePackage(const QString& a, const QString& b)
{
    const QString ca = QFileInfo(a).canonicalFilePath();
    const QString cb = QFileInfo(b).canonicalFilePath();
    if (!ca.isEmpty() && !cb.isEmpty())
        return ca == cb;
    return cleanUrl(a) == cleanUrl(b);
}

bool isPermissionError(int code)
{
    return code == EACCES || code == EPERM || code == EROFS;
}

// information: what failed and why, when known.
void showSaveAlert(const QString& dialogueKey, QObject* window, const QString& information = QString())
{
    alertKeyWithInformation(dialogueKey, information, window, 2, QStringLiteral("document"));
}

// « transact.xml » : le disque est plein.
QString describeFailure(const SVDocumentManager::MemberWriteFailure& failure)
{
    return fileErrorInformation(failure.member, failure.error != 0 ? failure.error : EIO);
}

} // namespace

bool SVDocumentManager::restoreInterruptedSave(const QString& url, int* osError)
{
    return restoreSetAsideDocument(cleanUrl(url), osError);
}

SVDocumentManager& SVDocumentManager::defaultManager()
{
    static SVDocumentManager manager;
    return manager;
}

void SVDocumentManager::disposeDocument(std::unique_ptr<DOCUMENT> doc)
{
    if (!doc)
        return;
    if (doc->docParam)
        doc->docParam->disposeDocParam();
    doc->docParam.reset();
    DOSSIER::disposeDocDossier(doc->dossierHdl);
    POSTE::disposeDocPoste(doc->posteHdl);
    TOOL::disposeToolList(doc->compteHdl);
    TOOL::disposeToolList(doc->banqueHdl);
    TAXE::disposeTaxe(doc->taxeHdl);
    MOYEN::disposeMoyen(doc->moyenHdl);
    for (FinanceList* list : {&doc->titreHdl, &doc->remunereHdl, &doc->empruntHdl, &doc->portfolioArray})
        FINANCE::disposeFinance(list);
    ECHEANCIER::disposeChrono(doc->echeancierHdl);
    disposeAnaConfigs(doc->anadefHdl);
    disposeGraphDefs(doc->graphHdl);
    zeroDocument(*doc);
    if (DocContext::instance().m_document == doc.get())
        DocContext::instance().m_document = nullptr;
}

void SVDocumentManager::zeroDocument(DOCUMENT& doc)
{
    doc.transact_array.clear();
    doc.moyenHdl.clear();
    doc.posteHdl.clear();
    doc.dossierHdl.clear();
    doc.compteHdl.clear();
    doc.banqueHdl.clear();
    doc.echeancierHdl.clear();
    doc.previsionsArray.clear();
    doc.taxeHdl.clear();
    doc.titreHdl.clear();
    doc.remunereHdl.clear();
    doc.empruntHdl.clear();
    doc.portfolioArray.clear();
    doc.deviseHdl.clear();
    doc.macroHdl.clear();
    doc.anadefHdl.clear();
    doc.graphHdl.clear();
    doc.reglesArray.clear();
    doc.synonymeArray.clear();
    doc.logoArray.clear();
}

bool SVDocumentManager::moveDocumentToCache(DOCUMENT* doc, const QString& cacheFolder)
{
    if (!doc || cacheFolder.isEmpty())
        return false;
    doc->documentUrl = cacheFolder + QLatin1Char('/') + doc->getDocLoadName();
    doc->fileSystemTag = kFileSystemLocal;
    return false;
}

bool SVDocumentManager::moveCacheToDocument(DOCUMENT* doc, const QString& rootUrl)
{
    if (!doc || rootUrl.isEmpty())
        return false;
    const QString target = rootUrl + QStringLiteral("/Documents/") + doc->getDocLoadName();
    if (QFileInfo::exists(doc->documentUrl)) {
        int error = 0;
        if (!removeOrTrashItemAtURL(doc->documentUrl, &error)) {
            svLog(QStringLiteral("Impossible de vider le cache (%1) : %2").arg(error).arg(doc->documentUrl));
            return false;
        }
    }
    doc->documentUrl = target;
    doc->fileSystemTag = kFileSystemICloud;
    return true;
}

// ---- Loading ----------------------------------------------------------------------------------

void SVDocumentManager::loadDocument(std::unique_ptr<DOCUMENT>& doc, const Action& actionOK, const Action& actionNOK,
                                     bool newPackage)
{
    if (!doc) {
        if (actionNOK)
            actionNOK();
        return;
    }
    LoadIssues issues;
    const DocError code = loadDocumentInternal(doc->documentUrl, *doc, &issues, newPackage);
    if (code == DocError::None) {
        if (actionOK)
            actionOK();
        return;
    }
    svLog(QStringLiteral("Document endommagé : %1").arg(doc->documentUrl));
    for (const LoadIssue& issue : issues.items())
        svLog(issue.describe());
    const QString url = doc->documentUrl;
    informDocErrorAndAskContinue(
        code, false,
        [&url, &actionOK]() {
            BackupManager::keepDamagedPackage(url);
            if (actionOK)
                actionOK();
        },
        [this, &doc, &actionNOK]() {
            disposeDocument(std::move(doc));
            if (actionNOK)
                actionNOK();
        },
        issues.items());
}

// One load: the package, what its readers noted, the first failure's code.
struct SVDocumentManager::LoadRun {
    const QString& url;
    DOCUMENT& doc;
    LoadIssues& issues;
    DocError code = DocError::None;
    bool newPackage = false;

    // Runs one member's reader after looking at the member's place; its code counts when either
    // noted a fault. readerNotes: the reader notes a place it can't read.
    template <typename Read> void member(DocError failureCode, Read read, bool readerNotes = true)
    {
        const qsizetype before = issues.size();
        checkMemberFile(url, failureCode, !newPackage && memberIsRequired(url, failureCode), readerNotes, issues);
        read();
        noteFailure(&code, issues.size() > before, failureCode);
    }
};

DocError SVDocumentManager::loadDocumentInternal(const QString& url, DOCUMENT& doc, LoadIssues* issues, bool newPackage)
{
    LoadIssues own;
    LoadRun run {url, doc, issues ? *issues : own};
    run.newPackage = newPackage;
    // Read before the loading by the opening, which goes by its defaults when it can't.
    run.member(
        DocError::BeforeParam, [] {}, false);
    loadLedgerMembers(run);
    loadInvestmentMembers(run);
    loadReferenceMembers(run);
    noteLinkedSubfolders(run);
    verifyAndRepear(doc);
    return run.code;
}

void SVDocumentManager::loadLedgerMembers(LoadRun& run)
{
    const QString& url = run.url;
    DOCUMENT& doc = run.doc;
    LoadIssues& issues = run.issues;
    run.member(DocError::Transact, [&] { doc.transact_array = loadDataTransact(url, &issues); });
    // Parameters that can't be read give the defaults; their place is looked at, and their
    // dates, which would otherwise change without a word.
    run.member(
        DocError::DocParam,
        [&] {
            bool ignored = false;
            doc.docParam = DOCPARAM::loadDocParam(url, &ignored, &issues);
        },
        false);
    run.member(DocError::Devise, [&] { doc.deviseHdl = loadDevise(url, &issues); });
    run.member(DocError::Dossier, [&] { doc.dossierHdl = loadDossier(url, &issues); });
    run.member(DocError::Poste,
               [&] { doc.posteHdl = loadPoste(url, doc.dossierHdl, &issues, DOCPARAM::getDefaultDossier(&doc)); });
    // Forecasts first: an older package keeps them in "chrono.xml", which they take over.
    run.member(DocError::Prevision, [&] { doc.previsionsArray = loadPrevision(url, &doc, doc.deviseHdl, &issues); });
    run.member(DocError::Chrono, [&] { doc.echeancierHdl = loadEcheanciers(url, &issues); });
    run.member(DocError::Macro, [&] { doc.macroHdl = loadMacro(url, &issues); });
}

void SVDocumentManager::loadInvestmentMembers(LoadRun& run)
{
    const QString& url = run.url;
    DOCUMENT& doc = run.doc;
    LoadIssues& issues = run.issues;
    run.member(DocError::Emprunt, [&] { doc.empruntHdl = loadEmpruntXML(url, &issues); });
    run.member(DocError::Titre, [&] { doc.titreHdl = loadTitreXML(url, &issues); });
    run.member(DocError::Remunere, [&] { doc.remunereHdl = loadRemunereXML(url, &issues); });
    run.member(DocError::Portfolio, [&] { doc.portfolioArray = loadPortfolioXML(url, &issues); });
    run.member(DocError::Analyse, [&] { doc.anadefHdl = loadAnaConfigs(url, &doc, &issues); });
    run.member(DocError::Graphique, [&] { doc.graphHdl = loadGraphDefs(url, &doc, &issues); });
}

// A sub-folder that is a link leads out of the package: its content is never read, written nor
// kept by a save, which the user learns at opening rather than finding it gone afterwards.
void SVDocumentManager::noteLinkedSubfolders(LoadRun& run)
{
    const struct {
        const char* name;
        DocError code;
    } folders[] = {
        {kSearchesFolderName, DocError::SearchesFolder},
        {kGraphsFolderName, DocError::GraphsFolder},
        {kAnalyseFolderName, DocError::AnalyseFolder},
        {kBudgetFolderName, DocError::BudgetFolder},
        {"simulation", DocError::SimulationFolder},
        {"importConfigurations", DocError::ImportFolder},
        {kAttachedDocumentsFolderName, DocError::AttachedFolder},
        {"logo", DocError::AttachedFolder},
    };
    QString resources;
    if (!packageResourcesURL(run.url, &resources) || !QFileInfo(resources).isDir() || QFileInfo(resources).isSymLink())
        return;
    for (const auto& folder : folders) {
        const QString name = QString::fromLatin1(folder.name);
        if (!QFileInfo(resources + QLatin1Char('/') + name).isSymLink())
            continue;
        run.issues.setMember(name);
        run.issues.noteSevere(localizedDialogue(QStringLiteral("kLoadIssue_linkedSubfolder")));
        noteFailure(&run.code, true, folder.code);
    }
}

void SVDocumentManager::loadReferenceMembers(LoadRun& run)
{
    const QString& url = run.url;
    DOCUMENT& doc = run.doc;
    LoadIssues& issues = run.issues;
    run.member(DocError::Taxe, [&] { doc.taxeHdl = loadTaxe(url, &issues); });
    run.member(DocError::Banque, [&] { doc.banqueHdl = loadBanque(url, &doc, &issues); });
    run.member(DocError::Compte, [&] { doc.compteHdl = loadCompte(url, &doc, &issues); });
    run.member(DocError::Moyen, [&] { doc.moyenHdl = loadMoyen(url, &issues); });
    run.member(DocError::Synonyme, [&] { doc.synonymeArray = loadSynonyme(url, &issues); });
    run.member(DocError::Logo, [&] { doc.logoArray = loadLogo(url, &issues); });
    run.member(DocError::Regles, [&] { doc.reglesArray = loadRegles(url, &issues); });
}

void SVDocumentManager::verifyAndRepear(DOCUMENT& doc)
{
    QSet<long> schedules;
    for (const ECHEANCIER& echeancier : doc.echeancierHdl)
        schedules.insert(echeancier.ident);
    QSet<long> postes;
    for (const POSTE& poste : doc.posteHdl)
        postes.insert(poste.ident);
    const long defaultPoste = DOCPARAM::getDefaultPoste(&doc);
    TRANSACT::enumerateTransactsUsingBlock(&doc, [&](TRANSACT& trans, long) {
        if (trans.chronoID >= 0 && !schedules.contains(trans.chronoID))
            trans.chronoID = -1;
        if (!postes.contains(trans.posteID))
            trans.posteID = defaultPoste;
        for (MULTI& multi : trans.multis) {
            if (!postes.contains(multi.posteID))
                multi.posteID = defaultPoste;
        }
    });
}

QString SVDocumentManager::loadDocument_err_to_string(DocError code)
{
    const char* key = errorKey(code);
    if (!key)
        return QStringLiteral("?");
    return localizedStringForKey(QString::fromLatin1(key), QStringLiteral("Dialogue"));
}

void SVDocumentManager::informDocErrorAndAskContinue(DocError code, bool forSave, const Action& actionOK,
                                                     const Action& actionNOK, const QList<LoadIssue>& issues,
                                                     const QString& cause)
{
    AlertRequest request;
    request.message = forSave ? localizedDialogue(QStringLiteral("kQuestion_CannotSaveDoc"))
                              : localizedDialogue(QStringLiteral("kAlerte_CannotOpenDoc"));
    request.information = loadDocument_err_to_string(code);
    if (!cause.isEmpty())
        request.information += QStringLiteral("\n\n") + cause;
    if (!issues.isEmpty())
        request.information += QStringLiteral("\n\n") + describeLoadIssues(issues, kIssuesShown);
    request.button1 = forSave ? localizedDialogue(QStringLiteral("kOpenDoc_DontSave"))
                              : localizedDialogue(QStringLiteral("kOpenDoc_DontOpen"));
    request.button2 = forSave ? localizedDialogue(QStringLiteral("kOpenDoc_Save"))
                              : localizedDialogue(QStringLiteral("kOpenDoc_Open"));
    request.escapeButton = kAlertFirstButton;
    request.imageName = QStringLiteral("document");
    request.style = 2;
    const Action& chosen = runAlert(request) == kAlertSecondButton ? actionOK : actionNOK;
    if (chosen)
        chosen();
}

// ---- Saving -----------------------------------------------------------------------------------

void SVDocumentManager::saveDocument(DOCUMENT* doc, const QString& toURL, const SaveOptions& options,
                                     const Action& actionOK, const Action& actionNOK)
{
    QObject* window = options.window;
    const auto fail = [&actionNOK]() {
        if (actionNOK)
            actionNOK();
    };
    if (!doc || doc->documentUrl.isEmpty()) {
        svLog(QStringLiteral("document NULL !"));
        return fail();
    }
    // The user chose at its opening to keep it without saving: no save is even tried in its place,
    // and the files attached since wait in memory rather than go into its package.
    const bool packageWritable = DocContext::mayWriteAt(doc->documentUrl);
    if (!packageWritable && samePackage(toURL, doc->documentUrl)) {
        svLog(QStringLiteral("Enregistrement refusé : %1 est ouvert sans enregistrement").arg(toURL));
        DocContext::alertNotWritten(QStringLiteral("kAlerte_CannotSaveDoc_ReadOnly"), window);
        return fail();
    }
    if (packageWritable)
        synchronizeAttachedDocuments(*doc);
    // Written straight into its own package, a failed save would leave the document with no
    // complete copy, and its folders would be copied onto themselves.
    if (!options.useTempFolder && samePackage(toURL, doc->documentUrl)) {
        svLog(QStringLiteral("Enregistrement refusé : %1 ne peut être écrit sur lui-même").arg(toURL));
        showSaveAlert(QStringLiteral("kAlerte_CannotSaveDoc"), window);
        return fail();
    }
    if (options.useTempFolder && !checkPlaceForSave(toURL, window))
        return fail();
    QString writeUrl;
    QString resources;
    int osError = 0;
    // A staging package that did not take the document's place goes with the save: on a full
    // disk it holds a whole copy of the document.
    StagingPackage staging;
    if (!getInitedSavingUrl(toURL, &writeUrl, &resources, options.useTempFolder, &osError, &staging)) {
        svLog(QStringLiteral("Préparation de l'enregistrement impossible (%1) : %2").arg(osError).arg(toURL));
        showSaveAlert(isPermissionError(osError) ? QStringLiteral("kAlerte_CannotSaveDoc_Droit")
                                                 : QStringLiteral("kAlerte_CannotSaveDoc"),
                      window, fileErrorInformation(toURL, osError != 0 ? osError : EIO));
        return fail();
    }
    QList<MemberWriteFailure> failures;
    PendingSyncs syncs;
    DocError membersCode = DocError::None;
    if (options.useTempFolder) {
        // Nobody reads the staging package before it is whole: its files are made durable
        // together just before it takes the document's place.
        const StagedMemberWrites staged(writeUrl, syncs);
        membersCode = saveDocumentInternal(writeUrl, *doc, &failures);
    } else {
        membersCode = saveDocumentInternal(writeUrl, *doc, &failures);
    }
    // The staged package replaces the document's own, so the two never keep a file in common:
    // what has not changed is linked rather than copied.
    const bool replacing = options.useTempFolder && samePackage(toURL, doc->documentUrl);
    const DocError foldersCode
        = saveDocumentSubfolders(*doc, resources, replacing ? &syncs : nullptr, !options.memoriseWindows);
    // Kept without saving, the files attached since the opening are nowhere in the document's
    // package: a package written elsewhere takes them in, its transactions naming them there.
    const DocError waitingCode
        = packageWritable || storeWaitingAttachedDocumentsInto(*doc, writeUrl) ? foldersCode : DocError::AttachedFolder;
    memoriseWindowsInto(writeUrl, options, syncs);
    if (options.doMessage && m_closeProgressMessage)
        m_closeProgressMessage();
    const auto finish = [&]() { finishSave(doc, toURL, writeUrl, options, syncs, actionOK, actionNOK); };
    if (membersCode == DocError::None && waitingCode == DocError::None)
        return finish();
    // A member that could not be written keeps its previous version in the new package; when
    // that can't be done (or a folder is missing from it) the save is refused and the package on
    // disk stays as it was: a save never drops what the document held.
    if (waitingCode != DocError::None || !keepPreviousMembers(*doc, writeUrl, &failures)) {
        const QString information = waitingCode != DocError::None ? loadDocument_err_to_string(waitingCode)
                                                                  : loadDocument_err_to_string(failures.first().code)
                + QStringLiteral("\n\n") + describeFailure(failures.first());
        showSaveAlert(QStringLiteral("kAlerte_CannotSaveDoc"), window, information);
        return fail();
    }
    informDocErrorAndAskContinue(
        membersCode, true, finish,
        [&]() {
            showSaveAlert(QStringLiteral("kAlerte_CannotSaveDoc"), window);
            fail();
        },
        {}, describeFailure(failures.first()));
}

bool SVDocumentManager::keepPreviousMembers(const DOCUMENT& doc, const QString& writeUrl,
                                            QList<MemberWriteFailure>* failures)
{
    FileSystemOps& ops = FileSystemOps::shared();
    QString from;
    QString to;
    packageResourcesURL(doc.documentUrl, &from);
    packageResourcesURL(writeUrl, &to);
    for (MemberWriteFailure& failure : *failures) {
        if (memberFileState(doc.documentUrl, failure.member) != MemberFileState::Regular) {
            svLog(QStringLiteral("Aucune version précédente de %1 à garder").arg(failure.member));
            return false;
        }
        const QString target = to + QLatin1Char('/') + failure.member;
        int error = 0;
        if ((ops.exists(target) && !ops.removeItem(target, &error))
            || !ops.copyItem(from + QLatin1Char('/') + failure.member, target, &error)) {
            svLog(QStringLiteral("Version précédente de %1 non gardée (%2)").arg(failure.member).arg(error));
            failure.error = error;
            return false;
        }
        svLog(QStringLiteral("%1 n'a pas pu être écrit (%2) : sa version précédente est gardée")
                  .arg(failure.member)
                  .arg(failure.error));
    }
    return true;
}

void SVDocumentManager::finishSave(DOCUMENT* doc, const QString& toURL, const QString& temporaryUrl,
                                   const SaveOptions& options, PendingSyncs& syncs, const Action& actionOK,
                                   const Action& actionNOK)
{
    if (!options.useTempFolder) {
        if (actionOK)
            actionOK();
        return;
    }
    int osError = 0;
    // Every copy is on the disk before the package that holds it takes the document's place.
    if (!syncs.flush(&osError) || !swapSavedBundles(toURL, temporaryUrl, &osError)) {
        svLog(QStringLiteral("Remplacement du document impossible (%1) : %2").arg(osError).arg(toURL));
        showSaveAlert(QStringLiteral("kAlerte_CannotSaveDoc"), options.window,
                      fileErrorInformation(toURL, osError != 0 ? osError : EIO));
        if (actionNOK)
            actionNOK();
        return;
    }
    doc->lastSave = SystemClock::ticks();
    // Only now does the package on disk no longer name the files queued for removal.
    if (samePackage(toURL, doc->documentUrl))
        treatStoredAttachedDocumentsToDelete(*doc);
    if (actionOK)
        actionOK();
}

DocError SVDocumentManager::saveDocumentInternal(const QString& url, DOCUMENT& doc)
{
    return saveDocumentInternal(url, doc, nullptr);
}

DocError SVDocumentManager::saveDocumentInternal(const QString& url, DOCUMENT& doc, QList<MemberWriteFailure>* failures)
{
    DocError code = DocError::None;
    const auto note = [&code, failures](bool failed, DocError failureCode) {
        if (!failed)
            return;
        if (code == DocError::None)
            code = failureCode;
        if (failures)
            failures->append({failureCode, memberFileName(failureCode), xmlLastWriteError()});
    };
    bool ignored = false;
    const BEFOREPARAM before = BEFOREPARAM::loadBeforeParam(doc.documentUrl, &ignored);
    note(!BEFOREPARAM::saveBeforeParam(url, before), DocError::BeforeParam);
    note(!saveDataTransact(url, doc), DocError::Transact);
    note(!doc.docParam || !doc.docParam->saveDocParam(url), DocError::DocParam);
    note(!saveDossier(url, doc.dossierHdl), DocError::Dossier);
    note(!savePoste(url, doc.posteHdl), DocError::Poste);
    note(!saveEcheanciers(url, doc.echeancierHdl, doc.deviseHdl), DocError::Chrono);
    note(!savePrevision(url, doc.previsionsArray, doc.deviseHdl), DocError::Prevision);
    note(!saveMacro(url, doc.macroHdl, doc.deviseHdl), DocError::Macro);
    note(!saveDevise(url, doc.deviseHdl), DocError::Devise);
    note(!saveEmpruntXML(url, doc.empruntHdl, doc.deviseHdl), DocError::Emprunt);
    note(!saveTitreXML(url, doc.titreHdl, doc.deviseHdl), DocError::Titre);
    note(!saveRemunereXML(url, doc.remunereHdl, doc.deviseHdl), DocError::Remunere);
    note(!savePortfolioXML(url, doc.portfolioArray, doc.deviseHdl), DocError::Portfolio);
    note(!saveAnaConfigs(url, doc.anadefHdl), DocError::Analyse);
    note(!saveGraphDefs(url, doc.graphHdl, doc.deviseHdl), DocError::Graphique);
    note(!saveRegles(url, doc.reglesArray), DocError::Regles);
    note(!saveTaxe(url, doc.taxeHdl), DocError::Taxe);
    note(!saveBanque(url, doc.banqueHdl, doc.deviseHdl), DocError::Banque);
    note(!saveCompte(url, doc.compteHdl, doc.deviseHdl), DocError::Compte);
    note(!saveMoyen(url, doc.moyenHdl), DocError::Moyen);
    note(!saveSynonyme(url, doc.synonymeArray), DocError::Synonyme);
    note(!saveLogo(url, doc.logoArray), DocError::Logo);
    return code;
}

DocError SVDocumentManager::saveDocumentSubfolders(const DOCUMENT& doc, const QString& resources,
                                                   PendingSyncs* replacing, bool memorised)
{
    const QString& url = doc.documentUrl;
    const auto folder = [&url](const char* name) {
        QString found;
        DOCUMENT::getFolderInDocument(&found, QString::fromLatin1(name), url);
        return found;
    };
    const auto lookup = [](bool (*find)(QString*, const QString&), const QString& docURL) {
        QString found;
        find(&found, docURL);
        return found;
    };
    QString logo;
    Logo::getLogoFolderUrl(doc, &logo);
    const struct {
        QString source;
        const char* name;
        DocError code;
        bool memorisedWindows = false;
    } folders[] = {
        {lookup(searchesFolderInDocument, url), kSearchesFolderName, DocError::SearchesFolder},
        {lookup(getGraphsFolder, url), kGraphsFolderName, DocError::GraphsFolder, true},
        {lookup(getAnalyseFolderInDocument, url), kAnalyseFolderName, DocError::AnalyseFolder, true},
        {lookup(getBudgetFolderInDocument, url), kBudgetFolderName, DocError::BudgetFolder, true},
        {folder("simulation"), "simulation", DocError::SimulationFolder},
        {folder("importConfigurations"), "importConfigurations", DocError::ImportFolder},
        {attachedDocumentsFolder(doc), kAttachedDocumentsFolderName, DocError::AttachedFolder},
        {logo, "logo", DocError::AttachedFolder},
    };
    DocError code = DocError::None;
    for (const auto& entry : folders) {
        if (entry.memorisedWindows && !memorised)
            continue;
        if (!entry.source.isEmpty())
            noteFailure(&code,
                        !saveDocumentOneFolder(entry.source, resources, QString::fromLatin1(entry.name), replacing),
                        entry.code);
    }
    return code;
}

bool SVDocumentManager::saveDocumentOneFolder(const QString& source, const QString& resources,
                                              const QString& folderName, PendingSyncs* replacing)
{
    FileSystemOps& ops = FileSystemOps::shared();
    const QString destination = resources + QLatin1Char('/') + folderName;
    int error = 0;
    if (ops.exists(destination) && !ops.removeItem(destination, &error)) {
        svLog(QStringLiteral("%1 : %2").arg(destination, qt_error_string(error)));
        return false;
    }
    CloneOptions linked;
    linked.shareSource = [](const QString&) { return true; };
    linked.syncs = replacing;
    if (!(replacing ? ops.cloneItem(source, destination, linked, &error) : ops.copyItem(source, destination, &error))) {
        svLog(QStringLiteral("%1 : %2").arg(source, qt_error_string(error)));
        return false;
    }
    return true;
}

bool SVDocumentManager::getInitedSavingUrl(const QString& url, QString* temporaryUrl, QString* resourcesUrl,
                                           bool useTempFolder, int* osError, StagingPackage* staging)
{
    int error = 0;
    temporaryUrl->clear();
    resourcesUrl->clear();
    bool done = createDestinationFolderIfNecessaryAtUrl(url, &error);
    if (done && useTempFolder) {
        done = staging && getTemporaryDocumentForSavingUrl(url, staging, &error);
        if (staging)
            *temporaryUrl = staging->url();
    } else if (done) {
        *temporaryUrl = url;
        done = removeMemorisedFolders(url, &error);
    }
    if (done)
        done = createPackageResources(*temporaryUrl, resourcesUrl, &error);
    if (osError)
        *osError = error;
    return done;
}

bool SVDocumentManager::removeMemorisedFolders(const QString& url, int* osError)
{
    const bool done = removeAnalyseFolderInDocument(url) && removeBudgetFolderInDocument(url)
        && removeSearchesFolder(url) && deleteGraphsFolder(url);
    if (!done && osError)
        *osError = EIO;
    return done;
}

bool SVDocumentManager::createDestinationFolderIfNecessaryAtUrl(const QString& url, int* osError)
{
    if (osError)
        *osError = 0;
    if (url.isEmpty()) {
        if (osError)
            *osError = EINVAL;
        return false;
    }
    if (!restoreInterruptedSave(cleanUrl(url), osError))
        return false;
    return FileSystemOps::shared().makeFolder(cleanUrl(url), osError);
}

bool SVDocumentManager::getTemporaryDocumentForSavingUrl(const QString& url, StagingPackage* staging, int* osError)
{
    return staging->make(cleanUrl(url), osError);
}

bool SVDocumentManager::swapSavedBundles(const QString& url, const QString& temporaryUrl, int* osError)
{
    FileSystemOps& ops = FileSystemOps::shared();
    const QString destination = cleanUrl(url);
    if (!restoreInterruptedSave(destination, osError))
        return false;
    const bool hadDestination = ops.exists(destination);
    SetAsidePackage aside;
    if (hadDestination
        && (!aside.make(destination, osError) || !ops.moveItem(destination, aside.packageUrl(), osError)))
        return false;
    if (!moveStagingPackage(temporaryUrl, destination, osError)) {
        int rollback = 0;
        if (hadDestination && !ops.moveItem(aside.packageUrl(), destination, &rollback))
            svLog(QStringLiteral("Le document reste sous le nom %1 (%2)").arg(aside.packageUrl()).arg(rollback));
        return false;
    }
    int leftover = 0;
    if (!aside.discard(&leftover))
        svLog(
            QStringLiteral("Impossible de supprimer l'ancien document %1 (%2)").arg(aside.packageUrl()).arg(leftover));
    return true;
}
