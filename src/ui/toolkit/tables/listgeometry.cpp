#include "toolkit/tables/listgeometry.h"

#include "toolkit/drawing/geometry.h"

#include <algorithm>

namespace {

// A rectangle from the bottom of the screen: its bottom is y, its top y + height.
struct UpRect {
    double x, y, width, height;
    double top() const { return y + height; }
};

UpRect upFrame(const QRect& frame, double reference)
{
    const QRectF r = toBottomLeft(QRectF(frame), reference);
    return UpRect {r.x(), r.y(), r.width(), r.height()};
}

QRect downFrame(const UpRect& frame, double reference)
{
    return fromBottomLeft(QRectF(frame.x, frame.y, frame.width, frame.height), reference).toRect();
}

} // namespace

QRect fittedListWindowFrame(const QRect& visible, const QRect& window, double heightChange, bool keepTop)
{
    // One reference height for every rectangle, so the comparisons hold as written.
    const double reference = visible.y() + visible.height();
    const UpRect screen = upFrame(visible, reference);
    UpRect frame = upFrame(window, reference);
    const double newHeight = frame.height + heightChange;
    if (newHeight > screen.height) {
        const double top = frame.top();
        frame.y = screen.y;
        frame.height = keepTop ? top - screen.y : screen.height;
    } else {
        frame.y = std::max(screen.y, frame.top() - newHeight);
        frame.height = newHeight;
    }
    return downFrame(frame, reference);
}
