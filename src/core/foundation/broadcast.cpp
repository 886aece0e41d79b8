#include "broadcast.h"

#include <QHash>
#include <QMetaMethod>
#include <QPair>
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

// How a class answers a selector: its method's index (-1: it does not) and how many of the two
// objects that method takes. Looked up once per class and selector, since every broadcast goes to
// every window (the main timer's among them, once a second while the program rests). Each thread
// keeps its own, so nothing is shared between threads.
struct Answer {
    int index = -1;
    int arity = 0;
};

Answer answerOf(const QMetaObject* meta, const char* selector)
{
    thread_local QHash<QPair<const QMetaObject*, QByteArray>, Answer> known;
    const QByteArray name = QByteArray::fromRawData(selector, qsizetype(qstrlen(selector)));
    if (const auto it = known.constFind(qMakePair(meta, name)); it != known.constEnd())
        return *it;
    Answer answer;
    static const char* const kSignatures[] = {"()", "(QVariant)", "(QVariant,QVariant)"};
    for (answer.arity = 2; answer.arity >= 0; --answer.arity) {
        answer.index = meta->indexOfMethod(name + kSignatures[answer.arity]);
        if (answer.index >= 0)
            break;
    }
    known.insert(qMakePair(meta, QByteArray(selector)), answer); // a copy: the selector may not last
    return answer;
}

bool invokeByName(QObject* target, const char* selector, const QVariant& a1, const QVariant& a2)
{
    const QMetaObject* meta = target->metaObject();
    const Answer answer = answerOf(meta, selector);
    if (answer.index < 0)
        return false;
    const QMetaMethod method = meta->method(answer.index);
    switch (answer.arity) {
    case 2:
        return method.invoke(target, Qt::DirectConnection, Q_ARG(QVariant, a1), Q_ARG(QVariant, a2));
    case 1:
        return method.invoke(target, Qt::DirectConnection, Q_ARG(QVariant, a1));
    default:
        return method.invoke(target, Qt::DirectConnection);
    }
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
