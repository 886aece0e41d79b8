#include "toolkit/host/KeyboardReturn.h"

#include "toolkit/fields/StdTextView.h"
#include "toolkit/host/ModalHandoff.h"
#include "toolkit/host/WindowOrder.h"
#include "toolkit/host/X11WindowManager.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <optional>
#include <utility>

namespace {

bool takesText(const QWidget* widget)
{
    return widget && widget->testAttribute(Qt::WA_InputMethodEnabled);
}

bool hasApplication()
{
    return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr;
}

std::optional<bool> g_managerChoosesForTesting;
bool g_keyboardWindowIsTold = false;
QPointer<QWidget> g_keyboardWindowForTesting;

// Whether a manager chooses where the keyboard goes when the window that had it closes. The
// headless platforms have none; the others than X11 always have one.
bool managerChooses()
{
    if (g_managerChoosesForTesting)
        return *g_managerChoosesForTesting;
    if (const std::optional<bool> runs = X11WindowManager::managerRuns())
        return *runs;
    const QString platform = QGuiApplication::platformName();
    return platform != QLatin1String("offscreen") && platform != QLatin1String("minimal");
}

// The window of the program the platform gives the keys to: null when none is, or the platform
// does not say.
QWidget* platformKeyboardWindow()
{
    if (g_keyboardWindowIsTold)
        return g_keyboardWindowForTesting.data();
    return X11WindowManager::keyboardWindow().value_or(nullptr);
}

QWidget* widgetOf(const QWindow* window)
{
    if (!window)
        return nullptr;
    const auto windows = QApplication::topLevelWidgets();
    const auto found = std::find_if(windows.begin(), windows.end(),
                                    [window](const QWidget* widget) { return widget->windowHandle() == window; });
    return found == windows.end() ? nullptr : *found;
}

} // namespace

KeyboardReturn& KeyboardReturn::shared()
{
    // Owned by the application: another application object (a test's) gets one of its own.
    static QPointer<KeyboardReturn> instance;
    if (!instance) {
        WindowOrder::ensureTracking();
        instance = new KeyboardReturn(QCoreApplication::instance());
        connect(qApp, &QApplication::focusChanged, instance.data(), &KeyboardReturn::focusChanged);
        connect(qGuiApp, &QGuiApplication::focusWindowChanged, instance.data(), &KeyboardReturn::keyWindowChanged);
        instance->keyWindowChanged(QGuiApplication::focusWindow());
    }
    return *instance;
}

void KeyboardReturn::ensureInstalled()
{
    if (hasApplication())
        shared();
}

void KeyboardReturn::focusChanged(QWidget* old, QWidget* now)
{
    Q_UNUSED(old);
    if (takesText(now))
        m_lastField = now;
}

void KeyboardReturn::fieldHandsBack(const QWidget* closing, QWidget* heir)
{
    if (!closing || !hasApplication())
        return;
    KeyboardReturn& self = shared();
    if (self.m_lastField == closing)
        self.m_lastField = heir;
    for (std::vector<Holder>* holders : {&self.m_open, &self.m_waiting}) {
        for (Holder& holder : *holders) {
            if (holder.field == closing)
                holder.field = heir;
        }
    }
}

void KeyboardReturn::programPlaces(QWidget* place)
{
    if (place && hasApplication())
        shared().m_placed = place;
}

// Qt forgets the active window as it hides it, but takes the platform's focus to be still on it
// until the platform says otherwise: a manager that gives the keys back to it once it shows again
// tells Qt nothing new, and Qt would stay without an active window. Qt is told once the code that
// changed the window's modality has run: a mode that ends puts its palettes back first.
void KeyboardReturn::windowShownAgain(QWidget* window)
{
    if (!window || !hasApplication())
        return;
    QPointer<QWidget> shown(window);
    KeyboardReturn& self = shared();
    QMetaObject::invokeMethod(
        &self,
        [&self, shown] {
            const QWindow* handle = shown && shown->isVisible() ? shown->windowHandle() : nullptr;
            if (handle && QGuiApplication::focusWindow() == handle && !QApplication::activeWindow())
                self.activate(shown);
        },
        Qt::QueuedConnection);
}

void KeyboardReturn::setManagerChoosesForTesting(std::optional<bool> chooses)
{
    g_managerChoosesForTesting = chooses;
}

void KeyboardReturn::setPlatformKeyboardForTesting(std::optional<QWidget*> window)
{
    g_keyboardWindowIsTold = window.has_value();
    g_keyboardWindowForTesting = window.value_or(nullptr);
}

// ---------------------------------------------------------------------------------------------
// Runs

void KeyboardReturn::runOpens(QWidget* modal)
{
    if (!hasApplication())
        return;
    KeyboardReturn& self = shared();
    self.m_placed = nullptr;
    Holder holder;
    holder.window = QApplication::activeWindow();
    holder.modal = modal;
    if (holder.window) {
        QWidget* focus = QApplication::focusWidget();
        // The button clicked on the way (OK) took the keyboard from the field the user typed in.
        const bool clicked
            = qobject_cast<QAbstractButton*>(focus) && self.m_lastField && self.m_lastField->window() == holder.window;
        holder.field = clicked ? self.m_lastField.data() : focus;
    }
    self.m_open.push_back(holder);
}

void KeyboardReturn::runCloses()
{
    if (hasApplication())
        shared().closeRun();
}

void KeyboardReturn::closeRun()
{
    if (m_open.empty())
        return;
    Holder holder = std::move(m_open.back());
    m_open.pop_back();
    if (!holder.window)
        return;
    hold();
    holder.changes = m_changes;
    // A window running modally on itself (a list in a mode) stays.
    if (holder.modal && holder.modal != holder.window && holder.modal->isVisible())
        waitForModal(std::move(holder));
    else
        post(holder);
}

void KeyboardReturn::waitForModal(Holder holder)
{
    connect(holder.modal, &QObject::destroyed, this, &KeyboardReturn::releaseWaiting, Qt::UniqueConnection);
    m_waiting.push_back(std::move(holder));
}

void KeyboardReturn::releaseWaiting()
{
    const auto gone = [](const Holder& holder) { return !holder.modal || !holder.modal->isVisible(); };
    for (const Holder& holder : m_waiting) {
        if (gone(holder))
            post(holder);
    }
    m_waiting.erase(std::remove_if(m_waiting.begin(), m_waiting.end(), gone), m_waiting.end());
}

void KeyboardReturn::post(const Holder& holder)
{
    ++m_posted;
    QMetaObject::invokeMethod(
        this,
        [this, holder] {
            giveBack(holder);
            --m_posted;
            release();
            deliverHeldKeysOnceLanded();
        },
        Qt::QueuedConnection);
}

// The field comes back whatever window has the keyboard now: the window finds it as the user
// left it when it has the keyboard again, unless the program has put it elsewhere since. The
// window itself takes it back only if no other took it meanwhile, and only from in front: one that
// lies behind another leaves it to the landing.
void KeyboardReturn::giveBack(const Holder& holder)
{
    QWidget* window = holder.window;
    if (!window || !window->isVisible())
        return;
    QWidget* focus = window->focusWidget();
    QWidget* field = m_placed && m_placed->window() == window ? m_placed.data() : holder.field.data();
    if (field && field != focus && field->window() == window && field->isVisible() && field->isEnabled()
        && (!focus || qobject_cast<QAbstractButton*>(focus)))
        StdTextView::giveKeyboardBack(field);
    if (m_changes != holder.changes)
        return;
    QWidget* active = QApplication::activeWindow();
    if (active == window || (active && active->isVisible()) || !WindowOrder::isInFront(window))
        return;
    window->activateWindow();
}

// ---------------------------------------------------------------------------------------------
// The landing after a close

// A palette or a menu given the keyboard leaves it where it belongs: to the window that had it.
void KeyboardReturn::keyWindowChanged(QWindow* window)
{
    // Qt gives up a window that had the keyboard some time after it closed, when the platform
    // said nothing more: the platform may still give the keys to another of the program's windows.
    if (!window)
        postFollowPlatformKeyboard();
    QWidget* widget = widgetOf(window);
    if (widget && !WindowOrder::takesKeyboard(*widget))
        return;
    if (widget != m_keyWindow) {
        if (m_keyWindow)
            m_keyWindow->removeEventFilter(this);
        m_keyWindow = widget;
        if (widget)
            widget->installEventFilter(this);
    }
    if (widget)
        landedOn(widget);
    deliverHeldKeysOnceLanded();
}

void KeyboardReturn::keyWindowCloses()
{
    m_keyWindow->removeEventFilter(this);
    m_keyWindow = nullptr;
    if (!m_landing.armed)
        hold();
    m_landing = Landing {true, m_landing.number + 1, m_changes};
    if (managerChooses()) {
        postFollowPlatformKeyboard();
        return;
    }
    const std::uint64_t number = m_landing.number;
    QMetaObject::invokeMethod(
        this, [this, number] { land(number); }, Qt::QueuedConnection);
}

// A window shown or raised since the close is the one the keyboard belongs to, else any window in
// front. A window blocked by a question hands the keyboard on to it (ModalHandoff).
bool KeyboardReturn::landsWell(QWidget* window) const
{
    if (!window || !window->isVisible())
        return false;
    if (ModalHandoff::answeringWindow(window))
        return true;
    if (m_changes != m_landing.changes && m_lastBrought && m_lastBrought->isVisible())
        return window == m_lastBrought;
    return WindowOrder::isInFront(window);
}

QWidget* KeyboardReturn::rightfulWindow() const
{
    if (m_changes != m_landing.changes && m_lastBrought && m_lastBrought->isVisible())
        return m_lastBrought;
    return WindowOrder::front();
}

// Nothing else gives the keyboard: the program does, unless the window that has it now is the
// rightful one (a window shown since took it as it opened).
void KeyboardReturn::land(std::uint64_t number)
{
    if (!m_landing.armed || m_landing.number != number)
        return;
    const bool landed = landsWell(QApplication::activeWindow());
    QWidget* rightful = landed ? nullptr : rightfulWindow();
    endLanding();
    if (rightful)
        activate(rightful);
    deliverHeldKeysOnceLanded();
}

// The manager's choice, and any it makes later until the user acts: a window behind another, or
// an older one than the window shown since the close, hands the keyboard to the rightful one,
// once.
void KeyboardReturn::landedOn(QWidget* window)
{
    if (!m_landing.armed || landsWell(window))
        return;
    QWidget* rightful = rightfulWindow();
    if (!rightful || rightful == window)
        return;
    endLanding();
    activate(rightful);
}

void KeyboardReturn::endLanding()
{
    if (!m_landing.armed)
        return;
    m_landing.armed = false;
    release();
}

// A manager that offered the keyboard to the window closing now (a click on it) but left it on
// another window of the program sends no word when the closing window goes: Qt is left with no
// active window, every shortcut dropped until the user clicks. So is a window hidden and shown
// again (its modality changed) that the manager gives the keys back to: Qt still takes it for
// the platform's focus window and hears nothing new. Qt is told where the keys go, unless a
// question blocks that window (the hand-off brings it forward).
// A close and the focus Qt gives up after it ask once: one reading of the display serves both.
void KeyboardReturn::postFollowPlatformKeyboard()
{
    if (std::exchange(m_followPosted, true))
        return;
    QMetaObject::invokeMethod(this, &KeyboardReturn::followPlatformKeyboard, Qt::QueuedConnection);
}

void KeyboardReturn::followPlatformKeyboard()
{
    m_followPosted = false;
    const QWidget* active = QApplication::activeWindow();
    if (active && active->isVisible())
        return;
    QWidget* window = platformKeyboardWindow();
    if (!window || !window->isVisible() || !window->windowHandle() || !WindowOrder::takesKeyboard(*window)
        || ModalHandoff::answeringWindow(window))
        return;
    QApplication::setActiveWindow(window);
    keyWindowChanged(window->windowHandle());
}

// Qt forgets the active window as it hides it but leaves the platform's focus on it: shown again
// (its modality changed), the window asks the platform for a focus it still has, which tells Qt
// nothing. Qt is told instead, and the window is followed again as the one with the keyboard.
void KeyboardReturn::activate(QWidget* window)
{
    if (QWidget* answering = ModalHandoff::answeringWindow(window))
        window = answering;
    window->activateWindow();
    QWindow* handle = window->windowHandle();
    if (!handle || QGuiApplication::focusWindow() != handle || QApplication::activeWindow() == window)
        return;
    QApplication::setActiveWindow(window);
    keyWindowChanged(handle);
}

// ---------------------------------------------------------------------------------------------
// Watching the windows

void KeyboardReturn::hold()
{
    if (m_pending++ == 0)
        qApp->installEventFilter(this);
}

void KeyboardReturn::release()
{
    if (--m_pending == 0)
        qApp->removeEventFilter(this);
}

bool KeyboardReturn::eventFilter(QObject* watched, QEvent* event)
{
    if (takesClosingInput(watched, event))
        return true;
    const QEvent::Type type = event->type();
    if (type == QEvent::MouseButtonPress || type == QEvent::KeyPress) {
        // The user acts: where the keyboard goes from now on is the user's choice, and the keys
        // typed during a close come before this one.
        deliverHeldKeys();
        endLanding();
        return false;
    }
    if ((type != QEvent::Show && type != QEvent::Hide && type != QEvent::ZOrderChange) || !watched->isWidgetType())
        return false;
    auto* widget = static_cast<QWidget*>(watched);
    if (!widget->isWindow())
        return false;
    if (type == QEvent::Hide) {
        if (widget == m_keyWindow && !event->spontaneous())
            keyWindowCloses();
        if (std::any_of(m_waiting.begin(), m_waiting.end(), [widget](const Holder& h) { return h.modal == widget; })) {
            // Hidden now, whatever the flag says while the event is sent.
            for (Holder& holder : m_waiting) {
                if (holder.modal == widget)
                    holder.modal = nullptr;
            }
            releaseWaiting();
        }
        closingWindowHides(widget);
        return false;
    }
    if (m_pending > 0 && WindowOrder::takesKeyboard(*widget)) {
        ++m_changes;
        m_lastBrought = widget;
    }
    return false;
}

// ---------------------------------------------------------------------------------------------
// Keys typed while a window closes

void KeyboardReturn::windowBeginsClosing(QWidget* window)
{
    if (!window || !window->isVisible() || !hasApplication())
        return;
    KeyboardReturn& self = shared();
    if (std::find(self.m_closing.begin(), self.m_closing.end(), window) == self.m_closing.end())
        self.m_closing.emplace_back(window);
    self.updateKeyHold();
}

bool KeyboardReturn::closing()
{
    m_closing.erase(std::remove(m_closing.begin(), m_closing.end(), nullptr), m_closing.end());
    return !m_closing.empty();
}

// A key reaches the window's platform window first, then its field: the first is where it stops.
// A shortcut override accepted makes the key a plain one: no shortcut acts in the closing window.
bool KeyboardReturn::takesClosingInput(QObject* watched, QEvent* event)
{
    if (m_closing.empty() || !event->isInputEvent())
        return false;
    const QWidget* window = nullptr;
    if (watched->isWidgetType())
        window = static_cast<QWidget*>(watched)->window();
    else if (const auto* handle = qobject_cast<QWindow*>(watched))
        window = widgetOf(handle);
    if (!window || std::find(m_closing.begin(), m_closing.end(), window) == m_closing.end())
        return false;
    const QEvent::Type type = event->type();
    if (type == QEvent::ShortcutOverride) {
        event->accept();
    } else if (type == QEvent::KeyPress || type == QEvent::KeyRelease) {
        const auto* key = static_cast<const QKeyEvent*>(event);
        m_heldKeys.push_back({type, key->key(), key->modifiers(), key->nativeScanCode(), key->nativeVirtualKey(),
                              key->nativeModifiers(), key->text(), key->isAutoRepeat(), quint16(key->count())});
    }
    return true;
}

// After the give-back and the landing this hide sets off, whose calls were posted first.
void KeyboardReturn::closingWindowHides(QWidget* window)
{
    const auto at = std::find(m_closing.begin(), m_closing.end(), window);
    if (at == m_closing.end())
        return;
    m_closing.erase(at);
    QMetaObject::invokeMethod(
        this,
        [this] {
            deliverHeldKeysOnceLanded();
            updateKeyHold();
        },
        Qt::QueuedConnection);
}

// With no window left to type into, the keys have nowhere to go.
void KeyboardReturn::deliverHeldKeysOnceLanded()
{
    if (m_heldKeys.empty() || closing() || m_posted > 0)
        return;
    if (!WindowOrder::front()) {
        m_heldKeys.clear();
        updateKeyHold();
        return;
    }
    QWidget* active = QApplication::activeWindow();
    if (active && landsWell(active))
        deliverHeldKeys();
}

// Sent as typed, not as from the screen: a shortcut they make acts in the window they reach.
void KeyboardReturn::deliverHeldKeys()
{
    const std::vector<HeldKey> keys = std::exchange(m_heldKeys, {});
    for (const HeldKey& held : keys) {
        QWidget* target = QApplication::focusWidget();
        if (!target)
            target = QApplication::activeWindow();
        if (!target)
            break;
        QKeyEvent event(held.type, held.key, held.modifiers, held.scanCode, held.virtualKey, held.nativeModifiers,
                        held.text, held.autoRepeat, held.count);
        QCoreApplication::sendEvent(target, &event);
    }
    updateKeyHold();
}

void KeyboardReturn::updateKeyHold()
{
    const bool needed = closing() || !m_heldKeys.empty();
    if (needed == m_keyHold)
        return;
    m_keyHold = needed;
    if (needed)
        hold();
    else
        release();
}
