#include "spreadsheet/ViewTableurCenter.h"

#include "spreadsheet/FenTableurController.h"

#include <QPainter>

namespace {

constexpr double kCellFontSize = 11;

} // namespace

void ViewTableurCenter::drawCells(QPainter& painter)
{
    const FenTableurController& controller = *fenTableurController();
    const float f = zone_factor;
    setAntialias(painter, false);
    float y = zone_y * f;
    for (long r = zone_row1; r <= zone_row2; ++r) {
        const float h = controller.heightOfRowAtIndex(r) * f;
        float x = zone_x * f;
        for (long c = zone_col1; c <= zone_col2; ++c) {
            const float w = controller.widthOfColumnAtIndex(c) * f;
            const QRectF cellRect(x, y, w, h);
            fillRect(painter, cellRect, controller.backgroundColorAtRow(r, c));
            const QRectF textRect(x + 1, y, w - 4, h);
            const CellObject* cell = controller.cellAtRow(r, c);
            boxString(painter, controller.currentValueForCell(cell), textRect,
                      controller.fontForCellAtRowIndex(r, c, kCellFontSize * f),
                      int(controller.alignmentForCellAtRowIndex(r, c)), 2, controller.foregroundColorAtRow(r, c));
            floutageForCell(painter, cell, cellRect);
            x += w;
        }
        y += h;
    }
}

void ViewTableurCenter::drawGrid(QPainter& painter)
{
    const FenTableurController& controller = *fenTableurController();
    const QColor color = controller.gridColor();
    if (!color.isValid())
        return;
    const float f = zone_factor;
    setAntialias(painter, false);
    const float width = controller.totalWidthFromColumnIndex(zone_col1, zone_col2) * f;
    const float height = controller.totalHeightFromRowIndex(zone_row1, zone_row2) * f;
    const float left = zone_x * f;
    const float top = zone_y * f;
    float y = top;
    for (long r = zone_row1; r <= zone_row2; ++r) {
        y += controller.heightOfRowAtIndex(r) * f;
        strokeLine(painter, QPointF(left - 1, y), QPointF(left + width, y), color);
    }
    float x = left;
    for (long c = zone_col1; c <= zone_col2; ++c) {
        x += controller.widthOfColumnAtIndex(c) * f;
        strokeLine(painter, QPointF(x, top), QPointF(x, top + height), color);
    }
}
