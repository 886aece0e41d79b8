#include "model/TransactOps.h"

#include "document/DocContext.h"
#include "document/DocumentSession.h"
#include "foundation/ISounds.h"
#include "foundation/SystemClock.h"
#include "foundation/broadcast.h"
#include "foundation/localized.h"
#include "model/DOCUMENT.h"
#include "model/ReleveCompute.h"
#include "model/ToolTree.h"
#include "model/TransactBatch.h"
#include "support/TestDocument.h"
#include "support/TestFiles.h"

#include <QObject>
#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <optional>

namespace {

constexpr double kNow = 800000000.0;
constexpr double kYesterday = kNow - 86400.0;

// A window controller that writes down every transaction broadcast it receives.
class Recorder : public QObject {
    Q_OBJECT
public:
    Recorder() { registerWindowController(this); }
    ~Recorder() override { unregisterWindowController(this); }
    QStringList calls;

    Q_INVOKABLE void MAKE_TRANSACT(const QVariant& i, const QVariant& f) { note("MAKE_TRANSACT", i, f); }
    Q_INVOKABLE void REPLACE_TRANSACT(const QVariant& i, const QVariant& f) { note("REPLACE_TRANSACT", i, f); }
    Q_INVOKABLE void DELETE_TRANSACT(const QVariant& i, const QVariant& f) { note("DELETE_TRANSACT", i, f); }
    Q_INVOKABLE void didReplaceTransactAtIndexes(const QVariant& l, const QVariant& f) { note("didReplace", l, f); }
    Q_INVOKABLE void didDeleteTransactAtIndexes(const QVariant& l, const QVariant&) { note("didDelete", l, {}); }
    Q_INVOKABLE void UPDATE_AVENIR() { calls << QStringLiteral("UPDATE_AVENIR"); }
    Q_INVOKABLE void COMPUTE_ANALYSE_NOTIFICATION() { calls << QStringLiteral("COMPUTE_ANALYSE_NOTIFICATION"); }
    Q_INVOKABLE void DID_CHANGE_TRANSACT() { calls << QStringLiteral("DID_CHANGE_TRANSACT"); }

private:
    void note(const char* name, const QVariant& i, const QVariant& f)
    {
        QStringList positions;
        for (const QVariant& position : i.typeId() == QMetaType::QVariantList ? i.toList() : QVariantList {i})
            positions << QString::number(position.toLongLong());
        calls << QStringLiteral("%1:%2:%3").arg(QLatin1String(name), positions.join(u',')).arg(int(f.toBool()));
    }
};

class CountingSounds : public ISounds {
public:
    int played = 0;
    void playSoundTransact() override { ++played; }
};

const QStringList kFollowUps {"UPDATE_AVENIR", "COMPUTE_ANALYSE_NOTIFICATION", "DID_CHANGE_TRANSACT"};

using testenv::tool;

class TransactOps : public ::testing::Test {
protected:
    DOCUMENT doc {QString(), kFileSystemLocal};
    Recorder recorder;
    CountingSounds sounds;

    void SetUp() override
    {
        SystemClock::setNowForTesting(kNow);
        installSounds(&sounds);
        // User accounts 7 and 9; 7 holds statement 1. Payee 22; 5 takes opening balances.
        testenv::addBanks(doc, {7, 9}, {22, 5});
        RELEVE releve;
        releve.ident = 1;
        releve.date = kYesterday;
        compte(7).releves = {releve};
    }
    void TearDown() override
    {
        installSounds(nullptr);
        SystemClock::setNowForTesting(std::nullopt);
        DocumentSession::close();
    }

    TOOL& compte(long ident) { return *getTool(kToolCompte, ident, &doc); }
    double rsoldeSR(long ident) { return compte(ident).RsoldeSR.values[0]; }
    double releveMovement(long ident) { return compte(ident).releves[0].Rsolde.values[0]; }

    TRANSACT transfer(long from, long to, double amount, long releve1 = -1)
    {
        TRANSACT t = TRANSACT::allocNewTransact(&doc);
        t.when = kYesterday;
        t.who1 = from;
        t.who2 = to;
        t.releveID1 = releve1;
        t.solde.values.fill(amount);
        return t;
    }
    long store(const TRANSACT& t)
    {
        long index = -1;
        makeTransact(t, &index, &doc, false, false);
        return index;
    }
};

} // namespace

TEST_F(TransactOps, MakeBroadcastsOnlyForTheLastTransactionOfANotifiedChange)
{
    long index = -1;
    EXPECT_TRUE(makeTransact(transfer(7, 22, 10), &index, &doc, true, false));
    EXPECT_TRUE(makeTransact(transfer(7, 22, 20), &index, &doc, false, true));
    EXPECT_EQ(index, 1);
    EXPECT_TRUE(recorder.calls.isEmpty());
    EXPECT_EQ(sounds.played, 0);
    EXPECT_DOUBLE_EQ(rsoldeSR(7), -30);
    EXPECT_DOUBLE_EQ(rsoldeSR(22), 30);

    EXPECT_TRUE(makeTransact(transfer(9, 7, 5), &index, &doc, true, true));
    EXPECT_EQ(recorder.calls, QStringList {"MAKE_TRANSACT:2:1"} + kFollowUps);
    EXPECT_EQ(sounds.played, 1);
    EXPECT_DOUBLE_EQ(rsoldeSR(7), -25);

    // A transaction made already ticked counts in its statement at once.
    store(transfer(7, 22, 40, 1));
    EXPECT_DOUBLE_EQ(releveMovement(7), -40);
    EXPECT_DOUBLE_EQ(compte(7).solde.values[0], -65);
}

TEST_F(TransactOps, ReplaceAndDeleteBroadcastEachNotifiedRowAndRefreshOnceForTheLast)
{
    for (int i = 0; i < 10; ++i)
        store(transfer(7, 22, i));
    EXPECT_TRUE(replaceTransact(transfer(7, 22, 100), 2, &doc, true, false, true));
    EXPECT_EQ(recorder.calls, QStringList {"REPLACE_TRANSACT:2:1"});
    EXPECT_EQ(sounds.played, 0);

    recorder.calls.clear();
    EXPECT_TRUE(replaceTransact(transfer(7, 22, 100), 2, &doc, true, true, false));
    EXPECT_EQ(recorder.calls, QStringList {"REPLACE_TRANSACT:2:0"} + kFollowUps);
    EXPECT_EQ(sounds.played, 1);

    recorder.calls.clear();
    EXPECT_TRUE(deleteTransact(3, &doc, true, true));
    EXPECT_EQ(recorder.calls, QStringList {"DELETE_TRANSACT:3:1"} + kFollowUps);
    EXPECT_EQ(sounds.played, 2);
    ASSERT_EQ(doc.transact_array.size(), 9);
    EXPECT_DOUBLE_EQ(doc.transact_array[3].solde.values[0], 4);
    EXPECT_DOUBLE_EQ(rsoldeSR(22), 100 + 45 - 2 - 3);

    // An index outside the list changes nothing and tells no window.
    recorder.calls.clear();
    EXPECT_FALSE(replaceTransact(transfer(7, 22, 1), 9, &doc, true, true, true));
    EXPECT_FALSE(deleteTransact(-1, &doc, true, true));
    EXPECT_FALSE(deleteTransact(9, &doc, true, true));
    EXPECT_TRUE(recorder.calls.isEmpty());
    ASSERT_EQ(doc.transact_array.size(), 9);
}

// Inside a batch the list changes at once; the statements and the windows catch up once per run of
// one kind of change, before a run of another kind, and when the batch ends. The balances are
// those the operations one at a time give.
TEST_F(TransactOps, ABatchTellsEachRunOfChangesOnceAndRecomputesTheStatementsOnce)
{
    DOCUMENT alone {QString(), kFileSystemLocal};
    testenv::addBanks(alone, {7, 9}, {22, 5});
    getTool(kToolCompte, 7, &alone)->releves = compte(7).releves;
    for (DOCUMENT* target : {&alone, &doc}) {
        for (int i = 0; i < 6; ++i)
            makeTransact(transfer(7, 22, 10 + i, i % 2 ? 1 : -1), nullptr, target, false, false);
    }
    for (DOCUMENT* target : {&alone, &doc}) {
        std::optional<TransactBatch> batch;
        if (target == &doc)
            batch.emplace(&doc);
        recorder.calls.clear();
        replaceTransact(transfer(9, 22, 100, -1), 1, target, true, false, true);
        replaceTransact(transfer(7, 22, 200, 1), 4, target, true, true, false);
        replaceTransact(transfer(7, 9, 5), 0, target, false, false, false);
        if (batch) {
            EXPECT_EQ(target->transact_array[1].who1, 9);
            EXPECT_DOUBLE_EQ(rsoldeSR(9), 0) << "the statements wait for the batch";
            EXPECT_TRUE(recorder.calls.isEmpty());
        }
        if (batch) {
            // Together, as the list's delete does; a repeated or missing position is passed over.
            EXPECT_TRUE(deleteTransacts({2, 3, 3, 99}, target, true, true));
        } else {
            deleteTransact(2, target, true, false);
            deleteTransact(2, target, true, true);
        }
        long made = -1;
        makeTransact(transfer(22, 7, 1), &made, target, true, true);
    }
    EXPECT_EQ(recorder.calls,
              QStringList {"didReplace:1,4:0"} + kFollowUps + QStringList {"didDelete:2,2:0"} + kFollowUps
                  + QStringList {"MAKE_TRANSACT:4:1"} + kFollowUps);
    EXPECT_EQ(sounds.played, 3 + 3);
    for (const long ident : {7L, 9L, 22L}) {
        const TOOL& batched = compte(ident);
        const TOOL& single = *getTool(kToolCompte, ident, &alone);
        EXPECT_DOUBLE_EQ(batched.solde.values[0], single.solde.values[0]) << ident;
        EXPECT_DOUBLE_EQ(batched.RsoldeSR.values[0], single.RsoldeSR.values[0]) << ident;
        for (qsizetype r = 0; r < batched.releves.size(); ++r)
            EXPECT_DOUBLE_EQ(batched.releves[r].solde.values[0], single.releves[r].solde.values[0]) << ident;
    }
    EXPECT_DOUBLE_EQ(releveMovement(7), -200 - 15);
}

// The banks window's "Balance" and "Actif" and the balance sheet add up the banks' stored totals:
// after a batch of any kind each bank holds the sum of its accounts, not the one from before.
TEST_F(TransactOps, AfterABatchEveryBankHoldsTheSumOfItsAccounts)
{
    struct Kind {
        const char* name;
        std::function<void()> run;
    };
    const Kind kinds[] = {
        {"import de tout",
         [this] {
             for (int i = 0; i < 6; ++i)
                 makeTransact(transfer(i % 2 ? 9 : 7, 22, 30 + i), nullptr, &doc, true, i == 5);
         }},
        {"modification multiple",
         [this] {
             for (int i = 0; i < 4; ++i)
                 replaceTransact(transfer(9, 5, 300 + i, -1), i, &doc, true, i == 3, false);
         }},
        {"suppression groupée",
         [this] {
             for (int i = 0; i < 3; ++i)
                 deleteTransact(0, &doc, true, i == 2);
         }},
    };
    buildToolArbo(&doc);
    for (const Kind& kind : kinds) {
        SCOPED_TRACE(kind.name);
        doc.transact_array.clear();
        recomputeAllReleves(&doc);
        for (int i = 0; i < 4; ++i)
            store(transfer(7, 22, 10 + i, i % 2 ? 1 : -1));
        {
            const TransactBatch batch(&doc);
            kind.run();
        }
        MONTANT all, user;
        for (const TOOL& banque : doc.banqueHdl) {
            MONTANT sum;
            for (const TOOL& c : doc.compteHdl) {
                if (c.ownerID == banque.ident)
                    MONTANT::addMontant(sum, c.solde, sum);
            }
            EXPECT_EQ(banque.solde.values, sum.values) << "banque " << banque.ident;
            MONTANT::addMontant(all, sum, all);
            if (banque.bType != kBanqueTiers)
                MONTANT::addMontant(user, sum, user);
        }
        MONTANT balance, actif;
        TOOL::computeBalance(&doc, &balance, &actif);
        EXPECT_EQ(balance.values, all.values);
        EXPECT_EQ(actif.values, user.values);
        EXPECT_NE(actif.values[0], 0.0);
    }
}

TEST_F(TransactOps, ReplaceRecomputesWhereTheOldAndTheNewVersionsCount)
{
    store(transfer(7, 22, 50, 1));
    store(transfer(7, 22, 8));
    EXPECT_DOUBLE_EQ(releveMovement(7), -50);

    // Moving the ticked debit side from 7 to 9: 7's statement loses it, 9 counts it unticked.
    EXPECT_TRUE(replaceTransact(transfer(9, 22, 50), 0, &doc, false, false, false));
    EXPECT_DOUBLE_EQ(releveMovement(7), 0);
    EXPECT_DOUBLE_EQ(compte(7).solde.values[0], -8);
    EXPECT_DOUBLE_EQ(rsoldeSR(9), -50);

    // Ticking on an unchanged side moves the amount from the unticked part to the statement.
    EXPECT_TRUE(replaceTransact(transfer(7, 22, 8, 1), 1, &doc, false, false, false));
    EXPECT_DOUBLE_EQ(releveMovement(7), -8);
    EXPECT_DOUBLE_EQ(rsoldeSR(7), 0);
    EXPECT_DOUBLE_EQ(compte(7).solde.values[0], -8);

    // A missing new account: replaced all the same, answered false.
    EXPECT_FALSE(replaceTransact(transfer(7, 404, 8, 1), 1, &doc, false, false, false));
    EXPECT_EQ(doc.transact_array[1].who2, 404);
}

TEST_F(TransactOps, ChangingAnOpeningBalanceClearsInitedOnBothAccounts)
{
    TRANSACT init = TRANSACT::initialisationTransact(7, MONTANT(), 0, kYesterday, &doc);
    compte(7).inited = compte(5).inited = true;
    store(init);
    store(init);
    EXPECT_TRUE(compte(7).inited);
    EXPECT_TRUE(replaceTransact(init, 0, &doc, false, false, false));
    EXPECT_FALSE(compte(7).inited);
    EXPECT_FALSE(compte(5).inited);

    compte(7).inited = compte(5).inited = true;
    EXPECT_TRUE(deleteTransact(1, &doc, false, false));
    EXPECT_FALSE(compte(7).inited || compte(5).inited);
}

TEST_F(TransactOps, ChequeReferencesRaiseTheBookNumberOnlyUpward)
{
    long moyenIndex = -1;
    ASSERT_TRUE(getMoyenIndex(doc.moyenHdl, kFamilyChequeDebit, 7, &moyenIndex, &doc));
    VARIANTE book;
    book.ident = 2;
    book.lastNumero = 100;
    doc.moyenHdl[moyenIndex].variantes = {book};
    const auto lastNumero = [&] { return doc.moyenHdl[moyenIndex].variantes[0].lastNumero; };
    const auto cheque = [&](int family, const char* ref, long variante) {
        TRANSACT t = transfer(7, 22, 1);
        t.moyen = family;
        t.ref = QString::fromLatin1(ref);
        t.variante = variante;
        return t;
    };

    store(cheque(kFamilyChequeDebit, "CHQ0105", 2));
    EXPECT_EQ(lastNumero(), 105);
    store(cheque(kFamilyChequeDebit, "CHQ0103", 2));
    store(cheque(kFamilyChequeDebit, "", 2));
    store(cheque(kFamilyChequeDebit, "CHQ0200", 3));
    store(cheque(kFamilyCarteDebit, "CHQ0300", 2));
    EXPECT_EQ(lastNumero(), 105);
    EXPECT_TRUE(replaceTransact(cheque(kFamilyVirementInterne, "V0110", 2), 1, &doc, false, false, false));
    EXPECT_EQ(lastNumero(), 110);
    store(cheque(kFamilyGuichetDebit, "G99999999999999999999999", 2));
    EXPECT_EQ(lastNumero(), std::numeric_limits<long>::max());
}

TEST_F(TransactOps, ChecksReportTheFirstFaultAndResetABadAmount)
{
    TRANSACT t = transfer(7, 22, std::numeric_limits<double>::infinity());
    t.posteID = -1;
    EXPECT_EQ(goodTransact(t, -1, &doc), kBadTransMontant);
    EXPECT_TRUE(t.solde.nullMontant());
    EXPECT_EQ(goodTransact(t, -1, &doc), kBadTransPoste);

    t.posteID = 2;
    t.moyen = kFamilyChequeDebit;
    t.variante = 2;
    long moyenIndex = -1;
    ASSERT_TRUE(getMoyenIndex(doc.moyenHdl, kFamilyChequeDebit, 7, &moyenIndex, &doc));
    EXPECT_EQ(goodTransact(t, moyenIndex, &doc), kBadTransMoyen);
    doc.moyenHdl[moyenIndex].variantes = {VARIANTE()};
    doc.moyenHdl[moyenIndex].variantes[0].ident = 2;
    EXPECT_EQ(goodTransact(t, moyenIndex, &doc), 0);

    t.who2 = 7;
    EXPECT_EQ(goodTransact(t, moyenIndex, &doc), kBadTransSameCompte);
    t.who2 = 404;
    EXPECT_EQ(goodTransact(t, moyenIndex, &doc), kBadTransNoCompte);

    for (int code : {kBadTransMontant, kBadTransPoste, kBadTransMoyen, kBadTransNoCompte, kBadTransSameCompte, 99})
        EXPECT_NE(localizedStringForKey(transErrToKey(code), QStringLiteral("Dialogue")), transErrToKey(code));
    EXPECT_EQ(transErrToKey(99), "kAlerte_BadTrans");
}

TEST_F(TransactOps, DeletingQueuesOnlyTheStoredAttachmentsOfTheDocument)
{
    TRANSACT t = transfer(7, 22, 1);
    t.attachedDocuments = {{"Facture", "Facture.pdf", ""}, {"Reçu", "", "/tmp/recu.pdf"}};
    store(t);
    EXPECT_TRUE(deleteTransact(0, &doc, false, false));
    EXPECT_EQ(doc.storedDocToDeleteArray, QStringList {"Facture.pdf"});
    t.attachedDocuments[0].docStoreName = QStringLiteral("Devis.pdf");
    store(transfer(7, 22, 2));
    store(t);
    EXPECT_TRUE(deleteTransacts({0, 1}, &doc, false, false));
    EXPECT_EQ(doc.storedDocToDeleteArray, (QStringList {"Facture.pdf", "Devis.pdf"}));
    EXPECT_TRUE(doc.transact_array.isEmpty());
}

#include "TransactOpsTest.moc"
