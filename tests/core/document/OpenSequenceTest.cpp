// The whole opening of a package: password, preferences, backup, version gate, loading and the
// cleaning of the payment means, the state the open document brings, its statements, the showing
// and the due pass; the creation of a new package; and the closing that leaves nothing behind.
#include "document/APPLIPARAM.h"
#include "document/BEFOREPARAM.h"
#include "document/DocContext.h"
#include "document/DocumentSession.h"
#include "document/FileSystemOps.h"
#include "document/HelperSVLibraryFolder.h"
#include "document/SVDocumentManager.h"
#include "foundation/SystemClock.h"
#include "foundation/dates.h"
#include "foundation/files.h"
#include "foundation/localized.h"
#include "model/DOCUMENT.h"
#include "model/GRAPH.h"
#include "model/ReleveCompute.h"
#include "model/TOOL.h"
#include "support/FakeAlerts.h"
#include "support/FakeAppShell.h"
#include "support/TestEnvironment.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

// The window layer's part: the password typed, and what the document had when it was shown.
class OpeningShell : public IOpeningShell {
public:
    QString typed;
    int asked = 0;
    QList<bool> shown; // crea of every showing
    long dueListsWhenShown = -1;
    QList<long> treeWhenShown; // the banks of the account tree
    MONTANT courantWhenShown;
    FakeAppShell* app = nullptr;

    bool askDocumentPassword(const BEFOREPARAM& stored, const QString&) override
    {
        ++asked;
        return stored.passwordMatches(typed);
    }
    void showOpenedDocument(DOCUMENT& doc, bool crea) override
    {
        EXPECT_EQ(currentDocument(), &doc);
        shown.append(crea);
        dueListsWhenShown = app ? app->awakeLists.size() : -1;
        treeWhenShown.clear();
        for (const ToolNode& node : doc.toolTree)
            treeWhenShown.append(node.ident);
        if (const TOOL* courant = TOOL::getTool(kToolCompte, 1001, &doc))
            courantWhenShown = courant->solde;
    }
};

// Saves fail while failing is set: the staging package can't be made.
class FailingSaves : public FileSystemOps {
public:
    bool failing = false;
    bool makeFolder(const QString& path, int* error) override
    {
        if (failing && path.endsWith(QLatin1String(kSavingPackageName))) {
            if (error)
                *error = EIO;
            return false;
        }
        return FileSystemOps::makeFolder(path, error);
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
        DocumentSession::close(std::move(doc));
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
    bool open(bool crea = false) { return DocumentSession::open(url, &doc, crea, kFileSystemLocal, prompts); }
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
    OpeningShell prompts;
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

TEST_F(OpenSequence, MissingPreferencesOrBeforeParamAskWhetherToGoOn)
{
    FakeAlerts alerts;
    // An unreadable preference file gives the defaults: no question, and the backup is made.
    testenv::writeFile(testenv::preferenceFile(), "pas des préférences");
    APPLIPARAM::disposeAppliParam();
    EXPECT_TRUE(open());
    EXPECT_TRUE(alerts.shown.isEmpty());
    EXPECT_EQ(backups(), 1);
    DocumentSession::close(std::move(doc));

    // No place at all for the preferences: the question, and going on still makes the backup.
    QString preferences;
    ASSERT_TRUE(HelperSVLibraryFolder::getSVLibraryPreferenceFolderUrl(&preferences, nullptr));
    QDir(preferences).removeRecursively();
    testenv::writeFile(preferences, "un fichier à la place du dossier");
    APPLIPARAM::disposeAppliParam();
    alerts.expect(kAlertFirstButton);
    EXPECT_FALSE(open());
    EXPECT_EQ(alerts.shown.value(0).message, localizedDialogue(QStringLiteral("kQuestion_CannotSaveDoc")));
    EXPECT_EQ(alerts.shown.value(0).information, SVDocumentManager::loadDocument_err_to_string(DocError::AppliParam));
    alerts.expect(kAlertSecondButton);
    SystemClock::setNowForTesting(SystemClock::now() + 5);
    EXPECT_TRUE(open());
    EXPECT_EQ(backups(), 2);
    SystemClock::setNowForTesting(std::nullopt);
    DocumentSession::close(std::move(doc));
    QFile::remove(preferences);
    alerts.shown.clear();

    // "beforeparam.xml" is a link that leads nowhere: the package is damaged, and nothing is
    // written through the link.
    setBackups(0);
    QFile::remove(resources() + QStringLiteral("/beforeparam.xml"));
    QFile::link(QStringLiteral("/nonexistent/beforeparam.xml"), resources() + QStringLiteral("/beforeparam.xml"));
    alerts.expect(kAlertFirstButton);
    EXPECT_FALSE(open());
    EXPECT_EQ(alerts.shown.value(0).message, localizedDialogue(QStringLiteral("kAlerte_CannotOpenDoc")));
    EXPECT_TRUE(alerts.shown.value(0).information.startsWith(
        SVDocumentManager::loadDocument_err_to_string(DocError::BeforeParam)));
    alerts.expect(kAlertSecondButton);
    EXPECT_TRUE(open());
    EXPECT_FALSE(QFileInfo::exists(QStringLiteral("/nonexistent/beforeparam.xml")));
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

TEST_F(OpenSequence, OpeningBuildsTheDocumentsStateShowsItThenRunsTheDuePass)
{
    // A stored balance that the statements' computation corrects.
    const QString comptes = resources() + QStringLiteral("/compte.xml");
    testenv::writeFile(comptes, testenv::readFile(comptes).replace("<solde><v>3034.50</v>", "<solde><v>1</v>"));
    double now = 0;
    dmyhmsToDate(14, 3, 2024, 10, 0, 0, &now);
    SystemClock::setNowForTesting(now);
    FakeAppShell app;
    const ScopedAppShell installed(&app);
    prompts.app = &app;

    ASSERT_TRUE(open());
    const DocContext& context = DocContext::instance();
    EXPECT_EQ(prompts.shown, QList<bool> {false});
    EXPECT_EQ(prompts.dueListsWhenShown, 0);
    EXPECT_EQ(prompts.treeWhenShown, (QList<long> {100, 2, 200, 1})); // the user's banks first
    EXPECT_EQ(doc->echeancierIndex, QList<long> {40});
    EXPECT_EQ(doc->previsionIndex.size(), 1);
    ASSERT_TRUE(context.currentSearchCritere.has_value());
    EXPECT_EQ(context.savedSearchList.size(), 1); // read for "Loyers", the document's last search
    EXPECT_EQ(context.simulationList.size(), 1);
    EXPECT_NE(currentGraph(), nullptr);
    EXPECT_EQ(context.lastEnteredDate, now);
    EXPECT_NE(prompts.courantWhenShown.values[0], 1);
    recomputeAllReleves(doc.get());
    EXPECT_EQ(TOOL::getTool(kToolCompte, 1001, doc.get())->solde, prompts.courantWhenShown);
    // The rent of every month since the last one written is due.
    ASSERT_EQ(app.awakeLists.size(), 1);
    EXPECT_GE(app.awakeLists[0].size(), 12);

    DocumentSession::close(std::move(doc));
    EXPECT_EQ(currentDocument(), nullptr);
    EXPECT_FALSE(context.currentSearchCritere.has_value());
    EXPECT_EQ(context.selectedSavedSearch, -1);
    EXPECT_TRUE(context.simulationList.isEmpty());
    EXPECT_EQ(currentGraph(), nullptr);
    EXPECT_EQ(context.lastEnteredDate, 0);
    SystemClock::setNowForTesting(std::nullopt);
}

TEST_F(OpenSequence, ANewDocumentIsSavedAtOnceAndHasNoDuePass)
{
    FakeAppShell app;
    const ScopedAppShell installed(&app);
    url = testenv::freshDir(QStringLiteral("new")) + QStringLiteral("/Nouveau.svd");
    ASSERT_TRUE(QDir().mkpath(url));
    ASSERT_TRUE(open(true));
    EXPECT_EQ(prompts.shown, QList<bool> {true});
    EXPECT_TRUE(QFileInfo::exists(resources() + QStringLiteral("/transact.xml")));
    EXPECT_FALSE(prompts.treeWhenShown.isEmpty()); // the fixed banks of every document
    EXPECT_TRUE(app.awakeLists.isEmpty());

    // One that can't be written is closed and never shown.
    FailingSaves saves;
    saves.failing = true;
    FileSystemOps::install(&saves);
    FakeAlerts alerts;
    alerts.expect(kAlertFirstButton);
    url = testenv::freshDir(QStringLiteral("new")) + QStringLiteral("/Perdu.svd");
    ASSERT_TRUE(QDir().mkpath(url));
    DocumentSession::close(std::move(doc));
    EXPECT_FALSE(open(true));
    FileSystemOps::install(nullptr);
    EXPECT_EQ(alerts.shown.value(0).message, localizedDialogue(QStringLiteral("kAlerte_CannotSaveDoc")));
    EXPECT_EQ(doc, nullptr);
    EXPECT_EQ(currentDocument(), nullptr);
    EXPECT_EQ(prompts.shown.size(), 1);
}
