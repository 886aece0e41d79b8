#pragma once
// The header of one display column of the spreadsheet grid: a cell in row 0 holding the column's
// title, whose width is the column's width.
#include "spreadsheet/CellObject.h"

class TableurProtocol;

class ColumnObject : public CellObject {
public:
    // The title asked of the data source for the display column.
    ColumnObject(float width, long columnIndex, const TableurProtocol& source, unsigned long alignment);

    float width() const { return float(size().width()); }
};
