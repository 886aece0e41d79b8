#pragma once
// The cells of a spreadsheet grid in display orientation: a header object per display row and per
// display column, and every cell of the table, row by row. Built in one go from a data source
// (transposed when the grid is rotated) and then changed only in place: values, states, sizes.
// Lookups outside the grid answer null; sizes outside it answer 0.
#include "spreadsheet/CellObject.h"
#include "spreadsheet/ColumnObject.h"
#include "spreadsheet/RowObject.h"

#include <functional>
#include <vector>

class TableurProtocol;

class TableurCells {
public:
    TableurCells() = default;
    virtual ~TableurCells() = default;
    TableurCells(const TableurCells&) = delete;
    TableurCells& operator=(const TableurCells&) = delete;

    // ---- Building. The counts come from the source: a display row per data column when
    // rotated, else per data row, and the other way round for the columns; a count of zero or
    // less builds nothing.

    void buildRowsArray(const TableurProtocol& source, bool rotated);
    void buildColumnsArray(const TableurProtocol& source, bool rotated);
    // Every cell, a copy of the data source's value at the data position it shows.
    void buildCellsArray(const TableurProtocol& source, bool rotated);
    void clearArrays();

    // ---- Lookups.

    RowObject* rowAtIndex(long index);
    const RowObject* rowAtIndex(long index) const;
    ColumnObject* columnAtIndex(long index);
    const ColumnObject* columnAtIndex(long index) const;
    CellObject* cellAtRow(long row, long column);
    const CellObject* cellAtRow(long row, long column) const;
    long numberOfRows() const { return long(m_rowsArray.size()); }
    long numberOfColumns() const { return long(m_columnsArray.size()); }

    // Each walk stops once the block sets its flag.
    using RowBlock = std::function<void(RowObject& row, bool& stop)>;
    using ColumnBlock = std::function<void(ColumnObject& column, bool& stop)>;
    using CellBlock = std::function<void(CellObject& cell, bool& stop)>;
    void enumerateCellsInRowsHeader(const RowBlock& block);
    void enumerateCellsInColumnsHeader(const ColumnBlock& block);
    // Every cell, row by row.
    void enumerateCells(const CellBlock& block);
    void enumerateCellsInRow(long row, const CellBlock& block);
    // Every display row's cell at the column.
    void enumerateCellsInColumn(long column, const CellBlock& block);

    // ---- Geometry, in points.

    float heightOfRowAtIndex(long index) const;
    float widthOfColumnAtIndex(long index) const;
    // Both ends included; 0 when the first is past the last.
    float totalWidthFromColumnIndex(long first, long last) const;
    float totalWidth() const;
    // Columns 0 to the index.
    float totalWidth(long index) const;
    float totalHeightFromRowIndex(long first, long last) const;
    // The right edge of the column, where the import editor opens its column menu.
    float originForColumnMenuAtIndex(long index) const;

protected:
    std::vector<ColumnObject>& columnsArray() { return m_columnsArray; }
    std::vector<RowObject>& rowsArray() { return m_rowsArray; }

private:
    CellObject& cellAt(long index) { return m_cellsArray[size_t(index / kChunk)][size_t(index % kChunk)]; }

    // Cells row after row, in blocks of kChunk: a grid of a hundred thousand rows is a hundred
    // allocations, not a hundred thousand, each small enough that the allocator reuses it when
    // the grid is built again (a rotation). Addresses of header objects and cells are kept
    // (mouse anchors), so no array grows after it is built.
    static constexpr long kChunk = 1024;
    std::vector<ColumnObject> m_columnsArray;
    std::vector<RowObject> m_rowsArray;
    std::vector<std::vector<CellObject>> m_cellsArray;
    long m_cellRows = 0;
    long m_cellColumns = 0;
};
