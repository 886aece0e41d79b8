#pragma once
// Draws a table's rows: for each row in view, the table's source fills the row template of the
// row's kind and colours its background box, and the template is drawn in the row's place. Only
// the rows in view are ever filled, so drawing costs the same for ten rows or a hundred thousand.
#include <QImage>
#include <QStyledItemDelegate>

class StdCell;
class StdTableView;

class StdRowDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit StdRowDelegate(StdTableView* table);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    const QImage& renderedRow(StdCell& cell, const QPaintDevice* device) const;

    StdTableView* m_table;
    mutable QImage m_buffer; // reused from row to row
};
