// The statement window of one account holding 50,000 transactions, none ticked yet: opening it
// (its searches, its statements' list and the first paint), and ticking 1,000 unticked rows onto
// a statement at once, as a drag does (the tick, the statements' recomputation and the unticked
// list rebuilt). Aims: opening under 300 ms, a tick of 1,000 rows under 200 ms.
#include "DocumentGenerator.h"

#include "toolkit/host/QtUiHost.h"
#include "transactions/FenReleveController.h"

#include "document/APPLIPARAM.h"
#include "document/DocumentSession.h"
#include "foundation/SystemClock.h"
#include "model/DOCUMENT.h"
#include "model/ReleveCompute.h"
#include "model/TOOL.h"

#include <QApplication>
#include <QItemSelectionModel>

#include <benchmark/benchmark.h>

namespace {

constexpr long kTransactions = 50000;

struct Bench {
    Bench()
        : host(makeQtUiHost())
        , doc(DocumentGenerator::generate(kTransactions))
    {
        UiHost::install(host.get());
        APPLIPARAM& parameters = APPLIPARAM::loadAppliParam();
        parameters.doAnimations = false;
        parameters.doSounds = false;
        parameters.automaticHeight = false;
        DocumentSession::adopt(*doc);
        gatherOnOneAccount();
    }
    ~Bench()
    {
        DocumentSession::close();
        UiHost::install(nullptr);
    }

    // Every transaction's own side moves to the first account of the user, unticked; the account
    // keeps its statements.
    void gatherOnOneAccount()
    {
        for (const TOOL& tool : doc->compteHdl) {
            if (TOOL::compteIDBelongToUser(tool.ident, doc.get())) {
                compteID = tool.ident;
                break;
            }
        }
        for (TRANSACT& t : doc->transact_array) {
            if (TOOL::compteIDBelongToUser(t.who1, doc.get())) {
                t.who1 = compteID;
                t.releveID1 = -1;
            } else {
                t.who2 = compteID;
                t.releveID2 = -1;
            }
        }
        // A statement of today, newest and open, to tick onto.
        TOOL* compte = getTool(kToolCompte, compteID, doc.get());
        compte->locked_releve_to_date = 0;
        RELEVE releve;
        releve.initForCompte(compte);
        releve.ident = compte->newReleveID();
        releve.date = SystemClock::now();
        long index = 0;
        compte->appendReleve(releve, &index, doc.get());
        recomputeAllReleves(doc.get());
    }

    FenReleveController* open()
    {
        FenReleveController* w = openReleveWindow(compteID, false, 0, *doc);
        w->window()->resize(1400, 760);
        w->window()->show();
        benchmark::DoNotOptimize(w->table1()->viewport()->grab());
        return w;
    }
    static void close(FenReleveController* w)
    {
        w->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    std::unique_ptr<UiHost> host;
    std::unique_ptr<DOCUMENT> doc;
    long compteID = -1;
};

void BM_OpenReleveWindow(benchmark::State& state)
{
    Bench bench;
    for (auto _ : state) {
        FenReleveController* w = bench.open();
        state.PauseTiming();
        state.counters["unticked"] = double(listingCount(w->listing()));
        Bench::close(w);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenReleveWindow)->Unit(benchmark::kMillisecond);

void BM_TickThousandRows(benchmark::State& state)
{
    Bench bench;
    FenReleveController* w = bench.open();
    for (auto _ : state) {
        state.PauseTiming();
        w->table2()->GO(kRowNonPointees);
        QItemSelection rows(w->table1()->model()->index(0, 0), w->table1()->model()->index(999, 0));
        w->table1()->selectionModel()->select(rows, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        state.ResumeTiming();
        w->dragRowsFromIndexes({}, kFirstReleveRow);
    }
    state.counters["unticked"] = double(listingCount(w->listing()));
    Bench::close(w);
}
BENCHMARK(BM_TickThousandRows)->Iterations(5)->Unit(benchmark::kMillisecond);

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
