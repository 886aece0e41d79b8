// The search on a generated document of 100,000 transactions, as the windows and the import run
// it: one account's listing with its running balances (alone, and with schedule and forecast
// occurrences and the realised amounts of the forecasts), and the import's duplicate test for
// 1,000 imported rows. 40 accounts in 4 banks, 60 categories, dates over two years; "now" is
// held in the middle of them so that forecast periods are still open.
#include "DocumentGenerator.h"
#include "document/DocumentSession.h"
#include "engines/SearchEngine.h"
#include "foundation/SystemClock.h"
#include "model/DOCPARAM.h"
#include "model/DOCUMENT.h"
#include "model/TOOL.h"

#include <QRandomGenerator>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

constexpr long kBanques = 4;
constexpr long kComptes = 40;
constexpr long kPostes = 60;
constexpr long kSize = 100000;
constexpr long kImportRows = 1000;
constexpr double kDay = 86400.0;
constexpr double kFirstDay = 700000000.0;
constexpr long kCompte = 1005;

void addEntities(DOCUMENT& doc)
{
    doc.docParam = std::make_unique<DOCPARAM>();
    doc.docParam->defaultDocParam();
    doc.deviseHdl = Devise::defaultDevises();
    DocumentGenerator::addNumberedTools(doc, kBanques, kComptes, true);
    for (long p = 0; p < kPostes; ++p)
        doc.posteHdl.append(POSTE {.ident = 2 + p, .dossierID = 1, .nom = QStringLiteral("Catégorie %1").arg(p)});
}

// Ten monthly schedules and ten monthly forecasts on the benchmarked account.
void addOccurrences(DOCUMENT& doc)
{
    for (long i = 0; i < 10; ++i) {
        TRANSACT model;
        model.who1 = kCompte;
        model.who2 = 1000 + i;
        model.posteID = 2 + i;
        model.when = kFirstDay + i * kDay;
        model.solde.values = {100.0 + i, 0, 0, 0, 0};
        ECHEANCIER echeancier;
        echeancier.ident = 1 + i;
        echeancier.transact = model;
        echeancier.planificator = Planificator(model.when, Planificator::kTypeEcheancier);
        echeancier.planificator.permanent = true;
        doc.echeancierHdl.append(echeancier);
        Prevision prevision;
        prevision.ident = 100 + i;
        prevision.transact = model;
        prevision.planificator = Planificator(model.when, Planificator::kTypePrevision);
        prevision.planificator->permanent = true;
        doc.previsionsArray.append(prevision);
    }
}

std::unique_ptr<DOCUMENT> makeDocument()
{
    auto doc = std::make_unique<DOCUMENT>(QString(), kFileSystemLocal);
    addEntities(*doc);
    addOccurrences(*doc);
    QRandomGenerator rng(42);
    auto draw = [&rng](long count) { return static_cast<long>(rng.bounded(quint32(count))); };
    doc->transact_array.reserve(kSize);
    for (long i = 0; i < kSize; ++i) {
        TRANSACT t;
        t.who1 = 1000 + draw(kComptes);
        t.who2 = 1000 + draw(kComptes);
        t.when = kFirstDay + draw(730) * kDay + draw(12) * 3600.0;
        t.solde.values = {draw(100000) / 100.0, 0, 0, 0, 0};
        t.posteID = 2 + draw(kPostes);
        t.whyImport = QStringLiteral("CB MAGASIN %1 FACT %2").arg(draw(300)).arg(draw(10000));
        if (draw(20) == 0) {
            t.addMultiWithPosteID(2 + draw(kPostes), t.solde, QString());
            t.addMultiWithPosteID(2 + draw(kPostes), MONTANT(), QString());
        }
        doc->transact_array.append(t);
    }
    return doc;
}

DOCUMENT& sharedDocument()
{
    static std::unique_ptr<DOCUMENT> doc = makeDocument();
    return *doc;
}

void prepare()
{
    SystemClock::setNowForTesting(kFirstDay + 365 * kDay);
    DocumentSession::adopt(sharedDocument());
}

// Range 0: transactions only; 1: with schedule and forecast occurrences up to the latest
// transaction and the forecasts' realised amounts.
void BM_searchAccountWithCumuls(benchmark::State& state)
{
    prepare();
    const DOCUMENT& doc = sharedDocument();
    const Critere critere = Critere::makeToolCritere(true, kCompte, -1, &doc);
    const bool occurrences = state.range(0) == 1;
    long rows = 0;
    for (auto _ : state) {
        auto listing = searchWithCritere({.critere = &critere,
                                          .futurCritere = occurrences ? &critere : nullptr,
                                          .doEcheanciers = occurrences,
                                          .doPrevisions = occurrences,
                                          .doc = &doc,
                                          .sort = ListingSort::Date2,
                                          .doCumuls = true});
        rows = listingCount(listing.get());
        benchmark::DoNotOptimize(listing->posList.data());
    }
    state.counters["rows"] = static_cast<double>(rows);
    state.SetItemsProcessed(state.iterations() * kSize);
}

// Rows of an import: half of them repeat a transaction of the document, half are new.
QList<TRANSACT> importRows(const DOCUMENT& doc)
{
    QRandomGenerator rng(7);
    QList<TRANSACT> rows;
    for (long i = 0; i < kImportRows; ++i) {
        TRANSACT row = doc.transact_array.at(static_cast<long>(rng.bounded(quint32(kSize))));
        if (i % 2 == 1)
            row.whyImport = QStringLiteral("VIR NOUVEAU %1").arg(i);
        rows.append(row);
    }
    return rows;
}

// The index is made once per import, then asked for each row.
void BM_importDuplicates(benchmark::State& state)
{
    prepare();
    const DOCUMENT& doc = sharedDocument();
    const QList<TRANSACT> rows = importRows(doc);
    long found = 0;
    for (auto _ : state) {
        ImportDuplicateIndex index(&doc);
        found = 0;
        for (const TRANSACT& row : rows)
            found += index.importTransactExists(row);
    }
    state.counters["duplicates"] = static_cast<double>(found);
    state.SetItemsProcessed(state.iterations() * kImportRows);
}

// The same question as a whole search of the document, for a few rows: what the index saves.
void BM_importDuplicatesFullSearch(benchmark::State& state)
{
    prepare();
    const DOCUMENT& doc = sharedDocument();
    const QList<TRANSACT> rows = importRows(doc).mid(0, 20);
    for (auto _ : state) {
        long found = 0;
        for (const TRANSACT& row : rows)
            found += importTransactExists(row, &doc);
        benchmark::DoNotOptimize(found);
    }
    state.SetItemsProcessed(state.iterations() * rows.size());
}

} // namespace

BENCHMARK(BM_searchAccountWithCumuls)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_importDuplicates)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_importDuplicatesFullSearch)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
