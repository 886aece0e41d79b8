#include "toolkit/tables/StdCell.h"

#include <QLabel>
#include <QPainter>

StdBox::StdBox(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void StdBox::paintEvent(QPaintEvent*)
{
    if (!m_fillColor.isValid())
        return;
    QPainter painter(this);
    painter.fillRect(rect(), m_fillColor);
}

// ---------------------------------------------------------------------------------------------

StdCell::StdCell(QWidget* parent)
    : QWidget(parent)
    , m_bgbox(new StdBox(this))
{
    m_bgbox->setObjectName(QStringLiteral("bgbox"));
}

void StdCell::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_bgbox->setGeometry(rect());
    m_bgbox->lower();
}

QStringList StdCell::rowTexts() const
{
    QStringList texts;
    const QList<QLabel*> labels = findChildren<QLabel*>();
    for (const QLabel* label : labels) {
        if (!label->isHidden())
            texts.append(label->text());
    }
    return texts;
}

void StdCell::paintMontantAux(const MONTANT& montant, bool deb, bool cre, long devise, const DeviseList* devHdl,
                              bool showUnit, QLabel* field1, QLabel* field2)
{
    if (field1)
        field1->clear();
    if (field2)
        field2->clear();
    const QString text
        = montant.nullMontant() ? QStringLiteral("-") : montantToStringForDevise(montant, devise, devHdl, showUnit);
    if (deb && field1)
        field1->setText(text);
    if (cre && field2)
        field2->setText(text);
}

int StdCell::concernedRowByMouseEvent(const QPoint& windowPoint, StdTableView** table) const
{
    StdTableView* const owner = m_table;
    if (!owner)
        return -1;
    const int row = owner->globalPointToRow(windowPoint);
    if (row < 0 || row >= owner->model()->rowCount())
        return -1;
    if (!owner->selectionModel()->isRowSelected(row))
        owner->GO(row);
    if (table)
        *table = owner;
    return row;
}

void StdCell::menuContextuel(const QPoint& windowPoint, const QPoint& globalPoint) const
{
    StdTableView* table = nullptr;
    const int row = concernedRowByMouseEvent(windowPoint, &table);
    if (row >= 0 && table && table->source())
        table->source()->popMenuContextuelForTable(table, row, globalPoint);
}
