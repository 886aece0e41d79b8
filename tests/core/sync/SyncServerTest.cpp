// The server against a peer playing the phone over loopback: every request word, the phone's
// transactions, and what a careless or hostile peer may do.
#include "SyncTestSupport.h"

#include "core/import/ImportDocument.h"
#include "support/OpenDocument.h"
#include "support/TestEnvironment.h"

#include "document/APPLIPARAM.h"
#include "foundation/SystemClock.h"
#include "foundation/broadcast.h"
#include "foundation/localized.h"
#include "model/DOCPARAM.h"
#include "model/DOCUMENT.h"
#include "sync/ServerAppDelegate.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace synctest;

namespace {

constexpr long kSignature = 424242;
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

// Listens to the broadcast as a window would.
class SyncListener : public QObject {
    Q_OBJECT
public:
    SyncListener() { registerWindowController(this); }
    ~SyncListener() override { unregisterWindowController(this); }
    Q_INVOKABLE void notifyDidSynchonize(QVariant, QVariant) { ++heard; }
    int heard = 0;
};

// The banks and accounts every document has come with idents drawn at random: numbered here from
// 100 on, so that the lists the phone gets read the same every time.
void numberDrawnTools(DOCUMENT& doc)
{
    static const QSet<long> fixed {1, 2, 3, 5, importdoc::kCompte, importdoc::kLivret, 10, 11, importdoc::kBoulangerie};
    QHash<long, long> idents;
    long next = 100;
    for (TOOL& banque : doc.banqueHdl) {
        if (!fixed.contains(banque.ident))
            banque.ident = idents[banque.ident] = next++;
    }
    for (TOOL& compte : doc.compteHdl) {
        if (!fixed.contains(compte.ident))
            compte.ident = next++;
        compte.ownerID = idents.value(compte.ownerID, compte.ownerID);
    }
}

class SyncServerTest : public ::testing::Test {
protected:
    SyncServerTest()
    {
        SystemClock::setNowForTesting(importdoc::kNow);
        importdoc::fill(doc);
        numberDrawnTools(doc);
        doc.docParam->docSignature = kSignature;
        doc.docParam->docSignatureIsNew = true;
        doc.moyenHdl = {MOYEN::allocNewMoyen(9, importdoc::kCompte)};
        doc.dossierHdl = {DOSSIER::allocNewDossier({}, 1)};
        doc.dossierHdl[0].nom = QStringLiteral("Courant");
        open = std::make_unique<testenv::OpenDocument>(doc);
        informSynchro = std::exchange(APPLIPARAM::loadAppliParam().informSynchro, false);
        server.start(&doc);
    }
    ~SyncServerTest() override
    {
        server.stopWithStatus();
        APPLIPARAM::loadAppliParam().informSynchro = informSynchro;
        SystemClock::setNowForTesting(std::nullopt);
    }

    std::optional<QByteArray> ask(const QByteArray& request)
    {
        SyncPeer peer(server.port());
        return peer.exchange(request);
    }
    SyncState state() const { return server.state(QHostAddress(kLocalPeer)); }
    // "OK" to "REQUESTSENDDOC", then the transactions: the answer to them.
    std::optional<QByteArray> sendTransactions(const QByteArray& list)
    {
        windows.answers.push_back(true);
        EXPECT_EQ(ask("REQUESTSENDDOC:Pixel"), QByteArray("OK"));
        return ask(list);
    }
    long synced() const
    {
        return std::count_if(doc.transact_array.begin(), doc.transact_array.end(),
                             [](const TRANSACT& t) { return t.synchroID == 1; });
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

QVariantMap record(long debit, long credit, double montant, long devise = 0)
{
    return {{"debitID", qlonglong(debit)},
            {"creditID", qlonglong(credit)},
            {"posteID", qlonglong(importdoc::kAlimentation)},
            {"kind", qlonglong(11)},
            {"variante", qlonglong(-1)},
            {"devise", qlonglong(devise)},
            {"when", importdoc::kNow - 86400.0},
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
    const QString noName = localizedDialogue(QStringLiteral("kConfirm_iPhone_no_name"));
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
    EXPECT_EQ(log.linesStartingWith(QStringLiteral("Unknown request : ")).size(), unknown);
    EXPECT_EQ(log.linesStartingWith(QStringLiteral("Unknown request : REQUESTDOCPARAM")).size(), 1);
    EXPECT_EQ(windows.told, QStringList {"kMessage_Embarquement_iPhone_OK|1"});
    EXPECT_EQ(doc.docParam->docSignature, kSignature);
    EXPECT_EQ(server.connectionCount(), 0);
}

TEST_F(SyncServerTest, ADocumentTakenTheFirstTimeGetsANewSignatureSavedInItsPackage)
{
    const QString url = testenv::freshDir(QStringLiteral("sig")) + QStringLiteral("/Maison.svd");
    ASSERT_TRUE(QDir().mkpath(url + QStringLiteral("/Contents/Resources")));
    doc.documentUrl = url;
    doc.docParam->docSignatureIsNew = false;
    windows.answers = {true, true};
    ASSERT_TRUE(ask("REQUESTDOCPARAM:Pixel"));
    const long drawn = doc.docParam->docSignature;
    EXPECT_TRUE(doc.docParam->docSignatureIsNew);
    bool error = false;
    EXPECT_EQ(DOCPARAM::loadDocParam(url, &error)->docSignature, drawn);
    ASSERT_TRUE(ask("REQUESTDOCPARAM:Pixel"));
    EXPECT_EQ(doc.docParam->docSignature, drawn);
}

TEST_F(SyncServerTest, StoresABatchWholeOrNotAtAllAndAnswersAccordingly)
{
    const QVariantMap good = record(importdoc::kCompte, importdoc::kBoulangerie, -12.5);
    const QVariantMap dollars = record(importdoc::kCompte, importdoc::kBoulangerie, -11.0, 2);
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
        EXPECT_EQ(synced(), c.count);
        EXPECT_EQ(doc.transact_array.size(), c.count);
        EXPECT_EQ(doc.docParam->lastSynchro, c.stored ? importdoc::kNow : 0.0);
        EXPECT_EQ(state(), c.stored ? SyncState::TransactionsReceived : SyncState::Idle);
        for (const TRANSACT& t : doc.transact_array)
            EXPECT_EQ(t.synchroDate, importdoc::kNow);
    }
    EXPECT_EQ(log.linesStartingWith(QStringLiteral("Synchronisation refusée : ")).size(), 13);

    doc.transact_array.clear();
    ASSERT_EQ(sendTransactions(phonePlist({good, dollars}, PlistForm::Xml)), QByteArray("ACK"));
    ASSERT_EQ(doc.transact_array.size(), 2);
    const TRANSACT& first = doc.transact_array[0];
    EXPECT_EQ(first.who1, importdoc::kCompte);
    EXPECT_EQ(first.who2, importdoc::kBoulangerie);
    EXPECT_EQ(first.moyen, 11);
    EXPECT_EQ(first.ref, QStringLiteral("R1"));
    EXPECT_EQ(first.why, QStringLiteral("Marché"));
    EXPECT_DOUBLE_EQ(first.solde.getValueForDevise(0), -12.5);
    const TRANSACT& second = doc.transact_array[1];
    EXPECT_EQ(second.devise, 2);
    EXPECT_DOUBLE_EQ(second.solde.getValueForDevise(2), -11.0);
    EXPECT_NEAR(second.solde.getValueForDevise(0), -12.1, 1e-9); // 1.1 euros to the dollar
}

TEST_F(SyncServerTest, TellsTheUserAndListsTheBatchWhenAskedTo)
{
    APPLIPARAM::loadAppliParam().informSynchro = true;
    SyncListener listener;
    const QVariantMap good = record(importdoc::kCompte, importdoc::kBoulangerie, -12.5);
    EXPECT_EQ(sendTransactions(phonePlist({good, good}, PlistForm::Xml)), QByteArray("ACK"));
    SystemClock::setNowForTesting(importdoc::kNow + 60);
    EXPECT_EQ(sendTransactions(phonePlist({}, PlistForm::Xml)), QByteArray("ACK"));
    EXPECT_EQ(windows.told, QStringList({"kMessage_Debarquement_iPhone_OK|0", "kMessage_Debarquement_iPhone_OK|0"}));
    EXPECT_EQ(windows.listings, QList<long>({2, 0}));
    EXPECT_EQ(listener.heard, 2);
}

TEST_F(SyncServerTest, ATransferThatFailsKeepsThePhoneWaitingAndANewStartForgetsIt)
{
    LogCapture log;
    windows.answers.push_back(true);
    ASSERT_EQ(ask("REQUESTSENDDOC:Pixel"), QByteArray("OK"));
    const QByteArray list = phonePlist({record(importdoc::kCompte, importdoc::kBoulangerie, -1)}, PlistForm::Binary);
    SyncPeer broken(server.port());
    ASSERT_TRUE(broken.connectAndWrite(frame(list, true)));
    EXPECT_EQ(broken.awaitAnswer(), std::nullopt);
    EXPECT_EQ(log.linesStartingWith(QStringLiteral("Receive : ")).size(), 1);
    EXPECT_EQ(state(), SyncState::WaitingTransactions);

    // Another document (or the same opened again) takes no transactions meant for the last one.
    server.stopWithStatus();
    server.start(&doc);
    EXPECT_EQ(state(), SyncState::Idle);
    EXPECT_EQ(ask(list), std::nullopt);
    EXPECT_EQ(synced(), 0);
}

TEST_F(SyncServerTest, KeepsServingWhatever50PeersAndHostileOnesDo)
{
    settle();
    const int fds = openFileDescriptors();
    LogCapture log;
    std::vector<std::unique_ptr<SyncPeer>> peers;
    for (int i = 0; i < 50; ++i) {
        peers.push_back(std::make_unique<SyncPeer>(server.port()));
        ASSERT_TRUE(peers.back()->connectAndWrite(frame("REQUESTSIGNATURE")));
    }
    SyncPeer tooLong(server.port());
    ASSERT_TRUE(tooLong.connectAndWrite(header(kMaxFrameBody + 1) + QByteArray(1000, 'x')));
    SyncPeer cut(server.port());
    ASSERT_TRUE(cut.connectAndWrite(frame("REQUESTSIGNATURE").left(10)));
    cut.socket().disconnectFromHost();
    SyncPeer silent(server.port());
    ASSERT_TRUE(silent.connectAndWrite(header(20) + "REQ"));
    for (auto& peer : peers)
        EXPECT_EQ(peer->awaitAnswer(), QByteArray("424242"));
    EXPECT_EQ(tooLong.awaitAnswer(), std::nullopt);
    ASSERT_TRUE(spinUntil([this] { return server.connectionCount() == 1; }));
    clock.advance(kFrameIdleTimeoutMs);
    EXPECT_EQ(silent.awaitAnswer(), std::nullopt);
    EXPECT_EQ(log.linesStartingWith(QStringLiteral("Receive : ")).size(), 3);
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
    SyncPeer started(server.port());
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

TEST_F(SyncServerTest, PublishesTheDocumentUnderItsFolderAndNameOrItsSignature)
{
    EXPECT_EQ(publisher->name, QStringLiteral("424242"));
    EXPECT_EQ(publisher->type, QStringLiteral("_http._tcp"));
    EXPECT_EQ(publisher->port, server.port());
    DOCUMENT packaged(QStringLiteral("/home/lea/Documents/Maison.svd"), kFileSystemLocal);
    EXPECT_EQ(ServerAppDelegate::serviceNameForDocumentCopy(&packaged), QStringLiteral(".../Documents/Maison.svd"));
    EXPECT_EQ(ServerAppDelegate::serviceNameForDocumentCopy(nullptr), QStringLiteral("?"));

    const quint16 port = server.port();
    server.start(&doc);
    EXPECT_EQ(server.port(), port);
    emit publisher->didNotPublish(QStringLiteral("no daemon"));
    EXPECT_TRUE(server.isRunning());
    EXPECT_EQ(ask("REQUESTSIGNATURE"), QByteArray("424242"));
    server.stopWithStatus();
    server.stopWithStatus();
    EXPECT_FALSE(server.isRunning());
    EXPECT_EQ(server.port(), 0);
    EXPECT_EQ(publisher->stops, 2);
}

#include "SyncServerTest.moc"
