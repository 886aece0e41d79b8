#include "spreadsheet/ColumnObject.h"

#include "spreadsheet/TableurProtocol.h"

ColumnObject::ColumnObject(float width, long columnIndex, const TableurProtocol& source, unsigned long alignment)
    : CellObject(0, columnIndex, source.valueAtColumnHeaderInDataSource(columnIndex), alignment)
{
    setSize(QSizeF(width, 0));
}
