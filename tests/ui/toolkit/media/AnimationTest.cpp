#include "toolkit/media/BasicAnimationManager.h"
#include "toolkit/media/QtAnimator.h"

#include "uisupport/UiTestFixture.h"

#include <QTest>
#include <QWidget>

namespace {

// A window holding an enclosing view at (20, 50) sized 300 x 200, which holds the view at
// (10, 20) sized 100 x 40. From the bottom-left, the enclosing view is at y 50 in the window
// (300 high) and the view at y 140 in the enclosing view.
class AnimationTest : public UiTestFixture {
protected:
    void SetUp() override
    {
        UiTestFixture::SetUp();
        window.resize(400, 300);
        enclosing->setGeometry(20, 50, 300, 200);
        view->setGeometry(10, 20, 100, 40);
        manager.setAnimator(&ui().animations());
    }

    QWidget window;
    QWidget* enclosing = new QWidget(&window);
    QWidget* view = new QWidget(enclosing);
    BasicAnimationManager manager;
    int ended = 0;
    std::function<void()> countEnd = [this] { ++ended; };
};

TEST_F(AnimationTest, MagnifyGrowsFromTheCentreThroughOnePointThreeTimesTheSize)
{
    ui().animations().setSpeed(1); // hold the movement to look at it on the way
    manager.magnifyAnimation(view, countEnd);
    EXPECT_EQ(view->geometry(), QRect(60, 40, 0, 0));
    ui().animations().finishAll();
    const std::vector<QRect> frames = ui().animations().framesOf(view);
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0], QRect(-5, 14, 130, 52));
    EXPECT_EQ(frames[1], QRect(10, 20, 100, 40));
    EXPECT_EQ(ui().animations().recorded[0].stages[0].durationMs, 500);
    EXPECT_EQ(ui().animations().recorded[1].stages[0].durationMs, 500);
    EXPECT_EQ(ended, 1);
}

TEST_F(AnimationTest, AFrameChangeTakesFourTenthsOfASecondWithOrWithoutAnEndBlock)
{
    manager.changeFrameAnimation(view, QRect(50, 5, 100, 80));
    EXPECT_EQ(view->geometry(), QRect(50, 5, 100, 80));
    EXPECT_EQ(ui().animations().recorded.at(0).stages.at(0).durationMs, 400);
    manager.changeFrameAnimation(nullptr, QRect(), countEnd);
    EXPECT_EQ(ended, 1);
}

TEST_F(AnimationTest, SlidesMoveByTheViewAndTheEnclosingViewOffsets)
{
    ui().animations().setSpeed(1);
    manager.slideViewAppearAnimation(view, enclosing, true, true, countEnd);
    EXPECT_EQ(view->geometry(), QRect(10 - (20 + 100), 20, 100, 40)); // one width and the enclosing x away
    ui().animations().finishAll();
    EXPECT_EQ(view->geometry(), QRect(10, 20, 100, 40));

    manager.slideViewDisappearAnimation(view, enclosing, true, true, countEnd);
    ui().animations().finishAll();
    EXPECT_EQ(view->geometry(), QRect(10 - (20 + 200), 20, 100, 40)); // two widths out to the left
    view->setGeometry(10, 20, 100, 40);

    manager.slideViewDisappearAnimation(view, enclosing, true, false, countEnd);
    ui().animations().finishAll();
    EXPECT_EQ(view->geometry(), QRect(10 + 20 + 100, 20, 100, 40));
    view->setGeometry(10, 20, 100, 40);

    // Not sideways: down by its height and the enclosing view's distance from the window's bottom.
    manager.slideViewDisappearAnimation(view, enclosing, false, false, countEnd);
    ui().animations().finishAll();
    EXPECT_EQ(view->geometry(), QRect(10, 20 + 40 + 50, 100, 40));
    EXPECT_EQ(ended, 4);
}

TEST(QtAnimatorTest, RunsStagesInOrderAndEndsOnceEvenWhenAWidgetGoesAway)
{
    QtAnimator animator;
    QWidget parent;
    auto* a = new QWidget(&parent);
    auto* b = new QWidget(&parent);
    a->setGeometry(0, 0, 10, 10);
    int ended = 0;
    animator.animate({AnimationStage {40, {FrameMove {a, QRect(100, 0, 10, 10)}}},
                      AnimationStage {40, {FrameMove {a, QRect(100, 100, 20, 20)}, FrameMove {b, QRect(5, 5, 5, 5)}}}},
                     [&ended] { ++ended; });
    EXPECT_EQ(ended, 0);
    EXPECT_TRUE(QTest::qWaitFor([&ended] { return ended > 0; }, 2000));
    EXPECT_EQ(a->geometry(), QRect(100, 100, 20, 20));
    EXPECT_EQ(b->geometry(), QRect(5, 5, 5, 5));

    animator.animateWidget(a, {{QRect(0, 0, 1, 1), 40}}, [&ended] { ++ended; });
    delete a;
    EXPECT_TRUE(QTest::qWaitFor([&ended] { return ended > 1; }, 2000));
    QTest::qWait(60);
    EXPECT_EQ(ended, 2);

    // At speed 0 the last frames apply and the end block runs before animate returns.
    animator.setSpeed(0);
    animator.animateWidget(b, {{QRect(1, 2, 3, 4), 500}, {QRect(7, 7, 7, 7), 500}}, [&ended] { ++ended; });
    EXPECT_EQ(b->geometry(), QRect(7, 7, 7, 7));
    EXPECT_EQ(ended, 3);
}

} // namespace
