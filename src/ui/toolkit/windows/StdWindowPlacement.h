#pragma once
// Where a window may stand: wholly inside the screen's visible frame, its title bar and borders
// included, and, for the windows of the normal level, below the tool palette while it is open.
// Every window of the program passes here when it appears (a push, a window brought to the front,
// a modal run, a frame put back by the window memory), so none opens out of reach whatever frame
// it was given. A window larger than that area is shrunk to fit; when its controls need more room
// than that, its content scrolls.
//
// Frameless windows (the tool palette, the save notice) place themselves: they are kept wholly
// inside the screen's visible frame where they stand, except while they slide in or out.
#include <QMargins>
#include <QRect>
#include <QSize>

#include <optional>

class QWidget;

class StdWindowPlacement {
public:
    // The window's content rectangle (Qt's geometry) moved, and shrunk where it is larger, so
    // that with its decorations it lies inside the area. An empty area changes nothing.
    static QRect fittedGeometry(const QRect& geometry, const QMargins& decorations, const QRect& area);
    // Where a window nobody placed first appears: its frame centred on its parent's when it has
    // one (a sheet), else near the area's top-left corner, a step further for each window already
    // open so that new windows don't hide each other.
    static QRect defaultGeometry(const QSize& size, const QMargins& decorations, const QRect& area,
                                 const QWidget* parent, int openWindows);

    // The size nearest below that the window manager lets the window have, given its size
    // increments.
    static QSize steppedSize(const QWidget* window, const QSize& size);

    // What the window manager adds around that window's content (title bar, borders): the
    // window's own once it is on screen, else what another window of the program was given, else
    // a title bar of the style's height (none on the headless platform).
    static QMargins decorationsOf(const QWidget* window);
    // The same when the window manager has told it (none on the headless platform); empty while
    // no window of the program has been decorated yet.
    static std::optional<QMargins> knownDecorationsOf(const QWidget* window);
    // Sets the decorations of every decorated window, as a test playing a desktop with frames
    // needs; an empty optional gives the window manager's back. With a guess, the desktop
    // decorates a window only once it has shown and the event loop has run (its timers): until
    // then the program knows no frame and takes the guess, as on a real desktop.
    static void setDecorations(std::optional<QMargins> margins,
                               std::optional<QMargins> guessUntilDecorated = std::nullopt);

    // The least size the window's controls leave it: its minimum size, or what its layout needs.
    static QSize leastSize(const QWidget* window);
    // The same with the window's decorations: the least frame.
    static QSize leastFrameSize(const QWidget* window);
    // The area the frame of that window may take, in Qt's screen coordinates: the screen's
    // visible frame, below the tool palette for a window of the normal level once the palette
    // stands at its place. The palette never makes a window smaller than its least size: one
    // that cannot stand below it at that size keeps it, at the bottom of the visible frame.
    static QRect availableArea(const QWidget* window);
    // Whether the window's frame, decorations included, lies wholly inside its area (a window
    // that places itself, or a screen without area, always does).
    static bool isWithinArea(const QWidget* window);
    // Places the window (centred on the parent when it is given and the window was never
    // placed; a window never placed that has a palette attached beside the palette's room),
    // then keeps it inside its area, shrinking it and letting its content scroll
    // when it is too large. A window that slides stands where its slide puts it: its slide
    // keeps it on screen as it ends.
    static void keepOnScreen(QWidget* window, const QWidget* parent = nullptr);

    // Gives the window that frame (a remembered one, Qt's geometry) before it appears: a frame
    // smaller than its controls need is kept, and they scroll inside it, rather than the window
    // growing back to them. keepOnScreen then moves or narrows only a frame off the screen.
    static void setFrame(QWidget* window, const QRect& geometry);

    // A window that places itself (frameless), moved and shrunk where needed to stand wholly
    // inside the screen's visible frame; nothing while it slides.
    static void keepSelfPlacedOnScreen(QWidget* window);
    // A window sliding in or out by program stands where its slide puts it, off the screen on the
    // way: each slide is told as it starts and as it ends.
    static void setSliding(QWidget* window, bool sliding);
    static bool isSliding(const QWidget* window);

    // A window that a waiting quit or close brings forward for the user to close (UiHost::
    // endModalRunsThen) appears as any other does: one the user left partly off the screen comes
    // back whole onto it, one within its area keeps its frame. Installed into the host once, as
    // the first window shows.
    static void placeWindowsBroughtForward();

    // Once the window manager has framed a window shown at a guessed frame, or at a place it has
    // yet to frame the window at, keeps the window on screen with its real frame where that lies
    // outside its area.
    static void checkOnceDecorated(QWidget* window, const QWidget* parent);

    // The object name of the scroll area that takes a window's content when the window is
    // smaller than its controls.
    static constexpr const char* kScrollName = "window_scroll";
    // The window's controls go into a scroll area, so that the window may be smaller than they
    // need; done once.
    static void makeContentScroll(QWidget* window);
};
