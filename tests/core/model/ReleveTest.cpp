#include "document/DocumentSession.h"
#include "foundation/SystemClock.h"
#include "foundation/dates.h"
#include "model/DOCPARAM.h"
#include "model/DOCUMENT.h"
#include "model/ReleveCompute.h"
#include "model/TOOL.h"
#include "model/TOTAUX.h"
#include "support/TestFiles.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

namespace {

constexpr long kBanque = 10;
constexpr long kTiers = 11;
constexpr long kA = 20;
constexpr long kB = 21;
constexpr long kPayee = 30;

double at(long d, long m, long y, long h = 0)
{
    double out = 0;
    dmyhmsToDate(d, m, y, h, 0, 0, &out);
    return out;
}

MONTANT amount(double v0)
{
    MONTANT m;
    m.values = {v0, v0 * 2, 0, 0, 0};
    return m;
}

using testenv::tool;

RELEVE releve(long ident, double date)
{
    RELEVE r;
    r.ident = ident;
    r.date = date;
    return r;
}

TRANSACT transact(long who1, long releveID1, long who2, long releveID2, double v0, double when)
{
    TRANSACT t;
    t.who1 = who1;
    t.releveID1 = releveID1;
    t.who2 = who2;
    t.releveID2 = releveID2;
    t.solde = amount(v0);
    t.when = when;
    return t;
}

class ReleveTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SystemClock::setNowForTesting(at(15, 3, 2024, 10));
        doc.banqueHdl = {tool(kToolBanque, kBanque, kBanqueUser), tool(kToolBanque, kTiers, kBanqueTiers)};
        doc.compteHdl = {tool(kToolCompte, kA, kBanqueUser, kBanque), tool(kToolCompte, kB, kBanqueUser, kBanque),
                         tool(kToolCompte, kPayee, kBanqueTiers, kTiers)};
        DocumentSession::adopt(doc);
    }
    void TearDown() override
    {
        SystemClock::setNowForTesting(std::nullopt);
        DocumentSession::close();
    }
    TOOL& compte(long ident) { return *TOOL::getTool(kToolCompte, ident, &doc); }
    double v(const MONTANT& m) const { return m.values[0]; }

    DOCUMENT doc {QString(), kFileSystemLocal};
};

// The statement rules as plainly as they can be written: every statement of every account is a
// separate walk over the transactions, each date split into its calendar day.
void referenceRecompute(DOCUMENT& doc)
{
    long td = 0, tm = 0, ty = 0;
    dateToDMY(&td, &tm, &ty, SystemClock::now());
    auto movement = [&](long compteID, long releveID) {
        MONTANT acc;
        for (const TRANSACT& t : doc.transact_array) {
            long d = 0, m = 0, y = 0;
            dateToDMY(&d, &m, &y, t.when);
            if (!dmyBefore({d, m, y}, {td, tm, ty}, true))
                continue;
            if (t.who1 == compteID && t.releveID1 == releveID)
                MONTANT::subMontant(acc, t.solde, acc);
            if (t.who2 == compteID && t.releveID2 == releveID)
                MONTANT::addMontant(acc, t.solde, acc);
        }
        return acc;
    };
    for (TOOL& c : doc.compteHdl) {
        const long k = c.releves.size();
        for (long j = k - 1; j >= 0; --j) {
            c.releves[j].Rsolde = movement(c.ident, c.releves[j].ident);
            c.releves[j].solde = c.releves[j].Rsolde;
            if (j < k - 1)
                MONTANT::addMontant(c.releves[j].Rsolde, c.releves[j + 1].solde, c.releves[j].solde);
        }
        c.RsoldeSR = movement(c.ident, -1);
        c.soldeSR = c.RsoldeSR;
        if (k > 0)
            MONTANT::addMontant(c.RsoldeSR, c.releves[0].solde, c.soldeSR);
        c.solde = c.soldeSR;
    }
}

} // namespace

TEST_F(ReleveTest, StatementBalancesCascadeFromTheOldest)
{
    // S1 (ident 1, oldest) moves +100, S2 (ident 2) -30, and 20 is not ticked yet.
    compte(kA).releves = {releve(2, at(28, 2, 2024)), releve(1, at(31, 1, 2024))};
    doc.transact_array
        = {transact(kPayee, -1, kA, 1, 100, at(10, 1, 2024)), transact(kA, 2, kPayee, -1, 30, at(10, 2, 2024)),
           transact(kPayee, -1, kA, -1, 20, at(1, 3, 2024)),
           transact(kPayee, -1, kA, 7, 1000, at(1, 3, 2024))}; // a statement A doesn't have
    recomputeAllReleves(&doc, QStringLiteral("kMessage_ComputeOpen"));
    const TOOL& a = compte(kA);
    EXPECT_EQ(v(a.releves[1].solde), 100);
    EXPECT_EQ(v(a.releves[0].Rsolde), -30);
    EXPECT_EQ(v(a.releves[0].solde), 70);
    EXPECT_EQ(v(a.RsoldeSR), 20);
    EXPECT_EQ(v(a.soldeSR), 90);
    EXPECT_EQ(a.solde, amount(90)); // every currency slot
    EXPECT_EQ(v(doc.banqueHdl[0].solde), 90);
    EXPECT_EQ(v(compte(kPayee).solde), -1090);

    MONTANT balance, actif;
    TOOL::computeBalance(&doc, &balance, &actif);
    EXPECT_EQ(v(balance), -1000);
    EXPECT_EQ(v(actif), 90);

    // A change in S1 reaches S2 and the account; recomputing S2 alone leaves S1 as it was.
    doc.transact_array[0].solde = amount(150);
    computeReleve(compte(kA), 1, &doc);
    EXPECT_EQ(v(compte(kA).releves[0].solde), 120);
    EXPECT_EQ(v(compte(kA).solde), 140);
    EXPECT_EQ(v(doc.banqueHdl[0].solde), 140);
    doc.transact_array[0].solde = amount(100);
    doc.transact_array[1].solde = amount(50);
    computeReleve(compte(kA), 0, &doc);
    EXPECT_EQ(v(compte(kA).releves[1].solde), 150);
    EXPECT_EQ(v(compte(kA).releves[0].solde), 100);

    // A position beyond the list recomputes the part in no statement instead of reading outside it.
    doc.transact_array[2].solde = amount(25);
    computeReleve(compte(kA), 5, &doc);
    EXPECT_EQ(v(compte(kA).RsoldeSR), 25);
}

TEST_F(ReleveTest, OnlyTransactionsUpToTodayCountAndASelfTransferIsNeutral)
{
    doc.transact_array = {transact(kPayee, -1, kA, -1, 10, at(15, 3, 2024, 23)),
                          transact(kPayee, -1, kA, -1, 5, at(16, 3, 2024, 0)), transact(kA, -1, kA, -1, 70, 0)};
    recomputeAllReleves(&doc);
    EXPECT_EQ(v(compte(kA).solde), 10);
    SystemClock::setNowForTesting(at(16, 3, 2024, 0));
    recomputeAllReleves(&doc, QStringLiteral("kMessage_ComputeNewDay"));
    EXPECT_EQ(v(compte(kA).solde), 15);

    // Ticked on both sides in one statement, the transfer cancels out there too.
    compte(kA).releves = {releve(1, at(1, 3, 2024))};
    doc.transact_array[2].releveID1 = 1;
    doc.transact_array[2].releveID2 = 1;
    computeAllReleves(compte(kA), QString(), &doc);
    EXPECT_EQ(v(compte(kA).releves[0].Rsolde), 0);
    EXPECT_EQ(v(compte(kA).solde), 15);
}

TEST_F(ReleveTest, OnePassAgreesWithAWalkPerStatement)
{
    QRandomGenerator rng(20240315);
    for (long ident = 40; ident < 48; ++ident) {
        TOOL c = tool(kToolCompte, ident, kBanqueUser, ident % 2 ? kBanque : kTiers);
        for (long r = 1; r <= ident % 5; ++r)
            c.releves.prepend(releve(r, at(1, static_cast<long>(r), 2024)));
        doc.compteHdl.append(c);
    }
    const TOOL duplicate = doc.compteHdl[3];
    doc.compteHdl.append(duplicate); // a duplicated ident gets the same sums
    DocumentSession::adopt(doc);
    auto draw = [&rng](long from, long count) { return from + static_cast<long>(rng.bounded(quint32(count))); };
    for (int i = 0; i < 2000; ++i) {
        const long who1 = draw(40, 9); // 48 is no account
        const long who2 = draw(0, 6) == 0 ? who1 : draw(40, 9);
        // Statement idents -1..4: the accounts have up to four, so some are unknown to them.
        TRANSACT t = transact(who1, draw(-1, 6), who2, draw(-1, 6), 0, at(15, 3, 2024) + draw(-20, 40) * 43200.0);
        for (double& value : t.solde.values)
            value = rng.bounded(100000) / 100.0 - 500;
        doc.transact_array.append(t);
    }
    for (const long day : {15L, 16L}) {
        SystemClock::setNowForTesting(at(day, 3, 2024, 12));
        recomputeAllReleves(&doc);
        const ToolList onePass = doc.compteHdl;
        referenceRecompute(doc);
        for (long i = 0; i < doc.compteHdl.size(); ++i) {
            EXPECT_EQ(onePass[i].solde, doc.compteHdl[i].solde) << i;
            EXPECT_EQ(onePass[i].RsoldeSR, doc.compteHdl[i].RsoldeSR) << i;
            for (long j = 0; j < doc.compteHdl[i].nbReleve(); ++j) {
                EXPECT_EQ(onePass[i].releves[j].Rsolde, doc.compteHdl[i].releves[j].Rsolde) << i << ' ' << j;
                EXPECT_EQ(onePass[i].releves[j].solde, doc.compteHdl[i].releves[j].solde) << i << ' ' << j;
            }
        }
        computeAllReleves(doc.compteHdl[5], QString(), &doc);
        EXPECT_EQ(onePass[5].solde, doc.compteHdl[5].solde);
    }
}

TEST_F(ReleveTest, StatementsOfAnAccountAreKeptNewestFirst)
{
    TOOL& a = compte(kA);
    EXPECT_EQ(a.newReleveID(), 1);
    // Each statement with the position given and the position it takes; undated ones keep the
    // given place, held inside the list.
    const std::tuple<RELEVE, long, long> appends[] = {{releve(1, at(31, 1, 2024)), 0, 0},
                                                      {releve(2, at(29, 2, 2024)), 1, 0},
                                                      {releve(3, at(15, 2, 2024)), 0, 1},
                                                      {releve(4, 0), 99, 3},
                                                      {releve(5, at(1, 1, 2024)), 0, 3}};
    for (const auto& [r, given, taken] : appends) {
        long index = given;
        a.appendReleve(r, &index, &doc);
        EXPECT_EQ(index, taken) << r.ident;
    }
    EXPECT_EQ(a.newReleveID(), 6);
    long index = 0;
    EXPECT_TRUE(a.findReleveID(3, &index) && index == 1);
    EXPECT_TRUE(a.findReleveID(-1, &index) && index == -1);
    EXPECT_FALSE(a.findReleveID(9, &index));
    EXPECT_EQ(index, 5);
    EXPECT_EQ(a.releveAtIndex(5), nullptr);
    EXPECT_EQ(a.releveAtIndex(-1), nullptr);

    a.releves[0].nom_v3 = QStringLiteral("Février");
    EXPECT_EQ(a.getReleveStringNS(2), QStringLiteral("Février"));
    EXPECT_EQ(a.getReleveStringNS(3), QStringLiteral("15/02/2024"));
    EXPECT_EQ(a.getReleveStringNS(9), QString());
    a.unappendReleve(7);
    a.unappendReleve(0);
    EXPECT_EQ(a.releves[0].ident, 3);
}

TEST_F(ReleveTest, ProposedDateOfTheNextStatement)
{
    TOOL& a = compte(kA);
    EXPECT_EQ(a.getNewReleveDate(), SystemClock::now()); // no statement days
    a.dateReleve0 = 5;
    a.dateReleve1 = 20;
    a.releves = {releve(1, at(5, 3, 2024))};
    EXPECT_EQ(a.getNewReleveDate(), at(20, 3, 2024));
    a.releves = {releve(1, at(20, 12, 2024))};
    EXPECT_EQ(a.getNewReleveDate(), at(5, 1, 2025));
    a.releves = {releve(2, 0), releve(1, at(20, 3, 2024))}; // an undated statement doesn't count
    EXPECT_EQ(a.getNewReleveDate(), at(5, 4, 2024));
    a.releves.clear();
    EXPECT_EQ(a.getNewReleveDate(), at(5, 3, 2024)); // on the 15th
    SystemClock::setNowForTesting(at(3, 1, 2024, 9));
    EXPECT_EQ(a.getNewReleveDate(), at(20, 12, 2023));

    a.dateReleve0 = 1;
    a.dateReleve1 = 10;
    a.dateReleve2 = 20;
    a.dateReleve3 = 28;
    const std::pair<double, double> cases[] = {{at(29, 4, 2024, 18), at(28, 4, 2024)},
                                               {at(5, 4, 2024, 18), at(1, 4, 2024)},
                                               {at(1, 4, 2024, 0), at(1, 4, 2024)}};
    for (const auto& [today, expected] : cases) {
        SystemClock::setNowForTesting(today);
        EXPECT_EQ(a.getNewReleveDate(), expected);
    }
    a.dateReleve0 = 5;
    SystemClock::setNowForTesting(at(3, 4, 2024, 18));
    EXPECT_EQ(a.getNewReleveDate(), at(28, 3, 2024));

    RELEVE proposed;
    proposed.initForCompte(&a);
    EXPECT_EQ(proposed.date, at(28, 3, 2024));
    EXPECT_EQ(proposed.ident, -1);
}

TEST_F(ReleveTest, LockedStatementsRefuseTicking)
{
    TOOL& a = compte(kA);
    a.releves = {releve(2, at(29, 2, 2024)), releve(1, at(31, 1, 2024))};
    a.locked_releve_to_date = at(31, 1, 2024);
    EXPECT_FALSE(a.releveCanPointer(1)); // dated exactly at the lock date
    EXPECT_TRUE(a.releveCanPointer(0));
    compte(kB).releves = {releve(1, at(1, 1, 2024))};
    compte(kB).locked_releve_to_date = at(1, 2, 2024);

    bool deb = true, cre = true;
    EXPECT_TRUE(transactCanPointer(transact(kA, 2, kB, -1, 1, 0), &deb, &cre, &doc));
    EXPECT_FALSE(deb || cre);
    EXPECT_FALSE(transactCanPointer(transact(kA, 1, kB, 1, 1, 0), &deb, &cre, &doc));
    EXPECT_TRUE(deb);
    EXPECT_FALSE(cre); // the credit side is not looked at once the debit side is locked
    EXPECT_FALSE(transactCanPointer(transact(kA, 9, kB, 1, 1, 0), &deb, &cre, &doc));
    EXPECT_FALSE(deb);
    EXPECT_TRUE(cre);
    EXPECT_TRUE(transactCanPointerAux(1, 99, &doc)); // no such account
}

TEST_F(ReleveTest, StatementListingTotals)
{
    TOTAUX tot;
    const MONTANT report = amount(-50);
    const MONTANT row = amount(80);
    const TRANSACT credit = transact(kPayee, -1, kA, 1, 80, 0);
    TOOL::computeTotauxLReleve({&credit, &row, &report}, tot, kA, -1, &doc);
    EXPECT_EQ(tot.total3, amount(50));
    EXPECT_EQ(v(tot.total5), 80);
    EXPECT_EQ(v(tot.total2), 0);
    EXPECT_EQ(v(tot.total1), 0);
    EXPECT_EQ(tot.total4, amount(30));

    // Against the bank, a debit of its account; no opening amount leaves both opening totals zero.
    const TRANSACT debit = transact(kA, -1, kPayee, -1, 100, 0);
    TOOL::computeTotauxLReleve({&debit, &row, nullptr}, tot, -1, kBanque, &doc);
    EXPECT_EQ(v(tot.total2), 80);
    EXPECT_EQ(v(tot.total3), 0);
    EXPECT_EQ(v(tot.total1), 0);
    EXPECT_EQ(v(tot.total4), 0);
}

TEST_F(ReleveTest, ArchivingAThirdPartyRecomputesTheBalances)
{
    doc.compteHdl.append(tool(kToolCompte, 50, kBanqueTiers, kTiers));
    DocumentSession::adopt(doc);
    doc.transact_array = {transact(kPayee, -1, kA, -1, 40, at(1, 3, 2024))};
    recomputeAllReleves(&doc);
    testenv::addDefaultDocParam(doc);
    doc.docParam->defaultCompteHistorique = 50;
    EXPECT_TRUE(TOOL::archiverCompteTiers(compte(kPayee), &doc));
    EXPECT_EQ(v(compte(kPayee).solde), 0);
    EXPECT_EQ(v(compte(50).solde), -40);
    EXPECT_EQ(v(compte(kA).solde), 40);
}
