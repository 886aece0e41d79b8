#include "spreadsheet/ViewTableurRowHeaders.h"

#include "spreadsheet/FenTableurController.h"
#include "spreadsheet/ScrollViewTableur.h"

#include <QCoreApplication>
#include <QPainter>
#include <QWheelEvent>

namespace {

constexpr double kHeaderFontSize = 11;

} // namespace

// One factor narrower than the header, so that the content's first line stays visible beside it.
float ViewTableurRowHeaders::bandWidth() const
{
    return fenTableurController()->widthOfRowHeader() * zone_factor - zone_factor;
}

void ViewTableurRowHeaders::drawCells(QPainter& painter)
{
    const FenTableurController& controller = *fenTableurController();
    const float f = zone_factor;
    const float width = bandWidth();
    setAntialias(painter, false);
    float y = zone_y * f;
    for (long r = zone_row1; r <= zone_row2; ++r) {
        const float h = controller.heightOfRowAtIndex(r) * f;
        const QRectF header(0, y, width, h);
        fillRect(painter, header, controller.backgroundColorForHeaderAtRow(r));
        const RowObject* row = controller.rowAtIndex(r);
        boxString(painter, row ? row->value() : QString(), QRectF(2, y, width - 4, h),
                  controller.fontForRowHeaderInDataSource(r, kHeaderFontSize * f),
                  int(controller.alignmentOfRowHeaderInDataSource(r)), 2, controller.foregroundColorForHeaderAtRow(r));
        floutageForCell(painter, row, header);
        y += h;
    }
}

void ViewTableurRowHeaders::drawGrid(QPainter& painter)
{
    const FenTableurController& controller = *fenTableurController();
    const QColor color = controller.gridColor();
    if (!color.isValid())
        return;
    const float f = zone_factor;
    const float width = bandWidth();
    setAntialias(painter, false);
    float y = zone_y * f;
    for (long r = zone_row1; r <= zone_row2; ++r) {
        y += controller.heightOfRowAtIndex(r) * f;
        strokeLine(painter, QPointF(0, y), QPointF(width, y), color);
    }
    strokeLine(painter, QPointF(0, 0), QPointF(0, y), color);
    strokeLine(painter, QPointF(width, 0), QPointF(width, y), color);
}

// The headers scroll with the content.
void ViewTableurRowHeaders::wheelEvent(QWheelEvent* event)
{
    if (ScrollViewTableur* scroll = fenTableurController() ? fenTableurController()->scrollview() : nullptr)
        QCoreApplication::sendEvent(scroll->viewport(), event);
}
