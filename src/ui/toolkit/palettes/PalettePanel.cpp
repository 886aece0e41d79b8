#include "toolkit/palettes/PalettePanel.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

PalettePanel::PalettePanel(QWidget* window)
    : QObject(window)
    , m_window(window)
{
    if (window)
        window->installEventFilter(this);
}

PalettePanel::~PalettePanel()
{
    removeDragHandler();
}

void PalettePanel::mouseDown(const QPointF& location)
{
    if (!m_window)
        return;
    m_pt0 = location;
    m_dragging = false;
    installDragHandler();
}

// Where the window system moves windows itself (Wayland places nothing on its own), it is asked
// to once the mouse has moved: asked at the press, a manager that takes the request after the
// button came up (a plain click) would move the window with the mouse, and take the keys, until
// the next click. Elsewhere the watch moves the window.
bool PalettePanel::startDrag(const QPointF& location)
{
    if ((location - m_pt0).manhattanLength() < QApplication::startDragDistance())
        return false;
    m_dragging = true;
    QWindow* handle = m_window->windowHandle();
    if (handle && handle->isVisible() && handle->startSystemMove())
        removeDragHandler();
    return true;
}

void PalettePanel::installDragHandler()
{
    if (m_dragHandler)
        return;
    m_dragHandler = true;
    QCoreApplication::instance()->installEventFilter(this);
}

void PalettePanel::removeDragHandler()
{
    if (!m_dragHandler)
        return;
    m_dragHandler = false;
    if (QCoreApplication* application = QCoreApplication::instance())
        application->removeEventFilter(this);
}

bool PalettePanel::eventFilter(QObject* watched, QEvent* event)
{
    if (m_dragHandler)
        return monitorEvent(event);
    if (watched == m_window && event->type() == QEvent::MouseButtonPress) {
        const auto* press = static_cast<QMouseEvent*>(event);
        if (press->button() == Qt::LeftButton)
            mouseDown(press->position());
    }
    return false;
}

// The location of a drag is read in the window as it is now, so each step moves the window by
// what the mouse moved since the previous one.
bool PalettePanel::monitorEvent(QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseMove: {
        const auto* drag = static_cast<QMouseEvent*>(event);
        // A mouse-up the application never saw must not leave the window glued to the mouse.
        if (!m_window || !(drag->buttons() & Qt::LeftButton)) {
            removeDragHandler();
            return false;
        }
        const QPointF location = m_window->mapFromGlobal(drag->globalPosition());
        // Not yet a drag, or one the window system now makes.
        if (!m_dragging && (!startDrag(location) || !m_dragHandler))
            return true;
        m_window->move(m_window->pos() + (location - m_pt0).toPoint());
        return true;
    }
    case QEvent::MouseButtonRelease:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
            removeDragHandler();
        return false;
    default:
        return false;
    }
}
