// The server against a peer playing the phone over loopback: every request word, the phone's
// transactions, and what a careless or hostile peer may do.
#include "SyncTestSupport.h"

#include "support/OpenDocument.h"
#include "support/TestDocument.h"
#include "support/TestEnvironment.h"
#include "support/TestFiles.h"

#include "document/APPLIPARAM.h"
#include "document/SVDocumentManager.h"
#include "foundation/SystemClock.h"
#include "foundation/localized.h"
#include "model/DOCPARAM.h"
#include "model/DOCUMENT.h"
#include "sync/FileReceiveOperation.h"
#include "sync/ServerAppDelegate.h"
#include "sync/SyncTempFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <cerrno>
#include <cmath>
#include <iterator>
#include <limits>

#include <unistd.h>

using namespace synctest;

namespace {

constexpr long kSignature = 424242;
constexpr long kCompte = 7;
constexpr long kBoulangerie = 22;
constexpr long kAlimentation = 2;
constexpr double kNow = 700000000.0;
const QString kLocalPeer = QStringLiteral("127.0.0.1");

QByteArray golden(const QString& name, const QByteArray& actual)
{
    const QString path = QStringLiteral(SORV_TEST_DATA_DIR "/sync/") + name;
    QFile file(path);
    if (qEnvironmentVariableIntValue("SORV_UPDATE_GOLDEN") == 1 && file.open(QIODevice::WriteOnly))
        file.write(actual);
    file.close();
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing " + name.toUtf8() + ")");
}

class SyncServerTest : public ::testing::Test {
protected:
    // The current account 7 and the baker 22, categories 1 and 2, currencies € and USD (slot 2).
    SyncServerTest()
    {
        SystemClock::setNowForTesting(kNow);
        testenv::addDefaultDocParam(doc);
        doc.docParam->docSignature = kSignature;
        doc.docParam->docSignatureIsNew = true;
        doc.deviseHdl = Devise::defaultDevises();
        doc.deviseHdl[2].unit = QStringLiteral("USD");
        doc.deviseHdl[2].convert = 1.1;
        testenv::addBanks(doc, {kCompte}, {kBoulangerie});
        doc.compteHdl[1].nom = QStringLiteral("Boulangerie d'Élise");
        doc.posteHdl = {POSTE {.ident = 1, .dossierID = 1, .nom = QStringLiteral("Divers")},
                        POSTE {.ident = kAlimentation, .dossierID = 1, .nom = QStringLiteral("Alimentation")}};
        doc.dossierHdl = {DOSSIER::allocNewDossier({}, 1)};
        doc.moyenHdl = {MOYEN::allocNewMoyen(9, kCompte)};
        open = std::make_unique<testenv::OpenDocument>(doc);
        informSynchro = std::exchange(APPLIPARAM::loadAppliParam().informSynchro, false);
        server.start(&doc);
        // The user accepts the local phone on its first request.
        windows.answers.push_back(true);
        EXPECT_EQ(ask("REQUESTSIGNATURE"), QByteArray("424242"));
        windows.asked.clear();
    }
    ~SyncServerTest() override
    {
        server.stopWithStatus();
        APPLIPARAM::loadAppliParam().informSynchro = informSynchro;
        SystemClock::setNowForTesting(std::nullopt);
    }

    std::optional<QByteArray> ask(const QByteArray& request, const QString& from = kLocalPeer)
    {
        SyncPeer peer(server.port(), QHostAddress(from));
        return peer.connectAndWrite(frame(request)) ? peer.awaitAnswer() : std::nullopt;
    }
    SyncState state() const { return server.state(QHostAddress(kLocalPeer)); }
    // "OK" to "REQUESTSENDDOC", then the transactions: the answer to them.
    std::optional<QByteArray> sendTransactions(const QByteArray& list)
    {
        windows.answers.push_back(true);
        EXPECT_EQ(ask("REQUESTSENDDOC:Pixel"), QByteArray("OK"));
        return ask(list);
    }

    PrivateTempDir temp;
    VirtualSyncClock clock;
    FakeSyncWindows windows;
    DOCUMENT doc {QString(), kFileSystemLocal};
    std::unique_ptr<testenv::OpenDocument> open;
    FakePublisher* publisher = new FakePublisher;
    ServerAppDelegate server {std::unique_ptr<ServicePublisher>(publisher)};
    bool informSynchro = true;
};

// A card payment at the baker's, the day before.
QVariantMap record(double montant, long devise = 0)
{
    return {{"debitID", qlonglong(kCompte)},
            {"creditID", qlonglong(kBoulangerie)},
            {"posteID", qlonglong(kAlimentation)},
            {"kind", 11LL},
            {"variante", -1LL},
            {"devise", qlonglong(devise)},
            {"when", kNow - 86400.0},
            {"reference", "R1"},
            {"info", "Marché"},
            {"montant", montant}};
}

QVariantMap with(QVariantMap map, const QString& key, const QVariant& value)
{
    map.insert(key, value);
    return map;
}

} // namespace

TEST_F(SyncServerTest, AnswersEveryRequestWordAsTheMemberFilesHoldTheLists)
{
    const QString noName = localizedDialogue(QStringLiteral("kConfirm_iPhone_address")).arg(kLocalPeer);
    const QByteArray longName = QString(127, QChar(0xE9)).toUtf8(); // 254 bytes
    const struct {
        QByteArray request;
        std::optional<bool> answer; // to the question, when one is asked
        QString asked;
        std::optional<QByteArray> expected; // "golden:" a file of tests/data/sync
        SyncState state;
    } cases[] = {
        {"REQUESTSIGNATURE", {}, "", QByteArray("424242"), SyncState::SignatureSent},
        {"REQUESTDOCPARAM:Téléphone de Léa", true, "kConfirm_Embarquer_iPhone|Téléphone de Léa",
         QByteArray("golden:docparam.xml"), SyncState::ParamSent},
        // The name asks for no question; it gets one all the same.
        {"REQUESTDOCPARAM nocONFIRM", false, "kConfirm_Embarquer_iPhone|nocONFIRM", QByteArray("NO"), SyncState::Idle},
        {"REQUESTDOCMOYEN", {}, "", QByteArray("golden:moyen.xml"), SyncState::MoyenSent},
        {"REQUESTDOCPOSTE", {}, "", QByteArray("golden:poste.xml"), SyncState::PosteSent},
        {"REQUESTDOCDOSSIER", {}, "", QByteArray("golden:dossier.xml"), SyncState::DossierSent},
        {"REQUESTDOCBANQUE", {}, "", QByteArray("golden:banque.xml"), SyncState::BanqueSent},
        {"REQUESTDOCCOMPTE", {}, "", QByteArray("golden:compte.xml"), SyncState::CompteSent},
        {"REQUESTDOCDEVISE", {}, "", QByteArray("golden:devise.xml"), SyncState::DeviseSent},
        {"REQUESTDOCPARAM", {}, "", std::nullopt, SyncState::DeviseSent},
        {"requestsignature", {}, "", std::nullopt, SyncState::DeviseSent},
        {"\xFF\xFE", {}, "", std::nullopt, SyncState::DeviseSent},
        {"RECEIVED_DOC_OK", {}, "", std::nullopt, SyncState::Idle},
        {"RECEIVED_DOC_OK_NOCONFIRM", {}, "", std::nullopt, SyncState::Idle},
        {"REQUESTSENDDOC:" + longName, false, "kConfirm_Debarquer_iPhone|" + noName, QByteArray("NO"), SyncState::Idle},
        {"REQUESTSENDDOC:" + longName.left(252), false, "kConfirm_Debarquer_iPhone|" + QString(126, QChar(0xE9)),
         QByteArray("NO"), SyncState::Idle},
        {"REQUESTSENDDOC_Pixel", true, "kConfirm_Debarquer_iPhone|Pixel", QByteArray("OK"),
         SyncState::WaitingTransactions},
    };
    LogCapture log;
    int unknown = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.request.toStdString());
        windows.asked.clear();
        if (c.answer)
            windows.answers.push_back(*c.answer);
        const std::optional<QByteArray> answer = ask(c.request);
        std::optional<QByteArray> expected = c.expected;
        if (expected && expected->startsWith("golden:"))
            expected = golden(QString::fromUtf8(expected->mid(7)), answer.value_or(QByteArray()));
        EXPECT_EQ(answer, expected);
        EXPECT_EQ(windows.asked, c.asked.isEmpty() ? QStringList() : QStringList {c.asked});
        EXPECT_EQ(state(), c.state);
        unknown += !expected && !c.request.startsWith("RECEIVED");
    }
    EXPECT_EQ(log.count(QStringLiteral("Unknown request : ")), unknown);
    EXPECT_EQ(log.count(QStringLiteral("Unknown request : REQUESTDOCPARAM")), 1);
    EXPECT_EQ(windows.told, QStringList {"kMessage_Embarquement_iPhone_OK|1"});
    EXPECT_EQ(doc.docParam->docSignature, kSignature);
    EXPECT_EQ(server.connectionCount(), 0);
}

TEST_F(SyncServerTest, ADocumentTakenTheFirstTimeGetsANewSignatureSavedInItsPackage)
{
    doc.documentUrl = testenv::freshDir(QStringLiteral("sig")) + QStringLiteral("/Maison.svd");
    ASSERT_TRUE(QDir().mkpath(doc.documentUrl + QStringLiteral("/Contents/Resources")));
    doc.docParam->docSignatureIsNew = false;
    windows.answers = {true, true};
    ASSERT_TRUE(ask("REQUESTDOCPARAM:Pixel"));
    const long drawn = doc.docParam->docSignature;
    ASSERT_TRUE(ask("REQUESTDOCPARAM:Pixel"));
    EXPECT_EQ(doc.docParam->docSignature, drawn); // drawn once only
    EXPECT_NE(drawn, kSignature);
    bool error = false;
    EXPECT_EQ(DOCPARAM::loadDocParam(doc.documentUrl, &error)->docSignature, doc.docParam->docSignature);
}

TEST_F(SyncServerTest, StoresABatchWholeOrNotAtAllAndAnswersAccordingly)
{
    const QVariantMap good = record(-12.5);
    const QVariantMap dollars = record(-11.0, 2);
    const QByteArray text = "( { debitID = 7; creditID = \"22\"; posteID = 2; kind = 11; devise = 0; "
                            "when = 699913600.5; reference = R1; info = \"March\\U00e9\"; montant = -3.25; } )";
    const struct {
        const char* name;
        QByteArray list;
        bool stored;
        long count;
    } cases[] = {
        {"XML", phonePlist({good, dollars}, PlistForm::Xml), true, 2},
        {"binary", phonePlist({good, dollars}, PlistForm::Binary), true, 2},
        {"old text form", text, true, 1},
        {"empty list", phonePlist({}, PlistForm::Xml), true, 0},
        {"currency slot 7", phonePlist({good, with(good, "devise", 7LL)}, PlistForm::Binary), false, 0},
        {"NaN amount", phonePlist({good, with(good, "montant", std::nan(""))}, PlistForm::Binary), false, 0},
        {"infinite date", phonePlist({with(good, "when", HUGE_VAL)}, PlistForm::Binary), false, 0},
        {"unknown account", phonePlist({with(good, "creditID", 999LL)}, PlistForm::Xml), false, 0},
        {"unknown category", phonePlist({with(good, "posteID", 999LL)}, PlistForm::Xml), false, 0},
        {"payment family 13", phonePlist({with(good, "kind", 13LL)}, PlistForm::Xml), false, 0},
        {"amount as a list", "( { debitID = 7; creditID = 22; posteID = 2; montant = (1); } )", false, 0},
        {"not a property list", "garbage", false, 0},
        {"no array", "{ a = b; }", false, 0},
        {"no dictionary", "( a, b )", false, 0},
        {"deep nesting", QByteArray(5000, '(') + QByteArray(5000, ')'), false, 0},
        {"cut binary", phonePlist({good}, PlistForm::Binary).chopped(20), false, 0},
        {"unterminated text", "( { info = \"abc", false, 0},
    };
    LogCapture log;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        doc.transact_array.clear();
        doc.docParam->lastSynchro = 0;
        EXPECT_EQ(sendTransactions(c.list), QByteArray(c.stored ? "ACK" : "NO"));
        EXPECT_EQ(doc.transact_array.size(), c.count);
        EXPECT_EQ(doc.docParam->lastSynchro, c.stored ? kNow : 0.0);
        EXPECT_EQ(state(), c.stored ? SyncState::TransactionsReceived : SyncState::Idle);
        for (const TRANSACT& t : doc.transact_array)
            EXPECT_TRUE(t.synchroID == 1 && t.synchroDate == kNow);
    }
    EXPECT_EQ(log.count(QStringLiteral("Synchronisation refusée : ")), 13);

    doc.transact_array.clear();
    ASSERT_EQ(sendTransactions(phonePlist({good, dollars}, PlistForm::Xml)), QByteArray("ACK"));
    ASSERT_EQ(doc.transact_array.size(), 2);
    const TRANSACT& first = doc.transact_array[0];
    EXPECT_EQ(QList<long>({first.who1, first.who2, first.posteID, first.moyen, first.variante}),
              QList<long>({kCompte, kBoulangerie, kAlimentation, 11, -1}));
    EXPECT_EQ(first.ref + first.why, QStringLiteral("R1Marché"));
    EXPECT_EQ(first.when, kNow - 86400.0);
    EXPECT_DOUBLE_EQ(first.solde.getValueForDevise(0), -12.5);
    const TRANSACT& dollar = doc.transact_array[1];
    EXPECT_EQ(dollar.devise, 2);
    EXPECT_DOUBLE_EQ(dollar.solde.getValueForDevise(2), -11.0);
    EXPECT_NEAR(dollar.solde.getValueForDevise(0), -12.1, 1e-9); // 1.1 euros to the dollar

    // The phone names the card (0, not the default -1): it is kept.
    doc.transact_array.clear();
    ASSERT_EQ(sendTransactions(phonePlist({with(good, QStringLiteral("variante"), 0LL)}, PlistForm::Xml)),
              QByteArray("ACK"));
    ASSERT_EQ(doc.transact_array.size(), 1);
    EXPECT_EQ(doc.transact_array[0].variante, 0);
}

TEST_F(SyncServerTest, TellsTheUserAndListsTheBatchWhenAskedTo)
{
    APPLIPARAM::loadAppliParam().informSynchro = true;
    const QVariantMap good = record(-12.5);
    EXPECT_EQ(sendTransactions(phonePlist({good, good}, PlistForm::Xml)), QByteArray("ACK"));
    SystemClock::setNowForTesting(kNow + 60);
    EXPECT_EQ(sendTransactions(phonePlist({}, PlistForm::Xml)), QByteArray("ACK"));
    EXPECT_EQ(windows.told, QStringList({"kMessage_Debarquement_iPhone_OK|0", "kMessage_Debarquement_iPhone_OK|0"}));
    EXPECT_EQ(windows.listings, QList<long>({2, 0}));
}

TEST_F(SyncServerTest, ATransferThatFailsKeepsThePhoneWaitingAndANewStartForgetsIt)
{
    LogCapture log;
    windows.answers.push_back(true);
    ASSERT_EQ(ask("REQUESTSENDDOC:Pixel"), QByteArray("OK"));
    const QByteArray list = phonePlist({record(-1)}, PlistForm::Binary);
    SyncPeer broken(server.port());
    ASSERT_TRUE(broken.connectAndWrite(frame(list, true)));
    EXPECT_EQ(broken.awaitAnswer(), std::nullopt);
    EXPECT_EQ(log.count(QStringLiteral("Receive : ")), 1);
    EXPECT_EQ(state(), SyncState::WaitingTransactions);

    // Another phone's message is read as its own request.
    windows.answers.push_back(true);
    SyncPeer other(server.port(), QHostAddress(QStringLiteral("127.0.0.2")));
    ASSERT_TRUE(other.connectAndWrite(frame("REQUESTSIGNATURE")));
    EXPECT_EQ(other.awaitAnswer(), QByteArray("424242"));
    EXPECT_EQ(state(), SyncState::WaitingTransactions);

    // Another document (or the same opened again) takes no transactions meant for the last one.
    server.stopWithStatus();
    server.start(&doc);
    EXPECT_EQ(state(), SyncState::Idle);
    EXPECT_EQ(ask(list), std::nullopt);
    EXPECT_TRUE(doc.transact_array.isEmpty());
}

TEST_F(SyncServerTest, KeepsServingWhateverPeersAndHostileOnesDo)
{
    // Four phones accepted, each holding as many connections as an address may.
    const auto address = [](int i) { return QHostAddress(QStringLiteral("127.0.0.%1").arg(1 + i % 4)); };
    for (int i = 1; i < 4; ++i) {
        windows.answers.push_back(true);
        EXPECT_EQ(ask("REQUESTSIGNATURE", address(i).toString()), QByteArray("424242"));
    }
    // Qt opens a descriptor or two of its own on a first exchange, and keeps them.
    settle();
    const int fds = openFileDescriptors();
    LogCapture log;
    std::vector<std::unique_ptr<SyncPeer>> peers;
    // As many at once as the server takes, the hostile ones included.
    for (int i = 0; i < kMaxConnections - 3; ++i) {
        peers.push_back(std::make_unique<SyncPeer>(server.port(), address(i)));
        ASSERT_TRUE(peers.back()->connectAndWrite(frame("REQUESTSIGNATURE")));
    }
    SyncPeer tooLong(server.port(), address(5));
    ASSERT_TRUE(tooLong.connectAndWrite(header(kMaxFrameBody + 1) + QByteArray(1000, 'x')));
    SyncPeer cut(server.port(), address(6));
    ASSERT_TRUE(cut.connectAndWrite(frame("REQUESTSIGNATURE").left(10)));
    cut.socket().disconnectFromHost();
    SyncPeer silent(server.port(), address(7));
    ASSERT_TRUE(silent.connectAndWrite(header(20) + "REQ"));
    for (auto& peer : peers)
        EXPECT_EQ(peer->awaitAnswer(), QByteArray("424242"));
    EXPECT_EQ(tooLong.awaitAnswer(), std::nullopt);
    ASSERT_TRUE(spinUntil([this] { return server.connectionCount() == 1; }));
    clock.advance(kReceiveIdleTimeoutMs);
    EXPECT_EQ(silent.awaitAnswer(), std::nullopt);
    EXPECT_EQ(log.count(QStringLiteral("Receive : ")), 3);
    EXPECT_EQ(ask("REQUESTSIGNATURE"), QByteArray("424242"));
    peers.clear();
    settle();
    EXPECT_EQ(server.connectionCount(), 0);
    EXPECT_EQ(openFileDescriptors(), fds);
    EXPECT_EQ(temp.files(), QStringList());
}

TEST_F(SyncServerTest, RequestsArrivingDuringAQuestionWaitForItToClose)
{
    SyncPeer during(server.port());
    // Another phone: one address sends one request at a time.
    SyncPeer started(server.port(), QHostAddress(QStringLiteral("127.0.0.3")));
    ASSERT_TRUE(started.connectAndWrite(frame("REQUESTSENDDOC:B").left(12)));
    windows.whileAsking = [&] {
        during.connectAndWrite(frame("REQUESTSENDDOC:C"));
        started.write(frame("REQUESTSENDDOC:B").mid(12));
        settle();
        EXPECT_EQ(windows.asked.size(), 1);
    };
    windows.answers = {false, false, false};
    EXPECT_EQ(ask("REQUESTSENDDOC:A"), QByteArray("NO"));
    EXPECT_EQ(started.awaitAnswer(), QByteArray("NO"));
    EXPECT_EQ(during.awaitAnswer(), QByteArray("NO"));
    EXPECT_EQ(windows.deepest, 1);
    ASSERT_EQ(windows.asked.size(), 3);
    EXPECT_EQ(windows.asked[0], QStringLiteral("kConfirm_Debarquer_iPhone|A"));
}

TEST_F(SyncServerTest, PublishesTheDocumentUnderItsNameOrSignatureAndServesWithoutTheAnnouncement)
{
    EXPECT_EQ(QStringList({publisher->name, publisher->type}), QStringList({"424242", "_http._tcp"}));
    EXPECT_EQ(publisher->port, server.port());
    const DOCUMENT packaged(QStringLiteral("/home/lea/Documents/Maison.svd/"), kFileSystemLocal);
    EXPECT_EQ(ServerAppDelegate::serviceNameForDocumentCopy(&packaged), QStringLiteral(".../Documents/Maison.svd"));
    EXPECT_EQ(ServerAppDelegate::serviceNameForDocumentCopy(nullptr), QStringLiteral("?"));
    emit publisher->didNotPublish(QStringLiteral("no daemon"));
    EXPECT_EQ(ask("REQUESTSIGNATURE"), QByteArray("424242"));
    server.stopWithStatus();
    EXPECT_EQ(std::make_pair(server.isRunning(), server.port()), std::make_pair(false, quint16(0)));
    EXPECT_EQ(publisher->stops, 1);
}

TEST_F(SyncServerTest, AFloodOfConnectionsHoldsFewDescriptorsAndTheDocumentStillSaves)
{
    constexpr int kFlood = 150;
    constexpr int kWave = 30;
    settle();
    const int fds = openFileDescriptors();
    const QString url = testenv::freshDir(QStringLiteral("flood")) + QStringLiteral("/Maison.svd");
    ASSERT_TRUE(testenv::makePackage(url));
    doc.documentUrl = url;
    LogCapture log;
    {
        // Room for the flood's own sockets, the connections the server keeps and a save; not for
        // a socket and a file per connection.
        const DescriptorLimit limit(highestFileDescriptor() + 1 + kFlood + 2 * kMaxConnections + 40);
        ASSERT_TRUE(limit.applied());
        std::vector<std::unique_ptr<QTcpSocket>> flood;
        const auto closed = [&flood] {
            return std::count_if(flood.begin(), flood.end(), [](const auto& socket) {
                return socket->state() == QAbstractSocket::UnconnectedState;
            });
        };
        // In waves the system's queue of connections waiting to be accepted holds whole; each from
        // an address of its own.
        for (int wave = 0; wave < kFlood / kWave; ++wave) {
            for (int i = 0; i < kWave; ++i) {
                flood.push_back(std::make_unique<QTcpSocket>());
                flood.back()->bind(QHostAddress(QStringLiteral("127.0.1.%1").arg(flood.size())));
                flood.back()->connectToHost(QHostAddress::LocalHost, server.port());
            }
            // Each is either being served or closed at once.
            ASSERT_TRUE(spinUntil([&] {
                return server.connectionCount() == kMaxStrangerConnections
                    && closed() == qsizetype(flood.size()) - kMaxStrangerConnections;
            }));
        }
        EXPECT_EQ(log.count(QStringLiteral("Synchronisation : déjà 6 connexions d'appareils non acceptés")), 1);
        int saved = 0;
        SVDocumentManager::defaultManager().saveDocument(&doc, url, {.useTempFolder = true, .doMessage = false},
                                                         [&saved] { ++saved; }, {});
        EXPECT_EQ(saved, 1);
        // Silent peers cost a socket each and no file.
        EXPECT_LE(openFileDescriptors(), fds + kFlood + kMaxConnections);
        EXPECT_EQ(temp.files(), QStringList());
    }
    // Once the peers are gone everything is let go, and the phone is heard again.
    EXPECT_TRUE(spinUntil([this] { return server.connectionCount() == 0; }));
    settle();
    EXPECT_EQ(openFileDescriptors(), fds);
    EXPECT_EQ(ask("REQUESTSIGNATURE"), QByteArray("424242"));
    bool error = false;
    EXPECT_EQ(DOCPARAM::loadDocParam(url, &error)->docSignature, kSignature);
}

TEST_F(SyncServerTest, TakesAYearOfPhoneTransactionsAndRefusesLargerBodiesBeforeWritingThem)
{
    // Twenty a day for a year, each with a label as long as a phone user types.
    QList<QVariantMap> year;
    for (int i = 0; i < 365 * 20; ++i)
        year.append(with(record(-12.5 - i % 100), QStringLiteral("info"),
                         QStringLiteral("Courses de la semaine au marché, étal n° %1").arg(i)));
    const QByteArray xml = phonePlist(year, PlistForm::Xml);
    RecordProperty("year_xml_bytes", int(xml.size()));
    RecordProperty("year_binary_bytes", int(phonePlist(year, PlistForm::Binary).size()));
    EXPECT_EQ(sendTransactions(xml), QByteArray("ACK"));
    EXPECT_EQ(doc.transact_array.size(), year.size());

    LogCapture log;
    // Only a phone the user agreed to take transactions from may send more than a few words.
    windows.answers.push_back(true);
    ASSERT_EQ(ask("REQUESTSENDDOC:Pixel"), QByteArray("OK"));
    SyncPeer huge(server.port());
    ASSERT_TRUE(huge.connectAndWrite(header(kMaxTransactionsBody + 1) + QByteArray(1000, 'x')));
    EXPECT_EQ(huge.awaitAnswer(), std::nullopt);
    SyncPeer wordy(server.port(), QHostAddress(QStringLiteral("127.0.0.2")));
    ASSERT_TRUE(wordy.connectAndWrite(header(kMaxRequestBody + 1) + QByteArray(1000, 'x')));
    EXPECT_EQ(wordy.awaitAnswer(), std::nullopt);
    EXPECT_EQ(log.count(QStringLiteral("Synchronisation : message de 16777217 octets de 127.0.0.1 refusé, au plus "
                                       "16777216 octets pour une liste d'opérations")),
              1);
    EXPECT_EQ(log.count(QStringLiteral("Synchronisation : message de 65537 octets de 127.0.0.2 refusé")), 1);
    EXPECT_EQ(state(), SyncState::WaitingTransactions);
    EXPECT_EQ(temp.files(), QStringList());
}

TEST_F(SyncServerTest, BodiesInFlightAreCappedTogetherAndOneAddressSendsOneAtATime)
{
    // Two phones agreed to, each sending a batch as large as allowed, slowly.
    const QString second = QStringLiteral("127.0.0.2");
    windows.answers = {true, true};
    ASSERT_EQ(ask("REQUESTSENDDOC:A"), QByteArray("OK"));
    ASSERT_EQ(ask("REQUESTSENDDOC:B", second), QByteArray("OK"));
    SyncPeer first(server.port());
    SyncPeer other(server.port(), QHostAddress(second));
    ASSERT_TRUE(first.connectAndWrite(header(kMaxTransactionsBody) + "abc"));
    ASSERT_TRUE(other.connectAndWrite(header(kMaxTransactionsBody) + "abc"));
    // The body goes to a file of the program's own runtime folder as it comes.
    ASSERT_TRUE(spinUntil([this] { return temp.files().size() == 2; }));
    for (const QString& file : temp.files())
        EXPECT_TRUE(
            QFileInfo(temp.runtime() + QLatin1Char('/') + file).path().startsWith(temp.runtime() + "/sorvanta-sync/"));

    // The same address waits for its first transfer to end; nothing is read from it meanwhile.
    SyncPeer queued(server.port());
    ASSERT_TRUE(queued.connectAndWrite(frame(phonePlist({}, PlistForm::Xml))));
    settle();
    EXPECT_EQ(queued.socket().state(), QAbstractSocket::ConnectedState);
    // A third address finds no room left, however small its request.
    LogCapture log;
    EXPECT_EQ(ask("REQUESTSIGNATURE", QStringLiteral("127.0.0.3")), std::nullopt);
    EXPECT_EQ(log.count(QStringLiteral("Synchronisation : message de 16 octets de 127.0.0.3 refusé, 33554432 octets "
                                       "déjà en réception")),
              1);

    first.socket().abort();
    other.socket().abort();
    EXPECT_EQ(queued.awaitAnswer(), QByteArray("ACK"));
    windows.answers.push_back(true);
    EXPECT_EQ(ask("REQUESTSIGNATURE", QStringLiteral("127.0.0.3")), QByteArray("424242"));
    settle();
    EXPECT_EQ(temp.files(), QStringList());
}

TEST_F(SyncServerTest, AnAddressIsAskedAboutOnItsFirstRequestAndTheAnswerHoldsUntilTheDocumentCloses)
{
    const auto askedAbout = [](const QString& address) {
        return QStringLiteral("kConfirm_Embarquer_iPhone|")
            + localizedDialogue(QStringLiteral("kConfirm_iPhone_address")).arg(address);
    };
    const QString refused = QStringLiteral("127.0.0.2");
    const QString accepted = QStringLiteral("127.0.0.3");
    // During the first question another unknown address waits its turn: one question at a time.
    SyncPeer waiting(server.port(), QHostAddress(accepted));
    windows.whileAsking = [&] { EXPECT_TRUE(waiting.connectAndWrite(frame("REQUESTDOCCOMPTE"))); };
    windows.answers = {false, true};
    EXPECT_EQ(ask("REQUESTDOCBANQUE", refused), std::nullopt);
    const std::optional<QByteArray> waited = waiting.awaitAnswer();
    EXPECT_EQ(waited, golden(QStringLiteral("compte.xml"), waited.value_or(QByteArray())));
    EXPECT_EQ(windows.asked, QStringList({askedAbout(refused), askedAbout(accepted)}));
    EXPECT_EQ(windows.deepest, 1);
    EXPECT_EQ(server.trust(QHostAddress(refused)), PeerTrust::Refused);

    // Heard no more, whatever it asks; the accepted one is answered without a question.
    windows.asked.clear();
    for (const QByteArray request : {"REQUESTSIGNATURE", "REQUESTDOCPARAM:Pixel", "REQUESTSENDDOC:Pixel"})
        EXPECT_EQ(ask(request, refused), std::nullopt);
    EXPECT_EQ(ask("REQUESTSIGNATURE", accepted), QByteArray("424242"));
    EXPECT_EQ(windows.asked, QStringList());

    // A phone's own question, naming it, serves for its address; a later "not now" keeps it.
    windows.answers = {true, false};
    EXPECT_TRUE(ask("REQUESTDOCPARAM:<b>Léa</b>", QStringLiteral("127.0.0.4")).has_value());
    EXPECT_EQ(ask("REQUESTSENDDOC:<b>Léa</b>", QStringLiteral("127.0.0.4")), QByteArray("NO"));
    EXPECT_TRUE(ask("REQUESTDOCPOSTE", QStringLiteral("127.0.0.4")).has_value());
    EXPECT_EQ(windows.asked,
              QStringList({"kConfirm_Embarquer_iPhone|<b>Léa</b>", "kConfirm_Debarquer_iPhone|<b>Léa</b>"}));

    // Closing the document forgets every answer.
    server.stopWithStatus();
    server.start(&doc);
    windows.asked.clear();
    windows.answers = {true};
    EXPECT_EQ(ask("REQUESTSIGNATURE", refused), QByteArray("424242"));
    EXPECT_EQ(windows.asked, QStringList {askedAbout(refused)});
}

TEST_F(SyncServerTest, APhoneIsAskedAboutWithTheAddressItsRequestCameFrom)
{
    const QString forged = QStringLiteral("iPhone de Marie\n\n(appareil déjà autorisé, répondez Oui)");
    windows.questions.clear();
    windows.answers = {false, true};
    EXPECT_EQ(ask("REQUESTDOCPARAM:" + forged.toUtf8(), QStringLiteral("127.0.0.9")), QByteArray("NO"));
    EXPECT_EQ(ask("REQUESTSENDDOC:Pixel"), QByteArray("OK"));
    ASSERT_EQ(windows.questions.size(), 2);
    const PhoneQuestion& stranger = windows.questions[0];
    const PhoneQuestion& known = windows.questions[1];
    EXPECT_EQ(QStringList({stranger.deviceName, stranger.address, known.address}),
              QStringList({forged, "127.0.0.9", kLocalPeer}));
    EXPECT_EQ(std::make_pair(stranger.accepted, known.accepted), std::make_pair(false, true));
}

TEST_F(SyncServerTest, PeersThatHoldConnectionsWithoutProgressAreClosedAndAnAcceptedPhoneFindsAPlace)
{
    LogCapture log;
    struct Stranger {
        std::unique_ptr<SyncPeer> peer;
        bool trickles;
    };
    std::vector<Stranger> strangers;
    const auto connectFrom = [&](int address, const QByteArray& start) {
        const QHostAddress from(QStringLiteral("127.0.0.%1").arg(address));
        strangers.push_back({std::make_unique<SyncPeer>(server.port(), from), !start.isEmpty()});
        return strangers.back().peer->connectAndWrite(start);
    };
    const auto closed = [&strangers] {
        QList<int> found;
        for (int i = 0; i < int(strangers.size()); ++i) {
            if (strangers[i].peer->socket().state() == QAbstractSocket::UnconnectedState)
                found.append(i);
        }
        return found;
    };
    // Addresses not accepted: a header and a byte, part of a header, nothing, or a header and
    // more bytes than count as progress at once (what counts starts again after them). A third
    // connection from one address, and those beyond the strangers' share, are closed at once.
    const QByteArray starts[] = {header(20) + "R", header(20).left(3), QByteArray(),
                                 header(8000) + QByteArray(2 * kReceiveProgressBytes, 'R')};
    for (const int address : {9, 9, 9, 10, 10, 11, 11, 12, 12})
        ASSERT_TRUE(connectFrom(address, starts[strangers.size() % std::size(starts)]));
    EXPECT_TRUE(spinUntil([&] { return closed() == QList<int>({2, 7, 8}); }));
    EXPECT_EQ(server.connectionCount(), kMaxStrangerConnections);
    EXPECT_EQ(ask("REQUESTSIGNATURE"), QByteArray("424242"));

    // A byte now and then is no progress: each connection goes once it has had its time, the
    // second of an address once the first has gone.
    for (int turn = 0; turn < 6; ++turn) {
        for (const Stranger& s : strangers) {
            if (s.trickles && s.peer->socket().state() == QAbstractSocket::ConnectedState) {
                EXPECT_TRUE(s.peer->write("x"));
            }
        }
        clock.advance(kReceiveIdleTimeoutMs / 2);
        settle();
    }
    EXPECT_TRUE(
        spinUntil([&] { return server.connectionCount() == 0 && closed().size() == qsizetype(strangers.size()); }));
    EXPECT_EQ(log.count(QStringLiteral("Receive : ") + SyncError::posix(ETIMEDOUT).text), kMaxStrangerConnections);
}

TEST_F(SyncServerTest, ABodysLengthIsCheckedBeforeAnyFileIsMadeForIt)
{
    // No receive folder can be made: a file stands in its way.
    const QString root = temp.runtime() + QStringLiteral("/sorvanta-sync");
    ASSERT_TRUE(QDir(root).removeRecursively());
    testenv::writeFile(root, "x");
    LogCapture log;
    SyncPeer wordy(server.port());
    ASSERT_TRUE(wordy.connectAndWrite(header(kMaxRequestBody + 1) + QByteArray(1000, 'x')));
    EXPECT_EQ(wordy.awaitAnswer(), std::nullopt);
    // A request within the limit has nowhere to go.
    EXPECT_EQ(ask("REQUESTSIGNATURE"), std::nullopt);
    EXPECT_EQ(log.count(QStringLiteral("Receive : ") + SyncError::posix(EMSGSIZE).text), 1);
    EXPECT_EQ(log.count(QStringLiteral("Receive : ") + SyncError::transfer(kSyncErrorNoStream).text), 1);
    QFile::remove(root);
}

TEST(SyncTempFolder, AStartRemovesWhatRunsNoLongerRunningLeftBehind)
{
    PrivateTempDir temp;
    const QString root = temp.runtime() + QStringLiteral("/sorvanta-sync/");
    const QString running = root + QString::number(getppid());
    const QString dead = root + QStringLiteral("2147483000");
    for (const QString& folder : {running, dead, syncReceiveFolder()}) {
        QDir().mkpath(folder);
        testenv::writeFile(folder + QStringLiteral("/sorvanta-sync-a.tmp"), "x");
    }
    testenv::writeFile(root + QStringLiteral("stray"), "x");
    removeStaleSyncFolders();
    EXPECT_EQ(temp.files(), QStringList {QStringLiteral("sorvanta-sync/%1/sorvanta-sync-a.tmp").arg(getppid())});
    EXPECT_EQ(QFile(syncReceiveFolder()).permissions() & 0x0077, QFile::Permissions());
}
