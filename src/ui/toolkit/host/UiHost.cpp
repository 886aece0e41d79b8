#include "toolkit/host/UiHost.h"

#include "toolkit/dialogs/Dialog.h"
#include "toolkit/host/KeyboardReturn.h"
#include "toolkit/host/ModalHandoff.h"
#include "toolkit/host/PopupEscape.h"
#include "toolkit/host/QtUiHost.h"

#include "foundation/diagnostics.h"
#include "foundation/localized.h"

#include <QEvent>
#include <QWidget>

#include <algorithm>
#include <iterator>
#include <utility>

namespace {

UiHost* g_host = nullptr;
std::function<void(QWidget*)> g_placement;

// The core's alerts take the same road as the windows' own, sounds included.
class CoreAlerts : public IAlerts {
public:
    int run(const AlertRequest& request) override { return showAlert(request); }
};

CoreAlerts g_coreAlerts;

// Calls back when Qt would delete it: the event loop has come back to the level where it was
// posted, so the code that ran the outermost run (a table's double-click handler, an action) has
// returned, whatever loop happens to be running meanwhile.
class RunsEndedCall : public QObject {
public:
    explicit RunsEndedCall(std::function<void()> call)
        : m_call(std::move(call))
    {
    }

protected:
    bool event(QEvent* event) override
    {
        if (event->type() == QEvent::DeferredDelete && m_call)
            std::exchange(m_call, {})();
        return QObject::event(event);
    }

private:
    std::function<void()> m_call;
};

} // namespace

QStringList alertButtonTitles(const AlertRequest& request)
{
    QStringList titles;
    for (const QString* title : {&request.button1, &request.button2, &request.button3}) {
        if (!title->isEmpty())
            titles.append(*title);
    }
    if (titles.isEmpty())
        titles.append(localizedDialogue(QStringLiteral("LIB_BUTTON_OK")));
    return titles;
}

int alertEscapeButton(const AlertRequest& request)
{
    const auto count = static_cast<int>(alertButtonTitles(request).size());
    if (count == 1)
        return kAlertFirstButton;
    return request.escapeButton >= kAlertFirstButton && request.escapeButton < kAlertFirstButton + count
        ? request.escapeButton
        : 0;
}

QWidget* widgetOfWindowObject(QObject* window)
{
    if (!window)
        return nullptr;
    if (auto* widget = qobject_cast<QWidget*>(window))
        return widget;
    return window->property("window").value<QWidget*>();
}

IScheduler::Handle IScheduler::newHandle()
{
    static Handle last = 0;
    return ++last;
}

UiHost::UiHost(Services services)
    : m_services(std::move(services))
{
    SV_ASSERT(m_services.modal && m_services.alerts && m_services.scheduler && m_services.panels && m_services.desktop
              && m_services.screen && m_services.sound && m_services.animator && m_services.print
              && m_services.colorPanel);
    m_services.screen->setMapListener([this](QWidget* window) { displayMapped(window); });
}

UiHost::~UiHost()
{
    m_services.screen->setMapListener({});
    delete m_runsEndedCall.data();
    if (g_host == this)
        install(nullptr);
}

// Qt alone says whether a window shows, yet its hide cannot take back a map the window manager has
// yet to carry out: a show and a hide close together (a palette whose window is key for a moment)
// may reach the display as map, unmap, map, a manager that frames the window late taking no notice
// of the withdrawal meanwhile (xfwm4, metacity). A window the display maps while Qt holds it hidden
// is withdrawn again as Qt's hide does, whoever asked for the map and whatever order the manager
// carried the requests out in.
void UiHost::displayMapped(QWidget* window)
{
    if (window && window->isWindow() && !window->isVisible())
        m_services.screen->withdraw(window);
}

void UiHost::install(UiHost* host)
{
    g_host = host;
    installAlerts(host ? &g_coreAlerts : nullptr);
    installDesktop(host ? &host->desktop() : nullptr);
    // From the first window on: its close must leave the keyboard to the window in front, and
    // Escape in one of its pop-ups closes only the pop-up.
    if (host) {
        KeyboardReturn::ensureInstalled();
        PopupEscape::ensureInstalled();
    }
}

UiHost* UiHost::installed()
{
    return g_host;
}

UiHost& UiHost::instance()
{
    if (!g_host) {
        svSoftAssertFailed("UiHost installed", __FILE__, __LINE__);
        // Deliberately never deleted: it may be used until the very end of the run, after the
        // application object that its Qt services need is gone.
        install(makeQtUiHost().release());
    }
    return *g_host;
}

void UiHost::enterModal(QWidget* window, RunKind kind)
{
    // Before the first modal window shows: from then on, a window it blocks never keeps the keys.
    ModalHandoff::ensureInstalled();
    if (!window)
        window = modal().modalWindow();
    KeyboardReturn::runOpens(window);
    ++m_modalDepth;
    m_runs.push_back({window, kind, false});
    scheduler().setModalDepth(m_modalDepth);
    // Opened by the program's own code once the last run the command waited for had ended (the
    // replacement asked for once a deletion is confirmed): it is the user's to close as well.
    if (m_modalDepth == 1 && commandWaits())
        postBringRunForward();
}

void UiHost::leaveModal()
{
    if (SV_ASSERT(m_modalDepth > 0))
        --m_modalDepth;
    if (!m_runs.empty())
        m_runs.pop_back();
    scheduler().setModalDepth(m_modalDepth);
    KeyboardReturn::runCloses();
    if (m_modalDepth == 0)
        postRunsEnded();
    else if (commandWaits())
        postBringRunForward();
}

void UiHost::runBeginsClosing(const QWidget* window)
{
    for (Run& run : m_runs) {
        if (run.kind == RunKind::Window && run.window == window)
            run.closing = true;
    }
}

QList<QWidget*> UiHost::waitingQuestions() const
{
    QList<QWidget*> questions;
    for (const Run& run : m_runs) {
        if (run.kind == RunKind::Question && run.window)
            questions.append(run.window);
    }
    return questions;
}

// A run's code goes on only once the runs opened inside it have ended: keys typed into its window
// meanwhile would be carried out after an answer given to another window's question. While a
// command waits, whatever another window did would be undone by the command, or carried out
// after it: the run to answer, its pop-ups and the windows it opened take the input alone.
QWidget* UiHost::waitsUnder(const QWidget* window) const
{
    if (!window || m_runs.empty())
        return nullptr;
    if (commandWaits()) {
        QWidget* answering = runToAnswer();
        return answering && !opensFrom(window, answering) ? answering : nullptr;
    }
    if (m_runs.size() < 2)
        return nullptr;
    QWidget* innermost = m_runs.back().window;
    if (!innermost || !innermost->isVisible() || innermost->window() == window->window())
        return nullptr;
    const auto outer = std::prev(m_runs.end());
    const bool runs = std::any_of(m_runs.begin(), outer, [window](const Run& run) {
        return run.window && run.window->window() == window->window();
    });
    return runs ? innermost : nullptr;
}

bool UiHost::endModalRunsThen(QObject* context, std::function<void()> then)
{
    if (m_modalDepth == 0)
        return false;
    m_commandsWaiting.erase(std::remove(m_commandsWaiting.begin(), m_commandsWaiting.end(), nullptr),
                            m_commandsWaiting.end());
    m_commandsWaiting.emplace_back(context);
    bringRunForward();
    scheduler().after(
        0, IScheduler::Mode::Default,
        [this, context, then = std::move(then)] {
            // The command runs now, and its own runs (its save question) are the user's: a press
            // repeated meanwhile waits no more either, whatever it does once called.
            m_commandsWaiting.erase(std::remove(m_commandsWaiting.begin(), m_commandsWaiting.end(), context),
                                    m_commandsWaiting.end());
            runWhenRunsEnd();
            then();
        },
        context);
    return true;
}

// A command whose context has gone is dropped by the scheduler: it waits no more.
bool UiHost::commandWaits() const
{
    return std::any_of(m_commandsWaiting.begin(), m_commandsWaiting.end(),
                       [](const QPointer<QObject>& context) { return !context.isNull(); });
}

// Only the innermost run can return: the runs around it wait for it, as their code waits for its
// answer. A run already closing by the user's word comes back by itself.
void UiHost::bringRunForward()
{
    for (auto run = m_runs.rbegin(); run != m_runs.rend(); ++run) {
        if (run->kind == RunKind::Wait || !run->window)
            continue;
        if (!run->closing)
            bringForward(run->window);
        return;
    }
}

// Once the run that ended has left the screen, whatever the window manager then does with the
// keyboard: the next run to answer comes forward from the event loop of the run around it (or of
// the run just opened).
void UiHost::postBringRunForward()
{
    if (m_turnPosted)
        return;
    m_turnPosted = true;
    QMetaObject::invokeMethod(
        &m_turns,
        [this] {
            m_turnPosted = false;
            if (commandWaits())
                bringRunForward();
        },
        Qt::QueuedConnection);
}

QWidget* UiHost::runToAnswer() const
{
    for (auto run = m_runs.rbegin(); run != m_runs.rend(); ++run) {
        if (run->kind != RunKind::Wait && run->window && run->window->isVisible())
            return run->window;
    }
    return nullptr;
}

// The window itself, a window it opened (its parent's chain leads to it) or a pop-up, which only
// its opener's input opens.
bool UiHost::opensFrom(const QWidget* window, const QWidget* answering)
{
    const QWidget* top = window->window();
    if (top->windowType() == Qt::Popup || top->windowType() == Qt::ToolTip)
        return true;
    for (const QWidget* each = top; each; each = each->parentWidget() ? each->parentWidget()->window() : nullptr) {
        if (each == answering->window())
            return true;
    }
    return false;
}

void UiHost::whenRunsEnd(QObject* context, std::function<void()> fn)
{
    m_whenRunsEnd.push_back({context, std::move(fn)});
    if (m_modalDepth == 0)
        postRunsEnded();
}

void UiHost::postRunsEnded()
{
    if (m_whenRunsEnd.empty() || m_runsEndedCall)
        return;
    m_runsEndedCall = new RunsEndedCall([this] { runWhenRunsEnd(); });
    m_runsEndedCall->deleteLater();
}

// A call may close more windows, or run a question during which more are closed: those follow
// in turn, once the question has returned. With a run opened again before the event loop came
// back, the calls wait for its end.
void UiHost::runWhenRunsEnd()
{
    if (m_modalDepth > 0)
        return;
    while (!m_whenRunsEnd.empty()) {
        Waiting waiting = std::move(m_whenRunsEnd.front());
        m_whenRunsEnd.erase(m_whenRunsEnd.begin());
        if (waiting.context)
            waiting.fn();
    }
}

void UiHost::setPlacement(std::function<void(QWidget* window)> place)
{
    g_placement = std::move(place);
}

// A sheet's window comes up with it. A window closed meanwhile stays closed: its question went
// with it. Minimised along with its window, a question comes back with it.
void UiHost::bringForward(QWidget* window)
{
    if (!window->isVisible())
        return;
    QWidget* parent = window->parentWidget();
    for (QWidget* each : {parent ? parent->window() : nullptr, window}) {
        if (!each || !each->isVisible())
            continue;
        each->setWindowState(each->windowState() & ~Qt::WindowMinimized);
        if (g_placement)
            g_placement(each);
        each->raise();
    }
    window->activateWindow();
}
