#include "SVDocumentManager.h"

#include "document/BEFOREPARAM.h"
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
#include <iterator>

namespace {

// The message key of each code, by code; none for the codes without a message of their own.
constexpr const char* kErrorKeys[] = {
    nullptr,
    "kOpenDoc_errTransact",
    "kOpenDoc_errBeforeParam",
    "kOpenDoc_errDocParam",
    "kOpenDoc_errDevise",
    "kOpenDoc_errDossier",
    "kOpenDoc_errPoste",
    "kOpenDoc_errChrono",
    "kOpenDoc_errPrevision",
    "kOpenDoc_errMacro",
    "kOpenDoc_errEmprunt",
    "kOpenDoc_errTitre",
    "kOpenDoc_errRemunere",
    "kOpenDoc_errPortfolio",
    "kOpenDoc_errAnalyse",
    "kOpenDoc_errTaxe",
    "kOpenDoc_errBanque",
    "kOpenDoc_errCompte",
    "kOpenDoc_errMoyen",
    "kOpenDoc_errGraphique",
    "kOpenDoc_errRegles",
    "kOpenDoc_errAppliParam",
    "kOpenDoc_errSynonyme",
    "kOpenDoc_errLogo",
    "kOpenDoc_errFolder", // 24 to 30: a sub-folder could not be copied
    "kOpenDoc_errFolder",
    "kOpenDoc_errFolder",
    "kOpenDoc_errFolder",
    "kOpenDoc_errFolder",
    "kOpenDoc_errFolder",
    "kOpenDoc_errFolder",
};

// Keeps the first failure: a reader's or writer's code counts only while none is set. The readers
// share one flag per group, as some clear it and some only set it: a flag still set from an earlier
// reader has given its code already.
void noteFailure(int* code, bool failed, int failureCode)
{
    if (*code == 0 && failed)
        *code = failureCode;
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
    const int code = loadDocumentInternal(doc->documentUrl, *doc);
    if (code == 0) {
        if (actionOK)
            actionOK();
        return;
    }
    informDocErrorAndAskContinue(code, false, actionOK, [this, &doc, &actionNOK]() {
        disposeDocument(std::move(doc));
        if (actionNOK)
            actionNOK();
    });
}

int SVDocumentManager::loadDocumentInternal(const QString& url, DOCUMENT& doc)
{
    int code = 0;
    loadLedgerMembers(url, doc, &code);
    loadInvestmentMembers(url, doc, &code);
    loadReferenceMembers(url, doc, &code);
    verifyAndRepear(doc);
    return code;
}

void SVDocumentManager::loadLedgerMembers(const QString& url, DOCUMENT& doc, int* code)
{
    bool error = false;
    doc.transact_array = loadDataTransact(url, &error);
    noteFailure(code, error, kDocErrTransact);
    doc.docParam = DOCPARAM::loadDocParam(url, &error);
    noteFailure(code, error, kDocErrDocParam);
    doc.deviseHdl = loadDevise(url, &error);
    noteFailure(code, error, kDocErrDevise);
    doc.dossierHdl = loadDossier(url, &error);
    noteFailure(code, error, kDocErrDossier);
    doc.posteHdl = loadPoste(url, doc.dossierHdl, &error, DOCPARAM::getDefaultDossier(&doc));
    noteFailure(code, error, kDocErrPoste);
    // Forecasts first: an older package keeps them in "chrono.xml", which they take over.
    doc.previsionsArray = loadPrevision(url, &doc, doc.deviseHdl, &error);
    noteFailure(code, error, kDocErrPrevision);
    doc.echeancierHdl = loadEcheanciers(url, &error);
    noteFailure(code, error, kDocErrChrono);
    doc.macroHdl = loadMacro(url, &error);
    noteFailure(code, error, kDocErrMacro);
}

void SVDocumentManager::loadInvestmentMembers(const QString& url, DOCUMENT& doc, int* code)
{
    bool error = false;
    doc.empruntHdl = loadEmpruntXML(url, &error);
    noteFailure(code, error, kDocErrEmprunt);
    doc.titreHdl = loadTitreXML(url, &error);
    noteFailure(code, error, kDocErrTitre);
    doc.remunereHdl = loadRemunereXML(url, &error);
    noteFailure(code, error, kDocErrRemunere);
    doc.portfolioArray = loadPortfolioXML(url, &error);
    noteFailure(code, error, kDocErrPortfolio);
    doc.anadefHdl = loadAnaConfigs(url, &doc, &error);
    noteFailure(code, error, kDocErrAnalyse);
    doc.graphHdl = loadGraphDefs(url, &doc, &error);
    noteFailure(code, error, kDocErrGraphique);
}

void SVDocumentManager::loadReferenceMembers(const QString& url, DOCUMENT& doc, int* code)
{
    bool error = false;
    doc.taxeHdl = loadTaxe(url, &error);
    noteFailure(code, error, kDocErrTaxe);
    doc.banqueHdl = loadBanque(url, &doc, &error);
    noteFailure(code, error, kDocErrBanque);
    doc.compteHdl = loadCompte(url, &doc, &error);
    noteFailure(code, error, kDocErrCompte);
    doc.moyenHdl = loadMoyen(url, &error);
    noteFailure(code, error, kDocErrMoyen);
    doc.synonymeArray = loadSynonyme(url, &error);
    noteFailure(code, error, kDocErrSynonyme);
    doc.logoArray = loadLogo(url, &error);
    noteFailure(code, error, kDocErrLogo);
    doc.reglesArray = loadRegles(url, &error);
    noteFailure(code, error, kDocErrRegles);
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

QString SVDocumentManager::loadDocument_err_to_string(int code)
{
    constexpr int count = static_cast<int>(std::size(kErrorKeys));
    if (code <= 0 || code >= count || !kErrorKeys[code])
        return QStringLiteral("?");
    return localizedStringForKey(QString::fromLatin1(kErrorKeys[code]), QStringLiteral("Dialogue"));
}

void SVDocumentManager::informDocErrorAndAskContinue(int code, bool forSave, const Action& actionOK,
                                                     const Action& actionNOK)
{
    AlertRequest request;
    request.message = forSave ? localizedDialogue(QStringLiteral("kQuestion_CannotSaveDoc"))
                              : localizedDialogue(QStringLiteral("kAlerte_CannotOpenDoc"));
    request.information = loadDocument_err_to_string(code);
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

void SVDocumentManager::saveDocument(DOCUMENT* doc, const QString& toURL, bool useTempFolder, bool doMessage,
                                     QObject* window, const Action& actionOK, const Action& actionNOK)
{
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
    if (!useTempFolder && samePackage(toURL, doc->documentUrl)) {
        svLog(QStringLiteral("Enregistrement refusé : %1 ne peut être écrit sur lui-même").arg(toURL));
        showSaveAlert(QStringLiteral("kAlerte_CannotSaveDoc"), window);
        return fail();
    }
    QString writeUrl;
    QString resources;
    int osError = 0;
    if (!getInitedSavingUrl(toURL, &writeUrl, &resources, useTempFolder, &osError)) {
        svLog(QStringLiteral("Préparation de l'enregistrement impossible (%1) : %2").arg(osError).arg(toURL));
        showSaveAlert(isPermissionError(osError) ? QStringLiteral("kAlerte_CannotSaveDoc_Droit")
                                                 : QStringLiteral("kAlerte_CannotSaveDoc"),
                      window);
        return fail();
    }
    const int membersCode = saveDocumentInternal(writeUrl, *doc);
    const int foldersCode = saveDocumentSubfolders(*doc, resources);
    if (doMessage && m_closeProgressMessage)
        m_closeProgressMessage();
    const int code = membersCode != 0 ? membersCode : foldersCode;
    const auto finish = [&]() { finishSave(doc, toURL, writeUrl, useTempFolder, window, actionOK, actionNOK); };
    if (code == 0)
        return finish();
    informDocErrorAndAskContinue(code, true, finish, [&]() {
        showSaveAlert(QStringLiteral("kAlerte_CannotSaveDoc"), window);
        fail();
    });
}

void SVDocumentManager::finishSave(DOCUMENT* doc, const QString& toURL, const QString& temporaryUrl, bool useTempFolder,
                                   QObject* window, const Action& actionOK, const Action& actionNOK)
{
    if (!useTempFolder) {
        if (actionOK)
            actionOK();
        return;
    }
    int osError = 0;
    if (!swapSavedBundles(toURL, temporaryUrl, &osError)) {
        svLog(QStringLiteral("Remplacement du document impossible (%1) : %2").arg(osError).arg(toURL));
        showSaveAlert(QStringLiteral("kAlerte_CannotSaveDoc"), window);
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

int SVDocumentManager::saveDocumentInternal(const QString& url, DOCUMENT& doc)
{
    int code = 0;
    bool ignored = false;
    const BEFOREPARAM before = BEFOREPARAM::loadBeforeParam(doc.documentUrl, &ignored);
    noteFailure(&code, !BEFOREPARAM::saveBeforeParam(url, before), kDocErrBeforeParam);
    noteFailure(&code, !saveDataTransact(url, doc), kDocErrTransact);
    noteFailure(&code, !doc.docParam || !doc.docParam->saveDocParam(url), kDocErrDocParam);
    noteFailure(&code, !saveDossier(url, doc.dossierHdl), kDocErrDossier);
    noteFailure(&code, !savePoste(url, doc.posteHdl), kDocErrPoste);
    noteFailure(&code, !saveEcheanciers(url, doc.echeancierHdl, doc.deviseHdl), kDocErrChrono);
    noteFailure(&code, !savePrevision(url, doc.previsionsArray, doc.deviseHdl), kDocErrPrevision);
    noteFailure(&code, !saveMacro(url, doc.macroHdl, doc.deviseHdl), kDocErrMacro);
    noteFailure(&code, !saveDevise(url, doc.deviseHdl), kDocErrDevise);
    noteFailure(&code, !saveEmpruntXML(url, doc.empruntHdl, doc.deviseHdl), kDocErrEmprunt);
    noteFailure(&code, !saveTitreXML(url, doc.titreHdl, doc.deviseHdl), kDocErrTitre);
    noteFailure(&code, !saveRemunereXML(url, doc.remunereHdl, doc.deviseHdl), kDocErrRemunere);
    noteFailure(&code, !savePortfolioXML(url, doc.portfolioArray, doc.deviseHdl), kDocErrPortfolio);
    noteFailure(&code, !saveAnaConfigs(url, doc.anadefHdl), kDocErrAnalyse);
    noteFailure(&code, !saveGraphDefs(url, doc.graphHdl, doc.deviseHdl), kDocErrGraphique);
    noteFailure(&code, !saveRegles(url, doc.reglesArray), kDocErrRegles);
    noteFailure(&code, !saveTaxe(url, doc.taxeHdl), kDocErrTaxe);
    noteFailure(&code, !saveBanque(url, doc.banqueHdl, doc.deviseHdl), kDocErrBanque);
    noteFailure(&code, !saveCompte(url, doc.compteHdl, doc.deviseHdl), kDocErrCompte);
    noteFailure(&code, !saveMoyen(url, doc.moyenHdl), kDocErrMoyen);
    noteFailure(&code, !saveSynonyme(url, doc.synonymeArray), kDocErrSynonyme);
    noteFailure(&code, !saveLogo(url, doc.logoArray), kDocErrLogo);
    return code;
}

int SVDocumentManager::saveDocumentSubfolders(const DOCUMENT& doc, const QString& resources)
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
        int code;
    } folders[] = {
        {lookup(searchesFolderInDocument, url), kSearchesFolderName, kDocErrSearchesFolder},
        {lookup(getGraphsFolder, url), kGraphsFolderName, kDocErrGraphsFolder},
        {lookup(getAnalyseFolderInDocument, url), kAnalyseFolderName, kDocErrAnalyseFolder},
        {lookup(getBudgetFolderInDocument, url), kBudgetFolderName, kDocErrBudgetFolder},
        {folder("simulation"), "simulation", kDocErrSimulationFolder},
        {folder("importConfigurations"), "importConfigurations", kDocErrImportFolder},
        {attachedDocumentsFolder(doc), kAttachedDocumentsFolderName, kDocErrAttachedFolder},
        {logo, "logo", kDocErrAttachedFolder},
    };
    int code = 0;
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
