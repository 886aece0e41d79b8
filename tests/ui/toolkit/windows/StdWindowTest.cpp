#include "toolkit/windows/StdWindow.h"

#include "foundation/broadcast.h"
#include "uisupport/UiTestFixture.h"

#include <QKeyEvent>
#include <QTest>

namespace {

// Stands for the window controller and for the other windows' controllers.
class ControllerProbe : public QObject {
    Q_OBJECT
public:
    Q_INVOKABLE void windowDidMove() { ++moves; }
    Q_INVOKABLE void didEndDraggingWindow() { ++dragEnds; }
    Q_INVOKABLE void upAlpha(const QVariant&, const QVariant&) { ++ups; }
    Q_INVOKABLE void downAlphaIfNotEquals(const QVariant& controller, const QVariant&)
    {
        downs.append(controller.value<QObject*>());
    }

    int moves = 0;
    int dragEnds = 0;
    int ups = 0;
    QList<QObject*> downs;
};

int codeOf(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, const QString& text = QString())
{
    const QKeyEvent event(QEvent::KeyPress, key, modifiers, text);
    return svKeyCode(&event);
}

class StdWindowTest : public UiTestFixture {
protected:
    StdWindowTest()
    {
        window.setController(&controller);
        window.initialize();
        registerWindowController(&controller);
        registerWindowController(&other);
    }
    ~StdWindowTest() override
    {
        unregisterWindowController(&controller);
        unregisterWindowController(&other);
    }

    ControllerProbe controller;
    ControllerProbe other;
    StdWindow window;
};

TEST(StdWindowKeys, QtKeysTakeTheProgramsCodes)
{
    EXPECT_EQ(codeOf(Qt::Key_Left), 0xF702);
    EXPECT_EQ(codeOf(Qt::Key_Right), 0xF703);
    EXPECT_EQ(codeOf(Qt::Key_Up), 0xF700);
    EXPECT_EQ(codeOf(Qt::Key_Down), 0xF701);
    EXPECT_EQ(codeOf(Qt::Key_Enter), 13);
    EXPECT_EQ(codeOf(Qt::Key_Backspace), 127);
    EXPECT_EQ(codeOf(Qt::Key_Delete), 127);
    EXPECT_EQ(codeOf(Qt::Key_Backtab, Qt::ShiftModifier), 25);
    EXPECT_EQ(codeOf(Qt::Key_Escape), 27);
    EXPECT_EQ(codeOf(Qt::Key_E, Qt::NoModifier, QStringLiteral("é")), u'é');
    EXPECT_EQ(codeOf(Qt::Key_A, Qt::ControlModifier, QStringLiteral("\x01")), 'a'); // the key, not the control code
    EXPECT_EQ(codeOf(Qt::Key_F5), 0);
}

TEST_F(StdWindowTest, TheApplicationSeesKeysFirst)
{
    QList<int> seen;
    setKeyDownInterceptor([&seen](QKeyEvent* event) {
        seen.append(svKeyCode(event));
        return event->modifiers() == Qt::AltModifier;
    });
    QTest::keyClick(&window, Qt::Key_M, Qt::AltModifier);
    setKeyDownInterceptor(nullptr);
    EXPECT_TRUE(seen.contains('m'));
}

TEST_F(StdWindowTest, AMouseUpEndsADragOfTheWindowOnce)
{
    QTest::mousePress(&window, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QMouseEvent drag(QEvent::MouseMove, QPointF(9, 9), QPointF(9, 9), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &drag);
    EXPECT_TRUE(window.isDragging());
    window.didMouseUp();
    window.didMouseUp();
    EXPECT_EQ(controller.dragEnds, 1);
    EXPECT_FALSE(window.isDragging());
}

TEST_F(StdWindowTest, TheControllerHearsOfAMoveOnceTheWindowHasSettled)
{
    window.resize(200, 100);
    window.show();
    for (int x = 10; x <= 40; x += 10) {
        window.move(x, 20);
        ui().advance(100);
    }
    EXPECT_EQ(controller.moves, 0);
    ui().advance(StdWindow::kMoveSettleMs);
    EXPECT_EQ(controller.moves, 1);
}

TEST_F(StdWindowTest, BecomingKeyDimsOtherWindowsForAModalWindowOnly)
{
    APPLIPARAM::loadAppliParam().flouter = true;
    window.becomeKeyWindow();
    EXPECT_EQ(other.ups, 1);
    EXPECT_TRUE(other.downs.isEmpty());

    window.setWindowModality(Qt::ApplicationModal);
    window.setWindowOpacity(0.9);
    window.becomeKeyWindow();
    EXPECT_EQ(other.downs, QList<QObject*>({&controller}));
    EXPECT_DOUBLE_EQ(window.windowOpacity(), 1.0);

    APPLIPARAM::loadAppliParam().flouter = false;
    window.setWindowOpacity(0.9);
    window.becomeKeyWindow();
    EXPECT_EQ(other.ups, 1);
    EXPECT_EQ(other.downs.size(), 1);
    EXPECT_DOUBLE_EQ(window.windowOpacity(), 1.0);
}

} // namespace

#include "StdWindowTest.moc"
