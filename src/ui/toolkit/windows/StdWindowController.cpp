#include "toolkit/windows/StdWindowController.h"

#include "toolkit/palettes/HelperSVPalette.h"
#include "toolkit/print/PrintAccessoryViewController.h"
#include "toolkit/print/PrintView.h"
#include "toolkit/media/SVSoundManager.h"
#include "toolkit/popups/StdPopUp.h"
#include "toolkit/host/UiHost.h"
#include "toolkit/drawing/geometry.h"

#include "document/APPLIPARAM.h"
#include "foundation/broadcast.h"
#include "foundation/diagnostics.h"

#include <QAbstractButton>
#include <QAction>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMetaMethod>
#include <QMouseEvent>
#include <QPushButton>
#include <QWindow>

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

IWindowAppDelegate* g_appDelegate = nullptr;

constexpr int kWindowAnimationMs = 250;
constexpr int kPaletteTimerMs = 100;
constexpr char kActionProperty[] = "sv_action";
constexpr char kConnectedProperty[] = "sv_action_connected";

// Screen rectangles as the placement formulas see them: y grows upward from the bottom of the
// visible screen, a rectangle's bottom is its y and its top y + height. One reference height
// serves every rectangle of a computation, so the formulas' comparisons hold as written.
struct UpRect {
    double x, y, width, height;
    double top() const { return y + height; }
};

double screenReferenceHeight()
{
    const QRect screen = UiHost::instance().screen().visibleFrame();
    return screen.y() + screen.height();
}

UpRect upFrame(const QRect& frame)
{
    const QRectF r = toBottomLeft(QRectF(frame), screenReferenceHeight());
    return UpRect {r.x(), r.y(), r.width(), r.height()};
}

QRect downFrame(const UpRect& frame)
{
    return fromBottomLeft(QRectF(frame.x, frame.y, frame.width, frame.height), screenReferenceHeight()).toRect();
}

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

} // namespace

void setWindowAppDelegate(IWindowAppDelegate* delegate)
{
    g_appDelegate = delegate;
}

IWindowAppDelegate* windowAppDelegate()
{
    return g_appDelegate;
}

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

StdWindowController::StdWindowController() = default;

StdWindowController::~StdWindowController()
{
    unregisterWindowController(this);
    delete m_palette.data();
    delete m_window.data();
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

void StdWindowController::getPlacementFilter(bool* titreFilter, bool* remunereFilter, bool* empruntFilter) const
{
    if (titreFilter)
        *titreFilter = m_theFilterTitre;
    if (remunereFilter)
        *remunereFilter = m_theFilterRemunere;
    if (empruntFilter)
        *empruntFilter = m_theFilterEmprunt;
}

void StdWindowController::setPlacementFilter(bool titreFilter, bool remunereFilter, bool empruntFilter)
{
    m_theFilterTitre = titreFilter;
    m_theFilterRemunere = remunereFilter;
    m_theFilterEmprunt = empruntFilter;
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
    awakeFromNib();
    windowDidLoad();
}

void StdWindowController::awakeFromNib()
{
    if (!m_awakeDone)
        willAwakeFromNib();
    connectActions();
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

void StdWindowController::windowDidLoad()
{
    m_window->initialize();
    const QSizeF increment = getContentIncrement();
    m_window->setSizeIncrement(int(std::lround(increment.width())), int(std::lround(increment.height())));
    if (!m_modal)
        return;
    adjustHeight(false);
    const ModalRequest request {m_window, m_forWindow, isSheet(), this};
    m_modalResult = UiHost::instance().modal().run(request);
}

// ---------------------------------------------------------------------------------------------
// Actions

void StdWindowController::connectActions()
{
    const auto buttons = m_window->findChildren<QAbstractButton*>();
    for (QAbstractButton* button : buttons) {
        const QString action = button->property(kActionProperty).toString();
        if (!action.isEmpty())
            connectAction(button, action);
    }
    const auto actions = m_window->findChildren<QAction*>();
    for (QAction* item : actions) {
        const QString action = item->property(kActionProperty).toString();
        if (!action.isEmpty())
            connectAction(item, action);
    }
}

void StdWindowController::connectAction(QObject* control, const QString& action)
{
    if (!control)
        return;
    control->setProperty(kActionProperty, action);
    if (control->property(kConnectedProperty).toBool())
        return;
    control->setProperty(kConnectedProperty, true);
    // The action is read at the click, so a control whose action changes needs no new connection.
    auto run = [this, control] { perform(control->property(kActionProperty).toString(), control); };
    if (auto* button = qobject_cast<QAbstractButton*>(control))
        connect(button, &QAbstractButton::clicked, this, run);
    else if (auto* item = qobject_cast<QAction*>(control))
        connect(item, &QAction::triggered, this, run);
    else
        svSoftAssertFailed("an action on a button or a menu item", __FILE__, __LINE__);
}

bool StdWindowController::perform(const QString& action, QObject* sender)
{
    QByteArray name = action.toLatin1();
    if (name.endsWith(':'))
        name.chop(1);
    const QMetaObject* meta = metaObject();
    int index = meta->indexOfMethod(name + "(QObject*)");
    if (index >= 0)
        return meta->method(index).invoke(this, Qt::DirectConnection, Q_ARG(QObject*, sender));
    index = meta->indexOfMethod(name + "()");
    if (index >= 0)
        return meta->method(index).invoke(this, Qt::DirectConnection);
    svLog(QStringLiteral("%1 has no action %2").arg(QString::fromLatin1(meta->className()), action));
    return false;
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
    if (!shown)
        return;
    shown->show();
    shown->raise();
    shown->activateWindow();
}

void StdWindowController::appearWindowAnimated(bool adjust, const std::function<void()>& didAnimate)
{
    const APPLIPARAM& parameters = APPLIPARAM::loadAppliParam();
    if (soundWhenAppear() && parameters.doSoundsOpen)
        SVSoundManager::sharedSVInstance().playSoundOpenWindow();
    orderFront();
    if (m_window && animatesWhenAppear() && parameters.doAnimations) {
        const QRect frame = m_window->geometry();
        m_window->setGeometry(QRect(-frame.width(), frame.y(), frame.width(), frame.height()));
        UiHost::instance().animator().animateWidget(m_window, {{frame, kWindowAnimationMs}}, {});
    }
    if (adjust)
        adjustHeight(false);
    if (didAnimate)
        didAnimate();
}

// ---------------------------------------------------------------------------------------------
// Closing

void StdWindowController::closeAnimation(std::function<void()> completion)
{
    const bool animates = !m_closeAnimationRun && m_window && !isSheet() && APPLIPARAM::loadAppliParam().doAnimations;
    if (!animates) {
        if (completion)
            completion();
        return;
    }
    m_closeAnimationRun = true;
    const QRectF frame(m_window->geometry());
    const QRect target(frame.center().toPoint(), QSize(0, 0));
    // The controller may be gone when a modeless window's shrinking ends.
    QPointer<StdWindowController> self(this);
    const bool sound = soundWhenClose();
    auto didShrink = [self, sound, completion = std::move(completion)] {
        if (sound && APPLIPARAM::loadAppliParam().doSoundsClose) {
            SVSoundManager::sharedSVInstance().playSoundCloseWindow();
            if (self)
                self->m_closeSoundPlayed = true;
        }
        if (completion)
            completion();
    };
    UiHost::instance().animator().animateWidget(m_window, {{target, kWindowAnimationMs}}, std::move(didShrink));
}

void StdWindowController::playCloseSoundOnce()
{
    if (m_closeSoundPlayed || !soundWhenClose() || !APPLIPARAM::loadAppliParam().doSoundsClose)
        return;
    m_closeSoundPlayed = true;
    SVSoundManager::sharedSVInstance().playSoundCloseWindow();
}

void StdWindowController::windowWillClose()
{
    unregisterWindowController(this);
    if (m_palette)
        m_palette->close();
    if (animatesWhenClose())
        closeAnimation({});
}

bool StdWindowController::windowShouldClose()
{
    m_duringClosingProcess = true;
    windowWillClose();
    return true;
}

void StdWindowController::close()
{
    if (m_closed)
        return;
    m_closed = true;
    windowWillClose();
    forgetWindow();
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

// The close box: the window has agreed to close (windowShouldClose) and Qt hides it. A modal run
// ends with 0, as NON: would end it.
void StdWindowController::userDidClose()
{
    m_closed = true;
    if (m_modal)
        endModal(0);
    else
        deleteLater();
}

long StdWindowController::runModalPush(StdWindowController* controller, StdWindowController* parent, WindowDataPtr data,
                                       long devise, long* result, const ModalBlock& block)
{
    std::unique_ptr<StdWindowController> owner(controller);
    const APPLIPARAM& parameters = APPLIPARAM::loadAppliParam();
    controller->initWithForWindow(parent ? parent->windowIfLoaded() : nullptr, std::move(data), devise, true, true);
    if (controller->soundWhenAppear() && parameters.doSoundsOpen)
        SVSoundManager::sharedSVInstance().playSoundOpenWindow();
    controller->window();
    if (controller->animatesWhenClose())
        controller->waitForCloseAnimation();
    controller->playCloseSoundOnce();
    if (controller->m_window)
        controller->m_window->hide();
    const long code = controller->m_modalResult;
    if (result)
        *result = code;
    // The window has shrunk already: closing it must not shrink it (nor sound) a second time.
    controller->m_closeAnimationRun = true;
    controller->close();
    if (block)
        block(code);
    return code;
}

// The push returns only once the window has closed, so it waits for the shrinking to end. Timers
// of the default mode keep waiting meanwhile, as they do during the modal run itself.
void StdWindowController::waitForCloseAnimation()
{
    auto done = std::make_shared<bool>(false);
    QEventLoop loop;
    closeAnimation([done, &loop] {
        *done = true;
        loop.quit();
    });
    if (*done)
        return;
    ModalRunScope scope;
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

// Return, which no control of the window took, presses the window's default button, as it does
// in any dialog.
bool StdWindowController::clickDefaultButton(const QKeyEvent* event)
{
    const bool isReturn = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (!isReturn || (event->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    const auto buttons = m_window->findChildren<QPushButton*>();
    for (QPushButton* button : buttons) {
        if (button->isDefault() && button->isEnabled() && button->window() == m_window) {
            button->click();
            return true;
        }
    }
    return false;
}

bool StdWindowController::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_window)
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::Close:
        if (m_closed || !windowShouldClose()) {
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
        if (clickDefaultButton(static_cast<QKeyEvent*>(event)))
            return true;
        break;
    case QEvent::Resize:
        windowDidResize();
        break;
    case QEvent::WindowStateChange:
        windowDidZoom();
        break;
    case QEvent::MouseButtonPress:
        if (mouseDown(static_cast<QMouseEvent*>(event)))
            return true;
        break;
    case QEvent::Show:
        if (!m_watchingScreen && m_window->windowHandle()) {
            m_watchingScreen = true;
            connect(m_window->windowHandle(), &QWindow::screenChanged, this, [this] { didChangeScreen(); });
        }
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------------------------
// Key and main state

void StdWindowController::windowDidBecomeKey()
{
    hiliteControls(true);
    if (m_palette && m_paletteIsPlaced && shouldShowPalette()) {
        if (StdWindow* paletteWindow = m_palette->window()) {
            paletteWindow->show();
            paletteWindow->raise();
        }
    }
}

void StdWindowController::windowDidResignKey()
{
    hiliteControls(false);
    if (m_palette && m_palette->windowIfLoaded())
        m_palette->windowIfLoaded()->hide();
}

void StdWindowController::windowDidBecomeMain()
{
    if (g_appDelegate)
        g_appDelegate->windowDidBecomeMain(m_window);
}

void StdWindowController::windowDidResignMain()
{
    if (g_appDelegate)
        g_appDelegate->windowDidResignMain(m_window);
}

// ---------------------------------------------------------------------------------------------
// Palette and the tool palette

void StdWindowController::attachePalette(StdWindowController* palette, StdWindowController* parentDelegate)
{
    if (m_palette && m_palette != palette)
        m_palette->deleteLater();
    m_palette = palette;
    if (palette)
        palette->setProperty("parentDelegate", QVariant::fromValue<QObject*>(parentDelegate));
    FIRE_TIMER_PLACE_PALETTE();
}

void StdWindowController::paletteWillClose()
{
    m_palette = nullptr;
}

void StdWindowController::FIRE_TIMER_PLACE_PALETTE()
{
    UiHost::instance().scheduler().after(
        kPaletteTimerMs, IScheduler::Mode::Default, [this] { PLACE_PALETTE(); }, this);
}

void StdWindowController::PLACE_PALETTE()
{
    if (!m_palette || !m_window)
        return;
    StdWindow* paletteWindow = m_palette->window();
    if (!paletteWindow)
        return;
    HelperSVPalette::placePalette(paletteWindow, m_window, HelperSVPalette::kPositionLeft);
    m_paletteIsPlaced = true;
    didPlacePalette();
}

void StdWindowController::didChangeScreen()
{
    if (m_palette)
        PLACE_PALETTE();
}

void StdWindowController::FIRE_TIMER_ASSUME_BOUND(StdWindowController* toolPalette)
{
    QPointer<StdWindowController> tool(toolPalette);
    UiHost::instance().scheduler().after(
        kPaletteTimerMs, IScheduler::Mode::Default,
        [this, tool] {
            if (tool)
                ASSUME_BOUND(QVariant::fromValue<QObject*>(tool.data()));
        },
        this);
}

void StdWindowController::windowDidMove()
{
    if (StdWindowController* tool = g_appDelegate ? g_appDelegate->getPaletteTool() : nullptr)
        FIRE_TIMER_ASSUME_BOUND(tool);
    if (APPLIPARAM::loadAppliParam().palette_aimant)
        FIRE_TIMER_PLACE_PALETTE();
}

void StdWindowController::ASSUME_BOUND(const QVariant& toolPalette)
{
    auto* tool = qobject_cast<StdWindowController*>(toolPalette.value<QObject*>());
    if (!m_window || !tool)
        return;
    m_window->setGeometry(assumedBound(tool->windowIfLoaded(), m_window->geometry()));
    if (APPLIPARAM::loadAppliParam().palette_aimant)
        PLACE_PALETTE();
}

// The tool palette sits at the top of the visible screen: a window reaching into its height moves
// down below it, and when that takes it past the bottom of the screen it is shortened instead.
QRect StdWindowController::assumedBound(const QWidget* paletteWindow, const QRect& frame) const
{
    if (!paletteWindow || paletteWindow == m_window)
        return frame;
    const UpRect screen = upFrame(UiHost::instance().screen().visibleFrame());
    const double paletteHeight = paletteWindow->geometry().height();
    UpRect bound = upFrame(frame);
    const long overlap = long(bound.top() - long(screen.top() - paletteHeight - 2));
    if (overlap <= 0)
        return frame;
    bound.y -= overlap;
    if (bound.y < screen.y) {
        const long below = long(screen.y - bound.y);
        bound.y += below;
        bound.height -= below;
    }
    return downFrame(bound);
}

StdWindowController* StdWindowController::toolPalette() const
{
    return g_appDelegate ? g_appDelegate->getPaletteTool() : nullptr;
}

QRect StdWindowController::windowWillUseStandardFrame(const QRect& defaultFrame) const
{
    const StdWindowController* tool = toolPalette();
    return tool ? assumedBound(tool->windowIfLoaded(), defaultFrame) : defaultFrame;
}

// Keeping clear of the palette resizes the window again: the guard stops that second pass.
void StdWindowController::windowDidResize()
{
    StdWindowController* tool = toolPalette();
    if (m_keepingClear || !tool || !m_window || !m_window->isVisible()
        || m_window->windowFlags().testFlag(Qt::WindowStaysOnTopHint))
        return;
    m_keepingClear = true;
    ASSUME_BOUND(QVariant::fromValue<QObject*>(tool));
    m_keepingClear = false;
}

// With the tool palette open a zoom takes the standard frame, below it, instead of the screen.
void StdWindowController::windowDidZoom()
{
    if (!m_window || !m_window->isMaximized() || !toolPalette())
        return;
    const QRect frame = windowWillUseStandardFrame(UiHost::instance().screen().visibleFrame());
    m_window->setWindowState(m_window->windowState() & ~Qt::WindowMaximized);
    m_window->setGeometry(frame);
}

// ---------------------------------------------------------------------------------------------
// Mouse, menus and broadcasts

bool StdWindowController::mouseDown(const QMouseEvent* event)
{
    constexpr Qt::KeyboardModifiers chord = Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
    if ((event->modifiers() & chord) != chord)
        return false;
    if (g_appDelegate)
        g_appDelegate->doAuteur(m_window);
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
    if (m_palette && APPLIPARAM::loadAppliParam().palette_aimant)
        PLACE_PALETTE();
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
    STD_IMPRIMER_NEW(classForPrinting(), true);
}

PrintView* StdWindowController::newPrintView(const QMetaObject* printClass)
{
    if (!printClass)
        return nullptr;
    QObject* object = printClass->newInstance(Q_ARG(StdWindowController*, this));
    auto* view = qobject_cast<PrintView*>(object);
    if (!view)
        delete object;
    return view;
}

void StdWindowController::STD_IMPRIMER_NEW(const QMetaObject* printClass, bool accessories)
{
    PrintInfo& shared = PrintInfo::sharedPrintInfo();
    changePrintInfoIfNecessary(shared);
    const std::unique_ptr<PrintView> view(newPrintView(printClass));
    if (!view)
        return;
    PrintOperation operation(view.get(), shared);
    view->setPrintOperation(&operation);
    view->spoolPrintOperation(operation);
    std::unique_ptr<PrintAccessoryViewController> accessory;
    if (accessories) {
        accessory = std::make_unique<PrintAccessoryViewController>(&operation, this);
        accessory->setRepresentedObject(operation.printInfo());
    }
    const bool printed = UiHost::instance().print().runPrintOperation({&operation, accessory.get(), m_window});
    accessory.reset();
    view->setPrintOperation(nullptr);
    // The paper and orientation chosen stay for the next print.
    shared = operation.printInfo();
    printOperationDidRun(operation, printed);
}

void StdWindowController::changePrintInfoIfNecessary(PrintInfo& info) const
{
    const APPLIPARAM& parameters = APPLIPARAM::loadAppliParam();
    info.setOrientation(m_currentOrientation);
    info.leftMargin = parameters.svOptionMargeLeft;
    info.topMargin = parameters.svOptionMargeTop;
    info.rightMargin = parameters.svOptionMargeRight;
    info.bottomMargin = parameters.svOptionMargeBottom;
    info.svOptionFondsColores = parameters.svOptionFondsColores;
    info.svOptionTextesColores = parameters.svOptionTextesColores;
    info.svOptionAddBorders = parameters.svOptionAddBorders;
    info.svOptionPrintImages = parameters.svOptionPrintImages;
    info.svOptionGroupees = parameters.svOptionGroupees;
    info.svOptionEchelle = parameters.svOptionEchelle;
}

void StdWindowController::printOperationDidRun(PrintOperation& operation, bool success)
{
    Q_UNUSED(success);
    const PrintInfo& info = operation.printInfo();
    m_currentOrientation = info.orientation;
    APPLIPARAM& parameters = APPLIPARAM::loadAppliParam();
    parameters.svOptionMargeLeft = float(info.leftMargin);
    parameters.svOptionMargeTop = float(info.topMargin);
    parameters.svOptionMargeRight = float(info.rightMargin);
    parameters.svOptionMargeBottom = float(info.bottomMargin);
    parameters.svOptionFondsColores = info.svOptionFondsColores;
    parameters.svOptionTextesColores = info.svOptionTextesColores;
    parameters.svOptionAddBorders = info.svOptionAddBorders;
    parameters.svOptionPrintImages = info.svOptionPrintImages;
    parameters.svOptionGroupees = info.svOptionGroupees;
    parameters.svOptionEchelle = float(info.svOptionEchelle.value_or(parameters.svOptionEchelle));
    APPLIPARAM::saveAppliParam();
}
