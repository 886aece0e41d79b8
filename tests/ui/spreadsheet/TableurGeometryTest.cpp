// The grid's arithmetic without widgets: visible rows, hit-testing, printed bands, pages, sizes,
// the four areas, handles, automatic scrolling and the PDF page limit.
#include "spreadsheet/tableurgeometry.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TableurSizeAt sizes(std::vector<float> values)
{
    return [values](long i) { return values.at(size_t(i)); };
}

TableurSizeAt uniform(float size)
{
    return [size](long) { return size; };
}

} // namespace

TEST(TableurGeometry, VisibleRangeStartsAtAHalfHiddenRowAndEndsAtTheFirstReachingTheBottom)
{
    struct Case {
        float low, high;
        long first, last;
        float start;
    };
    // Rows of 32 points from row 10 (a page starting there), 20 rows.
    const Case cases[] = {
        {0, 100, 10, 13, 0}, // 4 * 32 = 128 >= 100
        {40, 140, 11, 14, 32}, // row 11 (32..64) is half hidden at the top: drawn from its own top
        {64, 96, 12, 12, 64}, // exactly one row
        {630, 900, 29, 29, 608}, // only the last row; none reaches the bottom
        {700, 900, 10, 29, 0}, // past every row: the whole page, from 0
    };
    for (const Case& c : cases) {
        const TableurVisibleRange range = tableurVisibleRange(10, 20, uniform(32), c.low, c.high);
        EXPECT_EQ(range.first, c.first) << c.low;
        EXPECT_EQ(range.last, c.last) << c.low;
        EXPECT_FLOAT_EQ(range.start, c.start) << c.low;
    }
    const TableurVisibleRange none = tableurVisibleRange(0, 0, uniform(32), 0, 100);
    EXPECT_EQ(none.first, 0);
    EXPECT_EQ(none.last, -1);
}

TEST(TableurGeometry, IndexUnderAPositionPastTheLastIsTheLastColumnButNoRow)
{
    const TableurSizeAt widths = sizes({80, 50, 120});
    EXPECT_EQ(tableurIndexAtPosition(0, 3, widths, 40, 40, true), 0);
    EXPECT_EQ(tableurIndexAtPosition(0, 3, widths, 40, 119.9f, true), 0);
    EXPECT_EQ(tableurIndexAtPosition(0, 3, widths, 40, 120, true), 1);
    EXPECT_EQ(tableurIndexAtPosition(0, 3, widths, 40, 1000, true), 2);
    EXPECT_EQ(tableurIndexAtPosition(0, 3, widths, 40, 1000, false), -1);
    EXPECT_EQ(tableurIndexAtPosition(0, 0, widths, 40, 50, true), 0);
    EXPECT_EQ(tableurIndexAtPosition(0, 0, widths, 40, 50, false), -1);
    // Rows of a second page of 3 (rows 3 to 5) under a header 20 high.
    EXPECT_EQ(tableurIndexAtPosition(3, 3, uniform(32), 20, 60, false), 4);
}

TEST(TableurGeometry, BandsFitTheLimitAndAnOversizeItemGetsABandOfItsOwn)
{
    struct Case {
        const char* name;
        std::vector<float> items;
        float header, factor, limit;
        std::vector<TableurBand> bands;
    };
    const std::vector<Case> cases = {
        {"all fit at 100 %", {80, 80, 80}, 40, 1, 400, {{0, 2}}},
        {"the header repeats on every band", {80, 80, 80, 80, 80, 80}, 40, 1, 300, {{0, 2}, {3, 5}}},
        {"at 50 % more fit", {80, 80, 80, 80, 80, 80}, 40, 0.5f, 300, {{0, 5}}},
        {"an oversize item alone, between others", {80, 500, 80}, 40, 1, 300, {{0, 0}, {1, 1}, {2, 2}}},
        {"an oversize first item", {500, 80}, 40, 1, 300, {{0, 0}, {1, 1}}},
        {"the header alone is too large", {10, 10}, 400, 1, 300, {{0, 0}, {1, 1}}},
        {"no items", {}, 40, 1, 300, {}},
    };
    for (const Case& c : cases) {
        const std::vector<float> items = c.items;
        const auto bands = tableurCutBands(long(items.size()), sizes(items), c.header, c.factor, c.limit);
        EXPECT_EQ(bands, c.bands) << c.name;
    }
}

TEST(TableurGeometry, PagesOfRows)
{
    struct Case {
        long rows, perPage, pages, last;
    };
    const Case cases[] = {
        {600, 300, 2, 300}, {601, 300, 3, 1}, {599, 300, 2, 299}, {600, 0, 1, 600}, {0, 300, 1, 0}, {5, -3, 1, 5},
    };
    for (const Case& c : cases) {
        long last = -1;
        EXPECT_EQ(tableurNumberOfPages(c.rows, c.perPage, &last), c.pages) << c.rows << " / " << c.perPage;
        EXPECT_EQ(last, c.last) << c.rows << " / " << c.perPage;
    }
    EXPECT_EQ(tableurFirstRowOfPage(2, 300), 300);
    EXPECT_EQ(tableurFirstRowOfPage(3, 0), 0);
    EXPECT_EQ(tableurRowsOnPage(1, 601, 300), 300);
    EXPECT_EQ(tableurRowsOnPage(3, 601, 300), 1);
    EXPECT_EQ(tableurRowsOnPage(1, 601, 0), 601);
    EXPECT_EQ(tableurClampedRowsPerPage(-5), 0);
    EXPECT_EQ(tableurClampedRowsPerPage(0), 0);
    EXPECT_EQ(tableurClampedRowsPerPage(998), 998);
    EXPECT_EQ(tableurClampedRowsPerPage(5000), 999);
}

TEST(TableurGeometry, RotationTruncationAndClamping)
{
    // A rotated 3 x 2 table: display cell (1, 2) shows data row 2, column 1.
    EXPECT_EQ(tableurDataPosition(1, 2, true), (TableurDataPosition {2, 1}));
    EXPECT_EQ(tableurDataPosition(1, 2, false), (TableurDataPosition {1, 2}));
    EXPECT_EQ(tableurTruncatedSize(57.9), 57);
    EXPECT_EQ(tableurTruncatedSize(20.5), 20);
    EXPECT_EQ(tableurClampedSize(80 + 500, 20, 300), 300);
    EXPECT_EQ(tableurClampedSize(80 - 100, 20, 300), 20);
}

TEST(TableurGeometry, FourAreasLeaveAOnePointStripRightAndBelow)
{
    const TableurAreas areas = tableurJoinedAreas(QSizeF(500, 300), 40, 20);
    EXPECT_EQ(areas.crossBox, QRectF(0, 0, 40, 20));
    EXPECT_EQ(areas.columnHeaders, QRectF(40, 0, 459, 20));
    EXPECT_EQ(areas.rowHeaders, QRectF(0, 20, 40, 279));
    EXPECT_EQ(areas.content, QRectF(40, 20, 459, 279));
}

TEST(TableurGeometry, HandlesOnTheEdgesOfColumnsAndRows)
{
    const auto columns = tableurColumnHandles(3, sizes({80, 50, 120}), 20);
    ASSERT_EQ(columns.size(), 4u);
    EXPECT_EQ(columns[0].rect, QRectF(79, 0, 4, 20));
    EXPECT_EQ(columns[0].zone, 1);
    EXPECT_EQ(columns[1].rect, QRectF(-2, 0, 4, 20)); // the row-header width on the band's left edge
    EXPECT_EQ(columns[1].zone, 3);
    EXPECT_EQ(columns[3].rect, QRectF(246, 0, 4, 20)); // the last stays inside the band
    const auto firstPage = tableurRowHandles(0, 2, uniform(32), 40);
    ASSERT_EQ(firstPage.size(), 3u);
    EXPECT_EQ(firstPage[0].rect, QRectF(0, 31, 40, 4));
    EXPECT_EQ(firstPage[1].zone, 2); // the column-header height, on the grid's first row only
    EXPECT_EQ(tableurRowHandles(2, 2, uniform(32), 40).size(), 2u);
}

TEST(TableurGeometry, AutoscrollStepsTenPointsUpToTheEdges)
{
    const QRectF frame(40, 20, 400, 300);
    const QSizeF document(425, 1000);
    // Right of the view: 10 a step, held at the document's right edge.
    EXPECT_EQ(tableurAutoscrolled(QPointF(0, 0), frame, document, QPointF(500, 100)), QPointF(10, 0));
    EXPECT_EQ(tableurAutoscrolled(QPointF(20, 0), frame, document, QPointF(500, 100)), QPointF(25, 0));
    EXPECT_EQ(tableurAutoscrolled(QPointF(25, 0), frame, document, QPointF(500, 100)), QPointF(25, 0));
    // Left and above: back to 0 and no further.
    EXPECT_EQ(tableurAutoscrolled(QPointF(5, 7), frame, document, QPointF(10, 10)), QPointF(0, 0));
    // Below: down to the bottom edge.
    EXPECT_EQ(tableurAutoscrolled(QPointF(0, 695), frame, document, QPointF(100, 400)), QPointF(0, 700));
    // Inside: nothing moves.
    EXPECT_EQ(tableurAutoscrolled(QPointF(5, 5), frame, document, QPointF(100, 100)), QPointF(5, 5));
}

TEST(TableurGeometry, FooterBandAndPdfLimit)
{
    EXPECT_EQ(tableurRectForFooter(QRectF(0, 0, 600, 400), 32, 0.5), QRectF(0, 384, 600, 16));
    EXPECT_DOUBLE_EQ(tableurPdfFactor(QSizeF(800, 14400), 1), 1);
    // A synthesis of 500 rows of 32 points and its headers: 16,052 points high.
    EXPECT_DOUBLE_EQ(tableurPdfFactor(QSizeF(800, 16052), 1), 14400.0 / 16052);
    EXPECT_DOUBLE_EQ(tableurPdfFactor(QSizeF(20000, 300), 2), 2 * 14400.0 / 40000);
}
