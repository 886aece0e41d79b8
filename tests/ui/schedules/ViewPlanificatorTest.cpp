// The planner's year grid: where a date lands in a row, and what a row paints for a schedule and
// for a forecast whose validity crosses the new year.
#include "schedules/ViewPlanificator.h"
#include "schedules/ViewPlanificatorController.h"
#include "schedules/ViewPlanificatorTitle.h"

#include "foundation/SystemClock.h"
#include "foundation/dates.h"
#include "uisupport/UiTestFixture.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QSet>

namespace {

double at(long day, long month, long year)
{
    double t = 0;
    dmyToDate(day, month, year, &t);
    return t;
}

TEST(ViewPlanificatorTest, TheHeaderTellsEveryMonthApart)
{
    QStringList labels;
    for (int month = 1; month <= 12; ++month)
        labels << ViewPlanificatorTitle::monthLabel(month);
    EXPECT_EQ(labels.at(5), "juin");
    EXPECT_EQ(labels.at(6), "juil.");
    EXPECT_EQ(QSet<QString>(labels.begin(), labels.end()).size(), 12) << labels.join(u' ').toStdString();
}

TEST(ViewPlanificatorTest, xAtDateSplitsEachMonthColumnIntoItsDays)
{
    const QRectF row(0, 0, 670, 24);
    struct Case {
        double date;
        double x;
    };
    const Case cases[] = {
        {at(1, 1, 2024), 60}, // day 1 on the month's left line
        {at(16, 1, 2024), 60 + 15 * 50.0 / 31}, // day 16 of 31
        {at(29, 2, 2024), 110 + 28 * 50.0 / 29}, // a leap February has 29 steps
        {at(31, 12, 2024), 660 - 50.0 / 31}, // one day-step short of the right line
        {at(1, 1, 2025), -1}, // another year
    };
    for (const Case& c : cases)
        EXPECT_NEAR(ViewPlanificator::xAtDate(c.date, 2024, row), c.x, 1e-9)
            << dateToDateTime(c.date).toString().toStdString();
    EXPECT_NEAR(ViewPlanificator::columnX(13, 1340), 1320, 1e-9);
}

class ViewPlanificatorRenderTest : public UiTestFixture {
protected:
    ViewPlanificatorRenderTest() { SystemClock::setNowForTesting(at(1, 1, 2024)); }
    ~ViewPlanificatorRenderTest() override { SystemClock::setNowForTesting(std::nullopt); }

    // The row of that year drawn at 670 × 24 for the rule.
    QImage render(Planificator& rule, long year)
    {
        ViewPlanificatorController pane(rule.type);
        pane.setPlanificator(&rule);
        pane.FILL_PLANIFICATOR();
        ViewPlanificator view;
        view.setDelegate(&pane);
        view.setYear(year);
        view.setFirstYear(pane.firstYear());
        view.setNumberOfYears(pane.numberOfYears());
        QImage image(670, 24, QImage::Format_RGB32);
        QPainter painter(&image);
        view.drawRect(painter, QRectF(0, 0, 670, 24));
        painter.end();
        QDir().mkpath(QStringLiteral(SORV_TEST_OUTPUT_DIR));
        image.save(QStringLiteral(SORV_TEST_OUTPUT_DIR "/ViewPlanificator_%1_%2.png").arg(rule.type).arg(year));
        return image;
    }
    static bool isBackground(const QImage& image, int x, int y)
    {
        return image.pixelColor(x, y) == QColor(255, 255, 250);
    }
};

TEST_F(ViewPlanificatorRenderTest, AForecastAcrossTheNewYearDrawsALineThenALineWithItsEndTick)
{
    Planificator rule(at(15, 11, 2024), Planificator::kTypePrevision);
    rule.nbEcheance = 1;
    rule.valideTimeUnitCount = 3; // 15 November to 14 February
    const QImage first = render(rule, 2024);
    const QImage second = render(rule, 2025);
    const int y = 12; // the middle of the row, y down
    const int nov15 = int(ViewPlanificator::xAtDate(at(15, 11, 2024), 2024, QRectF(0, 0, 670, 24)));
    const int feb14 = int(ViewPlanificator::xAtDate(at(14, 2, 2025), 2025, QRectF(0, 0, 670, 24)));
    EXPECT_FALSE(isBackground(first, nov15 + 20, y)); // the validity line in November
    EXPECT_TRUE(isBackground(first, 655, y - 4)); // no end tick at the end of December
    EXPECT_FALSE(isBackground(second, 80, y)); // the line goes on in January
    EXPECT_FALSE(isBackground(second, feb14, y - 4)); // and ends with a tick
    EXPECT_TRUE(isBackground(second, feb14 + 10, y));
}

TEST_F(ViewPlanificatorRenderTest, AScheduleDrawsCrossesOnlyAndTheLastOfFourRowsHasNoEdge)
{
    Planificator rule(at(10, 3, 2024), Planificator::kTypeEcheancier);
    rule.repeatTimeUnit = Planificator::kUnitYear;
    rule.nbEcheance = 4;
    rule.valideType = Planificator::kValideOwnDate;
    const QImage image = render(rule, 2024);
    const int x = int(ViewPlanificator::xAtDate(at(10, 3, 2024), 2024, QRectF(0, 0, 670, 24)));
    EXPECT_FALSE(isBackground(image, x, 12 - 4)); // the cross's vertical stroke
    EXPECT_TRUE(isBackground(image, x + 20, 12)); // no validity line
    EXPECT_FALSE(isBackground(image, 300, 23)); // the row's edge line, at the bottom
    EXPECT_TRUE(isBackground(render(rule, 2027), 300, 23)); // not under the last of four
}

} // namespace
