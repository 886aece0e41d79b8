#include "toolkit/windows/StdFrameFollower.h"

#include "toolkit/host/X11WindowManager.h"

#include <QApplication>
#include <QMoveEvent>
#include <QResizeEvent>
#include <QVariant>
#include <QWidget>
#include <QWindow>

namespace {

constexpr const char* kFollowing = "sorv_follows_manager";

// Qt tells a window a new frame from the manager in two events, its size first: what answers the
// size (keeping clear of the tool palette, keeping on the screen) would place the window from its
// new size at its old place, the tile a window made floating has left. The window takes its new
// place before its size is answered, as Qt would tell it right after.
class PlaceBeforeSize : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Resize || !event->spontaneous() || !watched->isWidgetType())
            return false;
        auto* window = static_cast<QWidget*>(watched);
        QWindow* handle = window->isWindow() ? window->windowHandle() : nullptr;
        const QPoint place = handle ? handle->geometry().topLeft() : QPoint();
        if (handle && place != window->geometry().topLeft()) {
            QMoveEvent move(place, window->geometry().topLeft());
            QCoreApplication::sendEvent(handle, &move);
        }
        return false;
    }
};

} // namespace

void StdFrameFollower::watch()
{
    static bool watching = false;
    if (watching)
        return;
    watching = true;
    X11WindowManager::setFrameListener(&StdFrameFollower::followAll);
    QCoreApplication::instance()->installEventFilter(new PlaceBeforeSize(QCoreApplication::instance()));
}

void StdFrameFollower::followAll()
{
    const auto windows = QApplication::topLevelWidgets();
    for (QWidget* window : windows)
        follow(window);
}

// The widget learns its frame from its native window's events: the same events, sent again, make
// it take the frame the native window has without asking the manager for anything.
bool StdFrameFollower::follow(QWidget* window)
{
    QWindow* handle = window && window->isWindow() && window->isVisible() ? window->windowHandle() : nullptr;
    if (!handle || isFollowing(window))
        return false;
    const QRect real = handle->geometry();
    const QRect asked = window->geometry();
    if (real == asked || real.isEmpty())
        return false;
    window->setProperty(kFollowing, true);
    if (real.topLeft() != asked.topLeft()) {
        QMoveEvent move(real.topLeft(), asked.topLeft());
        QCoreApplication::sendEvent(handle, &move);
    }
    if (real.size() != asked.size()) {
        QResizeEvent resize(real.size(), asked.size());
        QCoreApplication::sendEvent(handle, &resize);
    }
    window->setProperty(kFollowing, false);
    return true;
}

bool StdFrameFollower::isFollowing(const QWidget* window)
{
    return window && window->property(kFollowing).toBool();
}
