#include "toolkit/tables/StdTableModel.h"

#include "toolkit/tables/StdCell.h"
#include "toolkit/tables/StdTableView.h"

#include <QDataStream>
#include <QIODevice>

#include <algorithm>

// ---------------------------------------------------------------------------------------------
// Default hooks of a source

void IStdTableSource::setFillBackground(StdCell*, StdTableView*, int) { }
bool IStdTableSource::shouldSelectRow(StdTableView*, int)
{
    return true;
}
bool IStdTableSource::didKeyDown(StdTableView*, int)
{
    return false;
}
void IStdTableSource::didDoubleClick(StdTableView*) { }
void IStdTableSource::tableViewSelectionDidChange(StdTableView*) { }
void IStdTableSource::tableViewSelectionDidChangeForTable(StdTableView*) { }
void IStdTableSource::tableDidReloadData(StdTableView*) { }
void IStdTableSource::popMenuContextuelForTable(StdTableView*, int, const QPoint&) { }
QPixmap IStdTableSource::dragImage()
{
    return QPixmap();
}
void IStdTableSource::didEndDragging(StdTableView*) { }
bool IStdTableSource::writeRowsWithIndexes(StdTableView*, const IndexSet&)
{
    return false;
}
bool IStdTableSource::validateDropForTable(StdTableView*, StdTableView*, int, bool)
{
    return false;
}
bool IStdTableSource::acceptDropForTable(StdTableView*, const IndexSet&, int)
{
    return false;
}

// ---------------------------------------------------------------------------------------------
// Dragged rows

StdRowsMimeData::StdRowsMimeData(StdTableView* origin, const IndexSet& rows)
    : m_origin(origin)
{
    setData(QString::fromLatin1(kStdRowsMimeType), encodeRows(rows));
}

StdTableView* StdRowsMimeData::origin() const
{
    return m_origin;
}

QByteArray StdRowsMimeData::encodeRows(const IndexSet& rows)
{
    QByteArray data;
    QDataStream stream(&data, QIODevice::WriteOnly);
    stream.setVersion(QDataStream::Qt_6_0);
    stream << QList<qint32>(rows.begin(), rows.end());
    return data;
}

bool StdRowsMimeData::decodeRows(const QByteArray& data, IndexSet* rows)
{
    QDataStream stream(data);
    stream.setVersion(QDataStream::Qt_6_0);
    QList<qint32> list;
    stream >> list;
    if (stream.status() != QDataStream::Ok || !stream.atEnd())
        return false;
    if (std::any_of(list.cbegin(), list.cend(), [](qint32 row) { return row < 0; }))
        return false;
    rows->clear();
    rows->insert(list.cbegin(), list.cend());
    return true;
}

// ---------------------------------------------------------------------------------------------
// Model

StdTableModel::StdTableModel(StdTableView* table)
    : QAbstractTableModel(table)
    , m_table(table)
{
}

void StdTableModel::setSource(IStdTableSource* source)
{
    beginResetModel();
    m_source = source;
    m_rowCount = countFromSource();
    endResetModel();
}

void StdTableModel::reload()
{
    beginResetModel();
    m_rowCount = countFromSource();
    endResetModel();
}

int StdTableModel::countFromSource() const
{
    return m_source ? std::max(0, m_source->numberOfRows(m_table)) : 0;
}

int StdTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rowCount;
}

int StdTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 1;
}

QVariant StdTableModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !m_source || !checkIndex(index, CheckIndexOption::IndexIsValid))
        return QVariant();
    const StdCell* cell = m_source->cellForRow(m_table, index.row());
    return cell ? cell->rowTexts().join(kTextSeparator) : QString();
}

Qt::ItemFlags StdTableModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::ItemIsDropEnabled; // a drop between rows
    if (m_source && !m_source->shouldSelectRow(m_table, index.row()))
        return Qt::ItemIsEnabled | Qt::ItemIsDropEnabled;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled | Qt::ItemIsDropEnabled;
}

QStringList StdTableModel::mimeTypes() const
{
    return {QString::fromLatin1(kStdRowsMimeType)};
}

QMimeData* StdTableModel::mimeData(const QModelIndexList& indexes) const
{
    IndexSet rows;
    for (const QModelIndex& index : indexes) {
        if (index.isValid())
            rows.insert(index.row());
    }
    if (!m_source || !m_source->writeRowsWithIndexes(m_table, rows))
        return nullptr;
    return new StdRowsMimeData(m_table, rows);
}

bool StdTableModel::canDropMimeData(const QMimeData* data, Qt::DropAction, int row, int,
                                    const QModelIndex& parent) const
{
    if (!m_source || !data || !data->hasFormat(QString::fromLatin1(kStdRowsMimeType)))
        return false;
    const auto* rows = qobject_cast<const StdRowsMimeData*>(data);
    const bool onRow = parent.isValid();
    return m_source->validateDropForTable(m_table, rows ? rows->origin() : nullptr, onRow ? parent.row() : row, onRow);
}

bool StdTableModel::dropMimeData(const QMimeData* data, Qt::DropAction, int row, int, const QModelIndex& parent)
{
    if (!m_source)
        return false;
    IndexSet rows;
    const bool decoded = data && data->hasFormat(QString::fromLatin1(kStdRowsMimeType))
        && StdRowsMimeData::decodeRows(data->data(QString::fromLatin1(kStdRowsMimeType)), &rows);
    if (!decoded)
        rows.clear(); // the source refuses a drop without rows
    return m_source->acceptDropForTable(m_table, rows, parent.isValid() ? parent.row() : row);
}

Qt::DropActions StdTableModel::supportedDragActions() const
{
    return Qt::CopyAction | Qt::MoveAction | Qt::LinkAction;
}

Qt::DropActions StdTableModel::supportedDropActions() const
{
    return Qt::CopyAction | Qt::MoveAction | Qt::LinkAction;
}
