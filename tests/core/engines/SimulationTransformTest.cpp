// A computed simulation written into a document as a loan with its schedule: all of it, or, when
// the user abandons the due pass, nothing at all.
#include "engines/SimulationTransform.h"

#include "document/DocumentSession.h"
#include "foundation/SystemClock.h"
#include "foundation/dates.h"
#include "model/DOCUMENT.h"
#include "model/ECHEANCIER.h"
#include "model/FINANCE.h"
#include "model/TOOL.h"
#include "support/FakeAppShell.h"
#include "support/TestDocument.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

namespace {

double ymd(long year, long month, long day)
{
    double date = 0;
    dmyToDate(day, month, year, &date);
    return date;
}

class SimulationTransform : public ::testing::Test {
protected:
    DOCUMENT doc {QString(), kFileSystemLocal};
    FakeAppShell shell;
    ScopedAppShell installed {&shell};
    SIMULrec rec;
    TRANSACT templ;

    void SetUp() override
    {
        SystemClock::setNowForTesting(ymd(2024, 5, 15));
        doc.deviseHdl = Devise::defaultDevises();
        testenv::addDefaultDocParam(doc);
        testenv::addBanks(doc, {7, 9}, {22, 5});
        rec.kind = kSimulationConstantPayment;
        rec.taux = 3.6;
        rec.nbMensu = 12;
        rec.montant = testenv::amount(12000);
        TOTAUX total;
        ASSERT_TRUE(computeSimulation(rec, total));
        templ = TRANSACT::allocNewTransact(&doc);
        templ.when = ymd(2024, 1, 31);
        templ.who1 = 7;
        templ.who2 = 22;
    }
    void TearDown() override { SystemClock::setNowForTesting(std::nullopt); }

    double solde(long compte) { return TOOL::getTool(kToolCompte, compte, &doc)->solde.values[0]; }

    struct Snapshot {
        qsizetype transacts, echeanciers, emprunts, indexed;
        double solde7, solde22, solde5;
        bool operator==(const Snapshot&) const = default;
    };
    Snapshot snapshot()
    {
        return {doc.transact_array.size(),
                doc.echeancierHdl.size(),
                doc.empruntHdl.size(),
                doc.echeancierIndex.size(),
                solde(7),
                solde(22),
                solde(5)};
    }
};

} // namespace

TEST(SimulationDates, InstalmentsKeepTheirDayHeldToTheMonthsEnd)
{
    const double first = ymd(2024, 1, 31) + 3600 * 10;
    const struct {
        long k;
        double expected;
    } cases[] = {
        {1, ymd(2024, 1, 31)},   {2, ymd(2024, 2, 29)},  {3, ymd(2024, 3, 31)},  {4, ymd(2024, 4, 30)},
        {12, ymd(2024, 12, 31)}, {13, ymd(2025, 1, 31)}, {14, ymd(2025, 2, 28)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(simulInstalmentDate(first, c.k), c.expected + 3600 * 10) << c.k;
}

TEST_F(SimulationTransform, AbandonedDuePassLeavesTheDocumentAsItWas)
{
    const Snapshot before = snapshot();
    shell.awakeResult = 0;
    EXPECT_EQ(makeSimulData(rec, templ, QStringLiteral("Maison"), &doc, nullptr), SimulTransformResult::Abandoned);
    ASSERT_EQ(shell.awakeLists.size(), 1);
    EXPECT_GT(shell.awakeLists[0].size(), 0); // January to May were due
    EXPECT_EQ(snapshot(), before);
}

TEST_F(SimulationTransform, AcceptedMakesLoanScheduleContributionAndCorrection)
{
    const double solde7 = solde(7);
    ASSERT_EQ(makeSimulData(rec, templ, QStringLiteral("Maison"), &doc, nullptr), SimulTransformResult::Done);
    ASSERT_EQ(doc.empruntHdl.size(), 1);
    const FINANCE& emprunt = doc.empruntHdl[0];
    EXPECT_EQ(emprunt.nom, QStringLiteral("Maison"));
    ASSERT_EQ(doc.echeancierHdl.size(), 1);
    const ECHEANCIER& echeancier = doc.echeancierHdl[0];
    EXPECT_EQ(echeancier.nom, QStringLiteral("Maison"));
    EXPECT_EQ(echeancier.transact.empruntID, emprunt.ident);
    EXPECT_EQ(echeancier.planificator.nbEcheance, 1);
    ASSERT_EQ(echeancier.perso.size(), 11);
    EXPECT_EQ(echeancier.perso[0].transact.when, ymd(2024, 2, 29));
    EXPECT_EQ(echeancier.perso[10].transact.when, ymd(2024, 12, 31));
    EXPECT_NEAR(echeancier.perso[10].transact.solde.values[0], rec.rows[11].total1.values[0], 0.005);

    // The contribution brings the capital, the correction takes it back out of the user's account:
    // every amount stored positive, and account 7 where it was.
    ASSERT_EQ(doc.transact_array.size(), 2);
    const TRANSACT& apport = doc.transact_array[0];
    EXPECT_EQ(apport.who1, 22);
    EXPECT_EQ(apport.who2, 7);
    EXPECT_EQ(apport.when, ymd(2024, 1, 31));
    EXPECT_NEAR(apport.solde.values[0], 12000, 0.005);
    const TRANSACT& correction = doc.transact_array[1];
    EXPECT_GT(correction.solde.values[0], 0);
    EXPECT_TRUE((correction.who1 == 5) != (correction.who2 == 5));
    EXPECT_NEAR(solde(7), solde7, 0.005);
}

TEST_F(SimulationTransform, OneRowMakesNoCustomOccurrence)
{
    rec.nbMensu = 2;
    rec.kind = kSimulationFixedCapital;
    rec.mensu = testenv::amount(20000);
    TOTAUX total;
    ASSERT_TRUE(computeSimulation(rec, total));
    ASSERT_EQ(rec.rows.size(), 1u);
    ASSERT_EQ(makeSimulData(rec, templ, QStringLiteral("Court"), &doc, nullptr), SimulTransformResult::Done);
    ASSERT_EQ(doc.echeancierHdl.size(), 1);
    EXPECT_TRUE(doc.echeancierHdl[0].perso.isEmpty());
}
