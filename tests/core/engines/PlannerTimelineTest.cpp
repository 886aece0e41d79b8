#include "engines/PlannerTimeline.h"

#include "foundation/dates.h"

#include <gtest/gtest.h>

#include <functional>

#include <string>
#include <vector>

namespace {

double at(long day, long month, long year, long hour = 0, long minute = 0, long second = 0)
{
    double t = 0;
    dmyhmsToDate(day, month, year, hour, minute, second, &t);
    return t;
}

// The local wall-clock reading, the time only when it isn't midnight.
std::string wall(double t)
{
    const QDateTime dt = dateToDateTime(t);
    const QString format
        = dt.time() == QTime(0, 0) ? QStringLiteral("dd/MM/yyyy") : QStringLiteral("dd/MM/yyyy HH:mm:ss");
    return dt.toString(format).toStdString();
}

// A span as "d1 - d2 flags": c continuing, e ending, f first, x etc, m main, s shift, o obsolete.
std::string show(const PlannedSpan& s)
{
    std::string flags;
    const std::pair<bool, char> marks[] = {{s.continuing, 'c'}, {s.ending, 'e'}, {s.first == 1, 'f'}, {s.etc, 'x'},
                                           {s.main, 'm'},       {s.shift, 's'},  {s.obsolete, 'o'}};
    for (const auto& [on, c] : marks)
        if (on)
            flags += c;
    return wall(s.d1) + " - " + wall(s.d2) + " " + flags;
}

struct Case {
    const char* name;
    Planificator rule;
    double now;
    std::vector<std::string> spans;
    long years;
    long scrollRow;
    bool ok;
};

Planificator rule(int32_t type, double first, int32_t unit, long nb)
{
    Planificator p(first, type);
    p.repeatTimeUnit = unit;
    p.nbEcheance = nb;
    return p;
}

Planificator with(Planificator p, const std::function<void(Planificator&)>& change)
{
    change(p);
    return p;
}

constexpr int32_t kPrev = Planificator::kTypePrevision;
constexpr int32_t kEch = Planificator::kTypeEcheancier;
constexpr int32_t kMonth = Planificator::kUnitMonth;

std::vector<Case> cases()
{
    return {
        {"validityCrossingNewYear",
         rule(kPrev, at(15, 12, 2024), kMonth, 2),
         at(1, 1, 2024),
         {"01/12/2024 00:00:01 - 31/12/2024 23:59:59 s", "15/12/2024 - 31/12/2024 fm",
          "01/01/2025 - 14/01/2025 23:59:59 cefm", "15/01/2025 - 14/02/2025 23:59:59 e"},
         2,
         0,
         true},
        // Leap day: a year later there is no 29 February, the day carries into March.
        {"leapYearly",
         with(rule(kPrev, at(29, 2, 2024), Planificator::kUnitYear, 2),
              [](Planificator& p) { p.valideType = Planificator::kValideEndOfMonth; }),
         at(1, 4, 2024),
         {"29/02/2024 - 29/02/2024 23:59:59 efo", "01/03/2025 00:00:01 - 31/03/2025 23:59:59 s",
          "01/03/2025 - 31/03/2025 23:59:59 em"},
         2,
         1,
         true},
        // A schedule's occurrence on or before the last write is past; the current one gets the
        // budget month, shifted back by one.
        {"scheduleWrittenShiftBack",
         with(rule(kEch, at(10, 1, 2024), kMonth, 3),
              [](Planificator& p) {
                  p.valideType = Planificator::kValideOwnDate;
                  p.lastWriteDate = at(10, 1, 2024);
                  p.budgetShift = -1;
              }),
         at(5, 2, 2024),
         {"10/01/2024 - 10/01/2024 efo", "01/01/2024 00:00:01 - 31/01/2024 23:59:59 s", "10/02/2024 - 10/02/2024 em",
          "10/03/2024 - 10/03/2024 e"},
         1,
         0,
         true},
        // Nothing current: no main, no shift, no scroll.
        {"allPast",
         with(rule(kEch, at(31, 1, 2023), kMonth, 2),
              [](Planificator& p) { p.valideType = Planificator::kValideOwnDate; }),
         at(1, 6, 2024),
         {"31/01/2023 - 31/01/2023 ef", "03/03/2023 - 03/03/2023 e"},
         1,
         -1,
         true},
        // A positive budget shift pushing the end into the next year adds a row.
        {"shiftAddsYear",
         with(rule(kEch, at(15, 11, 2024), kMonth, 1),
              [](Planificator& p) {
                  p.valideType = Planificator::kValideOwnDate;
                  p.budgetShift = 2;
              }),
         at(1, 1, 2024),
         {"15/11/2024 - 15/11/2024 efm", "01/01/2025 00:00:01 - 31/01/2025 23:59:59 s"},
         2,
         0,
         true},
        // Weekly across the spring DST change: every occurrence stays at midnight.
        {"weeklyOverDst",
         with(rule(kEch, at(24, 3, 2024), Planificator::kUnitWeek, 3),
              [](Planificator& p) { p.valideType = Planificator::kValideOwnDate; }),
         at(25, 3, 2024),
         {"24/03/2024 - 24/03/2024 ef", "01/03/2024 00:00:01 - 31/03/2024 23:59:59 s", "31/03/2024 - 31/03/2024 em",
          "07/04/2024 - 07/04/2024 e"},
         1,
         0,
         true},
        // A validity longer than the repetition is inconsistent.
        {"validityTooLong",
         with(rule(kPrev, at(1, 3, 2024), kMonth, 1), [](Planificator& p) { p.valideTimeUnitCount = 3; }),
         at(1, 1, 2030),
         {"01/03/2024 - 31/05/2024 23:59:59 efo"},
         1,
         -1,
         false},
        // A renewal shorter than one series is inconsistent.
        {"renewalTooShort",
         with(rule(kEch, at(1, 3, 2024), kMonth, 3),
              [](Planificator& p) {
                  p.valideType = Planificator::kValideOwnDate;
                  p.reconductionType = 1;
                  p.reconductionTimeUnit = kMonth;
                  p.reconductionTimeUnitCount = 2;
                  p.reconductionNbEcheance = 0;
              }),
         at(1, 1, 2030),
         {"01/03/2024 - 01/03/2024 ef", "01/04/2024 - 01/04/2024 e", "01/05/2024 - 01/05/2024 e"},
         1,
         -1,
         false},
    };
}

// The spans of every row of the grid, year by year.
QList<PlannedSpan> spansOfRows(const PlannerTimeline& timeline)
{
    QList<PlannedSpan> spans;
    for (long row = 0; row < timeline.numberOfYears(); ++row)
        spans += timeline.spansOfYear(timeline.firstYear() + row);
    return spans;
}

TEST(PlannerTimelineTest, spansYearsAndConsistency)
{
    for (const Case& c : cases()) {
        SCOPED_TRACE(c.name);
        const PlannerTimeline timeline(c.rule, c.now);
        std::vector<std::string> spans;
        for (const PlannedSpan& s : spansOfRows(timeline))
            spans.push_back(show(s));
        EXPECT_EQ(spans, c.spans);
        EXPECT_EQ(timeline.numberOfYears(), c.years);
        EXPECT_EQ(timeline.scrollRow(), c.scrollRow);
        EXPECT_EQ(timeline.okEnabled(), c.ok);
    }
}

TEST(PlannerTimelineTest, permanentRuleEndsWithOneEtcSpanToDecember)
{
    Planificator p = rule(kEch, at(31, 1, 2024), kMonth, 12);
    p.permanent = true;
    p.valideType = Planificator::kValideOwnDate;
    const PlannerTimeline timeline(p, at(10, 3, 2024));
    // Open-ended: two repeat steps from now (10 May 2024), then 31 December of the year after.
    EXPECT_EQ(wall(timeline.maxDate()), "31/12/2025");
    const QList<PlannedSpan> spans = spansOfRows(timeline);
    ASSERT_FALSE(spans.isEmpty());
    EXPECT_EQ(show(spans.last()), "01/01/2026 00:00:01 - 31/12/2026 cx");
    long etcCount = 0;
    for (const PlannedSpan& s : spans)
        etcCount += s.etc ? 1 : 0;
    EXPECT_EQ(etcCount, 1);
    EXPECT_EQ(timeline.numberOfYears(), 3);
}

TEST(PlannerTimelineTest, emptyWalkGivesOneRowForTheFirstYear)
{
    Planificator p = rule(kEch, at(5, 5, 2024), kMonth, 0);
    p.repeatTimeUnit = 9; // unknown unit: the walk yields nothing
    const PlannerTimeline timeline(p, at(1, 1, 2024));
    EXPECT_EQ(timeline.numberOfYears(), 1);
    EXPECT_EQ(timeline.scrollRow(), -1);
}

} // namespace
