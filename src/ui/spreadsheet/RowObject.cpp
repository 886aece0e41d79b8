#include "spreadsheet/RowObject.h"

#include "spreadsheet/TableurProtocol.h"

RowObject::RowObject(float height, long rowIndex, const TableurProtocol& source, unsigned long alignment)
    : CellObject(rowIndex, 0, source.valueAtRowHeaderInDataSource(rowIndex), alignment)
{
    setSize(QSizeF(0, height));
}
