#include "toolkit/fields/shownorder.h"

#include <QAbstractItemModel>
#include <QAbstractItemView>
#include <QBoxLayout>
#include <QFormLayout>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLayout>
#include <QSet>
#include <QStyleHints>
#include <QTabBar>
#include <QWidget>

#include <algorithm>
#include <cstddef>
#include <tuple>
#include <utility>
#include <vector>

namespace {

void collectWidget(QWidget* widget, std::vector<QWidget*>& order);

// Where an item shows within its layout, as a reader meets it: a grid or a form row by row, a
// row's cells left to right; a box in its own direction.
int readingKey(const QLayout& layout, int index)
{
    if (const auto* grid = qobject_cast<const QGridLayout*>(&layout)) {
        int row = 0;
        int column = 0;
        int rowSpan = 0;
        int columnSpan = 0;
        grid->getItemPosition(index, &row, &column, &rowSpan, &columnSpan);
        return row * (grid->columnCount() + 1) + column;
    }
    if (const auto* form = qobject_cast<const QFormLayout*>(&layout)) {
        int row = 0;
        QFormLayout::ItemRole role = QFormLayout::LabelRole;
        form->getItemPosition(index, &row, &role);
        return row * 3 + int(role);
    }
    if (const auto* box = qobject_cast<const QBoxLayout*>(&layout)) {
        const QBoxLayout::Direction direction = box->direction();
        if (direction == QBoxLayout::RightToLeft || direction == QBoxLayout::BottomToTop)
            return -index;
    }
    return index;
}

void collectLayout(QLayout& layout, std::vector<QWidget*>& order)
{
    std::vector<std::pair<int, QLayoutItem*>> items;
    items.reserve(std::size_t(layout.count()));
    for (int i = 0; i < layout.count(); ++i)
        items.emplace_back(readingKey(layout, i), layout.itemAt(i));
    std::stable_sort(items.begin(), items.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& [key, item] : items) {
        if (QWidget* widget = item->widget())
            collectWidget(widget, order);
        else if (QLayout* inner = item->layout())
            collectLayout(*inner, order);
    }
}

// The controls inside the container: those of its layout as the layout shows them, then the
// children it places itself (a scroll area's page, a placed header), top to bottom, left to right.
// Until a tab widget is first shown, its tabs and its pages lie at one place: the tabs read first.
void collectChildren(QWidget& container, std::vector<QWidget*>& order)
{
    const std::size_t start = order.size();
    if (QLayout* layout = container.layout())
        collectLayout(*layout, order);
    const QSet<const QWidget*> laidOut(order.begin() + std::ptrdiff_t(start), order.end());
    std::vector<QWidget*> free;
    for (QObject* child : container.children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (widget && !widget->isWindow() && !laidOut.contains(widget))
            free.push_back(widget);
    }
    std::stable_sort(free.begin(), free.end(), [](const QWidget* a, const QWidget* b) {
        const auto place
            = [](const QWidget* w) { return std::make_tuple(w->y(), w->x(), !qobject_cast<const QTabBar*>(w)); };
        return place(a) < place(b);
    });
    for (QWidget* widget : free)
        collectWidget(widget, order);
}

// A control is listed before what it holds (the line of an editable pop-up).
void collectWidget(QWidget* widget, std::vector<QWidget*>& order)
{
    if (widget->isWindow())
        return;
    order.push_back(widget);
    collectChildren(*widget, order);
}

QWidget* step(const QWidget* widget, bool next)
{
    return next ? widget->nextInFocusChain() : widget->previousInFocusChain();
}

// A list with rows to open, move through and delete; an empty one does nothing with a key.
bool holdsRows(const QWidget* widget)
{
    const auto* list = qobject_cast<const QAbstractItemView*>(widget);
    return list && list->model() && list->model()->rowCount(list->rootIndex()) > 0;
}

bool takesKeyboard(const QWidget* widget)
{
    return widget->focusPolicy() != Qt::NoFocus && !widget->focusProxy();
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

QWidget* orderFocusChain(QWidget* window)
{
    std::vector<QWidget*> shown;
    collectChildren(*window, shown);
    QWidget* previous = nullptr;
    QWidget* first = nullptr;
    for (QWidget* widget : shown) {
        if (!takesKeyboard(widget))
            continue;
        if (auto* list = qobject_cast<QAbstractItemView*>(widget))
            list->setTabKeyNavigation(false);
        if (previous)
            QWidget::setTabOrder(previous, widget);
        else
            first = widget;
        previous = widget;
    }
    return first;
}

QWidget* firstKeyStop(QWidget* window)
{
    QWidget* first = orderFocusChain(window);
    if (!first)
        return nullptr;
    QWidget* firstStop = nullptr;
    QWidget* w = first;
    do {
        if (w->window() == window && isTabStop(w)) {
            if (takesTypedText(w) || holdsRows(w))
                return w;
            if (!firstStop)
                firstStop = w;
        }
        w = w->nextInFocusChain();
    } while (w && w != first);
    return firstStop;
}

// Qt's own walk also stops at a control that hands the keyboard to another (a tab widget to its
// bar), wherever the chain holds it, and only in one direction; the walk here takes the stops alone.
QWidget* tabStopBeside(QWidget* window, bool next)
{
    QWidget* first = orderFocusChain(window);
    const QWidget* from = window->focusWidget();
    if (!from) {
        if (!first || (next && isTabStop(first)))
            return first;
        from = first;
    }
    for (QWidget* w = step(from, next); w && w != from; w = step(w, next)) {
        if (w->window() == window && isTabStop(w))
            return w;
    }
    return nullptr;
}

QWidget* nextShownStop(const QWidget* from, bool (*accepts)(const QWidget*))
{
    if (!from)
        return nullptr;
    QWidget* top = from->window();
    const QWidget* end = orderFocusChain(top);
    for (QWidget* w = from->nextInFocusChain(); w && w != from && w != end; w = w->nextInFocusChain()) {
        if (w->window() == top && isTabStop(w) && (!accepts || accepts(w)))
            return w;
    }
    return nullptr;
}
