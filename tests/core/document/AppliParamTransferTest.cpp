#include "document/AppliParamTransfer.h"
#include "document/APPLIPARAM.h"
#include "support/TestEnvironment.h"
#include "support/TestFiles.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

using testenv::preferenceFile;
using testenv::readFile;
using testenv::writeFile;

// Every test starts with a preference file of defaults except mn = 5, read into the instance.
class AppliParamTransfer : public ::testing::Test {
protected:
    void SetUp() override
    {
        testenv::removePreferences();
        APPLIPARAM::loadAppliParam().mn = 5;
        ASSERT_TRUE(APPLIPARAM::saveAppliParam());
        dir = testenv::freshDir(QStringLiteral("transfer"));
    }
    void TearDown() override { APPLIPARAM::disposeAppliParam(); }

    QString dir;
};

} // namespace

TEST_F(AppliParamTransfer, ExportCopiesTheFile)
{
    const QString target = dir + "/Preferences.xml";
    writeFile(target, "older export");
    const AppliParamTransferResult r = exportAppliParamTo(target);
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.alertKey, "kAlerte_ExportPreferencesSuccess");
    EXPECT_EQ(readFile(target), readFile(preferenceFile()));
    EXPECT_EQ(exportAppliParamTo(dir + "/missing folder/p.xml").alertKey, "kAlerte_CantExportPreferences");

    QFile::remove(preferenceFile());
    EXPECT_EQ(exportAppliParamTo(target).alertKey, "kAlerte_CantFindPreferences");
    EXPECT_EQ(importAppliParamFrom(target).alertKey, "kAlerte_CantFindPreferences");
}

TEST_F(AppliParamTransfer, ImportReplacesTheFileAndRereadsTheSettings)
{
    APPLIPARAM& shared = APPLIPARAM::loadAppliParam();
    const QString chosen = dir + "/chosen.xml";
    writeFile(chosen, "<?xml version=\"1.0\" encoding=\"UTF-8\"?><record><mn>15</mn></record>");
    const AppliParamTransferResult r = importAppliParamFrom(chosen);
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.alertKey, "kAlerte_ImportPreferencesSuccess");
    EXPECT_EQ(readFile(preferenceFile()), readFile(chosen));
    EXPECT_EQ(shared.mn, 15);
}

TEST_F(AppliParamTransfer, ImportRefusesAnythingButAPreferenceFile)
{
    const QByteArray before = readFile(preferenceFile());
    const QString chosen = dir + "/chosen.xml";
    for (const QByteArray& content : {QByteArray("just some text"), QByteArray("<list><record/></list>")}) {
        writeFile(chosen, content);
        const AppliParamTransferResult r = importAppliParamFrom(chosen);
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.alertKey, "kAlerte_CantImportPreferences");
        EXPECT_EQ(readFile(preferenceFile()), before);
        APPLIPARAM::disposeAppliParam();
        EXPECT_EQ(APPLIPARAM::loadAppliParam().mn, 5);
    }
    EXPECT_FALSE(importAppliParamFrom(dir + "/absent.xml").ok);
}

TEST_F(AppliParamTransfer, ImportedValuesAreBroughtIntoRangeBeforeUse)
{
    const QString chosen = dir + "/chosen.xml";
    writeFile(chosen,
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?><record><mn>2</mn><nbSauvNew>500</nbSauvNew>"
              "<aVenir>-3</aVenir></record>");
    ASSERT_TRUE(importAppliParamFrom(chosen).ok);
    const APPLIPARAM& shared = APPLIPARAM::loadAppliParam();
    EXPECT_EQ(shared.mn, 5);
    EXPECT_EQ(shared.nbSauvNew, 100);
    EXPECT_EQ(shared.aVenir, 0);
    APPLIPARAM::disposeAppliParam();
    EXPECT_EQ(APPLIPARAM::loadAppliParam().mn, 5) << "the file in force holds the values in force";
}
