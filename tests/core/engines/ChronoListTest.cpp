#include "engines/ChronoManager.h"

#include "document/DocumentSession.h"
#include "engines/PrevisionManager.h"
#include "foundation/SystemClock.h"
#include "foundation/dates.h"
#include "model/DOCPARAM.h"
#include "model/DOCUMENT.h"
#include "model/TOOL.h"
#include "support/TestDocument.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

namespace {

double day(long d, long m, long y)
{
    double t = 0;
    dmyhmsToDate(d, m, y, 12, 0, 0, &t);
    return t;
}

// From the user's account 7 to the payee 22: an expense of the category.
TRANSACT spending(double when, double amount, long poste)
{
    TRANSACT t;
    t.when = when;
    t.who1 = 7;
    t.who2 = 22;
    t.posteID = poste;
    t.solde = testenv::amount(amount);
    return t;
}

class FakeTable : public IChronoTable {
public:
    long selected = -1;
    int reloads = 0;
    long lastGo = -2;
    long selectedRow() const override { return selected; }
    void reloadData() override { ++reloads; }
    void GO(long row) override { lastGo = selected = row; }
};

// Folder 1 holds categories 20 and 21, folder 2 category 30; category 40 lies in no folder.
class ChronoListTest : public ::testing::Test {
protected:
    DOCUMENT doc {QString(), kFileSystemLocal};
    ChronoManager& manager = ChronoManager::sharedManager();
    FakeTable table;

    void SetUp() override
    {
        SystemClock::setNowForTesting(day(15, 6, 2024));
        testenv::addDefaultDocParam(doc);
        doc.deviseHdl = Devise::defaultDevises();
        testenv::addBanks(doc, {7}, {22});
        doc.dossierHdl = {DOSSIER(), DOSSIER()};
        doc.dossierHdl[0].ident = 1;
        doc.dossierHdl[1].ident = 2;
        for (auto [ident, dossier] : {std::pair {20L, 1L}, {21L, 1L}, {30L, 2L}, {40L, 99L}})
            doc.posteHdl.append(POSTE {.ident = ident, .dossierID = dossier, .nom = QString::number(ident)});
        DocumentSession::adopt(doc);
    }
    void TearDown() override
    {
        manager.goodbye();
        SystemClock::setNowForTesting(std::nullopt);
        DocumentSession::close();
    }

    void addSchedule(long ident, const QString& nom, long poste, bool finished, bool split = false)
    {
        ECHEANCIER e;
        e.nom = nom;
        e.transact = spending(day(1, 1, 2020), 10, poste);
        if (split)
            e.transact.multis = {MULTI(20, testenv::amount(4), {}), MULTI(30, testenv::amount(6), {})};
        e.planificator = Planificator(day(1, 1, 2020), Planificator::kTypeEcheancier);
        e.planificator.nbEcheance = 2;
        e.planificator.permanent = !finished;
        addEcheancier(e, &doc, ident, nullptr);
    }
    void addForecast(long ident, const QString& name, long poste, double amount, bool permanent = true, long every = 1)
    {
        Prevision p;
        p.name = name;
        p.transact = spending(day(1, 1, 2024), amount, poste);
        Planificator rule(day(1, 1, 2024), Planificator::kTypePrevision);
        rule.permanent = permanent;
        rule.nbEcheance = 1;
        rule.repeatTimeUnitCount = every;
        p.planificator = rule;
        PrevisionManager::sharedManager().addIndexedPrevisionReference(p, &doc, ident, nullptr);
    }

    // Rows as "D<folder>", "P<category>", "E<schedule>" and "F<forecast>"; a shaded-off row
    // (parity off) gets a trailing "'".
    std::string rows() const
    {
        static const char kLetters[] = {'E', 'F', 'D', 'P'};
        std::string out;
        for (long i = 0; i < manager.numberOfRows(); ++i) {
            const CHRONOLIST* row = manager.chronolistAtIndex(i);
            out += (out.empty() ? "" : " ") + std::string(1, kLetters[static_cast<int>(row->kind)])
                + std::to_string(row->ident) + (row->parity ? "" : "'");
        }
        return out;
    }
    std::string rowsWith(int filter)
    {
        manager.builChronoList(filter, &doc);
        return rows();
    }
};

} // namespace

TEST_F(ChronoListTest, FilterChoosesRowsAndKeepsOrDropsHeaders)
{
    addSchedule(101, QStringLiteral("Loyer"), 20, false);
    addSchedule(102, QStringLiteral("Ancien"), 20, true);
    addSchedule(103, QStringLiteral("Partage"), 20, false, true);
    addSchedule(104, QStringLiteral("Hors dossier"), 40, false);
    addForecast(201, QStringLiteral("Courses"), 30, 100);
    addForecast(202, QStringLiteral("Vacances"), 30, 100, false);
    manager.hello(&table, &doc);
    EXPECT_EQ(manager.filter(), 307);
    // 307 keeps empty headers; a run of schedules goes on across headers.
    EXPECT_EQ(rows(), "P-1 E103 D1 P20 E102' E101 P21 D2 P30 F201 F202'");
    EXPECT_EQ(manager.numberOfChronos(), 5);

    EXPECT_EQ(rowsWith(0), "");
    EXPECT_EQ(manager.numberOfRows(), 0);
    EXPECT_EQ(rowsWith(256), "P-1 D1 P20 P21 D2 P30");
    EXPECT_EQ(rowsWith(1 | 256), "P-1 E103 D1 P20 E101' P21 D2 P30");
    EXPECT_EQ(rowsWith(2), "D1 P20 E102");
    EXPECT_EQ(rowsWith(32), "D2 P30 F202");
    EXPECT_EQ(rowsWith(16 | 2), "D1 P20 E102 D2 P30 F201");

    long idx = 0;
    EXPECT_TRUE(manager.findChronoList(CHRONOLIST::Kind::Prevision, 201, &idx) && idx == 5);
    EXPECT_FALSE(manager.findChronoList(CHRONOLIST::Kind::Echeancier, 201, &idx) || idx != -1);
    manager.goodbye();
    manager.BUILD_LIST(); // no window, no list
    EXPECT_EQ(manager.numberOfRows(), 0);
}

TEST_F(ChronoListTest, ParityMenuTagsAndReselection)
{
    addSchedule(101, QStringLiteral("A"), 20, false);
    addSchedule(102, QStringLiteral("B"), 20, false);
    addSchedule(103, QStringLiteral("C"), 20, false);
    addForecast(201, QStringLiteral("F"), 20, 100);
    addSchedule(104, QStringLiteral("D"), 21, false);
    doc.docParam->chronoFilter = 1 | 16;
    manager.hello(&table, &doc);
    EXPECT_EQ(rows(), "D1 P20 E101 E102' E103 F201 P21 E104");

    table.selected = 5; // the forecast, which the new filter hides
    manager.didChooseFilter(16);
    EXPECT_EQ(doc.docParam->chronoFilter, 1);
    EXPECT_EQ(rows(), "D1 P20 E101 E102' E103 P21 E104'"); // no forecast breaks the run now
    EXPECT_EQ(table.reloads, 1);
    EXPECT_EQ(table.lastGo, -1);
    table.selected = 3;
    manager.didChooseFilter(16);
    EXPECT_EQ(table.lastGo, 3);
    table.selected = 1; // a header is not selected again
    manager.REBUILD_LIST();
    EXPECT_EQ(table.lastGo, -1);

    // {filter before, tag, filter after}. The two "toggle" tags flip both bits of their kind.
    const int cases[][3]
        = {{17, 12288, 19}, {19, 20528, 51}, {51, 24576, 3}, {1, 16384, 2}, {16, 24576, 32}, {0, 16384, 3},
           {0, 256, 256},   {257, 256, 1},   {3, 2, 1},      {3, 307, 307}, {307, 0, 0}};
    for (const auto& c : cases) {
        manager.setFilter(c[0]);
        manager.updateCurrentFilter(c[1]);
        EXPECT_EQ(manager.filter(), c[2]) << c[0] << " " << c[1];
    }
}

TEST_F(ChronoListTest, ActualiserProposesWhenSpendingMovedByTenPercent)
{
    addForecast(201, QStringLiteral("Courses"), 20, 100);
    addForecast(202, QStringLiteral("Bimestriel"), 21, 100, true, 2);
    addForecast(203, QStringLiteral("Annuel"), 30, 100, true, 24);
    addForecast(204, QStringLiteral("Ponctuel"), 40, 100, false);
    for (int m = 0; m < 12; ++m)
        doc.transact_array.append(
            spending(subMonthsFromDate(m, day(10, 6, 2024)), m < 10 ? 95 : 100, 20)); // 1,150 in all
    doc.transact_array.append(spending(day(14, 6, 2023), 5000, 20)); // one day too early
    doc.transact_array.append(spending(day(16, 6, 2024), 5000, 20)); // tomorrow
    for (long poste : {21, 30, 40})
        doc.transact_array.append(spending(day(1, 3, 2024), 1200, poste));

    MONTANT solde;
    EXPECT_EQ(manager.computeSoldeForPosteID(20, solde, 12, &doc), 12);
    EXPECT_NEAR(solde.values[0], -1150, 1e-9);

    // 95.83 a month against 100: below 10 %. Every 2 months: 1,200 / 6 = 200 against 100.
    BudgetProposalList entries = manager.buildActualiserBudgetArray(12, &doc);
    ASSERT_EQ(entries.size(), 1);
    EXPECT_EQ(entries[0].prevision->ident, 202);
    EXPECT_NEAR(entries[0].montantprevision.values[0], -200, 1e-9);

    doc.transact_array.append(spending(day(5, 6, 2024), 250, 20)); // 1,400: 116.67 a month
    entries = manager.buildActualiserBudgetArray(12, &doc);
    ASSERT_EQ(entries.size(), 2);
    EXPECT_EQ(entries[0].prevision->ident, 201);
    EXPECT_EQ(entries[0].nb, 13);
    EXPECT_NEAR(entries[0].montantprevision.values[0], -1400.0 / 12, 1e-9);
}

TEST_F(ChronoListTest, CompleterProposesUncoveredCategoriesWithAMean)
{
    addSchedule(101, QStringLiteral("Partage"), 20, false, true); // also uses 30 by a line
    addForecast(201, QStringLiteral("F"), 40, 100);
    for (long ident : {50, 60, 70})
        doc.posteHdl.append(POSTE {.ident = ident, .dossierID = 1, .nom = QString::number(ident)});
    doc.transact_array = {spending(day(1, 3, 2024), 50, 21), spending(day(2, 3, 2024), -50, 21),
                          spending(day(1, 2, 2024), 0.036, 50), spending(day(1, 2, 2024), 600, 20)};
    // Twelve tiny expenses: one a month, judged monthly, they round to nothing.
    for (int m = 0; m < 12; ++m)
        doc.transact_array.append(spending(subMonthsFromDate(m, day(10, 6, 2024)), 0.003, 60));

    const BudgetProposalList entries = manager.buildCompleterBudgetArray(12, &doc);
    ASSERT_EQ(entries.size(), 1);
    EXPECT_EQ(entries[0].posteID, 50);
    EXPECT_EQ(entries[0].nb, 1);
    EXPECT_NEAR(entries[0].montantprevision.values[0], -0.003, 1e-12);
    EXPECT_EQ(entries[0].first, firstDayOfMonth(day(15, 6, 2024)));
}
