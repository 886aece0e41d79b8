#include "toolkit/host/PopupEscape.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>

// Owned by the application: another application object (a test's) gets one of its own.
void PopupEscape::ensureInstalled()
{
    static QPointer<PopupEscape> instance;
    auto* application = qobject_cast<QApplication*>(QCoreApplication::instance());
    if (instance || !application)
        return;
    instance = new PopupEscape(application);
    application->installEventFilter(instance);
}

// The application's filters see the offer before the pop-up's own filters, while it is still open.
bool PopupEscape::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride && QApplication::activePopupWidget()
        && static_cast<QKeyEvent*>(event)->matches(QKeySequence::Cancel))
        event->accept();
    return QObject::eventFilter(watched, event);
}
