#include "toolkit/host/WindowOrder.h"

#include "toolkit/host/X11WindowManager.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

#include <algorithm>
#include <optional>

// Owned by the application: another application object (a test's) gets one of its own. Where the
// screen tells its order, nothing needs following.
WindowOrder* WindowOrder::shared()
{
    static QPointer<WindowOrder> instance;
    QCoreApplication* application = QCoreApplication::instance();
    if (!instance && qobject_cast<QApplication*>(application)) {
        instance = new WindowOrder(application);
        if (!X11WindowManager::onX11())
            application->installEventFilter(instance);
    }
    return instance;
}

void WindowOrder::ensureTracking()
{
    shared();
}

bool WindowOrder::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if ((type == QEvent::Show || type == QEvent::ZOrderChange) && watched->isWidgetType()) {
        auto* widget = static_cast<QWidget*>(watched);
        if (widget->isWindow())
            moveToFront(widget);
    }
    return false;
}

void WindowOrder::moveToFront(QWidget* window)
{
    m_recent.erase(std::remove_if(m_recent.begin(), m_recent.end(),
                                  [window](const QPointer<QWidget>& known) { return !known || known == window; }),
                   m_recent.end());
    m_recent.insert(m_recent.begin(), window);
}

bool WindowOrder::takesKeyboard(const QWidget& window)
{
    const Qt::WindowType type = window.windowType();
    return type != Qt::Popup && type != Qt::ToolTip && type != Qt::SplashScreen
        && !window.testAttribute(Qt::WA_ShowWithoutActivating)
        && !(window.windowFlags() & Qt::WindowDoesNotAcceptFocus);
}

// A window never brought to front since the following began lies behind those that were.
QList<QWidget*> WindowOrder::byRecency(QList<QWidget*> windows) const
{
    const auto rank = [this](const QWidget* window) { return std::find(m_recent.begin(), m_recent.end(), window); };
    std::stable_sort(windows.begin(), windows.end(),
                     [&rank](const QWidget* a, const QWidget* b) { return rank(a) < rank(b); });
    return windows;
}

QList<QWidget*> WindowOrder::frontToBack()
{
    WindowOrder* order = shared();
    if (!order)
        return {};
    QList<QWidget*> shown;
    const auto windows = QApplication::topLevelWidgets();
    for (QWidget* window : windows) {
        if (window->isVisible() && !window->isMinimized() && window->windowHandle() && takesKeyboard(*window))
            shown.append(window);
    }
    if (std::optional<QList<QWidget*>> stacked = X11WindowManager::frontToBack(shown))
        return *stacked;
    return order->byRecency(shown);
}

QWidget* WindowOrder::front()
{
    const QList<QWidget*> windows = frontToBack();
    return windows.isEmpty() ? nullptr : windows.constFirst();
}

bool WindowOrder::isInFront(const QWidget* window)
{
    const QList<QWidget*> windows = frontToBack();
    const auto at = std::find(windows.begin(), windows.end(), window);
    if (at == windows.end())
        return false;
    const QRect frame = window->frameGeometry();
    return std::none_of(windows.begin(), at,
                        [&frame](const QWidget* above) { return above->frameGeometry().intersects(frame); });
}
