#include "spreadsheet/ViewTableur.h"

#include "spreadsheet/CellObject.h"
#include "spreadsheet/FenTableurController.h"
#include "spreadsheet/TableurInteraction.h"
#include "spreadsheet/tableurgeometry.h"
#include "toolkit/drawing/drawing.h"
#include "toolkit/print/PrintView.h"

#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QPainter>

namespace {

constexpr double kLineWidth = 0.5;
constexpr float kVeilGrey = 0.6f;
constexpr float kVeilInvalidated = 0.5f;
constexpr float kVeilImplicit = 0.3f;

} // namespace

ViewTableur::ViewTableur(QWidget* parent)
    : QWidget(parent)
{
    setMouseTracking(true);
}

FenTableurController* ViewTableur::fenTableurController() const
{
    return m_controller;
}

void ViewTableur::setFenTableurController(FenTableurController* controller)
{
    m_controller = controller;
}

void ViewTableur::drawRect(QPainter& painter)
{
    if (!m_controller)
        return;
    prepareForDrawing(scrollsHorizontally(), scrollsVertically());
    drawCells(painter);
    drawGrid(painter);
}

void ViewTableur::prepareForDrawing(bool horizontal, bool vertical)
{
    zone_factor = 1;
    fondsColores = formesColorees = bordures = true;
    const FenTableurController& controller = *m_controller;
    if (controller.drawWithZone()) {
        zone_factor = controller.zoneFactor();
        zone_row1 = controller.zoneRowIndex1();
        zone_row2 = controller.zoneRowIndex2();
        zone_col1 = controller.zoneColumnIndex1();
        zone_col2 = controller.zoneColumnIndex2();
        zone_y = controller.heightOfColumnHeader();
        zone_x = controller.widthOfRowHeader();
        if (const PrintOperation* operation = controller.printOperation()) {
            const PrintInfo& info = operation->printInfo();
            fondsColores = info.svOptionFondsColores;
            formesColorees = info.svOptionTextesColores;
            bordures = info.svOptionAddBorders;
        }
        return;
    }
    const QRectF visible(controller.currentScrollOrigine(this), QSizeF(size()));
    if (horizontal)
        columnsIncludedInClipRect(visible, &zone_col1, &zone_col2, &zone_x);
    if (vertical)
        rowsIncludedInClipRect(visible, &zone_row1, &zone_row2, &zone_y);
}

void ViewTableur::rowsIncludedInClipRect(const QRectF& rect, long* row1, long* row2, float* y) const
{
    const FenTableurController& controller = *m_controller;
    const TableurVisibleRange range = tableurVisibleRange(
        controller.firstRowInCurrentPage(), controller.numberOfRowsInCurrentPage(),
        [&controller](long i) { return controller.heightOfRowAtIndex(i); }, float(rect.top()), float(rect.bottom()));
    *row1 = range.first;
    *row2 = range.last;
    *y = range.start;
}

void ViewTableur::columnsIncludedInClipRect(const QRectF& rect, long* col1, long* col2, float* x) const
{
    const FenTableurController& controller = *m_controller;
    const TableurVisibleRange range = tableurVisibleRange(
        0, controller.numberOfColumns(), [&controller](long j) { return controller.widthOfColumnAtIndex(j); },
        float(rect.left()), float(rect.right()));
    *col1 = range.first;
    *col2 = range.last;
    *x = range.start;
}

void ViewTableur::fillRect(QPainter& painter, const QRectF& rect, const QColor& color) const
{
    if (fondsColores && color.isValid())
        fillRectCG(painter, color, false, rect);
}

void ViewTableur::strokeLine(QPainter& painter, const QPointF& point1, const QPointF& point2, const QColor& color) const
{
    if (bordures)
        drawLineWithColor(painter, color, false, point1.x(), point1.y(), point2.x(), point2.y(), kLineWidth);
}

void ViewTableur::boxString(QPainter& painter, const QString& string, const QRectF& bounds, const QFont& font,
                            int hJust, int vJust, const QColor& textColor) const
{
    if (!textColor.isValid())
        return;
    const QColor color = formesColorees ? textColor : QColor(Qt::black);
    drawStringInRectWrapped(painter, string, font, hJust, vJust, color, QColor(), bounds, QColor(), true);
}

void ViewTableur::floutageForCell(QPainter& painter, const CellObject* cell, const QRectF& rect) const
{
    if (!cell || !(cell->invalidated() || cell->invalidatedImplicit()))
        return;
    const float alpha = cell->invalidated() ? kVeilInvalidated : kVeilImplicit;
    fillRect(painter, rect.translated(0, -1), QColor::fromRgbF(kVeilGrey, kVeilGrey, kVeilGrey, alpha));
}

void ViewTableur::setAntialias(QPainter& painter, bool antialias)
{
    painter.setRenderHint(QPainter::Antialiasing, antialias);
}

void ViewTableur::paintEvent(QPaintEvent*)
{
    if (!m_controller)
        return;
    QPainter painter(this);
    painter.translate(-m_controller->currentScrollOrigine(this));
    drawRect(painter);
}

void ViewTableur::mousePressEvent(QMouseEvent* event)
{
    if (m_controller)
        m_controller->interaction().mousePress(this, *event);
    event->accept();
}

void ViewTableur::mouseMoveEvent(QMouseEvent* event)
{
    if (m_controller)
        m_controller->interaction().mouseMove(this, *event);
    event->accept();
}

void ViewTableur::mouseReleaseEvent(QMouseEvent* event)
{
    if (m_controller)
        m_controller->interaction().mouseRelease(this, *event);
    event->accept();
}

void ViewTableur::leaveEvent(QEvent* event)
{
    if (m_controller)
        m_controller->interaction().mouseLeave();
    QWidget::leaveEvent(event);
}

// The right button's press already asked for the menu.
void ViewTableur::contextMenuEvent(QContextMenuEvent* event)
{
    event->accept();
}
