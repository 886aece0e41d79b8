#include "toolkit/palettes/HelperSVPalette.h"

#include "toolkit/drawing/geometry.h"
#include "toolkit/host/UiHost.h"
#include "toolkit/windows/StdWindowPlacement.h"

#include "foundation/diagnostics.h"

#include <QWidget>

#include <algorithm>

namespace {

// A rectangle from the bottom of the screen: its bottom is y, its top y + height, its right edge
// x + width.
struct UpRect {
    double x, y, width, height;
    double top() const { return y + height; }
    double right() const { return x + width; }
};

UpRect upFrame(const QRect& frame, double reference)
{
    const QRectF r = toBottomLeft(QRectF(frame), reference);
    return UpRect {r.x(), r.y(), r.width(), r.height()};
}

} // namespace

QRect HelperSVPalette::paletteFrame(const QRect& visible, const QRect& parentContent, const QRect& paletteContent,
                                    long position)
{
    // One reference height for every rectangle, so the comparisons hold as written.
    const double reference = visible.y() + visible.height();
    const UpRect screen = upFrame(visible, reference);
    const UpRect parent = upFrame(parentContent, reference);
    const UpRect palette = upFrame(paletteContent, reference);
    double x = 0;
    double y = 0;
    if (position == kPositionRight) {
        x = std::min(parent.right() + 1, screen.right() - palette.width - 1);
        y = parent.top() - palette.height;
    } else {
        x = std::max(parent.x - palette.width - 1, screen.x);
        y = std::max(parent.top() - palette.height, screen.y) + 1;
    }
    return fromBottomLeft(QRectF(x, y, palette.width, palette.height), reference).toRect();
}

// paletteFrame puts the palette one point clear of the window's content, at the edge of the
// screen less the window's decorations: counted from the window's frame, the decorations cancel.
int HelperSVPalette::roomOnTheLeft(const QRect& paletteContent)
{
    return paletteContent.width() + 1;
}

// The right side lines the tops up: beside a window low on the screen, a palette taller than the
// window would run past the screen's bottom, its last controls out of reach. A palette lies whole
// on the screen: it is raised as far as it must, on the side it stands, which moving it up or down
// never makes it cover.
QRect HelperSVPalette::placeBeside(const QRect& screen, const QRect& parentContent, const QRect& paletteContent,
                                   long position)
{
    const long other = position == kPositionRight ? kPositionLeft : kPositionRight;
    for (const long side : {position, other}) {
        const QRect frame = paletteFrame(screen, parentContent, paletteContent, side);
        if (!frame.intersects(parentContent) && frame.left() >= screen.left() && frame.right() <= screen.right())
            return StdWindowPlacement::fittedGeometry(frame, {}, screen);
    }
    // Neither side has room: the window stays where the user put it and the palette lies over it.
    return StdWindowPlacement::fittedGeometry(paletteFrame(screen, parentContent, paletteContent, position), {},
                                              screen);
}

void HelperSVPalette::placePalette(QWidget* palette, const QWidget* parent, long position)
{
    if (!SV_ASSERT(palette && parent))
        return;
    // The windows' contents are placed: their frames stay on the screen too.
    const QRect screen
        = UiHost::instance().screen().visibleFrame().marginsRemoved(StdWindowPlacement::decorationsOf(parent));
    palette->setGeometry(placeBeside(screen, parent->geometry(), palette->geometry(), position));
    palette->update();
}
