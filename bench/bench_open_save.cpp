// Opening (the program's whole opening without its windows: version gate, every member file loaded
// and repaired, the document's indexes built, every statement recomputed, the due pass) and saving
// (every member file written into the staging package, the folders copied, the packages swapped)
// of generated documents of 10,000 and 100,000 transactions, the latter also with 200 attached files of 20 to 500 KB.
// The preferences keep no backup, so that an opening copies no package, but for the one benchmark that measures the
// backup. Each benchmark also times pugixml alone parsing (open) or writing (save) the same files: counters "xml_ms"
// and "ratio". After the benchmarks, a fresh process opens each package and reports its peak memory against the size of
// its files.
//
// Run with "--probe-memory <package>" it only opens that package and prints its memory figures.
#include "DocumentGenerator.h"

#include "document/APPLIPARAM.h"
#include "document/DocumentSession.h"
#include "document/SVDocumentManager.h"
#include "foundation/xmlmember.h"
#include "model/DOCUMENT.h"
#include "model/TRANSACT.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMap>
#include <QPair>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <malloc.h>
#include <memory>

namespace {

QTemporaryDir* g_home = nullptr;

// The program's opening without windows: no package here has a password, and nothing is shown.
class Opening : public IOpeningShell {
public:
    bool askDocumentPassword(const BEFOREPARAM&, const QString&) override { return false; }
    void showOpenedDocument(DOCUMENT&, bool) override { }
};

std::unique_ptr<DOCUMENT> openPackage(const QString& url)
{
    Opening shell;
    std::unique_ptr<DOCUMENT> doc;
    DocumentSession::open(url, &doc, false, kFileSystemLocal, shell);
    return doc;
}

// Receipts of 20 to 500 KB stored in the package for the first attached files its transactions name,
// as a household that scans its receipts has.
void addAttachedFiles(const DOCUMENT& doc, const QString& url, long count)
{
    QString resources;
    packageResourcesURL(url, &resources);
    const QString folder = resources + QStringLiteral("/Documents");
    QDir().mkpath(folder);
    QRandomGenerator random(7);
    long written = 0;
    for (const TRANSACT& transact : doc.transact_array) {
        for (const AttachedDocument& attached : transact.attachedDocuments) {
            if (written == count)
                return;
            QByteArray bytes(random.bounded(20, 501) * 1024, Qt::Uninitialized);
            for (char& byte : bytes)
                byte = char(random.generate());
            QFile file(folder + QLatin1Char('/') + attached.docStoreName);
            if (file.open(QIODevice::WriteOnly))
                file.write(bytes);
            ++written;
        }
    }
}

QString packageFor(long transactions, long attachedFiles = 0)
{
    static QMap<QPair<long, long>, QString> packages;
    const QPair<long, long> key(transactions, attachedFiles);
    if (!packages.contains(key)) {
        const QString url = g_home->filePath(QStringLiteral("Bench%1-%2.svd").arg(transactions).arg(attachedFiles));
        auto doc = DocumentGenerator::generate(transactions);
        DocumentGenerator::writePackage(*doc, url);
        addAttachedFiles(*doc, url, attachedFiles);
        packages.insert(key, url);
    }
    return packages.value(key);
}

QStringList memberFiles(const QString& url)
{
    QString resources;
    packageResourcesURL(url, &resources);
    QStringList files;
    for (const QString& name : QDir(resources).entryList({QStringLiteral("*.xml")}, QDir::Files))
        files.append(resources + QLatin1Char('/') + name);
    return files;
}

// The best of three runs, in milliseconds.
template <typename Run> double bestOfThree(Run run)
{
    double best = 1e300;
    for (int i = 0; i < 3; ++i) {
        QElapsedTimer timer;
        timer.start();
        run();
        best = std::min(best, timer.nsecsElapsed() / 1e6);
    }
    return best;
}

double bareParseMs(const QString& url)
{
    const QStringList files = memberFiles(url);
    return bestOfThree([&files]() {
        for (const QString& file : files) {
            pugi::xml_document document;
            benchmark::DoNotOptimize(document.load_file(QFile::encodeName(file).constData()));
        }
    });
}

double bareWriteMs(const QString& url)
{
    std::vector<std::unique_ptr<pugi::xml_document>> documents;
    for (const QString& file : memberFiles(url)) {
        documents.push_back(std::make_unique<pugi::xml_document>());
        documents.back()->load_file(QFile::encodeName(file).constData());
    }
    const QString out = g_home->filePath(QStringLiteral("bare"));
    QDir().mkpath(out);
    return bestOfThree([&documents, &out]() {
        int k = 0;
        for (const auto& document : documents)
            document->save_file(QFile::encodeName(out + QStringLiteral("/%1.xml").arg(k++)).constData(), "",
                                pugi::format_raw, pugi::encoding_utf8);
    });
}

// "ratio" over every run; "first_ratio" for the first run alone and "again_ratio" for the runs after
// it, which find what the first one left (a previous backup, a package already saved).
void report(benchmark::State& state, const QList<double>& runsMs, double xmlMs, const QString& url)
{
    double total = 0;
    for (double ms : runsMs)
        total += ms;
    state.counters["xml_ms"] = xmlMs;
    state.counters["ratio"] = total / double(runsMs.size()) / xmlMs;
    state.counters["first_ratio"] = runsMs.value(0) / xmlMs;
    if (runsMs.size() > 1)
        state.counters["again_ratio"] = (total - runsMs.value(0)) / double(runsMs.size() - 1) / xmlMs;
    state.counters["files_MB"] = double(DocumentGenerator::memberFilesSize(url)) / 1e6;
}

void BM_OpenDocument(benchmark::State& state)
{
    const QString url = packageFor(state.range(0), state.range(1));
    QList<double> runs;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        std::unique_ptr<DOCUMENT> doc = openPackage(url);
        runs.append(timer.nsecsElapsed() / 1e6);
        if (!doc)
            state.SkipWithError("open failed");
        state.PauseTiming();
        DocumentSession::close(std::move(doc));
        state.ResumeTiming();
    }
    report(state, runs, bareParseMs(url), url);
}

// The same opening with the automatic backup the program makes by default: the backup shares the
// member files' bytes, so its cost should stay small against the parse ("ratio" against the bare
// pugixml parse, aim at most 1.3).
void BM_OpenDocumentWithBackup(benchmark::State& state)
{
    APPLIPARAM::loadAppliParam().nbSauvNew = 10;
    APPLIPARAM::saveAppliParam();
    BM_OpenDocument(state);
    APPLIPARAM::loadAppliParam().nbSauvNew = 0;
    APPLIPARAM::saveAppliParam();
}

// Saves of the document: the first one after the package was written, then saves with nothing
// changed; the staging package only links the attached files.
void BM_SaveDocument(benchmark::State& state)
{
    const QString url = g_home->filePath(QStringLiteral("Saved%1-%2.svd").arg(state.range(0)).arg(state.range(1)));
    auto doc = DocumentGenerator::generate(state.range(0));
    DocumentGenerator::writePackage(*doc, url);
    addAttachedFiles(*doc, url, state.range(1));
    QList<double> runs;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        bool saved = false;
        SVDocumentManager::defaultManager().saveDocument(
            doc.get(), url, {.useTempFolder = true, .doMessage = false}, [&saved]() { saved = true; }, nullptr);
        runs.append(timer.nsecsElapsed() / 1e6);
        if (!saved)
            state.SkipWithError("save failed");
    }
    report(state, runs, bareWriteMs(url), url);
}

long statusKb(const char* field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(qstrlen(field)).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

int probeMemory(const QString& url)
{
    const long before = statusKb("VmRSS:");
    const std::unique_ptr<DOCUMENT> doc = openPackage(url);
    // What the document itself holds, without the freed parse trees the allocator still keeps.
    malloc_trim(0);
    std::printf("%ld %ld %ld\n", before, statusKb("VmHWM:"), statusKb("VmRSS:"));
    return 0;
}

void reportMemory(const char* self)
{
    for (long n : {10000L, 100000L}) {
        const QString url = packageFor(n);
        QProcess probe;
        probe.start(QString::fromLocal8Bit(self), {QStringLiteral("--probe-memory"), url});
        probe.waitForFinished(-1);
        const QList<QByteArray> kb = probe.readAllStandardOutput().trimmed().split(' ');
        const double files = double(DocumentGenerator::memberFilesSize(url)) / 1e6;
        const double peak = (kb.value(1).toDouble() - kb.value(0).toDouble()) / 1e3;
        const double kept = (kb.value(2).toDouble() - kb.value(0).toDouble()) / 1e3;
        std::printf("memory of an open document of %ld transactions: peak +%.1f MB, kept +%.1f MB, "
                    "member files %.1f MB, peak / files %.2f\n",
                    n, peak, kept, files, peak / files);
    }
}

} // namespace

// Second argument: the attached files stored in the package.
BENCHMARK(BM_OpenDocument)->Args({10000, 0})->Args({100000, 0})->Args({100000, 200})->Unit(benchmark::kMillisecond);
// The first opening copies every attached file into the first backup; the next ones share them.
BENCHMARK(BM_OpenDocumentWithBackup)
    ->Args({100000, 0})
    ->Args({100000, 200})
    ->Iterations(4)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveDocument)
    ->Args({10000, 0})
    ->Args({100000, 0})
    ->Args({100000, 200})
    ->Iterations(4)
    ->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    // The save stages its package in the library folder: keep it away from the user's.
    QTemporaryDir home(QDir::tempPath() + QStringLiteral("/sorvbench-XXXXXX"));
    g_home = &home;
    setenv("XDG_DATA_HOME", QFile::encodeName(home.path()).constData(), 1);
    setenv("TZ", "Europe/Paris", 1);
    APPLIPARAM::loadAppliParam().nbSauvNew = 0;
    APPLIPARAM::saveAppliParam();
    if (argc == 3 && qstrcmp(argv[1], "--probe-memory") == 0)
        return probeMemory(QString::fromLocal8Bit(argv[2]));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    reportMemory(argv[0]);
    return 0;
}
