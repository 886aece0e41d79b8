#include "model/Planificator.h"
#include "engines/PlanificatorWalk.h"
#include "foundation/SystemClock.h"
#include "foundation/dates.h"
#include "foundation/xmlmember.h"
#include "model/PlanificatorXml.h"
#include "model/TRANSACT.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

double at(long day, long month, long year, long hour = 0, long minute = 0, long second = 0)
{
    double t = 0;
    dmyhmsToDate(day, month, year, hour, minute, second, &t);
    return t;
}

// The local wall-clock reading; the time only when it isn't midnight, so a step that slips off
// midnight shows.
std::string wall(double t)
{
    const QDateTime dt = dateToDateTime(t);
    const QString format
        = dt.time() == QTime(0, 0) ? QStringLiteral("dd/MM/yyyy") : QStringLiteral("dd/MM/yyyy HH:mm:ss");
    return dt.toString(format).toStdString();
}

std::string join(const std::vector<std::string>& parts)
{
    std::string out;
    for (const std::string& p : parts)
        out += (out.empty() ? "" : " ") + p;
    return out;
}

struct Rule {
    double first = at(15, 1, 2024);
    int32_t unit = Planificator::kUnitMonth;
    long count = 1;
    long nb = 12;
    bool permanent = false;
    int32_t recType = 0;
    int32_t recUnit = Planificator::kUnitYear;
    long recCount = 1;
    long recNb = 1;
    bool recPermanent = false;
    int32_t dateEcriture = 0;
    int32_t type = Planificator::kTypeEcheancier;
    double lastWrite = 0;

    Planificator make() const
    {
        Planificator p(first, type);
        p.repeatTimeUnit = unit;
        p.repeatTimeUnitCount = count;
        p.nbEcheance = nb;
        p.permanent = permanent;
        p.reconductionType = recType;
        p.reconductionTimeUnit = recUnit;
        p.reconductionTimeUnitCount = recCount;
        p.reconductionNbEcheance = recNb;
        p.reconductionPermanent = recPermanent;
        p.dateEcriture = dateEcriture;
        p.lastWriteDate = lastWrite;
        return p;
    }
};

// Every step of a walk to the horizon: "*date" for a renewal marker, "date+" for a written one.
std::string walk(const Planificator& rule, double maxDate)
{
    std::vector<std::string> out;
    const PlanificatorWalk::ChronoBlock record = [&](bool written, bool reconduction, double d, double) {
        out.push_back((reconduction ? "*" : "") + wall(d) + (written ? "+" : ""));
    };
    PlanificatorWalk w(rule);
    for (int guard = 0; guard < 1000 && w.chronoLoop(maxDate, record); ++guard) { }
    return join(out);
}

struct WalkCase {
    const char* name;
    Rule rule;
    const char* expected;
    double maxDate = at(1, 1, 2200);
};

} // namespace

TEST(Planificator, WalksHandOutTheRightOccurrences)
{
    const WalkCase cases[] = {
        {"monthly x12",
         {},
         "15/01/2024 15/02/2024 15/03/2024 15/04/2024 15/05/2024 15/06/2024 15/07/2024 15/08/2024 15/09/2024 "
         "15/10/2024 15/11/2024 15/12/2024"},
        {"yearly renewal once",
         {.nb = 3, .recType = 1},
         "15/01/2024 15/02/2024 15/03/2024 *15/01/2025 15/01/2025 15/02/2025 15/03/2025"},
        {"renewing for ever up to the horizon",
         {.nb = 2, .recType = 1, .recPermanent = true},
         "15/01/2024 15/02/2024 *15/01/2025 15/01/2025 15/02/2025 *15/01/2026 15/01/2026",
         at(20, 1, 2026)},
        {"renewal shorter than the period overlaps",
         {.nb = 3, .recType = 1, .recUnit = Planificator::kUnitMonth},
         "15/01/2024 15/02/2024 15/03/2024 *15/02/2024 15/02/2024 15/03/2024 15/04/2024"},
        {"permanent ignores nbEcheance",
         {.nb = 2, .permanent = true},
         "15/01/2024 15/02/2024 15/03/2024",
         at(20, 3, 2024)},
        {"written compares the raw date",
         {.nb = 4, .lastWrite = at(15, 3, 2024)},
         "15/01/2024+ 15/02/2024+ 15/03/2024+ 15/04/2024"},
        {"end of month in a leap year",
         {.first = at(10, 1, 2024), .nb = 4, .dateEcriture = 1},
         "31/01/2024 23:59:59 29/02/2024 23:59:59 31/03/2024 23:59:59 30/04/2024 23:59:59"},
        {"end of month in 2100, no leap year",
         {.first = at(10, 1, 2100), .nb = 2, .dateEcriture = 1},
         "31/01/2100 23:59:59 28/02/2100 23:59:59"},
        {"end of month: written by the raw first of the month",
         {.first = at(10, 1, 2024), .nb = 3, .dateEcriture = 1, .lastWrite = at(15, 2, 2024)},
         "31/01/2024 23:59:59+ 29/02/2024 23:59:59+ 31/03/2024 23:59:59"},
        {"end of month with a renewal",
         {.first = at(10, 1, 2024), .nb = 2, .recType = 1, .dateEcriture = 1},
         "31/01/2024 23:59:59 29/02/2024 23:59:59 *01/01/2025 31/01/2025 23:59:59 28/02/2025 23:59:59"},
        {"yearly from 29 February",
         {.first = at(29, 2, 2024), .unit = Planificator::kUnitYear, .nb = 3},
         "29/02/2024 01/03/2025 01/03/2026"},
        {"weekly over the spring change keeps midnight",
         {.first = at(25, 3, 2024), .unit = Planificator::kUnitWeek, .nb = 3},
         "25/03/2024 01/04/2024 08/04/2024"},
        {"daily over the autumn change keeps midnight",
         {.first = at(26, 10, 2024), .unit = Planificator::kUnitDay, .nb = 3},
         "26/10/2024 27/10/2024 28/10/2024"},
        // Rules a damaged file may hold: each ends instead of handing the same date for ever.
        {"unknown repeat unit", {.unit = 7, .permanent = true}, "15/01/2024"},
        {"repeat count 0", {.count = 0}, ""},
        {"renewal of 0 units for ever",
         {.nb = 2, .recType = 1, .recCount = 0, .recPermanent = true},
         "15/01/2024 15/02/2024"},
        {"unknown renewal unit for ever",
         {.nb = 2, .recType = 1, .recUnit = 9, .recPermanent = true},
         "15/01/2024 15/02/2024"},
        {"negative renewal count", {.nb = 1, .recType = 1, .recCount = -1, .recNb = 5}, "15/01/2024"},
    };
    for (const WalkCase& c : cases)
        EXPECT_EQ(walk(c.rule.make(), c.maxDate), c.expected) << c.name;
}

TEST(Planificator, WalkStoppedEarlyLeavesTheRuleAsItWas)
{
    // An end-of-month schedule walks from the first of its month; the rule saved afterwards doesn't.
    const Planificator rule = Rule {.first = at(10, 1, 2024), .dateEcriture = 1}.make();
    PlanificatorWalk w(rule);
    ASSERT_TRUE(w.chronoLoop(at(1, 1, 2030), {}));
    EXPECT_EQ(wall(w.firstDate()), "01/01/2024 00:00:01");
    auto doc = std::make_unique<pugi::xml_document>();
    ASSERT_TRUE(w.rule().appendXMLToTree(*doc, "planificator"));
    EXPECT_EQ(wall(Planificator::allocFromXMLTree(doc->child("planificator"), 0)->firstDate), "10/01/2024");
}

TEST(Planificator, CustomOccurrencesRepeatEveryRenewalByAFixedNumberOfSeconds)
{
    const QList<PlanificatorWalk::PersoDate> perso = {{at(10, 1, 2024), false}, {at(20, 3, 2024), true}};
    auto run = [&](const Rule& r, double maxDate = at(1, 1, 2200)) {
        PlanificatorWalk w(r.make());
        w.startChronoLoopPerso();
        std::vector<std::string> out;
        w.chronoLoopPerso(perso, maxDate, [&](qsizetype index, double d, bool done, double) {
            out.push_back(std::to_string(index) + ":" + wall(d) + (done ? "+" : ""));
        });
        return join(out);
    };
    // 2024 has 366 days: shifted by that many seconds, the dates move a day each renewal.
    EXPECT_EQ(run({.recType = 1, .recNb = 2}),
              "0:10/01/2024 1:20/03/2024+ 0:10/01/2025 1:21/03/2025+ 0:11/01/2026 1:22/03/2026+");
    EXPECT_EQ(run({.recType = 1, .recPermanent = true}, at(31, 12, 2025)),
              "0:10/01/2024 1:20/03/2024+ 0:10/01/2025 1:21/03/2025+");
    EXPECT_EQ(run({.dateEcriture = 1}), "0:31/01/2024 23:59:59 1:31/03/2024 23:59:59+");
    // Renewal steps that don't move forward: one pass, not the same dates again and again.
    EXPECT_EQ(run({.recType = 1, .recCount = 0, .recPermanent = true}), "0:10/01/2024 1:20/03/2024+");
    EXPECT_EQ(run({.recType = 1, .recUnit = 9, .recNb = 3}), "0:10/01/2024 1:20/03/2024+");
}

TEST(Planificator, ValidityEndsAndDurations)
{
    Planificator f(at(15, 1, 2024), Planificator::kTypePrevision);
    EXPECT_EQ(wall(f.computeValideToDate(at(15, 3, 2024))), "14/04/2024 23:59:59");
    EXPECT_EQ(wall(f.firstDate + f.totalDurationEcheance()), "14/01/2025 23:59:59");
    f.valideTimeUnit = 8;
    EXPECT_EQ(f.computeValideToDate(at(15, 3, 2024)), 0);
    f.valideType = Planificator::kValideEndOfMonth;
    EXPECT_EQ(wall(f.computeValideToDate(at(15, 2, 2100))), "28/02/2100 23:59:59");
    EXPECT_EQ(wall(f.endOfPrevisionEcheance(at(15, 2, 2024))), "29/02/2024 23:59:59");

    Planificator s = Rule {.first = at(15, 3, 2024), .dateEcriture = 1}.make();
    EXPECT_EQ(wall(s.firstDate + s.totalDurationEcheance()), "28/02/2025 23:59:59");
    // 31 March 2024 is an hour short in Paris; an unknown unit has no length.
    EXPECT_EQ(s.oneEcheanceDuration(), 31 * 86400.0 - 3600);
    EXPECT_EQ(s.oneEcheanceDurationWithTimeUnit(6, 1), 0);

    Planificator r = Rule {.nb = 3, .recType = 1}.make();
    // Start of the last renewal (15 January 2025) + one period, then the end of the next day.
    EXPECT_EQ(wall(r.firstDate + r.totalDuration()), "17/03/2025 23:59:59");
    SystemClock::setNowForTesting(at(1, 1, 2025));
    EXPECT_FALSE(r.isFinished());
    r.reconductionType = 0;
    EXPECT_TRUE(r.isFinished());
    r.permanent = true;
    EXPECT_EQ(r.totalDurationEcheance(), -1);
    EXPECT_FALSE(r.isFinished());
    SystemClock::setNowForTesting(std::nullopt);
}

TEST(Planificator, StartOfTheRenewalPeriodHoldingADate)
{
    Planificator r = Rule {.nb = 3, .recType = 1, .recPermanent = true}.make();
    EXPECT_EQ(wall(r.absoluteFirstDateFromPlanificator(at(10, 3, 2026))), "15/01/2026");
    // Between two periods, and before the first: the date itself.
    EXPECT_EQ(wall(r.absoluteFirstDateFromPlanificator(at(1, 6, 2024))), "01/06/2024");
    r.reconductionTimeUnitCount = 0;
    EXPECT_EQ(wall(r.absoluteFirstDateFromPlanificator(at(20, 3, 2026))), "20/03/2026");
    r.reconductionType = 0;
    EXPECT_EQ(wall(r.absoluteFirstDateFromPlanificator(at(20, 3, 2026))), "15/01/2024");
}

TEST(Planificator, SubTreeRoundTripsAndMissingChildrenTakeDefaults)
{
    Planificator p = Rule {.first = 1234.5,
                           .unit = 1,
                           .count = 3,
                           .nb = 7,
                           .permanent = true,
                           .recType = 1,
                           .recCount = 2,
                           .recNb = 4,
                           .recPermanent = true,
                           .dateEcriture = 1,
                           .type = 1,
                           .lastWrite = 99.25}
                         .make();
    p.valideType = 1;
    p.valideTimeUnit = 2;
    p.valideTimeUnitCount = 9;
    p.avance = 5;
    p.nbWriteEch = 11;
    p.nbWritePEch = 2;
    p.budgetShift = -3;
    p.budgetShiftReference = 1;

    auto doc = std::make_unique<pugi::xml_document>();
    pugi::xml_node record = doc->append_child("record");
    ASSERT_TRUE(p.appendXMLToTree(record, kPlanificatorElementName));
    const pugi::xml_node element = record.child("planificator");
    std::string names;
    for (pugi::xml_node c = element.first_child(); c; c = c.next_sibling())
        names += std::string(c.name()) + "=" + c.text().get() + " ";
    EXPECT_EQ(
        names,
        "firstDate=1234.500000 repeatTimeUnitCount=3 repeatTimeUnit=1 nbEcheance=7 permanent=1 reconductionType=1 "
        "reconductionTimeUnit=3 reconductionTimeUnitCount=2 reconductionNbEcheance=4 reconductionPermanent=1 "
        "valideType=1 valideTimeUnit=2 valideTimeUnitCount=9 dateEcriture=1 avance=5 lastWriteDate=99.250000 "
        "nbWriteEch=11 nbWritePEch=2 budgetShift=-3 budgetShiftReference=1 ");
    EXPECT_EQ(Planificator::allocFromXMLTree(element, Planificator::kTypePrevision), p);
    EXPECT_EQ(Planificator::allocFromXMLTree(record.append_child("planificator"), 0), Planificator(0, 0));
    EXPECT_FALSE(Planificator::allocFromXMLTree(pugi::xml_node(), 0));
}

TEST(Planificator, OlderRecordsMigrate)
{
    SystemClock::setNowForTesting(at(1, 6, 2024, 12));
    auto doc = std::make_unique<pugi::xml_document>();
    pugi::xml_node record = doc->append_child("record");
    xmlAppendLong(record, "tousLes", 3);
    xmlAppendInt(record, "periode", 1);
    xmlAppendLong(record, "nbEcheance", 5);
    TRANSACT model;
    model.when = at(17, 3, 2024);

    // Without a last write date, everything up to the migration counts as written already.
    const Planificator s = Planificator::tryPlanificatorMigration(record, model, Planificator::kTypeEcheancier);
    EXPECT_EQ(walk(s, at(1, 1, 2030)), "17/03/2024+ 07/04/2024+ 28/04/2024+ 19/05/2024+ 09/06/2024");
    EXPECT_EQ(s.valideType, Planificator::kValideOwnDate);
    xmlAppendBool(record, "forcer", true);
    EXPECT_EQ(Planificator::tryPlanificatorMigration(record, model, Planificator::kTypeEcheancier).dateEcriture, 1);

    const Planificator f = Planificator::tryPlanificatorMigration(record, model, Planificator::kTypePrevision);
    EXPECT_EQ(wall(f.firstDate), "01/03/2024 00:00:01");
    EXPECT_EQ(f.valideType, Planificator::kValideEndOfMonth);
    EXPECT_EQ(f.dateEcriture, 0);

    Planificator bare
        = Planificator::tryPlanificatorMigration(doc->append_child("record"), model, Planificator::kTypeEcheancier);
    bare.lastWriteDate = 0;
    bare.valideType = Planificator::kValideLength;
    EXPECT_EQ(bare, Planificator(model.when, Planificator::kTypeEcheancier));
    SystemClock::setNowForTesting(std::nullopt);
}
