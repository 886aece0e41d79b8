#include "toolkit/tables/StdTableView.h"

#include "toolkit/tables/StdCell.h"
#include "toolkit/tables/StdRowDelegate.h"
#include "toolkit/windows/StdWindow.h"

#include <QDrag>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>

#include <algorithm>

namespace {

constexpr int kDefaultRowHeight = 20;

// Keys that carry no character of their own (the up and down arrows, page keys, function keys):
// they keep the table's standard handling.
bool isFunctionKey(int qtKey, int code)
{
    return qtKey >= Qt::Key_Escape && code != kKeyLeftArrow && code != kKeyRightArrow && code != kKeyReturn
        && code != kKeyDelete && code != kKeyTab && code != kKeyEscape;
}

} // namespace

StdTableView::StdTableView(QWidget* parent)
    : QTableView(parent)
    , m_model(new StdTableModel(this))
    , m_rowDelegate(new StdRowDelegate(this))
{
    setModel(m_model);
    setItemDelegate(m_rowDelegate);
    setSelectionBehavior(SelectRows);
    setSelectionMode(ExtendedSelection);
    setEditTriggers(NoEditTriggers);
    setShowGrid(false);
    setWordWrap(false);
    setTabKeyNavigation(false);
    setVerticalScrollMode(ScrollPerPixel);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    horizontalHeader()->hide();
    horizontalHeader()->setStretchLastSection(true);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    setUniformRowHeight(kDefaultRowHeight);
    hideStyleSelection();

    // Rows travel between the tables of a window; the window tints the row a drag is over, so
    // the table's own drop marker stays hidden.
    setDragEnabled(true);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    setDragDropMode(DragDrop);
    setDefaultDropAction(Qt::MoveAction);
    setDragDropOverwriteMode(false);
    setDropIndicatorShown(false);

    connect(this, &QAbstractItemView::doubleClicked, this, [this] {
        if (IStdTableSource* src = source())
            src->didDoubleClick(this);
    });
}

StdTableView::~StdTableView()
{
    // The source may be half destroyed already: nothing is asked of it any more.
    m_model->setSource(nullptr);
}

// The window paints the selection in the rows' background boxes; the style's own highlight would
// show through a row without one.
void StdTableView::hideStyleSelection()
{
    QPalette colors = palette();
    colors.setColor(QPalette::Active, QPalette::Highlight, Qt::transparent);
    colors.setColor(QPalette::Inactive, QPalette::Highlight, Qt::transparent);
    setPalette(colors);
}

void StdTableView::setSource(IStdTableSource* source)
{
    m_model->setSource(source);
}

void StdTableView::setUniformRowHeight(int height)
{
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(std::max(1, height));
}

int StdTableView::uniformRowHeight() const
{
    return verticalHeader()->defaultSectionSize();
}

void StdTableView::setCurrentRowForDragging(qint64 row)
{
    const qint64 old = m_currentRowForDragging;
    m_currentRowForDragging = row;
    repaintRow(old);
    repaintRow(row);
}

void StdTableView::repaintRow(qint64 row)
{
    if (row < 0 || row >= numberOfRows())
        return;
    viewport()->update(visualRect(m_model->index(static_cast<int>(row), 0)));
}

// ---------------------------------------------------------------------------------------------
// Selection and scrolling

IndexSet StdTableView::selectedRowIndexes() const
{
    IndexSet rows;
    const QItemSelection selection = selectionModel()->selection();
    for (const QItemSelectionRange& range : selection) {
        for (int row = range.top(); row <= range.bottom(); ++row)
            rows.insert(rows.end(), row);
    }
    return rows;
}

QItemSelection StdTableView::rowSelection(const IndexSet& rows) const
{
    QItemSelection selection;
    const int count = numberOfRows();
    for (auto it = rows.begin(); it != rows.end() && *it < count;) {
        const int top = *it;
        int bottom = top;
        for (++it; it != rows.end() && *it == bottom + 1 && *it < count; ++it)
            ++bottom;
        selection.select(m_model->index(top, 0), m_model->index(bottom, 0));
    }
    return selection;
}

bool StdTableView::isRowSelected(int row) const
{
    return row >= 0 && row < numberOfRows() && selectionModel()->isRowSelected(row);
}

void StdTableView::reloadDataForRowIndexes(const IndexSet& rows)
{
    const VisibleRows visible = rowsInVisibleRect();
    if (visible.count <= 0)
        return;
    const auto end = rows.upper_bound(visible.first + visible.count - 1);
    for (auto it = rows.lower_bound(visible.first); it != end; ++it)
        repaintRow(*it);
}

void StdTableView::hiliteTable(bool hilite)
{
    m_hilitedState = hilite;
    reloadDataForRowIndexes(selectedRowIndexes());
}

// Makes the row current without the view's own scrolling, which would move the rows before the
// smart scroll could measure them.
void StdTableView::selectCurrentRow(int row, QItemSelectionModel::SelectionFlags command)
{
    const bool autoScroll = hasAutoScroll();
    setAutoScroll(false);
    selectionModel()->setCurrentIndex(m_model->index(row, 0), command | QItemSelectionModel::Rows);
    setAutoScroll(autoScroll);
}

void StdTableView::GO(int row)
{
    // The row is selected already: selecting it again would tell the source of a change that is
    // none, but the arrows must still go on from it.
    if (selectionMode() == SingleSelection && isRowSelected(row)) {
        followSelection(row);
        return;
    }
    if (row >= 0 && row < numberOfRows()) {
        selectCurrentRow(row, QItemSelectionModel::ClearAndSelect);
        smartScrollRowToVisible(row);
        return;
    }
    clearSelection();
    if (IStdTableSource* src = source())
        src->tableViewSelectionDidChangeForTable(this);
}

StdTableView::VisibleRows StdTableView::rowsInVisibleRect()
{
    executeDelayedItemsLayout();
    const int rows = numberOfRows();
    const int first = rowAt(0);
    if (rows == 0 || first < 0)
        return {};
    int last = rowAt(std::max(0, viewport()->height() - 1));
    if (last < 0)
        last = rows - 1;
    return {first, last - first + 1};
}

void StdTableView::smartScrollRowToVisible(int row)
{
    const VisibleRows visible = rowsInVisibleRect();
    int aim = row;
    if (visible.count >= 5) {
        if (row <= visible.first)
            aim = row - visible.count / 2;
        else if (row > visible.first + visible.count - 1)
            aim = row + visible.count / 2;
        aim = std::max(std::min(aim, numberOfRows() - 1), 0);
    }
    if (aim >= 0 && aim < numberOfRows())
        scrollTo(m_model->index(aim, 0), EnsureVisible);
}

void StdTableView::reloadData()
{
    const int scrolled = verticalScrollBar()->value();
    m_model->reload();
    executeDelayedItemsLayout();
    verticalScrollBar()->setValue(scrolled);
    if (IStdTableSource* src = source())
        src->tableDidReloadData(this);
}

void StdTableView::SMART_RELOAD()
{
    const IndexSet selected = selectedRowIndexes();
    const int current = currentIndex().row();
    reloadData();
    const int rows = numberOfRows();
    if (current >= 0 && current < rows)
        selectCurrentRow(current, QItemSelectionModel::NoUpdate);
    const QItemSelection selection = rowSelection(selected);
    if (!selection.isEmpty())
        selectionModel()->select(selection, QItemSelectionModel::Select | QItemSelectionModel::Rows);
    if (current < 0 || current >= rows)
        followSelection(-1);
}

void StdTableView::followSelection(int preferred)
{
    int row = preferred;
    if (!isRowSelected(row)) {
        const IndexSet selected = selectedRowIndexes();
        if (selected.empty())
            return;
        row = *selected.rbegin();
    }
    if (currentIndex().row() != row)
        selectCurrentRow(row, QItemSelectionModel::NoUpdate);
}

int StdTableView::globalPointToRow(const QPoint& windowPoint) const
{
    if (!source())
        return -1;
    return indexAt(viewport()->mapFrom(window(), windowPoint)).row();
}

void StdTableView::keyboardSearch(const QString&) { }

void StdTableView::selectionChanged(const QItemSelection& selected, const QItemSelection& deselected)
{
    QTableView::selectionChanged(selected, deselected);
    if (IStdTableSource* src = source())
        src->tableViewSelectionDidChange(this);
}

// ---------------------------------------------------------------------------------------------
// Keys, clicks and focus

// Plain keys (no modifier, no function key) and the left and right arrows go to the window
// first; everything else keeps the table's own handling (the up and down arrows move the
// selection, shifted keys extend it).
bool StdTableView::keyGoesToSource(const QKeyEvent* event, int key) const
{
    if (key == kKeyLeftArrow || key == kKeyRightArrow)
        return true;
    const Qt::KeyboardModifiers modifiers
        = event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    return key != 0 && modifiers == Qt::NoModifier && !isFunctionKey(event->key(), key);
}

void StdTableView::keyPressEvent(QKeyEvent* event)
{
    if (!m_canChangeSelection || interceptKeyDownEvent(event)) {
        event->accept();
        return;
    }
    const int key = svKeyCode(event);
    IStdTableSource* src = source();
    if (src && keyGoesToSource(event, key) && src->didKeyDown(this, key)) {
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

// The right button alone: Ctrl-click is the desktop's way of adding a row to the selection.
bool StdTableView::isContextClick(const QMouseEvent* event)
{
    return event->button() == Qt::RightButton;
}

void StdTableView::openContextMenu(const QPoint& viewportPoint, const QPoint& globalPoint)
{
    IStdTableSource* src = source();
    const int row = rowAt(viewportPoint.y());
    if (!src || row < 0)
        return;
    StdCell* cell = src->cellForRow(this, row);
    if (!cell)
        return;
    cell->setTableView(this);
    cell->menuContextuel(viewport()->mapTo(window(), viewportPoint), globalPoint);
}

void StdTableView::mousePressEvent(QMouseEvent* event)
{
    m_dragRefused = false;
    if (!m_canChangeSelection) {
        event->accept();
        return;
    }
    if (isContextClick(event)) {
        event->accept();
        openContextMenu(event->position().toPoint(), event->globalPosition().toPoint());
        return;
    }
    QTableView::mousePressEvent(event);
}

void StdTableView::mouseMoveEvent(QMouseEvent* event)
{
    if (event->buttons() != Qt::NoButton && (!m_canChangeSelection || m_dragRefused)) {
        event->accept();
        return;
    }
    QTableView::mouseMoveEvent(event);
}

void StdTableView::mouseReleaseEvent(QMouseEvent* event)
{
    m_dragRefused = false;
    if (!m_canChangeSelection) {
        event->accept();
        return;
    }
    QTableView::mouseReleaseEvent(event);
}

void StdTableView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (!m_canChangeSelection || isContextClick(event)) {
        event->accept();
        return;
    }
    QTableView::mouseDoubleClickEvent(event);
}

// Context clicks open their menu on the mouse press; the menu key keeps the standard handling.
void StdTableView::contextMenuEvent(QContextMenuEvent* event)
{
    if (event->reason() == QContextMenuEvent::Mouse) {
        event->accept();
        return;
    }
    QTableView::contextMenuEvent(event);
}

void StdTableView::focusInEvent(QFocusEvent* event)
{
    QTableView::focusInEvent(event);
    if (event->reason() != Qt::PopupFocusReason)
        hiliteTable(true);
}

void StdTableView::focusOutEvent(QFocusEvent* event)
{
    QTableView::focusOutEvent(event);
    if (event->reason() != Qt::PopupFocusReason)
        hiliteTable(false);
}

// ---------------------------------------------------------------------------------------------
// Dragging rows

void StdTableView::startDrag(Qt::DropActions supportedActions)
{
    QMimeData* mime = m_model->mimeData(selectionModel()->selectedRows());
    if (!mime) {
        m_dragRefused = true;
        return;
    }
    auto* drag = new QDrag(this);
    drag->setMimeData(mime);
    IStdTableSource* src = source();
    if (src) {
        const QPixmap image = src->dragImage();
        if (!image.isNull())
            drag->setPixmap(image);
    }
    drag->exec(supportedActions, Qt::MoveAction);
    src = source();
    if (src)
        src->didEndDragging(this);
}

// A drag that leaves the table leaves no row tinted.
void StdTableView::dragLeaveEvent(QDragLeaveEvent* event)
{
    QTableView::dragLeaveEvent(event);
    if (m_currentRowForDragging >= 0)
        setCurrentRowForDragging(-1);
}
