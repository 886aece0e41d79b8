#include "spreadsheet/tableurgeometry.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr long kMaxRowsPerPage = 999;
constexpr float kHandleThickness = 4;

} // namespace

TableurVisibleRange tableurVisibleRange(long first, long count, const TableurSizeAt& sizeAt, float low, float high)
{
    TableurVisibleRange range;
    if (count <= 0)
        return range;
    const long end = first + count;
    range.first = first;
    range.last = end - 1;
    float edge = 0;
    long index = first;
    for (; index < end; ++index) {
        const float next = edge + sizeAt(index);
        if (next > low)
            break;
        edge = next;
    }
    if (index == end)
        return range;
    range.first = index;
    range.start = edge;
    for (; index < end; ++index) {
        edge += sizeAt(index);
        if (edge >= high) {
            range.last = index;
            break;
        }
    }
    return range;
}

long tableurIndexAtPosition(long first, long count, const TableurSizeAt& sizeAt, float origin, float position,
                            bool lastWhenBeyond)
{
    if (count <= 0)
        return lastWhenBeyond ? 0 : -1;
    float edge = origin;
    for (long index = first; index < first + count; ++index) {
        edge += sizeAt(index);
        if (edge > position)
            return index;
    }
    return lastWhenBeyond ? first + count - 1 : -1;
}

std::vector<TableurBand> tableurCutBands(long count, const TableurSizeAt& sizeAt, float header, float factor,
                                         float limit)
{
    std::vector<TableurBand> bands;
    const float start = header * factor;
    float edge = start;
    long first = 0;
    for (long index = 0; index < count; ++index) {
        const float size = sizeAt(index) * factor;
        edge += size;
        if (edge <= limit)
            continue;
        if (index > first) {
            bands.push_back({first, index - 1});
            first = index;
            edge = start + size;
        }
        if (edge > limit) {
            bands.push_back({index, index});
            first = index + 1;
            edge = start;
        }
    }
    if (first < count)
        bands.push_back({first, count - 1});
    return bands;
}

long tableurNumberOfPages(long rows, long perPage, long* rowsOnLastPage)
{
    long pages = 1;
    long last = std::max(0L, rows);
    if (perPage > 0 && rows > 0) {
        pages = (rows + perPage - 1) / perPage;
        last = rows - (pages - 1) * perPage;
    }
    if (rowsOnLastPage)
        *rowsOnLastPage = last;
    return pages;
}

long tableurFirstRowOfPage(long page, long perPage)
{
    return perPage > 0 ? perPage * std::max(0L, page - 1) : 0;
}

long tableurRowsOnPage(long page, long rows, long perPage)
{
    long last = 0;
    const long pages = tableurNumberOfPages(rows, perPage, &last);
    if (page < pages)
        return perPage > 0 ? perPage : std::max(0L, rows);
    return last;
}

long tableurClampedRowsPerPage(long value)
{
    return value < 1 ? 0 : std::min(value, kMaxRowsPerPage);
}

TableurDataPosition tableurDataPosition(long displayRow, long displayColumn, bool rotated)
{
    return rotated ? TableurDataPosition {displayColumn, displayRow} : TableurDataPosition {displayRow, displayColumn};
}

float tableurTruncatedSize(double size)
{
    return float(std::trunc(size));
}

float tableurClampedSize(float size, float minimum, float maximum)
{
    return std::min(maximum, std::max(minimum, size));
}

TableurAreas tableurJoinedAreas(const QSizeF& main, float rowHeaderWidth, float columnHeaderHeight)
{
    const double w = rowHeaderWidth;
    const double h = columnHeaderHeight;
    const double contentWidth = std::max(0.0, main.width() - w - 1);
    const double contentHeight = std::max(0.0, main.height() - h - 1);
    TableurAreas areas;
    areas.content = QRectF(w, h, contentWidth, contentHeight);
    areas.rowHeaders = QRectF(0, h, w, contentHeight);
    areas.columnHeaders = QRectF(w, 0, contentWidth, h);
    areas.crossBox = QRectF(0, 0, w, h);
    return areas;
}

QPointF tableurAutoscrolled(const QPointF& origin, const QRectF& frame, const QSizeF& document, const QPointF& mouse,
                            float step)
{
    double x = origin.x();
    double y = origin.y();
    const double roomX = document.width() - frame.width();
    const double roomY = document.height() - frame.height();
    if (mouse.x() > frame.right() && roomX > x)
        x = std::min(roomX, x + step);
    else if (x > 0 && mouse.x() < frame.left())
        x = std::max(x - step, 0.0);
    if (y > 0 && mouse.y() < frame.top())
        y = std::max(y - step, 0.0);
    else if (mouse.y() > frame.bottom() && roomY > y)
        y = std::min(roomY, y + step);
    return QPointF(x, y);
}

std::vector<TableurHandle> tableurColumnHandles(long count, const TableurSizeAt& widthAt, float height)
{
    std::vector<TableurHandle> handles;
    float x = 0;
    for (long index = 0; index < count; ++index) {
        x += widthAt(index);
        const float left = index == count - 1 ? x - kHandleThickness : x - 1;
        handles.push_back({QRectF(left, 0, kHandleThickness, height), 1, index});
        if (index == 0)
            handles.push_back({QRectF(-2, 0, kHandleThickness, height), 3, index});
    }
    return handles;
}

std::vector<TableurHandle> tableurRowHandles(long first, long count, const TableurSizeAt& heightAt, float width)
{
    std::vector<TableurHandle> handles;
    handles.reserve(size_t(std::max(0L, count)) + 1);
    float y = 0;
    for (long index = first; index < first + count; ++index) {
        y += heightAt(index);
        handles.push_back({QRectF(0, y - 1, width, kHandleThickness), 4, index});
        if (index == 0)
            handles.push_back({QRectF(0, -2, width, kHandleThickness), 2, index});
    }
    return handles;
}

QRectF tableurRectForFooter(const QRectF& page, float footerHeight, double factor)
{
    const double h = footerHeight * factor;
    return QRectF(page.x(), page.y() + page.height() - h, page.width(), h);
}

double tableurPdfFactor(const QSizeF& size, double factor)
{
    const double longest = std::max(size.width(), size.height()) * factor;
    return longest > kTableurPdfMaxSide ? factor * (kTableurPdfMaxSide / longest) : factor;
}
