#include "toolkit/windows/StdFrameKeeper.h"

#include "toolkit/windows/StdFrameFollower.h"
#include "toolkit/windows/StdWindow.h"
#include "toolkit/windows/StdWindowController.h"
#include "toolkit/windows/StdWindowPlacement.h"

#include "document/APPLIPARAM.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLayout>
#include <QPointer>
#include <QScrollArea>
#include <QWidget>

namespace {

constexpr const char* kKept = "sorv_frame_kept";

// A window's layout takes its requests before the window's own event filters see them, and a
// control shown lays its window out at once: what the controls need is looked at from the
// application's level, after each request and each control shown. A frame the window manager
// gives (a tiling manager's) can be smaller than the least size: it is looked at too; a frame the
// program sets, as it slides or shrinks a window, is the program's own business.
class NeedWatch : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const QEvent::Type type = event->type();
        if ((type != QEvent::LayoutRequest && type != QEvent::Show && type != QEvent::Resize)
            || !watched->isWidgetType())
            return false;
        auto* widget = static_cast<QWidget*>(watched);
        if (type == QEvent::Resize) {
            if (widget->isWindow() && isManagersFrame(widget, event) && !StdWindowPlacement::isSliding(widget))
                StdFrameKeeper::makeRoom(widget, StdFrameKeeper::FrameFrom::Manager);
        } else if (type == QEvent::LayoutRequest && widget->isWindow())
            StdFrameKeeper::makeRoom(widget);
        else if (type == QEvent::Show && !widget->isWindow() && StdFrameKeeper::isKept(widget->window()))
            QCoreApplication::postEvent(widget->window(), new QEvent(QEvent::LayoutRequest));
        return false;
    }

private:
    static bool isManagersFrame(const QWidget* window, const QEvent* event)
    {
        return event->spontaneous() || StdFrameFollower::isFollowing(window);
    }
};

void watchNeeds()
{
    static QPointer<NeedWatch> watch;
    if (!watch && QCoreApplication::instance()) {
        watch = new NeedWatch(QCoreApplication::instance());
        QCoreApplication::instance()->installEventFilter(watch);
    }
}

bool sizesItself(const QWidget* window)
{
    return window->windowFlags().testFlag(Qt::FramelessWindowHint);
}

bool heightFollowsRows(const QWidget* window)
{
    const auto* std = qobject_cast<const StdWindow*>(window);
    const auto* controller = std ? qobject_cast<const StdWindowController*>(std->controller()) : nullptr;
    return controller && controller->canAdjustHeight() && APPLIPARAM::loadAppliParam().automaticHeight;
}

} // namespace

// The least size is set by the program, so that no layout sets it again: set to nothing first, as
// setting a least size equal to the present one would leave it the layout's. A least height of
// nothing leaves the height to the layout.
void StdFrameKeeper::keep(QWidget* window)
{
    if (!window || !window->isWindow() || sizesItself(window) || isKept(window))
        return;
    window->setProperty(kKept, true);
    QLayout* layout = window->layout();
    // Until now the frame was the program's: the window takes what its controls need as it shows.
    if (layout)
        layout->activate();
    const QSize least = window->minimumSize();
    window->setMinimumSize(0, 0);
    window->setMinimumSize(least.width(), heightFollowsRows(window) ? 0 : least.height());
    if (layout)
        layout->activate();
    watchNeeds();
}

bool StdFrameKeeper::isKept(const QWidget* window)
{
    return window && window->property(kKept).toBool();
}

void StdFrameKeeper::makeRoom(QWidget* window, FrameFrom from)
{
    if (!isKept(window))
        return;
    QLayout* layout = window->layout();
    if (!layout
        || window->findChild<QScrollArea*>(QLatin1String(StdWindowPlacement::kScrollName), Qt::FindDirectChildrenOnly))
        return;
    // The window's layout has not yet seen the request the watch answers: it lays out now, measuring
    // every control afresh, so that what they need is known. Invalidating it instead would post the
    // window a new request, answered in turn, and the program would never rest.
    layout->activate();
    const QSize needed = layout->totalMinimumSize();
    const bool lacksHeight
        = needed.height() > window->height() && (from == FrameFrom::Manager || !heightFollowsRows(window));
    if (needed.width() > window->width() || lacksHeight)
        StdWindowPlacement::makeContentScroll(window);
}
