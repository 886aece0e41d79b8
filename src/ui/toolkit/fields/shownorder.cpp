#include "toolkit/fields/shownorder.h"

#include "toolkit/fields/StdTextView.h"

#include <QGuiApplication>
#include <QRect>
#include <QStyleHints>
#include <QWidget>

#include <vector>

namespace {

// The widget's frame in its window's coordinates.
QRect frameInWindow(const QWidget* widget)
{
    return {widget->mapTo(widget->window(), QPoint(0, 0)), widget->size()};
}

// Two widgets share a row when the middle of either lies within the other's height: a tall list
// beside a field is on its row, a field half a line lower is not.
bool sameRow(const QRect& a, const QRect& b)
{
    const int aMiddle = a.top() + a.height() / 2;
    const int bMiddle = b.top() + b.height() / 2;
    return (aMiddle >= b.top() && aMiddle <= b.bottom()) || (bMiddle >= a.top() && bMiddle <= a.bottom());
}

bool liesAfter(const QRect& candidate, const QRect& from)
{
    if (sameRow(candidate, from))
        return candidate.center().x() > from.center().x();
    return candidate.center().y() > from.center().y();
}

struct Placed {
    QWidget* widget;
    QRect frame;
};

// The stops after from, with their frames.
std::vector<Placed> stopsAfter(const QWidget* from, bool (*accepts)(const QWidget*))
{
    std::vector<Placed> after;
    const QRect origin = frameInWindow(from);
    for (QWidget* w = from->nextInFocusChain(); w && w != from; w = w->nextInFocusChain()) {
        if (!isTabStop(w) || w->window() != from->window() || (accepts && !accepts(w)))
            continue;
        const QRect frame = frameInWindow(w);
        if (liesAfter(frame, origin))
            after.push_back({w, frame});
    }
    return after;
}

} // namespace

bool isTabStop(const QWidget* widget)
{
    const Qt::FocusPolicy stop
        = QGuiApplication::styleHints()->tabFocusBehavior() == Qt::TabFocusAllControls ? Qt::TabFocus : Qt::StrongFocus;
    const QWidget* top = widget->window();
    return widget != top && (widget->focusPolicy() & stop) == stop && widget->isEnabled() && widget->isVisibleTo(top)
        && !widget->focusProxy();
}

bool takesTypedText(const QWidget* widget)
{
    return widget->testAttribute(Qt::WA_InputMethodEnabled);
}

// On from's row the nearest to its right; else the row nearest below, from its left.
QWidget* nextShownStop(const QWidget* from, bool (*accepts)(const QWidget*))
{
    if (!from)
        return nullptr;
    const std::vector<Placed> after = stopsAfter(from, accepts);
    const QRect origin = frameInWindow(from);
    const Placed* best = nullptr;
    for (const Placed& p : after) {
        if (sameRow(p.frame, origin) && (!best || p.frame.left() < best->frame.left()))
            best = &p;
    }
    if (best)
        return best->widget;
    for (const Placed& p : after) {
        if (!best || p.frame.center().y() < best->frame.center().y())
            best = &p;
    }
    if (!best)
        return nullptr;
    const QRect row = best->frame;
    for (const Placed& p : after) {
        if (sameRow(p.frame, row) && p.frame.left() < best->frame.left())
            best = &p;
    }
    return best->widget;
}

bool isDateControl(const QWidget* widget)
{
    if (const auto* field = qobject_cast<const StdTextView*>(widget))
        return field->isDatePart();
    return widget && widget->objectName().startsWith(QLatin1String("button_calendrier"));
}
