#include "document/DocumentMark.h"
#include "document/HelperSVLibraryFolder.h"
#include "document/PackageLock.h"
#include "document/RecentDocument.h"
#include "document/SVWorkspaceManager.h"
#include "document/SaveLeftovers.h"
#include "foundation/SystemClock.h"
#include "foundation/files.h"
#include "model/DOCUMENT.h"
#include "support/TestEnvironment.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <gtest/gtest.h>

#include <unistd.h>

namespace {

class WorkspaceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        QDir(documents).removeRecursively();
        QDir().mkpath(documents);
        workspace.clearRecent(kFileSystemLocal);
    }
    void TearDown() override { workspace.clearRecent(kFileSystemLocal); }

    // A package in the Documents folder holding one member file of that content.
    QString document(const QString& fileName, const QByteArray& content = "x")
    {
        const QString url = documents + QLatin1Char('/') + fileName;
        QString resources;
        EXPECT_TRUE(testenv::makePackage(url, &resources));
        testenv::writeFile(resources + QStringLiteral("/transact.xml"), content);
        return url;
    }
    QStringList names() const
    {
        QStringList out;
        for (long i = 0; i < workspace.nbRecent(kFileSystemLocal); ++i)
            out.append(workspace.documentAtIndex(i, kFileSystemLocal)->name());
        return out;
    }

    SVWorkspaceManager& workspace = SVWorkspaceManager::sharedInstance();
    QString documents;
};

} // namespace

TEST_F(WorkspaceTest, ListsAreSortedIgnoringCaseWithEachNameOnce)
{
    for (const char* name : {"a.svd", "c.svd", "Budget.svd", "budget.svd", "b.txt"})
        workspace.addRecentUrl(documents + QLatin1Char('/') + QLatin1String(name), kFileSystemLocal);
    EXPECT_EQ(names(), (QStringList {"a", "b", "Budget", "c"}));
    EXPECT_EQ(workspace.documentAtIndex(1, kFileSystemLocal)->url(), documents + "/b.svd");
    long index = -1;
    EXPECT_FALSE(workspace.findElementAtUrl(documents + "/d.svd", &index, kFileSystemLocal));
    EXPECT_EQ(index, 4);
    EXPECT_FALSE(workspace.findElementNamed(QStringLiteral("budget"), &index, kFileSystemLocal));
    EXPECT_EQ(workspace.documentAtIndex(4, kFileSystemLocal), nullptr);
    workspace.removeRecentUrl(documents + "/BUDGET.svd", kFileSystemLocal);
    EXPECT_EQ(names(), (QStringList {"a", "b", "c"}));

    workspace.addRecentUrl(documents + "/e.svd", 2);
    EXPECT_EQ(workspace.nbRecent(2), 0);
    EXPECT_TRUE(RecentDocument::theoricUrlForName(QStringLiteral("e"), 2).isEmpty());
    // A name's own dots are kept: "e.old" is never the document "e".
    for (const char* name : {"e", "e.svd", "e.old", "Budget 2026.v2"}) {
        const QString typed = QLatin1String(name);
        EXPECT_EQ(RecentDocument::theoricUrlForName(typed, kFileSystemLocal),
                  documents + "/" + (typed.endsWith(".svd") ? typed : typed + ".svd"));
    }
    // Names that would leave the folder or be hidden in it have no place.
    for (const char* unfit : {"", ".cache", "../e", "a/b"})
        EXPECT_TRUE(RecentDocument::theoricUrlForName(QLatin1String(unfit), kFileSystemLocal).isEmpty()) << unfit;
}

TEST_F(WorkspaceTest, ScansTheDocumentsFolderAndMeasuresPackages)
{
    document(QStringLiteral("Maison.svd"), QByteArray(100, 'm'));
    document(QStringLiteral("Vacances.svd"));
    document(QStringLiteral("Ancien.SVD"));
    document(QStringLiteral(".cache.svd"));
    testenv::writeFile(documents + "/notes.txt", "n");
    workspace.loadRecentMacData();
    EXPECT_EQ(names(), (QStringList {"Maison", "Vacances"}));
    const RecentDocumentPtr maison = workspace.documentAtIndex(0, kFileSystemLocal);
    EXPECT_EQ(maison->fileSize(), 100);
    EXPECT_TRUE(maison->downloaded());
    EXPECT_EQ(maison->timeNotDownloaded(), 0);

    // Sizes are read again once the remembered one is old enough.
    testenv::writeFile(maison->url() + "/Contents/Resources/graph.xml", QByteArray(50, 'g'));
    SystemClock::setTicksForTesting(SystemClock::ticks() + 31 * 60);
    workspace.updateRecentMacData();
    SystemClock::setTicksForTesting(std::nullopt);
    EXPECT_EQ(maison->fileSize(), 150);
}

TEST_F(WorkspaceTest, RenameRefusesCaseVariantsAndDeletingKeepsTheDocument)
{
    document(QStringLiteral("a.svd"));
    document(QStringLiteral("m.svd"));
    workspace.loadRecentMacData();
    long index = 0;
    ASSERT_TRUE(workspace.renommerRecent(&index, QStringLiteral("z"), kFileSystemLocal));
    EXPECT_EQ(index, 1);
    EXPECT_EQ(names(), (QStringList {"m", "z"}));
    EXPECT_TRUE(QFileInfo(documents + "/z.svd").isDir());
    EXPECT_FALSE(QFileInfo::exists(documents + "/a.svd"));

    // "M" would be a second document the list can't show beside "m".
    EXPECT_TRUE(SVWorkspaceManager::isNameTaken(QStringLiteral("M"), kFileSystemLocal));
    EXPECT_FALSE(workspace.renommerRecent(&index, QStringLiteral("M"), kFileSystemLocal));
    EXPECT_FALSE(workspace.renommerRecent(&index, QStringLiteral("x/y"), kFileSystemLocal));
    EXPECT_EQ(index, 1);
    // Its own name in another case is the same document.
    ASSERT_TRUE(workspace.renommerRecent(&index, QStringLiteral("Z"), kFileSystemLocal));
    EXPECT_EQ(names(), (QStringList {"m", "Z"}));

    // Deleted: kept in the deleted-documents folder, never over an item there.
    QString deleted;
    ASSERT_TRUE(HelperSVLibraryFolder::getSVLibraryDeletedFolderUrl(&deleted, nullptr));
    const QString destination = uniqueFileURL(deleted + "/Z.svd");
    ASSERT_TRUE(workspace.supprimerRecentMac(1, destination));
    EXPECT_EQ(names(), QStringList {"m"});
    EXPECT_TRUE(QFileInfo(destination + "/Contents/Resources/transact.xml").isFile());
    EXPECT_FALSE(workspace.supprimerRecentMac(0, destination));
    EXPECT_TRUE(QFileInfo(documents + "/m.svd").isDir());
}

TEST_F(WorkspaceTest, DuplicateAndImportNeverTakeATakenName)
{
    document(QStringLiteral("a.svd"), "contenu");
    workspace.loadRecentMacData();
    ASSERT_TRUE(workspace.dupliquerRecent(0, QStringLiteral("a_2"), kFileSystemLocal));
    EXPECT_EQ(names(), (QStringList {"a", "a_2"}));
    EXPECT_EQ(testenv::readFile(documents + "/a_2.svd/Contents/Resources/transact.xml"), "contenu");
    EXPECT_FALSE(workspace.dupliquerRecent(0, QStringLiteral("A_2"), kFileSystemLocal));

    const QString elsewhere = testenv::freshDir(QStringLiteral("import"));
    QString source = elsewhere + "/a.svd";
    QString sourceResources;
    ASSERT_TRUE(testenv::makePackage(source, &sourceResources));
    // A folder without the files of a document is no document to take in.
    EXPECT_EQ(workspace.importerRecent(&source, kFileSystemLocal), kImportNotDocument);
    testenv::writeFile(sourceResources + "/transact.xml", "<list/>");
    EXPECT_EQ(workspace.importerRecent(&source, kFileSystemLocal), 0);
    EXPECT_EQ(source, documents + "/a-1.svd");
    EXPECT_TRUE(QFileInfo(source).isDir());
    QString capital = elsewhere + "/A.svd";
    ASSERT_TRUE(testenv::makePackage(capital, &sourceResources));
    testenv::writeFile(sourceResources + "/transact.xml", "<list/>");
    EXPECT_EQ(workspace.importerRecent(&capital, kFileSystemLocal), 0);
    EXPECT_EQ(capital, documents + "/A-2.svd");
    EXPECT_EQ(workspace.nbRecent(kFileSystemLocal), 2);

    // No storage, or nothing to copy, is neither a success nor a taken name.
    QString missing = elsewhere + "/b.svd";
    EXPECT_EQ(workspace.importerRecent(&missing, 2), kImportNotWritable);
    EXPECT_EQ(workspace.importerRecent(&missing, kFileSystemICloud), kImportNotWritable);
    const int code = workspace.importerRecent(&missing, kFileSystemLocal);
    EXPECT_TRUE(code != 0 && code != kImportNameTaken) << code;
    EXPECT_FALSE(QFileInfo::exists(documents + "/b.svd"));
}

// Listing the folder clears what ended saves left there, whatever document of the folder they
// saved: a document a save left aside when it died is listed under its own name, the version a save replaced and a
// staging package go. What a save still running holds stays, and a user's document whose name
// ends in ".old" is listed as it is.
TEST_F(WorkspaceTest, ListingClearsWhatEndedSavesLeftAndNothingElse)
{
    document(QStringLiteral("Maison.svd"), "new");
    document(QStringLiteral("Maison.old.svd"), "mine");
    document(QStringLiteral("Y.old.svd"), "mine too");
    document(QStringLiteral("Vacances.svd"), "kept");
    PackageLock running[2];
    int runningCount = 0;
    const struct {
        const char* name;
        QString folder;
        QString holds; // the document whose package it holds; none for a staging package
        bool held;
        bool kept;
    } leftovers[] = {
        {"a document left aside", hiddenSaveFolderUrl(documents + "/Budget.svd", kSetAsideFolderName, 7), "Budget.svd",
         false, false},
        {"the version a finished save replaced", hiddenSaveFolderUrl(documents + "/Maison.svd", kSetAsideFolderName, 8),
         "Maison.svd", false, false},
        {"a document aside while its save runs",
         hiddenSaveFolderUrl(documents + "/Epargne.svd", kSetAsideFolderName, 9), "Epargne.svd", true, true},
        {"a staging package of a document never saved again",
         hiddenSaveFolderUrl(documents + "/Vacances.svd", kSavingPackageName, 10),
         {},
         false,
         false},
        {"a staging package being written",
         hiddenSaveFolderUrl(documents + "/Maison.svd", kSavingPackageName, 11),
         {},
         true,
         true},
    };
    for (const auto& leftover : leftovers) {
        ASSERT_TRUE(QDir().mkpath(leftover.folder));
        testenv::plantSaveFolderMark(leftover.folder);
        if (!leftover.holds.isEmpty())
            document(QDir(documents).relativeFilePath(setAsidePackageUrl(leftover.folder, leftover.holds)), "aside");
        if (leftover.held) {
            ASSERT_TRUE(running[runningCount++].take(leftover.folder, nullptr));
        }
    }
    const QString usersOwn = documents + "/.Photos.2024.saving/liste.txt"; // named like one, but not one
    QDir().mkpath(QFileInfo(usersOwn).path());
    testenv::writeFile(usersOwn, "x");

    workspace.loadRecentMacData();
    EXPECT_TRUE(QFileInfo::exists(usersOwn));
    EXPECT_EQ(names(), (QStringList {"Budget", "Maison", "Maison.old", "Vacances", "Y.old"}));
    for (const auto& leftover : leftovers)
        EXPECT_EQ(QFileInfo::exists(leftover.folder), leftover.kept) << leftover.name;
    const auto transact = [this](const char* name) {
        return testenv::readFile(documents + '/' + QLatin1String(name) + "/Contents/Resources/transact.xml");
    };
    EXPECT_EQ(transact("Budget.svd"), "aside");
    EXPECT_EQ(transact("Maison.svd"), "new");
    EXPECT_EQ(transact("Maison.old.svd"), "mine");
    EXPECT_EQ(transact("Y.old.svd"), "mine too");
    EXPECT_FALSE(QFileInfo::exists(documents + "/Epargne.svd"));
}

// A document that a running copy of the program holds open (this one too) is neither renamed nor
// deleted: that copy would save it back where it was. The refusal names it and its process.
TEST_F(WorkspaceTest, RenameAndDeleteLeaveADocumentHeldOpenWhereItIs)
{
    QString deleted;
    ASSERT_TRUE(HelperSVLibraryFolder::getSVLibraryDeletedFolderUrl(&deleted, nullptr));
    const struct {
        const char* held;
        const char* newName; // null: deleted
    } cases[] = {{"a", "b"}, {"b", "b"}, {"a", nullptr}};
    for (const auto& each : cases) {
        document(QStringLiteral("a.svd"));
        workspace.loadRecentMacData();
        const QString held = QString::fromLatin1(each.held);
        DocumentMark mark(documents + QLatin1Char('/') + held + QStringLiteral(".svd"));
        ASSERT_TRUE(mark.take());
        long index = 0;
        QString heldOpen;
        const QString destination = uniqueFileURL(deleted + QStringLiteral("/a.svd"));
        EXPECT_FALSE(each.newName ? workspace.renommerRecent(&index, QString::fromLatin1(each.newName),
                                                             kFileSystemLocal, &heldOpen)
                                  : workspace.supprimerRecentMac(0, destination, &heldOpen))
            << each.held;
        EXPECT_EQ(heldOpen, QStringLiteral("« %1 », ouvert par le processus %2").arg(held).arg(::getpid()));
        EXPECT_EQ(names(), QStringList {"a"});
        EXPECT_TRUE(QFileInfo(documents + QStringLiteral("/a.svd/Contents/Resources/transact.xml")).isFile());
        EXPECT_FALSE(QFileInfo::exists(destination));
    }
}
