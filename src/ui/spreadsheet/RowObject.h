#pragma once
// The header of one display row of the spreadsheet grid: a cell in column 0 holding the row's
// title, whose height is the row's height.
#include "spreadsheet/CellObject.h"

class TableurProtocol;

class RowObject : public CellObject {
public:
    // The title asked of the data source for the display row.
    RowObject(float height, long rowIndex, const TableurProtocol& source, unsigned long alignment);

    float height() const { return float(size().height()); }
};
