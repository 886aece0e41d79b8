#include "toolkit/host/ModalHandoff.h"

#include "toolkit/host/UiHost.h"
#include "toolkit/host/X11WindowManager.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QWidget>
#include <QWindow>

namespace {

// Qt's rule for one modal window over another window: an application-modal one blocks every
// window but its own descendants, a window-modal one the windows it stands on (the program sets
// no group leaders).
bool blocks(const QWindow& modal, const QWindow& window)
{
    if (modal.modality() == Qt::ApplicationModal)
        return true;
    for (const QWindow* under = &window; under; under = under->parent(QWindow::IncludeTransients)) {
        if (under->isAncestorOf(&modal, QWindow::IncludeTransients))
            return true;
    }
    return false;
}

} // namespace

void ModalHandoff::ensureInstalled()
{
    // Owned by the application: another application object (a test's) gets a filter of its own.
    static QPointer<ModalHandoff> installed;
    QCoreApplication* application = QCoreApplication::instance();
    if (installed || !application)
        return;
    installed = new ModalHandoff(application);
    application->installEventFilter(installed);
    X11WindowManager::setFocusListener(&ModalHandoff::managerGaveKeyboard);
}

// Qt asks for the modal window too, as an application: under a manager that grants that, the
// second request finds the modal window active already and changes nothing.
void ModalHandoff::managerGaveKeyboard(QWidget* window)
{
    if (QWidget* answering = answeringWindow(window))
        X11WindowManager::activateAsUser(answering);
}

// Qt keeps the order of its modal windows to itself but for the innermost, which comes first here.
// The others need none: the seam makes every modal window a transient child of the window that
// asked, so which of two is inner reads from their ancestry as well as from Qt's list.
QList<QWidget*> ModalHandoff::openModalWindows()
{
    QList<QWidget*> modals;
    QWidget* innermost = QApplication::activeModalWidget();
    if (innermost && innermost->windowHandle())
        modals.append(innermost);
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget* window : windows) {
        const QWindow* handle = window->windowHandle();
        if (window != innermost && handle && handle->isVisible() && handle->modality() != Qt::NonModal)
            modals.append(window);
    }
    return modals;
}

// Read as Qt reads its list: a modal window that is the window itself or one of its ancestors
// frees it from those after it.
QWidget* ModalHandoff::firstBlocker(const QList<QWidget*>& modals, const QWidget* window)
{
    const QWindow* handle = window->windowHandle();
    if (!handle)
        return nullptr;
    for (QWidget* modal : modals) {
        const QWindow* modalHandle = modal->windowHandle();
        if (modalHandle == handle || modalHandle->isAncestorOf(handle, QWindow::IncludeTransients))
            return nullptr;
        if (blocks(*modalHandle, *handle))
            return modal;
    }
    return nullptr;
}

// The run a waiting quit is to have answered first comes before any that Qt would name: the
// runs around it can only end after it.
QWidget* ModalHandoff::answeringWindow(QWidget* window)
{
    if (!window || !QApplication::activeModalWidget())
        return nullptr;
    const UiHost* host = UiHost::installed();
    if (QWidget* waited = host ? host->waitsUnder(window) : nullptr)
        return waited;
    return qtBlocker(window);
}

QWidget* ModalHandoff::qtBlocker(QWidget* window)
{
    const QList<QWidget*> modals = openModalWindows();
    QWidget* answering = nullptr;
    // The innermost modal window blocks nothing: the walk ends there, and no more steps than
    // there are modal windows are ever needed.
    for (qsizetype step = 0; step < modals.size(); ++step) {
        QWidget* blocker = firstBlocker(modals, answering ? answering : window);
        if (!blocker)
            break;
        answering = blocker;
    }
    return answering;
}

// The activation of the blocked window is not undone: the modal window's own activation follows
// it, so the manager sees one request and no window is activated twice in answer.
bool ModalHandoff::eventFilter(QObject* watched, QEvent* event)
{
    if (dropsWaitingInput(watched, event))
        return true;
    if (event->type() != QEvent::WindowActivate || !watched->isWidgetType())
        return false;
    auto* window = static_cast<QWidget*>(watched);
    if (!window->isWindow())
        return false;
    if (QWidget* answering = answeringWindow(window)) {
        answering->raise();
        answering->activateWindow();
    }
    return false;
}

// A shortcut of the waiting window (Escape for its cancel button) is kept from running by taking
// the key as the window's own, which is then dropped as a key; the application's filters still see
// it (the quit key).
bool ModalHandoff::dropsWaitingInput(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::ShortcutOverride:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
        break;
    default:
        return false;
    }
    const UiHost* host = UiHost::installed();
    QWidget* question = host && watched->isWidgetType() ? host->waitsUnder(static_cast<QWidget*>(watched)) : nullptr;
    if (!question)
        return false;
    if (event->type() == QEvent::ShortcutOverride) {
        event->accept();
        return false;
    }
    const bool press = event->type() == QEvent::KeyPress || event->type() == QEvent::MouseButtonPress;
    if (press && QApplication::activeWindow() != question) {
        question->raise();
        question->activateWindow();
    }
    return true;
}
