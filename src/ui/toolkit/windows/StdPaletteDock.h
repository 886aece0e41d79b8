#pragma once
// A window's company on the screen: the palette attached beside it (owned, shown only while the
// window is key, then on the display whatever the window manager made of a quick hide and show,
// placed left of it again when the window moves; under a manager that tiles the windows, a dock at
// the bottom of the screen), and the application's tool palette at the top of the screen, which
// the window keeps clear of after a move, a resize or a zoom.
#include <QPointer>
#include <QRect>

class QVariant;
class QWidget;
class StdWindow;
class StdWindowController;

class StdPaletteDock {
public:
    explicit StdPaletteDock(StdWindowController& owner);
    ~StdPaletteDock();
    StdPaletteDock(const StdPaletteDock&) = delete;
    StdPaletteDock& operator=(const StdPaletteDock&) = delete;

    // ---- The attached palette.

    StdWindowController* palette() const;
    // Attaches the palette (owned from now on, a former one goes) and places it shortly.
    void attachePalette(StdWindowController* palette, StdWindowController* parentDelegate);
    // Told by the attached palette when it closes.
    void paletteWillClose();
    bool paletteIsPlaced() const { return m_paletteIsPlaced; }
    // Places the palette's window left of the owner's, or a docked palette (under a tiling
    // manager) in the bottom-left corner of the screen.
    void PLACE_PALETTE();
    // The room the attached palette takes left of the owner's window's frame where PLACE_PALETTE
    // puts it: none without a palette, and none for a dock. Builds the palette's window (its
    // width) when it is not yet.
    int paletteRoom() const;
    void FIRE_TIMER_PLACE_PALETTE();
    // Shows the placed palette with its key window (when the owner wants it shown), hides it
    // when the window stops being key.
    void windowDidBecomeKey();
    void windowDidResignKey();
    // Whether the object is the palette's platform window, whose events the owner passes on.
    bool isPaletteHandle(const QObject* object) const;
    // The palette's platform window was exposed or unmapped on the display.
    void paletteExposed();
    void closePalette();

    // ---- The tool palette.

    // The application's tool palette while it is open, else null.
    static StdWindowController* toolPalette();
    void FIRE_TIMER_ASSUME_BOUND(StdWindowController* toolPalette);
    // Moves the owner's window clear of the tool palette's; the attached palette, once placed,
    // follows when it is magnetic.
    void ASSUME_BOUND(const StdWindowController* toolPalette);
    // The frame (Qt's, on the installed screen) that keeps clear of the palette's window; the
    // frame as it is while the palette slides in.
    QRect assumedBound(const QWidget* paletteWindow, const QRect& frame) const;
    // A window reaching into the tool palette's frame, or above it, moves down below it, and when
    // that takes it past the bottom of the screen it is shortened instead, never below its least
    // height (its frame's): a window that cannot stand below the palette at that height keeps it,
    // its bottom on the screen's. All rectangles in Qt's coordinates.
    static QRect assumedBound(const QRect& screen, const QRect& paletteFrame, const QRect& frame, int leastHeight);
    // The frame a zoom gives the window: the default frame, kept clear of the tool palette.
    QRect windowWillUseStandardFrame(const QRect& defaultFrame) const;
    // The user has finished moving the window.
    void windowDidMove();
    // A window of the normal level keeps clear of the tool palette after a resize or a zoom.
    void windowDidResize();
    void windowDidZoom();

private:
    static void dockAtBottom(QWidget* paletteWindow);
    void mapPaletteAgain(StdWindow* paletteWindow);

    StdWindowController& m_owner;
    QPointer<StdWindowController> m_palette;
    QPointer<QObject> m_paletteHandle; // the palette's platform window, whose events the owner watches
    bool m_paletteIsPlaced = false;
    bool m_keepingClear = false;
    int m_mapsLeft = 0; // the maps again the palette may still have since its window became key
};
