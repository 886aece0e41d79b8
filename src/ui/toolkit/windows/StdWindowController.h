#pragma once
// The base of every window controller. A controller owns one top-level StdWindow, built the first
// time it is asked for (window()); it is opened only through the push operations, modeless or
// modal, with the window data and the currency slot its amounts are shown in, and it carries the
// argument block by which an open window is found again.
//
// Building a window: a subclass lays out its controls in buildInterface(), giving each control
// the name its code knows it by as objectName (found back with outlet()) and each button or menu
// item the name of its action in the property "sv_action" ("OUI:", "CREER:"). The base connects
// those to perform(), which calls the controller's Q_INVOKABLE member of that name without the
// colon, taking the sender (QObject*) or nothing; Return, when no control takes it, presses the
// window's default button. Then the wake-up hooks run once and FILL shows the data; a modal
// controller then runs its modal loop, still inside that first request for the window, and the
// push reads the result when the loop ends.
//
// Result codes of a modal window: OUI: ends with 1, NON: with 0, a third button with 2, a fourth
// with 3; a window that picks one entity ends OUI: with its identifier and NON: with -1.
#include "toolkit/host/SORVARGrec.h"
#include "toolkit/windows/StdWindow.h"
#include "toolkit/windows/StdWindowPickers.h"
#include "toolkit/host/WindowData.h"
#include "toolkit/fields/editvalidation.h"

#include <QObject>
#include <QPointer>
#include <QSizeF>
#include <QString>
#include <QVariant>

#include <functional>
#include <memory>
#include <type_traits>

class PrintOperation;
class PrintView;
class QKeyEvent;
class QMenu;
class QMouseEvent;
class StdWindowController;
struct PrintInfo;

// What the windows tell the application delegate and ask of it. The application installs one;
// without one the notifications go nowhere and there is no tool palette.
class IWindowAppDelegate {
public:
    virtual ~IWindowAppDelegate() = default;
    virtual void windowDidBecomeMain(StdWindow* window) = 0;
    virtual void windowDidResignMain(StdWindow* window) = 0;
    // The tool palette while it is open, else null.
    virtual StdWindowController* getPaletteTool() = 0;
    // Edits the conversions of the amount the item stands for (its represented object), for the
    // window.
    virtual void EDIT_CONVERSION(StdWindow* window, QObject* item)
    {
        Q_UNUSED(window);
        Q_UNUSED(item);
    }
    // The hidden chord (Control, Option and Command held on a click in a window's background).
    virtual void doAuteur(StdWindow* window) { Q_UNUSED(window); }
};
void setWindowAppDelegate(IWindowAppDelegate* delegate);
IWindowAppDelegate* windowAppDelegate();

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
    static long pushModal(StdWindowController* parent, WindowDataPtr data, long devise, long* result = nullptr);
    // As pushModal, handing the result to the block after the window has closed.
    template <class C>
    static void pushModalWithBlock(StdWindowController* parent, WindowDataPtr data, long devise, ModalBlock block);

    // The designated set-up of a new controller, done by the pushes.
    void initWithForWindow(StdWindow* forWindow, WindowDataPtr data, long devise, bool modal, bool appear);

    // ---- The window.

    // The window, built (with the wake-up, FILL and, for a modal controller, the modal run) on
    // the first request.
    StdWindow* window();
    StdWindow* windowIfLoaded() const { return m_window; }
    bool isWindowLoaded() const { return m_window != nullptr; }
    // The control of that name in the window; null when absent or the window is not built.
    template <class W = QWidget> W* outlet(const QString& name) const
    {
        return m_window ? m_window->findChild<W*>(name) : nullptr;
    }

    // ---- Actions.

    // Calls the action named (with or without its colon) with the sender; false when the
    // controller has no such action.
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
    void getPlacementFilter(bool* titreFilter, bool* remunereFilter, bool* empruntFilter) const;
    void setPlacementFilter(bool titreFilter, bool remunereFilter, bool empruntFilter);

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

    // ---- Standard pickers.

    // The identifiers the window's pickers chose, and their fills.
    StdWindowPickers& pickers() { return m_pickers; }
    const StdWindowPickers& pickers() const { return m_pickers; }
    // The text size of the pickers' fields, also asked by the window's text views.
    Q_INVOKABLE virtual double defaultFontSize() const { return 13.0; }

    // The pickers' actions, sent by their pop-ups and completing views with the item chosen
    // (whose tag is the ident). A window that does more on a choice overrides the action and
    // calls the base's. Inside a controller these names hide the entity classes they share
    // (POSTE, DOSSIER, MOYEN, VARIANTE, TAXE, TITRE, REMUNERE, EMPRUNT, ECHEANCIER): write
    // ::POSTE there.
    Q_INVOKABLE virtual void DEVISE(QObject* sender) { m_pickers.DEVISE(sender); }
    Q_INVOKABLE virtual void EDIT_CONVERSION(QObject* sender) { m_pickers.EDIT_CONVERSION(sender); }
    Q_INVOKABLE virtual void POSTE(QObject* sender) { m_pickers.POSTE(sender); }
    Q_INVOKABLE virtual void CREATE_POSTE(QObject* sender) { m_pickers.CREATE_POSTE(sender); }
    Q_INVOKABLE virtual void CHOOSE_DOSSIER(QObject* sender) { Q_UNUSED(sender); }
    Q_INVOKABLE virtual void BDEBIT(QObject* sender) { m_pickers.BDEBIT(sender); }
    Q_INVOKABLE virtual void BCREDIT(QObject* sender) { m_pickers.BCREDIT(sender); }
    Q_INVOKABLE virtual void DEBIT(QObject* sender) { m_pickers.DEBIT(sender); }
    Q_INVOKABLE virtual void CREDIT(QObject* sender) { m_pickers.CREDIT(sender); }
    Q_INVOKABLE virtual void CREATE_COMPTED(QObject* sender) { m_pickers.CREATE_COMPTED(sender); }
    Q_INVOKABLE virtual void CREATE_COMPTEC(QObject* sender) { m_pickers.CREATE_COMPTEC(sender); }
    Q_INVOKABLE virtual void DOSSIER(QObject* sender) { m_pickers.DOSSIER(sender); }
    Q_INVOKABLE virtual void VARIANTE(QObject* sender) { m_pickers.VARIANTE(sender); }
    Q_INVOKABLE virtual void MOYEN(QObject* sender) { m_pickers.MOYEN(sender); }
    Q_INVOKABLE virtual void TAXE(QObject* sender) { m_pickers.TAXE(sender); }
    Q_INVOKABLE virtual void TITRE(QObject* sender) { m_pickers.TITRE(sender); }
    Q_INVOKABLE virtual void REMUNERE(QObject* sender) { m_pickers.REMUNERE(sender); }
    Q_INVOKABLE virtual void EMPRUNT(QObject* sender) { m_pickers.EMPRUNT(sender); }
    Q_INVOKABLE virtual void NO_PLACEMENT(QObject* sender)
    {
        Q_UNUSED(sender);
        m_pickers.NO_PLACEMENT();
    }
    Q_INVOKABLE virtual void CATEGORIED(QObject* sender) { m_pickers.CATEGORIED(sender); }
    Q_INVOKABLE virtual void CATEGORIEC(QObject* sender) { m_pickers.CATEGORIEC(sender); }
    Q_INVOKABLE virtual void ECHEANCIER(QObject* sender) { m_pickers.ECHEANCIER(sender); }
    // The date picker on the first (second) date's fields; the focus then moves on.
    Q_INVOKABLE virtual void CALENDRIER1(QObject* sender)
    {
        Q_UNUSED(sender);
        m_pickers.CALENDRIER1();
    }
    Q_INVOKABLE virtual void CALENDRIER2(QObject* sender)
    {
        Q_UNUSED(sender);
        m_pickers.CALENDRIER2();
    }

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
    // Closes the window by program. A modeless controller is deleted afterwards.
    void close();

    // ---- Palette.

    // Attaches the palette (owned from now on) and places it beside the window shortly.
    void attachePalette(StdWindowController* palette, StdWindowController* parentDelegate);
    StdWindowController* palette() const { return m_palette; }
    // Told by the attached palette when it closes.
    void paletteWillClose();
    bool paletteIsPlaced() const { return m_paletteIsPlaced; }
    void setPaletteIsPlaced(bool placed) { m_paletteIsPlaced = placed; }
    // Places the palette's window left of this one.
    void PLACE_PALETTE();
    void FIRE_TIMER_PLACE_PALETTE();
    void FIRE_TIMER_ASSUME_BOUND(StdWindowController* toolPalette);
    // Called when the user has finished moving the window.
    Q_INVOKABLE void windowDidMove();
    Q_INVOKABLE void didEndDraggingWindow() { windowDidMove(); }
    // Moves the window down out of the way of the tool palette (a broadcast, also).
    Q_INVOKABLE virtual void ASSUME_BOUND(const QVariant& toolPalette);
    // The frame (Qt's, in screen coordinates) that keeps clear of the palette's window.
    QRect assumedBound(const QWidget* paletteWindow, const QRect& frame) const;
    // The frame a zoom gives the window: the default frame, kept clear of the tool palette.
    QRect windowWillUseStandardFrame(const QRect& defaultFrame) const;
    // The window was resized: a window of the normal level keeps clear of the tool palette.
    virtual void windowDidResize();

    // ---- Printing.

    // The Print command of every window: willPrint, then STD_IMPRIMER_NEW with the window's
    // print-view class and the program's options panel.
    Q_INVOKABLE virtual void IMPRIMER(QObject* sender);
    void STD_IMPRIMER();
    // Prints the window with a view of the class (a PrintView whose invokable constructor takes
    // the controller): the print information comes from the application parameters, the view
    // lays out its pages, the print panel runs (with the options panel when accessories is set),
    // and the options go back to the parameters, saved, whether or not anything was printed. A
    // class that makes no print view stops the print silently.
    void STD_IMPRIMER_NEW(const QMetaObject* printClass, bool accessories);
    // Gives the print information the window's orientation and the margins and print options of
    // the application parameters.
    void changePrintInfoIfNecessary(PrintInfo& info) const;
    // Takes the orientation back and saves the options and margins of the operation, printed or
    // not, into the application parameters.
    void printOperationDidRun(PrintOperation& operation, bool success);

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
    // Closes the attached palette and runs the close animation.
    virtual void windowWillClose();
    // The user closes the window: answers whether it may close.
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
    virtual void didPlacePalette() { }
    // The window went to another screen (a broadcast, also).
    Q_INVOKABLE virtual void didChangeScreen();

protected:
    // Lays out the window's controls; the base has none.
    virtual void buildInterface(StdWindow& window) { Q_UNUSED(window); }
    // After the window is built: the window's own set-up, then the modal run of a modal
    // controller.
    virtual void windowDidLoad();

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void loadWindow();
    void awakeFromNib();
    void connectActions();
    void showPushed(bool appear, bool plainShowForMetadata);
    void orderFront();
    void playCloseSoundOnce();
    bool clickDefaultButton(const QKeyEvent* event);
    void userDidClose();
    void forgetWindow();
    static long runModalPush(StdWindowController* controller, StdWindowController* parent, WindowDataPtr data,
                             long devise, long* result, const ModalBlock& block);
    void waitForCloseAnimation();
    PrintView* newPrintView(const QMetaObject* printClass);
    StdWindowController* toolPalette() const;
    void windowDidZoom();

    QPointer<StdWindow> m_forWindow;
    WindowDataPtr m_forData;
    SORVARGrec m_arg;
    bool m_modal = false;
    bool m_appear = false;
    bool m_duringClosingProcess = false;
    bool m_belongsToApplication = false;
    bool m_theFilterTitre = true;
    bool m_theFilterRemunere = true;
    bool m_theFilterEmprunt = true;
    long m_currentOrientation = 0;
    bool m_awakeDone = false;
    bool m_paletteIsPlaced = false;
    long m_devise = 0;
    QPointer<StdWindowController> m_palette;
    double m_date1 = 0;
    double m_date2 = 0;
    long m_modalResult = 0;
    StdWindowPickers m_pickers {*this};

    QPointer<StdWindow> m_window;
    bool m_loading = false;
    bool m_closed = false;
    bool m_closeAnimationRun = false;
    bool m_closeSoundPlayed = false;
    bool m_watchingScreen = false;
    bool m_keepingClear = false;
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
long StdWindowController::pushModal(StdWindowController* parent, WindowDataPtr data, long devise, long* result)
{
    static_assert(std::is_base_of_v<StdWindowController, C>);
    return runModalPush(new C, parent, std::move(data), devise, result, {});
}

template <class C>
void StdWindowController::pushModalWithBlock(StdWindowController* parent, WindowDataPtr data, long devise,
                                             ModalBlock block)
{
    static_assert(std::is_base_of_v<StdWindowController, C>);
    runModalPush(new C, parent, std::move(data), devise, nullptr, block);
}
