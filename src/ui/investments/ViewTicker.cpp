#include "investments/ViewTicker.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>

ViewTickerController::ViewTickerController(const TickerEntry& ticker, QMenu* tickerMenu, long index, QAction* menuItem)
    : QObject(menuItem)
    , m_ticker(ticker)
    , m_tickerMenu(tickerMenu)
    , m_index(index)
    , m_menuItem(menuItem)
    , m_view(new ViewTicker(this))
{
    fill();
}

void ViewTickerController::fill()
{
    m_view->field_ticker()->setText(m_ticker.symbol);
    m_view->field_name()->setText(m_ticker.name);
}

void ViewTickerController::choose()
{
    // The menu closes first: the choice may sound an alert or refill the editor.
    if (m_tickerMenu)
        m_tickerMenu->close();
    if (m_menuItem)
        m_menuItem->trigger();
}

ViewTicker::ViewTicker(ViewTickerController* controller)
    : m_controller(controller)
    , m_field_ticker(new QLabel(this))
    , m_field_name(new QLabel(this))
{
    setObjectName(QStringLiteral("ViewTicker"));
    m_field_ticker->setObjectName(QStringLiteral("field_ticker"));
    m_field_name->setObjectName(QStringLiteral("field_name"));
    m_field_ticker->setFixedWidth(90);
    QFont bold = m_field_ticker->font();
    bold.setBold(true);
    m_field_ticker->setFont(bold);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 2, 8, 2);
    layout->addWidget(m_field_ticker);
    layout->addWidget(m_field_name, 1);
    setMinimumWidth(320);
}

QColor ViewTicker::backgroundColor(long index, bool highlighted)
{
    if (highlighted)
        return QColor::fromRgbF(0.502f, 0.502f, 1.0f, 1.0f);
    if (index % 2 != 0)
        return Qt::white;
    return QColor::fromRgbF(0.980f, 0.980f, 1.0f, 1.0f);
}

void ViewTicker::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.fillRect(event->rect(), backgroundColor(m_controller->index(), m_highlighted));
}

void ViewTicker::enterEvent(QEnterEvent* event)
{
    m_highlighted = true;
    update();
    QWidget::enterEvent(event);
}

void ViewTicker::leaveEvent(QEvent* event)
{
    m_highlighted = false;
    update();
    QWidget::leaveEvent(event);
}

void ViewTicker::mouseReleaseEvent(QMouseEvent* event)
{
    QWidget::mouseReleaseEvent(event);
    m_controller->choose();
}
