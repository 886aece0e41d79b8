// The transaction list on a document of 100,000 transactions: opening the window on every
// transaction (the search, the model and the first paint of its rows), re-sorting it by each sort
// kind with some rows selected, and scrolling it by one page. Aims: opening under 150 ms, a
// re-sort under 100 ms, a page under a frame (16 ms).
#include "DocumentGenerator.h"

#include "toolkit/host/QtUiHost.h"
#include "transactions/FenTransListController.h"

#include "document/APPLIPARAM.h"
#include "document/DocumentSession.h"
#include "engines/SearchEngine.h"
#include "model/DOCUMENT.h"

#include <QApplication>
#include <QScrollBar>

#include <benchmark/benchmark.h>

namespace {

struct Bench {
    explicit Bench(long transactions)
        : host(makeQtUiHost())
        , doc(DocumentGenerator::generate(transactions))
    {
        UiHost::install(host.get());
        APPLIPARAM& parameters = APPLIPARAM::loadAppliParam();
        parameters.doAnimations = false;
        parameters.doSounds = false;
        parameters.automaticHeight = false;
        DocumentSession::adopt(*doc);
    }
    ~Bench()
    {
        DocumentSession::close();
        UiHost::install(nullptr);
    }

    // Every transaction of the document with the schedules' and forecasts' occurrences, in the
    // default sort, shown and painted once.
    FenTransListController* open()
    {
        TransListOpening opening;
        opening.critere.computeCritere();
        opening.listing = searchWithCritere({.critere = &opening.critere,
                                             .futurCritere = &opening.critere,
                                             .doEcheanciers = true,
                                             .doPrevisions = true,
                                             .doc = doc.get(),
                                             .sort = ListingSort::Date2,
                                             .doCumuls = true});
        opening.appear = false;
        opening.doc = doc.get();
        FenTransListController* list = openTransListWindow(std::move(opening));
        list->window()->resize(1100, 760);
        list->window()->show();
        benchmark::DoNotOptimize(list->table1()->viewport()->grab());
        return list;
    }
    static void close(FenTransListController* list)
    {
        list->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    std::unique_ptr<UiHost> host;
    std::unique_ptr<DOCUMENT> doc;
};

void BM_OpenTransList(benchmark::State& state)
{
    Bench bench(state.range(0));
    for (auto _ : state) {
        FenTransListController* list = bench.open();
        state.PauseTiming();
        state.counters["rows"] = double(listingCount(list->listing()));
        Bench::close(list);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenTransList)->Arg(100000)->Unit(benchmark::kMillisecond);

// Each sort kind from the one before, three rows selected and kept selected.
void BM_ResortTransList(benchmark::State& state)
{
    Bench bench(100000);
    FenTransListController* list = bench.open();
    StdTableView* table = list->table1();
    const auto kind = ListingSort(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        list->sortBy(kind == ListingSort::Date2 ? ListingSort::Date1 : ListingSort::Date2);
        for (const int row : {10, 5000, 40000})
            table->selectionModel()->select(table->model()->index(row, 0),
                                            QItemSelectionModel::Select | QItemSelectionModel::Rows);
        state.ResumeTiming();
        list->sortBy(kind);
        benchmark::DoNotOptimize(table->viewport()->grab());
    }
    Bench::close(list);
}
BENCHMARK(BM_ResortTransList)->DenseRange(1, 9)->Unit(benchmark::kMillisecond);

void BM_ScrollTransListPage(benchmark::State& state)
{
    Bench bench(100000);
    FenTransListController* list = bench.open();
    QScrollBar* bar = list->table1()->verticalScrollBar();
    for (auto _ : state) {
        bar->setValue(bar->value() + bar->pageStep() > bar->maximum() ? 0 : bar->value() + bar->pageStep());
        benchmark::DoNotOptimize(list->table1()->viewport()->grab());
    }
    Bench::close(list);
}
BENCHMARK(BM_ScrollTransListPage)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
