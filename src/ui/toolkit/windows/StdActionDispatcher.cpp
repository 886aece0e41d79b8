#include "toolkit/windows/StdActionDispatcher.h"

#include "toolkit/windows/StdWindowController.h"

#include "foundation/diagnostics.h"

#include <QAbstractButton>
#include <QAction>
#include <QKeyEvent>
#include <QMetaMethod>
#include <QPushButton>

namespace {

constexpr char kActionProperty[] = "sv_action";
constexpr char kConnectedProperty[] = "sv_action_connected";

QByteArray methodName(const QString& action)
{
    QByteArray name = action.toLatin1();
    if (name.endsWith(':'))
        name.chop(1);
    return name;
}

void logUnanswered(const QObject* target, const QString& action)
{
    svLog(QStringLiteral("%1 has no action %2").arg(QString::fromLatin1(target->metaObject()->className()), action));
}

} // namespace

StdActionDispatcher::StdActionDispatcher(QObject& receiver)
    : m_receiver(receiver)
{
}

void StdActionDispatcher::setAction(QObject* control, const QString& action)
{
    if (control)
        control->setProperty(kActionProperty, action);
}

QString StdActionDispatcher::actionOf(const QObject* control)
{
    return control ? control->property(kActionProperty).toString() : QString();
}

bool StdActionDispatcher::answers(const QObject* target, const QString& action)
{
    if (!target)
        return false;
    const QByteArray name = methodName(action);
    const QMetaObject* meta = target->metaObject();
    return meta->indexOfMethod(name + "(QObject*)") >= 0 || meta->indexOfMethod(name + "()") >= 0;
}

bool StdActionDispatcher::invoke(QObject* target, const QString& action, QObject* sender)
{
    if (!target)
        return false;
    const QByteArray name = methodName(action);
    const QMetaObject* meta = target->metaObject();
    int index = meta->indexOfMethod(name + "(QObject*)");
    if (index >= 0)
        return meta->method(index).invoke(target, Qt::DirectConnection, Q_ARG(QObject*, sender));
    index = meta->indexOfMethod(name + "()");
    if (index >= 0)
        return meta->method(index).invoke(target, Qt::DirectConnection);
    return false;
}

bool StdActionDispatcher::send(QObject* target, const QString& action, QObject* sender)
{
    if (!target)
        return false;
    if (auto* controller = qobject_cast<StdWindowController*>(target))
        return controller->perform(action, sender);
    if (invoke(target, action, sender))
        return true;
    logUnanswered(target, action);
    return false;
}

void StdActionDispatcher::addHelper(QObject* helper)
{
    m_helpers.append(helper);
}

bool StdActionDispatcher::perform(const QString& action, QObject* sender) const
{
    if (answers(&m_receiver, action))
        return invoke(&m_receiver, action, sender);
    for (const QPointer<QObject>& helper : m_helpers) {
        if (answers(helper, action))
            return invoke(helper, action, sender);
    }
    logUnanswered(&m_receiver, action);
    return false;
}

void StdActionDispatcher::connectControl(QObject* control, const QString& action)
{
    setAction(control, action);
    connectToTarget(control, &m_receiver);
}

void StdActionDispatcher::connectToTarget(QObject* control, QObject* target)
{
    if (!control || !target || control->property(kConnectedProperty).toBool())
        return;
    control->setProperty(kConnectedProperty, true);
    auto run = [control, target] { send(target, actionOf(control), control); };
    if (auto* button = qobject_cast<QAbstractButton*>(control))
        QObject::connect(button, &QAbstractButton::clicked, target, run);
    else if (auto* item = qobject_cast<QAction*>(control))
        QObject::connect(item, &QAction::triggered, target, run);
    else
        svSoftAssertFailed("an action on a button or a menu item", __FILE__, __LINE__);
}

void StdActionDispatcher::connectAll(const QWidget& window)
{
    const auto buttons = window.findChildren<QAbstractButton*>();
    for (QAbstractButton* button : buttons) {
        if (const QString action = actionOf(button); !action.isEmpty())
            connectControl(button, action);
    }
    const auto items = window.findChildren<QAction*>();
    for (QAction* item : items) {
        if (const QString action = actionOf(item); !action.isEmpty())
            connectControl(item, action);
    }
}

bool StdActionDispatcher::clickDefaultButton(const QWidget& window, const QKeyEvent& event)
{
    const bool isReturn = event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter;
    if (!isReturn || (event.modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    const auto buttons = window.findChildren<QPushButton*>();
    for (QPushButton* button : buttons) {
        if (button->isDefault() && button->isEnabled() && button->window() == &window) {
            button->click();
            return true;
        }
    }
    return false;
}
