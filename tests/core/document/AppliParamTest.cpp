#include "document/APPLIPARAM.h"
#include "support/TestFiles.h"

#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

using testenv::preferenceFile;
using testenv::readFile;
using testenv::writeFile;

void writeRecord(const QByteArray& children)
{
    writeFile(preferenceFile(), "<?xml version=\"1.0\" encoding=\"UTF-8\"?><record>" + children + "</record>");
}

// Every test starts from an empty preference folder and a stale shared instance.
class AppliParam : public ::testing::Test {
protected:
    void SetUp() override { testenv::removePreferences(); }
    void TearDown() override { APPLIPARAM::disposeAppliParam(); }
};

} // namespace

TEST_F(AppliParam, FirstStartTakesTheDefaultsAndWritesTheFile)
{
    const APPLIPARAM& p = APPLIPARAM::loadAppliParam();
    EXPECT_EQ(p.nbSauvNew, 10);
    EXPECT_TRUE(p.autoSaveWhenQuit);
    EXPECT_TRUE(p.applicationWindows.isEmpty());

    const QByteArray file = readFile(preferenceFile());
    ASSERT_FALSE(file.isEmpty());
    EXPECT_TRUE(file.contains("<record><doSounds>1</doSounds>"));
    EXPECT_TRUE(file.contains("<svOptionMargeTop>50.00</svOptionMargeTop>"));
    // Scalars, then the eight gradients, then the windows.
    EXPECT_LT(file.indexOf("<optionSaisieQuick>"), file.indexOf("<colorisatorAnalyseTitre><nb>4</nb>"));
    EXPECT_LT(file.indexOf("<colorisatorBudgetSolde>"), file.indexOf("<documentWindows"));
}

TEST_F(AppliParam, MissingElementsTakeTheirDefaultsWithoutRewritingTheFile)
{
    writeRecord("<defaultSort>0</defaultSort><mn>15</mn>");
    const QByteArray before = readFile(preferenceFile());
    const APPLIPARAM& p = APPLIPARAM::loadAppliParam();
    EXPECT_FALSE(p.autoSaveWhenQuit);
    EXPECT_EQ(p.defaultSort, 2);
    EXPECT_EQ(p.mn, 15);
    EXPECT_EQ(p.nbSauvNew, 10);
    EXPECT_EQ(p.colorisatorAnalyseTitre, Colorizator::defaultColorisatorAnalyseTitre());
    EXPECT_EQ(readFile(preferenceFile()), before);
}

TEST_F(AppliParam, LegacyBackupCountWinsAndIsNeverWritten)
{
    writeRecord("<nbSauv>3</nbSauv><nbSauvNew>40</nbSauvNew>");
    EXPECT_EQ(APPLIPARAM::loadAppliParam().nbSauvNew, 10);
    APPLIPARAM::disposeAppliParam();
    writeRecord("<nbSauvNew>40</nbSauvNew><nbSauv>25</nbSauv>");
    EXPECT_EQ(APPLIPARAM::loadAppliParam().nbSauvNew, 25);
    ASSERT_TRUE(APPLIPARAM::saveAppliParam());
    const QByteArray file = readFile(preferenceFile());
    EXPECT_TRUE(file.contains("<nbSauvNew>25</nbSauvNew>"));
    EXPECT_FALSE(file.contains("<nbSauv>"));
    APPLIPARAM::disposeAppliParam();
    writeRecord("<nbSauv>-1</nbSauv><nbSauvNew>4</nbSauvNew>");
    EXPECT_EQ(APPLIPARAM::loadAppliParam().nbSauvNew, 4);
}

TEST_F(AppliParam, SavedSettingsReadBackIntoTheSameInstance)
{
    APPLIPARAM& p = APPLIPARAM::loadAppliParam();
    p.svOptionMargeLeft = 72.5f;
    p.colorisatorAnalyseSolde.setFirstColor(SVColor {0, 0.5, 1, 1});
    PARAMFEN window;
    window.fenclass = QStringLiteral("FenCalculetteController");
    window.width = 320.25f;
    p.applicationWindows = {window};
    ASSERT_TRUE(APPLIPARAM::saveAppliParam());
    EXPECT_TRUE(readFile(preferenceFile()).contains("<svOptionMargeLeft>72.50</svOptionMargeLeft>"));

    // Unsaved changes are dropped by a dispose; references kept meanwhile see the file's values.
    p.svOptionMargeLeft = 10;
    p.mn = 99;
    APPLIPARAM::disposeAppliParam();
    APPLIPARAM& again = APPLIPARAM::loadAppliParam();
    EXPECT_EQ(&again, &p);
    EXPECT_FLOAT_EQ(p.svOptionMargeLeft, 72.5f);
    EXPECT_EQ(p.mn, 0);
    EXPECT_EQ(p.colorisatorAnalyseSolde.firstColor(), (SVColor {0, 0.5, 1, 1}));
    ASSERT_EQ(p.applicationWindows.size(), 1);
    EXPECT_EQ(p.applicationWindows[0].fenclass, QStringLiteral("FenCalculetteController"));
    EXPECT_FLOAT_EQ(p.applicationWindows[0].width, 320.25f);
}

TEST_F(AppliParam, UnreadableFileIsKeptAsideBeforeTheDefaultsAreWritten)
{
    writeFile(preferenceFile(), "settings of a newer version, not XML");
    writeFile(preferenceFile() + QStringLiteral(".bad"), "an older casualty");
    EXPECT_TRUE(APPLIPARAM::loadAppliParam().autoSaveWhenQuit);
    const QString folder = QFileInfo(preferenceFile()).path();
    EXPECT_EQ(readFile(folder + QStringLiteral("/Preferences.xml-1.bad")), "settings of a newer version, not XML");
    EXPECT_EQ(readFile(preferenceFile() + QStringLiteral(".bad")), "an older casualty");
    EXPECT_TRUE(readFile(preferenceFile()).contains("<record>"));
}

TEST_F(AppliParam, ReadBackRulesBringEveryValueIntoRange)
{
    struct Case {
        long typed, aVenir, nbSauvNew, mn, everyDays;
    };
    const Case cases[] = {
        {-4, 0, 0, 0, 0}, {0, 0, 0, 0, 0},           {1, 1, 1, 5, 1},           {3, 3, 3, 5, 3},
        {5, 5, 5, 5, 5},  {100, 100, 100, 100, 100}, {250, 250, 100, 250, 250},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(APPLIPARAM::aVenirRule(c.typed), c.aVenir) << c.typed;
        EXPECT_EQ(APPLIPARAM::nbSauvNewRule(c.typed), c.nbSauvNew) << c.typed;
        EXPECT_EQ(APPLIPARAM::mnRule(c.typed), c.mn) << c.typed;
        EXPECT_EQ(APPLIPARAM::everyDaysManualSaveRule(c.typed), c.everyDays) << c.typed;
    }
    // A file written by hand keeps what a window could not set, but nothing out of range.
    writeRecord("<mn>3</mn><nbSauvNew>250</nbSauvNew><aVenir>-7</aVenir><everyDaysManualSave>-1</everyDaysManualSave>"
                "<defaultSort>42</defaultSort><optionSaisieDate>9</optionSaisieDate>"
                "<optionSaisieRubrique>-2</optionSaisieRubrique>");
    APPLIPARAM& p = APPLIPARAM::loadAppliParam();
    EXPECT_EQ(p.mn, 3);
    EXPECT_EQ(p.nbSauvNew, 100);
    EXPECT_EQ(p.aVenir, 0);
    EXPECT_EQ(p.everyDaysManualSave, 0);
    EXPECT_EQ(p.defaultSort, 2);
    EXPECT_EQ(p.optionSaisieDate, 0);
    EXPECT_EQ(p.optionSaisieRubrique, 0);
    EXPECT_TRUE(p.applyReadBackRules());
    EXPECT_EQ(p.mn, 5);
    EXPECT_FALSE(p.applyReadBackRules());
}
