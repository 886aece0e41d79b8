#include "mainthread.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>

void performOnMainThread(const std::function<void()>& work)
{
    QCoreApplication* app = QCoreApplication::instance();
    if (!app || QThread::currentThread() == app->thread()) {
        work();
        return;
    }
    QMetaObject::invokeMethod(
        app, [&work] { work(); }, Qt::BlockingQueuedConnection);
}
