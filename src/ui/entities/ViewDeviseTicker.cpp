#include "entities/ViewDeviseTicker.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>

ViewDeviseTicker::ViewDeviseTicker(const QString& code, const QString& nom, long index, QAction* menuItem,
                                   QWidget* parent)
    : QWidget(parent)
    , m_field_ticker(new QLabel(code, this))
    , m_field_name(new QLabel(nom, this))
    , m_index(index)
    , m_menuItem(menuItem)
{
    m_field_ticker->setObjectName(QStringLiteral("field_ticker"));
    m_field_name->setObjectName(QStringLiteral("field_name"));
    m_field_ticker->setFixedWidth(44);
    QFont bold = m_field_ticker->font();
    bold.setBold(true);
    m_field_ticker->setFont(bold);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 2, 8, 2);
    layout->addWidget(m_field_ticker);
    layout->addWidget(m_field_name, 1);
    setMinimumWidth(260);
}

QString ViewDeviseTicker::code() const
{
    return m_field_ticker->text();
}

QColor ViewDeviseTicker::backgroundColor(long index, bool highlighted)
{
    if (highlighted)
        return QColor::fromRgbF(0.5019608f, 0.5019608f, 1.0f, 1.0f);
    if (index % 2 != 0)
        return Qt::white;
    return QColor::fromRgbF(0.98039216f, 0.98039216f, 1.0f, 1.0f);
}

void ViewDeviseTicker::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.fillRect(event->rect(), backgroundColor(m_index, m_highlighted));
}

void ViewDeviseTicker::enterEvent(QEnterEvent* event)
{
    m_highlighted = true;
    update();
    QWidget::enterEvent(event);
}

void ViewDeviseTicker::leaveEvent(QEvent* event)
{
    m_highlighted = false;
    update();
    QWidget::leaveEvent(event);
}

void ViewDeviseTicker::mouseReleaseEvent(QMouseEvent* event)
{
    QWidget::mouseReleaseEvent(event);
    if (!m_menuItem)
        return;
    // The menu closes first: the choice may open an alert or refill the editor.
    for (QWidget* menu = parentWidget(); menu; menu = menu->parentWidget()) {
        if (auto* asMenu = qobject_cast<QMenu*>(menu)) {
            asMenu->close();
            break;
        }
    }
    m_menuItem->trigger();
}
