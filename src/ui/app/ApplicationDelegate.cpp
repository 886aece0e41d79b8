#include "ApplicationDelegate.h"
#include "app/FenAboutController.h"
#include "app/FenAboutReglesController.h"
#include "app/FenAuteurController.h"
#include "app/FenLettreController.h"
#include "app/FenNotifySauvegardeController.h"
#include "app/FenPasswordController.h"
#include "app/FenPreferencesController.h"
#include "app/FenRecentController.h"
#include "app/FirstRunAssistant.h"
#include "app/ImportWindowServices.h"
#include "app/SorvApplication.h"
#include "app/WindowDoors.h"
#include "app/WindowMemory.h"
#include "calculator/FenCalculetteController2.h"
#include "document/APPLIPARAM.h"
#include "document/BackupManager.h"
#include "document/ClassState.h"
#include "document/DocContext.h"
#include "document/DocumentCheck.h"
#include "document/ICloudDelegate.h"
#include "document/RecentDocument.h"
#include "document/SVDocumentManager.h"
#include "document/SavedSearches.h"
#include "engines/ChronoManager.h"
#include "engines/LISTING.h"
#include "engines/TransactClipboard.h"
#include "entities/FenBanqueController.h"
#include "entities/FenDeviseController.h"
#include "entities/FenDossierController.h"
#include "entities/FenFavoriController.h"
#include "entities/FenLogoController.h"
#include "entities/FenMacroController.h"
#include "entities/FenReglesController.h"
#include "entities/FenSynonymeController.h"
#include "entities/FenTaxeController.h"
#include "foundation/ISounds.h"
#include "foundation/SystemClock.h"
#include "foundation/broadcast.h"
#include "foundation/dates.h"
#include "foundation/files.h"
#include "foundation/localized.h"
#include "foundation/selectors.h"
#include "graphs/FenBilanController.h"
#include "import/ImportManager.h"
#include "investments/FenFinanceEmpruntController.h"
#include "investments/FenFinanceRemunereController.h"
#include "investments/FenFinanceTitreController.h"
#include "investments/FenSimulationController.h"
#include "investments/InvestmentWindows.h"
#include "model/DOCPARAM.h"
#include "model/DOCUMENT.h"
#include "model/Devise.h"
#include "model/ECHEANCIER.h"
#include "model/GRAPH.h"
#include "model/MACRO.h"
#include "model/MONTANT.h"
#include "model/ReleveCompute.h"
#include "model/TOOL.h"
#include "model/ToolTree.h"
#include "quotes/DeviseRates.h"
#include "quotes/PortfolioManager.h"
#include "quotes/WebQuoteService.h"
#include "schedules/FenAwakeController.h"
#include "schedules/FenEcheancierController.h"
#include "sync/ServerAppDelegate.h"
#include "sync/SyncWindows.h"
#include "toolkit/dialogs/Dialog.h"
#include "toolkit/dialogs/FenAskPoursuivreController.h"
#include "toolkit/dialogs/FenCalendrierController.h"
#include "toolkit/drawing/Constants.h"
#include "toolkit/fields/ButtonCalculette.h"
#include "toolkit/host/UiHost.h"
#include "toolkit/media/SVSoundManager.h"
#include "toolkit/media/SoundManager.h"
#include "toolkit/palettes/FenPaletteToolController.h"
#include "toolkit/windows/windowutils.h"
#include "transactions/FenEditConversionController.h"
#include "transactions/FenListingEmpruntController.h"
#include "transactions/FenReleveController.h"
#include "transactions/TransactionWindows.h"
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMetaMethod>
#include <QScopedValueRollback>
#include <QSettings>
#include <algorithm>
#include <climits>
#include <fcntl.h>
#include <sys/stat.h>

namespace {

ApplicationDelegate* g_delegate = nullptr;

// The model's transaction sound, played by the window layer's sound manager when the user has it on.
class TransactSound : public ISounds {
public:
    void playSoundTransact() override
    {
        if (APPLIPARAM::loadAppliParam().doSoundsTransact)
            SVSoundManager::sharedSVInstance().playSoundTransact();
    }
};
TransactSound g_transactSound;

constexpr int kToolTipDelayHelpOn = 1000;
constexpr int kToolTipDelayHelpOff = INT_MAX;

// The browser's start and the desktop's requests. Any window registered as the browser takes them
// by name; the program's own browser directly.
void startBrowser(StdWindowController* browser)
{
    if (auto* recent = qobject_cast<FenRecentController*>(browser))
        recent->start();
    else if (browser)
        QMetaObject::invokeMethod(browser, "start", Qt::DirectConnection);
}

void requestBrowserPath(StdWindowController* browser, const QString& path)
{
    if (auto* recent = qobject_cast<FenRecentController*>(browser))
        recent->requestForPath(path);
    else if (browser)
        QMetaObject::invokeMethod(browser, "requestForPath", Qt::DirectConnection, Q_ARG(QString, path));
}

// Reopened on the current currency slot, as the menu opens them.
void registerInvestmentWindows()
{
    WindowMemory::registerWindowClass(QStringLiteral("FenFinanceTitreController"),
                                      [](const PARAMFEN&, bool appear) -> StdWindowController* {
                                          return FenFinanceTitreController::openTitres(appear);
                                      });
    WindowMemory::registerWindowClass(QStringLiteral("FenFinanceRemunereController"),
                                      [](const PARAMFEN&, bool appear) -> StdWindowController* {
                                          return FenFinanceRemunereController::openRemuneres(appear);
                                      });
    WindowMemory::registerWindowClass(QStringLiteral("FenFinanceEmpruntController"),
                                      [](const PARAMFEN&, bool appear) -> StdWindowController* {
                                          return FenFinanceEmpruntController::openEmprunts(appear);
                                      });
}

} // namespace

ApplicationDelegate::ApplicationDelegate()
    : m_transactionWindows(std::make_unique<TransactionWindows>())
    , m_syncWindows(std::make_unique<SyncWindows>())
    , m_importWindows(std::make_unique<ImportWindowServices>())
{
    g_delegate = this;
    installAppShell(this);
    installTransactionWindows(m_transactionWindows.get());
    installWindowDoors(&WindowDoors::shared());
    installSyncWindows(m_syncWindows.get());
    ImportManager::sharedInstance().installServices(m_importWindows->services());
    setWindowAppDelegate(this);
    FenRecentController::setDocumentOpener(this);
    WindowMemory::registerWindowClass(
        QStringLiteral("FenPaletteToolController"),
        [](const PARAMFEN&, bool appear) -> StdWindowController* { return openPaletteOutils(appear); }, false);
    WindowMemory::registerWindowClass(
        QStringLiteral("FenBanqueController"),
        [](const PARAMFEN& record, bool appear) -> StdWindowController* { return showBanques(appear, record.devise); });
    WindowMemory::registerWindowClass(
        QStringLiteral("FenEcheancierController"), [](const PARAMFEN&, bool appear) -> StdWindowController* {
            return FenEcheancierController::openEcheanciers(MONTANT::currentDeviseSlot(), appear);
        });
    WindowMemory::registerWindowClass(
        QStringLiteral("FenCalculetteController"), [](const PARAMFEN&, bool appear) -> StdWindowController* {
            return FenCalculetteController::openCalculette(MONTANT::currentDeviseSlot(), appear);
        });
    WindowMemory::registerWindowClass(QStringLiteral("FenSimulationController"),
                                      [](const PARAMFEN& record, bool) -> StdWindowController* {
                                          return FenSimulationController::openSimulation(record.devise);
                                      });
    WindowMemory::registerWindowClass(QStringLiteral("FenFavoriController"),
                                      [](const PARAMFEN& record, bool appear) -> StdWindowController* {
                                          return FenFavoriController::openFavoris(appear, record.devise);
                                      });
    WindowMemory::registerWindowClass(
        QStringLiteral("FenLogoController"),
        [](const PARAMFEN&, bool appear) -> StdWindowController* { return FenLogoController::openLogos(appear); });
    WindowMemory::registerWindowClass(QStringLiteral("FenBilanController"),
                                      [](const PARAMFEN& record, bool appear) -> StdWindowController* {
                                          return FenBilanController::openBilan(record.devise, appear);
                                      });
    registerInvestmentWindows();
    WindowMemory::registerDocumentWindowClasses();
    ButtonCalculette::setCalculetteRunner(&FenCalculetteController2::pushOnMontant);
    FenListingEmpruntController::setSimulationOpener([](long index) { openSimulationAtIndex(index); });
    FenFinanceEmpruntController::setSimulationOpener([this] { SIMULATION(); });
    setEmpruntShower([this](const QString& nom) { showEmpruntAtName(nom); });
}

ApplicationDelegate::~ApplicationDelegate()
{
    if (m_mainTimer)
        m_mainTimer->invalidate();
    if (m_document)
        doCloseDocument(false);
    if (sounds() == &g_transactSound)
        installSounds(nullptr);
    ButtonCalculette::setCalculetteRunner({});
    FenListingEmpruntController::setSimulationOpener({});
    FenFinanceEmpruntController::setSimulationOpener({});
    setEmpruntShower({});
    if (m_quoteService && quoteService() == m_quoteService.get())
        installQuoteService(nullptr);
    if (FenRecentController::documentOpener() == this)
        FenRecentController::setDocumentOpener(nullptr);
    if (windowAppDelegate() == this)
        setWindowAppDelegate(nullptr);
    if (appShell() == this)
        installAppShell(nullptr);
    if (transactionWindows() == m_transactionWindows.get())
        installTransactionWindows(nullptr);
    if (syncWindows() == m_syncWindows.get())
        installSyncWindows(nullptr);
    if (ImportManager::sharedInstance().services().review == m_importWindows.get())
        ImportManager::sharedInstance().installServices({});
    if (g_delegate == this)
        g_delegate = nullptr;
}

ApplicationDelegate* ApplicationDelegate::sharedDelegate()
{
    return g_delegate;
}

// =============================================================================================
// Launching and quitting

void ApplicationDelegate::step(const char* name, const std::function<void()>& work)
{
    work();
    m_trace.append(QString::fromLatin1(name));
}

// Later steps read what earlier ones set up: keep the order.
void ApplicationDelegate::BEFORE()
{
    m_launched = true;
    step("setBankIsOpen", [this] { setBankIsOpen(false); });
    step("initClassState", ClassState::startup);
    step("initListFonts", initListFonts);
    step("initConstants", Constants::initConstants);
    step("initListingLib", LISTING::initListingLib);
    step("installSoundManager", [] {
        SoundManager::sharedInstance().setPreferenceProvider(&SVSoundManager::sharedSVInstance());
        installSounds(&g_transactSound);
    });
    step("initLibCompte", initLibCompte);
    step("createSavedSearchList", [] {
        createSavedSearchList();
        initTransactClipboard();
    });
    step("duringPointe", [this] { _setDuringPointe(false); });
    step("loadAppliParam", [this] {
        APPLIPARAM::loadAppliParam();
        setToolTipDelay();
        installWebQuotes();
    });
    step("syncServerCreate", syncServerCreate);
    step("startMainTimer", [this] {
        m_startedTime = SystemClock::now();
        m_inDuring = false;
        m_mainTimer = scheduledTimerWithTimeInterval(
            1.0, [this] { DURING_(); }, true);
    });
    step("openRecentWindow", [this] {
        iCloudDelegate& cloud = iCloudDelegate::sharedInstance();
        StdWindowController* browser = openRecentWindow(false);
        auto* listener = dynamic_cast<ICloudGlobalDelegate*>(browser);
        cloud.setGlobalDelegate(listener);
        cloud.startWithDelegate(listener);
        startBrowser(browser);
    });
    step("requestedPath", [this] {
        if (m_recent && !m_requestedPath.isEmpty()) {
            const QString path = m_requestedPath;
            m_requestedPath.clear();
            requestBrowserPath(m_recent, path);
        }
    });
}

void ApplicationDelegate::AFTER()
{
    if (!m_launched)
        return;
    m_launched = false;
    step("memoriseApplicationWindows", WindowMemory::memoriseApplicationWindows);
    step("stopMainTimer", [this] {
        if (m_mainTimer)
            m_mainTimer->invalidate();
        m_mainTimer.reset();
    });
    step("syncServerRelease", syncServerRelease);
    step("iCloudGoodbye", [] { iCloudDelegate::sharedInstance().goodbye(); });
    step("releaseSavedSearchList", [] {
        releaseSavedSearchList();
        disposeTransactClipboard();
    });
    step("disposeLibCompte", disposeLibCompte);
    step("disposeListingLib", LISTING::disposeListingLib);
    step("uninstallSounds", [] {
        if (sounds() == &g_transactSound)
            installSounds(nullptr);
    });
    // Saves the application parameters, then releases the model's class-level state.
    step("disposeClassState", ClassState::shutdown);
}

int ApplicationDelegate::applicationShouldTerminate()
{
    int reply = 1;
    step("applicationShouldTerminate", [] {});
    if (m_bankIsOpen)
        performFermer(false, {}, {}, [&reply] { reply = 0; });
    return reply;
}

void ApplicationDelegate::terminate(QObject* sender)
{
    Q_UNUSED(sender);
    if (closingAsksAlready())
        return;
    // Typed in another window while a modal one answers, the quit comes from that run's event loop.
    // Pressed again while a question waits, only the last press goes on once it is answered: the
    // user asked to quit once, and a cancelled save question must not come back.
    const quint64 ticket = ++m_waitingCommandTicket;
    if (UiHost::instance().endModalRunsThen(this, [this, ticket] {
            if (ticket == m_waitingCommandTicket)
                terminate();
        }))
        return;
    const QScopedValueRollback asking(m_closingAsks, true);
    if (applicationShouldTerminate() == 0)
        return;
    applicationWillTerminate();
    QCoreApplication::quit();
}

bool ApplicationDelegate::openFile(const QString& path)
{
    if (m_bankIsOpen)
        return false;
    if (m_recent)
        requestBrowserPath(m_recent, path);
    else
        m_requestedPath = path;
    return false;
}

void ApplicationDelegate::applicationDidChangeScreenParameters()
{
    sendToAllWindowDelegates(Sel::didChangeScreen);
}

void ApplicationDelegate::setToolTipDelay()
{
    const int delay = APPLIPARAM::loadAppliParam().helpOn ? kToolTipDelayHelpOn : kToolTipDelayHelpOff;
    QSettings().setValue(QStringLiteral("NSInitialToolTipDelay"), delay);
    applyToolTipDelay(delay);
}

// Rates first, then quotes; the windows hear of both once both have come, if the document is
// still open by then.
void ApplicationDelegate::actualizeExternalData()
{
    QPointer<ApplicationDelegate> self(this);
    updateDeviseTickers(m_document.get(), [self] {
        PortfolioManager::sharedInstance().updateTickers(self ? self->m_document.get() : nullptr, [self] {
            if (!self || !self->bankIsOpen())
                return;
            sendToAllWindowDelegates(Sel::didUpdateDevise);
            sendToAllWindowDelegates(Sel::didUpdateTitres);
        });
    });
}

// =============================================================================================
// Opening and creating

bool ApplicationDelegate::openRecent(const RecentDocument& recent)
{
    if (recent.url().isEmpty())
        return false;
    return openSorvFile(recent.url(), recent.fileSystemTag());
}

bool ApplicationDelegate::openSorvFile(const QString& url, int fileSystemTag)
{
    if (url.isEmpty() || QFileInfo(url).suffix() != QLatin1String("svd"))
        return false;
    return doOpen(url, false, fileSystemTag);
}

bool ApplicationDelegate::nouveauDocument(const QString& url, int fileSystemTag)
{
    if (url.isEmpty())
        return false;
    return doOpen(url, true, fileSystemTag);
}

bool ApplicationDelegate::askDocumentPassword(const BEFOREPARAM& stored, const QString& packageUrl)
{
    return ::askDocumentPassword(m_recent, stored, true, packageUrl);
}

// One document at a time: a second one would take the open one's place unsaved.
bool ApplicationDelegate::doOpen(const QString& url, bool crea, int fileSystemTag)
{
    if (m_document)
        return false;
    m_failedAutoSaveTick = 0;
    bool opened = false;
    step("openDocument", [&] { opened = DocumentSession::open(url, &m_document, crea, fileSystemTag, *this); });
    if (!opened) {
        failedOpening(crea);
        return false;
    }
    if (!crea) {
        step("offerDocumentCheck", [this] { offerDocumentCheck(); });
        step("actualizeExternalData", [this] { actualizeExternalData(); });
    }
    step("syncServerStart", [this] { syncServerStart(m_document.get()); });
    return true;
}

// Transactions whose account or statement is gone would keep balances wrong without a word: the
// user is offered the check as soon as the document is open.
void ApplicationDelegate::offerDocumentCheck()
{
    if (listingCount(findDocumentProblems(*m_document).get()) == 0)
        return;
    int answer = 0;
    Dialog::OKConfirmationWithDictionary(
        {{QStringLiteral("title"), localizedDialogue(QStringLiteral("kConfirm_BadTrans"))},
         {QStringLiteral("imageName"), QStringLiteral("verifier")},
         {QStringLiteral("escapeButton"), kAlertSecondButton}},
        [&answer](int code) { answer = code; });
    if (answer == kAlertFirstButton)
        VERIFIER();
}

// A new document that could not be saved is gone: the browser, still there, stays, or shows again.
void ApplicationDelegate::failedOpening(bool crea)
{
    if (!crea || m_recent)
        return;
    if (StdWindowController* browser = openRecentWindow(true))
        browser->adjustHeight(false);
}

// Runs inside the store's opening ("openDocument" is traced once it has ended): these steps come
// before it in the trace.
void ApplicationDelegate::showOpenedDocument(DOCUMENT& doc, bool crea)
{
    setBankIsOpen(true);
    step("closeRecentWindow", [this] {
        if (m_recent)
            m_recent->close();
        m_recent = nullptr;
    });
    if (crea) {
        step("firstRunAssistant", [&doc] { FirstRunAssistant(doc).run(); });
        // The accounts the assistant made come with their opening balances.
        step("recomputeAllReleves", [&doc] { recomputeAllReleves(&doc, QStringLiteral("kMessage_ComputeOpen")); });
    } else if (APPLIPARAM::loadAppliParam().doTruc) {
        step("tips", [] {
            WindowMemory::openWindow(WindowMemory::recordForClass(QStringLiteral("FenTrucsController")), true);
        });
    }
    m_startedTime = SystemClock::now();
    if (TransactClipboard* clipboard = transactClipboard())
        clipboard->clearTransactClipboard();
    ImportManager::sharedInstance().openDocImport(&doc);
    step("restoreDocumentWindows", [&doc] { WindowMemory::restoreDocumentWindows(&doc); });
}

// =============================================================================================
// Closing

void ApplicationDelegate::FERMER_DOCUMENT(QObject* sender)
{
    Q_UNUSED(sender);
    if (closingAsksAlready())
        return;
    const quint64 ticket = ++m_waitingCommandTicket;
    if (UiHost::instance().endModalRunsThen(this, [this, ticket] {
            if (ticket == m_waitingCommandTicket)
                FERMER_DOCUMENT();
        }))
        return;
    const QScopedValueRollback asking(m_closingAsks, true);
    if (m_bankIsOpen)
        performFermer(true, {}, {}, {});
}

// The user has asked to quit or close once, and is being asked what to do with the document: the
// key pressed again brings that question forward and waits for nothing, so its "Annuler" ends the
// command, however many times the key was pressed.
bool ApplicationDelegate::closingAsksAlready()
{
    if (!m_closingAsks)
        return false;
    UiHost::instance().bringAnswerForward();
    return true;
}

void ApplicationDelegate::performFermer(bool showBrowser, const Block& saveBlock, const Block& noSaveBlock,
                                        const Block& undoBlock)
{
    DOCUMENT* doc = m_document.get();
    if (!doc)
        return;
    // The user chose at its opening not to save it: a save could only fail, and the question and
    // the reminder of a copy would ask again what the user already answered.
    if (!DocContext::mayWriteAt(doc->documentUrl)) {
        doCloseDocument(showBrowser);
        if (noSaveBlock)
            noSaveBlock();
        return;
    }
    if (APPLIPARAM::loadAppliParam().autoSaveWhenQuit) {
        savePathOfClose(showBrowser, saveBlock, noSaveBlock, undoBlock);
        return;
    }
    int answer = 0;
    step("askSaveDocument", [doc, &answer] {
        Dialog::confirmation(nullptr, localizedDialogue(QStringLiteral("kConfirm_SaveDoc")), doc->getDocLoadName(),
                             localizedDialogue(QStringLiteral("LIB_BUTTON_OUI")),
                             localizedDialogue(QStringLiteral("LIB_BUTTON_NON")),
                             localizedDialogue(QStringLiteral("LIB_BUTTON_ANNULER")), QStringLiteral("document"), 0,
                             kAlertThirdButton, [&answer](int code) { answer = code; });
    });
    if (answer == kAlertFirstButton) {
        savePathOfClose(showBrowser, saveBlock, noSaveBlock, undoBlock);
    } else if (answer == kAlertSecondButton) {
        step("alertForManualSave", [doc] { BackupManager::defaultManager().alertForManualSave(doc); });
        doCloseDocument(showBrowser);
        if (noSaveBlock)
            noSaveBlock();
    } else if (undoBlock) {
        undoBlock();
    }
}

// A save that fails closes nothing unless the user chooses to close without saving (a document
// that can't be saved would otherwise never let the program quit); else it counts as a cancel, so
// a quit never loses the changes without the user's word.
void ApplicationDelegate::savePathOfClose(bool showBrowser, const Block& saveBlock, const Block& noSaveBlock,
                                          const Block& undoBlock)
{
    DOCUMENT* doc = m_document.get();
    // The windows are recorded in memory; the analyses and graphs write themselves into the package
    // the save builds, so the package on disk changes with the save or not at all.
    const ParamFenList recorded = doc->docParam ? doc->docParam->documentWindows : ParamFenList();
    SaveOptions options {.useTempFolder = true, .doMessage = true};
    step("memoriseDocumentWindows",
         [doc, &options] { options.memoriseWindows = WindowMemory::memoriseDocumentWindows(doc); });
    bool saved = false;
    step("saveDocument", [doc, &options, &saved] {
        SVDocumentManager::defaultManager().saveDocument(doc, doc->documentUrl, options, [&saved] { saved = true; },
                                                         {});
    });
    if (!saved) {
        // Closed now without saving, it keeps the windows of its last saving close, as on disk.
        if (doc->docParam)
            doc->docParam->documentWindows = recorded;
        int answer = 0;
        Dialog::confirmation(nullptr, localizedDialogue(QStringLiteral("kConfirm_CloseWithoutSaving")),
                             doc->getDocLoadName(), localizedDialogue(QStringLiteral("LIB_BUTTON_ANNULER")),
                             localizedDialogue(QStringLiteral("kButton_CloseWithoutSaving")), QString(),
                             QStringLiteral("document"), 2, kAlertFirstButton, [&answer](int code) { answer = code; });
        if (answer != kAlertSecondButton) {
            if (undoBlock)
                undoBlock();
            return;
        }
        step("alertForManualSave", [doc] { BackupManager::defaultManager().alertForManualSave(doc); });
        doCloseDocument(showBrowser);
        if (noSaveBlock)
            noSaveBlock();
        return;
    }
    step("alertForManualSave", [doc] { BackupManager::defaultManager().alertForManualSave(doc); });
    doCloseDocument(showBrowser);
    if (saveBlock)
        saveBlock();
}

void ApplicationDelegate::doCloseDocument(bool showBrowser)
{
    m_duringCloseDocument = true;
    step("closeDocumentWindows", WindowMemory::closeDocumentWindows);
    step("syncServerStop", syncServerStop);
    step("clearTransactClipboard", [] {
        if (TransactClipboard* clipboard = transactClipboard())
            clipboard->clearTransactClipboard();
    });
    step("closePaletteOutils", closePaletteOutils);
    step("portfolioGoodbye", PortfolioManager::goodbye);
    // A run still importing stops before its document goes.
    step("importGoodbye", ImportManager::goodbye);
    step("disposeDocument", [this] {
        DocumentSession::close(std::move(m_document));
        setBankIsOpen(false);
    });
    if (showBrowser) {
        step("openRecentWindow", [this] {
            if (StdWindowController* browser = openRecentWindow(true))
                browser->adjustHeight(false);
        });
    }
    // The windows that set a cursor of their own are gone: none of their cursors stays.
    while (QGuiApplication::overrideCursor())
        QGuiApplication::restoreOverrideCursor();
    m_duringCloseDocument = false;
}

StdWindowController* ApplicationDelegate::openRecentWindow(bool start)
{
    if (m_recent) {
        if (StdWindow* window = m_recent->window()) {
            window->show();
            window->raise();
        }
    } else {
        m_recent = WindowMemory::openWindow(WindowMemory::recordForClass(QStringLiteral("FenRecentController")), true);
    }
    if (start)
        startBrowser(m_recent);
    return m_recent;
}

// =============================================================================================
// Menu commands

void ApplicationDelegate::ENREGISTRER_DOCUMENT(QObject* sender)
{
    Q_UNUSED(sender);
    if (DOCUMENT* doc = m_document.get())
        SVDocumentManager::defaultManager().saveDocument(doc, doc->documentUrl,
                                                         {.useTempFolder = true, .doMessage = true}, {}, {});
}

void ApplicationDelegate::PASSWORD(QObject* sender)
{
    Q_UNUSED(sender);
    DOCUMENT* doc = m_document.get();
    if (!doc)
        return;
    // The password is written into the package at once, which a document kept without saving
    // never is: it is refused before anything is typed.
    if (DocContext::refusesChangeInPackage())
        return;
    bool error = false;
    const BEFOREPARAM stored = BEFOREPARAM::loadBeforeParam(doc->documentUrl, &error);
    ::askDocumentPassword(nullptr, stored, false, doc->documentUrl);
}

void ApplicationDelegate::VERIFIER(QObject* sender)
{
    Q_UNUSED(sender);
    if (!m_document)
        return;
    askPoursuivre(nullptr, QStringLiteral("ASSIST000"), QString(), true, false, [this](long answer) {
        if (answer != 1 || !m_document)
            return;
        verifierDocument(nullptr, *m_document);
        sendToAllWindowDelegates(Sel::didVerifyDocument);
    });
}

bool ApplicationDelegate::can_imprimer() const
{
    auto* window = qobject_cast<StdWindow*>(keyWindow());
    auto* controller = window ? qobject_cast<StdWindowController*>(window->controller()) : nullptr;
    return controller && controller->can_imprimer();
}

void ApplicationDelegate::IMPRIMER(QObject* sender)
{
    Q_UNUSED(sender);
    if (!can_imprimer())
        return;
    auto* controller = qobject_cast<StdWindowController*>(static_cast<StdWindow*>(keyWindow())->controller());
    controller->IMPRIMER(this);
}

bool ApplicationDelegate::canImporter() const
{
    auto* window = qobject_cast<StdWindow*>(keyWindow());
    return window && qobject_cast<FenReleveController*>(window->controller());
}

void ApplicationDelegate::IMPORTER(QObject* sender)
{
    if (!canImporter())
        return;
    auto* controller = qobject_cast<FenReleveController*>(static_cast<StdWindow*>(keyWindow())->controller());
    controller->IMPORTER(sender);
}

void ApplicationDelegate::windowDidBecomeMain(StdWindow* window)
{
    FenPaletteToolController* palette = FenPaletteToolController::paletteOutils();
    if (!window || window->windowFlags().testFlag(Qt::WindowStaysOnTopHint) || !palette)
        return;
    auto* controller = qobject_cast<StdWindowController*>(window->controller());
    StdWindow* paletteWindow = palette->windowIfLoaded();
    if (!controller || !paletteWindow)
        return;
    // While a statement ticks the palette stays hidden, whichever window a manager makes main
    // meanwhile: the statement as its modality changes, or a window clicked under it.
    if (controller->getModal() || _isDuringPointe()) {
        paletteWindow->hide();
    } else {
        paletteWindow->show();
        paletteWindow->raise();
    }
}

StdWindowController* ApplicationDelegate::getPaletteTool()
{
    return FenPaletteToolController::paletteOutils();
}
