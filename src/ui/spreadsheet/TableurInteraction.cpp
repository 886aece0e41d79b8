#include "spreadsheet/TableurInteraction.h"

#include "spreadsheet/FenTableurController.h"
#include "spreadsheet/ScrollViewTableur.h"
#include "spreadsheet/ViewTableurCenter.h"
#include "spreadsheet/ViewTableurColumnHeaders.h"
#include "spreadsheet/ViewTableurRowHeaders.h"

#include <QMouseEvent>

#include <algorithm>

namespace {

using Zone = MouseStateObject::Zone;

constexpr int kAutoscrollMs = 30;

bool isColumnZone(int zone)
{
    return zone == Zone::kColumnWidth || zone == Zone::kRowHeaderWidth;
}

bool isRowZone(int zone)
{
    return zone == Zone::kColumnHeaderHeight || zone == Zone::kRowHeight;
}

bool isResizeZone(int zone)
{
    return isColumnZone(zone) || isRowZone(zone);
}

} // namespace

TableurInteraction::TableurInteraction(FenTableurController& controller)
    : m_controller(controller)
{
}

TableurInteraction::~TableurInteraction()
{
    stopAutoscroll();
}

void TableurInteraction::reset()
{
    stopAutoscroll();
    m_state = MouseStateObject();
    m_onHandle = false;
    m_columnHandles.clear();
    m_rowHandles.clear();
    if (ScrollViewTableur* mainView = m_controller.scrollview())
        mainView->unsetCursor();
}

// ---------------------------------------------------------------------------------------------
// Events

TableurInteraction::Modifier TableurInteraction::modifierOf(Qt::KeyboardModifiers modifiers, Qt::MouseButton button)
{
    const Qt::KeyboardModifiers keys
        = modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (button == Qt::RightButton)
        return keys == Qt::NoModifier ? Modifier::Control : Modifier::Other;
    if (keys == Qt::NoModifier)
        return Modifier::None;
    if (keys == Qt::ShiftModifier)
        return Modifier::Shift;
    if (keys == Qt::ControlModifier)
        return Modifier::Command;
    if (keys == Qt::MetaModifier)
        return Modifier::Control;
    return Modifier::Other;
}

void TableurInteraction::mousePress(QWidget* source, const QMouseEvent& event)
{
    if (event.button() != Qt::LeftButton && event.button() != Qt::RightButton)
        return;
    mouseDown(globalPointToLocalPoint(source, event.position()), modifierOf(event.modifiers(), event.button()),
              event.globalPosition().toPoint());
}

void TableurInteraction::mouseMove(QWidget* source, const QMouseEvent& event)
{
    const QPointF point = globalPointToLocalPoint(source, event.position());
    if (event.buttons() & Qt::LeftButton) {
        mouseDragged(point, modifierOf(event.modifiers(), Qt::NoButton));
        return;
    }
    const TableurHandle* handle = handleAtPoint(point);
    const bool same = handle && m_onHandle && handle->zone == m_state.zone && m_state.associatedObject1
        && handle->index
            == (isColumnZone(handle->zone) ? m_state.associatedObject1->columnIndex()
                                           : m_state.associatedObject1->rowIndex());
    if (same)
        return;
    if (m_onHandle)
        mouseExited();
    if (handle)
        mouseEntered(*handle);
}

void TableurInteraction::mouseRelease(QWidget*, const QMouseEvent& event)
{
    if (event.button() == Qt::LeftButton || event.button() == Qt::RightButton)
        mouseUp();
}

void TableurInteraction::mouseLeave()
{
    if (m_onHandle)
        mouseExited();
}

QPointF TableurInteraction::globalPointToLocalPoint(const QWidget* source, const QPointF& point) const
{
    const ScrollViewTableur* mainView = m_controller.scrollview();
    if (!source || !mainView || source == mainView || !mainView->isAncestorOf(source))
        return point;
    return source->mapTo(mainView, point);
}

// ---------------------------------------------------------------------------------------------
// Handles

void TableurInteraction::mouseEntered(const TableurHandle& handle)
{
    if (m_state.isDragging)
        return;
    CellObject* object = isColumnZone(handle.zone) ? static_cast<CellObject*>(m_controller.columnAtIndex(handle.index))
                                                   : static_cast<CellObject*>(m_controller.rowAtIndex(handle.index));
    if (!object)
        return;
    m_state.zone = handle.zone;
    m_state.associatedObject1 = object;
    m_onHandle = true;
    showResizeCursor(isColumnZone(handle.zone));
}

void TableurInteraction::mouseExited()
{
    if (m_state.isDragging)
        return;
    m_onHandle = false;
    if (!isResizeZone(m_state.zone) || !m_state.associatedObject1)
        return;
    if (ScrollViewTableur* mainView = m_controller.scrollview())
        mainView->unsetCursor();
    m_state.zone = Zone::kNone;
    m_state.associatedObject1 = nullptr;
}

void TableurInteraction::showResizeCursor(bool horizontal)
{
    if (ScrollViewTableur* mainView = m_controller.scrollview())
        mainView->setCursor(horizontal ? Qt::SplitHCursor : Qt::SplitVCursor);
}

void TableurInteraction::resetColumnTrackingWidthAreas()
{
    removeAllColumnsTrackingWidthAreas();
    m_columnHandles = tableurColumnHandles(
        m_controller.numberOfColumns(), [this](long j) { return m_controller.widthOfColumnAtIndex(j); },
        m_controller.heightOfColumnHeader());
}

void TableurInteraction::resetRowTrackingHeightAreas()
{
    removeAllRowsTrackingWidthAreas();
    m_rowHandles = tableurRowHandles(
        m_controller.firstRowInCurrentPage(), m_controller.numberOfRowsInCurrentPage(),
        [this](long i) { return m_controller.heightOfRowAtIndex(i); }, m_controller.widthOfRowHeader());
}

void TableurInteraction::resetTrackingAreas()
{
    resetColumnTrackingWidthAreas();
    resetRowTrackingHeightAreas();
}

void TableurInteraction::removeAllTrackingWidthAreas()
{
    removeAllColumnsTrackingWidthAreas();
    removeAllRowsTrackingWidthAreas();
}

// A handle counts only where its band shows it, as the band scrolls.
const TableurHandle* TableurInteraction::handleAtPoint(const QPointF& point) const
{
    const std::pair<const QWidget*, const std::vector<TableurHandle>*> bands[] = {
        {m_controller.viewTableurColumnHeaders(), &m_columnHandles},
        {m_controller.viewTableurRowHeaders(), &m_rowHandles},
    };
    for (const auto& [band, handles] : bands) {
        const QRectF frame = frameOf(band);
        if (!band || !frame.contains(point))
            continue;
        const QPointF inDocument = point - frame.topLeft() + m_controller.currentScrollOrigine(band);
        for (const TableurHandle& handle : *handles) {
            if (handle.rect.contains(inDocument))
                return &handle;
        }
    }
    return nullptr;
}

// ---------------------------------------------------------------------------------------------
// Press

void TableurInteraction::mouseDown(const QPointF& point, Modifier modifier, const QPoint& globalPos)
{
    m_state.lastClickedPoint = point;
    m_state.autoscrollSemaphoreOn = false;
    if (isResizeZone(m_state.zone)) {
        if (modifier != Modifier::Control)
            beginResize();
        return;
    }
    didMouseDownAtPoint(point, modifier, globalPos);
}

void TableurInteraction::beginResize()
{
    const CellObject* object = m_state.associatedObject1;
    switch (m_state.zone) {
    case Zone::kColumnWidth:
        m_initialWidth = object ? float(object->size().width()) : 0.0f;
        break;
    case Zone::kColumnHeaderHeight:
        m_initialHeight = m_controller.heightOfColumnHeader();
        break;
    case Zone::kRowHeaderWidth:
        m_initialWidth = m_controller.widthOfRowHeader();
        break;
    case Zone::kRowHeight:
        m_initialHeight = object ? float(object->size().height()) : 0.0f;
        break;
    default:
        break;
    }
}

QRectF TableurInteraction::frameOf(const QWidget* band) const
{
    return band ? QRectF(band->geometry()) : QRectF();
}

void TableurInteraction::didMouseDownAtPoint(const QPointF& point, Modifier modifier, const QPoint& globalPos)
{
    if (frameOf(m_controller.crossBox()).contains(point))
        m_controller.didMouseDownInCrossBoxAtPoint(point, globalPos);
    else if (frameOf(m_controller.viewTableurColumnHeaders()).contains(point))
        didMouseDownInColumnHeaderAtPoint(point, modifier, globalPos);
    else if (frameOf(m_controller.viewTableurRowHeaders()).contains(point))
        didMouseDownInRowHeaderAtPoint(point, modifier, globalPos);
    else if (frameOf(m_controller.viewTableurCenter()).contains(point))
        didMouseDownInContentAtPoint(point, modifier, globalPos);
}

// Shift and Ctrl change an existing selection only when the grid allows several columns;
// without one, or with no modifier, the click selects the column alone.
void TableurInteraction::didMouseDownInColumnHeaderAtPoint(const QPointF& point, Modifier modifier,
                                                           const QPoint& globalPos)
{
    if (m_state.zone != Zone::kNone)
        return;
    const long index = findColumnIndexAtLocalPoint(point);
    ColumnObject* column = m_controller.columnAtIndex(index);
    if (!column)
        return;
    m_state.zone = Zone::kDragColumnHeaders;
    m_state.associatedObject1 = m_state.associatedObject2 = column;
    const bool multi = m_controller.allowMultiColumnsSelection();
    if (modifier == Modifier::None || !m_controller.hasSelectedColumn())
        m_controller.selectColumnAtIndex(index);
    else if (modifier == Modifier::Shift && multi)
        m_controller.extendColumnsSelectionToIndex(index);
    else if (modifier == Modifier::Command && multi)
        m_controller.invertColumnsSelectionAtIndex(index);
    m_controller.drawScrollViews();
    if (modifier == Modifier::Control || m_controller.showMenuOnClickColumn()) {
        m_state.zone = Zone::kNone;
        m_controller.drawScrollViews();
        m_controller.showColumnMenuAtIndex(index, globalPos);
    }
}

void TableurInteraction::didMouseDownInRowHeaderAtPoint(const QPointF& point, Modifier modifier,
                                                        const QPoint& globalPos)
{
    if (m_state.zone != Zone::kNone)
        return;
    const long index = findRowIndexAtLocalPoint(point);
    RowObject* row = m_controller.rowAtIndex(index);
    if (!row)
        return;
    m_state.zone = Zone::kDragRowHeaders;
    m_state.associatedObject1 = m_state.associatedObject2 = row;
    const bool multi = m_controller.allowMultiRowsSelection();
    if (modifier == Modifier::None || !m_controller.hasSelectedRow())
        m_controller.selectRowAtIndex(index);
    else if (modifier == Modifier::Shift && multi)
        m_controller.extendRowsSelectionToIndex(index);
    else if (modifier == Modifier::Command && multi)
        m_controller.invertRowsSelectionAtIndex(index);
    m_controller.drawScrollViews();
    if (modifier == Modifier::Control || m_controller.showMenuOnClickRow()) {
        m_state.zone = Zone::kNone;
        m_controller.drawScrollViews();
        m_controller.showRowMenuAtIndex(index, globalPos);
    }
}

// Without multiple selection a Shift or Ctrl click still selects the cell, alone.
void TableurInteraction::didMouseDownInContentAtPoint(const QPointF& point, Modifier modifier, const QPoint& globalPos)
{
    const long row = findRowIndexAtLocalPoint(point);
    const long column = findColumnIndexAtLocalPoint(point);
    CellObject* cell = m_controller.cellAtRow(row, column);
    if (row < 0 || !cell)
        return;
    m_state.zone = Zone::kDragContent;
    m_state.associatedObject1 = m_state.associatedObject2 = cell;
    const bool multi = m_controller.allowMultiCellsSelection();
    const bool selected = m_controller.hasSelectedCell();
    if (modifier == Modifier::Command && multi && selected)
        m_controller.invertCellsSelectionAtRowIndex(row, column);
    else if (modifier == Modifier::Shift && multi && selected)
        m_controller.extendCellsSelectionToRowIndex(row, column);
    else if (!selected || modifier == Modifier::None || modifier == Modifier::Command || modifier == Modifier::Shift)
        m_controller.selectCellAtRowIndex(row, column);
    m_controller.drawScrollViews();
    if (modifier == Modifier::Control || m_controller.showMenuOnClickCell()) {
        m_state.zone = Zone::kNone;
        m_controller.drawScrollViews();
        m_controller.showCellMenuAtRowIndex(row, column, globalPos);
    }
}

long TableurInteraction::findColumnIndexAtLocalPoint(const QPointF& point) const
{
    const QPointF scroll = m_controller.currentScrollOrigine(m_controller.viewTableurColumnHeaders());
    const float origin = float(frameOf(m_controller.crossBox()).right());
    return tableurIndexAtPosition(
        0, m_controller.numberOfColumns(), [this](long j) { return m_controller.widthOfColumnAtIndex(j); }, origin,
        float(point.x() + scroll.x()), true);
}

long TableurInteraction::findRowIndexAtLocalPoint(const QPointF& point) const
{
    const QPointF scroll = m_controller.currentScrollOrigine(m_controller.viewTableurRowHeaders());
    const float origin = float(frameOf(m_controller.crossBox()).bottom());
    return tableurIndexAtPosition(
        m_controller.firstRowInCurrentPage(), m_controller.numberOfRowsInCurrentPage(),
        [this](long i) { return m_controller.heightOfRowAtIndex(i); }, origin, float(point.y() + scroll.y()), false);
}

// ---------------------------------------------------------------------------------------------
// Drag

void TableurInteraction::mouseDragged(const QPointF& point, Modifier modifier)
{
    m_state.isDragging = true;
    if (m_state.draggingSemaphoreOn)
        return;
    m_state.draggingSemaphoreOn = true;
    if (mouseDraggedAutoScroll(point))
        keepAutoscrolling(point, modifier);
    else
        stopAutoscroll();
    const QPointF delta = point - m_state.lastClickedPoint;
    switch (m_state.zone) {
    case Zone::kColumnWidth:
    case Zone::kColumnHeaderHeight:
    case Zone::kRowHeaderWidth:
    case Zone::kRowHeight:
        dragResize(delta);
        break;
    case Zone::kDragColumnHeaders:
        dragInColumnHeaders(point, modifier);
        break;
    case Zone::kDragRowHeaders:
        dragInRowHeaders(point, modifier);
        break;
    case Zone::kDragContent:
        didDragInContentAtPoint(point, modifier);
        break;
    default:
        break;
    }
    m_state.draggingSemaphoreOn = false;
}

void TableurInteraction::dragResize(const QPointF& delta)
{
    FenTableurController& grid = m_controller;
    const CellObject* object = m_state.associatedObject1;
    const float dx = float(delta.x());
    const float dy = float(delta.y()); // downward: a header or a row grows
    if (m_state.zone == Zone::kColumnWidth && object) {
        const long index = object->columnIndex();
        const float least = std::max(grid.minWidthOfColumn(), grid.figureWidthOfColumn(index));
        const float w = tableurClampedSize(m_initialWidth + dx, least, std::max(least, grid.maxWidthOfColumn()));
        if (w != grid.widthOfColumnAtIndex(index))
            grid.changeWidthOfColumnAtIndex(index, w);
    } else if (m_state.zone == Zone::kColumnHeaderHeight) {
        const float h
            = tableurClampedSize(m_initialHeight + dy, grid.minHeightOfColumnHeader(), grid.maxHeightOfColumnHeader());
        if (h != grid.heightOfColumnHeader())
            grid.changeHeightOfColumnsHeaderTo(h);
    } else if (m_state.zone == Zone::kRowHeaderWidth) {
        const float w = tableurClampedSize(m_initialWidth + dx, grid.minWidthOfRowHeader(), grid.maxWidthOfRowHeader());
        if (w != grid.widthOfRowHeader())
            grid.changeWidthOfRowsHeaderTo(w);
    } else if (m_state.zone == Zone::kRowHeight && object) {
        const float h = tableurClampedSize(m_initialHeight + dy, grid.minHeightOfRow(), grid.maxHeightOfRow());
        if (h != grid.heightOfRowAtIndex(object->rowIndex()))
            grid.changeHeightOfRowAtIndex(object->rowIndex(), h);
    }
}

void TableurInteraction::dragInColumnHeaders(const QPointF& point, Modifier modifier)
{
    ColumnObject* column = m_controller.columnAtIndex(findColumnIndexAtLocalPoint(point));
    if (!column || column == m_state.associatedObject2 || !m_state.associatedObject1)
        return;
    m_state.associatedObject2 = column;
    const long index = column->columnIndex();
    if (modifier == Modifier::Command)
        m_controller.invertColumnsSelectionAtIndex(index);
    else if (modifier == Modifier::Shift)
        m_controller.extendColumnsSelectionToIndex(index);
    else if (modifier == Modifier::None)
        m_controller.selectColumnsFromIndex(m_state.associatedObject1->columnIndex(), index);
    m_controller.drawScrollViews();
}

void TableurInteraction::dragInRowHeaders(const QPointF& point, Modifier modifier)
{
    RowObject* row = m_controller.rowAtIndex(findRowIndexAtLocalPoint(point));
    if (!row || row == m_state.associatedObject2 || !m_state.associatedObject1)
        return;
    m_state.associatedObject2 = row;
    const long index = row->rowIndex();
    if (modifier == Modifier::Command)
        m_controller.invertRowsSelectionAtIndex(index);
    else if (modifier == Modifier::Shift)
        m_controller.extendRowsSelectionToIndex(index);
    else if (modifier == Modifier::None)
        m_controller.selectRowsFromIndex(m_state.associatedObject1->rowIndex(), index);
    m_controller.drawScrollViews();
}

void TableurInteraction::didDragInContentAtPoint(const QPointF& point, Modifier modifier)
{
    const long row = findRowIndexAtLocalPoint(point);
    const long column = findColumnIndexAtLocalPoint(point);
    CellObject* cell = m_controller.cellAtRow(row, column);
    if (!cell || cell == m_state.associatedObject2)
        return;
    m_state.associatedObject2 = cell;
    const bool multi = m_controller.allowMultiCellsSelection();
    if (modifier == Modifier::Command && multi)
        m_controller.invertCellsSelectionAtRowIndex(row, column);
    else if (modifier == Modifier::Shift && multi)
        m_controller.extendCellsSelectionToRowIndex(row, column);
    else if (modifier == Modifier::None && multi)
        m_controller.selectCellsFromCell1(m_state.associatedObject1, cell);
    else if (modifier == Modifier::None || modifier == Modifier::Command || modifier == Modifier::Shift)
        m_controller.selectCellAtRowIndex(row, column);
    m_controller.drawScrollViews();
}

// ---------------------------------------------------------------------------------------------
// Automatic scrolling

ViewTableur* TableurInteraction::bandOfZone(int zone) const
{
    switch (zone) {
    case Zone::kColumnHeaderHeight:
    case Zone::kDragRowHeaders:
        return m_controller.viewTableurRowHeaders();
    case Zone::kRowHeaderWidth:
    case Zone::kDragColumnHeaders:
        return m_controller.viewTableurColumnHeaders();
    case Zone::kDragContent:
        return m_controller.viewTableurCenter();
    default:
        return nullptr;
    }
}

bool TableurInteraction::mouseDraggedAutoScroll(const QPointF& point)
{
    const ViewTableur* band = bandOfZone(m_state.zone);
    const ScrollViewTableur* mainView = m_controller.scrollview();
    if (!band || !mainView || m_state.autoscrollSemaphoreOn)
        return false;
    const QPointF origin = m_controller.currentScrollOrigine(band);
    const QRectF frame = frameOf(band);
    QSizeF document = mainView->contentSize();
    if (band == m_controller.viewTableurRowHeaders())
        document.setWidth(frame.width());
    else if (band == m_controller.viewTableurColumnHeaders())
        document.setHeight(frame.height());
    const QPointF scrolled = tableurAutoscrolled(origin, frame, document, point);
    if (scrolled == origin)
        return false;
    m_controller.setCurrentScrollOrigine(band, scrolled);
    return m_controller.currentScrollOrigine(band) != origin;
}

// While the button is held with the mouse outside the band, the drag is repeated every 30 ms,
// also inside a modal run (the grid may be a modal window's), until nothing moves any more.
void TableurInteraction::keepAutoscrolling(const QPointF& point, Modifier modifier)
{
    m_autoscrollPoint = point;
    m_autoscrollModifier = modifier;
    if (m_autoscroll)
        return;
    m_autoscroll = UiHost::instance().scheduler().every(
        kAutoscrollMs, IScheduler::Mode::ModalPanel,
        [this] {
            if (m_state.autoscrollSemaphoreOn)
                stopAutoscroll();
            else
                mouseDragged(m_autoscrollPoint, m_autoscrollModifier);
        },
        &m_controller);
}

void TableurInteraction::stopAutoscroll()
{
    if (!m_autoscroll)
        return;
    if (UiHost* host = UiHost::installed())
        host->scheduler().cancel(m_autoscroll);
    m_autoscroll = 0;
}

// ---------------------------------------------------------------------------------------------
// Release

void TableurInteraction::mouseUp()
{
    m_state.autoscrollSemaphoreOn = true;
    stopAutoscroll();
    const int zone = m_state.zone;
    if (isResizeZone(zone)) {
        if (ScrollViewTableur* mainView = m_controller.scrollview())
            mainView->unsetCursor();
        m_onHandle = false;
        // A new width or height moves the handles after it, and the header sizes size them all.
        if (m_state.isDragging)
            resetTrackingAreas();
    }
    m_state.isDragging = false;
    m_state.zone = Zone::kNone;
    m_state.associatedObject1 = nullptr;
    m_state.associatedObject2 = nullptr;
}
