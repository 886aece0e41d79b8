// What the planner pane computes at each change of a control, for rules the fields accept at their
// far end: a permanent daily forecast begun two years ago whose occurrences stay valid 9,999
// years, and one of 99,999 daily occurrences valid as long; then what one year row of its grid
// draws, a year crossed by every validity.
#include "engines/PlannerTimeline.h"
#include "foundation/dates.h"

#include <benchmark/benchmark.h>

namespace {

double at(long day, long month, long year)
{
    double t = 0;
    dmyToDate(day, month, year, &t);
    return t;
}

Planificator dailyForecastValidFor9999Years(bool permanent)
{
    Planificator rule(at(1, 1, 2024), Planificator::kTypePrevision);
    rule.repeatTimeUnit = Planificator::kUnitDay;
    rule.valideType = Planificator::kValideLength;
    rule.valideTimeUnit = Planificator::kUnitYear;
    rule.valideTimeUnitCount = 9999;
    rule.permanent = permanent;
    rule.nbEcheance = 99999;
    return rule;
}

void runTimeline(benchmark::State& state, bool permanent)
{
    const Planificator rule = dailyForecastValidFor9999Years(permanent);
    const double now = at(15, 6, 2026);
    for (auto _ : state) {
        const PlannerTimeline timeline(rule, now);
        benchmark::DoNotOptimize(timeline.numberOfYears());
        state.counters["years"] = double(timeline.numberOfYears());
    }
}

void BM_PlannerPermanentDailyValid9999Years(benchmark::State& state)
{
    runTimeline(state, true);
}
BENCHMARK(BM_PlannerPermanentDailyValid9999Years)->Unit(benchmark::kMillisecond);

void BM_Planner99999DailyValid9999Years(benchmark::State& state)
{
    runTimeline(state, false);
}
BENCHMARK(BM_Planner99999DailyValid9999Years)->Unit(benchmark::kMillisecond);

void BM_PlannerRowOfAYearCrossedByEveryValidity(benchmark::State& state)
{
    const PlannerTimeline timeline(dailyForecastValidFor9999Years(false), at(15, 6, 2026));
    for (auto _ : state) {
        const QList<PlannedSpan> spans = timeline.spansOfYear(5000);
        benchmark::DoNotOptimize(spans.size());
        state.counters["spans"] = double(spans.size());
    }
}
BENCHMARK(BM_PlannerRowOfAYearCrossedByEveryValidity)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
