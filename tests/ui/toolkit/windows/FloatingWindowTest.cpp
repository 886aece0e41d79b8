// A window made floating under a tiling window manager lies wholly on the screen. Such a manager
// (i3) takes a new window at the frame the window asks as the manager gets to it, some time after
// the program showed it, tiles it, and floats it later at that frame; the frames the window asks
// while tiled are refused. A stacking manager gives every frame asked, and there the window still
// slides in from the left edge of the screen.
#include "toolkit/host/WindowData.h"
#include "toolkit/windows/StdFrameFollower.h"
#include "toolkit/windows/StdWindowController.h"
#include "uisupport/UiTestFixture.h"

#include "document/APPLIPARAM.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QVBoxLayout>
#include <QWindow>

#include <optional>
#include <vector>

namespace {

class PlainWindow : public StdWindowController {
protected:
    void buildInterface(StdWindow& window) override
    {
        window.setWindowTitle(QStringLiteral("Banques et comptes"));
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(new QLabel(QStringLiteral("Comptes"), &window));
        layout->addWidget(new QLineEdit(&window));
        window.resize(420, 300);
    }
};

// The window manager, played. It takes the window as the window is first shown on screen (its
// native window exposed), at the frame the window asks then. A tiling one puts it in its tile and
// answers every other frame the window asks by putting it back there; a stacking one gives each.
class StandInManager : public QObject {
public:
    StandInManager(StdWindow* window, std::optional<QRect> tile)
        : m_window(window)
        , m_tile(tile)
    {
        qApp->installEventFilter(this);
    }
    ~StandInManager() override { qApp->removeEventFilter(this); }

    // The manager takes the window again at its next showing.
    void forget()
    {
        taken.reset();
        asked.clear();
    }
    // A pass of the event loop and of the program's timers, then the manager's answers.
    void settle(TestUiHost& ui)
    {
        for (int i = 0; i < 4; ++i) {
            QCoreApplication::processEvents();
            ui.advance(300);
            QWindow* handle = m_window->windowHandle();
            if (!taken || handle->geometry() == m_given)
                continue;
            asked.push_back(handle->geometry());
            if (m_tile)
                give(*m_tile);
            else
                m_given = handle->geometry();
        }
    }
    // Floating: the window leaves its tile for the frame the manager took it at.
    void floatWindow() { give(*taken); }

    std::optional<QRect> taken;
    std::vector<QRect> asked; // after the window was taken, in order

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        QWindow* handle = m_window ? m_window->windowHandle() : nullptr;
        if (taken || watched != handle || event->type() != QEvent::Expose || !handle->isExposed())
            return false;
        taken = handle->geometry();
        m_given = *taken;
        if (m_tile)
            give(*m_tile);
        return false;
    }

private:
    void give(const QRect& frame)
    {
        m_given = frame;
        m_window->windowHandle()->setGeometry(frame);
        StdFrameFollower::follow(m_window);
    }

    QPointer<StdWindow> m_window;
    std::optional<QRect> m_tile;
    QRect m_given;
};

class FloatingWindowTest : public UiTestFixture {
protected:
    FloatingWindowTest()
    {
        ui().screenInfo().frame = ui().screenInfo().full = screen;
        APPLIPARAM::loadAppliParam().doAnimations = true;
        // Held as a slide is on screen for a while: the manager answers meanwhile.
        ui().animations().setSpeed(1);
    }

    const QRect screen {0, 0, 1366, 768};
};

TEST_F(FloatingWindowTest, AManagerTakesEveryWindowWhollyOnTheScreen)
{
    const struct {
        const char* name;
        std::optional<QRect> tile;
        bool shownAgain;
    } cases[] = {
        {"tiled as it first shows", QRect(685, 20, 679, 746), false},
        {"tiled as it shows again", QRect(685, 20, 679, 746), true},
        {"stacked as it first shows", std::nullopt, false},
        {"stacked as it shows again", std::nullopt, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        PlainWindow* controller = StdWindowController::push<PlainWindow>(makeWindowData({}), 0, true);
        QPointer<StdWindow> window = controller->window();
        StandInManager manager(window, c.tile);
        manager.settle(ui());
        ui().animations().finishAll();
        manager.settle(ui());
        if (c.shownAgain) {
            window->hide();
            QCoreApplication::processEvents();
            manager.forget();
            ui().animations().recorded.clear();
            controller->appearWindowAnimated(false, {});
            manager.settle(ui());
            ui().animations().finishAll();
            manager.settle(ui());
        }
        ASSERT_TRUE(manager.taken);
        EXPECT_TRUE(screen.contains(*manager.taken)) << "taken at " << manager.taken->x() << "," << manager.taken->y();
        if (c.tile) {
            EXPECT_TRUE(ui().animations().recorded.empty()) << "no slide the manager refuses step by step";
            for (const QRect& frame : manager.asked)
                EXPECT_TRUE(screen.contains(frame)) << "asked at " << frame.x() << "," << frame.y();
            manager.floatWindow();
            EXPECT_EQ(window->geometry(), *manager.taken);
        } else {
            ASSERT_GE(manager.asked.size(), 2u) << "the window slides in";
            EXPECT_LE(manager.asked.front().right(), manager.taken->left()) << "from beyond the left edge";
            EXPECT_EQ(manager.asked.back(), *manager.taken);
            EXPECT_EQ(window->geometry(), *manager.taken);
        }
        controller->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ui().animations().recorded.clear();
    }
}

} // namespace
