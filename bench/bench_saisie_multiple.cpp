// Changing many transactions at once in a document of 100,000, with the search listing of the
// busiest account open (about 62,000 rows) and the statement windows of two accounts: the multiple
// edit of 1,000 and 10,000 rows setting their category (window, replacements, statements, every
// open list brought up to date), the deletion of 1,000 selected rows, and "select all, delete" on
// the listing. Aims: 1,000 rows under 1 s, 10,000 under 5 s; every row of the listing under 1 s.
#include "DocumentGenerator.h"
#include "ScriptedModalRunner.h"

#include "toolkit/host/QtUiHost.h"
#include "transactions/FenEditSaisieMultipleController.h"
#include "transactions/FenListingSearchController.h"
#include "transactions/FenReleveController.h"

#include "document/APPLIPARAM.h"
#include "document/DocumentSession.h"
#include "engines/Critere.h"
#include "model/DOCUMENT.h"
#include "model/ReleveCompute.h"
#include "model/TOOL.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <array>
#include <functional>

namespace {

// Every question is answered with its second button (the delete question's "Oui").
class YesAlerts : public IAlertPresenter {
public:
    int show(const AlertRequest&) override { return kAlertSecondButton; }
};

struct Bench {
    Bench()
        : doc(DocumentGenerator::generate(100000))
    {
        auto modal = std::make_unique<ScriptedModalRunner>();
        runner = modal.get();
        host = makeQtUiHost(std::move(modal), std::make_unique<YesAlerts>());
        UiHost::install(host.get());
        APPLIPARAM& parameters = APPLIPARAM::loadAppliParam();
        parameters.doAnimations = false;
        parameters.doSounds = false;
        parameters.doSoundsTransact = false;
        parameters.automaticHeight = false;
        DocumentSession::adopt(*doc);
        gatherOnBusiestAccount();
        openWindows();
    }
    ~Bench()
    {
        for (FenTransListController* window : windows())
            window->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        DocumentSession::close();
        UiHost::install(nullptr);
    }

    // Five transactions in eight move their user's side to the first account, unticked, as a
    // household's current account holds most of its life.
    void gatherOnBusiestAccount()
    {
        for (const TOOL& tool : doc->compteHdl) {
            if (!TOOL::compteIDBelongToUser(tool.ident, doc.get()))
                continue;
            (compteID < 0 ? compteID : otherID) = tool.ident;
            if (otherID >= 0)
                break;
        }
        for (qsizetype i = 0; i < doc->transact_array.size(); ++i) {
            TRANSACT& t = doc->transact_array[i];
            if (i % 8 >= 5 || t.who1 == compteID || t.who2 == compteID)
                continue;
            if (TOOL::compteIDBelongToUser(t.who1, doc.get())) {
                t.who1 = compteID;
                t.releveID1 = -1;
            } else if (TOOL::compteIDBelongToUser(t.who2, doc.get())) {
                t.who2 = compteID;
                t.releveID2 = -1;
            }
        }
        recomputeAllReleves(doc.get());
    }

    void openWindows()
    {
        search = openListingSearch(*doc, Critere::makeToolCritere(true, compteID, -1, doc.get()), 0);
        first = openReleveWindow(compteID, false, 0, *doc);
        second = openReleveWindow(otherID, false, 0, *doc);
        for (FenTransListController* window : windows()) {
            window->window()->resize(1200, 760);
            window->window()->show();
        }
    }

    std::array<FenTransListController*, 3> windows() const { return {search, first, second}; }

    // Selects, in the search listing, its first rows that the multiple edit takes: stored
    // transactions without split lines or investment.
    void selectEditableRows(long count) const
    {
        QItemSelection selection;
        StdTableView* table = search->table1();
        for (const int row : editableRows(count))
            selection.select(table->model()->index(row, 0), table->model()->index(row, 0));
        table->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }
    IndexSet editableRows(long count) const
    {
        IndexSet rows;
        const LISTING* listing = search->listing();
        for (long row = 0; row < listingCount(listing) && long(rows.size()) < count; ++row) {
            StorageKind type = StorageKind::Transact;
            const TRANSACT* t = listingTransactAtIndex(listing, row, doc.get(), &type);
            if (t && type == StorageKind::Transact && t->nbMultis() == 0 && t->titreID < 0 && t->remunereID < 0
                && t->empruntID < 0)
                rows.insert(int(row));
        }
        return rows;
    }

    std::unique_ptr<DOCUMENT> doc;
    ScriptedModalRunner* runner = nullptr;
    std::unique_ptr<UiHost> host;
    long compteID = -1;
    long otherID = -1;
    FenListingSearchController* search = nullptr;
    FenReleveController* first = nullptr;
    FenReleveController* second = nullptr;
};

// The window opens on the rows, the category is chosen, OK: every row takes it, and the lists,
// totals and statements follow. Each iteration gives the rows the other of two categories.
void BM_MultipleEditCategory(benchmark::State& state)
{
    Bench bench;
    const long categories[] = {bench.doc->posteHdl[3].ident, bench.doc->posteHdl[4].ident};
    long turn = 0;
    bench.runner->user = [&](StdWindowController& window) {
        static_cast<FenEditSaisieMultipleController&>(window).entries().posteID = categories[turn % 2];
        window.perform(QStringLiteral("OUI:"));
    };
    for (auto _ : state) {
        state.PauseTiming();
        bench.selectEditableRows(state.range(0));
        state.ResumeTiming();
        bench.search->EDIT(nullptr);
        ++turn;
    }
    state.counters["rows"] = double(bench.search->table1()->selectedRowIndexes().size());
    state.counters["listed"] = double(listingCount(bench.search->listing()));
}
BENCHMARK(BM_MultipleEditCategory)->Arg(1000)->Arg(10000)->Iterations(1)->Unit(benchmark::kMillisecond);

// The rows selected in the search listing and deleted after the question.
void BM_DeleteRows(benchmark::State& state)
{
    Bench bench;
    for (auto _ : state) {
        state.PauseTiming();
        bench.selectEditableRows(state.range(0));
        state.ResumeTiming();
        bench.search->EFFACER(nullptr);
    }
    state.counters["listed"] = double(listingCount(bench.search->listing()));
}
BENCHMARK(BM_DeleteRows)->Arg(1000)->Iterations(1)->Unit(benchmark::kMillisecond);

// Every row of the search listing selected and deleted: each open list follows a batch of tens of
// thousands of deletions.
void BM_DeleteAllRows(benchmark::State& state)
{
    Bench bench;
    long deleted = 0;
    for (auto _ : state) {
        state.PauseTiming();
        bench.search->table1()->selectAll();
        const long before = long(bench.doc->transact_array.size());
        state.ResumeTiming();
        bench.search->EFFACER(nullptr);
        deleted = before - long(bench.doc->transact_array.size());
    }
    state.counters["deleted"] = double(deleted);
    state.counters["listed"] = double(listingCount(bench.search->listing()));
}
BENCHMARK(BM_DeleteAllRows)->Iterations(1)->Unit(benchmark::kMillisecond);

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
