#include "import/ImportManager.h"
#include "support/TestEnvironment.h"
#include "support/TestFiles.h"

#include <QFileInfo>
#include <gtest/gtest.h>

TEST(ImportManager, ExportFieldsCanNeverBreakTheirRecord)
{
    EXPECT_EQ(exportFieldSeparator(kImportFormatCSV), QLatin1Char(';'));
    EXPECT_EQ(exportFieldSeparator(kImportFormatTab), QLatin1Char('\t'));
    EXPECT_EQ(exportFieldSeparator(kImportFormatQIF), QLatin1Char('\t'));
    EXPECT_EQ(exportLineEnd(kImportFormatCSV), QLatin1Char('\r'));

    const QString text = QStringLiteral("a;b\tc\r\nd");
    EXPECT_EQ(exportSanitizeField(text, kImportFormatCSV), QStringLiteral("a.b\tc  d"));
    EXPECT_EQ(exportSanitizeField(text, kImportFormatTab), QStringLiteral("a;b c  d"));
}

TEST(ImportManager, FormatsAndConfigurationFolder)
{
    EXPECT_EQ(ImportManager::nbImportExportFormat(), 4);
    EXPECT_EQ(ImportManager::getImportFormatName(kImportFormatTab), QStringLiteral("Tableur (Tabulation)"));
    EXPECT_EQ(ImportManager::getImportFormatName(kImportFormatOFX), QStringLiteral("OFX"));
    EXPECT_EQ(ImportManager::getImportFormatName(4), QStringLiteral("?"));
    EXPECT_EQ(ImportManager::getImportFormatName(-1), QStringLiteral("?"));

    QString resources;
    const QString package = testenv::package(QStringLiteral("import-config"), &resources);
    QString folder;
    ASSERT_TRUE(ImportManager::sharedInstance().getImportConfigurationFolder(&folder, package));
    EXPECT_EQ(folder, resources + QStringLiteral("/importConfigurations"));
    EXPECT_TRUE(QFileInfo(folder).isDir());
    EXPECT_FALSE(ImportManager::sharedInstance().getImportConfigurationFolder(&folder, package + QStringLiteral("x")));
    EXPECT_TRUE(folder.isEmpty());
}
