// Windows in reach: whatever frame a window is given (its own or a remembered one), it appears
// wholly inside the screen, its title bar included; one taller than the screen is shrunk and its
// controls scroll.
#include "toolkit/windows/StdWindowPlacement.h"

#include "toolkit/windows/StdWindowController.h"
#include "uisupport/UiTestFixture.h"

#include "document/APPLIPARAM.h"

#include <QCoreApplication>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {

const QRect kScreen(0, 32, 1280, 688); // 1280 × 720 under a top panel
const QMargins kFrame(1, 24, 1, 1);

TEST(StdWindowPlacement, FitsAFrameInsideTheAreaTitleBarIncluded)
{
    const struct {
        QRect geometry;
        QRect expected;
    } cases[] = {
        {QRect(100, 200, 400, 300), QRect(100, 200, 400, 300)}, // inside already
        {QRect(-14, 200, 400, 300), QRect(1, 200, 400, 300)}, // off the left edge
        {QRect(100, 40, 400, 300), QRect(100, 56, 400, 300)}, // its title bar above the top
        {QRect(1000, 600, 400, 300), QRect(879, 419, 400, 300)}, // past the right and bottom
        {QRect(50, 100, 1400, 900), QRect(1, 56, 1278, 663)}, // larger than the screen: shrunk
    };
    for (const auto& c : cases)
        EXPECT_EQ(StdWindowPlacement::fittedGeometry(c.geometry, kFrame, kScreen), c.expected) << c.geometry.x();
    EXPECT_EQ(StdWindowPlacement::fittedGeometry(QRect(-5, -5, 10, 10), kFrame, QRect()), QRect(-5, -5, 10, 10));
}

// A window of many rows of controls and an OK button at the bottom, at a frame set by its code.
class TallWindow : public StdWindowController {
    Q_OBJECT
public:
    static inline QRect initialFrame;

protected:
    void buildInterface(StdWindow& window) override
    {
        auto* layout = new QVBoxLayout(&window);
        auto* bar = new QMenuBar(&window);
        bar->setObjectName(QStringLiteral("menu_bar"));
        bar->addMenu(QStringLiteral("Fichier"));
        layout->setMenuBar(bar);
        for (int i = 0; i < rows; ++i) {
            auto* label = new QLabel(QStringLiteral("Ligne %1").arg(i), &window);
            label->setMinimumHeight(28);
            layout->addWidget(label);
        }
        auto* ok = new QPushButton(QStringLiteral("OK"), &window);
        ok->setObjectName(QStringLiteral("button_ok"));
        connectAction(ok, QStringLiteral("OUI:"));
        layout->addWidget(ok);
        if (!initialFrame.isNull())
            window.setGeometry(initialFrame);
    }

public:
    static inline int rows = 5;
};

class StdWindowPlacementTest : public UiTestFixture {
protected:
    StdWindowPlacementTest()
    {
        APPLIPARAM::loadAppliParam().doAnimations = false;
        ui().screenInfo().frame = kScreen;
        StdWindowPlacement::setDecorations(kFrame);
    }
    ~StdWindowPlacementTest() override
    {
        StdWindowPlacement::setDecorations(std::nullopt);
        TallWindow::initialFrame = QRect();
        TallWindow::rows = 5;
    }

    static bool inReach(const QWidget* window) { return kScreen.contains(window->geometry().marginsAdded(kFrame)); }
};

TEST_F(StdWindowPlacementTest, ATallWindowShrinksToTheScreenAndItsControlsScroll)
{
    TallWindow::rows = 40; // more than 1 100 points of rows
    auto* controller = StdWindowController::push<TallWindow>(makeWindowData(), 0, true);
    StdWindow* window = controller->window();
    EXPECT_TRUE(inReach(window)) << window->geometry().height();
    const auto* scroll = window->findChild<QScrollArea*>(QLatin1String(StdWindowPlacement::kScrollName));
    ASSERT_NE(scroll, nullptr);
    // The controls are where the code finds them, inside the scrolling content.
    auto* ok = controller->outlet<QPushButton>(QStringLiteral("button_ok"));
    ASSERT_NE(ok, nullptr);
    EXPECT_TRUE(scroll->widget()->isAncestorOf(ok));
    // The menu bar stays at the window's top, out of what scrolls.
    auto* bar = controller->outlet<QMenuBar>(QStringLiteral("menu_bar"));
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(window->layout()->menuBar(), bar);
    EXPECT_FALSE(scroll->isAncestorOf(bar));
    EXPECT_GT(scroll->widget()->minimumSizeHint().height(), scroll->viewport()->height());
    controller->close();
}

TEST_F(StdWindowPlacementTest, FramesSetByCodeOrRememberedComeBackOnTheScreen)
{
    // Its own frame off the left edge and under the top of the screen.
    TallWindow::initialFrame = QRect(-14, 10, 500, 300);
    auto* own = StdWindowController::push<TallWindow>(makeWindowData(), 0, true);
    EXPECT_EQ(own->window()->geometry(), QRect(1, 56, 500, 300));
    // A frame put back while the window is on screen, as the window memory does, then shown.
    own->window()->setGeometry(1100, 500, 500, 300);
    own->appearWindowAnimated(false, {});
    EXPECT_TRUE(inReach(own->window())) << own->window()->geometry().x();
    // Not placed by anyone: it opens in the top-left corner of the screen, a step further for
    // each window already open.
    TallWindow::initialFrame = QRect();
    auto* next = StdWindowController::push<TallWindow>(makeWindowData(), 0, true);
    const QPoint corner = next->window()->geometry().topLeft() - QPoint(1, 56);
    EXPECT_TRUE(corner.x() > 0 && corner.x() == corner.y() && corner.x() % 28 == 0) << corner.x() << "," << corner.y();
    EXPECT_FALSE(next->window()->findChild<QScrollArea*>()) << "a window that fits keeps its layout";
    next->close();
    own->close();
}

// A window manager keeps a window with size steps to its minimum plus whole steps, behind the
// program's back: given any other size, its content would be laid out wider than it shows.
TEST_F(StdWindowPlacementTest, AWindowWithSizeStepsGetsASizeTheWindowManagerKeeps)
{
    for (const QSize step : {QSize(12, 1), QSize(17, 5)}) {
        TallWindow::initialFrame = QRect(100, 100, 701, 333);
        auto* controller = StdWindowController::push<TallWindow>(makeWindowData(), 0, false);
        controller->window()->setSizeIncrement(step);
        controller->appearWindowAnimated(false, {});
        const QSize size = controller->window()->size();
        const QSize steps = size - controller->window()->minimumSize();
        EXPECT_EQ(QSize(steps.width() % step.width(), steps.height() % step.height()), QSize(0, 0)) << step.width();
        EXPECT_TRUE(QRect(702 - step.width(), 334 - step.height(), step.width(), step.height())
                        .contains(QPoint(size.width(), size.height())))
            << size.width() << "x" << size.height();
        controller->close();
    }
}

// Once open, its frame is the user's: content that comes to need more room scrolls in it.
TEST_F(StdWindowPlacementTest, AWindowWhoseContentWidensKeepsItsFrameOnTheScreen)
{
    TallWindow::initialFrame = QRect(202, 100, 500, 300);
    auto* controller = StdWindowController::push<TallWindow>(makeWindowData(), 0, true);
    StdWindow* window = controller->window();
    ASSERT_EQ(window->geometry(), QRect(202, 100, 500, 300));
    // A line of its content now needs more room than is left to the right of the window.
    controller->outlet<QPushButton>(QStringLiteral("button_ok"))->setMinimumWidth(1200);
    window->layout()->activate();
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(window->geometry(), QRect(202, 100, 500, 300));
    EXPECT_NE(window->findChild<QScrollArea*>(QLatin1String(StdWindowPlacement::kScrollName)), nullptr);
    EXPECT_TRUE(inReach(window)) << window->geometry().x() << "+" << window->width();
    controller->close();
}

} // namespace

#include "StdWindowPlacementTest.moc"
