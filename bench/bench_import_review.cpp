// A bank file of 50,000 records (QIF, then OFX) imported from the statement window of an account
// of a document of 100,000 transactions, through the real windows and their modal runs: the review
// opens, is leafed to the last record and back, is accepted; the question that follows is answered
// yes, the entry window of the first record answers "import all", and the run goes to its end.
// Counters: the review's opening, its slowest leaf, the acceptance (OK to the next question), and
// the whole import (the iteration's time). Aims: each action under 0.5 s, the import under 5 s.
#include "DocumentGenerator.h"

#include "app/ImportWindowServices.h"
#include "toolkit/host/QtUiHost.h"
#include "toolkit/tables/StdTableView.h"
#include "toolkit/windows/StdWindow.h"
#include "transactions/FenReleveController.h"

#include "document/APPLIPARAM.h"
#include "document/DocumentSession.h"
#include "import/ImportManager.h"
#include "import/ImportParserOFX.h"
#include "import/ImportParserQIF.h"
#include "model/DOCUMENT.h"
#include "model/TOOL.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QMessageBox>
#include <QRandomGenerator>
#include <QTimer>

#include <benchmark/benchmark.h>

namespace {

constexpr long kRecords = 50000;

QString fileText(long count, int format)
{
    static const QString payees[] = {"CB CARREFOUR MARKET", "PRLV SEPA EDF", "VIR SALAIRE", "CB BOULANGERIE",
                                     "CHQ N° 1234567",      "CB STATION",    "PRLV FREE",   "CB PHARMACIE"};
    QRandomGenerator rng(11);
    QString text = format == kImportFormatQIF
        ? QStringLiteral("!Type:Bank\n")
        : QStringLiteral("OFXHEADER:100\nDATA:OFXSGML\nVERSION:102\n\n<OFX><BANKMSGSRSV1><STMTTRNRS><STMTRS>"
                         "<BANKTRANLIST>\n");
    for (long i = 0; i < count; ++i) {
        const int day = 1 + int(rng.bounded(28));
        const int month = 1 + int(rng.bounded(12));
        const int year = 2015 + int(rng.bounded(10));
        const QString amount = QString::number((double(rng.bounded(200000)) - 150000) / 100.0, 'f', 2);
        const QString& payee = payees[rng.bounded(8)];
        if (format == kImportFormatQIF)
            text += QStringLiteral("D%1/%2'%3\nT%4\nP%5\n^\n").arg(month).arg(day).arg(year).arg(amount, payee);
        else
            text += QStringLiteral("<STMTTRN>\n<TRNTYPE>DEBIT\n<DTPOSTED>%1%2%3\n<TRNAMT>%4\n<NAME>%5\n</STMTTRN>\n")
                        .arg(year)
                        .arg(month, 2, 10, QLatin1Char('0'))
                        .arg(day, 2, 10, QLatin1Char('0'))
                        .arg(amount, payee);
    }
    if (format == kImportFormatOFX)
        text += QStringLiteral("</BANKTRANLIST></STMTRS></STMTTRNRS></BANKMSGSRSV1></OFX>\n");
    return text;
}

// Plays the user on whatever modal window is in front, as soon as it is there, and times it.
class User : public QObject {
public:
    QElapsedTimer clock;
    double reviewOpen = -1;
    double slowestLeaf = 0;
    double accept = -1;
    qint64 okAt = -1;

    User()
    {
        m_poll.setInterval(1);
        connect(&m_poll, &QTimer::timeout, this, &User::act);
        m_poll.start();
    }

private:
    void act()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            box->buttons().constLast()->click();
            return;
        }
        auto* window = qobject_cast<StdWindow*>(modal);
        auto* controller = window ? qobject_cast<StdWindowController*>(window->controller()) : nullptr;
        if (!controller || controller == m_done)
            return;
        m_done = controller;
        const QString name = window->objectName();
        if (name == QLatin1String("FenEditImport"))
            review(*controller);
        else if (name == QLatin1String("FenAskPoursuivre")) {
            accept = double(clock.elapsed() - okAt);
            controller->perform(QStringLiteral("OUI:"));
        } else
            controller->perform(QStringLiteral("TOUT_IMPORTER:"));
    }
    void review(StdWindowController& controller)
    {
        reviewOpen = double(clock.elapsed());
        auto* table = controller.window()->findChild<StdTableView*>(QStringLiteral("table1"));
        for (const char* leaf : {"LAST:", "FIRST:", "NEXT:", "LAST:"}) {
            QElapsedTimer one;
            one.start();
            controller.perform(QString::fromLatin1(leaf));
            benchmark::DoNotOptimize(table->viewport()->grab());
            slowestLeaf = std::max(slowestLeaf, double(one.elapsed()));
        }
        okAt = clock.elapsed();
        controller.perform(QStringLiteral("OUI:"));
    }

    QTimer m_poll;
    QObject* m_done = nullptr;
};

long userAccount(const DOCUMENT& doc)
{
    for (const TOOL& compte : doc.compteHdl) {
        if (TOOL::compteIDBelongToUser(compte.ident, &doc))
            return compte.ident;
    }
    return -1;
}

void BM_ImportThroughReview(benchmark::State& state)
{
    const int format = int(state.range(0));
    const ParsedImport parsed = format == kImportFormatQIF ? ImportParserQIF::parse(fileText(kRecords, format))
                                                           : ImportParserOFX::parse(fileText(kRecords, format));
    const std::unique_ptr<UiHost> host = makeQtUiHost();
    UiHost::install(host.get());
    APPLIPARAM& parameters = APPLIPARAM::loadAppliParam();
    parameters.doSounds = false;
    parameters.doSoundsTransact = false;
    const std::unique_ptr<DOCUMENT> doc = DocumentGenerator::generate(100000);
    DocumentSession::adopt(*doc);
    ImportWindowServices windows;
    ImportManager::sharedInstance().installServices(windows.services());
    const long compteID = userAccount(*doc);
    FenReleveController* releve = openReleveWindow(compteID, true, 0, *doc);
    const qsizetype before = doc->transact_array.size();
    for (auto _ : state) {
        User user;
        user.clock.start();
        QEventLoop loop;
        bool ended = false;
        ImportSettings settings;
        settings.reglesImport = parameters.reglesImport;
        settings.reglesManuel = parameters.reglesManuel;
        ImportManager::sharedInstance().treatParsedArray(releve, parsed, format, compteID, 0, doc.get(), settings, [&] {
            ended = true;
            loop.quit();
        });
        if (!ended)
            loop.exec();
        state.counters["review_open_ms"] = user.reviewOpen;
        state.counters["slowest_leaf_ms"] = user.slowestLeaf;
        state.counters["accept_ms"] = user.accept;
    }
    state.counters["stored"] = double(doc->transact_array.size() - before);
    releve->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ImportManager::sharedInstance().installServices({});
    DocumentSession::close();
    UiHost::install(nullptr);
}
BENCHMARK(BM_ImportThroughReview)
    ->Arg(kImportFormatQIF)
    ->Arg(kImportFormatOFX)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

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
