#include "spreadsheet/ViewTableurCenter.h"

#include "spreadsheet/FenTableurController.h"
#include "toolkit/drawing/figures.h"

#include <QPainter>

namespace {

constexpr double kCellFontSize = 11;
// A cell's text keeps this far from the column's left line.
constexpr double kTextLeft = 4;

Qt::Alignment horizontalAlignment(unsigned long alignment)
{
    if (alignment == TableurProtocol::kAlignRight)
        return Qt::AlignRight;
    return alignment == TableurProtocol::kAlignCenter ? Qt::AlignHCenter : Qt::AlignLeft;
}

} // namespace

// The column's room was made for the figure at the cell font's size: a zone drawn at another
// scale draws the figure at that size scaled, never in a font rounded to another width.
void ViewTableurCenter::drawFigureInCell(QPainter& painter, long row, long column, const QRectF& cell) const
{
    const FenTableurController& controller = *fenTableurController();
    const QColor colour = controller.foregroundColorAtRow(row, column);
    if (!colour.isValid())
        return;
    const float f = zone_factor;
    painter.save();
    painter.translate(cell.topLeft());
    painter.scale(f, f);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setFont(controller.fontForCellAtRowIndex(row, column, kCellFontSize));
    painter.setPen(formesColorees ? colour : QColor(Qt::black));
    const QRectF room(kTextLeft, 0, controller.figureRoomOfColumn(column), cell.height() / f);
    drawFigure(painter, room, horizontalAlignment(controller.alignmentForCellAtRowIndex(row, column)),
               controller.currentValueForCell(controller.cellAtRow(row, column)));
    painter.restore();
}

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
            if (!controller.largestFigureAtRow(r, c).isEmpty())
                drawFigureInCell(painter, r, c, cellRect);
            else
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
