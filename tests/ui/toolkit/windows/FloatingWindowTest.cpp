// A window made floating under a tiling window manager lies wholly on the screen. Such a manager
// (i3) takes a new window at the frame the window asks as the manager gets to it, some time after
// the program showed it, tiles it, refuses the frames it asks while tiled, and floats it later
// with its title bar and borders put around that frame's place. A stacking manager gives every
// frame asked, and there the window still slides in from the left edge of the screen, ending
// wholly on it with the decorations the manager told on the way.
#include "toolkit/host/WindowData.h"
#include "toolkit/windows/StdFrameFollower.h"
#include "toolkit/windows/StdWindowController.h"
#include "toolkit/windows/StdWindowPlacement.h"
#include "uisupport/UiTestFixture.h"

#include "document/APPLIPARAM.h"

#include <QApplication>
#include <QLabel>
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
        window.resize(getData()->value("size").toSize());
    }
};

// The window manager, played. It takes the window as the window is first shown on screen (its
// native window exposed), at the frame the window asks then. A tiling one puts it in its tile and
// answers every other frame the window asks by putting it back there; a stacking one gives each.
// One that floats it at once (i3) puts its frame, not its content, at the place asked, then gives
// each frame asked.
class StandInManager : public QObject {
public:
    StandInManager(StdWindow* window, std::optional<QRect> tile, bool framesAtPlaceAsked = false)
        : m_window(window)
        , m_tile(tile)
        , m_framesAtPlaceAsked(framesAtPlaceAsked)
    {
        qApp->installEventFilter(this);
    }
    ~StandInManager() override { qApp->removeEventFilter(this); }

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
    // Floating: the window leaves its tile for the frame the manager took it at, its title bar
    // and borders put around that place, and is told so through the event loop, as a manager's
    // new frame comes; from then on every frame the window asks is given.
    QRect floatWindow(TestUiHost& ui)
    {
        const QRect floated = taken->translated(kDecorations.left(), kDecorations.top());
        m_tile.reset();
        asked.clear();
        m_given = floated;
        m_window->windowHandle()->setGeometry(floated);
        settle(ui);
        return floated;
    }

    static constexpr QMargins kDecorations {2, 20, 2, 2};

    std::optional<QRect> taken;
    std::vector<QRect> asked; // after the window was taken, in order

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // The event's kind first: the window's own destruction sends events through here.
        if (taken || event->type() != QEvent::Expose)
            return false;
        QWindow* handle = m_window ? m_window->windowHandle() : nullptr;
        if (watched != handle || !handle->isExposed())
            return false;
        taken = handle->geometry();
        m_given = *taken;
        if (m_tile)
            give(*m_tile);
        else if (m_framesAtPlaceAsked)
            give(taken->translated(kDecorations.left(), kDecorations.top()));
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
    bool m_framesAtPlaceAsked;
    QRect m_given;
};

class FloatingWindowTest : public UiTestFixture {
protected:
    FloatingWindowTest()
    {
        ui().screenInfo().frame = ui().screenInfo().full = screen;
        StdWindowPlacement::setDecorations(StandInManager::kDecorations);
        APPLIPARAM::loadAppliParam().doAnimations = true;
        // Held as a slide is on screen for a while: the manager answers meanwhile.
        ui().animations().setSpeed(1);
    }
    ~FloatingWindowTest() override { StdWindowPlacement::setDecorations(std::nullopt); }

    bool wholeOnScreen(const QRect& frame) const
    {
        return screen.contains(frame.marginsAdded(StandInManager::kDecorations));
    }

    const QRect screen {0, 0, 1366, 768};
};

TEST_F(FloatingWindowTest, AManagerTakesAndFloatsEveryWindowWhollyOnTheScreen)
{
    const QRect tile(913, 20, 451, 724);
    const struct {
        const char* name;
        std::optional<QRect> tile;
        bool appearsAgain; // brought to the front with its slide while on screen
        QSize size;
        bool framesAtPlaceAsked = false; // floated at once, without a slide (a modal editor)
    } cases[] = {
        {"tiled", tile, false, {829, 469}},
        {"tiled, as tall as the screen", tile, false, {829, 746}},
        {"tiled, appearing again", tile, true, {829, 469}},
        {"stacked", std::nullopt, false, {829, 469}},
        {"stacked, appearing again", std::nullopt, true, {829, 469}},
        {"floated, its frame at the place asked", std::nullopt, false, {1362, 469}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        APPLIPARAM::loadAppliParam().doAnimations = !c.framesAtPlaceAsked;
        auto* controller = StdWindowController::push<PlainWindow>(makeWindowData({{"size", c.size}}), 0, true);
        QPointer<StdWindow> window = controller->window();
        StandInManager manager(window, c.tile, c.framesAtPlaceAsked);
        manager.settle(ui());
        ui().animations().finishAll();
        manager.settle(ui());
        if (c.appearsAgain) {
            manager.asked.clear();
            ui().animations().recorded.clear();
            controller->appearWindowAnimated(false, {});
            manager.settle(ui());
            ui().animations().finishAll();
            manager.settle(ui());
        }
        ASSERT_TRUE(manager.taken);
        EXPECT_TRUE(wholeOnScreen(*manager.taken)) << "taken at " << manager.taken->x() << "," << manager.taken->y();
        if (c.tile) {
            EXPECT_TRUE(ui().animations().recorded.empty()) << "no slide the manager refuses step by step";
            for (const QRect& frame : manager.asked)
                EXPECT_TRUE(wholeOnScreen(frame)) << "asked at " << frame.x() << "," << frame.y();
            // Floated where the manager puts it, moved up only as far as its frame needs.
            const QRect floated = manager.floatWindow(ui());
            const QRect kept = StdWindowPlacement::fittedGeometry(floated, StandInManager::kDecorations, screen);
            EXPECT_EQ(window->geometry(), kept);
            EXPECT_EQ(manager.asked.size(), kept == floated ? 0u : 1u);
        } else if (c.framesAtPlaceAsked) {
            // Pushed past the right edge by its own left border, brought back once.
            EXPECT_TRUE(wholeOnScreen(window->geometry())) << "at " << window->geometry().x();
            EXPECT_EQ(manager.asked.size(), 1u);
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

// A window placed before the manager told its decorations (a guessed title bar) slides in
// untouched, and its slide ends wholly on the screen with the decorations told meanwhile.
TEST_F(FloatingWindowTest, ASlideEndsWhollyOnTheScreenWithTheDecorationsToldOnTheWay)
{
    StdWindowPlacement::setDecorations(QMargins(4, 20, 4, 4), QMargins(0, 24, 0, 0));
    auto* controller = StdWindowController::push<PlainWindow>(makeWindowData({{"size", QSize(829, 469)}}), 0, true);
    StdWindow* window = controller->window();
    QCoreApplication::processEvents();
    ASSERT_EQ(ui().animations().recorded.size(), 1u) << "shown, it slides";
    ui().advance(1000); // decorated meanwhile
    EXPECT_LT(window->geometry().x(), -window->width() / 2) << "where its slide puts it";
    ui().animations().finishAll();
    EXPECT_TRUE(StdWindowPlacement::isWithinArea(window));
    controller->close();
}

} // namespace
