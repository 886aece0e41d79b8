#pragma once
// The host of the window tests. Nothing blocks and nothing depends on the machine:
// - a modal run calls the script registered for its controller's class (or its window's object
//   name) after the window is built and filled; the script must end the run, as a button would;
// - alerts are answered from a queue; an alert nobody expected fails the test;
// - timers run on a virtual clock that moves only when the test advances it;
// - file panels answer from queues; desktop requests, beeps, sounds and animations are recorded.
// Expectations left unused when the host is destroyed fail the test.
#include "toolkit/host/UiHost.h"
#include "toolkit/print/PrintInfo.h"

#include "FakeAnimator.h"
#include "FakeSoundBackend.h"

#include <QHash>
#include <QImage>
#include <QList>
#include <QPointer>
#include <QStringList>
#include <QWidget>

#include <deque>
#include <functional>
#include <map>
#include <set>
#include <vector>

#include <gtest/gtest.h>

class TestModalRunner : public IModalRunner {
public:
    using Script = std::function<void(const ModalRequest&)>;
    struct Record {
        QString name;
        bool sheet = false;
        int code = 0;
    };

    int run(const ModalRequest& request) override;
    void endModal(QWidget* window, int code) override;
    int depth() const override { return static_cast<int>(m_runs.size()); }
    QWidget* modalWindow() const override;
    // Whether a run of the window is open and nothing has ended it yet: its script is still the
    // user's, whatever else the program did meanwhile.
    bool awaitsUser(const QWidget* window) const;
    // Whether the run of that window, its script still playing, has been ended (a button, a key).
    bool ended(const QWidget* window) const;

    std::map<QString, std::deque<Script>> scripts;
    QList<Record> records;

private:
    struct Run {
        QPointer<QWidget> window;
        int code = 0;
        bool ended = false;
    };
    Script takeScript(const ModalRequest& request, QString* name);

    std::vector<Run*> m_runs;
};

class TestAlertPresenter : public IAlertPresenter {
public:
    struct Answer {
        QString message; // empty: any alert
        int code = kAlertFirstButton;
    };
    struct Record {
        AlertRequest request;
        QStringList buttons;
        bool sheet = false;
        int code = 0;
    };

    int show(const AlertRequest& request) override;

    std::deque<Answer> answers;
    QList<Record> records;
};

class TestScheduler : public IScheduler {
public:
    Handle after(int ms, Mode mode, std::function<void()> fn, QObject* context = nullptr) override;
    Handle every(int ms, Mode mode, std::function<void()> fn, QObject* context = nullptr) override;
    void cancel(Handle handle) override { m_entries.erase(handle); }
    bool isActive(Handle handle) const override { return m_entries.count(handle) != 0; }
    void setModalDepth(int depth) override;

    // Moves the clock on by ms, running every call that comes due on the way, in time order.
    void advance(qint64 ms);
    // Runs every pending one-shot call, moving the clock to each one's time (repeating calls
    // fire on the way as their times pass).
    void flush();
    qint64 now() const { return m_now; }
    // Calls held because they came due during a modal run.
    int heldCount() const;

private:
    struct Entry {
        qint64 due = 0;
        qint64 interval = 0;
        Mode mode = Mode::Default;
        std::function<void()> fn;
        QPointer<QObject> context;
        bool hasContext = false;
        bool repeats = false;
        bool held = false;
    };
    Handle add(qint64 ms, Mode mode, std::function<void()> fn, QObject* context, bool repeats);
    // The next call due at or before the time, earliest first, then in creation order.
    Handle nextDue(qint64 until) const;
    void runDue(Handle handle);

    std::map<Handle, Entry> m_entries;
    qint64 m_now = 0;
    int m_depth = 0;
};

class TestFilePanels : public IFilePanels {
public:
    struct SaveRecord {
        QString defaultName;
        QString allowedType;
    };
    QString save(const QString& defaultName, const QString& allowedType) override;
    QString open(const OpenPanelRequest& request) override;

    std::deque<QString> saveAnswers;
    std::deque<QString> openAnswers;
    QList<SaveRecord> saves;
    QList<OpenPanelRequest> opens;
};

class TestDesktop : public IDesktop {
public:
    bool openFile(const QString& path) override;
    bool revealFile(const QString& path) override;
    bool openURL(const QString& url) override;
    void beep() override { ++beeps; }

    bool opensFiles = true; // whether a default application opens the files
    bool opensURLs = true; // whether a browser opens the addresses
    QStringList openedFiles;
    QStringList revealedFiles;
    QStringList openedURLs;
    int beeps = 0;
};

class TestScreenInfo : public IScreenInfo {
public:
    QRect visibleFrame() const override { return frame; }
    QRect fullFrame() const override { return full; }
    bool managerTilesWindows() const override { return tiles; }
    // Recorded with the frame the window had as it was told, for a test playing the manager.
    void reserveTopStrip(QWidget* window) override { strips[window] = window->frameGeometry(); }
    void reserveBottomStrip(QWidget* window) override { bottomStrips[window] = window->frameGeometry(); }
    void releaseStrip(QWidget* window) override
    {
        strips.erase(window);
        bottomStrips.erase(window);
    }
    // A test playing the manager withdraws a window behind the program's back, shown or shown
    // later, until the program maps it again.
    bool displayWithdrew(const QWidget* window) const override
    {
        return window->isVisible() && withdrawn.count(window) > 0;
    }
    // How the manager the test plays carries out a map asked for beside Qt's show.
    enum class Maps {
        AtOnce, // the window is on the display again
        Late, // when the test calls managerMaps(), whatever Qt did meanwhile
        Refused, // the window withdrawn again at once, the program hearing of the unmap later
    };
    void mapAgain(QWidget* window) override;
    // Off the display, a window Qt shows included, until a map puts it back.
    void withdraw(QWidget* window) override
    {
        strays.erase(window);
        if (window->isVisible())
            withdrawn.insert(window);
    }
    void setMapListener(std::function<void(QWidget* window)> listener) override { m_mapListener = std::move(listener); }
    // The manager carries out now the maps it was asked for (Qt's show, a map again): the display
    // maps the window, shown by Qt or not, and tells the program.
    void managerMaps(QWidget* window);
    // Whether the display the test plays shows the window, as a user would see it.
    bool onDisplay(const QWidget* window) const
    {
        return (window->isVisible() && withdrawn.count(window) == 0) || strays.count(window) > 0;
    }
    // A manager of a new kind, on a display where no window is withdrawn.
    void playManager(Maps kind);

    QRect frame {0, 0, 1440, 900};
    QRect full {0, 0, 1440, 900};
    bool tiles = false;
    std::map<const QWidget*, QRect> strips;
    std::map<const QWidget*, QRect> bottomStrips;
    std::set<const QWidget*> withdrawn;
    Maps maps = Maps::AtOnce;
    int mapsAgain = 0; // the maps asked beside Qt's show
    std::set<const QWidget*> strays; // mapped by the display while Qt held them hidden

private:
    std::function<void(QWidget*)> m_mapListener;
};

// The print panel: the script for the next print plays the user (options changed through the
// options panel, paper changed through the operation) and answers whether the pages were printed
// (false: cancelled). Every page is then drawn into an image, as the preview would show it, and a
// printed job is also written as a PDF when a path is set.
class TestPrintHost : public IPrintHost {
public:
    using Script = std::function<bool(PrintOperation&, PrintAccessoryViewController*)>;
    struct Record {
        PrintInfo info; // as the panel closed
        long nbPages = 0;
        QList<QImage> pages;
        bool printed = false;
        bool hadAccessory = false;
        bool sheet = false;
    };

    bool runPrintOperation(const PrintRequest& request) override;

    std::deque<Script> scripts;
    QList<Record> records;
    double pixelsPerPoint = 1.0;
    QString pdfPath;
};

// The colour panel: the script for the next panel plays the user (a colour chosen, then a button
// of the accessory clicked, or nothing: the panel stays open for the test to go on with).
class TestColorPanel : public IColorPanel {
public:
    using Script = std::function<void(TestColorPanel&, const ColorPanelRequest&)>;

    void show(const ColorPanelRequest& request) override;
    QColor color() const override { return m_color; }
    void close() override;
    bool isVisible() const override { return m_visible; }

    // What the user picks in the open panel.
    void setColor(const QColor& color) { m_color = color; }
    // The accessory's button of that name, clicked.
    void click(const QString& button);

    std::deque<Script> scripts;
    QList<ColorPanelRequest> requests;
    bool sheet = false; // the last panel was shown on a window

private:
    QColor m_color;
    QPointer<QWidget> m_accessory;
    bool m_visible = false;
};

// The stand-ins a TestUiHost is made of, for a host that swaps one of them (a real modal loop).
UiHost::Services testServices();

class TestUiHost : public UiHost {
public:
    TestUiHost();
    ~TestUiHost() override;

    // The script for the next modal run whose controller's class, or whose window's object name,
    // is the name given.
    void onModal(const QString& name, TestModalRunner::Script script);
    template <typename Controller> void onModal(std::function<void(Controller&)> script);
    const QList<TestModalRunner::Record>& modalRuns() const { return m_modal.records; }
    bool modalRunAwaitsUser(const QWidget* window) const { return m_modal.awaitsUser(window); }
    bool modalRunEnded(const QWidget* window) const { return m_modal.ended(window); }

    // The answer to the next alert; with a message, the alert must show that text (or the text
    // of that key of table "Dialogue").
    void answerAlert(int code) { m_alerts.answers.push_back({QString(), code}); }
    void answerAlert(const QString& message, int code) { m_alerts.answers.push_back({message, code}); }
    const QList<TestAlertPresenter::Record>& alertsShown() const { return m_alerts.records; }

    void advance(qint64 ms) { m_scheduler.advance(ms); }
    void flush() { m_scheduler.flush(); }
    TestScheduler& clock() { return m_scheduler; }

    // The answer to the next save or open panel; an empty path cancels.
    void answerSavePanel(const QString& path) { m_panels.saveAnswers.push_back(path); }
    void answerOpenPanel(const QString& path) { m_panels.openAnswers.push_back(path); }
    TestFilePanels& panelsShown() { return m_panels; }

    // The script of the next print panel.
    void onPrint(TestPrintHost::Script script) { m_print.scripts.push_back(std::move(script)); }
    TestPrintHost& printHost() { return m_print; }

    // The script of the next colour panel.
    void onColorPanel(TestColorPanel::Script script) { m_colorPanel.scripts.push_back(std::move(script)); }
    TestColorPanel& colorPanelShown() { return m_colorPanel; }

    TestDesktop& desktopRequests() { return m_desktop; }
    TestScreenInfo& screenInfo() { return m_screen; }
    FakeSoundBackend& sounds() { return m_sound; }
    FakeAnimator& animations() { return m_animator; }

private:
    TestModalRunner& m_modal;
    TestAlertPresenter& m_alerts;
    TestScheduler& m_scheduler;
    TestFilePanels& m_panels;
    TestDesktop& m_desktop;
    TestScreenInfo& m_screen;
    FakeSoundBackend& m_sound;
    FakeAnimator& m_animator;
    TestPrintHost& m_print;
    TestColorPanel& m_colorPanel;
};

template <typename Controller> void TestUiHost::onModal(std::function<void(Controller&)> script)
{
    onModal(QString::fromLatin1(Controller::staticMetaObject.className()), [script](const ModalRequest& request) {
        auto* controller = qobject_cast<Controller*>(request.controller);
        if (!controller) {
            ADD_FAILURE() << "modal run without a " << Controller::staticMetaObject.className();
            return;
        }
        script(*controller);
    });
}
