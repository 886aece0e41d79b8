#include "toolkit/windows/StdPlacedView.h"

#include <QEvent>

StdPlacedView::StdPlacedView(QObject* parent)
    : QObject(parent)
{
}

void StdPlacedView::place(QWidget* view, QWidget* placeholder, QWidget* host)
{
    if (!placeholder)
        return;
    if (m_view && m_view != view)
        m_view->hide();
    if (m_placeholder && m_placeholder != placeholder)
        m_placeholder->removeEventFilter(this);
    m_view = view;
    m_placeholder = placeholder;
    m_host = host ? host : placeholder->parentWidget();
    placeholder->installEventFilter(this);
    if (!view)
        return;
    if (view->parentWidget() != m_host)
        view->setParent(m_host);
    follow();
    view->show();
    view->raise();
}

QRect StdPlacedView::placedFrame(const QWidget* placeholder, const QWidget* host)
{
    QPoint origin = placeholder->mapTo(placeholder->window(), QPoint(0, 0));
    if (host)
        origin -= host->mapTo(host->window(), QPoint(0, 0));
    return QRect(origin, placeholder->size());
}

void StdPlacedView::follow()
{
    if (!m_view || !m_placeholder)
        return;
    QRect frame = placedFrame(m_placeholder, m_host);
    if (const int width = m_width ? m_width() : -1; width >= 0)
        frame.setWidth(width);
    m_view->setGeometry(frame);
}

bool StdPlacedView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_placeholder && (event->type() == QEvent::Resize || event->type() == QEvent::Move))
        follow();
    return QObject::eventFilter(watched, event);
}
