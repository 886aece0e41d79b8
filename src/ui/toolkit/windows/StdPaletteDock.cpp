#include "toolkit/windows/StdPaletteDock.h"

#include "toolkit/drawing/geometry.h"
#include "toolkit/host/UiHost.h"
#include "toolkit/host/X11WindowManager.h"
#include "toolkit/palettes/FenPaletteController.h"
#include "toolkit/palettes/HelperSVPalette.h"
#include "toolkit/windows/IWindowAppDelegate.h"
#include "toolkit/windows/StdWindowController.h"
#include "toolkit/windows/StdWindowPlacement.h"

#include "document/APPLIPARAM.h"

#include <QApplication>
#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace {

constexpr int kPaletteTimerMs = 100;
// Maps again of a palette the display withdrew, each time its window becomes key.
constexpr int kMapsPerActivation = 3;

// Screen rectangles as the placement formulas see them: y grows upward from the bottom of the
// screen, a rectangle's bottom is its y and its top y + height. One reference height serves every
// rectangle of a computation, so the formulas' comparisons hold as written.
struct UpRect {
    double x, y, width, height;
    double top() const { return y + height; }
};

UpRect upFrame(const QRect& frame, double referenceHeight)
{
    const QRectF r = toBottomLeft(QRectF(frame), referenceHeight);
    return UpRect {r.x(), r.y(), r.width(), r.height()};
}

QRect downFrame(const UpRect& frame, double referenceHeight)
{
    return fromBottomLeft(QRectF(frame.x, frame.y, frame.width, frame.height), referenceHeight).toRect();
}

bool paletteAimant()
{
    return APPLIPARAM::loadAppliParam().palette_aimant;
}

} // namespace

StdPaletteDock::StdPaletteDock(StdWindowController& owner)
    : m_owner(owner)
{
}

StdPaletteDock::~StdPaletteDock()
{
    delete m_palette.data();
}

// ---------------------------------------------------------------------------------------------
// The attached palette

StdWindowController* StdPaletteDock::palette() const
{
    return m_palette;
}

void StdPaletteDock::paletteWillClose()
{
    m_palette = nullptr;
}

void StdPaletteDock::attachePalette(StdWindowController* palette, StdWindowController* parentDelegate)
{
    if (m_palette && m_palette != palette)
        m_palette->deleteLater();
    m_palette = palette;
    if (palette)
        palette->setProperty("parentDelegate", QVariant::fromValue<QObject*>(parentDelegate));
    FIRE_TIMER_PLACE_PALETTE();
}

void StdPaletteDock::FIRE_TIMER_PLACE_PALETTE()
{
    UiHost::instance().scheduler().after(
        kPaletteTimerMs, IScheduler::Mode::Default, [this] { PLACE_PALETTE(); }, &m_owner);
}

void StdPaletteDock::PLACE_PALETTE()
{
    StdWindow* window = m_owner.windowIfLoaded();
    StdWindow* paletteWindow = m_palette && window ? m_palette->window() : nullptr;
    if (!paletteWindow)
        return;
    {
        const StdWindow::AnswerScope answer(window);
        const StdWindow::AnswerScope paletteAnswer(paletteWindow);
        const auto* docked = qobject_cast<const FenPaletteController*>(m_palette.data());
        if (docked && docked->docked())
            dockAtBottom(paletteWindow);
        else
            HelperSVPalette::placePalette(paletteWindow, window, HelperSVPalette::kPositionLeft);
    }
    const bool first = !m_paletteIsPlaced;
    m_paletteIsPlaced = true;
    // A window manager quick to give a new window the keyboard gives it before its palette is
    // placed: the palette shows now.
    if (first && window->isActiveWindow())
        windowDidBecomeKey();
    m_owner.didPlacePalette();
}

int StdPaletteDock::paletteRoom() const
{
    const StdWindow* paletteWindow = m_palette ? m_palette->window() : nullptr;
    const auto* docked = qobject_cast<const FenPaletteController*>(m_palette.data());
    if (!paletteWindow || (docked && docked->docked()))
        return 0;
    return HelperSVPalette::roomOnTheLeft(paletteWindow->geometry());
}

// The manager keeps a dock where it maps it (or along its edge, across the screen): the bottom-left
// corner of the whole screen, from whose edges the dock's room counts.
void StdPaletteDock::dockAtBottom(QWidget* paletteWindow)
{
    const QRect screen = UiHost::instance().screen().fullFrame();
    paletteWindow->setGeometry(
        QRect(QPoint(screen.left(), screen.bottom() + 1 - paletteWindow->height()), paletteWindow->size()));
}

// The key coming back from the palette finds it shown: it is neither shown nor raised again.
// Shown is what the display shows, not what Qt was told.
void StdPaletteDock::windowDidBecomeKey()
{
    if (!m_palette || !m_paletteIsPlaced || !m_owner.shouldShowPalette())
        return;
    StdWindow* paletteWindow = m_palette->window();
    if (!paletteWindow)
        return;
    m_mapsLeft = kMapsPerActivation;
    if (paletteWindow->isVisible()) {
        if (UiHost::instance().screen().displayWithdrew(paletteWindow))
            mapPaletteAgain(paletteWindow);
        return;
    }
    paletteWindow->show();
    paletteWindow->raise();
    m_paletteHandle = paletteWindow->windowHandle();
    if (m_paletteHandle)
        m_paletteHandle->installEventFilter(&m_owner);
}

// A window manager may give the palette the keyboard as it shows it: the palette hands it back
// (FenPaletteController) and stays, rather than hiding and showing again each time. A manager
// moving the palette as the user drags it (by its title bar, or by its background through the
// manager) holds the keyboard for the drag's while, and Qt then takes the window for no longer key:
// the palette stays, since hiding it would end its drag under the mouse and show it again where it
// was. The grab over, the keys come back to the window.
void StdPaletteDock::windowDidResignKey()
{
    StdWindow* paletteWindow = m_palette ? m_palette->windowIfLoaded() : nullptr;
    if (!paletteWindow || QApplication::activeWindow() == paletteWindow
        || X11WindowManager::pressedOn(paletteWindow).value_or(false))
        return;
    paletteWindow->hide();
}

// The palette's window may be torn down as its platform window tells of it: the pointers are
// compared, nothing is read.
bool StdPaletteDock::isPaletteHandle(const QObject* object) const
{
    return object && object == m_paletteHandle.data();
}

// The manager can withdraw the palette after its window became key: Qt hears of the unmap (an
// exposure that shows nothing), and the palette goes back on the display while its window is key.
// The unmap of the program's own hide, heard once the palette is shown again, asks for one map
// more, which changes nothing.
void StdPaletteDock::paletteExposed()
{
    StdWindow* paletteWindow = m_palette ? m_palette->windowIfLoaded() : nullptr;
    if (paletteWindow && paletteWindow->isVisible() && m_owner.shouldShowPalette()
        && UiHost::instance().screen().displayWithdrew(paletteWindow))
        mapPaletteAgain(paletteWindow);
}

// Qt shows a palette it has just hidden without waiting for the manager to carry out the
// withdrawal the hide told it of. A manager that maps the palette for the first show only once the
// second was sent takes the second for done, then carries out the withdrawal (awesome): Qt takes
// the palette for shown while the display shows nothing. It is mapped again as it stands (a hide
// and show would tell the manager of one more withdrawal), a few times per activation at most,
// against a manager that keeps refusing it.
void StdPaletteDock::mapPaletteAgain(StdWindow* paletteWindow)
{
    if (m_mapsLeft <= 0)
        return;
    --m_mapsLeft;
    UiHost::instance().screen().mapAgain(paletteWindow);
}

void StdPaletteDock::closePalette()
{
    if (m_palette)
        m_palette->close();
}

// ---------------------------------------------------------------------------------------------
// The tool palette

StdWindowController* StdPaletteDock::toolPalette()
{
    IWindowAppDelegate* app = windowAppDelegate();
    return app ? app->getPaletteTool() : nullptr;
}

void StdPaletteDock::FIRE_TIMER_ASSUME_BOUND(StdWindowController* toolPalette)
{
    QPointer<StdWindowController> tool(toolPalette);
    UiHost::instance().scheduler().after(
        kPaletteTimerMs, IScheduler::Mode::Default,
        [this, tool] {
            if (tool)
                m_owner.ASSUME_BOUND(QVariant::fromValue<QObject*>(tool.data()));
        },
        &m_owner);
}

void StdPaletteDock::ASSUME_BOUND(const StdWindowController* toolPalette)
{
    StdWindow* window = m_owner.windowIfLoaded();
    if (!window || !toolPalette)
        return;
    // The title bar keeps clear of the palette too: the whole frame moves below it.
    const QMargins decorations = StdWindowPlacement::decorationsOf(window);
    const QRect frame = window->geometry().marginsAdded(decorations);
    const StdWindow::AnswerScope answer(window);
    window->setGeometry(assumedBound(toolPalette->windowIfLoaded(), frame).marginsRemoved(decorations));
    // A palette attached before its window appears is first placed by its own timer, not by the
    // window's fitting as it opens.
    if (paletteAimant() && m_paletteIsPlaced)
        PLACE_PALETTE();
}

// A palette sliding in is not at its place yet (the window manager may have mapped it anywhere):
// its slide's end tells the windows to keep clear of it.
QRect StdPaletteDock::assumedBound(const QWidget* paletteWindow, const QRect& frame) const
{
    const StdWindow* window = m_owner.windowIfLoaded();
    if (!paletteWindow || !window || paletteWindow == window || StdWindowPlacement::isSliding(paletteWindow))
        return frame;
    return assumedBound(UiHost::instance().screen().visibleFrame(), paletteWindow->frameGeometry(), frame,
                        StdWindowPlacement::leastFrameSize(window).height());
}

QRect StdPaletteDock::assumedBound(const QRect& screenFrame, const QRect& paletteFrame, const QRect& frame,
                                   int leastHeight)
{
    const double reference = screenFrame.y() + screenFrame.height();
    const UpRect screen = upFrame(screenFrame, reference);
    const UpRect palette = upFrame(paletteFrame, reference);
    UpRect bound = upFrame(frame, reference);
    // Whole points, as the screen and the window frames are. At the top of the screen the
    // palette's bottom is the screen's top less the palette's height.
    const long overlap = long(bound.top() - double(long(palette.y - 2)));
    if (overlap <= 0)
        return frame;
    bound.y -= double(overlap);
    if (bound.y < screen.y) {
        const double below = double(long(screen.y - bound.y));
        bound.y += below;
        bound.height = std::max(bound.height - below, std::min(bound.height, double(leastHeight)));
    }
    return downFrame(bound, reference);
}

QRect StdPaletteDock::windowWillUseStandardFrame(const QRect& defaultFrame) const
{
    const StdWindowController* tool = toolPalette();
    return tool ? assumedBound(tool->windowIfLoaded(), defaultFrame) : defaultFrame;
}

void StdPaletteDock::windowDidMove()
{
    if (StdWindowController* tool = toolPalette())
        FIRE_TIMER_ASSUME_BOUND(tool);
    if (paletteAimant())
        FIRE_TIMER_PLACE_PALETTE();
}

// Keeping clear of the palette resizes the window again: the guard stops that second pass.
void StdPaletteDock::windowDidResize()
{
    StdWindowController* tool = toolPalette();
    StdWindow* window = m_owner.windowIfLoaded();
    if (m_keepingClear || !tool || !window || !window->isVisible()
        || window->windowFlags().testFlag(Qt::WindowStaysOnTopHint))
        return;
    m_keepingClear = true;
    m_owner.ASSUME_BOUND(QVariant::fromValue<QObject*>(tool));
    m_keepingClear = false;
}

// With the tool palette open a zoom takes the standard frame, below it, instead of the screen.
void StdPaletteDock::windowDidZoom()
{
    StdWindow* window = m_owner.windowIfLoaded();
    if (!window || !window->isMaximized() || !toolPalette())
        return;
    const QRect frame = windowWillUseStandardFrame(UiHost::instance().screen().visibleFrame());
    window->setWindowState(window->windowState() & ~Qt::WindowMaximized);
    window->setGeometry(frame.marginsRemoved(StdWindowPlacement::decorationsOf(window)));
}
