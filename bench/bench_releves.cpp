// Recomputing every statement and balance, as a document's opening and each new day do, on
// generated documents: 40 accounts in 4 banks, 12 monthly statements each, transactions spread over
// the last year and a few weeks ahead.
#include "DocumentGenerator.h"
#include "document/DocumentSession.h"
#include "foundation/SystemClock.h"
#include "foundation/dates.h"
#include "model/DOCUMENT.h"
#include "model/ReleveCompute.h"
#include "model/TOOL.h"

#include <QRandomGenerator>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

constexpr long kBanques = 4;
constexpr long kComptes = 40;
constexpr long kReleves = 12;
constexpr double kDay = 86400.0;

std::unique_ptr<DOCUMENT> makeDocument(long transactions)
{
    auto doc = std::make_unique<DOCUMENT>(QString(), kFileSystemLocal);
    const double now = SystemClock::now();
    DocumentGenerator::addNumberedTools(*doc, kBanques, kComptes, false);
    for (TOOL& compte : doc->compteHdl) {
        for (long r = kReleves; r >= 1; --r) {
            RELEVE releve;
            releve.ident = r;
            releve.date = now - (kReleves - r) * 30 * kDay;
            compte.releves.append(releve);
        }
    }
    QRandomGenerator rng(42);
    auto draw = [&rng](long count) { return static_cast<long>(rng.bounded(quint32(count))); };
    doc->transact_array.reserve(transactions);
    for (long i = 0; i < transactions; ++i) {
        TRANSACT t;
        t.who1 = 1000 + draw(kComptes);
        t.who2 = 1000 + draw(kComptes);
        t.when = now - (draw(400) - 30) * kDay; // about one in thirteen lies ahead
        t.releveID1 = draw(10) < 7 ? 1 + draw(kReleves) : -1;
        t.releveID2 = draw(10) < 7 ? 1 + draw(kReleves) : -1;
        t.solde.values = {draw(100000) / 100.0, 0, 0, 0, 0};
        doc->transact_array.append(t);
    }
    return doc;
}

void BM_recomputeAllReleves(benchmark::State& state)
{
    auto doc = makeDocument(state.range(0));
    DocumentSession::adopt(*doc);
    for (auto _ : state) {
        recomputeAllReleves(doc.get(), QStringLiteral("kMessage_ComputeOpen"));
        benchmark::DoNotOptimize(doc->compteHdl[0].solde);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    DocumentSession::close();
}

// The same results account by account, one walk over the transactions per statement.
void BM_computeAllRelevesPerAccount(benchmark::State& state)
{
    auto doc = makeDocument(state.range(0));
    DocumentSession::adopt(*doc);
    for (auto _ : state) {
        for (TOOL& compte : doc->compteHdl)
            computeAllReleves(compte, QString(), doc.get());
        benchmark::DoNotOptimize(doc->compteHdl[0].solde);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    DocumentSession::close();
}

} // namespace

BENCHMARK(BM_recomputeAllReleves)->Arg(50000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_computeAllRelevesPerAccount)->Arg(50000)->Arg(100000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
