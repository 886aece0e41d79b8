#pragma once
// The one seam between the windows and the desktop. Everything a window needs from outside
// itself that would block, wait, make a noise or depend on the machine (modal runs, alerts,
// timers, sounds, animations, file panels, opening files, the screen) is asked of the installed
// host. main() installs the host built on Qt; a test fixture installs a host that answers from
// scripts and runs time on a virtual clock, so whole flows run headless and deterministic.
#include "foundation/IAlerts.h"
#include "foundation/IDesktop.h"
#include "toolkit/media/Animator.h"
#include "toolkit/media/SoundBackend.h"

#include <QColor>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class PrintAccessoryViewController;
class PrintOperation;
class QWidget;

struct ModalRequest {
    QWidget* window = nullptr; // the window that runs modally
    QWidget* parent = nullptr; // the window a sheet is shown on
    bool sheet = false; // window-modal on the parent rather than application-modal
    QObject* controller = nullptr; // the controller owning the window, when there is one
};

class IModalRunner {
public:
    virtual ~IModalRunner() = default;
    // Shows the window modally and blocks until endModal() ends its run; answers that code.
    // Closing the window with its close box ends the run with 0.
    virtual int run(const ModalRequest& request) = 0;
    // Ends the run of that window with the code; nothing when the window is not running.
    virtual void endModal(QWidget* window, int code) = 0;
    // The number of window runs open right now, and the innermost one's window.
    virtual int depth() const = 0;
    virtual QWidget* modalWindow() const = 0;
};

class IAlertPresenter {
public:
    virtual ~IAlertPresenter() = default;
    // Shows the alert (a sheet on its window, or application-modal) and answers the chosen
    // button: 1000 for the first of alertButtonTitles(), 1001, 1002.
    virtual int show(const AlertRequest& request) = 0;
};

// The buttons an alert shows, in order: the non-empty titles; "OK" when none is given, because an
// alert always ends with a button.
QStringList alertButtonTitles(const AlertRequest& request);
// The code of the button Escape and the close box press: an alert's only button, else the answer
// the question names (AlertRequest::escapeButton); 0 when it names none, and Escape then does
// nothing rather than give an answer that acts.
int alertEscapeButton(const AlertRequest& request);
// The widget of an alert's window: the object itself when it is a widget, else the widget in its
// "window" property (how a window controller exposes its window); null for none.
QWidget* widgetOfWindowObject(QObject* window);

class IScheduler {
public:
    enum class Mode {
        Default, // waits while a modal run or an alert is open
        ModalPanel, // fires inside modal runs too
    };
    using Handle = std::uint64_t; // never 0

    virtual ~IScheduler() = default;
    // Calls fn once after ms milliseconds; when a context is given, the call is dropped if the
    // context is destroyed first.
    virtual Handle after(int ms, Mode mode, std::function<void()> fn, QObject* context = nullptr) = 0;
    // Calls fn every ms milliseconds until cancelled.
    virtual Handle every(int ms, Mode mode, std::function<void()> fn, QObject* context = nullptr) = 0;
    virtual void cancel(Handle handle) = 0;
    virtual bool isActive(Handle handle) const = 0;
    // Told by the host whenever the number of open modal runs changes. Default-mode calls that
    // come due while it is above 0 are held; when the outermost run ends they are let go, to run
    // from the event loop once the code that ran the modal session has returned.
    virtual void setModalDepth(int depth) = 0;

    // A handle unique in the whole process, so a handle kept across a change of host can never
    // cancel another scheduler's call.
    static Handle newHandle();
};

struct OpenPanelRequest {
    QString title;
    QString prompt; // the text of the button that chooses
    bool folders = false; // folders only, else files only
    QStringList allowedTypes; // file extensions; empty for any
    QString startFolder;
    // Named filters the user chooses among, the first shown ("Relevés (*.qif *.ofx)"); they
    // take the place of allowedTypes.
    QStringList filters;
};

class IFilePanels {
public:
    virtual ~IFilePanels() = default;
    // The path chosen in a save panel, empty when cancelled. allowedType is an extension or empty.
    virtual QString save(const QString& defaultName, const QString& allowedType) = 0;
    // The one path chosen in an open panel, empty when cancelled.
    virtual QString open(const OpenPanelRequest& request) = 0;
};

class IScreenInfo {
public:
    virtual ~IScreenInfo() = default;
    // The main screen's frame without panels and docks, in Qt's coordinates; empty when there is
    // no screen.
    virtual QRect visibleFrame() const = 0;
    // The main screen's whole frame, panels and docks included, in Qt's coordinates; empty when
    // there is no screen. Window frames kept in documents count from its bottom edge.
    virtual QRect fullFrame() const = 0;
    // Whether the window manager places the windows itself, side by side (tiles them): it keeps
    // them clear of a window only when told the room that window takes.
    virtual bool managerTilesWindows() const = 0;
    // Tells the window manager that the window takes the room from the top of the screen down to
    // its bottom, across its width, and is placed by the program: the windows the manager places
    // keep clear of that room. Told before the window maps, and again when its frame changes.
    virtual void reserveTopStrip(QWidget* window) = 0;
    // The same along the bottom edge: the room from the window's top down to the bottom of the
    // screen, across its width.
    virtual void reserveBottomStrip(QWidget* window) = 0;
    // The window, hidden, takes no room any more: a manager that keeps the room of a dock it no
    // longer shows gives it back to the windows it places.
    virtual void releaseStrip(QWidget* window) = 0;
    // Whether the display has withdrawn a window the program shows: unmapped, and not iconified
    // by the window manager. False where the display does not say.
    virtual bool displayWithdrew(const QWidget* window) const = 0;
    // Maps a window the display withdrew again, as it stands: a hide first would tell the window
    // manager of one more withdrawal, which it may carry out after the new map.
    virtual void mapAgain(QWidget* window) = 0;
    // Takes the window off the display as Qt's hide does (its unmap, and the window manager told
    // of the withdrawal), what Qt holds of the window left as it is.
    virtual void withdraw(QWidget* window) = 0;
    // Called on the main thread each time the display has mapped a window of the program, with
    // that window; nothing where the display does not say. One listener: a new one replaces it,
    // an empty one stops the calls.
    virtual void setMapListener(std::function<void(QWidget* window)> listener) = 0;
};

struct PrintRequest {
    PrintOperation* operation = nullptr; // its view laid out already
    PrintAccessoryViewController* accessory = nullptr; // the program's options, when the window offers them
    QWidget* window = nullptr; // the window the panel is a sheet of; null for none
};

class IPrintHost {
public:
    virtual ~IPrintHost() = default;
    // Shows the print panel for the operation, with the options panel when there is one, and
    // returns once it has closed: true when the pages were printed (or saved as a PDF), false
    // when the user cancelled. What the user changed is in the operation's print information.
    virtual bool runPrintOperation(const PrintRequest& request) = 0;
};

struct ColorPanelRequest {
    QWidget* window = nullptr; // the window the panel is a sheet of; null: free-standing
    QColor color; // the colour the panel starts from
    QWidget* accessory = nullptr; // shown under the colour chooser; its buttons end the panel
    QObject* controller = nullptr; // the accessory's controller
    std::function<void()> dismissed; // the user closed the panel without the accessory
};

// The shared colour panel. Unlike a modal run it does not block: show() returns at once and the
// accessory's buttons, later, read the colour and close the panel.
class IColorPanel {
public:
    virtual ~IColorPanel() = default;
    // Shows the panel on the request's window (closing one already shown), preset with its colour.
    virtual void show(const ColorPanelRequest& request) = 0;
    // The colour chosen so far.
    virtual QColor color() const = 0;
    // Ends the panel; the accessory is handed back to its controller (unparented, hidden).
    virtual void close() = 0;
    virtual bool isVisible() const = 0;
};
Q_DECLARE_METATYPE(IColorPanel*)

class UiHost {
public:
    struct Services {
        std::unique_ptr<IModalRunner> modal;
        std::unique_ptr<IAlertPresenter> alerts;
        std::unique_ptr<IScheduler> scheduler;
        std::unique_ptr<IFilePanels> panels;
        std::unique_ptr<IDesktop> desktop;
        std::unique_ptr<IScreenInfo> screen;
        std::unique_ptr<ISoundBackend> sound;
        std::unique_ptr<IAnimator> animator;
        std::unique_ptr<IPrintHost> print;
        std::unique_ptr<IColorPanel> colorPanel;
    };

    explicit UiHost(Services services);
    virtual ~UiHost(); // uninstalls itself when installed
    UiHost(const UiHost&) = delete;
    UiHost& operator=(const UiHost&) = delete;

    // Makes the host the process's one (null uninstalls) and routes the core's alerts and
    // desktop requests through it. The host must stay alive while installed.
    static void install(UiHost* host);
    static UiHost* installed();
    // The installed host. Asking with none installed is a programmer error: it is logged, and a
    // host built on Qt is installed so the caller still gets real dialogs.
    static UiHost& instance();

    IModalRunner& modal() { return *m_services.modal; }
    IAlertPresenter& alerts() { return *m_services.alerts; }
    IScheduler& scheduler() { return *m_services.scheduler; }
    IFilePanels& panels() { return *m_services.panels; }
    IDesktop& desktop() { return *m_services.desktop; }
    IScreenInfo& screen() { return *m_services.screen; }
    ISoundBackend& sound() { return *m_services.sound; }
    IAnimator& animator() { return *m_services.animator; }
    IPrintHost& print() { return *m_services.print; }
    IColorPanel& colorPanel() { return *m_services.colorPanel; }

    // Modal runs of every kind (windows, alerts, panels) open right now.
    int modalDepth() const { return m_modalDepth; }
    // A command that tears windows down (quitting, closing the document) must not run under the
    // code of an open modal run, which would go on with them gone: it is called again once the
    // outermost run has returned. No run is ended on the user's behalf, whatever its window holds:
    // from the innermost out, each run (a window's, an alert, a question, a panel) comes forward
    // with the keyboard (with the window it is a sheet of) and the command waits until the user
    // has closed it; then the run around it is taken the same way, and no other window takes the
    // keys meanwhile (waitsUnder). Answers false when no run is open: go on now.
    bool endModalRunsThen(QObject* context, std::function<void()> then);
    // Whether such a command waits. A series of windows (the next entry once one is confirmed)
    // opens no further window meanwhile: the user, who asked for the command, has closed the last.
    bool commandWaits() const;
    // The run the user must answer first comes forward with the keyboard, and nothing else is done:
    // what a command pressed again while its own question is up does.
    void bringAnswerForward() { bringRunForward(); }
    // Calls fn once no modal run is open any more, from the event loop once the code that ran the
    // outermost run has returned (as Qt's deleteLater waits), and before any command
    // endModalRunsThen holds: a window closed during the runs is gone before a quit goes on.
    // Dropped when the context goes first.
    void whenRunsEnd(QObject* context, std::function<void()> fn);
    // What a modal run waits for. Only the user ends a window's run or a question, so a held
    // command brings them forward; a wait is let go.
    enum class RunKind {
        Window, // a window's run (IModalRunner)
        Question, // an alert, a question or a panel
        Wait, // a wait that ends by itself (an animation)
    };
    // A modal run opens on its window: a question's box, a window's run, or none for a wait (the
    // innermost modal window stands for it). Once a run has closed, the keyboard goes back where it
    // was when it opened (KeyboardReturn).
    void enterModal(QWidget* window, RunKind kind);
    void leaveModal();
    // The window has begun to close by the user's word (OK, Cancel), and its run ends by itself
    // with that word's code: a waiting command lets it go as it is, rather than bringing it forward.
    void runBeginsClosing(const QWidget* window);
    // The alerts and questions open right now, innermost last.
    QList<QWidget*> waitingQuestions() const;
    // A window whose run was opened before the innermost one (a question asked from another window
    // meanwhile) can act only once that one has ended, and while a command waits for the user no
    // window but the one to answer takes input: answers the window it waits under, null for a
    // window that waits under none.
    QWidget* waitsUnder(const QWidget* window) const;
    // How a window that a waiting command brings forward is placed. Its coming forward is an
    // appearance like any other, so the window layer, which places every window, installs it: the
    // window the user must close lies whole on the screen, its buttons within reach, wherever it
    // was dragged. Without one, a window comes forward where it stands. One placement: a new one
    // replaces it.
    static void setPlacement(std::function<void(QWidget* window)> place);

private:
    // Keeps a window Qt holds hidden off the display.
    void displayMapped(QWidget* window);

    struct Run {
        QPointer<QWidget> window; // the question's box, the run's window, else the innermost modal window
        RunKind kind = RunKind::Wait;
        bool closing = false; // ends by itself with the code of the close begun
    };

    void bringRunForward();
    void postBringRunForward();
    // The window of the innermost run, which the user must end: what a waiting command brings forward.
    QWidget* runToAnswer() const;
    static bool opensFrom(const QWidget* window, const QWidget* answering);
    static void bringForward(QWidget* window);
    void postRunsEnded();
    void runWhenRunsEnd();

    Services m_services;
    int m_modalDepth = 0;
    // One entry per open run, innermost last.
    std::vector<Run> m_runs;
    // The contexts of the commands waiting for the runs to end: while one waits, each run left is
    // taken in turn.
    std::vector<QPointer<QObject>> m_commandsWaiting;
    QObject m_turns; // the context of the posted turns, which go with the host
    bool m_turnPosted = false;
    struct Waiting {
        QPointer<QObject> context;
        std::function<void()> fn;
    };
    std::vector<Waiting> m_whenRunsEnd;
    QPointer<QObject> m_runsEndedCall;
};

// Counts a modal run on the installed host for the length of a scope; the run of an alert, a
// question or the print panel gives its window, as does a window's run (IModalRunner).
class ModalRunScope {
public:
    explicit ModalRunScope(QWidget* question = nullptr)
        : ModalRunScope(question, question ? UiHost::RunKind::Question : UiHost::RunKind::Wait)
    {
    }
    ModalRunScope(QWidget* window, UiHost::RunKind kind)
        : m_host(UiHost::instance())
    {
        m_host.enterModal(window, kind);
    }
    ~ModalRunScope() { m_host.leaveModal(); }
    ModalRunScope(const ModalRunScope&) = delete;
    ModalRunScope& operator=(const ModalRunScope&) = delete;

private:
    UiHost& m_host;
};
