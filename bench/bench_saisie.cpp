// The entry of one transaction in a document of 100,000: opening the entry window on it (built,
// filled, closed), and storing the transaction it accepts (make, the statements of both accounts,
// the broadcast to the windows). The store must stay well under a frame (16 ms).
#include "DocumentGenerator.h"
#include "ScriptedModalRunner.h"

#include "toolkit/host/QtUiHost.h"
#include "transactions/FenEditSaisieController.h"
#include "transactions/SaisieRoutine.h"

#include "document/APPLIPARAM.h"
#include "document/DocumentSession.h"
#include "model/DOCUMENT.h"
#include "model/ITransactionWindows.h"
#include "model/MACRO.h"
#include "model/TransactOps.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <functional>

namespace {

struct BenchHost {
    BenchHost()
    {
        auto modal = std::make_unique<ScriptedModalRunner>();
        runner = modal.get();
        host = makeQtUiHost(std::move(modal));
        UiHost::install(host.get());
        APPLIPARAM& parameters = APPLIPARAM::loadAppliParam();
        parameters.doAnimations = false;
        parameters.doSounds = false;
        parameters.doSoundsOpen = false;
        parameters.doSoundsClose = false;
        parameters.doSoundsTransact = false;
    }
    ~BenchHost() { UiHost::install(nullptr); }

    ScriptedModalRunner* runner = nullptr;
    std::unique_ptr<UiHost> host;
};

// The generated document, open as the current one.
struct OpenDocument {
    explicit OpenDocument(long transactions)
        : doc(DocumentGenerator::generate(transactions))
    {
        DocumentSession::adopt(*doc);
    }
    ~OpenDocument() { DocumentSession::close(); }

    // A new expense on the first user account, as the entry window would hand it over.
    TRANSACT expense() const
    {
        TRANSACT t = TRANSACT::allocNewTransact(doc.get());
        t.who1 = doc->compteHdl.front().ident;
        t.who2 = doc->compteHdl.back().ident;
        t.moyen = 7;
        t.solde.makeMontant(0, 42.5, doc->deviseHdl);
        return t;
    }

    std::unique_ptr<DOCUMENT> doc;
};

void BM_OpenSaisieWindow(benchmark::State& state)
{
    BenchHost bench;
    OpenDocument open(state.range(0));
    bench.runner->user = [](StdWindowController& window) { window.perform(QStringLiteral("NON:")); };
    SaisieRequest request;
    request.fam = 11;
    request.ident = open.doc->compteHdl.front().ident;
    request.forReal = true;
    for (auto _ : state)
        benchmark::DoNotOptimize(openSaisieTransact(nullptr, request));
}
BENCHMARK(BM_OpenSaisieWindow)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_StoreOneTransaction(benchmark::State& state)
{
    OpenDocument open(state.range(0));
    const TRANSACT trans = open.expense();
    for (auto _ : state) {
        long index = -1;
        benchmark::DoNotOptimize(makeTransact(trans, &index, open.doc.get(), true, true));
        state.PauseTiming();
        deleteTransact(index, open.doc.get(), false, false);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StoreOneTransaction)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// The whole entry: the window opened, an amount typed and OK pressed, the transaction stored.
void BM_EnterOneTransaction(benchmark::State& state)
{
    BenchHost bench;
    OpenDocument open(state.range(0));
    bench.runner->user = [](StdWindowController& window) { window.perform(QStringLiteral("OUI:")); };
    MACRO macro;
    macro.transact = open.expense();
    SaisieRequest request;
    request.macro = &macro;
    request.fam = macro.transact->moyen;
    const long before = open.doc->transact_array.size();
    for (auto _ : state)
        benchmark::DoNotOptimize(openSaisieTransact(nullptr, request));
    state.counters["stored"] = double(open.doc->transact_array.size() - before);
}
BENCHMARK(BM_EnterOneTransaction)->Arg(100000)->Unit(benchmark::kMillisecond);

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
