#pragma once
// The spreadsheet grid's arithmetic, apart from any widget: which rows and columns a rectangle
// shows, which one lies under a point, how the grid is cut into printed bands and into pages of
// rows, where its four areas go, the resize handles, automatic scrolling and the PDF page limit.
// Sizes and sums are single-precision floats, as the grid keeps them; rectangles are Qt's, y
// growing downward from the top-left corner of their band (or of the printed page).
#include <QPointF>
#include <QRectF>
#include <QSizeF>

#include <functional>
#include <vector>

// The size (height of a row, width of a column) of the item at an index.
using TableurSizeAt = std::function<float(long index)>;

// The items that meet the span [low, high) among count items from first, laid end to end from 0:
// the first whose far edge lies beyond low, with the position of its near edge, and the first
// from there whose far edge reaches high. Without items: first 0, last -1. When no item reaches
// low, every item (the defaults) with start 0; when none reaches high, up to the last.
struct TableurVisibleRange {
    long first = 0;
    long last = -1;
    float start = 0;
};
TableurVisibleRange tableurVisibleRange(long first, long count, const TableurSizeAt& sizeAt, float low, float high);

// The item under a position, the items laid end to end from origin: the first whose far edge lies
// beyond the position. A position past the last item gives the last item when lastWhenBeyond is
// set, else -1; without items 0 when lastWhenBeyond is set, else -1.
long tableurIndexAtPosition(long first, long count, const TableurSizeAt& sizeAt, float origin, float position,
                            bool lastWhenBeyond);

// A printed band: the items from first to last, both included.
struct TableurBand {
    long first = 0;
    long last = 0;
    bool operator==(const TableurBand&) const = default;
};
// Cuts count items into bands that fit the limit once the header (repeated on every page) and
// the items are scaled by the factor. A band always holds at least one item: an item too large
// for the limit on its own gets a band of its own (printed clipped). No items give no band.
std::vector<TableurBand> tableurCutBands(long count, const TableurSizeAt& sizeAt, float header, float factor,
                                         float limit);

// Pages of display rows: perPage 0 or less (or no rows) makes one page holding every row; the
// last page holds the remainder, or a full page when the division leaves none.
long tableurNumberOfPages(long rows, long perPage, long* rowsOnLastPage);
long tableurFirstRowOfPage(long page, long perPage);
long tableurRowsOnPage(long page, long rows, long perPage);
// The rows-per-page field: below 1 is 0 (one page), 999 and above is 999.
long tableurClampedRowsPerPage(long value);

// The data position shown at a display position: transposed when the grid is rotated.
struct TableurDataPosition {
    long row = 0;
    long column = 0;
    bool operator==(const TableurDataPosition&) const = default;
};
TableurDataPosition tableurDataPosition(long displayRow, long displayColumn, bool rotated);

// A new row height, column width or header size: whole points, truncated toward zero.
float tableurTruncatedSize(double size);
float tableurClampedSize(float size, float minimum, float maximum);

// The four areas inside the main view (size main) for a row-header band w wide and a
// column-header band h high: the corner box top left, the column headers along the top, the row
// headers down the left and the content; a one-point strip stays free along the right and the
// bottom edges.
struct TableurAreas {
    QRectF content;
    QRectF rowHeaders;
    QRectF columnHeaders;
    QRectF crossBox;
};
TableurAreas tableurJoinedAreas(const QSizeF& main, float rowHeaderWidth, float columnHeaderHeight);

// One step of automatic scrolling while a drag holds the mouse outside a band: the band's scroll
// origin moves by step toward the mouse, horizontally and vertically, without passing the edges
// of its document. frame and mouse are in the same coordinates.
QPointF tableurAutoscrolled(const QPointF& origin, const QRectF& frame, const QSizeF& document, const QPointF& mouse,
                            float step = 10);

// A resize handle: the area of a header band (in the band's document coordinates) where a press
// starts resizing, its zone (1 column width, 2 column-header height, 3 row-header width, 4 row
// height) and the index of the column or row it resizes.
struct TableurHandle {
    QRectF rect;
    int zone = 0;
    long index = 0;
};
// The column handles of the column-header band (h high): one on the right edge of every column,
// inside the band for the last, and the row-header width handle on the band's left edge.
std::vector<TableurHandle> tableurColumnHandles(long count, const TableurSizeAt& widthAt, float height);
// The row handles of the rows of a page (from first, count of them) in the row-header band (w
// wide): one on the bottom edge of every row, and the column-header height handle on the band's
// top edge when the page starts with the grid's first row.
std::vector<TableurHandle> tableurRowHandles(long first, long count, const TableurSizeAt& heightAt, float width);

// The footer band at the bottom of a page rectangle, footerHeight points scaled by the factor.
QRectF tableurRectForFooter(const QRectF& page, float footerHeight, double factor);

// Many PDF readers refuse a page longer than this on a side.
inline constexpr double kTableurPdfMaxSide = 14400;
// The factor that draws a page of that size (at factor 1) within the PDF limit: the factor
// asked, or less when the longer side would exceed the limit.
double tableurPdfFactor(const QSizeF& size, double factor);
