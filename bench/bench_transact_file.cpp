// Saving and loading "transact.xml", as every save and every opening of a document do, on
// generated documents of 10,000 and 100,000 transactions: labels and references on all, notes on
// one in five, split lines on one in ten, an attached file on one in fifty.
#include "foundation/SystemClock.h"
#include "model/DOCUMENT.h"
#include "model/TransactFile.h"

#include <QDir>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

constexpr double kDay = 86400.0;

TRANSACT makeTransact(QRandomGenerator& rng, double now, long i)
{
    auto draw = [&rng](long count) { return static_cast<long>(rng.bounded(quint32(count))); };
    TRANSACT t = TRANSACT::allocNewTransact(nullptr);
    t.when = now - static_cast<double>(draw(3650)) * kDay;
    t.planifiedDate = t.when;
    t.who1 = 1000 + draw(40);
    t.who2 = 1000 + draw(40);
    t.releveID1 = draw(10) < 7 ? 1 + draw(12) : -1;
    t.moyen = static_cast<int>(draw(13));
    t.posteID = 2 + draw(200);
    t.devise = draw(2);
    const double value = static_cast<double>(draw(1000000)) / 100.0;
    t.solde.values = {value, value * 6.55957, 0, 0, 0};
    t.why = QStringLiteral("Achat numéro %1 chez le commerçant").arg(i);
    t.ref = QStringLiteral("CHQ%1").arg(1000 + i);
    if (i % 5 == 0)
        t.note = QStringLiteral("Première ligne de la note\nseconde ligne & fin");
    if (i % 10 == 0) {
        MONTANT half;
        half.values = {value / 2, value * 6.55957 / 2, 0, 0, 0};
        t.addMultiWithPosteID(3, half, QStringLiteral("moitié"));
        t.addMultiWithPosteID(4, half, QString());
    }
    if (i % 50 == 0)
        t.attachedDocuments.append({QStringLiteral("Facture"), QStringLiteral("Facture_%1.pdf").arg(i), QString()});
    return t;
}

std::unique_ptr<DOCUMENT> makeDocument(long transactions)
{
    auto doc = std::make_unique<DOCUMENT>(QString(), kFileSystemLocal);
    doc->deviseHdl = Devise::defaultDevises();
    doc->deviseHdl[1].used = true;
    QRandomGenerator rng(42);
    const double now = SystemClock::now();
    doc->transact_array.reserve(transactions);
    for (long i = 0; i < transactions; ++i)
        doc->transact_array.append(makeTransact(rng, now, i));
    return doc;
}

QString makePackage(const QTemporaryDir& dir)
{
    const QString url = dir.filePath(QStringLiteral("bench.svd"));
    QDir().mkpath(url);
    createPackageResources(url, nullptr, nullptr);
    return url;
}

void BM_saveDataTransact(benchmark::State& state)
{
    auto doc = makeDocument(state.range(0));
    QTemporaryDir dir;
    const QString url = makePackage(dir);
    for (auto _ : state) {
        const bool saved = saveDataTransact(url, *doc);
        benchmark::DoNotOptimize(saved);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_loadDataTransact(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString url = makePackage(dir);
    {
        auto doc = makeDocument(state.range(0));
        saveDataTransact(url, *doc);
    }
    for (auto _ : state) {
        LoadIssues issues;
        TransactList list = loadDataTransact(url, &issues);
        benchmark::DoNotOptimize(list.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

} // namespace

BENCHMARK(BM_saveDataTransact)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_loadDataTransact)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
