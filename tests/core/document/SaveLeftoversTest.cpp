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
#include "support/TestEnvironment.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>

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

class Shell : public IOpeningShell {
public:
    bool askDocumentPassword(const BEFOREPARAM&, const QString&) override { return false; }
    void showOpenedDocument(DOCUMENT&, bool) override { }
};

} // namespace

TEST(SaveLeftovers, OnlyWhatASaveOfADocumentHereWroteIsCleared)
{
    const QString outside = testenv::freshDir(QStringLiteral("outside"));
    package(outside + QStringLiteral("/Ailleurs.svd"));
    testenv::writeFile(outside + QStringLiteral("/photo.jpg"), "jpg");
    const QString longName = QString(100, u'é'); // its hidden names keep only its first 64 bytes
    const auto hidden = [](const QString& folder, const QString& document, const char* kind, int n) {
        return hiddenSaveFolderUrl(folder + '/' + document + ".svd", kind, n);
    };
    const struct {
        const char* name;
        QString document; // the folder's one document, when any
        std::function<QString(const QString& folder)> make; // the hidden folder
        QString destination; // the document being saved, when any
        bool kept;
        QStringList after; // the folder's documents afterwards
    } cases[] = {
        {"a user's folder named like a staging package",
         "Maison",
         [](const QString& f) { return package(f + "/.Photos.2024.saving"); },
         {},
         true,
         {"Maison.svd"}},
        {"a user's folder named like a set-aside one",
         "Maison",
         [](const QString& f) { return QFileInfo(package(f + "/.Photos.2024.aside/Vacances")).path(); },
         {},
         true,
         {"Maison.svd"}},
        {"a set-aside folder holding another document",
         "Maison",
         [&](const QString& f) {
             return QFileInfo(package(hidden(f, "Maison", kSetAsideFolderName, 7) + "/Autre")).path();
         },
         {},
         true,
         {"Maison.svd"}},
        {"a set-aside folder holding two packages",
         {},
         [&](const QString& f) {
             const QString aside = hidden(f, "Epargne", kSetAsideFolderName, 8);
             package(aside + "/Autre");
             return QFileInfo(package(aside + "/Epargne")).path();
         },
         {},
         true,
         {}},
        {"a set-aside folder holding a link to a package",
         {},
         [&](const QString& f) {
             const QString aside = hidden(f, "Ailleurs", kSetAsideFolderName, 9);
             QDir().mkpath(aside);
             EXPECT_TRUE(QFile::link(outside + "/Ailleurs.svd", aside + "/Ailleurs"));
             return aside;
         },
         {},
         true,
         {}},
        {"a set-aside folder holding no document",
         {},
         [&](const QString& f) {
             const QString aside = hidden(f, "Epargne", kSetAsideFolderName, 10);
             QDir().mkpath(aside + "/Epargne");
             testenv::writeFile(aside + "/Epargne/photo.jpg", "jpg");
             return aside;
         },
         {},
         true,
         {}},
        {"a staging package with more than a package",
         "Maison",
         [&](const QString& f) {
             testenv::writeFile(package(hidden(f, "Maison", kSavingPackageName, 11)) + "/notes.txt", "x");
             return hidden(f, "Maison", kSavingPackageName, 11);
         },
         {},
         true,
         {"Maison.svd"}},
        {"a staging package holding a link",
         "Maison",
         [&](const QString& f) {
             const QString staging = package(hidden(f, "Maison", kSavingPackageName, 12));
             EXPECT_TRUE(QFile::link(outside + "/photo.jpg", staging + "/Contents/Resources/photo.jpg"));
             return staging;
         },
         {},
         true,
         {"Maison.svd"}},
        {"a copy's staging package, its document not there",
         {},
         [&](const QString& f) { return package(hidden(f, "D", kSavingPackageName, 13)); },
         {},
         true,
         {}},
        {"an empty package set aside, its document not there",
         {},
         [&](const QString& f) {
             QDir().mkpath(hidden(f, "N", kSetAsideFolderName, 14) + "/N");
             return hidden(f, "N", kSetAsideFolderName, 14);
         },
         {},
         true,
         {}},
        {"the staging package of a document here",
         "Maison",
         [&](const QString& f) { return package(hidden(f, "Maison", kSavingPackageName, 15)); },
         {},
         false,
         {"Maison.svd"}},
        {"a copy's staging package, its document being saved",
         {},
         [&](const QString& f) { return package(hidden(f, "D", kSavingPackageName, 16)); },
         "D",
         false,
         {}},
        {"the staging package of a long-named document",
         longName,
         [&](const QString& f) { return package(hidden(f, longName, kSavingPackageName, 17)); },
         {},
         false,
         {longName + ".svd"}},
        {"the version a save replaced",
         "Maison",
         [&](const QString& f) {
             return QFileInfo(package(hidden(f, "Maison", kSetAsideFolderName, 18) + "/Maison")).path();
         },
         {},
         false,
         {"Maison.svd"}},
        {"a document set aside by a save that died",
         {},
         [&](const QString& f) {
             return QFileInfo(package(hidden(f, "Epargne", kSetAsideFolderName, 19) + "/Epargne")).path();
         },
         {},
         false,
         {"Epargne.svd"}},
    };
    const auto outsideBefore = testenv::filesUnder(outside);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString folder = testenv::freshDir(QStringLiteral("leftovers"));
        if (!c.document.isEmpty())
            package(folder + '/' + c.document + ".svd");
        const QString made = c.make(folder);
        const LogLines log;
        clearSaveLeftovers(folder, c.destination.isEmpty() ? QString() : folder + '/' + c.destination + ".svd");
        EXPECT_EQ(QFileInfo::exists(made), c.kept);
        EXPECT_GT(LogLines::count(made), 0); // what became of it, or why it stays
        EXPECT_EQ(QDir(folder).entryList({"*.svd"}, QDir::AllEntries), c.after);
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
                Shell shell;
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
