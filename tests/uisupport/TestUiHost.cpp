#include "TestUiHost.h"

#include "toolkit/print/PrintView.h"

#include "foundation/localized.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QExposeEvent>
#include <QWidget>
#include <QWindow>

#include <algorithm>

// ---------------------------------------------------------------------------------------------
// Modal runs

const char* const kAnyModal = "*";

TestModalRunner::Script TestModalRunner::takeScript(const ModalRequest& request, QString* name)
{
    QStringList names;
    if (request.controller)
        names.append(QString::fromLatin1(request.controller->metaObject()->className()));
    if (request.window && !request.window->objectName().isEmpty())
        names.append(request.window->objectName());
    *name = names.isEmpty() ? QStringLiteral("(anonymous window)") : names.constFirst();
    for (const QString& candidate : names) {
        auto it = scripts.find(candidate);
        if (it != scripts.end() && !it->second.empty()) {
            *name = candidate;
            Script script = std::move(it->second.front());
            it->second.pop_front();
            return script;
        }
    }
    // A script registered under kAnyModal plays every run that has none of its own, as often as
    // runs come (a walk through every window).
    auto any = scripts.find(QLatin1String(kAnyModal));
    return any != scripts.end() && !any->second.empty() ? any->second.front() : nullptr;
}

int TestModalRunner::run(const ModalRequest& request)
{
    QString name;
    Script script = takeScript(request, &name);
    if (!script) {
        ADD_FAILURE() << "unexpected modal run of " << name.toStdString();
        records.append({name, request.sheet, 0});
        return 0;
    }
    Run current {request.window, 0, false};
    m_runs.push_back(&current);
    {
        ModalRunScope scope(request.window, UiHost::RunKind::Window);
        script(request);
    }
    m_runs.erase(std::find(m_runs.begin(), m_runs.end(), &current));
    if (!current.ended)
        ADD_FAILURE() << "the script for " << name.toStdString() << " did not end the modal run";
    records.append({name, request.sheet, current.code});
    return current.code;
}

void TestModalRunner::endModal(QWidget* window, int code)
{
    for (Run* run : m_runs) {
        if (run->window == window && !run->ended) {
            run->code = code;
            run->ended = true;
            return;
        }
    }
}

bool TestModalRunner::ended(const QWidget* window) const
{
    return std::any_of(m_runs.begin(), m_runs.end(),
                       [window](const Run* run) { return run->window == window && run->ended; });
}

QWidget* TestModalRunner::modalWindow() const
{
    return m_runs.empty() ? nullptr : m_runs.back()->window.data();
}

bool TestModalRunner::awaitsUser(const QWidget* window) const
{
    return std::any_of(m_runs.begin(), m_runs.end(),
                       [window](const Run* run) { return run->window == window && !run->ended; });
}

// ---------------------------------------------------------------------------------------------
// Alerts

int TestAlertPresenter::show(const AlertRequest& request)
{
    ModalRunScope scope;
    Record record {request, alertButtonTitles(request), widgetOfWindowObject(request.window) != nullptr,
                   kAlertFirstButton};
    if (answers.empty()) {
        ADD_FAILURE() << "unexpected alert: " << request.message.toStdString();
        records.append(record);
        return kAlertFirstButton;
    }
    const Answer answer = answers.front();
    answers.pop_front();
    if (!answer.message.isEmpty() && request.message != answer.message
        && request.message != localizedDialogue(answer.message)) {
        ADD_FAILURE() << "alert \"" << request.message.toStdString() << "\" shown where \""
                      << answer.message.toStdString() << "\" was expected";
    }
    const int last = kAlertFirstButton + static_cast<int>(record.buttons.size()) - 1;
    if (answer.code < kAlertFirstButton || answer.code > last) {
        ADD_FAILURE() << "answer " << answer.code << " to an alert of " << record.buttons.size()
                      << " button(s): " << record.buttons.join(u'|').toStdString();
    }
    record.code = answer.code;
    records.append(record);
    return answer.code;
}

// ---------------------------------------------------------------------------------------------
// Virtual clock

IScheduler::Handle TestScheduler::after(int ms, Mode mode, std::function<void()> fn, QObject* context)
{
    return add(ms, mode, std::move(fn), context, false);
}

IScheduler::Handle TestScheduler::every(int ms, Mode mode, std::function<void()> fn, QObject* context)
{
    return add(ms, mode, std::move(fn), context, true);
}

IScheduler::Handle TestScheduler::add(qint64 ms, Mode mode, std::function<void()> fn, QObject* context, bool repeats)
{
    const Handle handle = newHandle();
    const qint64 interval = std::max<qint64>(ms, repeats ? 1 : 0);
    m_entries.emplace(
        handle, Entry {m_now + interval, interval, mode, std::move(fn), context, context != nullptr, repeats, false});
    return handle;
}

void TestScheduler::setModalDepth(int depth)
{
    m_depth = depth;
    if (m_depth > 0)
        return;
    // As on the real event loop, the held calls run at the next turn, not inside the code that
    // ended the modal run.
    for (auto& [handle, entry] : m_entries) {
        if (entry.held) {
            entry.held = false;
            entry.due = m_now;
        }
    }
}

int TestScheduler::heldCount() const
{
    return static_cast<int>(
        std::count_if(m_entries.begin(), m_entries.end(), [](const auto& item) { return item.second.held; }));
}

IScheduler::Handle TestScheduler::nextDue(qint64 until) const
{
    Handle best = 0;
    qint64 bestDue = 0;
    for (const auto& [handle, entry] : m_entries) {
        if (!entry.held && entry.due <= until && (best == 0 || entry.due < bestDue)) {
            best = handle;
            bestDue = entry.due;
        }
    }
    return best;
}

void TestScheduler::runDue(Handle handle)
{
    Entry& entry = m_entries.at(handle);
    m_now = std::max(m_now, entry.due);
    if (entry.hasContext && !entry.context) {
        m_entries.erase(handle);
        return;
    }
    if (entry.mode == Mode::Default && m_depth > 0) {
        entry.held = true;
        return;
    }
    const std::function<void()> fn = entry.fn;
    if (entry.repeats)
        entry.due += entry.interval;
    else
        m_entries.erase(handle);
    if (fn)
        fn();
}

void TestScheduler::advance(qint64 ms)
{
    const qint64 until = m_now + std::max<qint64>(ms, 0);
    while (const Handle handle = nextDue(until))
        runDue(handle);
    m_now = until;
}

void TestScheduler::flush()
{
    constexpr int kMaxCalls = 100000;
    for (int calls = 0; calls < kMaxCalls; ++calls) {
        Handle oneShot = 0;
        for (const auto& [handle, entry] : m_entries) {
            if (!entry.held && !entry.repeats && (oneShot == 0 || entry.due < m_entries.at(oneShot).due))
                oneShot = handle;
        }
        if (oneShot == 0)
            return;
        const Handle next = nextDue(m_entries.at(oneShot).due);
        runDue(next);
    }
    ADD_FAILURE() << "timers still pending after " << kMaxCalls << " calls: one keeps scheduling another";
}

// ---------------------------------------------------------------------------------------------
// Panels and desktop

QString TestFilePanels::save(const QString& defaultName, const QString& allowedType)
{
    ModalRunScope scope;
    saves.append({defaultName, allowedType});
    if (saveAnswers.empty()) {
        ADD_FAILURE() << "unexpected save panel for " << defaultName.toStdString();
        return {};
    }
    const QString path = saveAnswers.front();
    saveAnswers.pop_front();
    return path;
}

QString TestFilePanels::open(const OpenPanelRequest& request)
{
    ModalRunScope scope;
    opens.append(request);
    if (openAnswers.empty()) {
        ADD_FAILURE() << "unexpected open panel " << request.title.toStdString();
        return {};
    }
    const QString path = openAnswers.front();
    openAnswers.pop_front();
    return path;
}

bool TestDesktop::openFile(const QString& path)
{
    if (opensFiles)
        openedFiles.append(path);
    return opensFiles;
}

bool TestDesktop::revealFile(const QString& path)
{
    revealedFiles.append(path);
    return true;
}

bool TestDesktop::openURL(const QString& url)
{
    if (opensURLs)
        openedURLs.append(url);
    return opensURLs;
}

// ---------------------------------------------------------------------------------------------
// The screen and its window manager

void TestScreenInfo::mapAgain(QWidget* window)
{
    ++mapsAgain;
    switch (maps) {
    case Maps::AtOnce:
        managerMaps(window);
        break;
    case Maps::Late:
        break;
    case Maps::Refused:
        if (m_mapListener)
            m_mapListener(window);
        // What Qt makes of the unmap that follows, from its event loop.
        QCoreApplication::postEvent(window->windowHandle(), new QExposeEvent(QRegion()));
        break;
    }
}

void TestScreenInfo::managerMaps(QWidget* window)
{
    withdrawn.erase(window);
    if (!window->isVisible())
        strays.insert(window);
    if (m_mapListener)
        m_mapListener(window);
}

void TestScreenInfo::playManager(Maps kind)
{
    maps = kind;
    mapsAgain = 0;
    withdrawn.clear();
    strays.clear();
}

// ---------------------------------------------------------------------------------------------
// Print panel

bool TestPrintHost::runPrintOperation(const PrintRequest& request)
{
    ModalRunScope scope;
    Record record;
    record.hadAccessory = request.accessory != nullptr;
    record.sheet = request.window != nullptr;
    if (scripts.empty()) {
        ADD_FAILURE() << "unexpected print panel";
    } else {
        Script script = std::move(scripts.front());
        scripts.pop_front();
        record.printed = request.operation && script(*request.operation, request.accessory);
    }
    PrintView* view = request.operation ? request.operation->view() : nullptr;
    if (view) {
        record.info = request.operation->printInfo();
        record.nbPages = view->nbPages();
        for (long page = 1; page <= view->nbPages(); ++page)
            record.pages.append(view->pageImage(page, pixelsPerPoint));
        if (record.printed && !pdfPath.isEmpty()) {
            EXPECT_TRUE(view->writePdf(pdfPath)) << pdfPath.toStdString();
        }
    }
    records.append(record);
    return record.printed;
}

// ---------------------------------------------------------------------------------------------
// Colour panel

void TestColorPanel::show(const ColorPanelRequest& request)
{
    if (m_visible && !requests.isEmpty() && requests.constLast().dismissed)
        requests.constLast().dismissed();
    requests.append(request);
    sheet = request.window != nullptr;
    m_color = request.color;
    m_accessory = request.accessory;
    m_visible = true;
    if (scripts.empty()) {
        ADD_FAILURE() << "unexpected colour panel";
        return;
    }
    Script script = std::move(scripts.front());
    scripts.pop_front();
    script(*this, request);
}

void TestColorPanel::close()
{
    m_visible = false;
    m_accessory = nullptr;
}

void TestColorPanel::click(const QString& button)
{
    auto* control = m_accessory ? m_accessory->findChild<QAbstractButton*>(button) : nullptr;
    if (!m_visible || !control) {
        ADD_FAILURE() << "no button " << button.toStdString() << " in an open colour panel";
        return;
    }
    control->click();
}

// ---------------------------------------------------------------------------------------------
// The host

UiHost::Services testServices()
{
    UiHost::Services services;
    services.modal = std::make_unique<TestModalRunner>();
    services.alerts = std::make_unique<TestAlertPresenter>();
    services.scheduler = std::make_unique<TestScheduler>();
    services.panels = std::make_unique<TestFilePanels>();
    services.desktop = std::make_unique<TestDesktop>();
    services.screen = std::make_unique<TestScreenInfo>();
    services.sound = std::make_unique<FakeSoundBackend>();
    services.animator = std::make_unique<FakeAnimator>();
    services.print = std::make_unique<TestPrintHost>();
    services.colorPanel = std::make_unique<TestColorPanel>();
    return services;
}

TestUiHost::TestUiHost()
    : UiHost(testServices())
    , m_modal(static_cast<TestModalRunner&>(modal()))
    , m_alerts(static_cast<TestAlertPresenter&>(alerts()))
    , m_scheduler(static_cast<TestScheduler&>(scheduler()))
    , m_panels(static_cast<TestFilePanels&>(panels()))
    , m_desktop(static_cast<TestDesktop&>(desktop()))
    , m_screen(static_cast<TestScreenInfo&>(screen()))
    , m_sound(static_cast<FakeSoundBackend&>(sound()))
    , m_animator(static_cast<FakeAnimator&>(animator()))
    , m_print(static_cast<TestPrintHost&>(print()))
    , m_colorPanel(static_cast<TestColorPanel&>(colorPanel()))
{
}

TestUiHost::~TestUiHost()
{
    for (const auto& [name, queue] : m_modal.scripts) {
        EXPECT_TRUE(queue.empty() || name == QLatin1String(kAnyModal))
            << queue.size() << " modal run(s) of " << name.toStdString() << " expected but not run";
    }
    EXPECT_TRUE(m_alerts.answers.empty()) << m_alerts.answers.size() << " alert(s) expected but not shown";
    EXPECT_TRUE(m_panels.saveAnswers.empty()) << "save panel answers left unused";
    EXPECT_TRUE(m_panels.openAnswers.empty()) << "open panel answers left unused";
    EXPECT_TRUE(m_print.scripts.empty()) << m_print.scripts.size() << " print panel(s) expected but not shown";
    EXPECT_TRUE(m_colorPanel.scripts.empty())
        << m_colorPanel.scripts.size() << " colour panel(s) expected but not shown";
}

void TestUiHost::onModal(const QString& name, TestModalRunner::Script script)
{
    m_modal.scripts[name].push_back(std::move(script));
}
