#include "toolkit/windows/StdWindowPlacement.h"

#include "toolkit/host/UiHost.h"
#include "toolkit/windows/StdFrameKeeper.h"
#include "toolkit/windows/StdPaletteDock.h"
#include "toolkit/windows/StdWindowController.h"

#include <QApplication>
#include <QLayout>
#include <QPointer>
#include <QScrollArea>
#include <QStyle>
#include <QVBoxLayout>
#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace {

// The gap kept under the tool palette, as the keeping clear of it after a move keeps it.
constexpr int kPaletteGap = 2;
// How far each new window stands from the previous one when nobody placed it.
constexpr int kCascadeStep = 28;
constexpr int kCascadeSteps = 8;

// How long after a window placed at a guessed frame shows it is checked with its real frame, and
// how many times that is tried again while the window manager has not told the frame yet.
constexpr int kDecoratedCheckMs = 100;
constexpr int kDecoratedChecks = 10;
constexpr const char* kCheckPending = "sorv_decoration_check";
constexpr const char* kChecksAsked = "sorv_decoration_checks";
constexpr const char* kDecorated = "sorv_decorated";
constexpr const char* kSliding = "sorv_sliding";

std::optional<QMargins> g_givenDecorations;
std::optional<QMargins> g_guessUntilDecorated;

bool decorated(Qt::WindowFlags flags)
{
    return !flags.testFlag(Qt::FramelessWindowHint) && !flags.testFlag(Qt::BypassWindowManagerHint);
}

QMargins marginsOfShownWindow(const QWindow* window)
{
    return window && window->isVisible() && decorated(window->flags()) ? window->frameMargins() : QMargins();
}

// A desktop played by a test whose window manager answers late: a window counts as decorated
// once it has shown and the program has come back to its event loop.
bool decoratedInPlay(const QWidget* window)
{
    return !g_guessUntilDecorated || window->property(kDecorated).toBool();
}

// Whether the window manager has framed the window: until then it may still put the window
// elsewhere than asked. On a desktop played by a test, once the window has been checked.
bool framedByManager(const QWidget* window)
{
    if (g_givenDecorations)
        return window->property(kDecorated).toBool();
    if (QGuiApplication::platformName() == QLatin1String("offscreen"))
        return true;
    return !marginsOfShownWindow(window->windowHandle()).isNull();
}

bool placesItself(const QWidget* window)
{
    return window->windowFlags().testFlag(Qt::FramelessWindowHint);
}

bool floats(const QWidget* window)
{
    return window->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
}

// One coordinate of a frame of that length kept between low and high (inclusive ends): a frame
// longer than the room stands at low.
int keptBetween(int position, int length, int low, int high)
{
    return std::max(low, std::min(position, high - length + 1));
}

// Window managers count the size steps from the base size, or without one from zero or the
// minimum as each likes: the window is given one. A frame narrower than the base is taken as a
// whole number of steps below it, rounded towards the base: wider than asked, past the screen's
// edge. The base is never larger than the frame the window is given.
void giveBaseSize(QWidget* window, const QSize& frame)
{
    const QSize step = window->sizeIncrement();
    if (step.width() <= 1 && step.height() <= 1)
        return;
    const QSize base = window->baseSize().isNull() ? window->minimumSize() : window->baseSize();
    if (base.boundedTo(frame) != window->baseSize())
        window->setBaseSize(base.boundedTo(frame));
}

int openWindowsBesides(const QWidget* window)
{
    const auto windows = QApplication::topLevelWidgets();
    return int(std::count_if(windows.begin(), windows.end(), [window](const QWidget* other) {
        return other != window && other->isVisible() && !placesItself(other) && !floats(other);
    }));
}

// The part of the area where a window opening with a palette attached is first placed: the
// palette's room on its side is left out, so that the window opens beside it rather than under it
// (a palette over the window covers its menu bar while it is key). The window is narrowed for it
// only down to its least width; past that it stands as far over as the screen lets it.
QRect areaBesideItsPalette(const QWidget* window, QRect area)
{
    const auto* shown = qobject_cast<const StdWindow*>(window);
    const auto* controller = shown ? qobject_cast<const StdWindowController*>(shown->controller()) : nullptr;
    const int room = controller ? controller->paletteDock().paletteRoom() : 0;
    if (room <= 0)
        return area;
    const int least = StdWindowPlacement::leastFrameSize(window).width();
    area.setLeft(std::max(area.left(), std::min(area.left() + room, area.right() + 1 - least)));
    return area;
}

} // namespace

QRect StdWindowPlacement::fittedGeometry(const QRect& geometry, const QMargins& decorations, const QRect& area)
{
    if (area.isEmpty())
        return geometry;
    QRect outer = geometry.marginsAdded(decorations);
    outer.setWidth(std::min(outer.width(), area.width()));
    outer.setHeight(std::min(outer.height(), area.height()));
    outer.moveLeft(keptBetween(outer.left(), outer.width(), area.left(), area.right()));
    outer.moveTop(keptBetween(outer.top(), outer.height(), area.top(), area.bottom()));
    return outer.marginsRemoved(decorations);
}

QRect StdWindowPlacement::defaultGeometry(const QSize& size, const QMargins& decorations, const QRect& area,
                                          const QWidget* parent, int openWindows)
{
    QRect outer = QRect(QPoint(0, 0), size).marginsAdded(decorations);
    if (parent) {
        outer.moveCenter(parent->frameGeometry().center());
    } else {
        const int step = kCascadeStep * (openWindows % kCascadeSteps);
        outer.moveTopLeft(area.topLeft() + QPoint(step, step));
    }
    return outer.marginsRemoved(decorations);
}

void StdWindowPlacement::setDecorations(std::optional<QMargins> margins, std::optional<QMargins> guessUntilDecorated)
{
    g_givenDecorations = margins;
    g_guessUntilDecorated = margins ? guessUntilDecorated : std::nullopt;
}

// The window manager tells a window's frame only once it has decorated it, some time after the
// window was shown.
std::optional<QMargins> StdWindowPlacement::knownDecorationsOf(const QWidget* window)
{
    if (!window || !decorated(window->windowFlags()))
        return QMargins();
    if (g_givenDecorations) {
        if (decoratedInPlay(window))
            return g_givenDecorations;
        const auto widgets = QApplication::topLevelWidgets();
        const bool another = std::any_of(widgets.begin(), widgets.end(), [](const QWidget* other) {
            return other->isVisible() && decorated(other->windowFlags()) && other->property(kDecorated).toBool();
        });
        return another ? g_givenDecorations : std::nullopt;
    }
    if (const QMargins own = marginsOfShownWindow(window->windowHandle()); !own.isNull())
        return own;
    const auto windows = QGuiApplication::topLevelWindows();
    for (const QWindow* other : windows) {
        if (const QMargins margins = marginsOfShownWindow(other); !margins.isNull())
            return margins;
    }
    if (QGuiApplication::platformName() == QLatin1String("offscreen"))
        return QMargins();
    return std::nullopt;
}

QMargins StdWindowPlacement::decorationsOf(const QWidget* window)
{
    if (const std::optional<QMargins> known = knownDecorationsOf(window))
        return *known;
    if (g_guessUntilDecorated)
        return *g_guessUntilDecorated;
    return QMargins(0, window->style()->pixelMetric(QStyle::PM_TitleBarHeight), 0, 0);
}

// A window manager keeps a window that has size increments to its base size plus whole steps,
// and takes off the rest without the program learning it: the window's content would be laid
// out wider than it shows, its right edge cut.
QSize StdWindowPlacement::steppedSize(const QWidget* window, const QSize& size)
{
    const QSize step = window->sizeIncrement();
    const QSize base = window->baseSize().isNull() ? window->minimumSize() : window->baseSize();
    const auto stepped = [](int length, int least, int by) {
        return by > 1 && length > least ? least + (length - least) / by * by : length;
    };
    return {stepped(size.width(), base.width(), step.width()), stepped(size.height(), base.height(), step.height())};
}

QSize StdWindowPlacement::leastSize(const QWidget* window)
{
    return window->minimumSizeHint().expandedTo(window->minimumSize());
}

QSize StdWindowPlacement::leastFrameSize(const QWidget* window)
{
    return leastSize(window).grownBy(decorationsOf(window));
}

// While the tool palette slides in, Qt holds it wherever the window manager mapped it (a free spot
// low on the screen) until the slide's next step: it counts only once it stands at its place,
// and the windows then move clear of it (ASSUME_BOUND).
QRect StdWindowPlacement::availableArea(const QWidget* window)
{
    QRect area = UiHost::instance().screen().visibleFrame();
    if (area.isEmpty() || floats(window))
        return area;
    const StdWindowController* tool = StdPaletteDock::toolPalette();
    const QWidget* palette = tool ? tool->windowIfLoaded() : nullptr;
    if (!palette || palette == window || !palette->isVisible() || isSliding(palette))
        return area;
    const int leastFrame = leastFrameSize(window).height();
    const int belowPalette = palette->frameGeometry().bottom() + 1 + kPaletteGap;
    area.setTop(std::max(area.top(), std::min(belowPalette, area.bottom() + 1 - leastFrame)));
    return area;
}

bool StdWindowPlacement::isWithinArea(const QWidget* window)
{
    if (!window || !window->isWindow() || placesItself(window))
        return true;
    const QRect area = availableArea(window);
    return area.isEmpty() || area.contains(window->geometry().marginsAdded(decorationsOf(window)));
}

void StdWindowPlacement::keepOnScreen(QWidget* window, const QWidget* parent)
{
    if (!window || !window->isWindow() || placesItself(window) || isSliding(window))
        return;
    const QRect area = availableArea(window);
    if (area.isEmpty())
        return;
    const QMargins decorations = decorationsOf(window);
    // What was just added to the window (a menu bar as it shows) counts in its size.
    if (QLayout* layout = window->layout())
        layout->activate();
    // A window shown for the first time takes the size its layout wants, as showing it would.
    if (!window->testAttribute(Qt::WA_Resized)) {
        window->adjustSize();
        window->setAttribute(Qt::WA_Resized, false);
    }
    QRect geometry = window->geometry();
    const bool placed = window->testAttribute(Qt::WA_Moved);
    if (!placed) {
        const QRect beside = areaBesideItsPalette(window, area);
        geometry = defaultGeometry(geometry.size(), decorations, beside, parent, openWindowsBesides(window));
        geometry = fittedGeometry(geometry, decorations, beside);
    }
    // Until the window manager has decorated the window, its frame is a guess: a frame put back or
    // set by code keeps its content in the area without the guess, so that one the user left
    // against the top of the screen stays there to the pixel, and is checked again once the real
    // frame is known. Known decorations do not tell where the manager will put the frame: i3
    // takes the place a new floating window asks for as its frame's, whatever the gravity says,
    // the title bar and borders pushing the window right and down; so a window the manager has
    // yet to frame is checked again too.
    const bool guessed = !knownDecorationsOf(window);
    QRect fitted = fittedGeometry(geometry, guessed && placed ? QMargins() : decorations, area);
    if (guessed || !framedByManager(window))
        checkOnceDecorated(window, parent);
    giveBaseSize(window, fitted.size());
    fitted.setSize(steppedSize(window, fitted.size()));
    const QSize needed = leastSize(window);
    if (fitted.width() < needed.width() || fitted.height() < needed.height())
        makeContentScroll(window);
    if (fitted != window->geometry())
        window->setGeometry(fitted);
    if (window->isVisible())
        StdFrameKeeper::keep(window);
}

// Qt holds a window to the least size its layout last set: a narrower frame would come back as
// wide as the controls, whatever the user had made it.
void StdWindowPlacement::setFrame(QWidget* window, const QRect& geometry)
{
    if (!window)
        return;
    if (QLayout* layout = window->layout())
        layout->activate();
    const QSize needed = leastSize(window);
    if (geometry.width() < needed.width() || geometry.height() < needed.height())
        makeContentScroll(window);
    window->setGeometry(geometry);
}

void StdWindowPlacement::keepSelfPlacedOnScreen(QWidget* window)
{
    if (!window || !window->isWindow() || isSliding(window))
        return;
    const QRect fitted = fittedGeometry(window->geometry(), QMargins(), UiHost::instance().screen().visibleFrame());
    if (fitted != window->geometry())
        window->setGeometry(fitted);
}

void StdWindowPlacement::placeWindowsBroughtForward()
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    UiHost::setPlacement([](QWidget* window) {
        if (!isWithinArea(window))
            keepOnScreen(window);
    });
}

// Slides may overlap (a palette placed again while it slides in): the window slides until the
// last of them ends.
void StdWindowPlacement::setSliding(QWidget* window, bool sliding)
{
    if (window)
        window->setProperty(kSliding, std::max(0, window->property(kSliding).toInt() + (sliding ? 1 : -1)));
}

bool StdWindowPlacement::isSliding(const QWidget* window)
{
    return window && window->property(kSliding).toInt() > 0;
}

void StdWindowPlacement::checkOnceDecorated(QWidget* window, const QWidget* parent)
{
    if (window->property(kCheckPending).toBool())
        return;
    window->setProperty(kCheckPending, true);
    QPointer<QWidget> watched(window);
    QPointer<const QWidget> sheetParent(parent);
    // Modal panels too: a dialog is decorated while its modal run goes on.
    UiHost::instance().scheduler().after(
        kDecoratedCheckMs, IScheduler::Mode::ModalPanel,
        [watched, sheetParent] {
            if (!watched)
                return;
            watched->setProperty(kCheckPending, false);
            if (!watched->isVisible())
                return;
            if (g_givenDecorations)
                watched->setProperty(kDecorated, true);
            const int asked = watched->property(kChecksAsked).toInt() + 1;
            watched->setProperty(kChecksAsked, asked);
            if (!knownDecorationsOf(watched) || !framedByManager(watched)) {
                if (asked < kDecoratedChecks)
                    checkOnceDecorated(watched, sheetParent);
            } else if (!isWithinArea(watched)) {
                keepOnScreen(watched, sheetParent);
            }
        },
        window);
}

// The controls keep their layout, in a widget that scrolls in the window; the window itself can
// then be as small as the screen needs.
void StdWindowPlacement::makeContentScroll(QWidget* window)
{
    QLayout* layout = window->layout();
    if (!layout || window->findChild<QScrollArea*>(QLatin1String(kScrollName), Qt::FindDirectChildrenOnly))
        return;
    // Moving the controls takes the keyboard focus from them: it is given back.
    QPointer<QWidget> focus = window->focusWidget();
    // The window's menu bar stays at its top, out of what scrolls.
    QWidget* menuBar = layout->menuBar();
    if (menuBar)
        layout->setMenuBar(nullptr);
    auto* content = new QWidget;
    content->setObjectName(QStringLiteral("window_content"));
    // Taking the layout moves the controls it lays out into the content.
    content->setLayout(layout);
    auto* scroll = new QScrollArea(window);
    scroll->setObjectName(QLatin1String(kScrollName));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setWidget(content);
    // The window's frame decides how much of the controls shows, not the room the bars would want.
    scroll->setMinimumSize(1, 1);
    auto* outer = new QVBoxLayout(window);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setMenuBar(menuBar);
    outer->addWidget(scroll);
    window->setMinimumSize(0, 0);
    outer->activate();
    // Made in a window already on screen, the scroll area shows only when told.
    scroll->show();
    if (focus)
        focus->setFocus();
}
