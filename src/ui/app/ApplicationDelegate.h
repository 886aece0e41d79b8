#pragma once
// The application's delegate: the program's life from launch to quit, and the one document.
//
// Launching ends with BEFORE: the class-level state in its fixed order, the one-second main timer
// and the document browser, which is the home screen (no document opens by itself). The browser
// opens, creates and closes the document through openRecent / openSorvFile / nouveauDocument and
// FERMER_DOCUMENT; at most one document is open. While one is, the main timer saves it every "mn"
// minutes, keeps a window on screen, notices a new calendar day and gives every window its
// periodicAction. Quitting closes the document first (saving or asking) and can be cancelled;
// AFTER then releases the class-level state.
//
// The document browser is opened through the window registry (WindowMemory) under its class name
// "FenRecentController", so any window registered there serves as the browser: besides what every
// window controller has, it is asked to start() and to requestForPath(QString) (a file the desktop
// asked to open), invokable by name; when it is an ICloudGlobalDelegate it gets the cloud layer's
// news. The browser opens and creates documents through the delegate (IDocumentOpener).
#include "app/FenRecentController.h"
#include "document/DocumentSession.h"
#include "foundation/IAppShell.h"
#include "toolkit/fields/editvalidation.h"
#include "toolkit/host/HelperSVTimer.h"
#include "toolkit/windows/StdWindowController.h"

#include <QObject>
#include <QPointer>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <memory>

class DOCUMENT;
class QKeyEvent;
class SyncWindows;
class ImportWindowServices;
class TransactionWindows;
class WebQuoteService;

class ApplicationDelegate : public QObject,
                            public IAppShell,
                            public IWindowAppDelegate,
                            public IOpeningShell,
                            public IDocumentOpener {
    Q_OBJECT
public:
    using Block = std::function<void()>;

    // The delegate installs itself as the application shell, the windows' delegate and the first
    // look at typed keys; there is one at a time.
    ApplicationDelegate();
    ~ApplicationDelegate() override;
    ApplicationDelegate(const ApplicationDelegate&) = delete;
    ApplicationDelegate& operator=(const ApplicationDelegate&) = delete;

    // The delegate of the running program; null when there is none.
    static ApplicationDelegate* sharedDelegate();

    // ---- Launching and quitting

    void applicationWillFinishLaunching() { }
    void applicationDidFinishLaunching() { BEFORE(); }
    // 1 to quit now, 0 to go on: an open document is closed first, saved automatically or after
    // asking; cancelling the question, or a save that fails and is not followed by the choice to
    // close without saving, keeps it open and answers 0.
    int applicationShouldTerminate();
    void applicationWillTerminate() { AFTER(); }
    // The quit command: quits the program unless the close of the document was cancelled.
    Q_INVOKABLE void terminate(QObject* sender = nullptr);
    // Sets up the class-level state, starts the main timer and opens the document browser.
    void BEFORE();
    // Records the application's windows, stops the timer and releases the class-level state;
    // once, after a BEFORE.
    void AFTER();
    // The names of the steps run, in order: start-up, each opening, closing and quitting, and the
    // end.
    const QStringList& lifeCycleTrace() const { return m_trace; }

    // The desktop asks to open a file: handed to the document browser when no document is open,
    // kept for the end of BEFORE when the browser is not there yet. Always false to the desktop.
    bool openFile(const QString& path);
    // The screens changed: every window is told (didChangeScreen).
    void applicationDidChangeScreenParameters();

    // ---- State

    bool bankIsOpen() const override { return m_bankIsOpen; }
    // Whether the menu's command of that action name can run now: the document's commands while
    // one is open, printing, importing and the Edit menu as the window in front says.
    bool validateMenuAction(const QString& action) const override;
    void setBankIsOpen(bool open) { m_bankIsOpen = open; }
    bool duringCloseDocument() const override { return m_duringCloseDocument; }
    void setDuringCloseDocument(bool during) { m_duringCloseDocument = during; }
    QString requestedPath() const { return m_requestedPath; }
    void setRequestedPath(const QString& path) { m_requestedPath = path; }
    double startedTime() const { return m_startedTime; }
    // The open document, null when none is.
    DOCUMENT* document() const { return m_document.get(); }
    // The document browser while it is open.
    StdWindowController* recentWindow() const { return m_recent; }
    // The menu item that shows or hides the tool palette, set by the menu bar.
    void setMenuPaletteOutils(QObject* item) { m_menuPaletteOutils = item; }
    QObject* menuItemPaletteOutil() override { return m_menuPaletteOutils; }

    // Writes the tool-tip delay that follows the "helpOn" parameter (the user default
    // "NSInitialToolTipDelay") and applies it.
    void setToolTipDelay() override;
    void actualizeExternalData() override;
    // The due-occurrences window, application-modal, on the list of the due pass.
    int showAwakeList(QList<AWAKE>& list, DOCUMENT* doc, const QString& info) override;

    // ---- The document

    // Opens the package when its extension is exactly "svd".
    bool openSorvFile(const QString& url, int fileSystemTag);
    // Creates the document in the package folder at url, which exists.
    bool nouveauDocument(const QString& url, int fileSystemTag);
    bool openRecent(const RecentDocument& recent) override;
    bool createDocument(const QString& url, int fileSystemTag) override { return nouveauDocument(url, fileSystemTag); }
    // The whole opening (or creation) of a document (DocumentSession::open), with its windows;
    // true when it is open.
    bool doOpen(const QString& url, bool crea, int fileSystemTag);
    // The close command.
    Q_INVOKABLE void FERMER_DOCUMENT(QObject* sender = nullptr);
    // Closes the open document, saving it automatically or after asking; then one of the blocks:
    // saveBlock after a save and the close, noSaveBlock after a close without saving (chosen at
    // once, or once the save failed), undoBlock when nothing was closed (the user cancelled).
    void performFermer(bool showBrowser, const Block& saveBlock, const Block& noSaveBlock, const Block& undoBlock);
    // Tears the open document down, without saving, and shows the browser again when asked.
    void doCloseDocument(bool showBrowser);
    // Opens the document browser, or brings the open one to the front; with start it starts.
    StdWindowController* openRecentWindow(bool start);

    // ---- Menu commands (each takes the menu item that sent it)

    Q_INVOKABLE void ENREGISTRER_DOCUMENT(QObject* sender = nullptr);
    // Saves a copy of the package where the user chooses, after offering to save it first; a
    // package already there is written over in place, the open package and places inside it
    // refused.
    Q_INVOKABLE void ENREGISTRER_COPIE(QObject* sender = nullptr) override;
    Q_INVOKABLE void PASSWORD(QObject* sender = nullptr);
    // The document check, once the user has read its explanation and chosen to go on; the
    // windows are then told (didVerifyDocument).
    Q_INVOKABLE void VERIFIER(QObject* sender = nullptr);
    // Closes the financial year into a new document, after its explanations, the closing date and
    // the new document's name; the user may then go on in the new document. Not while a question
    // is open: its answer is awaited by code that the closing would pull the document from under.
    Q_INVOKABLE void CLOTURE(QObject* sender = nullptr);
    // Closes the window in front as its close button does.
    Q_INVOKABLE void performClose(QObject* sender = nullptr);
    Q_INVOKABLE void IMPRIMER(QObject* sender = nullptr);
    // The key window's controller decides whether it prints.
    bool can_imprimer() const;
    // A bank file into the account of the statement window in front; the item's tag is the format.
    Q_INVOKABLE void IMPORTER(QObject* sender = nullptr);
    bool canImporter() const;
    Q_INVOKABLE void CALENDRIER(QObject* sender = nullptr) override;
    // The calendar on today's date, or the one open already; shown when appear is set.
    StdWindowController* openCalendrier(bool appear);
    // Brings the free calculator window to the front, or opens one.
    Q_INVOKABLE void CALCULETTE(QObject* sender = nullptr) override;
    Q_INVOKABLE void PALETTE_OUTILS(QObject* sender = nullptr);
    Q_INVOKABLE void BANQUES(QObject* sender = nullptr);
    Q_INVOKABLE void LETTRES(QObject* sender = nullptr);
    Q_INVOKABLE void DEVISES(QObject* sender = nullptr);
    Q_INVOKABLE void TAXES(QObject* sender = nullptr);
    Q_INVOKABLE void SIMULATION(QObject* sender = nullptr);
    Q_INVOKABLE void LOGOS(QObject* sender = nullptr);
    Q_INVOKABLE void FAVORIS(QObject* sender = nullptr) override;
    // The preferences, modally.
    Q_INVOKABLE void PREFERENCES(QObject* sender = nullptr);
    Q_INVOKABLE void DOSSIERS(QObject* sender = nullptr);
    Q_INVOKABLE void MACROS(QObject* sender = nullptr);
    // The rules window; the sender is the window (or menu item) that asked.
    Q_INVOKABLE void EDIT_REGLES(QObject* sender = nullptr);
    // The payment-means synonyms window, from the entry palettes.
    Q_INVOKABLE void GERER(QObject* sender = nullptr);
    Q_INVOKABLE void TITRES(QObject* sender = nullptr);
    Q_INVOKABLE void REMUNERES(QObject* sender = nullptr);
    Q_INVOKABLE void EMPRUNTS(QObject* sender = nullptr);
    // The loans window, opened or brought to the front, on the loan of that name.
    void showEmpruntAtName(const QString& name);
    Q_INVOKABLE void ECHEANCIERS(QObject* sender = nullptr);
    Q_INVOKABLE void ABOUT_REGLES(QObject* sender = nullptr);
    Q_INVOKABLE void ABOUT(QObject* sender = nullptr);
    // A run of new transactions, as the tool palette's button starts it.
    Q_INVOKABLE void NOUVELLE_OPERATION(QObject* sender = nullptr);
    // The search window on the open document, then the list of what it found.
    Q_INVOKABLE void RECHERCHE(QObject* sender = nullptr) override;
    Q_INVOKABLE void ANALYSE(QObject* sender = nullptr) override;
    Q_INVOKABLE void BUDGET(QObject* sender = nullptr) override;
    // A graph from the last saved definition chosen (else of the default category), through its editor.
    Q_INVOKABLE void GRAPHIQUE(QObject* sender = nullptr) override;
    // The balance sheet, opened or brought to the front.
    Q_INVOKABLE void BILAN(QObject* sender = nullptr);
    // The declaration of the document's first tax (none when it has no tax), after its question.
    Q_INVOKABLE void DECLARATION(QObject* sender = nullptr);
    // The user guide, in the desktop's browser.
    Q_INVOKABLE void GUIDE(QObject* sender = nullptr) override;
    // The example documents' page, in the desktop's browser once the user has agreed.
    Q_INVOKABLE void EXAMPLES(QObject* sender = nullptr);

    // ---- The Edit menu: the command goes to the text field that has the keyboard in the window
    // in front, else to that window's controller (copy, cut, paste, selectAll, delete_ or
    // SUPPRIMER), each only when the window says it applies.

    bool canCopy() const { return canEdit(EditCommand::Copy); }
    bool canCut() const { return canEdit(EditCommand::Cut); }
    bool canPaste() const { return canEdit(EditCommand::Paste); }
    bool canSelectAll() const { return canEdit(EditCommand::SelectAll); }
    bool canDelete() const { return canEdit(EditCommand::Delete); }
    // The key window's controller's answer to the question of that name ("canCopy"); false
    // without a key window, a controller or such a question.
    bool trySendToWindowDelegate(const char* selector) const;
    Q_INVOKABLE void cut(QObject* sender = nullptr);
    Q_INVOKABLE void copy(QObject* sender = nullptr);
    Q_INVOKABLE void paste(QObject* sender = nullptr);
    Q_INVOKABLE void delete_(QObject* sender = nullptr);
    Q_INVOKABLE void selectAll(QObject* sender = nullptr);
    // The entry of a new transaction from the document's macro at that position.
    void MACRO(long index) override;
    // An account created through the account editor in the bank the item stands for; its ident,
    // -1 when cancelled or when the bank no longer exists.
    long CREATE_COMPTE(QObject* window, QObject* item) override;
    // A category created through the category editor in the folder of the item's tag; its
    // ident, -1 when cancelled or when the folder no longer exists.
    long CREATE_POSTE(QObject* window, QObject* item) override;

    // ---- The main timer

    // The timer's action, once a second; a tick arriving while one runs returns at once.
    void DURING_();
    void periodicAction();
    // Saves the document when "mn" minutes have passed since its last save.
    void sauvegardeReguliere(DOCUMENT* doc);
    // Makes sure a window is on screen: the tool palette, else the banks window after an alert.
    void assumeWindowOnScreen();
    // A new calendar day recomputes the statements, is broadcast (notifyNewDay) and proposes
    // the occurrences that have come due with it.
    void detectNewDay();

    // ---- Windows

    void windowDidBecomeMain(StdWindow* window) override;
    void windowDidResignMain(StdWindow* window) override { Q_UNUSED(window); }
    StdWindowController* getPaletteTool() override;
    void doAuteur(StdWindow* window) override;
    // The conversion editor of the amount field the item stands for, on the window.
    void EDIT_CONVERSION(StdWindow* window, QObject* item) override;
    // Alt (or Alt+Shift) with a key other than Return: offered to the window in front, else runs
    // the document's macro of that key. True (the key is consumed) only when one of them took it.
    bool interceptKeyDownEvent(QKeyEvent* event);
    // True when the window in front took the key; running a macro answers false.
    bool MACRO_FROM_KEY(char16_t key, bool fromKeyboard);

    // The password of a protected package, asked on the browser's window.
    bool askDocumentPassword(const BEFOREPARAM& stored, const QString& packageUrl) override;
    // The browser gives way to the document's windows (and the tips, when asked for).
    void showOpenedDocument(DOCUMENT& doc, bool crea) override;

private:
    enum class MacroKeyOutcome { NotTaken, TakenByWindow, RanMacro };
    MacroKeyOutcome runMacroKey(char16_t key);
    static bool offerMacroKey(QObject* controller, char16_t key);
    bool canEdit(EditCommand command) const;
    void performEdit(EditCommand command);
    void step(const char* name, const std::function<void()>& work);
    void installWebQuotes();
    void failedOpening(bool crea);
    void offerDocumentCheck();
    void savePathOfClose(bool showBrowser, const Block& saveBlock, const Block& noSaveBlock, const Block& undoBlock);
    bool closingAsksAlready();
    bool automaticSaveIsDue(DOCUMENT* doc) const;
    static bool refuseCopyIntoDocument(const DOCUMENT* doc, const QString& destination);
    // fromMemory: the document as it is, whatever the destination. heldOpen: filled when a running
    // copy of the program has the destination open.
    static bool writeCopy(DOCUMENT* doc, const QString& destination, bool fromMemory, bool* existed, QString* heldOpen);

    bool m_launched = false;
    bool m_inDuring = false;
    std::shared_ptr<SVTimer> m_mainTimer;
    double m_startedTime = 0;
    double m_dayBoundsOf = -1; // the start time m_dayBegins and m_dayEnds were worked out for
    double m_dayBegins = 0;
    double m_dayEnds = 0;
    bool m_bankIsOpen = false;
    QPointer<QObject> m_menuPaletteOutils;
    bool m_duringCloseDocument = false;
    QString m_requestedPath;

    std::unique_ptr<TransactionWindows> m_transactionWindows;
    std::unique_ptr<SyncWindows> m_syncWindows;
    std::unique_ptr<WebQuoteService> m_quoteService;
    std::unique_ptr<ImportWindowServices> m_importWindows;
    std::unique_ptr<DOCUMENT> m_document;
    QPointer<StdWindowController> m_recent;
    QPointer<StdWindowController> m_notifySauvegarde;
    QPointer<StdWindowController> m_calendrier;
    // Tick of the last automatic save that failed; the next try waits a whole period after it.
    uint64_t m_failedAutoSaveTick = 0;
    // Quitting or closing asked again while a question waits: only the last request goes on.
    quint64 m_waitingCommandTicket = 0;
    // A quit or a close is asking its own questions (the save, the copy reminder).
    bool m_closingAsks = false;
    QStringList m_trace;
};
