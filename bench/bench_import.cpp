// The import of bank files: decoding and parsing a file of 50,000 transactions in each format,
// and a whole run that stores 10,000 records, each one checked and tested for duplicates, into a
// generated document of 100,000 transactions (the entry window answers "import all" at once; the
// timer fires at once).
#include "DocumentGenerator.h"
#include "foundation/SystemClock.h"
#include "import/ImportManager.h"
#include "import/ImportParserOFX.h"
#include "import/ImportParserQIF.h"
#include "import/ImportParserTAB.h"
#include "import/TextFileDecoder.h"
#include "model/DOCUMENT.h"
#include "model/ITransactionWindows.h"

#include <QRandomGenerator>
#include <benchmark/benchmark.h>

#include <deque>

namespace {

constexpr long kFileTransactions = 50000;
constexpr long kImportRecords = 10000;
constexpr long kDocumentTransactions = 100000;

struct Purchase {
    int day, month, year;
    double amount;
    QString payee;
    QString memo;
};

std::vector<Purchase> purchases(long count)
{
    static const QString payees[]
        = {"CB CARREFOUR MARKET", "PRLV SEPA EDF",    "VIR SALAIRE",      "CB BOULANGERIE PÂTISSERIE",
           "CHQ N° 1234567",      "CB STATION TOTAL", "PRLV FREE MOBILE", "CB PHARMACIE DU MARCHÉ"};
    QRandomGenerator rng(11);
    std::vector<Purchase> list;
    list.reserve(static_cast<size_t>(count));
    for (long i = 0; i < count; ++i) {
        const double cents = rng.bounded(200000) - 150000;
        list.push_back({1 + static_cast<int>(rng.bounded(28)), 1 + static_cast<int>(rng.bounded(12)),
                        2015 + static_cast<int>(rng.bounded(10)), cents / 100.0, payees[rng.bounded(8)],
                        QStringLiteral("FACTURE %1").arg(rng.bounded(100000))});
    }
    return list;
}

// A payee as some banks write it: unescaped "&" everywhere, escaped ones, and a CDATA memo.
QString ampersandPayee(const QString& payee)
{
    return QStringLiteral("AT&T ").repeated(20) + QString(200, u'&') + QStringLiteral("&amp; ").repeated(20) + payee;
}

QByteArray ofxFile(long count, bool ampersands = false)
{
    QString text
        = QStringLiteral("OFXHEADER:100\r\nDATA:OFXSGML\r\nVERSION:102\r\nENCODING:USASCII\r\nCHARSET:1252\r\n\r\n"
                         "<OFX><BANKMSGSRSV1><STMTTRNRS><STMTRS><BANKTRANLIST>\r\n");
    for (const Purchase& p : purchases(count)) {
        // The date is made apart: "%3120000" would read as the placeholder %31.
        const QString date = QStringLiteral("%1%2%3")
                                 .arg(p.year)
                                 .arg(p.month, 2, 10, QLatin1Char('0'))
                                 .arg(p.day, 2, 10, QLatin1Char('0'))
            + QStringLiteral("120000");
        text += QStringLiteral("<STMTTRN>\r\n<TRNTYPE>DEBIT\r\n<DTPOSTED>%1\r\n<TRNAMT>%2\r\n<FITID>X\r\n"
                               "<NAME>%3\r\n<MEMO>%4\r\n</STMTTRN>\r\n")
                    .arg(date, QString::number(p.amount, 'f', 2), ampersands ? ampersandPayee(p.payee) : p.payee,
                         ampersands ? QStringLiteral("<![CDATA[%1 & <%1>]]>").arg(p.memo) : p.memo);
    }
    text += QStringLiteral("</BANKTRANLIST></STMTRS></STMTTRNRS></BANKMSGSRSV1></OFX>\r\n");
    return text.toLatin1();
}

QString qifText(long count)
{
    QString text = QStringLiteral("!Type:Bank\n");
    for (const Purchase& p : purchases(count))
        text += QStringLiteral("D%1/%2'%3\nT%4\nP%5\nM%6\n^\n")
                    .arg(p.month)
                    .arg(p.day)
                    .arg(p.year)
                    .arg(p.amount, 0, 'f', 2)
                    .arg(p.payee, p.memo);
    return text;
}

QByteArray csvFile(long count)
{
    QString text = QStringLiteral("Date;Libellé;Débit;Crédit\r\n");
    for (const Purchase& p : purchases(count)) {
        const QString amount = QString::number(std::abs(p.amount), 'f', 2).replace(u'.', u',');
        text += QStringLiteral("%1/%2/%3;\"%4; %5\";%6;%7\r\n")
                    .arg(p.day, 2, 10, QLatin1Char('0'))
                    .arg(p.month, 2, 10, QLatin1Char('0'))
                    .arg(p.year)
                    .arg(p.payee, p.memo, p.amount < 0 ? amount : QString(), p.amount < 0 ? QString() : amount);
    }
    return text.toUtf8();
}

// state.range(0): 1 when every payee is full of "&" and every memo a CDATA section.
void BM_parseOFX(benchmark::State& state)
{
    const QByteArray bytes = ofxFile(kFileTransactions, state.range(0) == 1);
    size_t records = 0;
    for (auto _ : state) {
        QString text;
        TextFileDecoder::decode(bytes, kImportFormatOFX, QString(), &text, nullptr, nullptr);
        records = ImportParserOFX::parse(text).records.size();
    }
    state.counters["records"] = static_cast<double>(records);
    state.counters["MB"] = static_cast<double>(bytes.size()) / 1e6;
}

void BM_parseQIF(benchmark::State& state)
{
    const QByteArray bytes = qifText(kFileTransactions).toUtf8();
    size_t records = 0;
    for (auto _ : state) {
        QString text;
        TextFileDecoder::decode(bytes, kImportFormatQIF, QString(), &text, nullptr, nullptr);
        records = ImportParserQIF::parse(text).records.size();
    }
    state.counters["records"] = static_cast<double>(records);
    state.counters["MB"] = static_cast<double>(bytes.size()) / 1e6;
}

void BM_parseCSV(benchmark::State& state)
{
    const QByteArray bytes = csvFile(kFileTransactions);
    size_t rows = 0;
    for (auto _ : state) {
        QString text;
        QString encoding;
        TextFileDecoder::decode(bytes, kImportFormatCSV, QString(), &text, &encoding, nullptr);
        rows = ImportParserTAB::convertStringToTableur(text, kImportFormatCSV, encoding).size();
    }
    state.counters["rows"] = static_cast<double>(rows);
    state.counters["MB"] = static_cast<double>(bytes.size()) / 1e6;
}

// Windows and questions that say yes, an entry window that says "import all", a timer that
// fires as soon as the run waits for it.
class Headless : public IImportReview, public IImportQuestions, public IImportEntry, public IImportScheduler {
public:
    std::deque<std::function<void()>> due;

    void openTabImportEditor(const ImportRows&, int, long, int, const QString&, ImportEndBlock) override { }
    bool validateParsedArray(QObject*, const ImportRecords&, int, long, int) override { return true; }
    void setProgressRunning(QObject*, bool) override { }
    int askPoursuivre(QObject*, const QString&, const QString&, bool, bool) override { return 1; }
    bool askStringModal(QObject*, const QString&, const QString&, QString*) override { return false; }
    int openSaisieTransact(QObject*, TRANSACT&, long, bool) override { return kSaisieImportAll; }
    Handle after(int, std::function<void()> fn) override
    {
        due.push_back(std::move(fn));
        return static_cast<Handle>(due.size());
    }
    void cancel(Handle) override { due.clear(); }
    void run()
    {
        while (!due.empty()) {
            const std::function<void()> fn = due.front();
            due.pop_front();
            fn();
        }
    }
};

long userAccount(const DOCUMENT& doc)
{
    for (const TOOL& compte : doc.compteHdl) {
        int type = kBanqueTiers;
        if (compte.compteToBType(&type, &doc) && type == kBanqueUser)
            return compte.ident;
    }
    return -1;
}

void BM_importIntoLargeDocument(benchmark::State& state)
{
    SystemClock::setNowForTesting(800000000.0);
    const std::unique_ptr<DOCUMENT> doc = DocumentGenerator::generate(kDocumentTransactions);
    const long compteID = userAccount(*doc);
    const ParsedImport parsed = ImportParserQIF::parse(qifText(kImportRecords));
    Headless services;
    ImportManager& manager = ImportManager::sharedInstance();
    manager.installServices({&services, &services, &services, &services});
    const qsizetype before = doc->transact_array.size();
    for (auto _ : state) {
        manager.treatParsedArray(nullptr, parsed, kImportFormatQIF, compteID, 0, doc.get(), {}, {});
        services.run();
        state.PauseTiming();
        state.counters["stored"] = static_cast<double>(doc->transact_array.size() - before);
        doc->transact_array.resize(before);
        state.ResumeTiming();
    }
    manager.installServices({});
    SystemClock::setNowForTesting(std::nullopt);
}

} // namespace

BENCHMARK(BM_parseOFX)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_parseQIF)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_parseCSV)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_importIntoLargeDocument)->Unit(benchmark::kMillisecond)->Iterations(3);

BENCHMARK_MAIN();
