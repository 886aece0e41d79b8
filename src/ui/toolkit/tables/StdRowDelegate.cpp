#include "toolkit/tables/StdRowDelegate.h"

#include "toolkit/tables/StdCell.h"
#include "toolkit/tables/StdTableView.h"

#include <QLayout>
#include <QPainter>

StdRowDelegate::StdRowDelegate(StdTableView* table)
    : QStyledItemDelegate(table)
    , m_table(table)
{
}

void StdRowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    IStdTableSource* source = m_table->source();
    if (!source || !index.isValid())
        return;
    StdCell* cell = source->cellForRow(m_table, index.row());
    if (!cell)
        return;
    cell->setTableView(m_table);
    source->setFillBackground(cell, m_table, index.row());
    if (cell->size() != option.rect.size())
        cell->resize(option.rect.size());
    // A template placed by a layout places its fields now, for this row's texts and in this row's
    // size: its layout would otherwise run later, and this row be drawn where the row before it put
    // its fields. The layout never makes the template wider than the row either: a field that does
    // not hold in the row shows as the fault it is.
    if (QLayout* layout = cell->layout()) {
        layout->setSizeConstraint(QLayout::SetNoConstraint);
        layout->activate();
    }
    painter->drawImage(option.rect.topLeft(), renderedRow(*cell, painter->device()));
}

// The template is drawn into an image of its own first: a widget drawn straight into the painter
// of another widget's paint, or of a grab or a print-out, does not always show.
const QImage& StdRowDelegate::renderedRow(StdCell& cell, const QPaintDevice* device) const
{
    const qreal ratio = device ? device->devicePixelRatioF() : 1.0;
    const QSize pixels = (QSizeF(cell.size()) * ratio).toSize();
    if (m_buffer.size() != pixels)
        m_buffer = QImage(pixels, QImage::Format_ARGB32_Premultiplied);
    m_buffer.setDevicePixelRatio(ratio);
    m_buffer.fill(Qt::transparent);
    QPainter painter(&m_buffer);
    cell.render(&painter, QPoint(), QRegion(), QWidget::DrawChildren);
    return m_buffer;
}

QSize StdRowDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const
{
    return QSize(option.rect.width(), m_table->uniformRowHeight());
}
