#pragma once
// The base of every window controller. A controller owns one top-level StdWindow, built the first
// time it is asked for (window()); it is opened only through the push operations, modeless or
// modal, with the window data and the currency slot its amounts are shown in, and it carries the
// argument block by which an open window is found again.
//
// Building a window: a subclass lays out its controls in buildInterface(), keeping the ones its
// code works with in typed members and giving each an objectName (tests find controls by it,
// and the standard pickers by the names StdWindowPickers lists), and gives each button or menu
// item its action (connectAction(ok, "OUI:")). An action performs the controller's Q_INVOKABLE
// member of that name without the colon, taking the sender (QObject*) or nothing, else the
// pickers' (StdActionDispatcher); Return, when no control takes it, presses the window's default
// button. Then the wake-up hooks run once and FILL shows the data; a modal controller then runs
// its modal loop, still inside that first request for the window, and the push reads the result
// when the loop ends.
//
// The controller's work is shared with collaborators it owns: the pickers (StdWindowPickers), the
// dispatch of actions (StdActionDispatcher), the sounds and animations of opening and closing
// (StdWindowMotion), the attached palette and the keeping clear of the tool palette
// (StdPaletteDock); printing goes through StdWindowPrinter.
//
// Result codes of a modal window: OUI: ends with 1, NON: with 0, a third button with 2, a fourth
// with 3; a window that picks one entity ends OUI: with its identifier and NON: with -1.
#include "toolkit/fields/editvalidation.h"
#include "toolkit/host/SORVARGrec.h"
#include "toolkit/host/WindowData.h"
#include "toolkit/windows/IWindowAppDelegate.h"
#include "toolkit/windows/StdActionDispatcher.h"
#include "toolkit/windows/StdPaletteDock.h"
#include "toolkit/windows/StdWindow.h"
#include "toolkit/windows/StdWindowMotion.h"
#include "toolkit/windows/StdWindowPickers.h"

#include <QObject>
#include <QPointer>
#include <QSizeF>
#include <QString>
#include <QVariant>

#include <functional>
#include <memory>
#include <type_traits>

class PrintOperation;
class QKeyEvent;
class QMenu;
class QMouseEvent;

class StdWindowController : public QObject {
    Q_OBJECT
    // The window as alerts find it (a sheet on it); null until the window is built.
    Q_PROPERTY(QWidget* window READ windowIfLoaded)

public:
    using ModalBlock = std::function<void(long result)>;

    StdWindowController();
    ~StdWindowController() override;

    // ---- Opening. C is the controller class to create, a default-constructible subclass.

    // Creates the controller, modeless; when appear is set shows it (sliding in, with its sound).
    // The controller lives until its window closes.
    template <class C> static C* push(WindowDataPtr data, long devise, bool appear);
    // As push, and calls endBlock with the controller once it has appeared, or at once when it
    // does not appear.
    template <class C>
    static void pushAnimated(WindowDataPtr data, long devise, bool appear, std::function<void(C*)> endBlock);
    // Runs the window modally: as a sheet on the parent's window when there is one, else
    // application-modal. Returns, after the window has closed, the result of the run, also stored
    // at result when that is given.
    template <class C>
    static long pushModal(StdWindowController* parent, const WindowDataPtr& data, long devise, long* result = nullptr);
    // As pushModal, handing the result to the block after the window has closed.
    template <class C>
    static void pushModalWithBlock(StdWindowController* parent, const WindowDataPtr& data, long devise,
                                   const ModalBlock& block);

    // The designated set-up of a new controller, done by the pushes.
    void initWithForWindow(StdWindow* forWindow, WindowDataPtr data, long devise, bool modal, bool appear);

    // ---- The window.

    // The window, built (with the wake-up, FILL and, for a modal controller, the modal run) on
    // the first request.
    StdWindow* window();
    StdWindow* windowIfLoaded() const { return m_window; }
    bool isWindowLoaded() const { return m_window != nullptr; }
    // The control of that name in the window, for tests and tools that know a window only by
    // its controls' names; null when absent or the window is not built. A controller keeps its
    // own controls in typed members.
    template <class W = QWidget> W* outlet(const QString& name) const
    {
        return m_window ? m_window->findChild<W*>(name) : nullptr;
    }
    // Shows the window and brings it to the front, building it when needed; it takes the keyboard
    // unless it refuses it (a palette).
    void orderFront();

    // ---- Actions.

    // Calls the action named (with or without its colon) with the sender; false when neither
    // the controller nor its pickers have such an action.
    bool perform(const QString& action, QObject* sender = nullptr);
    // Gives a button or a menu item (QAbstractButton or QAction) its action and connects it.
    void connectAction(QObject* control, const QString& action);
    // Ends this window's modal run with the code; nothing when the window is not running modally.
    void endModal(long code);

    // The toolkit's standard buttons: OUI: reads the window back and ends with 1 (it stays open
    // when READ refuses); NON: ends with 0; AUTRE: with 2; INVALIDER: with 3.
    Q_INVOKABLE virtual void OUI(QObject* sender);
    Q_INVOKABLE virtual void NON(QObject* sender);
    Q_INVOKABLE virtual void AUTRE(QObject* sender);
    Q_INVOKABLE virtual void INVALIDER(QObject* sender);

    // ---- Fields.

    WindowDataPtr getData() const { return m_forData; }
    SORVARGrec& getArg() { return m_arg; }
    const SORVARGrec& getArg() const { return m_arg; }
    StdWindow* getForWindow() const { return m_forWindow; }
    bool getModal() const { return m_modal; }
    bool getAppear() const { return m_appear; }
    bool isSheet() const { return m_modal && m_forWindow; }
    bool duringClosingProcess() const { return m_duringClosingProcess; }
    bool belongsToApplication() const { return m_belongsToApplication; }
    void setBelongsToApplication(bool belongs) { m_belongsToApplication = belongs; }

    bool awakeDone() const { return m_awakeDone; }
    long devise() const { return m_devise; }
    void setDevise(long slot) { m_devise = slot; }
    double date1() const { return m_date1; }
    void setDate1(double date) { m_date1 = date; }
    double date2() const { return m_date2; }
    void setDate2(double date) { m_date2 = date; }
    long modalResult() const { return m_modalResult; }
    void setModalResult(long result) { m_modalResult = result; }
    long currentOrientation() const { return m_currentOrientation; }
    void setCurrentOrientation(long orientation) { m_currentOrientation = orientation; }

    // ---- Collaborators.

    // The standard pickers: the identifiers the window chose, their fills and their actions.
    StdWindowPickers& pickers() { return m_pickers; }
    const StdWindowPickers& pickers() const { return m_pickers; }
    // The attached palette and the keeping clear of the tool palette.
    StdPaletteDock& paletteDock() { return m_dock; }
    const StdPaletteDock& paletteDock() const { return m_dock; }
    // The text size of the pickers' fields, also asked by the window's text views.
    Q_INVOKABLE virtual double defaultFontSize() const { return 13.0; }

    // ---- The Edit menu: whether its commands apply to the window's first responder. A text
    // view answers for itself, or by its selection and text; anything else leaves it to the
    // can...Something hooks.

    Q_INVOKABLE bool canCopy() const { return validateEditCommand(m_window, EditCommand::Copy, canCopySomething()); }
    Q_INVOKABLE bool canPaste() const { return validateEditCommand(m_window, EditCommand::Paste, canPasteSomething()); }
    Q_INVOKABLE bool canCut() const { return validateEditCommand(m_window, EditCommand::Cut, canCutSomething()); }
    Q_INVOKABLE bool canSelectAll() const
    {
        return validateEditCommand(m_window, EditCommand::SelectAll, canSelectAllSomething());
    }
    Q_INVOKABLE bool canDelete() const
    {
        return validateEditCommand(m_window, EditCommand::Delete, canDeleteSomething());
    }

    // A click in the window's background; true when it was taken (the hidden chord).
    bool mouseDown(const QMouseEvent* event);
    // A menu about to open: a pop-up's menu is rebuilt by its pop-up.
    void menuNeedsUpdate(QMenu* menu);

    // ---- Broadcast handlers.

    // The height follows the list preferences; the palette follows the window when it is
    // magnetic.
    Q_INVOKABLE virtual void preferencesDidChange(const QVariant& arg1, const QVariant& arg2);
    // A modal window (the controller) became key: every other window but the tool palette dims.
    Q_INVOKABLE void downAlphaIfNotEquals(const QVariant& controller, const QVariant& arg2);
    Q_INVOKABLE void upAlpha(const QVariant& /*arg1*/, const QVariant& /*arg2*/)
    {
        if (m_window)
            m_window->setWindowOpacity(1.0);
    }
    // The main currency moved to the slot: the window on the main currency follows it there, the
    // window on that slot takes the new main currency (slot 0), through DEVISE:.
    Q_INVOKABLE virtual void newDevisePrincipale(const QVariant& slot, const QVariant& arg2);

    // ---- Showing and closing.

    // Shows the window (with its open sound), sliding in from the left edge of the screen when
    // animations are on; then, when adjust is set, adjustHeight(false); then didAnimate.
    void appearWindowAnimated(bool adjust, const std::function<void()>& didAnimate);
    // Shrinks the window to its centre and plays the close sound, unless animations are off or
    // the window is a sheet; then completion. It runs at most once in a controller's life.
    void closeAnimation(std::function<void()> completion);
    // Closes the window by program. A modeless controller is deleted afterwards; while a modal run
    // or an alert is open, its window hides at once and the rest waits for the runs to end.
    void close();
    // Closed, by program or by its close box: the window no longer counts as open.
    bool isClosed() const { return m_closed; }
    // On its way out: closed, shrinking, or a closing begun (beginClosing) that ends its run with a
    // code of its own. A close arriving meanwhile (the close box, Ctrl+W, a quit) does nothing more.
    bool isClosing() const { return m_closed || m_closingBegun || m_motion.isShrinking(); }

    // ---- Palette.

    StdWindowController* palette() const { return m_dock.palette(); }
    // Attaches the palette (owned from now on) and places it beside the window shortly.
    void attachePalette(StdWindowController* palette, StdWindowController* parentDelegate);
    // Told by the attached palette when it closes.
    void paletteWillClose() { m_dock.paletteWillClose(); }
    // Called (by name, by the window) when the user has finished moving the window.
    Q_INVOKABLE void windowDidMove() { m_dock.windowDidMove(); }
    Q_INVOKABLE void didEndDraggingWindow() { windowDidMove(); }
    // Moves the window down out of the way of the tool palette (a broadcast, also).
    Q_INVOKABLE virtual void ASSUME_BOUND(const QVariant& toolPalette);

    // ---- Printing.

    // The Print command of every window: willPrint, then the print with the window's print-view
    // class and the program's options panel (StdWindowPrinter).
    Q_INVOKABLE virtual void IMPRIMER(QObject* sender);
    void STD_IMPRIMER();

    // ---- Key and main state (the window's activation).

    virtual void windowDidBecomeKey();
    virtual void windowDidResignKey();
    virtual void windowDidBecomeMain();
    virtual void windowDidResignMain();

    // ---- Hooks a subclass overrides.

    // The window's resize steps.
    virtual QSizeF getContentIncrement() const { return QSizeF(1.0, 1.0); }
    virtual bool animatesWhenAppear() const { return true; }
    virtual bool animatesWhenClose() const { return true; }
    virtual bool soundWhenAppear() const { return true; }
    virtual bool soundWhenClose() const { return true; }
    // Closes the attached palette and runs the close animation. Called once, as the window closes
    // or, when it closes while a run is open, once the runs have ended.
    virtual void windowWillClose();
    // The user closes the window: answers whether it may close; windowWillClose follows.
    virtual bool windowShouldClose();
    virtual void willAwakeFromNib() { }
    virtual void didAwakeFromNib();
    virtual bool canAdjustHeight() const { return false; }
    virtual void adjustHeight(bool animate) { Q_UNUSED(animate); }
    virtual bool can_imprimer() const { return false; }
    virtual long preferedOrientation() const { return 0; } // portrait
    virtual bool canFondsColores() const { return false; }
    virtual bool canTextesColores() const { return false; }
    virtual bool canPrintGroupees() const { return false; }
    virtual bool canAddBorders() const { return false; }
    virtual bool canPrintImages() const { return false; }
    virtual void willSpoolPrintOperation(PrintOperation& operation) { Q_UNUSED(operation); }
    virtual void didSpoolPrintOperation(PrintOperation& operation) { Q_UNUSED(operation); }
    virtual void willPrint() { }
    // The print view's class (a PrintView subclass); none for a window that doesn't print.
    virtual const QMetaObject* classForPrinting() const { return nullptr; }
    virtual bool canCopySomething() const { return false; }
    virtual bool canPasteSomething() const { return false; }
    virtual bool canCutSomething() const { return false; }
    virtual bool canSelectAllSomething() const { return false; }
    virtual bool canDeleteSomething() const { return false; }
    // A key the window's table or field did not handle; answers whether it was handled.
    virtual bool didKeyDown(QObject* sender, int key);
    virtual void hiliteControls(bool hilite) { Q_UNUSED(hilite); }
    // Shows the window data in the controls; the base shows the currency and every connected
    // picker.
    virtual void FILL() { m_pickers.FILL(); }
    // Reads the controls back; false keeps the window open. The base reads the dates.
    virtual bool READ() { return m_pickers.READ(); }
    virtual bool shouldShowPalette() const { return true; }
    // The control that has the keyboard as the window opens, for a window that opens on a field of
    // its choice; null (the base) for the first control of the window's order that takes typing
    // (firstKeyStop).
    virtual QWidget* initialFirstResponder() const { return nullptr; }
    virtual void didPlacePalette() { }
    // The window went to another screen (a broadcast, also): the palette is placed again.
    Q_INVOKABLE virtual void didChangeScreen();

protected:
    // A window whose closing takes steps before its run ends (a panel sliding out, the shrinking)
    // says so as the first begins.
    void beginClosing();
    // Lays out the window's controls; the base has none.
    virtual void buildInterface(StdWindow& window) { Q_UNUSED(window); }
    // After the window is built: the window's own set-up, then the modal run of a modal
    // controller.
    virtual void windowDidLoad();

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void loadWindow();
    void awakeFromNib();
    void placeKeyboard();
    void showPushed(bool appear, bool plainShowForMetadata);
    void userDidClose();
    void closeOnceRunsEnd();
    void forgetWindow();
    void watchScreen();
    static long runModalPush(StdWindowController* controller, StdWindowController* parent, WindowDataPtr data,
                             long devise, long* result, const ModalBlock& block);

    QPointer<StdWindow> m_forWindow;
    WindowDataPtr m_forData;
    SORVARGrec m_arg;
    bool m_modal = false;
    bool m_appear = false;
    bool m_duringClosingProcess = false;
    bool m_belongsToApplication = false;
    long m_currentOrientation = 0;
    bool m_awakeDone = false;
    long m_devise = 0;
    double m_date1 = 0;
    double m_date2 = 0;
    long m_modalResult = 0;

    QPointer<StdWindow> m_window;
    bool m_closed = false;
    bool m_closingBegun = false;
    bool m_watchingScreen = false;

    StdWindowPickers m_pickers {*this};
    StdActionDispatcher m_actions {*this};
    StdWindowMotion m_motion {*this};
    StdPaletteDock m_dock {*this};
};

// The first open window, in window order, whose controller is of the class (or, with exactClass,
// of exactly that class) and whose argument block matches every identifier given; -1 matches
// anything. Null when none matches.
StdWindowController* findOpenWindowController(const QMetaObject& controllerClass, long debitID, long dossierID,
                                              long posteID, long moyenID, long chronoID, long titreID, long remunereID,
                                              long empruntID, bool exactClass = false);

template <class C>
C* findOpenWindowController(long debitID, long dossierID, long posteID, long moyenID, long chronoID, long titreID,
                            long remunereID, long empruntID)
{
    return static_cast<C*>(findOpenWindowController(C::staticMetaObject, debitID, dossierID, posteID, moyenID, chronoID,
                                                    titreID, remunereID, empruntID, false));
}

// For a class that must never be confused with its subclasses (or they with it).
template <class C>
C* findOpenWindowControllerExact(long debitID, long dossierID, long posteID, long moyenID, long chronoID, long titreID,
                                 long remunereID, long empruntID)
{
    return static_cast<C*>(findOpenWindowController(C::staticMetaObject, debitID, dossierID, posteID, moyenID, chronoID,
                                                    titreID, remunereID, empruntID, true));
}

// The controller when its window is open: null for none and for one closed while a run was open,
// which lives on, hidden, until the runs end. For the windows that keep their one open controller.
template <class C> C* stillOpen(C* controller)
{
    return controller && !controller->isClosed() ? controller : nullptr;
}

// ---------------------------------------------------------------------------------------------

template <class C> C* StdWindowController::push(WindowDataPtr data, long devise, bool appear)
{
    static_assert(std::is_base_of_v<StdWindowController, C>);
    auto* controller = new C;
    controller->initWithForWindow(nullptr, std::move(data), devise, false, appear);
    controller->showPushed(appear, true);
    return controller;
}

template <class C>
void StdWindowController::pushAnimated(WindowDataPtr data, long devise, bool appear, std::function<void(C*)> endBlock)
{
    static_assert(std::is_base_of_v<StdWindowController, C>);
    auto* controller = new C;
    controller->initWithForWindow(nullptr, std::move(data), devise, false, appear);
    controller->showPushed(appear, false);
    if (endBlock)
        endBlock(controller);
}

template <class C>
long StdWindowController::pushModal(StdWindowController* parent, const WindowDataPtr& data, long devise, long* result)
{
    static_assert(std::is_base_of_v<StdWindowController, C>);
    return runModalPush(new C, parent, data, devise, result, {});
}

template <class C>
void StdWindowController::pushModalWithBlock(StdWindowController* parent, const WindowDataPtr& data, long devise,
                                             const ModalBlock& block)
{
    static_assert(std::is_base_of_v<StdWindowController, C>);
    runModalPush(new C, parent, data, devise, nullptr, block);
}
