#include "toolkit/host/KeyboardReturn.h"

#include "toolkit/fields/StdTextView.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QWidget>

#include <algorithm>
#include <utility>

namespace {

bool takesText(const QWidget* widget)
{
    return widget && widget->testAttribute(Qt::WA_InputMethodEnabled);
}

// A window the user can type into: not a menu, a tip or a palette that refuses the keyboard.
bool takesKeyboard(const QWidget& window)
{
    const Qt::WindowType type = window.windowType();
    return type != Qt::Popup && type != Qt::ToolTip && type != Qt::SplashScreen
        && !window.testAttribute(Qt::WA_ShowWithoutActivating)
        && !(window.windowFlags() & Qt::WindowDoesNotAcceptFocus);
}

} // namespace

KeyboardReturn& KeyboardReturn::shared()
{
    // Owned by the application: another application object (a test's) gets one of its own.
    static QPointer<KeyboardReturn> instance;
    if (!instance) {
        instance = new KeyboardReturn(QCoreApplication::instance());
        connect(qApp, &QApplication::focusChanged, instance.data(), &KeyboardReturn::focusChanged);
    }
    return *instance;
}

void KeyboardReturn::focusChanged(QWidget* old, QWidget* now)
{
    Q_UNUSED(old);
    if (takesText(now))
        m_lastField = now;
}

void KeyboardReturn::runOpens(QWidget* modal)
{
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return;
    KeyboardReturn& self = shared();
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
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return;
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
    if (m_pending++ == 0)
        watchWindows(true);
    holder.shown = m_shown;
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
    QMetaObject::invokeMethod(
        this,
        [this, holder] {
            giveBack(holder);
            if (--m_pending == 0)
                watchWindows(false);
        },
        Qt::QueuedConnection);
}

void KeyboardReturn::giveBack(const Holder& holder)
{
    QWidget* window = holder.window;
    if (!window || !window->isVisible() || m_shown != holder.shown)
        return;
    QWidget* active = QApplication::activeWindow();
    if (active && active != window && active->isVisible())
        return;
    QWidget* focus = window->focusWidget();
    QWidget* field = holder.field;
    if (field && field != focus && field->window() == window && field->isVisible() && field->isEnabled()
        && (!focus || qobject_cast<QAbstractButton*>(focus)))
        StdTextView::giveKeyboardBack(field);
    if (active != window)
        window->activateWindow();
}

// Only while a return waits: the application's every event passes here then.
void KeyboardReturn::watchWindows(bool watch)
{
    if (watch)
        qApp->installEventFilter(this);
    else
        qApp->removeEventFilter(this);
}

bool KeyboardReturn::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if ((type != QEvent::Show && type != QEvent::Hide) || !watched->isWidgetType())
        return false;
    auto* widget = static_cast<QWidget*>(watched);
    if (!widget->isWindow())
        return false;
    if (type == QEvent::Show && takesKeyboard(*widget))
        ++m_shown;
    if (type == QEvent::Hide
        && std::any_of(m_waiting.begin(), m_waiting.end(), [widget](const Holder& h) { return h.modal == widget; })) {
        // Hidden now, whatever the flag says while the event is sent.
        for (Holder& holder : m_waiting) {
            if (holder.modal == widget)
                holder.modal = nullptr;
        }
        releaseWaiting();
    }
    return false;
}
