#include "document/HelperSVLibraryFolder.h"
#include "document/ICloudDelegate.h"
#include "document/RecentDocument.h"
#include "document/SVWorkspaceManager.h"
#include "foundation/SystemClock.h"
#include "model/DOCUMENT.h"
#include "support/FakeCloudContainer.h"
#include "support/TestEnvironment.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QThread>
#include <gtest/gtest.h>

namespace {

// What the documents browser is told.
struct RecordingDelegate : ICloudGlobalDelegate {
    QStringList rootUrls;
    QList<QVariantMap> identities;
    QStringList messages; // "list 2", "added 1" ...: the message and its item count

    void didReveiveICloudUrl(const QString& url) override { rootUrls.append(url); }
    void iCloudIdentityChanged(const QVariantMap& record) override { identities.append(record); }
    void didReceiveDocumentsList(const QList<SVMetadataItem>& items, int tag) override { note("list", items, tag); }
    void didReceiveAddedItems(const QList<SVMetadataItem>& items, int tag) override { note("added", items, tag); }
    void didReceiveChangedItems(const QList<SVMetadataItem>& items, int tag) override { note("changed", items, tag); }
    void didReceiveRemovedItems(const QList<SVMetadataItem>& items, int tag) override { note("removed", items, tag); }
    void note(const char* kind, const QList<SVMetadataItem>& items, int tag)
    {
        messages.append(QStringLiteral("%1 %2 %3").arg(QLatin1String(kind)).arg(items.size()).arg(tag));
        lastItems = items;
    }
    QList<SVMetadataItem> lastItems;
};

QVariantMap identity(int code, const QString& folder)
{
    return {{QStringLiteral("num_code"), code}, {QStringLiteral("cache_url"), folder}};
}

QString cacheFolder(const QString& token)
{
    QString url;
    HelperSVLibraryFolder::getSVICloudCacheFolderUrl(&url, token, nullptr);
    return url;
}

class CloudTest : public ::testing::Test {
protected:
    void SetUp() override { iCloudDelegate::sharedInstance().goodbye(); }
    void TearDown() override
    {
        iCloudDelegate::sharedInstance().goodbye();
        SVWorkspaceManager::sharedInstance().clearRecent(kFileSystemICloud);
    }
    // Starts the cloud layer signed in as the token, and lets it locate the container.
    iCloudDelegate& startAs(const QString& token)
    {
        container.token = token;
        iCloudDelegate& cloud = iCloudDelegate::sharedInstance();
        cloud.startWithDelegate(&browser);
        iCloudDelegate::waitForBackgroundWork();
        return cloud;
    }
    QString documents() const { return root + QStringLiteral("/Documents"); }

    QString root = testenv::freshDir(QStringLiteral("container"));
    FakeCloudContainer container {root};
    RecordingDelegate browser;
};

} // namespace

TEST(CloudProduction, ReportsNoContainerAndNothingHappens)
{
    iCloudDelegate& cloud = iCloudDelegate::sharedInstance();
    RecordingDelegate browser;
    cloud.startWithDelegate(&browser);
    iCloudDelegate::waitForBackgroundWork();
    EXPECT_FALSE(cloud.isICloudAvailable());
    EXPECT_TRUE(cloud.rootUrl().isEmpty());
    EXPECT_EQ(cloud.query(), nullptr);
    EXPECT_TRUE(browser.rootUrls.isEmpty());
    EXPECT_FALSE(SVWorkspaceManager::getRecentFolderUrl(nullptr, kFileSystemICloud));

    cloud.goodbye();
}

TEST_F(CloudTest, LocatesTheContainerInTheBackgroundThenQueriesIt)
{
    QDir().mkpath(documents());
    ASSERT_TRUE(testenv::makePackage(documents() + QStringLiteral("/Maison.svd")));
    testenv::writeFile(documents() + QStringLiteral("/notes.txt"), "n");

    container.token = QStringLiteral("alice");
    iCloudDelegate& cloud = iCloudDelegate::sharedInstance();
    cloud.startWithDelegate(&browser);
    EXPECT_TRUE(cloud.rootUrl().isEmpty()); // not before the lookup's answer came back
    iCloudDelegate::waitForBackgroundWork();
    EXPECT_EQ(container.lookups.load(), 1);
    EXPECT_FALSE(container.lookupOnMainThread.load());
    EXPECT_EQ(cloud.rootUrl(), root);
    EXPECT_EQ(browser.rootUrls, QStringList {root});
    EXPECT_TRUE(browser.identities.isEmpty()); // a first start takes the identity as it is

    FakeMetadataQuery* query = container.lastQuery();
    ASSERT_NE(query, nullptr);
    EXPECT_TRUE(query->running);
    EXPECT_EQ(query->folder, documents());
    query->finishGathering();
    ASSERT_EQ(browser.messages, QStringList {"list 1 0"});
    EXPECT_EQ(browser.lastItems[0].url, documents() + QStringLiteral("/Maison.svd"));

    EXPECT_EQ(RecentDocument::theoricUrlForName(QStringLiteral("Budget"), kFileSystemICloud),
              documents() + QStringLiteral("/Budget.svd"));

    SVMetadataUpdate update;
    update.removed = browser.lastItems;
    query->postUpdate(update);
    EXPECT_EQ(browser.messages, (QStringList {"list 1 0", "removed 1 0"}));
}

TEST_F(CloudTest, IdentityChangesAreDeliveredOnceTheContainerIsLocated)
{
    iCloudDelegate& cloud = startAs(QStringLiteral("alice"));
    container.signOut();
    EXPECT_TRUE(cloud.rootUrl().isEmpty());
    EXPECT_FALSE(container.lastQuery()->running);
    ASSERT_EQ(browser.identities.size(), 1);
    EXPECT_EQ(browser.identities[0], identity(kIdentitySignedOut, cacheFolder(QStringLiteral("alice"))));

    container.signIn(QStringLiteral("alice"));
    ASSERT_EQ(browser.identities.size(), 1);
    iCloudDelegate::waitForBackgroundWork();
    ASSERT_EQ(browser.identities.size(), 2);
    EXPECT_EQ(browser.identities[1], identity(kIdentitySameBack, root));
    EXPECT_TRUE(container.lastQuery()->running);

    container.signIn(QStringLiteral("bob"));
    iCloudDelegate::waitForBackgroundWork();
    ASSERT_EQ(browser.identities.size(), 3);
    EXPECT_EQ(browser.identities[2], identity(kIdentityOther, root));

    // Signed out at start: the first identity seen gives 3.
    cloud.goodbye();
    startAs(QString());
    container.signIn(QStringLiteral("carol"));
    iCloudDelegate::waitForBackgroundWork();
    ASSERT_EQ(browser.identities.size(), 4);
    EXPECT_EQ(browser.identities[3], identity(kIdentityFirst, root));
}

TEST_F(CloudTest, GatheringFlushesTheCacheIntoTheContainer)
{
    const QString cache = cacheFolder(QStringLiteral("dave"));
    QDir(cache).removeRecursively();
    QDir().mkpath(cache + QStringLiteral("/Budget.svd"));
    QDir().mkpath(cache + QStringLiteral("/Voyage.svd"));
    testenv::writeFile(cache + QStringLiteral("/Budget.svd/transact"), "du cache");
    testenv::writeFile(cache + QStringLiteral("/lisez-moi.txt"), "reste");
    QDir().mkpath(documents() + QStringLiteral("/Budget.svd"));
    testenv::writeFile(documents() + QStringLiteral("/Budget.svd/transact"), "du conteneur");

    startAs(QStringLiteral("dave"));
    container.setUbiquitousFailures = 2; // Budget's copy in the container can't be taken out; Voyage's move fails
    container.lastQuery()->finishGathering();
    EXPECT_TRUE(QFileInfo(cache + QStringLiteral("/Budget.svd")).isDir());
    EXPECT_TRUE(QFileInfo(cache + QStringLiteral("/Voyage.svd")).isDir());
    EXPECT_EQ(testenv::readFile(documents() + QStringLiteral("/Budget.svd/transact")), "du conteneur");

    // At the next gathering the cached copies take their places.
    container.lastQuery()->finishGathering();
    EXPECT_EQ(testenv::readFile(documents() + QStringLiteral("/Budget.svd/transact")), "du cache");
    EXPECT_TRUE(QFileInfo(documents() + QStringLiteral("/Voyage.svd")).isDir());
    EXPECT_EQ(QDir(cache).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList {"lisez-moi.txt"});
}

TEST_F(CloudTest, MovesAndRemovals)
{
    iCloudDelegate& cloud = startAs(QStringLiteral("erin"));
    const QString local = testenv::package(QStringLiteral("move"));
    QDir().mkpath(documents() + QStringLiteral("/doc.svd"));
    QStringList steps;
    cloud.moveDocument(
        RecentDocument(local, kFileSystemLocal), documents() + QStringLiteral("/doc.svd"), true,
        [&] { steps << "before"; }, [&] { steps << "ok"; }, [&] { steps << "nok"; });
    EXPECT_EQ(steps, (QStringList {"before", "ok"}));
    EXPECT_TRUE(QFileInfo(documents() + QStringLiteral("/doc-1.svd/Contents/Resources")).isDir());
    EXPECT_FALSE(QFileInfo::exists(local));

    steps.clear();
    const QThread* mainThread = QThread::currentThread();
    const QThread* okThread = nullptr;
    const RecentDocument moved(documents() + QStringLiteral("/doc-1.svd"), kFileSystemICloud);
    cloud.removeDocument(
        moved, [&] { steps << "before"; },
        [&] {
            steps << "ok";
            okThread = QThread::currentThread();
        },
        [&] { steps << "nok"; });
    EXPECT_EQ(steps, QStringList {"before"});
    iCloudDelegate::waitForBackgroundWork();
    EXPECT_EQ(steps, (QStringList {"before", "ok"}));
    EXPECT_EQ(okThread, mainThread);
    EXPECT_FALSE(QFileInfo::exists(moved.url()));

    cloud.removeDocument(
        moved, nullptr, [&] { steps << "ok"; }, [&] { steps << "nok"; });
    iCloudDelegate::waitForBackgroundWork();
    EXPECT_EQ(steps.last(), QStringLiteral("nok"));
}

TEST_F(CloudTest, CloudEntriesFollowTheirTransferStates)
{
    startAs(QStringLiteral("frank"));
    const QString url = documents() + QStringLiteral("/Compte.svd");
    ASSERT_TRUE(testenv::makePackage(url));
    container.states[url] = UbiquitousItemStates {true, false, false, true, true};
    SystemClock::setNowForTesting(1000);
    RecentDocument entry(url, kFileSystemICloud);
    EXPECT_TRUE(entry.conflictual());
    SystemClock::setNowForTesting(1012);
    entry.updateStates();
    EXPECT_EQ(entry.timeNotDownloaded(), 12);
    container.states[url] = UbiquitousItemStates {false, true, std::nullopt, std::nullopt, false};
    entry.updateStates();
    SystemClock::setNowForTesting(std::nullopt);
    EXPECT_EQ(entry.timeNotDownloaded0(), -1);
    EXPECT_EQ(entry.timeNotDownloaded(), 0);
    EXPECT_TRUE(entry.uploaded()); // kept where the platform could not tell

    // A duplicate in the cloud is listed and its download asked for.
    SVWorkspaceManager& workspace = SVWorkspaceManager::sharedInstance();
    workspace.addRecentUrl(url, kFileSystemICloud);
    EXPECT_TRUE(workspace.dupliquerRecent(0, QStringLiteral("Compte 2"), kFileSystemICloud));
    EXPECT_EQ(container.downloads, QStringList {documents() + QStringLiteral("/Compte 2.svd")});
    EXPECT_EQ(workspace.nbRecent(kFileSystemICloud), 2);
}
