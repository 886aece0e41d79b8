#include "toolkit/windows/StdWindowController.h"

#include "toolkit/fields/LineSelectionKeeper.h"
#include "toolkit/fields/StdTextView.h"
#include "toolkit/fields/shownorder.h"
#include "toolkit/host/UiHost.h"
#include "toolkit/host/X11WindowManager.h"
#include "toolkit/popups/StdPopUp.h"
#include "toolkit/windows/StdFrameFollower.h"
#include "toolkit/windows/StdWindowPlacement.h"
#include "toolkit/windows/StdWindowPrinter.h"

#include "document/APPLIPARAM.h"
#include "foundation/broadcast.h"

#include <QAbstractItemView>
#include <QAction>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QWindow>

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

// Whether the controller's block shows what the identifiers ask for; -1 matches anything.
bool argumentsMatch(const SORVARGrec& arg, long debitID, long dossierID, long posteID, long moyenID, long chronoID,
                    long titreID, long remunereID, long empruntID)
{
    const std::pair<long, long> pairs[] = {
        {debitID, arg.debitID},   {dossierID, arg.dossierID}, {posteID, arg.posteID},       {moyenID, arg.moyenID},
        {chronoID, arg.chronoID}, {titreID, arg.titreID},     {remunereID, arg.remunereID}, {empruntID, arg.empruntID},
    };
    return std::all_of(std::begin(pairs), std::end(pairs),
                       [](const auto& p) { return p.first == -1 || p.first == p.second; });
}

// Every appearance of a window passes here (a push, a window brought to the front, a modal run,
// a frame the window memory put back), so none opens out of reach.
void keepOnScreen(const StdWindowController& controller)
{
    if (StdWindow* window = controller.windowIfLoaded())
        StdWindowPlacement::keepOnScreen(window, controller.isSheet() ? controller.getForWindow() : nullptr);
}

// The text of the field a window opens on, selected so that the first key typed replaces it: a
// text view as it becomes first responder, a line edit likewise (the caret at the end of lines it
// holds). Any other control (a note of several lines, a list, a pop-up) keeps what it shows.
void selectForFirstKey(QWidget* field)
{
    if (auto* view = qobject_cast<StdTextView*>(field)) {
        view->selectForTyping();
    } else if (auto* line = qobject_cast<QLineEdit*>(field)) {
        if (StdTextView::hasLineBreak(line->text()))
            line->end(false);
        else
            line->selectAll();
    }
}

// Return in a list opens its row as a double click does, never the window's default button: a
// list that leaves the key to its window (one of Qt's own, or one whose window hears no keys from
// it) would otherwise end the run as OK. With no row selected, the key does nothing.
bool keyReachesWindow(QWidget& window, const QKeyEvent& event)
{
    auto* list = qobject_cast<QAbstractItemView*>(window.focusWidget());
    const bool plainReturn = (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter)
        && (event.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (!list || !plainReturn)
        return StdActionDispatcher::clickDefaultButton(window, event);
    const QModelIndex current = list->currentIndex();
    const QModelIndexList selected
        = list->selectionModel() ? list->selectionModel()->selectedIndexes() : QModelIndexList();
    const QModelIndex row = selected.contains(current) ? current : selected.value(0);
    if (row.isValid())
        emit list->doubleClicked(row);
    return true;
}

} // namespace

StdWindowController* findOpenWindowController(const QMetaObject& controllerClass, long debitID, long dossierID,
                                              long posteID, long moyenID, long chronoID, long titreID, long remunereID,
                                              long empruntID, bool exactClass)
{
    for (QObject* object : registeredWindowControllers()) {
        auto* controller = qobject_cast<StdWindowController*>(object);
        if (!controller)
            continue;
        const QMetaObject* meta = controller->metaObject();
        const bool classMatches = exactClass ? meta == &controllerClass : meta->inherits(&controllerClass);
        if (classMatches
            && argumentsMatch(controller->getArg(), debitID, dossierID, posteID, moyenID, chronoID, titreID, remunereID,
                              empruntID))
            return controller;
    }
    return nullptr;
}

// ---------------------------------------------------------------------------------------------
// Creation

StdWindowController::StdWindowController()
{
    m_actions.addHelper(&m_pickers);
}

// The window's destruction still sends events to it and its controls (they hide): this
// controller, half gone by now, must no longer hear them.
StdWindowController::~StdWindowController()
{
    unregisterWindowController(this);
    StdWindow* window = m_window.data();
    if (!window)
        return;
    window->removeEventFilter(this);
    const auto controls = window->findChildren<QObject*>();
    for (QObject* control : controls)
        control->removeEventFilter(this);
    window->setController(nullptr);
    delete window;
}

void StdWindowController::initWithForWindow(StdWindow* forWindow, WindowDataPtr data, long devise, bool modal,
                                            bool appear)
{
    m_devise = devise;
    m_forWindow = forWindow;
    m_forData = std::move(data);
    m_modal = modal;
    m_appear = appear;
}

// ---------------------------------------------------------------------------------------------
// Building the window

StdWindow* StdWindowController::window()
{
    if (!m_window && !m_closed)
        loadWindow();
    return m_window;
}

// The window joins the window order (and so the broadcast) as soon as it exists, so that it hears
// the broadcasts sent while it runs modally.
void StdWindowController::loadWindow()
{
    m_window = new StdWindow;
    m_window->setController(this);
    m_window->installEventFilter(this);
    registerWindowController(this);
    buildInterface(*m_window);
    m_pickers.bindControls(*m_window);
    awakeFromNib();
    windowDidLoad();
}

void StdWindowController::awakeFromNib()
{
    if (!m_awakeDone)
        willAwakeFromNib();
    m_actions.connectAll(*m_window);
    if (!m_awakeDone)
        didAwakeFromNib();
    m_awakeDone = true;
}

void StdWindowController::didAwakeFromNib()
{
    m_currentOrientation = preferedOrientation();
    m_belongsToApplication = false;
    FILL();
}

// Built and filled, the window takes the keyboard in the order it shows its controls.
void StdWindowController::windowDidLoad()
{
    m_window->initialize();
    placeKeyboard();
    const QSizeF increment = getContentIncrement();
    m_window->setSizeIncrement(int(std::lround(increment.width())), int(std::lround(increment.height())));
    if (!m_modal)
        return;
    adjustHeight(false);
    keepOnScreen(*this);
    const ModalRequest request {m_window, m_forWindow, isSheet(), this};
    m_modalResult = UiHost::instance().modal().run(request);
}

// Activated with no field of its own, a window gives the keyboard to the first Tab stop after
// itself in its focus chain: the chain goes round in the order shown, but the window stays where
// its first-made control was (a help button made first and shown last). So every window, modal or
// not, is given its first field before it shows; Qt focuses it as the window becomes active.
// Whether the window chose the field or its order gave it, its text is selected as a Tab selects
// it, so that a key typed at once replaces what it holds: Qt itself selects a line edit's text
// only on a Tab. The window's line edits keep their selection while it is in the background
// (LineSelectionKeeper). A palette never takes the keyboard.
void StdWindowController::placeKeyboard()
{
    orderFocusChain(m_window);
    if (m_window->windowFlags().testFlag(Qt::WindowDoesNotAcceptFocus))
        return;
    for (QLineEdit* line : m_window->findChildren<QLineEdit*>())
        LineSelectionKeeper::keep(line);
    QWidget* first = initialFirstResponder();
    if (!first)
        first = firstKeyStop(m_window);
    if (!first)
        return;
    first->setFocus(Qt::OtherFocusReason);
    selectForFirstKey(first);
}

// ---------------------------------------------------------------------------------------------
// Actions

void StdWindowController::connectAction(QObject* control, const QString& action)
{
    m_actions.connectControl(control, action);
}

bool StdWindowController::perform(const QString& action, QObject* sender)
{
    return m_actions.perform(action, sender);
}

void StdWindowController::endModal(long code)
{
    if (m_window)
        UiHost::instance().modal().endModal(m_window, int(code));
}

void StdWindowController::OUI(QObject* sender)
{
    Q_UNUSED(sender);
    if (READ())
        endModal(1);
}

void StdWindowController::NON(QObject* sender)
{
    Q_UNUSED(sender);
    endModal(0);
}

void StdWindowController::AUTRE(QObject* sender)
{
    Q_UNUSED(sender);
    endModal(2);
}

void StdWindowController::INVALIDER(QObject* sender)
{
    Q_UNUSED(sender);
    endModal(3);
}

bool StdWindowController::didKeyDown(QObject* sender, int key)
{
    Q_UNUSED(sender);
    Q_UNUSED(key);
    return false;
}

// ---------------------------------------------------------------------------------------------
// Showing

// A plain push brings a metadata window to the front as it is, without sliding it in.
void StdWindowController::showPushed(bool appear, bool plainShowForMetadata)
{
    if (!appear)
        return;
    if (plainShowForMetadata && inherits("FenMetadataController"))
        orderFront();
    else
        appearWindowAnimated(true, {});
}

void StdWindowController::orderFront()
{
    StdWindow* shown = window();
    // A window closed while a run was open lives on hidden until the run ends: it never comes back.
    if (!shown || m_closed)
        return;
    keepOnScreen(*this);
    shown->show();
    shown->raise();
    // A palette stays out of the keyboard's way: the window that has it keeps it.
    if (!shown->windowFlags().testFlag(Qt::WindowDoesNotAcceptFocus))
        shown->activateWindow();
}

void StdWindowController::appearWindowAnimated(bool adjust, const std::function<void()>& didAnimate)
{
    m_motion.appear(adjust, didAnimate);
}

// ---------------------------------------------------------------------------------------------
// Closing

void StdWindowController::beginClosing()
{
    m_closingBegun = true;
    if (UiHost* host = UiHost::installed(); host && m_window)
        host->runBeginsClosing(m_window);
}

void StdWindowController::closeAnimation(std::function<void()> completion)
{
    m_motion.closeAnimation(std::move(completion));
}

void StdWindowController::windowWillClose()
{
    unregisterWindowController(this);
    m_dock.closePalette();
    if (animatesWhenClose())
        closeAnimation({});
}

bool StdWindowController::windowShouldClose()
{
    m_duringClosingProcess = true;
    return true;
}

void StdWindowController::close()
{
    if (m_closed)
        return;
    m_closed = true;
    closeOnceRunsEnd();
}

// The close box: the window has agreed to close (windowShouldClose) and Qt hides it. A modal run
// ends with 0, as NON: would end it.
void StdWindowController::userDidClose()
{
    m_closed = true;
    if (!m_modal) {
        closeOnceRunsEnd();
        return;
    }
    windowWillClose();
    endModal(0);
}

// Code of an open run may still be working on a modeless window closed meanwhile: the action
// waiting for its question's answer (its table's double-click or key handler still on the stack),
// or the window's own alert, a child of the window. Which window a run's code works on is not
// known, so every run counts: the window leaves the screen and the window order at once (no
// broadcast and no lookup finds it any more), and what its closing undoes (windowWillClose) and
// its deletion wait until the outermost run has ended and the event loop has come back. A modal
// window closes after its own run, from the code that ran it.
void StdWindowController::closeOnceRunsEnd()
{
    UiHost* host = UiHost::installed();
    if (m_modal || !host || host->modalDepth() == 0) {
        windowWillClose();
        forgetWindow();
        return;
    }
    unregisterWindowController(this);
    if (animatesWhenClose())
        closeAnimation({});
    if (StdWindowController* palette = m_dock.palette(); palette && palette->windowIfLoaded())
        palette->windowIfLoaded()->hide();
    if (m_window)
        m_window->hide();
    // A window running modally on itself (a list in a mode) ends that run, as its close box would.
    endModal(0);
    host->whenRunsEnd(this, [this] {
        windowWillClose();
        forgetWindow();
    });
}

// The window is hidden; a modeless controller then goes, and its window with it. A modal one
// stays until its push has read the result.
void StdWindowController::forgetWindow()
{
    if (m_window)
        m_window->hide();
    if (!m_modal)
        deleteLater();
}

// The push returns only once the window has closed, so it waits for the shrinking to end.
long StdWindowController::runModalPush(StdWindowController* controller, StdWindowController* parent, WindowDataPtr data,
                                       long devise, long* result, const ModalBlock& block)
{
    std::unique_ptr<StdWindowController> owner(controller);
    controller->initWithForWindow(parent ? parent->windowIfLoaded() : nullptr, std::move(data), devise, true, true);
    controller->m_motion.playOpenSound();
    controller->window();
    // A run ended from outside (a quit) while the window shrank on its own: the controller stays
    // until the shrinking is over.
    if (controller->animatesWhenClose() || controller->m_motion.isShrinking())
        controller->m_motion.waitForCloseAnimation();
    controller->m_motion.playCloseSoundOnce();
    if (controller->m_window)
        controller->m_window->hide();
    const long code = controller->m_modalResult;
    if (result)
        *result = code;
    // The window has shrunk already: closing it must not shrink it (nor sound) a second time.
    controller->m_motion.markCloseAnimationRun();
    controller->close();
    if (block)
        block(code);
    return code;
}

// ---------------------------------------------------------------------------------------------
// The window's events

bool StdWindowController::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Expose && m_dock.isPaletteHandle(watched))
        m_dock.paletteExposed();
    if (watched != m_window)
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::Close:
        if (isClosing() || !windowShouldClose()) {
            event->ignore();
            return true;
        }
        userDidClose();
        break;
    case QEvent::WindowActivate:
        windowDidBecomeKey();
        windowDidBecomeMain();
        break;
    case QEvent::WindowDeactivate:
        windowDidResignKey();
        windowDidResignMain();
        break;
    case QEvent::KeyPress:
        return keyReachesWindow(*m_window, *static_cast<QKeyEvent*>(event));
    case QEvent::Resize:
        // A frame the window manager gave in answer to one the program asked is final.
        if (StdFrameFollower::isFollowing(m_window))
            break;
        m_dock.windowDidResize();
        // A window that grew for its content (a longer list row, a wider footer) is placed again
        // as when it first appeared, rather than left running off the screen.
        if (m_window->isVisible() && !StdWindowPlacement::isWithinArea(m_window))
            keepOnScreen(*this);
        break;
    case QEvent::WindowStateChange:
        m_dock.windowDidZoom();
        break;
    case QEvent::MouseButtonPress:
        return mouseDown(static_cast<QMouseEvent*>(event));
    case QEvent::Show:
        // Before the window is mapped: what the window manager is told of it comes first.
        X11WindowManager::refuseFocus(m_window);
        StdFrameFollower::watch();
        StdWindowPlacement::placeWindowsBroughtForward();
        keepOnScreen(*this);
        watchScreen();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void StdWindowController::watchScreen()
{
    if (m_watchingScreen || !m_window->windowHandle())
        return;
    m_watchingScreen = true;
    connect(m_window->windowHandle(), &QWindow::screenChanged, this, [this] { didChangeScreen(); });
}

// ---------------------------------------------------------------------------------------------
// Key and main state

void StdWindowController::windowDidBecomeKey()
{
    hiliteControls(true);
    m_dock.windowDidBecomeKey();
}

void StdWindowController::windowDidResignKey()
{
    hiliteControls(false);
    m_dock.windowDidResignKey();
}

void StdWindowController::windowDidBecomeMain()
{
    if (IWindowAppDelegate* app = windowAppDelegate())
        app->windowDidBecomeMain(m_window);
}

void StdWindowController::windowDidResignMain()
{
    if (IWindowAppDelegate* app = windowAppDelegate())
        app->windowDidResignMain(m_window);
}

// ---------------------------------------------------------------------------------------------
// Palette

void StdWindowController::attachePalette(StdWindowController* palette, StdWindowController* parentDelegate)
{
    m_dock.attachePalette(palette, parentDelegate);
}

void StdWindowController::ASSUME_BOUND(const QVariant& toolPalette)
{
    m_dock.ASSUME_BOUND(qobject_cast<StdWindowController*>(toolPalette.value<QObject*>()));
}

void StdWindowController::didChangeScreen()
{
    if (m_dock.palette())
        m_dock.PLACE_PALETTE();
}

// ---------------------------------------------------------------------------------------------
// Mouse, menus and broadcasts

bool StdWindowController::mouseDown(const QMouseEvent* event)
{
    constexpr Qt::KeyboardModifiers chord = Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
    if ((event->modifiers() & chord) != chord)
        return false;
    if (IWindowAppDelegate* app = windowAppDelegate())
        app->doAuteur(m_window);
    return true;
}

void StdWindowController::menuNeedsUpdate(QMenu* menu)
{
    const auto* stdMenu = qobject_cast<StdMenu*>(menu);
    if (stdMenu && stdMenu->popup())
        stdMenu->popup()->menuNeedsUpdate(menu);
}

void StdWindowController::preferencesDidChange(const QVariant& /*arg1*/, const QVariant& /*arg2*/)
{
    adjustHeight(false);
    if (m_dock.palette() && APPLIPARAM::loadAppliParam().palette_aimant)
        m_dock.PLACE_PALETTE();
}

void StdWindowController::downAlphaIfNotEquals(const QVariant& controller, const QVariant& /*arg2*/)
{
    const QObject* keyController = controller.value<QObject*>();
    if (!m_window || keyController == this || (keyController && keyController->inherits("FenPaletteToolController")))
        return;
    m_window->setWindowOpacity(0.9);
}

void StdWindowController::newDevisePrincipale(const QVariant& slot, const QVariant& /*arg2*/)
{
    const long target = StdWindowPickers::slotAfterNewDevisePrincipale(m_devise, slot.toLongLong());
    if (target < 0)
        return;
    QAction item;
    item.setData(qlonglong(target));
    perform(QStringLiteral("DEVISE:"), &item);
}

// ---------------------------------------------------------------------------------------------
// Printing

void StdWindowController::IMPRIMER(QObject* sender)
{
    Q_UNUSED(sender);
    STD_IMPRIMER();
}

void StdWindowController::STD_IMPRIMER()
{
    willPrint();
    StdWindowPrinter(*this).STD_IMPRIMER_NEW(classForPrinting(), true);
}
