#include "engines/GraphEngine.h"

#include "document/DocumentSession.h"
#include "foundation/SystemClock.h"
#include "foundation/dates.h"
#include "model/DOCUMENT.h"
#include "model/POSTE.h"
#include "model/Prevision.h"
#include "support/TestDocument.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

namespace {

double at(long d, long m, long y, long hour = 0, long minute = 0, long second = 0)
{
    double t = 0;
    dmyhmsToDate(d, m, y, hour, minute, second, &t);
    return t;
}

TRANSACT transact(double when, long from, long to, double amount, long poste = -1)
{
    TRANSACT t;
    t.when = when;
    t.who1 = from;
    t.who2 = to;
    t.solde = testenv::amount(amount, amount * 2);
    t.posteID = poste;
    return t;
}

// "day/month total balance" for each point, amounts in slot 0.
std::string points(const GRAPHFILE& file)
{
    QStringList out;
    for (const DATAGRAPH& p : file.dataArray)
        out << QStringLiteral("%1/%2 %3 %4")
                   .arg(dateDay(p.when))
                   .arg(dateMonth(p.when))
                   .arg(p.total.getValueForDevise(0))
                   .arg(p.solde.getValueForDevise(0));
    return out.join(QStringLiteral(", ")).toStdString();
}

// The user's bank 10 holds accounts 7 and 9, the payees' bank 11 holds 22. Categories 20 and 21.
class GraphEngineTest : public ::testing::Test {
protected:
    DOCUMENT doc {QString(), kFileSystemLocal};
    GRAPHFILE file;

    void SetUp() override
    {
        SystemClock::setNowForTesting(at(15, 6, 2024, 12));
        testenv::addDefaultDocParam(doc);
        doc.deviseHdl = Devise::defaultDevises();
        testenv::addBanks(doc, {7, 9}, {22});
        doc.posteHdl
            = {POSTE {.ident = 20, .nom = QStringLiteral("P20")}, POSTE {.ident = 21, .nom = QStringLiteral("P21")}};
        TRANSACT split = transact(at(15, 3, 2024), 7, 22, 90, 20);
        split.addMultiWithPosteID(21, testenv::amount(60, 120), {});
        split.addMultiWithPosteID(20, testenv::amount(30, 60), {});
        doc.transact_array = {
            transact(at(15, 12, 2023), 22, 7, 500), // the opening balance
            transact(at(10, 1, 2024), 7, 22, 100),
            transact(at(5, 2, 2024), 22, 7, 1000),
            transact(at(29, 2, 2024), 7, 9, 50, 21), // between the user's accounts
            transact(at(31, 3, 2024, 23, 59, 59), 7, 22, 10),
            transact(at(1, 5, 2024), 7, 22, 999),
            transact(at(20, 2, 2024), 9, 22, 77),
            split,
        };
        DocumentSession::adopt(doc);
        follow(kGraphModeCompte, 7, at(1, 1, 2024), at(30, 4, 2024, 23, 59, 59));
    }
    void TearDown() override { DocumentSession::close(); }

    void follow(int mode, long ident, double date1, double date2)
    {
        GRAPH& g = file.header;
        g = GRAPH::newGraph(&doc);
        g.mode = mode;
        g.compteID = g.banqueID = g.posteID = g.dossierID = ident;
        g.modeDate = 0;
        g.simul = false;
        g.graph_date1 = date1;
        g.graph_date2 = date2;
    }
};

TEST_F(GraphEngineTest, PointsOfEachModeMatchTheHandComputedTable)
{
    struct Case {
        int mode;
        long ident;
        double opening;
        std::string expected;
    };
    const Case cases[] = {
        {kGraphModeCompte, 7, 500, "1/1 -100 400, 1/2 950 1350, 1/3 -100 1250, 1/4 0 1250"},
        {kGraphModeBanque, 10, 500, "1/1 -100 400, 1/2 923 1323, 1/3 -100 1223, 1/4 0 1223"},
        {kGraphModePoste, 21, 0, "1/1 0 0, 1/2 0 0, 1/3 -60 -60, 1/4 0 -60"},
    };
    for (const Case& c : cases) {
        follow(c.mode, c.ident, at(1, 1, 2024), at(30, 4, 2024, 23, 59, 59));
        ASSERT_TRUE(computeGraph(file, &doc, 0));
        EXPECT_EQ(points(file), c.expected) << "mode " << c.mode;
        EXPECT_DOUBLE_EQ(file.header.soldeInit.getValueForDevise(0), c.opening) << "mode " << c.mode;
    }
    // Every slot is carried: slot 1 holds twice the amounts.
    EXPECT_DOUBLE_EQ(file.dataArray.at(2).total.getValueForDevise(1), -120);
}

TEST_F(GraphEngineTest, MaximaAreTheLargestAbsoluteTotalAndBalance)
{
    computeGraph(file, &doc, 0);
    EXPECT_DOUBLE_EQ(file.header.maxTot.getValueForDevise(0), 950);
    EXPECT_DOUBLE_EQ(file.header.maxSol.getValueForDevise(0), 1350);
    EXPECT_DOUBLE_EQ(file.header.makeDate, dateNow());

    // A category only spent on: its largest total and balance are negative, their size counts.
    follow(kGraphModePoste, 21, at(1, 1, 2024), at(30, 4, 2024, 23, 59, 59));
    computeGraph(file, &doc, 0);
    EXPECT_DOUBLE_EQ(file.header.maxTot.getValueForDevise(0), 60);
    EXPECT_DOUBLE_EQ(file.header.maxSol.getValueForDevise(0), 60);
    EXPECT_DOUBLE_EQ(file.header.maxTot.getValueForDevise(1), 120);
}

TEST_F(GraphEngineTest, AStartOnTheThirtyFirstStepsThroughEveryMonth)
{
    follow(kGraphModeCompte, 7, at(31, 1, 2024), at(30, 4, 2024, 23, 59, 59));
    computeGraph(file, &doc, 0);
    EXPECT_EQ(points(file), "31/1 0 400, 1/2 950 1350, 1/3 -100 1250, 1/4 0 1250");
}

TEST_F(GraphEngineTest, DaysStepAcrossTheMonthEnd)
{
    follow(kGraphModeCompte, 7, at(28, 2, 2024), at(2, 3, 2024, 23, 59, 59));
    file.header.timeKind = 1;
    computeGraph(file, &doc, 0);
    EXPECT_EQ(points(file), "28/2 0 1400, 29/2 -50 1350, 1/3 0 1350, 2/3 0 1350");
}

TEST_F(GraphEngineTest, ASecondDateBeforeTheFirstGivesNoPoints)
{
    follow(kGraphModeCompte, 7, at(1, 4, 2024), at(1, 3, 2024));
    computeGraph(file, &doc, 0);
    EXPECT_TRUE(file.dataArray.isEmpty());
}

TEST_F(GraphEngineTest, ScheduleOccurrencesCountOnlyWithTheSimulation)
{
    ECHEANCIER schedule;
    schedule.ident = 5;
    schedule.transact = transact(at(1, 7, 2024), 7, 22, 200);
    schedule.planificator = Planificator(at(1, 7, 2024), Planificator::kTypeEcheancier);
    doc.echeancierHdl.append(schedule);
    follow(kGraphModeCompte, 7, at(1, 6, 2024), at(30, 9, 2024, 23, 59, 59));
    computeGraph(file, &doc, 0);
    EXPECT_EQ(points(file), "1/6 0 251, 1/7 0 251, 1/8 0 251, 1/9 0 251");
    file.header.simul = true;
    recomputeGraph(file, &doc, 0);
    EXPECT_EQ(points(file), "1/6 0 251, 1/7 -200 51, 1/8 -200 -149, 1/9 -200 -349");
}

TEST_F(GraphEngineTest, RowsStandForTheOpeningBalanceThenEachPeriod)
{
    follow(kGraphModeCompte, 7, at(31, 1, 2024), at(20, 3, 2024, 23, 59, 59));
    computeGraph(file, &doc, 0);
    ASSERT_EQ(file.dataArray.size(), 3);
    struct Case {
        long row;
        double start;
        double end;
    };
    const Case cases[] = {
        {0, 0, at(30, 1, 2024, 23, 59, 59)},
        {1, 0, at(30, 1, 2024, 23, 59, 59)},
        {2, at(1, 1, 2024), at(31, 1, 2024, 23, 59, 59)},
        {3, at(1, 2, 2024), at(29, 2, 2024, 23, 59, 59)},
        {4, at(1, 3, 2024), at(20, 3, 2024, 23, 59, 59)}, // cut at graph_date2
    };
    for (const Case& c : cases) {
        double start = -1;
        double end = -1;
        ASSERT_TRUE(graphPeriodAtRow(file, c.row, &start, &end)) << c.row;
        EXPECT_DOUBLE_EQ(start, c.start) << c.row;
        EXPECT_DOUBLE_EQ(end, c.end) << c.row;
    }
    double start = 0;
    double end = 0;
    EXPECT_FALSE(graphPeriodAtRow(file, 5, &start, &end));
}

TEST_F(GraphEngineTest, DateModesSetTheDates)
{
    GRAPH& g = file.header;
    g.modeDate = 3;
    g.forceMonth = true;
    adjustGraphDates(&doc, g, false);
    EXPECT_DOUBLE_EQ(g.graph_date1, at(1, 6, 2024));
    EXPECT_DOUBLE_EQ(g.graph_date2, at(30, 6, 2024, 23, 59, 59));
    g.modeDate = 1;
    adjustGraphDates(&doc, g, false);
    EXPECT_DOUBLE_EQ(g.graph_date1, at(1, 12, 2023));
    EXPECT_DOUBLE_EQ(g.graph_date2, at(31, 5, 2024, 23, 59, 59));
}

// Every occurrence of a daily forecast counts once, in its own month or day.
TEST_F(GraphEngineTest, DailyForecastOccurrencesFallInTheirOwnPeriods)
{
    Prevision daily;
    daily.ident = 3;
    daily.transact = transact(at(1, 6, 2024), 7, 22, 2, 20);
    daily.planificator = Planificator(at(1, 6, 2024), Planificator::kTypePrevision);
    daily.planificator->repeatTimeUnit = daily.planificator->valideTimeUnit = Planificator::kUnitDay;
    daily.planificator->permanent = true;
    doc.previsionsArray.append(daily);
    follow(kGraphModeCompte, 7, at(1, 6, 2024), at(30, 9, 2024, 23, 59, 59));
    file.header.simul = true;
    computeGraph(file, &doc, 0);
    // From today, 15 June, on.
    EXPECT_EQ(points(file), "1/6 -32 219, 1/7 -62 157, 1/8 -62 95, 1/9 -60 35");
    file.header.timeKind = 1;
    computeGraph(file, &doc, 0);
    ASSERT_EQ(file.dataArray.size(), 122);
    for (const DATAGRAPH& point : file.dataArray)
        EXPECT_DOUBLE_EQ(point.total.getValueForDevise(0), point.when < at(15, 6, 2024) ? 0 : -2);
    EXPECT_DOUBLE_EQ(file.dataArray.last().solde.getValueForDevise(0), 35);
}

} // namespace
