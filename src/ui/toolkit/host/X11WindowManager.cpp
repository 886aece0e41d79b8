#include "toolkit/host/X11WindowManager.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QVariant>
#include <QWidget>
#include <QtGui/qguiapplication_platform.h>

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <utility>
#include <vector>

namespace {

constexpr const char* kRefusesFocus = "sorv_refuses_focus";

xcb_connection_t* x11Connection()
{
    auto* application = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return application ? application->connection() : nullptr;
}

template <class Reply> using XcbReply = std::unique_ptr<Reply, decltype(&std::free)>;

xcb_atom_t internAtom(xcb_connection_t* connection, const char* name)
{
    const XcbReply<xcb_intern_atom_reply_t> reply(
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, uint16_t(std::strlen(name)), name), nullptr),
        &std::free);
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

// The manager's answers come as events Qt handles after the filter has seen them: the listener is
// called from a posted event, once for all the answers of one pass of the event loop.
class FrameWatch : public QObject, public QAbstractNativeEventFilter {
public:
    std::function<void()> listener;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* /*result*/) override
    {
        if (m_posted || eventType != "xcb_generic_event_t")
            return false;
        if ((static_cast<const xcb_generic_event_t*>(message)->response_type & 0x7f) != XCB_CONFIGURE_NOTIFY)
            return false;
        m_posted = true;
        QCoreApplication::postEvent(this, new QEvent(frameToldType()));
        return false;
    }

protected:
    bool event(QEvent* event) override
    {
        if (event->type() != frameToldType())
            return QObject::event(event);
        m_posted = false;
        if (listener)
            listener();
        return true;
    }

private:
    static QEvent::Type frameToldType()
    {
        static const auto type = QEvent::Type(QEvent::registerEventType());
        return type;
    }

    bool m_posted = false;
};

} // namespace

void X11WindowManager::refuseFocus(QWidget* window)
{
    xcb_connection_t* connection = x11Connection();
    if (!connection || !window || !window->isWindow() || !window->windowFlags().testFlag(Qt::WindowDoesNotAcceptFocus))
        return;
    const auto id = xcb_window_t(window->winId());
    if (window->property(kRefusesFocus).toULongLong() == id)
        return;
    window->setProperty(kRefusesFocus, qulonglong(id));
    static const xcb_atom_t protocols = internAtom(connection, "WM_PROTOCOLS");
    static const xcb_atom_t takeFocus = internAtom(connection, "WM_TAKE_FOCUS");
    const XcbReply<xcb_get_property_reply_t> reply(
        xcb_get_property_reply(connection, xcb_get_property(connection, 0, id, protocols, XCB_ATOM_ATOM, 0, 32),
                               nullptr),
        &std::free);
    if (!reply || reply->format != 32)
        return;
    const auto* offered = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply.get()));
    std::vector<xcb_atom_t> kept(offered, offered + xcb_get_property_value_length(reply.get()) / 4);
    const auto taken = std::remove(kept.begin(), kept.end(), takeFocus);
    if (taken == kept.end())
        return;
    kept.erase(taken, kept.end());
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, protocols, XCB_ATOM_ATOM, 32, uint32_t(kept.size()),
                        kept.data());
    xcb_flush(connection);
}

void X11WindowManager::setFrameListener(std::function<void()> listener)
{
    static QPointer<FrameWatch> watch;
    if (!x11Connection())
        return;
    if (!watch) {
        watch = new FrameWatch;
        watch->setParent(QCoreApplication::instance());
        QCoreApplication::instance()->installNativeEventFilter(watch);
    }
    watch->listener = std::move(listener);
}
