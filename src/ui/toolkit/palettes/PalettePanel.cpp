#include "toolkit/palettes/PalettePanel.h"

#include "toolkit/windows/StdFrameFollower.h"
#include "toolkit/windows/StdWindow.h"
#include "toolkit/windows/StdWindowPlacement.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

namespace {

// How long a window manager is given to place the palette once it shows.
constexpr int kPlacingMs = 1000;

// What the window is told of a frame it did not set: the events of the native window, or the
// native frame sent again by the frame follower.
bool fromManager(const QWidget* window, const QEvent* event)
{
    return event->spontaneous() || StdFrameFollower::isFollowing(window);
}

} // namespace

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
    if (!m_window || m_docked)
        return;
    m_placing = Placing::None;
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
    if (watched == m_window)
        followFrame(event);
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

void PalettePanel::followFrame(const QEvent* event)
{
    switch (event->type()) {
    case QEvent::Show:
        m_standing = m_window->geometry();
        awaitPlacing();
        break;
    case QEvent::Hide:
        m_placing = Placing::None;
        break;
    case QEvent::Move:
    case QEvent::Resize:
        frameChanged(event);
        break;
    default:
        break;
    }
}

// A move and a resize of one frame come as two events: the frame is asked back after both (asked
// at the first, the window would take the second from the manager).
void PalettePanel::frameChanged(const QEvent* event)
{
    if (!fromManager(m_window, event)) {
        m_standing = m_window->geometry();
        return;
    }
    if (m_placing == Placing::PutBack)
        return;
    if (m_placing == Placing::Awaited && m_window->geometry() != m_standing
        && !StdWindowPlacement::isSliding(m_window)) {
        m_placing = Placing::PutBack;
        QMetaObject::invokeMethod(this, &PalettePanel::putBack, Qt::QueuedConnection);
        return;
    }
    m_standing = m_window->geometry();
}

void PalettePanel::awaitPlacing()
{
    if (m_docked)
        return;
    m_placing = Placing::Awaited;
    IScheduler& scheduler = UiHost::instance().scheduler();
    if (m_placingTimer)
        scheduler.cancel(m_placingTimer);
    m_placingTimer = scheduler.after(
        kPlacingMs, IScheduler::Mode::ModalPanel,
        [this] {
            m_placingTimer = 0;
            if (m_placing == Placing::Awaited)
                m_placing = Placing::None;
        },
        this);
}

// Asked once: the manager's answer, whatever it is, is the window's frame.
void PalettePanel::putBack()
{
    if (m_placing != Placing::PutBack)
        return;
    m_placing = Placing::None;
    if (!m_window || !m_window->isVisible())
        return;
    const StdWindow::AnswerScope answer(m_window);
    m_window->setGeometry(m_standing);
}
