// The window manager has the last word on a frame: a statement window whose frame is changed from
// outside (a tiling manager's tile, larger or smaller than the window's own) lays its controls out
// in that frame, and scrolls when the frame is smaller than they need; a frame the program asked
// for and the manager refused leaves the window in the manager's frame, asked for nothing more.
#include "ui/import/ImportUiFixture.h"

#include "toolkit/windows/StdFrameFollower.h"
#include "toolkit/windows/StdWindowPlacement.h"

#include <QCoreApplication>
#include <QLayout>
#include <QScrollArea>
#include <QScrollBar>
#include <QWindow>

namespace {

using importui::ImportUiTest;

class ManagersFrameTest : public ImportUiTest {
protected:
    ManagersFrameTest() { ui().screenInfo().frame = ui().screenInfo().full = QRect(0, 0, 1366, 768); }

    void settle()
    {
        for (int i = 0; i < 5; ++i) {
            QCoreApplication::processEvents();
            ui().advance(400);
        }
    }
    // A tiling manager: whatever the program asks (a palette placed beside the window moves it),
    // the window keeps its tile, and is told only of that, as Qt tells it on X11. Answers how many
    // times the program asked for another frame.
    int keepTiled(QWidget* window, const QRect& tile)
    {
        int asked = 0;
        for (int round = 0; round < 6; ++round) {
            settle();
            if (window->windowHandle()->geometry() == tile && window->geometry() == tile)
                continue;
            ++asked;
            window->windowHandle()->setGeometry(tile);
            StdFrameFollower::followAll();
        }
        return asked;
    }
};

TEST_F(ManagersFrameTest, AWindowLaysItselfOutInTheFrameTheManagerGives)
{
    const struct {
        const char* name;
        QRect tile;
        bool refusesAFrameAsked; // the program asks for its own frame first, and is refused
    } cases[] = {
        {"a larger tile", QRect(2, 20, 1362, 724), false},
        {"a narrow tile", QRect(2, 20, 679, 724), false},
        {"a low tile", QRect(2, 20, 1362, 373), false},
        {"a frame asked and refused", QRect(2, 20, 1362, 724), true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FenReleveController* controller = releve();
        ASSERT_NE(controller, nullptr);
        QPointer<StdWindow> window = controller->window();
        settle();
        const QSize needed = window->minimumSize();
        QWindow* handle = window->windowHandle();
        ASSERT_NE(handle, nullptr);

        handle->setGeometry(c.tile);
        if (c.refusesAFrameAsked) {
            keepTiled(window, c.tile);
            window->setGeometry(QRect(QPoint(300, 200), needed)); // as the frame memory puts it back
        }
        EXPECT_LE(keepTiled(window, c.tile), 1) << "a refused frame is not asked for again";
        ASSERT_TRUE(window);
        EXPECT_EQ(window->geometry(), c.tile);
        EXPECT_EQ(window->layout()->geometry(), window->rect()) << "controls laid out in the whole frame";
        auto* scroll = window->findChild<QScrollArea*>(QLatin1String(StdWindowPlacement::kScrollName));
        const bool smaller = c.tile.width() < needed.width() || c.tile.height() < needed.height();
        ASSERT_EQ(scroll != nullptr, smaller);
        if (smaller) {
            EXPECT_EQ(scroll->geometry(), window->rect());
            EXPECT_EQ(scroll->horizontalScrollBar()->maximum() > 0, c.tile.width() < needed.width());
            EXPECT_EQ(scroll->verticalScrollBar()->maximum() > 0, c.tile.height() < needed.height());
        }
        WindowDriver(window).grab(QStringLiteral("managers-frame-%1.png").arg(&c - cases));
        controller->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

} // namespace
