#include "foundation/LoadIssues.h"
#include "foundation/SystemClock.h"
#include "foundation/dates.h"
#include "foundation/localized.h"
#include "model/AnalyseConfigFile.h"
#include "model/AnalyseConfiguration.h"
#include "model/DOCUMENT.h"
#include "support/FakeAlerts.h"
#include "support/TestEnvironment.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

namespace {

double at(long day, long month, long year, long h = 0, long m = 0, long s = 0)
{
    double t = 0;
    dmyhmsToDate(day, month, year, h, m, s, &t);
    return t;
}

class AnalyseConfigTest : public ::testing::Test {
protected:
    void SetUp() override { SystemClock::setNowForTesting(at(15, 5, 2024, 10, 30)); }
    void TearDown() override { SystemClock::setNowForTesting(std::nullopt); }

    DOCUMENT doc {QString(), kFileSystemLocal};
};

AnalyseConfiguration configured(int modeDate, bool forceMonth, double d1 = 0, double d2 = 0)
{
    AnalyseConfiguration conf;
    conf.modeDate = modeDate;
    conf.forceMonth = forceMonth;
    conf.date1 = d1;
    conf.date2 = d2;
    return conf;
}

} // namespace

TEST_F(AnalyseConfigTest, PeriodFollowsTheDateMode)
{
    AnalyseConfiguration conf = configured(kModeDateThisMonth, true);
    anaConfigUpdateDates(&doc, conf, false);
    EXPECT_EQ(conf.date1, at(1, 5, 2024));
    EXPECT_EQ(conf.date2, at(31, 5, 2024, 23, 59, 59));

    conf = configured(kModeDateThisMonth, false);
    anaConfigUpdateDates(&doc, conf, false);
    EXPECT_EQ(conf.date1, at(1, 5, 2024));
    EXPECT_EQ(conf.date2, at(15, 5, 2024, 23, 59, 59));

    // The dates given keep their days whatever forceMonth says.
    conf = configured(kModeDateGiven, true, at(10, 3, 2024, 12), at(20, 4, 2024, 8));
    anaConfigUpdateDates(&doc, conf, false);
    EXPECT_EQ(conf.date1, at(10, 3, 2024));
    EXPECT_EQ(conf.date2, at(20, 4, 2024, 23, 59, 59));

    TRANSACT early;
    early.when = at(12, 2, 2022, 9);
    TRANSACT late;
    late.when = at(3, 7, 2023, 9);
    doc.transact_array = {late, early};
    conf = configured(kModeDateNoLimit, true);
    anaConfigUpdateDates(&doc, conf, false);
    EXPECT_EQ(conf.date1, at(1, 2, 2022));
    EXPECT_EQ(conf.date2, at(31, 7, 2023, 23, 59, 59));
    conf = configured(kModeDateGiven, true, at(10, 3, 2024), at(20, 4, 2024));
    anaConfigUpdateDates(&doc, conf, true);
    EXPECT_EQ(conf.date1, at(12, 2, 2022));

    anaConfigSetDefaults(&doc, conf);
    EXPECT_EQ(conf.nom, localizedAppl(QStringLiteral("POPUP_ANALYSE_EMPTY")));
    EXPECT_TRUE(conf.showMonth && conf.showPoste && conf.showDossier && conf.forceMonth && !conf.showVirInt);
    EXPECT_EQ(conf.modeDate, kModeDateThisYear);
    EXPECT_EQ(conf.compteID, -1);
    EXPECT_EQ(conf.date1, at(1, 1, 2024));
    EXPECT_EQ(conf.date2, at(31, 5, 2024, 23, 59, 59)); // the end of this month, not of the year
}

TEST_F(AnalyseConfigTest, APeriodBeyondTwoHundredMonthsFallsBackToThisYear)
{
    AnalyseConfiguration conf = configured(kModeDateGiven, false, at(1, 1, 2001), at(31, 8, 2017));
    conf.nom = QStringLiteral("Longue");
    EXPECT_EQ(conf.numberOfMonths(), 200);
    EXPECT_TRUE(conf.assumeValideConfiguration(&doc));

    conf.date2 = at(1, 9, 2017);
    FakeAlerts alerts;
    alerts.expect(kAlertFirstButton);
    EXPECT_FALSE(conf.assumeValideConfiguration(&doc));
    ASSERT_EQ(alerts.shown.size(), 1);
    EXPECT_EQ(alerts.shown[0].information, QStringLiteral("Longue"));
    EXPECT_EQ(alerts.shown[0].message, localizedDialogue(QStringLiteral("kAlerte_CannotCompute")));
    EXPECT_EQ(conf.modeDate, kModeDateThisYear);
    EXPECT_EQ(conf.date1, at(1, 1, 2024));
}

TEST_F(AnalyseConfigTest, EveryFieldSurvivesTheFile)
{
    const QString package = testenv::package(QStringLiteral("anadef-roundtrip"));
    AnalyseConfiguration full = configured(kModeDateGiven, false, at(10, 3, 2024, 0, 0, 0) + 0.25, 0);
    full.nom = QStringLiteral("Dépenses \"maison\" & <jardin>");
    full.showPoste = false;
    full.showVirInt = true;
    full.fiscalite = kFiscaliteTaxe;
    full.modePoste = kSelectionOnly;
    full.modeCompte = kSelectionAllBut;
    full.compteID = 4242;
    full.postesArray = {7, 3, 7};
    full.dossiersArray = {2};
    full.comptesArray = {11, 12};
    full.banquesArray = {1};
    AnalyseConfiguration bare = configured(kModeDateThisMonth, true, at(1, 5, 2024), at(31, 5, 2024, 23, 59, 59));
    bare.nom = QStringLiteral("Sans listes");
    ASSERT_TRUE(saveAnaConfigs(package, {full, bare}));

    const QByteArray xml = testenv::readFile(package + QStringLiteral("/Contents/Resources/anadef8.xml"));
    EXPECT_TRUE(xml.contains("<date2>0</date2>"));
    EXPECT_EQ(xml.count("<listpostes>"), 1); // the configuration without lists writes none

    LoadIssues issues;
    const AnalyseConfigList loaded = loadAnaConfigs(package, &doc, &issues);
    EXPECT_TRUE(issues.isEmpty());
    ASSERT_EQ(loaded.size(), 2);
    EXPECT_TRUE(isSameAnalyseConfiguration(loaded[0], full));
    EXPECT_EQ(loaded[0].date1, full.date1);
    EXPECT_EQ(loaded[0].date2, 0.0);
    EXPECT_EQ(loaded[0].comptesArray, full.comptesArray);
    EXPECT_EQ(loaded[0].banquesArray, full.banquesArray);
    EXPECT_TRUE(isSameAnalyseConfiguration(loaded[1], bare));
    EXPECT_EQ(loaded[1].date2, bare.date2); // stored dates are not recomputed
    EXPECT_TRUE(loaded[1].postesArray.isEmpty() && loaded[1].banquesArray.isEmpty());
}

TEST_F(AnalyseConfigTest, MissingElementsTakeTheValuesOlderFilesRelyOn)
{
    QString resources;
    const QString package = testenv::package(QStringLiteral("anadef-legacy"), &resources);
    testenv::writeFile(resources + QStringLiteral("/anadef.xml"),
                       "<list><anaDef><nom>Ancienne</nom><listpostes><poste>5</poste><poste/></listpostes>"
                       "</anaDef><autre/></list>");
    LoadIssues issues;
    const AnalyseConfigList loaded = loadAnaConfigs(package, &doc, &issues);
    EXPECT_FALSE(issues.isEmpty()); // the empty entry
    ASSERT_EQ(loaded.size(), 3);
    EXPECT_EQ(loaded[0].nom, localizedAppl(QStringLiteral("POPUP_ANALYSE_EMPTY")));
    EXPECT_TRUE(loaded[0].showMonth);
    const AnalyseConfiguration& old = loaded[1];
    EXPECT_EQ(old.nom, QStringLiteral("Ancienne"));
    EXPECT_FALSE(old.showMonth);
    EXPECT_EQ(old.modeDate, kModeDateNoLimit);
    EXPECT_EQ(old.compteID, -1);
    EXPECT_EQ(old.date1, SystemClock::now());
    EXPECT_EQ(old.postesArray, (AnaIdentList {5, -1}));
    EXPECT_TRUE(old.showPoste && old.showDossier && old.forceMonth && !old.showVirInt);

    // The newer file wins; a damaged one is reported and the older one read instead.
    testenv::writeFile(resources + QStringLiteral("/anadef8.xml"), "not xml");
    issues = LoadIssues();
    EXPECT_EQ(loadAnaConfigs(package, &doc, &issues).size(), 3);
    EXPECT_FALSE(issues.isEmpty());
}

TEST_F(AnalyseConfigTest, APackageWithoutConfigurationsGetsTheBuiltInOnes)
{
    QString resources;
    const QString package = testenv::package(QStringLiteral("anadef-none"), &resources);
    LoadIssues issues;
    AnalyseConfigList list = loadAnaConfigs(package, &doc, &issues);
    EXPECT_TRUE(issues.isEmpty());
    ASSERT_EQ(list.size(), 3);
    EXPECT_EQ(list[1].nom, localizedMisc(QStringLiteral("kMisc_AnalyseComplete")));
    EXPECT_TRUE(list[1].showPoste);
    EXPECT_EQ(list[2].nom, localizedMisc(QStringLiteral("kMisc_AnalyseSimplifiee")));
    EXPECT_FALSE(list[2].showPoste);
    EXPECT_TRUE(list[2].showDossier);

    testenv::writeFile(resources + QStringLiteral("/anadef8.xml"), "<list/>");
    issues = LoadIssues();
    EXPECT_EQ(loadAnaConfigs(package, &doc, &issues).size(), 3);
    EXPECT_TRUE(issues.isEmpty());

    list[1].nom.clear();
    long index = 7;
    EXPECT_FALSE(findAnaConfigNamed(&list, QString(), &index));
    EXPECT_EQ(index, 0);
    EXPECT_TRUE(findAnaConfigNamed(&list, list[2].nom, &index));
    EXPECT_EQ(index, 2);
}

TEST_F(AnalyseConfigTest, SameConfigurationIgnoresDatesOutsideTheGivenMode)
{
    AnalyseConfiguration a = configured(kModeDateThisYear, true, at(1, 1, 2020), at(2, 2, 2020));
    AnalyseConfiguration b = copyAnaConfig(a);
    b.date1 = at(5, 5, 2021);
    EXPECT_TRUE(isSameAnalyseConfiguration(a, b));
    a.modeDate = b.modeDate = kModeDateGiven;
    EXPECT_FALSE(isSameAnalyseConfiguration(a, b));
    b = copyAnaConfig(a);
    b.comptesArray = {4};
    EXPECT_FALSE(isSameAnalyseConfiguration(a, b));
}

TEST_F(AnalyseConfigTest, PeriodBoundsForKind)
{
    SystemClock::setNowForTesting(at(15, 5, 2025, 14, 30));
    TRANSACT early;
    early.when = at(10, 2, 2024, 9);
    TRANSACT late;
    late.when = at(3, 3, 2024, 18);
    doc.transact_array = {late, early};
    auto bounds = [&](long kind, bool wholeMonths, bool extremeDates, double first = 0, double last = 0) {
        periodBoundsForKind(kind, &first, &last, wholeMonths, extremeDates, &doc);
        return std::pair {first, last};
    };
    EXPECT_EQ(bounds(2, false, false), std::pair(at(1, 1, 2025), at(15, 5, 2025, 23, 59, 59)));
    EXPECT_EQ(bounds(3, true, false), std::pair(at(1, 5, 2025), at(31, 5, 2025, 23, 59, 59)));
    EXPECT_EQ(bounds(1, false, false), std::pair(at(10, 2, 2024), at(3, 3, 2024, 23, 59, 59)));
    // Kind 0 takes the extreme dates when asked but never widens to whole months.
    EXPECT_EQ(bounds(0, true, true), std::pair(at(10, 2, 2024), at(3, 3, 2024, 23, 59, 59)));
    // Another kind keeps the dates given; February of a leap year ends on the 29th.
    EXPECT_EQ(bounds(4, true, false, at(10, 2, 2024, 12), at(20, 2, 2024, 12)),
              std::pair(at(1, 2, 2024), at(29, 2, 2024, 23, 59, 59)));
}
