#pragma once
// The selection of a spreadsheet grid, kept in the states of its cells and headers (display
// indices). Selecting a column puts its header in state 1 and its cells in state 2; selecting a
// cell puts it in state 1 and its two headers in state 2; rows likewise. Operations on indices
// outside the grid change nothing. The window redraws after each change.
#include "spreadsheet/TableurCells.h"

class TableurSelection : public TableurCells {
public:
    void deselectAllColumns();
    void deselectAllRows();
    void deselectAllCells();
    // Columns, then rows, then cells.
    void deselectAll();

    // Only this column (row, cell) is selected afterwards.
    void selectColumnAtIndex(long index);
    void selectRowAtIndex(long index);
    void selectCellAtRowIndex(long row, long column);

    // Adds to the selection without clearing it.
    void addColumnAtIndexToSelection(long index);
    void addRowAtIndexToSelection(long index);
    void addCellToSelection(long row, long column);

    // Takes out of the selection; a cell's header returns to 0 when no selected cell is left in
    // its row (column).
    void removeColumnAtIndexToSelection(long index);
    void removeRowAtIndexToSelection(long index);
    void removeCellFromSelection(long row, long column);

    // Only the columns (rows) between the two indices, in either order.
    void selectColumnsFromIndex(long first, long last);
    void selectRowsFromIndex(long first, long last);
    // Only the rectangle of cells with the two cells at opposite corners.
    void selectCellsFromCell1(const CellObject* cell1, const CellObject* cell2);

    // Grows the selection from the first selected column (row) to the index, removing nothing;
    // with nothing selected, adds the index alone.
    void extendColumnsSelectionToIndex(long index);
    void extendRowsSelectionToIndex(long index);
    // Adds the rectangle spanning the hilited headers and the cell; the cell alone when no header
    // is hilited.
    void extendCellsSelectionToRowIndex(long row, long column);

    // A selected one is removed, any other added.
    void invertColumnsSelectionAtIndex(long index);
    void invertRowsSelectionAtIndex(long index);
    void invertCellsSelectionAtRowIndex(long row, long column);

    void changeCellStateAtRowIndex(long row, long column, long state);
    void changeCellsStateAtRowIndex(long row, long state);
    void changeCellsStateColumnIndex(long column, long state);
    void changeRowStateAtIndex(long index, long state);
    void changeColumnStateAtIndex(long index, long state);

    void hiliteCellsAtRowIndex(long row);
    void hiliteCellsAtColumnIndex(long column);
    void hiliteRowAtIndex(long index);
    void hiliteColumnAtIndex(long index);
    void unselectCellsAtRowIndex(long row);
    void unselectCellsAtColumnIndex(long column);

    bool hasCellWithStateAtRow(long row, long state) const;
    bool hasCellWithStateAtColumn(long column, long state) const;
    bool hasCellWithState(long state) const;
    bool hasRowWithState(long state) const;
    bool hasColumnWithState(long state) const;
    bool hasSelectedCell() const { return hasCellWithState(CellObject::kStateSelected); }
    bool hasSelectedRow() const { return hasRowWithState(CellObject::kStateSelected); }
    bool hasSelectedColumn() const { return hasColumnWithState(CellObject::kStateSelected); }

    // The smallest (largest) index of a header in the state; -1 when none.
    long firstColumnIndexWithState(long state) const;
    long lastColumnIndexWithState(long state) const;
    long firstRowIndexWithState(long state) const;
    long lastRowIndexWithState(long state) const;
    long firstSelectedColumnIndex() const { return firstColumnIndexWithState(CellObject::kStateSelected); }
    long lastSelectedColumnIndex() const { return lastColumnIndexWithState(CellObject::kStateSelected); }
    long firstSelectedRowIndex() const { return firstRowIndexWithState(CellObject::kStateSelected); }
    long lastSelectedRowIndex() const { return lastRowIndexWithState(CellObject::kStateSelected); }
    long firstHilitedColumnIndex() const { return firstColumnIndexWithState(CellObject::kStateHilited); }
    long lastHilitedColumnIndex() const { return lastColumnIndexWithState(CellObject::kStateHilited); }
    long firstHilitedRowIndex() const { return firstRowIndexWithState(CellObject::kStateHilited); }
    long lastHilitedRowIndex() const { return lastRowIndexWithState(CellObject::kStateHilited); }
};
