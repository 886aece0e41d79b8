// Graphs of a generated document of 100,000 transactions with its schedules and forecasts: five
// years of monthly balances of the first account and of the user's first bank, as the graph
// window computes them on opening, and the picture built from them.
#include "DocumentGenerator.h"
#include "engines/GraphEngine.h"
#include "engines/GraphGeometry.h"
#include "foundation/dates.h"
#include "model/DOCUMENT.h"
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

} // namespace

BENCHMARK_MAIN();
