// The windows of the whole on a document of 100,000 transactions, opened as their commands open
// them and painted once, offscreen: the analysis window and the budget window on the document's
// last configuration, the graph window on the default category (its editor answered OK at once)
// and the balance sheet. Aim: each under 300 ms, the computation it runs included.
#include "DocumentGenerator.h"

#include "analysis/FenAnalyseController.h"
#include "analysis/FenBudgetController.h"
#include "graphs/FenBilanController.h"
#include "graphs/FenGraphiqueController.h"
#include "toolkit/host/QtUiHost.h"

#include "document/APPLIPARAM.h"
#include "document/DocumentSession.h"
#include "model/AnalyseConfiguration.h"
#include "model/DOCPARAM.h"
#include "model/DOCUMENT.h"
#include "model/GRAPH.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

// Every dialog is confirmed as soon as it runs: the graph's editor stands for the user's OK.
class ConfirmingRunner : public IModalRunner {
public:
    int run(const ModalRequest&) override { return 1; }
    void endModal(QWidget*, int) override { }
    int depth() const override { return 0; }
    QWidget* modalWindow() const override { return nullptr; }
};

std::unique_ptr<UiHost> makeHost()
{
    return makeQtUiHost(std::make_unique<ConfirmingRunner>());
}

// A configuration of the whole history by month, beside the document's own (this year).
const QString kHistory = QStringLiteral("Toute l'histoire");

// The program's opening without its windows: no password, nothing shown.
class Opening : public IOpeningShell {
public:
    bool askDocumentPassword(const BEFOREPARAM&, const QString&) override { return false; }
    void showOpenedDocument(DOCUMENT&, bool) override { }
};

// The document written as a package and opened from it, as the user's is.
struct Bench {
    explicit Bench(const QString& url)
        : host(makeHost())
    {
        UiHost::install(host.get());
        APPLIPARAM& parameters = APPLIPARAM::loadAppliParam();
        parameters.nbSauvNew = 0;
        parameters.doSounds = false;
        APPLIPARAM::saveAppliParam();
        std::unique_ptr<DOCUMENT> generated = DocumentGenerator::generate(100000);
        DocumentGenerator::writePackage(*generated, url);
        generated.reset();
        Opening shell;
        DocumentSession::open(url, &doc, false, kFileSystemLocal, shell);
        if (doc && !doc->anadefHdl.isEmpty()) {
            AnalyseConfiguration history = copyAnaConfig(doc->anadefHdl.first());
            history.nom = kHistory;
            history.modeDate = kModeDateNoLimit;
            history.showMonth = true;
            doc->anadefHdl.append(history);
        }
    }
    ~Bench()
    {
        DocumentSession::close(std::move(doc));
        UiHost::install(nullptr);
    }
    Bench(const Bench&) = delete;
    Bench& operator=(const Bench&) = delete;

    std::unique_ptr<UiHost> host;
    std::unique_ptr<DOCUMENT> doc;
};

Bench* g_bench = nullptr;

// Opens the window, paints it whole, and closes it out of the timing.
template <typename Open> void measure(benchmark::State& state, Open open)
{
    Bench& b = *g_bench;
    for (auto _ : state) {
        StdWindowController* controller = open(*b.doc);
        if (!controller || !controller->window()) {
            state.SkipWithError("window not opened");
            break;
        }
        controller->window()->show();
        // What the opening left queued (the height fitted to the rows) runs before the paint.
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(controller->window()->grab());
        state.PauseTiming();
        controller->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
}

// Argument 0: the document's last configuration (this year); 1: the whole history by month.
QString configurationName(const DOCUMENT& doc, int64_t which)
{
    return which == 0 ? doc.docParam->lastConfAnalyse : kHistory;
}

void BM_OpenAnalyseWindow(benchmark::State& state)
{
    measure(state, [&state](DOCUMENT& doc) -> StdWindowController* {
        return openNewAnalyseWindow(doc, configurationName(doc, state.range(0)), 0, std::nullopt, true);
    });
}
BENCHMARK(BM_OpenAnalyseWindow)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_OpenBudgetWindow(benchmark::State& state)
{
    measure(state, [&state](DOCUMENT& doc) -> StdWindowController* {
        return openBudgetWindow(doc, configurationName(doc, state.range(0)), 0, std::nullopt, true);
    });
}
BENCHMARK(BM_OpenBudgetWindow)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_OpenGraphWindow(benchmark::State& state)
{
    measure(state, [](DOCUMENT& doc) -> StdWindowController* {
        return openGraphiqueWindow(nullptr, true, kGraphModePoste, DOCPARAM::getDefaultPoste(&doc), doc, 0);
    });
}
BENCHMARK(BM_OpenGraphWindow)->Unit(benchmark::kMillisecond);

void BM_OpenBilan(benchmark::State& state)
{
    measure(state, [](DOCUMENT&) -> StdWindowController* { return FenBilanController::openBilan(0, true); });
}
BENCHMARK(BM_OpenBilan)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    // Offscreen unless a display is named, to measure on a desktop too.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The library folders (the program's parameters) stay away from the user's.
    QTemporaryDir home(QDir::tempPath() + QStringLiteral("/sorvbench-XXXXXX"));
    setenv("XDG_DATA_HOME", QFile::encodeName(home.path()).constData(), 1);
    QApplication app(argc, argv);
    Bench bench(home.filePath(QStringLiteral("Foyer.svd")));
    if (!bench.doc)
        return 1;
    g_bench = &bench;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
