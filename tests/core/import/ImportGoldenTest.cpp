// Each bank file of tests/data/import, decoded and parsed, gives what its golden file beside it
// says. SORV_UPDATE_GOLDEN=1 rewrites the golden files from the current reading (look at the
// difference before committing it).
#include "ImportFixtures.h"
#include "support/TestFiles.h"

#include <QJsonDocument>
#include <gtest/gtest.h>

TEST(ImportGolden, EveryBankFileReadsAsItsGoldenFileSays)
{
    const QStringList names = importfixtures::files();
    ASSERT_GE(names.size(), 7);
    const bool update = qEnvironmentVariableIntValue("SORV_UPDATE_GOLDEN") == 1;
    for (const QString& name : names) {
        SCOPED_TRACE(name.toStdString());
        const QString path = importfixtures::folder() + u'/' + name;
        const QJsonObject read = importfixtures::readBytes(testenv::readFile(path), importfixtures::formatOf(name));
        const QString goldenPath = path + QStringLiteral(".golden.json");
        if (update)
            testenv::writeFile(goldenPath, QJsonDocument(read).toJson(QJsonDocument::Indented));
        const QJsonDocument golden = QJsonDocument::fromJson(testenv::readFile(goldenPath));
        ASSERT_TRUE(golden.isObject()) << "no golden file";
        EXPECT_EQ(read, golden.object()) << QJsonDocument(read).toJson().toStdString();
    }
}
