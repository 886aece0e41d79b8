#include "spreadsheet/TableurCells.h"

#include "spreadsheet/TableurProtocol.h"

#include <algorithm>

namespace {

long displayRowCount(const TableurProtocol& source, bool rotated)
{
    return std::max(0L, rotated ? source.numberOfColumnsInDataSource() : source.numberOfRowsInDataSource());
}

long displayColumnCount(const TableurProtocol& source, bool rotated)
{
    return std::max(0L, rotated ? source.numberOfRowsInDataSource() : source.numberOfColumnsInDataSource());
}

bool inRange(long index, size_t size)
{
    return index >= 0 && size_t(index) < size;
}

// The header cells of one direction, each at the size the source gives it.
template <class Header>
void buildHeaders(std::vector<Header>& headers, long count, const TableurProtocol& source,
                  float (TableurProtocol::*defaultSize)(long) const)
{
    headers.clear();
    headers.reserve(size_t(count));
    const unsigned long alignment = source.defaultAlignment();
    for (long i = 0; i < count; ++i)
        headers.emplace_back((source.*defaultSize)(i), i, source, alignment);
}

// Calls the block on each item in order until it sets its stop flag.
template <class Item, class Block> void enumerateUntilStopped(std::vector<Item>& items, const Block& block)
{
    bool stop = false;
    for (Item& item : items) {
        block(item, stop);
        if (stop)
            return;
    }
}

} // namespace

void TableurCells::buildRowsArray(const TableurProtocol& source, bool rotated)
{
    buildHeaders(m_rowsArray, displayRowCount(source, rotated), source, &TableurProtocol::defaultHeightOfRow);
}

void TableurCells::buildColumnsArray(const TableurProtocol& source, bool rotated)
{
    buildHeaders(m_columnsArray, displayColumnCount(source, rotated), source, &TableurProtocol::defaultWidthOfColumn);
}

void TableurCells::buildCellsArray(const TableurProtocol& source, bool rotated)
{
    m_cellsArray.clear();
    m_cellRows = displayRowCount(source, rotated);
    m_cellColumns = displayColumnCount(source, rotated);
    const unsigned long alignment = source.defaultAlignment();
    const long count = m_cellRows * m_cellColumns;
    m_cellsArray.resize(size_t((count + kChunk - 1) / kChunk));
    std::vector<CellObject>* chunk = nullptr;
    long index = 0;
    for (long i = 0; i < m_cellRows; ++i) {
        for (long j = 0; j < m_cellColumns; ++j, ++index) {
            if (index % kChunk == 0) {
                chunk = &m_cellsArray[size_t(index / kChunk)];
                chunk->reserve(size_t(kChunk));
            }
            // A rotated grid shows data row j, column i at display (i, j).
            const long row = rotated ? j : i;
            const long column = rotated ? i : j;
            chunk->emplace_back(i, j, source.valueAtRowInDataSource(row, column), alignment);
        }
    }
}

void TableurCells::clearArrays()
{
    m_columnsArray.clear();
    m_rowsArray.clear();
    m_cellsArray.clear();
    m_cellRows = 0;
    m_cellColumns = 0;
}

RowObject* TableurCells::rowAtIndex(long index)
{
    return inRange(index, m_rowsArray.size()) ? &m_rowsArray[size_t(index)] : nullptr;
}

const RowObject* TableurCells::rowAtIndex(long index) const
{
    return inRange(index, m_rowsArray.size()) ? &m_rowsArray[size_t(index)] : nullptr;
}

ColumnObject* TableurCells::columnAtIndex(long index)
{
    return inRange(index, m_columnsArray.size()) ? &m_columnsArray[size_t(index)] : nullptr;
}

const ColumnObject* TableurCells::columnAtIndex(long index) const
{
    return inRange(index, m_columnsArray.size()) ? &m_columnsArray[size_t(index)] : nullptr;
}

CellObject* TableurCells::cellAtRow(long row, long column)
{
    if (row < 0 || row >= m_cellRows || column < 0 || column >= m_cellColumns)
        return nullptr;
    return &cellAt(row * m_cellColumns + column);
}

const CellObject* TableurCells::cellAtRow(long row, long column) const
{
    return const_cast<TableurCells*>(this)->cellAtRow(row, column);
}

void TableurCells::enumerateCellsInRowsHeader(const RowBlock& block)
{
    enumerateUntilStopped(m_rowsArray, block);
}

void TableurCells::enumerateCellsInColumnsHeader(const ColumnBlock& block)
{
    enumerateUntilStopped(m_columnsArray, block);
}

void TableurCells::enumerateCells(const CellBlock& block)
{
    bool stop = false;
    for (std::vector<CellObject>& chunk : m_cellsArray) {
        for (CellObject& cell : chunk) {
            block(cell, stop);
            if (stop)
                return;
        }
    }
}

void TableurCells::enumerateCellsInRow(long row, const CellBlock& block)
{
    bool stop = false;
    for (long j = 0; !stop && cellAtRow(row, j); ++j)
        block(*cellAtRow(row, j), stop);
}

void TableurCells::enumerateCellsInColumn(long column, const CellBlock& block)
{
    bool stop = false;
    for (long i = 0; !stop && cellAtRow(i, column); ++i)
        block(*cellAtRow(i, column), stop);
}

float TableurCells::heightOfRowAtIndex(long index) const
{
    const RowObject* row = rowAtIndex(index);
    return row ? row->height() : 0.0f;
}

float TableurCells::widthOfColumnAtIndex(long index) const
{
    const ColumnObject* column = columnAtIndex(index);
    return column ? column->width() : 0.0f;
}

float TableurCells::totalWidthFromColumnIndex(long first, long last) const
{
    float total = 0;
    for (long j = std::max(0L, first); j <= last && j < numberOfColumns(); ++j)
        total += m_columnsArray[size_t(j)].width();
    return total;
}

float TableurCells::totalWidth() const
{
    return totalWidthFromColumnIndex(0, numberOfColumns() - 1);
}

float TableurCells::totalWidth(long index) const
{
    return totalWidthFromColumnIndex(0, index);
}

float TableurCells::totalHeightFromRowIndex(long first, long last) const
{
    float total = 0;
    for (long i = std::max(0L, first); i <= last && i < numberOfRows(); ++i)
        total += m_rowsArray[size_t(i)].height();
    return total;
}

float TableurCells::originForColumnMenuAtIndex(long index) const
{
    return totalWidth(index);
}
