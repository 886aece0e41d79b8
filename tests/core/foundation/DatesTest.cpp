#include "foundation/dates.h"
#include "foundation/SystemClock.h"
#include "foundation/dateformat.h"
#include "foundation/pstr.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

double at(long day, long month, long year, long hour = 0, long minute = 0, long second = 0)
{
    double t = 0;
    dmyhmsToDate(day, month, year, hour, minute, second, &t);
    return t;
}

// The local wall-clock reading of a time, "dd/MM/yyyy HH:mm:ss".
std::string wall(double t)
{
    return dateToDateTime(t).toString(QStringLiteral("dd/MM/yyyy HH:mm:ss")).toStdString();
}

struct Triple {
    long d, m, y;
    bool operator==(const Triple&) const = default;
};

Triple next(Triple t)
{
    nextDayDMY(&t.d, &t.m, &t.y);
    return t;
}

class DatesAtFixedNow : public ::testing::Test {
protected:
    void SetUp() override { SystemClock::setNowForTesting(at(14, 6, 2024, 10, 30)); }
    void TearDown() override { SystemClock::setNowForTesting(std::nullopt); }
};

} // namespace

TEST(Dates, DayStepsFollowMonthLengthsAndLeapYears)
{
    EXPECT_EQ(next({28, 2, 2023}), (Triple {1, 3, 2023}));
    EXPECT_EQ(next({28, 2, 2024}), (Triple {29, 2, 2024}));
    EXPECT_EQ(next({28, 2, 2100}), (Triple {1, 3, 2100}));
    EXPECT_EQ(next({31, 12, 1999}), (Triple {1, 1, 2000}));
    Triple t {1, 3, 2000};
    previousDayDMY(&t.d, &t.m, &t.y);
    EXPECT_EQ(t, (Triple {29, 2, 2000}));
    Triple out {};
    dmyNextDay(31, 2, 2023, &out.d, &out.m, &out.y);
    EXPECT_EQ(out, (Triple {1, 3, 2023}));
    dmyPreviousDay(1, 1, 2024, &out.d, &out.m, &out.y);
    EXPECT_EQ(out, (Triple {31, 12, 2023}));
    t = {10, 1, 2024};
    addDaysDMY(-5, &t.d, &t.m, &t.y);
    subDaysDMY(0, &t.d, &t.m, &t.y);
    EXPECT_EQ(t, (Triple {10, 1, 2024}));
    addWeeksDMY(3, &t.d, &t.m, &t.y);
    EXPECT_EQ(t, (Triple {31, 1, 2024}));
    EXPECT_EQ(daysInMonth(13, 2023), 31);
    EXPECT_EQ(daysInMonth(0, 2023), 31);
}

TEST(Dates, MonthAndYearStepsKeepTheDayAndCarryWhatTheMonthLacks)
{
    EXPECT_EQ(wall(addMonthsToDate(1, at(31, 1, 2023, 15))), "03/03/2023 00:00:00");
    EXPECT_EQ(wall(addMonthsToDate(1, at(31, 1, 2024))), "02/03/2024 00:00:00");
    EXPECT_EQ(wall(subMonthsFromDate(13, at(15, 1, 2024))), "15/12/2022 00:00:00");
    double t = 0;
    nextMonthDate(&t, at(20, 12, 2023));
    EXPECT_EQ(wall(t), "20/01/2024 00:00:00");
    addYearsToDate(1, &t, at(29, 2, 2024));
    EXPECT_EQ(wall(t), "01/03/2025 00:00:00");
    Triple my {5, 1, 2024};
    previousMonthMY(&my.d, &my.m, &my.y);
    EXPECT_EQ(my, (Triple {5, 12, 2023}));
}

TEST(Dates, CompositionIsLenientBothWays)
{
    EXPECT_EQ(wall(at(0, 3, 2024)), "29/02/2024 00:00:00");
    EXPECT_EQ(wall(at(-1, 3, 2023)), "27/02/2023 00:00:00");
    EXPECT_EQ(wall(at(-31, 1, 2024)), "30/11/2023 00:00:00");
    EXPECT_EQ(wall(at(400, 1, 2023)), "04/02/2024 00:00:00");
    EXPECT_EQ(wall(at(1, 13, 2023)), "01/01/2024 00:00:00");
    EXPECT_EQ(wall(at(1, 0, 2024)), "01/12/2023 00:00:00");
    EXPECT_EQ(wall(at(31, 12, 2023, 24, 0, 30)), "01/01/2024 00:00:30");
    long d = -1, m = -1, y = -1;
    dateToDMY(&d, &m, &y, std::numeric_limits<double>::quiet_NaN());
    EXPECT_EQ(d + m + y, 0);
    EXPECT_EQ(startOfDay(std::numeric_limits<double>::infinity()), 0.0);
    double out = 1;
    dmyToDate(1, 1, 50'000'000'000, &out);
    EXPECT_EQ(out, 0.0);
}

TEST_F(DatesAtFixedNow, DayMonthYearFieldsRollOverAndFillInToday)
{
    const QString day = QStringLiteral("31"), month = QStringLiteral("2"), year = QStringLiteral("24");
    double t = 0;
    EXPECT_TRUE(dateFromDayMonthYearViews(&day, &month, &year, &t));
    EXPECT_EQ(wall(t), "02/03/2024 00:00:00");
    // The same fields named as the day they don't hold, for the windows that refuse it.
    EXPECT_EQ(impossibleDateOfDayMonthYearViews(&day, &month, &year), QStringLiteral("31/02/2024"));
    const QString leap = QStringLiteral("29");
    EXPECT_TRUE(impossibleDateOfDayMonthYearViews(&leap, &month, &year).isEmpty());
    const QString zero = QStringLiteral("0");
    EXPECT_TRUE(impossibleDateOfDayMonthYearViews(&zero, &zero, &zero).isEmpty());
    EXPECT_FALSE(dateFromDayMonthYearViews(&zero, &zero, &zero, &t));
    EXPECT_EQ(t, 0.0);
    const QString typed = QStringLiteral(" 45abc"), bigMonth = QStringLiteral("99");
    EXPECT_TRUE(dateFromDayMonthYearViews(&typed, &bigMonth, nullptr, &t));
    EXPECT_EQ(wall(t), "31/12/2024 00:00:00");
    QString dayText, monthText, yearText;
    setDayMonthYearViews(&dayText, &monthText, &yearText, at(7, 3, 2025));
    EXPECT_EQ(dayText + u'/' + monthText + u'/' + yearText, QStringLiteral("7/3/2025"));
}

TEST(Dates, DaylightSavingDaysDoNotShiftResults)
{
    EXPECT_EQ(wall(addDaysToDate(1, at(30, 3, 2024))), "31/03/2024 00:00:00");
    EXPECT_EQ(addDaysToDate(1, at(31, 3, 2024)) - at(31, 3, 2024), 23 * 3600.0);
    EXPECT_EQ(wall(addDaysToDate(2, at(26, 10, 2024, 23))), "28/10/2024 00:00:00");
    double t = 0;
    endOfDayNDaysBefore(1, &t, at(1, 4, 2024, 12));
    EXPECT_EQ(wall(t), "31/03/2024 23:59:59");
    addWeeksToDate(1, &t, at(25, 3, 2024));
    EXPECT_EQ(wall(t), "01/04/2024 00:00:00");
    EXPECT_EQ(wall(at(31, 3, 2024, 2, 30)), "31/03/2024 03:30:00");
}

TEST(Dates, MomentsOfDaysMonthsAndYears)
{
    const double may15 = at(15, 5, 2024, 14);
    EXPECT_EQ(wall(firstDayOfMonth(may15)), "01/05/2024 00:00:01");
    EXPECT_EQ(wall(lastDayOfMonth(may15)), "31/05/2024 23:59:59");
    EXPECT_EQ(wall(endOfDay(may15)), "15/05/2024 23:59:59");
    EXPECT_EQ(wall(firstDayOfYear(2024)), "01/01/2024 00:00:00");
    EXPECT_EQ(wall(lastDayOfYear(2024)), "31/12/2024 00:00:00");
    EXPECT_TRUE(sameDay(at(15, 5, 2024, 0, 0, 1), at(15, 5, 2024, 23, 59, 59)));
    EXPECT_FALSE(sameDay(at(15, 5, 2024, 23, 59, 59), at(16, 5, 2024)));
    // The reference date is 01:00 in Paris: the split must not depend on UTC.
    EXPECT_EQ(dateDay(-1800), 1);
    EXPECT_EQ(dateYear(-1800), 2001);
}

TEST(Dates, ComparingAndCountingMonths)
{
    EXPECT_EQ(monthCountBetween(at(10, 12, 2023), at(5, 1, 2024)), 2);
    EXPECT_EQ(monthCountBetween(at(1, 5, 2024), at(31, 5, 2024)), 1);
    EXPECT_EQ(monthCountBetween(at(1, 3, 2022), at(1, 2, 2024)), 24);
    EXPECT_EQ(monthCountBetween(at(1, 3, 2024), at(1, 5, 2023)), 3);
    EXPECT_TRUE(dmyBefore({31, 12, 2023}, {1, 1, 2024}, false));
    EXPECT_FALSE(dmyBefore({2, 1, 2024}, {1, 1, 2024}, true));
    EXPECT_TRUE(dmyBefore({1, 1, 2024}, {1, 1, 2024}, true));
    EXPECT_FALSE(dmyBefore({1, 1, 2024}, {1, 1, 2024}, false));
}

TEST(Dates, ExpandTwoDigitYear)
{
    EXPECT_EQ(expandTwoDigitYear(99), 1999);
    EXPECT_EQ(expandTwoDigitYear(71), 1971);
    EXPECT_EQ(expandTwoDigitYear(70), 2070);
    EXPECT_EQ(expandTwoDigitYear(0), 2000);
    EXPECT_EQ(expandTwoDigitYear(150), 2150);
    EXPECT_EQ(expandTwoDigitYear(1999), 1999);
}

TEST(DateFormat, FrenchStylesReadBackWhatTheyWrite)
{
    const double t = at(5, 3, 2024, 14, 3, 9);
    EXPECT_EQ(dateToStringWithStyles(1, 0, t), QStringLiteral("05/03/2024"));
    EXPECT_EQ(dateToStringWithStyles(2, 1, t), QStringLiteral("5 mars 2024 14:03"));
    EXPECT_EQ(dateToStringWithStyles(3, 2, t), QStringLiteral("5 mars 2024 14:03:09"));
    EXPECT_EQ(dateToStringWithStyles(4, 4, t), QStringLiteral("mardi 5 mars 2024 14:03:09 CET"));
    EXPECT_EQ(dateToStringWithStyles(0, 0, t), QString());
    const double withFebruary = at(29, 2, 2024, 23, 59, 59);
    for (int dateStyle = 1; dateStyle <= 4; ++dateStyle) {
        for (int timeStyle = 0; timeStyle <= 4; ++timeStyle) {
            const QString text = dateToStringWithStyles(dateStyle, timeStyle, withFebruary);
            const double expected
                = timeStyle == 0 ? startOfDay(withFebruary) : withFebruary - (timeStyle == 1 ? 59 : 0);
            double back = 0;
            EXPECT_TRUE(parseDateString(text, &back, dateStyle, timeStyle)) << text.toStdString();
            EXPECT_EQ(back, expected) << text.toStdString();
        }
    }
}

TEST_F(DatesAtFixedNow, ParsingIsLenientButRejectsImpossibleDates)
{
    double t = 0;
    EXPECT_TRUE(parseDateString(QStringLiteral("1/2/24"), &t, 1, 0));
    EXPECT_EQ(wall(t), "01/02/2024 00:00:00");
    EXPECT_TRUE(parseDateString(QStringLiteral("01-02-70"), &t, 1, 0));
    EXPECT_EQ(wall(t), "01/02/2070 00:00:00");
    EXPECT_TRUE(parseDateString(QStringLiteral("3/4/99 8:05"), &t, 1, 1));
    EXPECT_EQ(wall(t), "03/04/1999 08:05:00");
    EXPECT_TRUE(parseDateString(QStringLiteral("5 FEVRIER 2024"), &t, 2, 0));
    EXPECT_EQ(wall(t), "05/02/2024 00:00:00");
    EXPECT_TRUE(parseDateString(QStringLiteral("9:15"), &t, 0, 1));
    EXPECT_EQ(wall(t), "14/06/2024 09:15:00");
    const std::pair<const char*, int> rejected[]
        = {{"31/02/2024", 0},       {"n'importe quoi", 0},   {"", 0},          {"1/2", 0},
           {"01/02/2024 25:00", 1}, {"01/02/2024 10:00", 0}, {"01/02/2024", 1}};
    for (const auto& [text, timeStyle] : rejected) {
        EXPECT_FALSE(parseDateString(QString::fromUtf8(text), &t, 1, timeStyle)) << text;
        EXPECT_EQ(t, dateNow()) << text;
    }
}

TEST(DateFormat, FullStyleTellsTheRepeatedAutumnHourApart)
{
    const double summer = at(27, 10, 2024, 1, 30) + 3600;
    const double winter = summer + 3600;
    ASSERT_EQ(wall(summer), "27/10/2024 02:30:00");
    ASSERT_EQ(wall(winter), "27/10/2024 02:30:00");
    double back = 0;
    ASSERT_TRUE(parseDateString(dateToStringWithStyles(4, 4, summer), &back, 4, 4));
    EXPECT_EQ(back, summer);
    ASSERT_TRUE(parseDateString(dateToStringWithStyles(4, 4, winter), &back, 4, 4));
    EXPECT_EQ(back, winter);
}

TEST(DateFormat, FailuresGiveQuestionMarkNullOrEmpty)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(dateToStringWithStyles(1, 1, nan), QStringLiteral("?"));
    EXPECT_EQ(dateToStringWithStyles(7, 0, at(1, 1, 2024)), QStringLiteral("?"));
    EXPECT_EQ(nsdateToStringWithStyles(QDateTime(), 1, 0), QStringLiteral("?"));
    EXPECT_TRUE(copyDateString(1, 0, nan).isNull());
    EXPECT_FALSE(copyDateString(0, 0, 0).isNull());
    Str255 p {};
    p[0] = 9;
    EXPECT_FALSE(pstrFromDate(p.data(), 1, 0, nan));
    EXPECT_EQ(p[0], 0);
    EXPECT_TRUE(pstrFromDate(p.data(), 2, 0, at(7, 12, 2023)));
    EXPECT_EQ(pstrToNSString(p.data()), QStringLiteral("7 déc. 2023"));
    EXPECT_EQ(nsdateToStringWithStyles(QDateTime(QDate(2023, 12, 7), QTime(23, 30), QTimeZone::utc()), 1, 1),
              QStringLiteral("08/12/2023 00:30"));
}
