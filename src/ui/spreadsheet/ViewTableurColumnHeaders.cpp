#include "spreadsheet/ViewTableurColumnHeaders.h"

#include "spreadsheet/FenTableurController.h"
#include "spreadsheet/ScrollViewTableur.h"

#include <QCoreApplication>
#include <QPainter>
#include <QWheelEvent>

namespace {

constexpr double kHeaderFontSize = 11;

} // namespace

void ViewTableurColumnHeaders::drawCells(QPainter& painter)
{
    const FenTableurController& controller = *fenTableurController();
    const float f = zone_factor;
    const float height = controller.heightOfColumnHeader() * f;
    setAntialias(painter, false);
    float x = zone_x * f;
    for (long c = zone_col1; c <= zone_col2; ++c) {
        const float w = controller.widthOfColumnAtIndex(c) * f;
        // The first column's header also covers the content's left line.
        const QRectF header = c == 0 ? QRectF(x - 1, 0, w + 1, height) : QRectF(x, 0, w, height);
        fillRect(painter, header, controller.backgroundColorForHeaderAtColumn(c));
        const ColumnObject* column = controller.columnAtIndex(c);
        const bool hasRole = column && column->associatedObject().isValid();
        const QFont font = hasRole ? FenTableurController::defaultBoldFont(kHeaderFontSize * f)
                                   : controller.fontForColumnHeaderInDataSource(c, kHeaderFontSize * f);
        boxString(painter, column ? column->value() : QString(), header, font,
                  int(controller.alignmentOfColumnHeaderInDataSource(c)), 2,
                  controller.foregroundColorForHeaderAtColumn(c));
        floutageForCell(painter, column, header);
        x += w;
    }
}

void ViewTableurColumnHeaders::drawGrid(QPainter& painter)
{
    const FenTableurController& controller = *fenTableurController();
    const QColor color = controller.gridColor();
    if (!color.isValid())
        return;
    const float f = zone_factor;
    const float height = controller.heightOfColumnHeader() * f;
    setAntialias(painter, false);
    float x = zone_x * f;
    for (long c = zone_col1; c <= zone_col2; ++c) {
        x += controller.widthOfColumnAtIndex(c) * f;
        strokeLine(painter, QPointF(x, 0), QPointF(x, height), color);
    }
    const float top = controller.drawWithZone() ? 0 : f;
    strokeLine(painter, QPointF(0, top), QPointF(x, top), color);
    strokeLine(painter, QPointF(0, height), QPointF(x, height), color);
}

// The headers scroll with the content.
void ViewTableurColumnHeaders::wheelEvent(QWheelEvent* event)
{
    if (ScrollViewTableur* scroll = fenTableurController() ? fenTableurController()->scrollview() : nullptr)
        QCoreApplication::sendEvent(scroll->viewport(), event);
}
