// Building, re-sorting and balancing the listing of a whole generated document, as the list
// windows do: 40 accounts in 4 banks, 60 categories, one transaction in twenty split, a reference
// on half of them, dates over two years with many on the same day.
#include "DocumentGenerator.h"
#include "engines/LISTING.h"
#include "model/DOCUMENT.h"
#include "model/TOOL.h"

#include <QRandomGenerator>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

constexpr long kBanques = 4;
constexpr long kComptes = 40;
constexpr long kPostes = 60;
constexpr double kDay = 86400.0;

std::unique_ptr<DOCUMENT> makeDocument(long transactions)
{
    auto doc = std::make_unique<DOCUMENT>(QString(), kFileSystemLocal);
    DocumentGenerator::addNumberedTools(*doc, kBanques, kComptes, true);
    for (long p = 0; p < kPostes; ++p) {
        POSTE poste;
        poste.ident = 2 + p;
        poste.dossierID = 1;
        poste.nom = QStringLiteral("Catégorie %1").arg(p * 7919 % kPostes);
        doc->posteHdl.append(poste);
    }
    QRandomGenerator rng(42);
    auto draw = [&rng](long count) { return static_cast<long>(rng.bounded(quint32(count))); };
    doc->transact_array.reserve(transactions);
    for (long i = 0; i < transactions; ++i) {
        TRANSACT t;
        t.who1 = 1000 + draw(kComptes);
        t.who2 = 1000 + draw(kComptes);
        t.when = 700000000.0 + draw(730) * kDay + draw(4) * 3600.0;
        t.solde.values = {draw(100000) / 100.0, 0, 0, 0, 0};
        t.posteID = 2 + draw(kPostes);
        t.moyen = static_cast<int>(draw(13));
        if (draw(2) == 0)
            t.ref = QString::number(draw(5000));
        if (draw(20) == 0) {
            t.addMultiWithPosteID(2 + draw(kPostes), t.solde, QString());
            t.addMultiWithPosteID(2 + draw(kPostes), MONTANT(), QString());
        }
        doc->transact_array.append(t);
    }
    return doc;
}

constexpr long kSize = 100000;

DOCUMENT& sharedDocument()
{
    static std::unique_ptr<DOCUMENT> doc = makeDocument(kSize);
    return *doc;
}

// The benchmark's range is the kind's stored integer.
std::unique_ptr<LISTING> buildListing(long sort, const DOCUMENT& doc)
{
    auto listing = newListing(static_cast<ListingSort>(sort));
    listing->posList.reserve(doc.transact_array.size());
    listingBeginBulkInsert(listing.get());
    for (long i = 0; i < doc.transact_array.size(); ++i) {
        const TRANSACT& t = doc.transact_array[i];
        listingInsertPositionSorted({.transact = &t, .storageIndex = i, .date1 = t.when, .date2 = t.when},
                                    listing.get(), &doc);
    }
    listingEndBulkInsert(listing.get(), &doc);
    return listing;
}

// Every transaction of the document into a listing of that kind, sorted once.
void BM_buildListing(benchmark::State& state)
{
    const DOCUMENT& doc = sharedDocument();
    for (auto _ : state) {
        auto listing = buildListing(state.range(0), doc);
        benchmark::DoNotOptimize(listing->posList.data());
    }
    state.SetItemsProcessed(state.iterations() * kSize);
}

void BM_listingResort(benchmark::State& state)
{
    const DOCUMENT& doc = sharedDocument();
    auto listing = buildListing(2, doc);
    auto sort = ListingSort::Date1;
    for (auto _ : state) {
        listingResort(listing.get(), sort, -1, -1, &doc);
        sort = sort == ListingSort::Date1 ? static_cast<ListingSort>(state.range(0)) : ListingSort::Date1;
        benchmark::DoNotOptimize(listing->posList.data());
    }
    state.SetItemsProcessed(state.iterations() * kSize);
}

// Running balances of one account (range 0) or of the user's own accounts (range 1).
void BM_listingComputeCumuls(benchmark::State& state)
{
    const DOCUMENT& doc = sharedDocument();
    auto listing = buildListing(2, doc);
    const long compteID = state.range(0) == 0 ? 1005 : -1;
    for (auto _ : state) {
        listingComputeCumuls(listing.get(), compteID, MONTANT(), &doc);
        benchmark::DoNotOptimize(listing->posList[0].cumul);
    }
    state.SetItemsProcessed(state.iterations() * kSize);
}

// The one-by-one insertion the bulk path replaces, on a tenth of the rows.
void BM_insertOneByOne(benchmark::State& state)
{
    const DOCUMENT& doc = sharedDocument();
    const long count = kSize / 10;
    for (auto _ : state) {
        auto listing = newListing(static_cast<ListingSort>(state.range(0)));
        for (long i = 0; i < count; ++i) {
            const TRANSACT& t = doc.transact_array[i];
            listingInsertPositionSorted({.transact = &t, .storageIndex = i, .date1 = t.when, .date2 = t.when},
                                        listing.get(), &doc);
        }
        benchmark::DoNotOptimize(listing->posList.data());
    }
    state.SetItemsProcessed(state.iterations() * count);
}

} // namespace

BENCHMARK(BM_buildListing)->Arg(1)->Arg(2)->Arg(3)->Arg(5)->Arg(7)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_listingResort)->Arg(3)->Arg(7)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_listingComputeCumuls)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_insertOneByOne)->Arg(2)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
