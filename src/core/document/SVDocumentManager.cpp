#include "SVDocumentManager.h"

#include "document/BEFOREPARAM.h"
#include "document/BackupManager.h"
#include "document/DocContext.h"
#include "document/FileSystemOps.h"
#include "document/HelperSVLibraryFolder.h"
#include "document/SavedSearches.h"
#include "engines/ChronoFile.h"
#include "foundation/IAlerts.h"
#include "foundation/SystemClock.h"
#include "foundation/diagnostics.h"
#include "foundation/files.h"
#include "foundation/localized.h"
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

// Runs one member's reader; its code counts when it noted a fault.
template <typename Read> void readMember(LoadIssues& issues, DocError* code, DocError failureCode, Read read)
{
    const qsizetype before = issues.size();
    read();
    noteFailure(code, issues.size() > before, failureCode);
}

QString cleanUrl(const QString& url)
{
    return QDir::cleanPath(url);
}

// "<folder>/<name>.old.svd" for "<folder>/<name>.svd".
QString setAsideUrl(const QString& url)
{
    const QFileInfo info(cleanUrl(url));
    const QString base = info.suffix().isEmpty() ? info.fileName() : info.completeBaseName();
    return info.path() + QLatin1Char('/') + base + QStringLiteral(".old.svd");
}

// Where the staged package waits beside the destination for its rename: hidden, so the document
// lists never show it, and on the destination's file system, so the swap itself only renames.
QString scratchUrl(const QString& url)
{
    const QFileInfo info(cleanUrl(url));
    return info.path() + QStringLiteral("/.") + info.fileName() + QStringLiteral(".saving");
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

void showSaveAlert(const QString& dialogueKey, QObject* window)
{
    alertKey(dialogueKey, window, 2, QStringLiteral("document"));
}

// The package left under "<name>.old.svd" by a save interrupted between its two moves goes back
// under its own name; nothing happens while the destination exists.
bool restoreInterruptedSave(const QString& url, int* osError)
{
    FileSystemOps& ops = FileSystemOps::shared();
    const QString old = setAsideUrl(url);
    if (ops.exists(url) || !ops.exists(old))
        return true;
    svLog(QStringLiteral("Enregistrement interrompu : %1 reprend sa place").arg(old));
    return ops.moveItem(old, url, osError);
}

} // namespace

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

void SVDocumentManager::loadDocument(std::unique_ptr<DOCUMENT>& doc, const Action& actionOK, const Action& actionNOK)
{
    if (!doc) {
        if (actionNOK)
            actionNOK();
        return;
    }
    LoadIssues issues;
    const DocError code = loadDocumentInternal(doc->documentUrl, *doc, &issues);
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

DocError SVDocumentManager::loadDocumentInternal(const QString& url, DOCUMENT& doc, LoadIssues* issues)
{
    LoadIssues own;
    LoadIssues& noted = issues ? *issues : own;
    DocError code = DocError::None;
    loadLedgerMembers(url, doc, noted, &code);
    loadInvestmentMembers(url, doc, noted, &code);
    loadReferenceMembers(url, doc, noted, &code);
    verifyAndRepear(doc);
    return code;
}

void SVDocumentManager::loadLedgerMembers(const QString& url, DOCUMENT& doc, LoadIssues& issues, DocError* code)
{
    readMember(issues, code, DocError::Transact, [&] { doc.transact_array = loadDataTransact(url, &issues); });
    // Parameters that can't be read give the defaults: that is no failure.
    bool ignored = false;
    doc.docParam = DOCPARAM::loadDocParam(url, &ignored);
    readMember(issues, code, DocError::Devise, [&] { doc.deviseHdl = loadDevise(url, &issues); });
    readMember(issues, code, DocError::Dossier, [&] { doc.dossierHdl = loadDossier(url, &issues); });
    readMember(issues, code, DocError::Poste,
               [&] { doc.posteHdl = loadPoste(url, doc.dossierHdl, &issues, DOCPARAM::getDefaultDossier(&doc)); });
    // Forecasts first: an older package keeps them in "chrono.xml", which they take over.
    readMember(issues, code, DocError::Prevision,
               [&] { doc.previsionsArray = loadPrevision(url, &doc, doc.deviseHdl, &issues); });
    readMember(issues, code, DocError::Chrono, [&] { doc.echeancierHdl = loadEcheanciers(url, &issues); });
    readMember(issues, code, DocError::Macro, [&] { doc.macroHdl = loadMacro(url, &issues); });
}

void SVDocumentManager::loadInvestmentMembers(const QString& url, DOCUMENT& doc, LoadIssues& issues, DocError* code)
{
    readMember(issues, code, DocError::Emprunt, [&] { doc.empruntHdl = loadEmpruntXML(url, &issues); });
    readMember(issues, code, DocError::Titre, [&] { doc.titreHdl = loadTitreXML(url, &issues); });
    readMember(issues, code, DocError::Remunere, [&] { doc.remunereHdl = loadRemunereXML(url, &issues); });
    readMember(issues, code, DocError::Portfolio, [&] { doc.portfolioArray = loadPortfolioXML(url, &issues); });
    readMember(issues, code, DocError::Analyse, [&] { doc.anadefHdl = loadAnaConfigs(url, &doc, &issues); });
    readMember(issues, code, DocError::Graphique, [&] { doc.graphHdl = loadGraphDefs(url, &doc, &issues); });
}

void SVDocumentManager::loadReferenceMembers(const QString& url, DOCUMENT& doc, LoadIssues& issues, DocError* code)
{
    readMember(issues, code, DocError::Taxe, [&] { doc.taxeHdl = loadTaxe(url, &issues); });
    readMember(issues, code, DocError::Banque, [&] { doc.banqueHdl = loadBanque(url, &doc, &issues); });
    readMember(issues, code, DocError::Compte, [&] { doc.compteHdl = loadCompte(url, &doc, &issues); });
    readMember(issues, code, DocError::Moyen, [&] { doc.moyenHdl = loadMoyen(url, &issues); });
    readMember(issues, code, DocError::Synonyme, [&] { doc.synonymeArray = loadSynonyme(url, &issues); });
    readMember(issues, code, DocError::Logo, [&] { doc.logoArray = loadLogo(url, &issues); });
    readMember(issues, code, DocError::Regles, [&] { doc.reglesArray = loadRegles(url, &issues); });
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
                                                     const Action& actionNOK, const QList<LoadIssue>& issues)
{
    AlertRequest request;
    request.message = forSave ? localizedDialogue(QStringLiteral("kQuestion_CannotSaveDoc"))
                              : localizedDialogue(QStringLiteral("kAlerte_CannotOpenDoc"));
    request.information = loadDocument_err_to_string(code);
    if (!issues.isEmpty())
        request.information += QStringLiteral("\n\n") + describeLoadIssues(issues, kIssuesShown);
    request.button1 = forSave ? localizedDialogue(QStringLiteral("kOpenDoc_DontSave"))
                              : localizedDialogue(QStringLiteral("kOpenDoc_DontOpen"));
    request.button2 = forSave ? localizedDialogue(QStringLiteral("kOpenDoc_Save"))
                              : localizedDialogue(QStringLiteral("kOpenDoc_Open"));
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
    if (doc)
        synchronizeAttachedDocuments(*doc);
    if (!doc || doc->documentUrl.isEmpty()) {
        svLog(QStringLiteral("document NULL !"));
        return fail();
    }
    // Written straight into its own package, a failed save would leave the document with no
    // complete copy, and its folders would be copied onto themselves.
    if (!options.useTempFolder && samePackage(toURL, doc->documentUrl)) {
        svLog(QStringLiteral("Enregistrement refusé : %1 ne peut être écrit sur lui-même").arg(toURL));
        showSaveAlert(QStringLiteral("kAlerte_CannotSaveDoc"), window);
        return fail();
    }
    QString writeUrl;
    QString resources;
    int osError = 0;
    if (!getInitedSavingUrl(toURL, &writeUrl, &resources, options.useTempFolder, &osError)) {
        svLog(QStringLiteral("Préparation de l'enregistrement impossible (%1) : %2").arg(osError).arg(toURL));
        showSaveAlert(isPermissionError(osError) ? QStringLiteral("kAlerte_CannotSaveDoc_Droit")
                                                 : QStringLiteral("kAlerte_CannotSaveDoc"),
                      window);
        return fail();
    }
    const DocError membersCode = saveDocumentInternal(writeUrl, *doc);
    const DocError foldersCode = saveDocumentSubfolders(*doc, resources);
    if (options.doMessage && m_closeProgressMessage)
        m_closeProgressMessage();
    const DocError code = membersCode != DocError::None ? membersCode : foldersCode;
    const auto finish = [&]() { finishSave(doc, toURL, writeUrl, options, actionOK, actionNOK); };
    if (code == DocError::None)
        return finish();
    informDocErrorAndAskContinue(code, true, finish, [&]() {
        showSaveAlert(QStringLiteral("kAlerte_CannotSaveDoc"), window);
        fail();
    });
}

void SVDocumentManager::finishSave(DOCUMENT* doc, const QString& toURL, const QString& temporaryUrl,
                                   const SaveOptions& options, const Action& actionOK, const Action& actionNOK)
{
    if (!options.useTempFolder) {
        if (actionOK)
            actionOK();
        return;
    }
    int osError = 0;
    if (!swapSavedBundles(toURL, temporaryUrl, &osError)) {
        svLog(QStringLiteral("Remplacement du document impossible (%1) : %2").arg(osError).arg(toURL));
        showSaveAlert(QStringLiteral("kAlerte_CannotSaveDoc"), options.window);
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
    DocError code = DocError::None;
    bool ignored = false;
    const BEFOREPARAM before = BEFOREPARAM::loadBeforeParam(doc.documentUrl, &ignored);
    noteFailure(&code, !BEFOREPARAM::saveBeforeParam(url, before), DocError::BeforeParam);
    noteFailure(&code, !saveDataTransact(url, doc), DocError::Transact);
    noteFailure(&code, !doc.docParam || !doc.docParam->saveDocParam(url), DocError::DocParam);
    noteFailure(&code, !saveDossier(url, doc.dossierHdl), DocError::Dossier);
    noteFailure(&code, !savePoste(url, doc.posteHdl), DocError::Poste);
    noteFailure(&code, !saveEcheanciers(url, doc.echeancierHdl, doc.deviseHdl), DocError::Chrono);
    noteFailure(&code, !savePrevision(url, doc.previsionsArray, doc.deviseHdl), DocError::Prevision);
    noteFailure(&code, !saveMacro(url, doc.macroHdl, doc.deviseHdl), DocError::Macro);
    noteFailure(&code, !saveDevise(url, doc.deviseHdl), DocError::Devise);
    noteFailure(&code, !saveEmpruntXML(url, doc.empruntHdl, doc.deviseHdl), DocError::Emprunt);
    noteFailure(&code, !saveTitreXML(url, doc.titreHdl, doc.deviseHdl), DocError::Titre);
    noteFailure(&code, !saveRemunereXML(url, doc.remunereHdl, doc.deviseHdl), DocError::Remunere);
    noteFailure(&code, !savePortfolioXML(url, doc.portfolioArray, doc.deviseHdl), DocError::Portfolio);
    noteFailure(&code, !saveAnaConfigs(url, doc.anadefHdl), DocError::Analyse);
    noteFailure(&code, !saveGraphDefs(url, doc.graphHdl, doc.deviseHdl), DocError::Graphique);
    noteFailure(&code, !saveRegles(url, doc.reglesArray), DocError::Regles);
    noteFailure(&code, !saveTaxe(url, doc.taxeHdl), DocError::Taxe);
    noteFailure(&code, !saveBanque(url, doc.banqueHdl, doc.deviseHdl), DocError::Banque);
    noteFailure(&code, !saveCompte(url, doc.compteHdl, doc.deviseHdl), DocError::Compte);
    noteFailure(&code, !saveMoyen(url, doc.moyenHdl), DocError::Moyen);
    noteFailure(&code, !saveSynonyme(url, doc.synonymeArray), DocError::Synonyme);
    noteFailure(&code, !saveLogo(url, doc.logoArray), DocError::Logo);
    return code;
}

DocError SVDocumentManager::saveDocumentSubfolders(const DOCUMENT& doc, const QString& resources)
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
    } folders[] = {
        {lookup(searchesFolderInDocument, url), kSearchesFolderName, DocError::SearchesFolder},
        {lookup(getGraphsFolder, url), kGraphsFolderName, DocError::GraphsFolder},
        {lookup(getAnalyseFolderInDocument, url), kAnalyseFolderName, DocError::AnalyseFolder},
        {lookup(getBudgetFolderInDocument, url), kBudgetFolderName, DocError::BudgetFolder},
        {folder("simulation"), "simulation", DocError::SimulationFolder},
        {folder("importConfigurations"), "importConfigurations", DocError::ImportFolder},
        {attachedDocumentsFolder(doc), kAttachedDocumentsFolderName, DocError::AttachedFolder},
        {logo, "logo", DocError::AttachedFolder},
    };
    DocError code = DocError::None;
    for (const auto& entry : folders) {
        if (!entry.source.isEmpty())
            noteFailure(&code, !saveDocumentOneFolder(entry.source, resources, QString::fromLatin1(entry.name)),
                        entry.code);
    }
    return code;
}

bool SVDocumentManager::saveDocumentOneFolder(const QString& source, const QString& resources,
                                              const QString& folderName)
{
    FileSystemOps& ops = FileSystemOps::shared();
    const QString destination = resources + QLatin1Char('/') + folderName;
    int error = 0;
    if (ops.exists(destination) && !ops.removeItem(destination, &error)) {
        svLog(QStringLiteral("%1 : %2").arg(destination, qt_error_string(error)));
        return false;
    }
    if (!ops.copyItem(source, destination, &error)) {
        svLog(QStringLiteral("%1 : %2").arg(source, qt_error_string(error)));
        return false;
    }
    return true;
}

bool SVDocumentManager::getInitedSavingUrl(const QString& url, QString* temporaryUrl, QString* resourcesUrl,
                                           bool useTempFolder, int* osError)
{
    int error = 0;
    temporaryUrl->clear();
    resourcesUrl->clear();
    bool done = createDestinationFolderIfNecessaryAtUrl(url, &error);
    if (done && useTempFolder) {
        done = getTemporaryDocumentForSavingUrl(url, temporaryUrl, &error);
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

bool SVDocumentManager::getTemporaryDocumentForSavingUrl(const QString&, QString* temporaryUrl, int* osError)
{
    FileSystemOps& ops = FileSystemOps::shared();
    temporaryUrl->clear();
    QString folder;
    if (!HelperSVLibraryFolder::getSVLibraryTemporaryFolderUrl(&folder, osError))
        return false;
    const QString staging = folder + QLatin1Char('/') + QString::fromLatin1(kSavingPackageName);
    if (ops.exists(staging) && !ops.removeItem(staging, osError))
        return false;
    if (!ops.makeFolder(staging, osError))
        return false;
    *temporaryUrl = staging;
    return true;
}

bool SVDocumentManager::swapSavedBundles(const QString& url, const QString& temporaryUrl, int* osError)
{
    FileSystemOps& ops = FileSystemOps::shared();
    const QString destination = cleanUrl(url);
    const QString old = setAsideUrl(destination);
    const QString scratch = scratchUrl(destination);
    if (!restoreInterruptedSave(destination, osError))
        return false;
    if ((ops.exists(old) && !ops.removeItem(old, osError))
        || (ops.exists(scratch) && !ops.removeItem(scratch, osError)))
        return false;
    if (!moveItemAcrossFileSystems(temporaryUrl, scratch, osError))
        return false;
    const bool hadDestination = ops.exists(destination);
    if (hadDestination && !ops.moveItem(destination, old, osError))
        return false;
    if (!ops.moveItem(scratch, destination, osError)) {
        int rollback = 0;
        if (hadDestination && !ops.moveItem(old, destination, &rollback))
            svLog(QStringLiteral("Le document reste sous le nom %1 (%2)").arg(old).arg(rollback));
        return false;
    }
    int leftover = 0;
    if (hadDestination && !ops.removeItem(old, &leftover))
        svLog(QStringLiteral("Impossible de supprimer l'ancien document %1 (%2)").arg(old).arg(leftover));
    return true;
}
