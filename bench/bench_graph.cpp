// Graphs of a generated document of 100,000 transactions with its schedules and forecasts: five
// years of monthly balances of the first account and of the user's first bank, as the graph
// window computes them on opening, and the picture built from them. Then a hundred years ahead of
// the first account of a document of 10,000 transactions with three daily forecasts on it, by day
// and by month: tens of thousands of periods against a hundred thousand forecast occurrences.
#include "DocumentGenerator.h"
#include "engines/GraphEngine.h"
#include "engines/GraphGeometry.h"
#include "foundation/dates.h"
#include "model/DOCPARAM.h"
#include "model/DOCUMENT.h"
#include "model/Prevision.h"
#include "model/TOOL.h"

#include <benchmark/benchmark.h>

namespace {

constexpr long kSize = 100000;

DOCUMENT& document()
{
    static std::unique_ptr<DOCUMENT> doc = DocumentGenerator::generate(kSize);
    return *doc;
}

GRAPHFILE fiveYears(int mode, bool simul)
{
    DOCUMENT& doc = document();
    double first = 0;
    double last = 0;
    TRANSACT::getTransactExtremeDates(&doc, &first, &last);
    GRAPHFILE file;
    file.header = GRAPH::newGraph(&doc);
    file.header.mode = mode;
    file.header.totalKind = 1;
    file.header.simul = simul;
    file.header.modeDate = 0;
    file.header.banqueID = -1;
    for (const TOOL& bank : doc.banqueHdl)
        if (bank.bType == kBanqueUser && file.header.banqueID < 0)
            file.header.banqueID = bank.ident;
    file.header.graph_date2 = endOfDay(lastDayOfMonth(last));
    file.header.graph_date1 = startOfDay(firstDayOfMonth(subMonthsFromDate(59, last)));
    return file;
}

void runGraph(benchmark::State& state, int mode, bool simul)
{
    GRAPHFILE file = fiveYears(mode, simul);
    for (auto _ : state) {
        recomputeGraph(file, &document(), 0);
        benchmark::DoNotOptimize(file.header.maxSol);
    }
    state.counters["points"] = static_cast<double>(file.dataArray.size());
}

void BM_GraphFiveYearsMonthlyAccount(benchmark::State& state)
{
    runGraph(state, kGraphModeCompte, false);
}
BENCHMARK(BM_GraphFiveYearsMonthlyAccount)->Unit(benchmark::kMillisecond);

void BM_GraphFiveYearsMonthlyAccountWithOccurrences(benchmark::State& state)
{
    runGraph(state, kGraphModeCompte, true);
}
BENCHMARK(BM_GraphFiveYearsMonthlyAccountWithOccurrences)->Unit(benchmark::kMillisecond);

void BM_GraphFiveYearsMonthlyBank(benchmark::State& state)
{
    runGraph(state, kGraphModeBanque, true);
}
BENCHMARK(BM_GraphFiveYearsMonthlyBank)->Unit(benchmark::kMillisecond);

void BM_GraphPicture(benchmark::State& state)
{
    GRAPHFILE file = fiveYears(kGraphModeCompte, true);
    recomputeGraph(file, &document(), 0);
    file.header.plotKind = 1;
    const GraphDrawOptions options {.devises = &document().deviseHdl};
    for (auto _ : state)
        benchmark::DoNotOptimize(makeGraphPicture(file, options, QRectF(0, 0, 833, 350)).shapes.size());
}
BENCHMARK(BM_GraphPicture)->Unit(benchmark::kMicrosecond);

DOCUMENT& documentWithDailyForecasts()
{
    static std::unique_ptr<DOCUMENT> doc = [] {
        std::unique_ptr<DOCUMENT> made = DocumentGenerator::generate(10000);
        const long compte = made->docParam->defaultCompteUser;
        for (long n = 0; n < 3; ++n) {
            Prevision prevision = Prevision::newPrevision(made.get());
            prevision.ident = 900 + n;
            prevision.name = QStringLiteral("Chaque jour %1").arg(n + 1);
            prevision.transact.who1 = compte;
            prevision.transact.solde.makeMontant(0, 5 + n, made->deviseHdl);
            Planificator rule(startOfDay(dateNow()), Planificator::kTypePrevision);
            rule.repeatTimeUnit = Planificator::kUnitDay;
            rule.permanent = true;
            rule.valideTimeUnit = Planificator::kUnitDay;
            prevision.planificator = rule;
            made->previsionsArray.append(prevision);
        }
        return made;
    }();
    return *doc;
}

// From 1 January of this year to 31 December a hundred years on.
GRAPHFILE hundredYears(int timeKind)
{
    DOCUMENT& doc = documentWithDailyForecasts();
    GRAPHFILE file;
    file.header = GRAPH::newGraph(&doc);
    file.header.mode = kGraphModeCompte;
    file.header.compteID = doc.docParam->defaultCompteUser;
    file.header.timeKind = timeKind;
    file.header.simul = true;
    file.header.modeDate = 0;
    file.header.graph_date1 = firstDayOfYear(dateYear(dateNow()));
    file.header.graph_date2 = endOfDay(lastDayOfYear(dateYear(dateNow()) + 100));
    return file;
}

void runHundredYears(benchmark::State& state, int timeKind)
{
    GRAPHFILE file = hundredYears(timeKind);
    DOCUMENT& doc = documentWithDailyForecasts();
    for (auto _ : state) {
        recomputeGraph(file, &doc, 0);
        benchmark::DoNotOptimize(file.header.maxSol);
    }
    state.counters["points"] = static_cast<double>(file.dataArray.size());
}

void BM_GraphHundredYearsDailyWithDailyForecasts(benchmark::State& state)
{
    runHundredYears(state, 1);
}
BENCHMARK(BM_GraphHundredYearsDailyWithDailyForecasts)->Unit(benchmark::kMillisecond);

void BM_GraphHundredYearsMonthlyWithDailyForecasts(benchmark::State& state)
{
    runHundredYears(state, 0);
}
BENCHMARK(BM_GraphHundredYearsMonthlyWithDailyForecasts)->Unit(benchmark::kMillisecond);

// What every repaint of the window costs with the hundred years by day.
void BM_GraphPictureHundredYearsDaily(benchmark::State& state)
{
    GRAPHFILE file = hundredYears(1);
    recomputeGraph(file, &documentWithDailyForecasts(), 0);
    file.header.plotKind = 1;
    const GraphDrawOptions options {.devises = &documentWithDailyForecasts().deviseHdl};
    for (auto _ : state)
        benchmark::DoNotOptimize(makeGraphPicture(file, options, QRectF(0, 0, 833, 350)).shapes.size());
}
BENCHMARK(BM_GraphPictureHundredYearsDaily)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
