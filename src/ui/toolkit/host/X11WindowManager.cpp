#include "toolkit/host/X11WindowManager.h"

#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QRect>
#include <QVariant>
#include <QWidget>
#include <QWindow>
#include <QtGui/qguiapplication_platform.h>

#include <xcb/xcb.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <iterator>
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

// Read without creating any native window.
QWidget* topLevelOf(xcb_window_t id)
{
    const auto windows = QApplication::topLevelWidgets();
    const auto found = std::find_if(windows.begin(), windows.end(),
                                    [id](const QWidget* window) { return window->internalWinId() == id; });
    return found == windows.end() ? nullptr : *found;
}

// Managers that tile the windows and keep them clear of a dock's room, as tried.
constexpr const char* kTilingManagers[] = {"i3", "herbstluftwm"};

// What the manager tells comes as events Qt handles after the filter has seen them: the
// listeners are called from posted events, the frame listener once for all the frames of one pass
// of the event loop.
class ManagerWatch : public QObject, public QAbstractNativeEventFilter {
public:
    std::function<void()> frameListener;
    std::function<void(QWidget*)> focusListener;
    std::function<void(QWidget*)> mapListener;

    static ManagerWatch& instance()
    {
        QPointer<ManagerWatch>& watch = current();
        if (!watch) {
            watch = new ManagerWatch;
            watch->setParent(QCoreApplication::instance());
            QCoreApplication::instance()->installNativeEventFilter(watch);
        }
        return *watch;
    }
    // Null until a listener was first set.
    static ManagerWatch* running() { return current(); }

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* /*result*/) override
    {
        if (eventType != "xcb_generic_event_t")
            return false;
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        switch (event->response_type & 0x7f) {
        case XCB_CONFIGURE_NOTIFY:
            if (!m_framePosted) {
                m_framePosted = true;
                QCoreApplication::postEvent(this, new QEvent(frameToldType()));
            }
            break;
        case XCB_FOCUS_IN:
            focusGiven(*reinterpret_cast<const xcb_focus_in_event_t*>(event));
            break;
        case XCB_MAP_NOTIFY:
            mapped(*reinterpret_cast<const xcb_map_notify_event_t*>(event));
            break;
        default:
            break;
        }
        return false;
    }

protected:
    bool event(QEvent* event) override
    {
        if (event->type() == frameToldType()) {
            m_framePosted = false;
            if (frameListener)
                frameListener();
            return true;
        }
        if (event->type() == keyboardGivenType() || event->type() == mappedType()) {
            const auto& listener = event->type() == mappedType() ? mapListener : focusListener;
            if (QWidget* window = topLevelOf(static_cast<const WindowTold*>(event)->window); window && listener)
                listener(window);
            return true;
        }
        return QObject::event(event);
    }

private:
    struct WindowTold : QEvent {
        WindowTold(Type type, xcb_window_t id)
            : QEvent(type)
            , window(id)
        {
        }
        xcb_window_t window;
    };

    // The keyboard given by the manager or a client; not its passing through a grab (a pop-up's
    // menu), nor a window that only has the pointer over it.
    void focusGiven(const xcb_focus_in_event_t& focus)
    {
        if (focus.mode == XCB_NOTIFY_MODE_GRAB || focus.mode == XCB_NOTIFY_MODE_UNGRAB
            || focus.detail == XCB_NOTIFY_DETAIL_POINTER || focus.detail == XCB_NOTIFY_DETAIL_POINTER_ROOT
            || focus.detail == XCB_NOTIFY_DETAIL_NONE)
            return;
        QCoreApplication::postEvent(this, new WindowTold(keyboardGivenType(), focus.event));
    }

    // As the window itself hears of it, not as its parent (a manager's frame) does.
    void mapped(const xcb_map_notify_event_t& map)
    {
        if (mapListener && map.event == map.window)
            QCoreApplication::postEvent(this, new WindowTold(mappedType(), map.window));
    }

    static QPointer<ManagerWatch>& current()
    {
        static QPointer<ManagerWatch> watch;
        return watch;
    }
    static QEvent::Type frameToldType()
    {
        static const auto type = QEvent::Type(QEvent::registerEventType());
        return type;
    }
    static QEvent::Type keyboardGivenType()
    {
        static const auto type = QEvent::Type(QEvent::registerEventType());
        return type;
    }
    static QEvent::Type mappedType()
    {
        static const auto type = QEvent::Type(QEvent::registerEventType());
        return type;
    }

    bool m_framePosted = false;
};

xcb_window_t rootOf(xcb_connection_t* connection)
{
    return xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
}

XcbReply<xcb_get_property_reply_t> property(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t name,
                                            xcb_atom_t type, uint32_t longs)
{
    return {xcb_get_property_reply(connection, xcb_get_property(connection, 0, window, name, type, 0, longs), nullptr),
            &std::free};
}

// Takes one atom out of a window's list of atoms, writing the list back only when it held it.
void dropAtom(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t list, xcb_atom_t atom)
{
    const XcbReply<xcb_get_property_reply_t> reply = property(connection, window, list, XCB_ATOM_ATOM, 32);
    if (!reply || reply->format != 32)
        return;
    const auto* held = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply.get()));
    std::vector<xcb_atom_t> kept(held, held + xcb_get_property_value_length(reply.get()) / 4);
    const auto dropped = std::remove(kept.begin(), kept.end(), atom);
    if (dropped == kept.end())
        return;
    kept.erase(dropped, kept.end());
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, list, XCB_ATOM_ATOM, 32, uint32_t(kept.size()),
                        kept.data());
    xcb_flush(connection);
}

// The name the manager gives its own check window, empty without a manager that tells one.
QByteArray managerName(xcb_connection_t* connection)
{
    const XcbReply<xcb_get_property_reply_t> check = property(
        connection, rootOf(connection), internAtom(connection, "_NET_SUPPORTING_WM_CHECK"), XCB_ATOM_WINDOW, 1);
    if (!check || check->format != 32 || xcb_get_property_value_length(check.get()) < 4)
        return {};
    const xcb_window_t manager = *static_cast<const xcb_window_t*>(xcb_get_property_value(check.get()));
    const XcbReply<xcb_get_property_reply_t> name = property(
        connection, manager, internAtom(connection, "_NET_WM_NAME"), internAtom(connection, "UTF8_STRING"), 64);
    if (!name || name->format != 8)
        return {};
    return QByteArray(static_cast<const char*>(xcb_get_property_value(name.get())),
                      xcb_get_property_value_length(name.get()));
}

void setAtoms(xcb_connection_t* connection, xcb_window_t window, const char* name, xcb_atom_t type,
              const std::vector<uint32_t>& values)
{
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, internAtom(connection, name), type, 32,
                        uint32_t(values.size()), values.data());
}

// Mapped, and every window it lies in too: a manager unmaps the frame of a window it hides (a tab
// not chosen).
bool isViewable(xcb_connection_t* connection, xcb_window_t window)
{
    const XcbReply<xcb_get_window_attributes_reply_t> attributes(
        xcb_get_window_attributes_reply(connection, xcb_get_window_attributes(connection, window), nullptr),
        &std::free);
    return attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
}

// The child of the root that holds the window: its frame under a manager, the window itself
// without one. A few levels at most: a frame, and a manager's own container.
xcb_window_t rootChildOf(xcb_connection_t* connection, xcb_window_t window, xcb_window_t root)
{
    constexpr int kLevels = 8;
    for (int level = 0; level < kLevels; ++level) {
        const XcbReply<xcb_query_tree_reply_t> tree(
            xcb_query_tree_reply(connection, xcb_query_tree(connection, window), nullptr), &std::free);
        if (!tree || tree->parent == XCB_WINDOW_NONE)
            return XCB_WINDOW_NONE;
        if (tree->parent == root)
            return window;
        window = tree->parent;
    }
    return XCB_WINDOW_NONE;
}

// The struts count from the edges of the whole X screen, in its pixels: the room taken from the
// left, right, top and bottom edges, then for each edge in that order the first and last line it
// is taken over. The plain strut, the first four, is for managers that read only it.
void reserveStrip(QWidget* window, bool top)
{
    xcb_connection_t* connection = x11Connection();
    QWindow* handle = window && window->isWindow() ? window->windowHandle() : nullptr;
    if (!connection || !handle)
        return;
    const auto id = xcb_window_t(window->winId());
    const qreal ratio = handle->devicePixelRatio();
    const QRect frame = window->frameGeometry();
    const int screenHeight = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->height_in_pixels;
    std::vector<uint32_t> strut(12, 0);
    strut[top ? 2 : 3] = uint32_t(
        std::max(0, top ? qRound((frame.y() + frame.height()) * ratio) : screenHeight - qRound(frame.y() * ratio)));
    strut[top ? 8 : 10] = uint32_t(std::max(0, qRound(frame.x() * ratio)));
    strut[top ? 9 : 11] = uint32_t(std::max(0, qRound((frame.x() + frame.width()) * ratio) - 1));
    setAtoms(connection, id, "_NET_WM_WINDOW_TYPE", XCB_ATOM_ATOM,
             {internAtom(connection, "_NET_WM_WINDOW_TYPE_DOCK")});
    setAtoms(connection, id, "_NET_WM_STRUT_PARTIAL", XCB_ATOM_CARDINAL, strut);
    setAtoms(connection, id, "_NET_WM_STRUT", XCB_ATOM_CARDINAL, {strut.begin(), strut.begin() + 4});
    xcb_flush(connection);
}

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
    dropAtom(connection, id, protocols, takeFocus);
}

void X11WindowManager::forgetModalState(QWidget* window)
{
    xcb_connection_t* connection = x11Connection();
    if (!connection || !window || !window->isWindow() || !window->internalWinId() || window->isVisible())
        return;
    const auto id = xcb_window_t(window->internalWinId());
    static const xcb_atom_t state = internAtom(connection, "_NET_WM_STATE");
    static const xcb_atom_t modal = internAtom(connection, "_NET_WM_STATE_MODAL");
    dropAtom(connection, id, state, modal);
}

void X11WindowManager::setFrameListener(std::function<void()> listener)
{
    if (x11Connection())
        ManagerWatch::instance().frameListener = std::move(listener);
}

bool X11WindowManager::managerTilesWindows()
{
    xcb_connection_t* connection = x11Connection();
    if (!connection)
        return false;
    const QByteArray name = managerName(connection);
    return std::any_of(std::begin(kTilingManagers), std::end(kTilingManagers),
                       [&name](const char* tiling) { return name == tiling; });
}

void X11WindowManager::reserveTopStrip(QWidget* window)
{
    reserveStrip(window, true);
}

void X11WindowManager::reserveBottomStrip(QWidget* window)
{
    reserveStrip(window, false);
}

void X11WindowManager::releaseStrip(QWidget* window)
{
    xcb_connection_t* connection = x11Connection();
    if (!connection || !window || !window->isWindow() || !window->internalWinId())
        return;
    const auto id = xcb_window_t(window->internalWinId());
    const std::vector<uint32_t> none(12, 0);
    setAtoms(connection, id, "_NET_WM_STRUT_PARTIAL", XCB_ATOM_CARDINAL, none);
    setAtoms(connection, id, "_NET_WM_STRUT", XCB_ATOM_CARDINAL, {none.begin(), none.begin() + 4});
    xcb_flush(connection);
}

void X11WindowManager::setFocusListener(std::function<void(QWidget* window)> listener)
{
    if (x11Connection())
        ManagerWatch::instance().focusListener = std::move(listener);
}

void X11WindowManager::activateAsUser(QWidget* window)
{
    xcb_connection_t* connection = x11Connection();
    if (!connection || !window || !window->isWindow() || !window->internalWinId())
        return;
    constexpr uint32_t kFromUser = 2; // the source a pager gives
    xcb_client_message_event_t message {};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = xcb_window_t(window->internalWinId());
    message.type = internAtom(connection, "_NET_ACTIVE_WINDOW");
    message.data.data32[0] = kFromUser;
    message.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(connection, 0, rootOf(connection),
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(connection);
}

std::optional<bool> X11WindowManager::isWithdrawn(const QWidget* window)
{
    xcb_connection_t* connection = x11Connection();
    if (!connection)
        return std::nullopt;
    if (!window || !window->isWindow() || !window->internalWinId())
        return false;
    const auto id = xcb_window_t(window->internalWinId());
    const XcbReply<xcb_get_window_attributes_reply_t> attributes(
        xcb_get_window_attributes_reply(connection, xcb_get_window_attributes(connection, id), nullptr), &std::free);
    if (!attributes || attributes->map_state != XCB_MAP_STATE_UNMAPPED)
        return false;
    constexpr uint32_t kIconicState = 3;
    static const xcb_atom_t wmState = internAtom(connection, "WM_STATE");
    const XcbReply<xcb_get_property_reply_t> state = property(connection, id, wmState, wmState, 1);
    if (!state || state->format != 32 || xcb_get_property_value_length(state.get()) < 4)
        return true;
    return *static_cast<const uint32_t*>(xcb_get_property_value(state.get())) != kIconicState;
}

// A window whose map the manager has yet to carry out is asked for once more, and one it has
// mapped since stays as it is: nothing tells the manager of a withdrawal.
void X11WindowManager::mapAgain(QWidget* window)
{
    xcb_connection_t* connection = x11Connection();
    if (!connection || !window || !window->isWindow() || !window->internalWinId())
        return;
    xcb_map_window(connection, xcb_window_t(window->internalWinId()));
    xcb_flush(connection);
}

// The notice to the root is the one Qt's hide sends (ICCCM), for a manager that hears of the
// withdrawal only there.
void X11WindowManager::withdraw(QWidget* window)
{
    xcb_connection_t* connection = x11Connection();
    if (!connection || !window || !window->isWindow() || !window->internalWinId())
        return;
    const auto id = xcb_window_t(window->internalWinId());
    const xcb_window_t root = rootOf(connection);
    xcb_unmap_window(connection, id);
    xcb_unmap_notify_event_t notice {};
    notice.response_type = XCB_UNMAP_NOTIFY;
    notice.event = root;
    notice.window = id;
    // An event is sent as 32 bytes, more than the notice's own.
    std::array<char, 32> sent {};
    std::memcpy(sent.data(), &notice, sizeof notice);
    xcb_send_event(connection, 0, root, XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   sent.data());
    xcb_flush(connection);
}

void X11WindowManager::setMapListener(std::function<void(QWidget* window)> listener)
{
    if (!x11Connection())
        return;
    if (listener)
        ManagerWatch::instance().mapListener = std::move(listener);
    else if (ManagerWatch* watch = ManagerWatch::running())
        watch->mapListener = nullptr;
}

bool X11WindowManager::onX11()
{
    return x11Connection() != nullptr;
}

// A manager is the one client that redirects the mapping of the root's children, EWMH or not.
std::optional<bool> X11WindowManager::managerRuns()
{
    xcb_connection_t* connection = x11Connection();
    if (!connection)
        return std::nullopt;
    const XcbReply<xcb_get_window_attributes_reply_t> root(
        xcb_get_window_attributes_reply(connection, xcb_get_window_attributes(connection, rootOf(connection)), nullptr),
        &std::free);
    return root && (root->all_event_masks & XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT) != 0;
}

std::optional<QList<QWidget*>> X11WindowManager::frontToBack(const QList<QWidget*>& windows)
{
    xcb_connection_t* connection = x11Connection();
    if (!connection)
        return std::nullopt;
    const xcb_window_t root = rootOf(connection);
    const XcbReply<xcb_query_tree_reply_t> tree(
        xcb_query_tree_reply(connection, xcb_query_tree(connection, root), nullptr), &std::free);
    if (!tree)
        return std::nullopt;
    // The root's children come bottom first; a managed window lies in its frame, one of them.
    const xcb_window_t* children = xcb_query_tree_children(tree.get());
    const xcb_window_t* end = children + xcb_query_tree_children_length(tree.get());
    std::vector<std::pair<std::ptrdiff_t, QWidget*>> stacked;
    for (QWidget* window : windows) {
        const auto id = xcb_window_t(window ? window->internalWinId() : 0);
        if (!id || !isViewable(connection, id))
            continue;
        const xcb_window_t* at = std::find(children, end, rootChildOf(connection, id, root));
        if (at != end)
            stacked.emplace_back(at - children, window);
    }
    std::stable_sort(stacked.begin(), stacked.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    QList<QWidget*> ordered;
    for (const auto& [place, window] : stacked)
        ordered.append(window);
    return ordered;
}

// Asked of the window itself, the pointer is found where the display has the window now, not
// where Qt last heard the manager put it.
std::optional<bool> X11WindowManager::pressedOn(const QWidget* window)
{
    xcb_connection_t* connection = x11Connection();
    if (!connection)
        return std::nullopt;
    const QWindow* handle = window && window->isVisible() ? window->windowHandle() : nullptr;
    if (!handle)
        return false;
    const XcbReply<xcb_query_pointer_reply_t> pointer(
        xcb_query_pointer_reply(connection, xcb_query_pointer(connection, xcb_window_t(handle->winId())), nullptr),
        &std::free);
    if (!pointer || !pointer->same_screen || !(pointer->mask & XCB_BUTTON_MASK_1))
        return false;
    const QRect frame = QRect(QPoint(0, 0), handle->size() * handle->devicePixelRatio())
                            .marginsAdded(handle->frameMargins() * handle->devicePixelRatio());
    return frame.contains(pointer->win_x, pointer->win_y);
}

std::optional<QWidget*> X11WindowManager::keyboardWindow()
{
    xcb_connection_t* connection = x11Connection();
    if (!connection)
        return std::nullopt;
    const XcbReply<xcb_get_input_focus_reply_t> focus(
        xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr), &std::free);
    return focus && focus->focus != XCB_NONE ? topLevelOf(focus->focus) : nullptr;
}
