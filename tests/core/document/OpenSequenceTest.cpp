// The opening of a package up to its loaded document: password, preferences, backup, version gate,
// loading and the cleaning of the payment means; and the creation of a new package.
#include "document/APPLIPARAM.h"
#include "document/BEFOREPARAM.h"
#include "model/DOCUMENT.h"
#include "document/DocContext.h"
#include "document/DocumentOpener.h"
#include "document/HelperSVLibraryFolder.h"
#include "document/SVDocumentManager.h"
#include "foundation/files.h"
#include "foundation/localized.h"
#include "support/FakeAlerts.h"
#include "support/TestEnvironment.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

class TypedPassword : public IOpenPrompts {
public:
    QString typed;
    int asked = 0;
    bool askDocumentPassword(const BEFOREPARAM& stored, const QString&) override
    {
        ++asked;
        return stored.passwordMatches(typed);
    }
};

class OpenSequence : public ::testing::Test {
protected:
    void SetUp() override
    {
        BEFOREPARAM::setDigestIterationsForTesting(10);
        // Backups are kept by document name, in one archive folder for the whole test run.
        static int serial = 0;
        url = testenv::freshDir(QStringLiteral("open")) + QStringLiteral("/Famille%1.svd").arg(++serial);
        ASSERT_TRUE(copyItemAtPath(QStringLiteral(SORV_TEST_DATA_DIR "/packages/complete.svd"), url));
        setBackups(0);
    }
    void TearDown() override
    {
        BEFOREPARAM::setDigestIterationsForTesting(std::nullopt);
        DocContext::reset();
    }

    void setBackups(long count)
    {
        APPLIPARAM::disposeAppliParam();
        APPLIPARAM::loadAppliParam().nbSauvNew = count;
        ASSERT_TRUE(APPLIPARAM::saveAppliParam());
    }
    void setBefore(long version, const QString& password)
    {
        BEFOREPARAM before;
        before.version = version;
        before.setPassword(password);
        ASSERT_TRUE(BEFOREPARAM::saveBeforeParam(url, before));
    }
    bool open(bool crea = false) { return DocumentOpener::doOpen(url, &doc, crea, kFileSystemLocal, prompts); }
    qsizetype backups() const
    {
        QString archives;
        HelperSVLibraryFolder::getSVLibraryArchiveFolderUrl(&archives, nullptr);
        return QDir(archives + QLatin1Char('/') + documentNameFromURL(url))
            .entryList(QDir::Dirs | QDir::NoDotAndDotDot)
            .size();
    }
    QString resources() const { return url + QStringLiteral("/Contents/Resources"); }

    QString url;
    std::unique_ptr<DOCUMENT> doc;
    TypedPassword prompts;
};

} // namespace

TEST_F(OpenSequence, OpensLoadsAndCleansThePaymentMeans)
{
    setBackups(3);
    ASSERT_TRUE(open());
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(currentDocument(), doc.get());
    EXPECT_EQ(prompts.asked, 0);
    EXPECT_EQ(backups(), 1);
    EXPECT_EQ(doc->transact_array.size(), 7);
    // The cheque book of a third party goes; the user's bank keeps its two.
    EXPECT_EQ(doc->moyenHdl.size(), 2);
}

TEST_F(OpenSequence, AProtectedDocumentOpensOnlyWithItsPassword)
{
    setBefore(31, QStringLiteral("s3cret & <sûr>"));
    setBackups(2);
    prompts.typed = QStringLiteral("S3CRET & <sûr>");
    EXPECT_FALSE(open());
    EXPECT_EQ(doc, nullptr);
    EXPECT_EQ(currentDocument(), nullptr);
    EXPECT_EQ(backups(), 0);
    prompts.typed = QStringLiteral("s3cret & <sûr>");
    EXPECT_TRUE(open());
    EXPECT_EQ(prompts.asked, 2);
    bool error = true;
    EXPECT_TRUE(BEFOREPARAM::loadBeforeParam(url, &error).passwordMatches(prompts.typed));
}

TEST_F(OpenSequence, AnotherFormatOrAnUnreadableMemberStopsTheOpening)
{
    FakeAlerts alerts;
    setBefore(30, QString());
    alerts.expect(kAlertFirstButton);
    EXPECT_FALSE(open());
    EXPECT_EQ(alerts.shown.value(0).message, localizedDialogue(QStringLiteral("kAlerte_CannotMAJDocument")));

    setBefore(31, QString());
    testenv::writeFile(resources() + QStringLiteral("/transact.xml"),
                       "<list><transact><when>1</when></transact></list>");
    alerts.expect(kAlertFirstButton); // don't open
    EXPECT_FALSE(open());
    EXPECT_EQ(doc, nullptr);
    EXPECT_EQ(currentDocument(), nullptr);
}

TEST_F(OpenSequence, UnreadablePreferencesOrBeforeParamAskWhetherToGoOn)
{
    FakeAlerts alerts;
    testenv::writeFile(testenv::preferenceFile(), "pas des préférences");
    alerts.expect(kAlertFirstButton);
    EXPECT_FALSE(open());
    EXPECT_EQ(alerts.shown.value(0).message, localizedDialogue(QStringLiteral("kQuestion_CannotSaveDoc")));
    EXPECT_EQ(alerts.shown.value(0).information, SVDocumentManager::loadDocument_err_to_string(21));
    alerts.expect(kAlertSecondButton);
    EXPECT_TRUE(open());
    EXPECT_EQ(backups(), 0);

    // "beforeparam.xml" leads nowhere: version 31 is read, the rewrite fails.
    setBackups(0);
    QFile::remove(resources() + QStringLiteral("/beforeparam.xml"));
    QFile::link(QStringLiteral("/nonexistent/beforeparam.xml"), resources() + QStringLiteral("/beforeparam.xml"));
    alerts.expect(kAlertFirstButton);
    EXPECT_FALSE(open());
    EXPECT_EQ(alerts.shown.value(2).message, localizedDialogue(QStringLiteral("kAlerte_CannotOpenDoc")));
    EXPECT_EQ(alerts.shown.value(2).information, SVDocumentManager::loadDocument_err_to_string(2));
    alerts.expect(kAlertSecondButton);
    EXPECT_TRUE(open());
}

TEST_F(OpenSequence, ANewPackageGetsItsBeforeParamAndTheDefaults)
{
    url = testenv::freshDir(QStringLiteral("new")) + QStringLiteral("/Nouveau.svd");
    ASSERT_TRUE(QDir().mkpath(url));
    ASSERT_TRUE(open(true));
    bool error = true;
    const BEFOREPARAM before = BEFOREPARAM::loadBeforeParam(url, &error);
    EXPECT_TRUE(QFileInfo::exists(resources() + QStringLiteral("/beforeparam.xml")));
    EXPECT_EQ(before.version, 31);
    EXPECT_FALSE(before.hasPassword());
    EXPECT_EQ(doc->posteHdl.size(), 38);
    EXPECT_EQ(doc->deviseHdl.size(), 5);
    EXPECT_EQ(backups(), 0);
}
