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
    if (m_view && m_view != view) {
        m_view->removeEventFilter(this);
        m_view->hide();
    }
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
    view->installEventFilter(this);
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
    // A view whose height depends on its width (a footer whose figures go on over more lines)
    // gets it: the placeholder takes that height in the window's layout.
    if (m_view->hasHeightForWidth()) {
        const int height = m_view->heightForWidth(frame.width());
        if (height > 0 && height != m_placeholder->height()) {
            m_placeholder->setFixedHeight(height);
            frame.setHeight(height);
        }
    }
    m_view->setGeometry(frame);
}

bool StdPlacedView::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    const bool placeholderMoved = watched == m_placeholder && (type == QEvent::Resize || type == QEvent::Move);
    const bool viewAsks = watched == m_view && (type == QEvent::LayoutRequest || type == QEvent::Show);
    if (placeholderMoved || viewAsks)
        follow();
    return QObject::eventFilter(watched, event);
}
