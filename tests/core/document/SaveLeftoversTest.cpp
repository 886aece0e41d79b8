// What ended saves left beside documents is cleared, and nothing else: a hidden folder that only
// bears a save's name stays, said in the log, and no link in it is followed or moved. When saves
// left several copies of a missing document aside, the opening and the listing take back the
// newest.
#include "document/SaveLeftovers.h"
#include "document/APPLIPARAM.h"
#include "document/DocumentSession.h"
#include "foundation/files.h"
#include "model/DOCUMENT.h"
#include "support/FakeAlerts.h"
#include "support/LogLines.h"
#include "support/SilentOpeningShell.h"
#include "support/TestEnvironment.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

namespace {

namespace fs = std::filesystem;

// A package holding one member file; returns its path.
QString package(const QString& url)
{
    QString resources;
    EXPECT_TRUE(testenv::makePackage(url, &resources));
    testenv::writeFile(resources + QStringLiteral("/transact.xml"), "<list/>");
    return url;
}

} // namespace

TEST(SaveLeftovers, OnlyWhatASaveOfADocumentHereWroteIsCleared)
{
    const QString outside = testenv::freshDir(QStringLiteral("outside"));
    package(outside + QStringLiteral("/Ailleurs.svd"));
    testenv::writeFile(outside + QStringLiteral("/photo.jpg"), "jpg");
    const QString longName = QString(100, u'é'); // its hidden names keep only its first 64 bytes
    const QString longHidden = QFileInfo(hiddenSaveFolderUrl(longName + ".svd", kSavingPackageName, 17)).fileName();
    const QString member = QStringLiteral("Contents/Resources/transact.xml");
    const struct {
        const char* name;
        QString document; // the folder's one document, when any
        QString hidden;
        QStringList holds; // files, folders ending in "/", links "<path> -> <what outside>"
        QString destination; // the document being saved, when any
        bool kept;
        QString back = {}; // the document that comes back, when any
    } cases[] = {
        {"a user's folder named like a staging package", "Maison", ".Photos.2024.saving", {member}, {}, true},
        {"a user's folder named like a set-aside one",
         "Maison",
         ".Photos.2024.aside",
         {"Vacances/" + member},
         {},
         true},
        {"a set-aside folder holding another document", "Maison", ".Maison.7.aside", {"Autre/" + member}, {}, true},
        {"a set-aside folder holding two packages",
         {},
         ".Epargne.8.aside",
         {"Epargne/" + member, "Autre/" + member},
         {},
         true},
        {"a set-aside folder holding a link", {}, ".Ailleurs.9.aside", {"Ailleurs -> Ailleurs.svd"}, {}, true},
        {"a set-aside folder holding no document", {}, ".Epargne.10.aside", {"Epargne/photo.jpg"}, {}, true},
        {"a staging package holding more", "Maison", ".Maison.11.saving", {member, "notes.txt"}, {}, true},
        {"a staging package holding a link",
         "Maison",
         ".Maison.12.saving",
         {member, "Contents/Resources/photo.jpg -> photo.jpg"},
         {},
         true},
        {"a copy's staging package, its document not there", {}, ".D.13.saving", {member}, {}, true},
        {"an empty package set aside, its document not there", {}, ".N.14.aside", {"N/"}, {}, true},
        {"the staging package of a document here", "Maison", ".Maison.15.saving", {member}, {}, false},
        {"a copy's staging package, its document being saved", {}, ".D.16.saving", {member}, "D", false},
        {"the staging package of a long-named document", longName, longHidden, {member}, {}, false},
        {"the version a save replaced", "Maison", ".Maison.18.aside", {"Maison/" + member}, {}, false},
        {"a document set aside by a save that died",
         {},
         ".Epargne.19.aside",
         {"Epargne/" + member},
         {},
         false,
         "Epargne.svd"},
    };
    const auto outsideBefore = testenv::filesUnder(outside);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString folder = testenv::freshDir(QStringLiteral("leftovers"));
        if (!c.document.isEmpty())
            package(folder + '/' + c.document + ".svd");
        const QString made = folder + '/' + c.hidden;
        for (const QString& item : c.holds) {
            const QStringList link = item.split(" -> ");
            QDir().mkpath(QFileInfo(made + '/' + link.first()).path());
            if (link.size() == 2)
                EXPECT_TRUE(QFile::link(outside + '/' + link.last(), made + '/' + link.first()));
            else if (item.endsWith('/'))
                QDir().mkpath(made + '/' + item);
            else
                testenv::writeFile(made + '/' + item, "<list/>");
        }
        const QStringList before = QDir(folder).entryList({"*.svd"}, QDir::AllEntries);
        const LogLines log;
        clearSaveLeftovers(folder, c.destination.isEmpty() ? QString() : folder + '/' + c.destination + ".svd");
        EXPECT_EQ(QFileInfo::exists(made), c.kept);
        EXPECT_GT(LogLines::count(made), 0); // what became of it, or why it stays
        EXPECT_EQ(QDir(folder).entryList({"*.svd"}, QDir::AllEntries),
                  c.back.isEmpty() ? before : before + QStringList {c.back});
        EXPECT_EQ(testenv::filesUnder(outside), outsideBefore);
    }
}

TEST(SaveLeftovers, TheNewestCopyEndedSavesLeftAsideIsTakenBack)
{
    APPLIPARAM::disposeAppliParam();
    APPLIPARAM::loadAppliParam().nbSauvNew = 0;
    const QString complete = QStringLiteral(SORV_TEST_DATA_DIR "/packages/complete.svd");
    for (const bool opening : {true, false}) {
        for (const bool newestFirst : {true, false}) {
            SCOPED_TRACE(QStringLiteral("%1, the newest in the %2 folder")
                             .arg(opening ? "opening" : "listing", newestFirst ? "first" : "last")
                             .toStdString());
            const QString url = testenv::freshDir(QStringLiteral("two-asides")) + QStringLiteral("/Maison.svd");
            for (const int n : {1, 2}) {
                const QString copy = setAsidePackageUrl(hiddenSaveFolderUrl(url, kSetAsideFolderName, n), url);
                ASSERT_TRUE(QDir().mkpath(QFileInfo(copy).path()) && copyItemAtPath(complete, copy));
                const bool newest = (n == 1) == newestFirst;
                const QString transact = copy + "/Contents/Resources/transact.xml";
                testenv::writeFile(
                    transact,
                    testenv::readFile(transact).replace("Achat de 10 actions", newest ? "récente" : "ancienne"));
                fs::last_write_time(fs::path(copy.toStdString()),
                                    fs::file_time_type::clock::now() - std::chrono::minutes(newest ? 1 : 60));
            }
            if (opening) {
                FakeAlerts none;
                SilentOpeningShell shell;
                std::unique_ptr<DOCUMENT> doc;
                ASSERT_TRUE(DocumentSession::open(url, &doc, false, kFileSystemLocal, shell));
                EXPECT_EQ(doc->transact_array.last().why, "récente");
                DocumentSession::close(std::move(doc));
            } else {
                clearSaveLeftovers(QFileInfo(url).path());
                EXPECT_TRUE(testenv::readFile(url + "/Contents/Resources/transact.xml").contains("récente"));
                EXPECT_EQ(QDir(QFileInfo(url).path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                          QStringList {"Maison.svd"});
            }
        }
    }
}
