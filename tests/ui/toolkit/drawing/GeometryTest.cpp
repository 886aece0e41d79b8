#include "toolkit/drawing/geometry.h"

#include "toolkit/drawing/Constants.h"

#include "uisupport/UiTestFixture.h"

#include <QLabel>
#include <QWidget>

namespace {

using GeometryTest = UiTestFixture;

TEST(Geometry, RectanglesFromTheBottomLeftCornerConvertBothWays)
{
    // 10 up from the bottom of a 100-high container, 30 high: its top is 60 down from the top.
    EXPECT_EQ(fromBottomLeft(QRectF(5, 10, 20, 30), 100), QRectF(5, 60, 20, 30));
    EXPECT_EQ(toBottomLeft(QRectF(5, 60, 20, 30), 100), QRectF(5, 10, 20, 30));
    EXPECT_EQ(toBottomLeft(fromBottomLeft(QRectF(1.5, -7, 3, 9), 42), 42), QRectF(1.5, -7, 3, 9));
    EXPECT_EQ(fromBottomLeft(QPointF(3, 0), 50), QPointF(3, 50));

    QWidget window;
    window.resize(200, 100);
    auto* child = new QWidget(&window);
    child->setGeometry(10, 20, 50, 30);
    EXPECT_EQ(frameBottomLeft(child), QRectF(10, 50, 50, 30));
    EXPECT_EQ(frameBottomLeft(&window), QRectF(0, 0, 200, 100));
    EXPECT_EQ(frameBottomLeft(nullptr), QRectF());
    setFrameBottomLeft(child, QRectF(0, 0, 40, 10));
    EXPECT_EQ(child->geometry(), QRect(0, 90, 40, 10));
}

TEST(Geometry, CentringAndScaling)
{
    EXPECT_EQ(centerRect(QRectF(0, 0, 10, 10), QRectF(0, 0, 100, 50)), QRectF(45, 20, 10, 10));
    EXPECT_EQ(applyFactorToFrame(QRectF(10, 20, 30, 40), 0.5), QRectF(5, 10, 15, 20));

    QWidget window;
    window.resize(300, 300);
    auto* superview = new QWidget(&window);
    superview->setGeometry(100, 50, 200, 100);
    auto* view = new QWidget(superview);
    view->setGeometry(0, 0, 50, 20);
    centerInSuperview(view, superview); // inside the superview, wherever it is placed
    EXPECT_EQ(view->geometry(), QRect(75, 40, 50, 20));
    centerInRect(view, QRect(0, 0, 100, 100), true, false);
    EXPECT_EQ(view->geometry(), QRect(25, 40, 50, 20));
    EXPECT_EQ(centerPoint(view), QPointF(50, 50));
    EXPECT_EQ(centerPoint(nullptr), QPointF(0, 0));

    auto* label = new QLabel(QStringLiteral("Solde"), &window);
    label->setGeometry(10, 20, 100, 40);
    label->setFont(makeListFont(false, false, 12));
    applyFactorToLabel(1.5, label);
    EXPECT_EQ(label->geometry(), QRect(15, 30, 150, 60));
    EXPECT_EQ(label->font().pixelSize(), 18);
    QFont points(QStringLiteral("Helvetica"));
    points.setPointSizeF(10);
    EXPECT_DOUBLE_EQ(applyFactorToFont(points, 0.5).pointSizeF(), 5);
}

TEST(Geometry, GlobalFrameAndMouseLocationAreInWindowCoordinates)
{
    QWidget window;
    window.resize(200, 200);
    auto* outer = new QWidget(&window);
    outer->setGeometry(5, 5, 100, 100);
    auto* inner = new QWidget(outer);
    inner->setGeometry(10, 10, 20, 30);
    EXPECT_EQ(globalFrame(inner), QRect(15, 15, 20, 30));
    EXPECT_EQ(globalFrame(&window), QRect(0, 0, 200, 200));

    QPointF seen;
    XMouseDown(inner, QPointF(20, 40), [&seen](QPointF p) { seen = p; });
    EXPECT_EQ(seen, QPointF(5, 25));
    EXPECT_TRUE(convertToImage(nullptr).isNull());
}

TEST_F(GeometryTest, AnAnimationGroupMovesItsViewsTogetherThenRunsItsEndBlock)
{
    QWidget window;
    auto* a = new QWidget(&window);
    auto* b = new QWidget(&window);
    int ended = 0;
    ui().animations().setSpeed(1);
    XanimateWithDuration(
        0.25,
        [&](AnimationGroup& group) {
            group.setFrame(a, QRect(1, 1, 10, 10));
            group.setFrame(b, QRect(2, 2, 20, 20));
        },
        [&ended] { ++ended; });
    ASSERT_EQ(ui().animations().recorded.size(), 1u);
    const AnimationStage& stage = ui().animations().recorded[0].stages.at(0);
    EXPECT_EQ(stage.durationMs, 250);
    EXPECT_EQ(stage.moves.size(), 2u);
    EXPECT_EQ(ended, 0);
    ui().animations().finishAll();
    EXPECT_EQ(b->geometry(), QRect(2, 2, 20, 20));
    EXPECT_EQ(ended, 1);
}

} // namespace
