#include "toolkit/host/QtModalRunner.h"

#include "toolkit/host/KeyboardReturn.h"
#include "toolkit/host/X11WindowManager.h"

#include "foundation/diagnostics.h"

#include <QApplication>
#include <QEventLoop>
#include <QPointer>
#include <QRect>
#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace {

// Time enough for a manager to place a window it maps.
constexpr int kPlacedMs = 300;

} // namespace

// A modal window stands above the window that asked, on every window manager: only a dialog's
// transient parent reaches the window manager (for a plain window Qt drops it), and without it a
// window manager that guards the focus opens the question behind the window the user works in.
void QtModalRunner::prepareWindow(const ModalRequest& request)
{
    QWidget* window = request.window;
    QWidget* parent = request.parent ? request.parent->window() : nullptr;
    const bool sheet = request.sheet && parent;
    const Qt::WindowModality modality = sheet ? Qt::WindowModal : Qt::ApplicationModal;
    // A window running modally on itself (a list in a mode) stays the kind of window it was: made
    // a dialog, it would stay one after its mode, standing above every window opened later.
    if (window->isVisible()) {
        setModality(window, modality);
        return;
    }
    window->setWindowModality(modality);
    if (window->windowType() == Qt::Window)
        window->setWindowFlags((window->windowFlags() & ~Qt::WindowType_Mask) | Qt::Dialog);
    QWidget* above = sheet ? parent : askingWindow(window);
    if (above && window->parentWidget() != above) {
        // The transient parent, without handing the window's ownership to it.
        window->winId();
        above->winId();
        if (QWindow* handle = window->windowHandle())
            handle->setTransientParent(above->windowHandle());
    }
    if (!sheet)
        return;
    if (!window->testAttribute(Qt::WA_Resized))
        window->adjustSize();
    const QRect around = parent->frameGeometry();
    window->move(around.center() - QPoint(window->width() / 2, window->height() / 2));
}

// Qt applies a modality when a window is shown: a window already on screen goes off first. A
// manager that places each window it maps (awesome) places it anew, elsewhere: once it has, the
// window asks for its frame back, as the user left it.
void QtModalRunner::setModality(QWidget* window, Qt::WindowModality modality)
{
    if (window->windowModality() == modality)
        return;
    const QRect frame = window->geometry();
    window->hide();
    window->setWindowModality(modality);
    if (modality == Qt::NonModal)
        X11WindowManager::forgetModalState(window);
    window->show();
    KeyboardReturn::windowShownAgain(window);
    QPointer<QWidget> shown(window);
    UiHost::instance().scheduler().after(
        kPlacedMs, IScheduler::Mode::ModalPanel,
        [shown, frame] {
            if (shown && shown->isVisible() && shown->geometry() != frame)
                shown->setGeometry(frame);
        },
        window);
}

// The window an application-modal run asks over: the innermost modal window, else the active one.
QWidget* QtModalRunner::askingWindow(const QWidget* window) const
{
    for (auto run = m_runs.rbegin(); run != m_runs.rend(); ++run) {
        QWidget* running = (*run)->window;
        if (running && running != window && running->isVisible())
            return running->window();
    }
    QWidget* active = QApplication::activeWindow();
    return active && active != window ? active : nullptr;
}

int QtModalRunner::run(const ModalRequest& request)
{
    if (!SV_ASSERT(request.window))
        return 0;
    QEventLoop loop;
    QWidget* sheetOf = request.sheet && request.parent ? request.parent->window() : nullptr;
    Run current {request.window, sheetOf, &loop, 0, false};
    m_runs.push_back(&current);
    ModalRunScope scope(request.window, UiHost::RunKind::Window);

    // A window on screen goes back to its own modality once its run ends.
    const bool onScreen = request.window->isVisible();
    const Qt::WindowModality own = request.window->windowModality();
    prepareWindow(request);
    request.window->installEventFilter(this);
    if (sheetOf)
        sheetOf->installEventFilter(this);
    const QMetaObject::Connection destroyed = connect(request.window, &QObject::destroyed, &loop, [&current, &loop] {
        current.ended = true;
        loop.exit(0);
    });
    request.window->show();
    request.window->raise();
    request.window->activateWindow();
    if (!current.ended)
        loop.exec(QEventLoop::DialogExec);

    disconnect(destroyed);
    if (current.window)
        current.window->removeEventFilter(this);
    if (current.sheetOf)
        current.sheetOf->removeEventFilter(this);
    if (current.window && onScreen && current.window->isVisible())
        setModality(current.window, own);
    m_runs.erase(std::find(m_runs.begin(), m_runs.end(), &current));
    return current.code;
}

QtModalRunner::Run* QtModalRunner::findRun(const QWidget* window)
{
    for (Run* run : m_runs) {
        if (run->window == window && !run->ended)
            return run;
    }
    return nullptr;
}

void QtModalRunner::endModal(QWidget* window, int code)
{
    Run* run = findRun(window);
    if (!run)
        return;
    run->code = code;
    run->ended = true;
    run->loop->exit(code);
}

QWidget* QtModalRunner::modalWindow() const
{
    return m_runs.empty() ? nullptr : m_runs.back()->window.data();
}

// A window that goes away while its run is open (its close box accepted, or hidden by program)
// ends the run with 0, so the caller never waits on a window nobody can see; so does a sheet whose
// window closes under it, as its cancel button would. A hide sent by the window system
// (minimising) is not an end.
bool QtModalRunner::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::Hide || event->spontaneous())
        return QObject::eventFilter(watched, event);
    const std::vector<Run*> runs = m_runs;
    for (Run* run : runs) {
        if (run->window && (run->window == watched || run->sheetOf == watched))
            endModal(run->window, 0);
    }
    return QObject::eventFilter(watched, event);
}
