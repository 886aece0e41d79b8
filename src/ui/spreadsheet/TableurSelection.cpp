#include "spreadsheet/TableurSelection.h"

#include <algorithm>

namespace {

constexpr long kNormal = CellObject::kStateNormal;
constexpr long kSelected = CellObject::kStateSelected;
constexpr long kHilited = CellObject::kStateHilited;

} // namespace

void TableurSelection::deselectAllColumns()
{
    for (ColumnObject& column : columnsArray())
        column.setState(kNormal);
}

void TableurSelection::deselectAllRows()
{
    for (RowObject& row : rowsArray())
        row.setState(kNormal);
}

void TableurSelection::deselectAllCells()
{
    enumerateCells([](CellObject& cell, bool&) { cell.setState(kNormal); });
}

void TableurSelection::deselectAll()
{
    deselectAllColumns();
    deselectAllRows();
    deselectAllCells();
}

void TableurSelection::selectColumnAtIndex(long index)
{
    deselectAll();
    addColumnAtIndexToSelection(index);
}

void TableurSelection::selectRowAtIndex(long index)
{
    deselectAll();
    addRowAtIndexToSelection(index);
}

void TableurSelection::selectCellAtRowIndex(long row, long column)
{
    deselectAll();
    addCellToSelection(row, column);
}

void TableurSelection::addColumnAtIndexToSelection(long index)
{
    if (!columnAtIndex(index))
        return;
    changeColumnStateAtIndex(index, kSelected);
    hiliteCellsAtColumnIndex(index);
}

void TableurSelection::addRowAtIndexToSelection(long index)
{
    if (!rowAtIndex(index))
        return;
    changeRowStateAtIndex(index, kSelected);
    hiliteCellsAtRowIndex(index);
}

void TableurSelection::addCellToSelection(long row, long column)
{
    CellObject* cell = cellAtRow(row, column);
    if (!cell)
        return;
    cell->setState(kSelected);
    changeRowStateAtIndex(row, kHilited);
    changeColumnStateAtIndex(column, kHilited);
}

void TableurSelection::removeColumnAtIndexToSelection(long index)
{
    changeColumnStateAtIndex(index, kNormal);
    unselectCellsAtColumnIndex(index);
}

void TableurSelection::removeRowAtIndexToSelection(long index)
{
    changeRowStateAtIndex(index, kNormal);
    unselectCellsAtRowIndex(index);
}

void TableurSelection::removeCellFromSelection(long row, long column)
{
    CellObject* cell = cellAtRow(row, column);
    if (!cell)
        return;
    cell->setState(kNormal);
    if (!hasCellWithStateAtRow(row, kSelected))
        changeRowStateAtIndex(row, kNormal);
    if (!hasCellWithStateAtColumn(column, kSelected))
        changeColumnStateAtIndex(column, kNormal);
}

void TableurSelection::selectColumnsFromIndex(long first, long last)
{
    const long a = std::min(first, last);
    const long b = std::max(first, last);
    selectColumnAtIndex(a);
    for (long j = a + 1; j <= b; ++j)
        addColumnAtIndexToSelection(j);
}

void TableurSelection::selectRowsFromIndex(long first, long last)
{
    const long a = std::min(first, last);
    const long b = std::max(first, last);
    selectRowAtIndex(a);
    for (long i = a + 1; i <= b; ++i)
        addRowAtIndexToSelection(i);
}

void TableurSelection::selectCellsFromCell1(const CellObject* cell1, const CellObject* cell2)
{
    if (!cell1 || !cell2)
        return;
    selectCellAtRowIndex(std::min(cell1->rowIndex(), cell2->rowIndex()),
                         std::min(cell1->columnIndex(), cell2->columnIndex()));
    extendCellsSelectionToRowIndex(std::max(cell1->rowIndex(), cell2->rowIndex()),
                                   std::max(cell1->columnIndex(), cell2->columnIndex()));
}

void TableurSelection::extendColumnsSelectionToIndex(long index)
{
    const long first = firstSelectedColumnIndex();
    if (first < 0) {
        addColumnAtIndexToSelection(index);
        return;
    }
    const long from = first > index ? index : first + 1;
    const long to = first > index ? first - 1 : index;
    for (long j = from; j <= to; ++j)
        addColumnAtIndexToSelection(j);
}

void TableurSelection::extendRowsSelectionToIndex(long index)
{
    const long first = firstSelectedRowIndex();
    if (first < 0) {
        addRowAtIndexToSelection(index);
        return;
    }
    const long from = first > index ? index : first + 1;
    const long to = first > index ? first - 1 : index;
    for (long i = from; i <= to; ++i)
        addRowAtIndexToSelection(i);
}

void TableurSelection::extendCellsSelectionToRowIndex(long row, long column)
{
    const long firstRow = firstHilitedRowIndex();
    const long firstColumn = firstHilitedColumnIndex();
    if (firstRow < 0 || firstColumn < 0) {
        addCellToSelection(row, column);
        return;
    }
    const long top = std::min(firstRow, row);
    const long bottom = std::max(lastHilitedRowIndex(), row);
    const long left = std::min(firstColumn, column);
    const long right = std::max(lastHilitedColumnIndex(), column);
    for (long i = top; i <= bottom; ++i) {
        for (long j = left; j <= right; ++j)
            addCellToSelection(i, j);
    }
}

void TableurSelection::invertColumnsSelectionAtIndex(long index)
{
    const ColumnObject* column = columnAtIndex(index);
    if (column && column->state() == kSelected)
        removeColumnAtIndexToSelection(index);
    else
        addColumnAtIndexToSelection(index);
}

void TableurSelection::invertRowsSelectionAtIndex(long index)
{
    const RowObject* row = rowAtIndex(index);
    if (row && row->state() == kSelected)
        removeRowAtIndexToSelection(index);
    else
        addRowAtIndexToSelection(index);
}

void TableurSelection::invertCellsSelectionAtRowIndex(long row, long column)
{
    const CellObject* cell = cellAtRow(row, column);
    if (cell && cell->state() == kSelected)
        removeCellFromSelection(row, column);
    else
        addCellToSelection(row, column);
}

void TableurSelection::changeCellStateAtRowIndex(long row, long column, long state)
{
    if (CellObject* cell = cellAtRow(row, column))
        cell->setState(state);
}

void TableurSelection::changeCellsStateAtRowIndex(long row, long state)
{
    enumerateCellsInRow(row, [state](CellObject& cell, bool&) { cell.setState(state); });
}

void TableurSelection::changeCellsStateColumnIndex(long column, long state)
{
    enumerateCellsInColumn(column, [state](CellObject& cell, bool&) { cell.setState(state); });
}

void TableurSelection::changeRowStateAtIndex(long index, long state)
{
    if (RowObject* row = rowAtIndex(index))
        row->setState(state);
}

void TableurSelection::changeColumnStateAtIndex(long index, long state)
{
    if (ColumnObject* column = columnAtIndex(index))
        column->setState(state);
}

void TableurSelection::hiliteCellsAtRowIndex(long row)
{
    changeCellsStateAtRowIndex(row, kHilited);
}

void TableurSelection::hiliteCellsAtColumnIndex(long column)
{
    changeCellsStateColumnIndex(column, kHilited);
}

void TableurSelection::hiliteRowAtIndex(long index)
{
    changeRowStateAtIndex(index, kHilited);
}

void TableurSelection::hiliteColumnAtIndex(long index)
{
    changeColumnStateAtIndex(index, kHilited);
}

void TableurSelection::unselectCellsAtRowIndex(long row)
{
    changeCellsStateAtRowIndex(row, kNormal);
}

void TableurSelection::unselectCellsAtColumnIndex(long column)
{
    changeCellsStateColumnIndex(column, kNormal);
}

bool TableurSelection::hasCellWithStateAtRow(long row, long state) const
{
    for (long j = 0; j < numberOfColumns(); ++j) {
        const CellObject* cell = cellAtRow(row, j);
        if (cell && cell->state() == state)
            return true;
    }
    return false;
}

bool TableurSelection::hasCellWithStateAtColumn(long column, long state) const
{
    for (long i = 0; i < numberOfRows(); ++i) {
        const CellObject* cell = cellAtRow(i, column);
        if (cell && cell->state() == state)
            return true;
    }
    return false;
}

bool TableurSelection::hasCellWithState(long state) const
{
    for (long i = 0; i < numberOfRows(); ++i) {
        if (hasCellWithStateAtRow(i, state))
            return true;
    }
    return false;
}

bool TableurSelection::hasRowWithState(long state) const
{
    return firstRowIndexWithState(state) >= 0;
}

bool TableurSelection::hasColumnWithState(long state) const
{
    return firstColumnIndexWithState(state) >= 0;
}

long TableurSelection::firstColumnIndexWithState(long state) const
{
    for (long j = 0; j < numberOfColumns(); ++j) {
        if (columnAtIndex(j)->state() == state)
            return j;
    }
    return -1;
}

long TableurSelection::lastColumnIndexWithState(long state) const
{
    for (long j = numberOfColumns() - 1; j >= 0; --j) {
        if (columnAtIndex(j)->state() == state)
            return j;
    }
    return -1;
}

long TableurSelection::firstRowIndexWithState(long state) const
{
    for (long i = 0; i < numberOfRows(); ++i) {
        if (rowAtIndex(i)->state() == state)
            return i;
    }
    return -1;
}

long TableurSelection::lastRowIndexWithState(long state) const
{
    for (long i = numberOfRows() - 1; i >= 0; --i) {
        if (rowAtIndex(i)->state() == state)
            return i;
    }
    return -1;
}
