#pragma once
// Where a palette goes beside its window, and the opening of a palette for a window.
//
// The placement is worked as the program's formulas are written, from the bottom of the screen
// up, on the content rectangles of the two windows and the main screen's visible frame, and
// converted to Qt's coordinates by the view geometry helpers. Position 2 puts the palette right
// of its window, tops lined up, one point clear of the screen's right edge; any other position
// puts it left of the window, kept on the screen at the screen's left edge.
//
// A palette covers nothing of the window it serves while it can (a click meant for it once it has
// hidden lands on the window): when its side has no room it goes to the other side. When neither
// side has room it takes its own side's place over the window, which stays where the user put it.
#include "toolkit/windows/StdWindowController.h"

#include "model/MONTANT.h"

#include <QRect>

class QWidget;

class HelperSVPalette {
public:
    static constexpr long kPositionLeft = 0;
    static constexpr long kPositionRight = 2;

    // The palette's new content rectangle (Qt's coordinates, as every rectangle here): it keeps
    // the palette's size.
    static QRect paletteFrame(const QRect& screen, const QRect& parentContent, const QRect& paletteContent,
                              long position);

    // How far from the screen's edge a window's frame stands to leave a palette of that content
    // rectangle its place at paletteFrame left of the window, clear of it.
    static int roomOnTheLeft(const QRect& paletteContent);

    // Where the palette goes: at paletteFrame on the side asked, else on the other side, as long as
    // it covers nothing of its parent there; else at paletteFrame on the side asked, over the parent.
    // Wherever it goes, it lies whole on the screen.
    static QRect placeBeside(const QRect& screen, const QRect& parentContent, const QRect& paletteContent,
                             long position);
    // Moves the palette's window beside the parent's, on the installed host's screen. The parent
    // never moves: its frame is the user's.
    static void placePalette(QWidget* palette, const QWidget* parent, long position);
};

// Pushes a palette of class C modeless and not shown, with the window data {"fen": the parent
// window controller, "ident": the account the palette works on} and the current currency slot;
// the caller attaches it to its window (attachePalette).
template <class C> C* openPaletteForWindow(StdWindowController* parent, long ident)
{
    static_assert(std::is_base_of_v<StdWindowController, C>);
    WindowDataPtr data = makeWindowData({
        {QStringLiteral("fen"), QVariant::fromValue<QObject*>(parent)},
        {QStringLiteral("ident"), QVariant::fromValue<qlonglong>(ident)},
    });
    return StdWindowController::push<C>(std::move(data), MONTANT::currentDeviseSlot(), false);
}
