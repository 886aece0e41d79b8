#include "broadcast.h"

#include <QMetaMethod>
#include <QPointer>

namespace {

QList<QPointer<QObject>>& registry()
{
    static QList<QPointer<QObject>> list;
    return list;
}

void prune()
{
    registry().removeIf([](const QPointer<QObject>& p) { return p.isNull(); });
}

bool invokeByName(QObject* target, const char* selector, const QVariant& a1, const QVariant& a2)
{
    const QMetaObject* meta = target->metaObject();
    const QByteArray name(selector);
    int index = meta->indexOfMethod(name + "(QVariant,QVariant)");
    if (index >= 0)
        return meta->method(index).invoke(target, Qt::DirectConnection, Q_ARG(QVariant, a1), Q_ARG(QVariant, a2));
    index = meta->indexOfMethod(name + "(QVariant)");
    if (index >= 0)
        return meta->method(index).invoke(target, Qt::DirectConnection, Q_ARG(QVariant, a1));
    index = meta->indexOfMethod(name + "()");
    if (index >= 0)
        return meta->method(index).invoke(target, Qt::DirectConnection);
    return false;
}

} // namespace

void registerWindowController(QObject* controller)
{
    if (!controller)
        return;
    prune();
    for (const auto& p : registry()) {
        if (p == controller)
            return;
    }
    registry().append(QPointer<QObject>(controller));
}

void unregisterWindowController(QObject* controller)
{
    registry().removeIf([controller](const QPointer<QObject>& p) { return p.isNull() || p == controller; });
}

QList<QObject*> registeredWindowControllers()
{
    prune();
    QList<QObject*> out;
    for (const auto& p : registry())
        out.append(p.data());
    return out;
}

void sendToAllWindowDelegates(const char* selector, const QVariant& object1, const QVariant& object2)
{
    prune();
    // A snapshot: handlers may open or close windows while the broadcast runs.
    const QList<QPointer<QObject>> snapshot = registry();
    for (const QPointer<QObject>& target : snapshot) {
        if (target)
            invokeByName(target.data(), selector, object1, object2);
    }
}
