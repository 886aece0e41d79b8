#include "toolkit/popups/TickerRow.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPaintEvent>
#include <QPainter>

TickerRow::TickerRow(long index, int codeWidth, int minimumWidth, QWidget* parent)
    : QWidget(parent)
    , m_field_ticker(new QLabel(this))
    , m_field_name(new QLabel(this))
    , m_index(index)
{
    m_field_ticker->setObjectName(QStringLiteral("field_ticker"));
    m_field_name->setObjectName(QStringLiteral("field_name"));
    m_field_ticker->setFixedWidth(codeWidth);
    QFont bold = m_field_ticker->font();
    bold.setBold(true);
    m_field_ticker->setFont(bold);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 2, 8, 2);
    layout->addWidget(m_field_ticker);
    layout->addWidget(m_field_name, 1);
    setMinimumWidth(minimumWidth);
}

QColor TickerRow::backgroundColor(long index, bool highlighted)
{
    if (highlighted)
        return QColor::fromRgbF(0.5019608f, 0.5019608f, 1.0f, 1.0f);
    if (index % 2 != 0)
        return Qt::white;
    return QColor::fromRgbF(0.98039216f, 0.98039216f, 1.0f, 1.0f);
}

void TickerRow::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.fillRect(event->rect(), backgroundColor(m_index, m_highlighted));
}

void TickerRow::enterEvent(QEnterEvent* event)
{
    m_highlighted = true;
    update();
    QWidget::enterEvent(event);
}

void TickerRow::leaveEvent(QEvent* event)
{
    m_highlighted = false;
    update();
    QWidget::leaveEvent(event);
}

void TickerRow::mouseReleaseEvent(QMouseEvent* event)
{
    QWidget::mouseReleaseEvent(event);
    choose();
}
