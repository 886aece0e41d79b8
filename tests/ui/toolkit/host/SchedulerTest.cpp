#include "toolkit/host/HelperSVTimer.h"
#include "toolkit/windows/windowutils.h"

#include "uisupport/UiTestFixture.h"

#include <QWidget>

namespace {

class SchedulerTest : public UiTestFixture {
protected:
    int runModal(QWidget& window)
    {
        return UiHost::instance().modal().run(ModalRequest {&window, nullptr, false, nullptr});
    }
    void end(QWidget& window, int code) { UiHost::instance().modal().endModal(&window, code); }
};

TEST_F(SchedulerTest, DefaultCallsWaitForTheOutermostModalRunWhileModalPanelCallsFireInside)
{
    QWidget outer;
    QWidget inner;
    outer.setObjectName("FenOuter");
    inner.setObjectName("FenInner");
    QStringList events;
    HelperSVTimer::fireBlockAfterInterval(0.1, false, [&] { events << "default"; });
    HelperSVTimer::fireBlockAfterInterval(0.1, true, [&] { events << "panel"; });

    ui().onModal("FenInner", [&](const ModalRequest&) {
        EXPECT_TRUE(isModalWindow(&inner));
        EXPECT_FALSE(isModalWindow(&outer));
        ui().advance(150);
        events << "inner ends";
        end(inner, 2);
    });
    ui().onModal("FenOuter", [&](const ModalRequest&) {
        EXPECT_EQ(runModal(inner), 2);
        ui().advance(50); // still inside the outer run
        events << "outer ends";
        end(outer, 1);
    });
    EXPECT_EQ(runModal(outer), 1);
    EXPECT_EQ(events, (QStringList {"panel", "inner ends", "outer ends"}));
    EXPECT_EQ(ui().clock().heldCount(), 0); // let go, to run at the next turn of the loop

    ui().flush();
    EXPECT_EQ(events.constLast(), "default");
    ASSERT_EQ(ui().modalRuns().size(), 2);
    EXPECT_EQ(ui().modalRuns()[0].name, "FenInner");
    EXPECT_EQ(ui().modalRuns()[1].code, 1);
}

TEST_F(SchedulerTest, RepeatingTimerRunsUntilInvalidatedEvenWhenNobodyHoldsIt)
{
    int count = 0;
    std::weak_ptr<SVTimer> weak;
    {
        auto timer = scheduledTimerWithTimeInterval(
            0.5,
            [&] {
                if (++count == 3)
                    weak.lock()->invalidate();
            },
            true);
        weak = timer;
    }
    ui().advance(1000);
    EXPECT_EQ(count, 2);
    ui().advance(5000);
    EXPECT_EQ(count, 3);
    EXPECT_TRUE(weak.expired());

    // A repeating default-mode timer skips the firings of a modal run and fires once after it.
    count = 0;
    auto ticking = scheduledTimerWithTimeInterval(
        0.1, [&] { ++count; }, true);
    QWidget dialog;
    dialog.setObjectName("FenDialog");
    ui().onModal("FenDialog", [&](const ModalRequest&) {
        ui().advance(1000);
        end(dialog, 1);
    });
    runModal(dialog);
    EXPECT_EQ(count, 0);
    ui().advance(0);
    EXPECT_EQ(count, 1);
    ticking->invalidate();
    ui().advance(1000);
    EXPECT_EQ(count, 1);
}

TEST_F(SchedulerTest, UnscheduledCancelledAndOrphanedCallsNeverRun)
{
    int fired = 0;
    auto idle = timerWithTimeInterval(
        0.1, [&] { ++fired; }, false);
    auto* context = new QObject;
    UiHost::instance().scheduler().after(
        100, IScheduler::Mode::Default, [&] { ++fired; }, context);
    const auto handle = UiHost::instance().scheduler().after(100, IScheduler::Mode::Default, [&] { ++fired; });
    UiHost::instance().scheduler().cancel(handle);
    delete context;
    ui().advance(1000);
    EXPECT_EQ(fired, 0);

    idle->fire();
    EXPECT_EQ(fired, 1);
    EXPECT_FALSE(idle->isValid());
    idle->schedule();
    ui().flush();
    EXPECT_EQ(fired, 1);
}

} // namespace
