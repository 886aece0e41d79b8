// The phone sends 1,000 transactions to a generated document of 10,000: the time from the last
// byte of the list leaving the phone to the answer "ACK" coming back, the batch checked and
// stored (the user's agreement to the exchange given beforehand, no message after it). The
// connection is loopback, so the time is the server's.
#include "DocumentGenerator.h"

#include "document/APPLIPARAM.h"
#include "foundation/SystemClock.h"
#include "model/DOCUMENT.h"
#include "sync/ISyncWindows.h"
#include "sync/PhoneTransactions.h"
#include "sync/ServerAppDelegate.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QtEndian>

#include <benchmark/benchmark.h>
#include <zlib.h>

namespace {

constexpr int kBatch = 1000;
constexpr long kDocumentTransactions = 10000;

class SayYes : public ISyncWindows {
public:
    bool confirmPhone(const PhoneQuestion&) override { return true; }
    void informPhone(const QString&, int) override { }
    void showSyncListing(const Critere&, std::unique_ptr<LISTING>, const QString&, DOCUMENT&) override { }
};

class NoPublisher : public ServicePublisher {
public:
    void publish(const QString&, const QString&, quint16) override { }
    void stop() override { }
};

QByteArray frame(const QByteArray& body)
{
    QByteArray bytes(8, '\0');
    qToBigEndian<qint64>(body.size(), bytes.data());
    QByteArray trailer(4, '\0');
    qToBigEndian<quint32>(quint32(crc32(0, reinterpret_cast<const Bytef*>(body.constData()), uInt(body.size()))),
                          trailer.data());
    return bytes + body + trailer;
}

QByteArray batch(const DOCUMENT& doc)
{
    QByteArray xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">\n<array>\n";
    for (int i = 0; i < kBatch; ++i) {
        const TOOL& debit = doc.compteHdl[i % doc.compteHdl.size()];
        const TOOL& credit = doc.compteHdl[(i + 1) % doc.compteHdl.size()];
        xml += QStringLiteral("<dict><key>debitID</key><integer>%1</integer><key>creditID</key><integer>%2</integer>"
                              "<key>posteID</key><integer>%3</integer><key>kind</key><integer>11</integer>"
                              "<key>variante</key><integer>-1</integer><key>devise</key><integer>0</integer>"
                              "<key>when</key><real>%4</real><key>reference</key><string>R%5</string>"
                              "<key>info</key><string>Achat n° %5</string><key>montant</key><real>-%6</real>"
                              "</dict>\n")
                   .arg(debit.ident)
                   .arg(credit.ident)
                   .arg(doc.posteHdl[i % doc.posteHdl.size()].ident)
                   .arg(790000000.0 + i * 3600.0, 0, 'f', 1)
                   .arg(i)
                   .arg(double(1 + i % 500) + 0.25, 0, 'f', 2)
                   .toUtf8();
    }
    return xml + "</array>\n</plist>\n";
}

// One exchange; the time from the request's last byte leaving to the whole answer coming back.
QByteArray exchange(quint16 port, const QByteArray& request, double* seconds)
{
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, port);
    socket.waitForConnected();
    socket.write(frame(request));
    while (socket.bytesToWrite() > 0)
        socket.waitForBytesWritten();
    QElapsedTimer timer;
    timer.start();
    QByteArray answer;
    while (socket.state() == QAbstractSocket::ConnectedState) {
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 5);
        answer += socket.readAll();
    }
    answer += socket.readAll();
    *seconds = double(timer.nsecsElapsed()) / 1e9;
    return answer.mid(8, answer.size() - 12);
}

void BM_receiveTransactions(benchmark::State& state)
{
    SystemClock::setNowForTesting(800000000.0);
    const std::unique_ptr<DOCUMENT> doc = DocumentGenerator::generate(kDocumentTransactions);
    const QByteArray list = batch(*doc);
    SayYes windows;
    installSyncWindows(&windows);
    ServerAppDelegate server(std::make_unique<NoPublisher>());
    server.start(doc.get());
    const qsizetype before = doc->transact_array.size();
    for (auto _ : state) {
        double seconds = 0;
        if (exchange(server.port(), "REQUESTSENDDOC:bench", &seconds) != "OK"
            || exchange(server.port(), list, &seconds) != "ACK")
            state.SkipWithError("the server did not take the batch");
        state.SetIterationTime(seconds);
        state.counters["stored"] = double(doc->transact_array.size() - before);
        doc->transact_array.resize(before);
    }
    state.counters["KB"] = double(list.size()) / 1e3;
    server.stopWithStatus();
    installSyncWindows(nullptr);
    SystemClock::setNowForTesting(std::nullopt);
}

// Of which reading the property list.
void BM_readTransactions(benchmark::State& state)
{
    const std::unique_ptr<DOCUMENT> doc = DocumentGenerator::generate(kDocumentTransactions);
    const QByteArray list = batch(*doc);
    PhoneTransactionList read;
    for (auto _ : state)
        readPhoneTransactions(list, &read, nullptr);
    state.counters["read"] = double(read.size());
}

} // namespace

BENCHMARK(BM_readTransactions)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_receiveTransactions)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

int main(int argc, char** argv)
{
    // The application parameters are read from, and written to, a library folder of its own.
    QTemporaryDir home(QDir::tempPath() + QStringLiteral("/sorvbench-XXXXXX"));
    setenv("XDG_DATA_HOME", QFile::encodeName(home.path()).constData(), 1);
    QCoreApplication app(argc, argv);
    APPLIPARAM::loadAppliParam().informSynchro = false;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
