// The grid's cells and selection model without a window: building (rotated or not), look-ups
// outside the grid, and the states that clicks leave on cells and headers.
#include "spreadsheet/TableurSelection.h"
#include "spreadsheet/TableurProtocol.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A data table of rows x columns whose cells read "r,c".
class Source : public TableurProtocol {
public:
    Source(long rowCount, long columnCount)
        : rows(rowCount)
        , columns(columnCount)
    {
    }
    long numberOfRowsInDataSource() const override { return rows; }
    long numberOfColumnsInDataSource() const override { return columns; }
    QString valueAtRowInDataSource(long row, long column) const override
    {
        return QStringLiteral("%1,%2").arg(row).arg(column);
    }
    float defaultHeightOfRow(long index) const override { return 20.0f + float(index); }

    long rows;
    long columns;
};

class Grid : public TableurSelection {
public:
    Grid(long rows, long columns, bool rotated = false)
    {
        const Source source(rows, columns);
        buildRowsArray(source, rotated);
        buildColumnsArray(source, rotated);
        buildCellsArray(source, rotated);
    }

    // The states of the column headers, of the row headers, then of the cells row by row, as
    // digits: "0120|12|0000 2211".
    std::string states()
    {
        std::string text;
        enumerateCellsInColumnsHeader([&](ColumnObject& c, bool&) { text += char('0' + c.state()); });
        text += '|';
        enumerateCellsInRowsHeader([&](RowObject& r, bool&) { text += char('0' + r.state()); });
        text += '|';
        for (long i = 0; i < numberOfRows(); ++i) {
            enumerateCellsInRow(i, [&](CellObject& cell, bool&) { text += char('0' + cell.state()); });
            if (i + 1 < numberOfRows())
                text += ' ';
        }
        return text;
    }
};

} // namespace

TEST(TableurCells, BuildsDisplayArraysAndLooksUpSafely)
{
    const Grid empty(0, 3);
    EXPECT_EQ(empty.numberOfRows(), 0);
    EXPECT_EQ(empty.numberOfColumns(), 3);
    EXPECT_EQ(empty.cellAtRow(0, 0), nullptr);

    const Grid noColumns(2, 0);
    EXPECT_EQ(noColumns.numberOfRows(), 2);
    EXPECT_EQ(noColumns.numberOfColumns(), 0);
    EXPECT_EQ(noColumns.cellAtRow(1, 0), nullptr);
    ASSERT_NE(noColumns.rowAtIndex(1), nullptr);
    EXPECT_EQ(noColumns.rowAtIndex(1)->value(), QStringLiteral("2"));

    // A rotated 3 x 2 table: 2 display rows, 3 display columns, (1, 2) shows data (2, 1).
    const Grid rotated(3, 2, true);
    ASSERT_EQ(rotated.numberOfRows(), 2);
    ASSERT_EQ(rotated.numberOfColumns(), 3);
    ASSERT_NE(rotated.cellAtRow(1, 2), nullptr);
    EXPECT_EQ(rotated.cellAtRow(1, 2)->value(), QStringLiteral("2,1"));
    EXPECT_EQ(rotated.cellAtRow(1, 2)->rowIndex(), 1);
    EXPECT_EQ(rotated.cellAtRow(1, 2)->columnIndex(), 2);
    EXPECT_FLOAT_EQ(rotated.heightOfRowAtIndex(1), 21); // asked with the display index

    // Out of the grid: null and zero, never a crash.
    const Grid grid(3, 4);
    for (const long index : {-1L, 3L}) {
        EXPECT_EQ(grid.rowAtIndex(index), nullptr) << index;
        EXPECT_EQ(grid.cellAtRow(index, 0), nullptr) << index;
        EXPECT_FLOAT_EQ(grid.heightOfRowAtIndex(index), 0) << index;
    }
    EXPECT_EQ(grid.columnAtIndex(4), nullptr);
    EXPECT_EQ(grid.cellAtRow(0, -1), nullptr);
    EXPECT_FLOAT_EQ(grid.totalWidthFromColumnIndex(1, 2), 160);
    EXPECT_FLOAT_EQ(grid.totalWidthFromColumnIndex(2, 1), 0);
    EXPECT_FLOAT_EQ(grid.totalHeightFromRowIndex(0, 2), 63);
    EXPECT_FLOAT_EQ(grid.originForColumnMenuAtIndex(1), 160);
}

TEST(TableurCells, CellKeepsItsInitialValueAndLazyExtras)
{
    CellObject cell(2, 3, QStringLiteral("12,50"), TableurProtocol::kAlignRight);
    EXPECT_EQ(cell.initialValue(), QStringLiteral("12,50"));
    cell.setValue(QStringLiteral("13,00"));
    cell.setValue(QStringLiteral("14,00"));
    EXPECT_EQ(cell.value(), QStringLiteral("14,00"));
    EXPECT_EQ(cell.initialValue(), QStringLiteral("12,50"));
    EXPECT_TRUE(CellObject(0, 0, QString(), 0).initialValue().isNull());
    EXPECT_FALSE(cell.associatedObject().isValid());
    cell.setAssociatedObject(7);
    CellObject moved(std::move(cell));
    EXPECT_EQ(moved.associatedObject().toInt(), 7);
    EXPECT_EQ(moved.alignment(), TableurProtocol::kAlignRight);
    EXPECT_EQ(moved.font().pixelSize(), 11);
}

TEST(TableurSelection, ClicksLeaveTheirStates)
{
    Grid grid(2, 4);
    grid.selectColumnAtIndex(1);
    EXPECT_EQ(grid.states(), "0100|00|0200 0200");
    grid.selectCellAtRowIndex(1, 2);
    EXPECT_EQ(grid.states(), "0020|02|0000 0010");
    grid.addCellToSelection(0, 0);
    EXPECT_EQ(grid.states(), "2020|22|1000 0010");
    grid.removeCellFromSelection(1, 2);
    EXPECT_EQ(grid.states(), "2000|20|1000 0000") << "headers go back to 0 with their last selected cell";
    grid.selectRowsFromIndex(1, 0);
    EXPECT_EQ(grid.states(), "0000|11|2222 2222");
    grid.invertRowsSelectionAtIndex(0);
    EXPECT_EQ(grid.states(), "0000|01|0000 2222");
    // Indices outside the grid change nothing.
    grid.selectColumnAtIndex(9);
    grid.addCellToSelection(5, 0);
    grid.invertColumnsSelectionAtIndex(-1);
    EXPECT_EQ(grid.states(), "0000|00|0000 0000");
}

TEST(TableurSelection, ExtendingFromTheFirstSelectedColumn)
{
    Grid grid(1, 8);
    grid.selectColumnsFromIndex(2, 3);
    grid.extendColumnsSelectionToIndex(6);
    EXPECT_EQ(grid.firstSelectedColumnIndex(), 2);
    EXPECT_EQ(grid.lastSelectedColumnIndex(), 6);
    grid.selectColumnsFromIndex(3, 2);
    grid.extendColumnsSelectionToIndex(0);
    EXPECT_EQ(grid.states(), "11110000|0|22220000");
    grid.deselectAll();
    grid.extendColumnsSelectionToIndex(5);
    EXPECT_EQ(grid.states(), "00000100|0|00000200");
}

TEST(TableurSelection, CellRectanglesAndInversion)
{
    Grid grid(4, 4);
    grid.selectCellsFromCell1(grid.cellAtRow(2, 3), grid.cellAtRow(1, 1));
    EXPECT_EQ(grid.states(), "0222|0220|0000 0111 0111 0000");
    grid.extendCellsSelectionToRowIndex(3, 0);
    EXPECT_EQ(grid.states(), "2222|0222|0000 1111 1111 1111");
    grid.invertCellsSelectionAtRowIndex(3, 0);
    grid.invertCellsSelectionAtRowIndex(0, 0);
    EXPECT_EQ(grid.states(), "2222|2222|1000 1111 1111 0111");
    EXPECT_EQ(grid.firstHilitedRowIndex(), 0);
    EXPECT_TRUE(grid.hasSelectedCell());
    EXPECT_FALSE(grid.hasSelectedRow());
}
