// A twelve-month analysis by category of a generated document of 100,000 transactions with five
// schedules and five forecasts: the layout and the computation as the analysis window runs them
// on opening (type 0) and as the budget window does (type 1, occurrences counted and real
// transactions matched to forecasts), and the budget's synthesis by schedule and forecast. Then a
// stored configuration of every transaction on a document where one transaction was typed in
// 9999: what an opening runs, the period checked and refused, then laid out and computed.
#include "DocumentGenerator.h"
#include "engines/AnalyseFile.h"
#include "engines/BudgetSynthese.h"
#include "foundation/IAlerts.h"
#include "foundation/dates.h"
#include "model/DOCUMENT.h"

#include <benchmark/benchmark.h>

namespace {

constexpr long kSize = 100000;

DOCUMENT& document()
{
    static std::unique_ptr<DOCUMENT> doc = [] {
        std::unique_ptr<DOCUMENT> d = DocumentGenerator::generate(kSize);
        d->echeancierHdl.resize(std::min<qsizetype>(5, d->echeancierHdl.size()));
        d->previsionsArray.resize(std::min<qsizetype>(5, d->previsionsArray.size()));
        return d;
    }();
    return *doc;
}

AnalyseConfiguration lastTwelveMonths(const DOCUMENT& doc)
{
    double first = 0;
    double last = 0;
    TRANSACT::getTransactExtremeDates(&doc, &first, &last);
    AnalyseConfiguration conf;
    anaConfigSetDefaults(&doc, conf);
    conf.modeDate = kModeDateGiven;
    conf.showMonth = conf.showPoste = conf.showDossier = true;
    conf.compteID = -1;
    conf.date2 = endOfDay(lastDayOfMonth(last));
    conf.date1 = startOfDay(firstDayOfMonth(subMonthsFromDate(11, last)));
    return conf;
}

void runAnalyse(benchmark::State& state, AnalyseType type)
{
    DOCUMENT& doc = document();
    const AnalyseConfiguration conf = lastTwelveMonths(doc);
    for (auto _ : state) {
        AnalyseFile file;
        initAnalyseFileWithConfiguration(file, doc, conf, QRectF());
        computeAnalyse(file, 0, type, 0, doc);
        benchmark::DoNotOptimize(file.dataStorage.totalMonths.dataTotalDossiers.totDeb);
    }
}

void BM_AnalyseTwelveMonthsByCategory(benchmark::State& state)
{
    runAnalyse(state, AnalyseType::Analyse);
}
BENCHMARK(BM_AnalyseTwelveMonthsByCategory)->Unit(benchmark::kMillisecond);

void BM_BudgetTwelveMonthsByCategory(benchmark::State& state)
{
    runAnalyse(state, AnalyseType::Budget);
}
BENCHMARK(BM_BudgetTwelveMonthsByCategory)->Unit(benchmark::kMillisecond);

// The budget window's synthesis grid: the year computed, then its figures summed by schedule and
// forecast.
void BM_BudgetSyntheseTwelveMonths(benchmark::State& state)
{
    DOCUMENT& doc = document();
    const AnalyseConfiguration conf = lastTwelveMonths(doc);
    for (auto _ : state) {
        AnalyseFile file;
        initAnalyseFileWithConfiguration(file, doc, conf, QRectF());
        computeAnalyse(file, 0, AnalyseType::Budget, 0, doc);
        benchmark::DoNotOptimize(buildTableauSynthese(file, 0, doc).size());
    }
}
BENCHMARK(BM_BudgetSyntheseTwelveMonths)->Unit(benchmark::kMillisecond);

// The refusal's alert, answered at once and counted.
class CountedAlerts : public IAlerts {
public:
    int run(const AlertRequest&) override
    {
        ++count;
        return kAlertFirstButton;
    }
    long count = 0;
};

DOCUMENT& documentWithATransactionIn9999()
{
    static std::unique_ptr<DOCUMENT> doc = [] {
        std::unique_ptr<DOCUMENT> d = DocumentGenerator::generate(10000);
        TRANSACT typo = d->transact_array.last();
        dmyToDate(1, 1, 9999, &typo.when);
        d->transact_array.append(typo);
        return d;
    }();
    return *doc;
}

void runAllTransactions(benchmark::State& state, AnalyseType type)
{
    DOCUMENT& doc = documentWithATransactionIn9999();
    AnalyseConfiguration stored;
    anaConfigSetDefaults(&doc, stored);
    stored.modeDate = kModeDateNoLimit;
    CountedAlerts counted;
    installAlerts(&counted);
    for (auto _ : state) {
        AnalyseConfiguration conf = copyAnaConfig(stored);
        conf.assumeValideConfiguration(&doc);
        AnalyseFile file;
        initAnalyseFileWithConfiguration(file, doc, conf, QRectF());
        computeAnalyse(file, 0, type, 0, doc);
        benchmark::DoNotOptimize(file.dataStorage.totalMonths.dataTotalDossiers.totDeb);
        state.counters["columns"] = double(analyseNumberOfColumns(file));
    }
    installAlerts(nullptr);
    state.counters["alerts"] = double(counted.count);
}

void BM_AnalyseAllTransactionsOneIn9999(benchmark::State& state)
{
    runAllTransactions(state, AnalyseType::Analyse);
}
BENCHMARK(BM_AnalyseAllTransactionsOneIn9999)->Unit(benchmark::kMillisecond);

void BM_BudgetAllTransactionsOneIn9999(benchmark::State& state)
{
    runAllTransactions(state, AnalyseType::Budget);
}
BENCHMARK(BM_BudgetAllTransactionsOneIn9999)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
