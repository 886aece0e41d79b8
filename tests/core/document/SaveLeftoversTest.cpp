// What ended saves and copies left beside documents is cleared, whatever document they were for,
// and nothing else: a hidden folder without the program's mark stays, said in the log, unless it
// gives a document back, and no link in it is followed or moved. When saves left several copies
// of a missing document aside, the opening and the listing take back the one the program set
// aside last.
#include "document/SaveLeftovers.h"
#include "document/APPLIPARAM.h"
#include "document/DocumentSession.h"
#include "document/SaveFolderMark.h"
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

TEST(SaveLeftovers, OnlyWhatTheProgramProvesItsOwnIsCleared)
{
    const QString outside = testenv::freshDir(QStringLiteral("outside"));
    package(outside + QStringLiteral("/Ailleurs.svd"));
    testenv::writeFile(outside + QStringLiteral("/photo.jpg"), "jpg");
    QDir().mkpath(outside + QStringLiteral("/marked.saving"));
    testenv::plantSaveFolderMark(outside + QStringLiteral("/marked.saving"));
    const QString longName = QString(100, u'é'); // its hidden names keep only its first 64 bytes
    const QString longHidden = QFileInfo(hiddenSaveFolderUrl(longName + ".svd", kSavingPackageName, 17)).fileName();
    const QString member = QStringLiteral("Contents/Resources/transact.xml");
    enum class Mark { None, Own, OtherKind, Link, Garbled };
    using enum Mark;
    const struct {
        const char* name;
        QString document; // the folder's one document, when any
        QString hidden;
        QStringList holds; // files, folders ending in "/", links "<path> -> <what outside>"
        Mark mark;
        bool kept;
        QString back = {}; // the document that comes back, when any
    } cases[] = {
        {"a user's folder named like a staging package", "Maison", ".Photos.2024.saving", {member}, None, true},
        {"a user's folder named like a set-aside one", "Maison", ".Photos.2024.aside", {"V/" + member}, None, true},
        {"a user's folder shaped like a staging package", "C", ".C.123.saving", {"Contents/Resources/n"}, None, true},
        {"a user's empty folder named like a set-aside one", "Maison", ".Maison.6.aside", {}, None, true},
        {"a set-aside folder holding another document", "Maison", ".Maison.7.aside", {"Autre/" + member}, Own, true},
        {"a set-aside folder holding two packages", {}, ".E.8.aside", {"E/" + member, "Autre/" + member}, Own, true},
        {"a set-aside folder holding a link", {}, ".Ailleurs.9.aside", {"Ailleurs -> Ailleurs.svd"}, Own, true},
        {"a set-aside folder holding no document", {}, ".E.10.aside", {"E/photo.jpg"}, Own, true},
        {"a staging package holding more", "Maison", ".Maison.11.saving", {member, "notes.txt"}, Own, true},
        {"a staging package holding a link", {}, ".M.12.saving", {member, "Contents/l.jpg -> photo.jpg"}, Own, true},
        {"an unmarked copy's staging package", {}, ".D.13.saving", {member}, None, true},
        {"an unmarked empty package set aside", {}, ".N.14.aside", {"N/"}, None, true},
        {"a staging package marked for the other kind", "Maison", ".Maison.15.saving", {member}, OtherKind, true},
        {"a staging package whose mark is a link", "Maison", ".Maison.16.saving", {member}, Link, true},
        {"a staging package whose mark is not the program's", "Maison", ".Maison.17.saving", {member}, Garbled, true},
        {"the version an earlier save replaced", "Maison", ".Maison.18.aside", {"Maison/" + member}, None, true},
        {"the staging package of a document here", "Maison", ".Maison.20.saving", {member}, Own, false},
        {"a killed copy's staging package, its document never made", {}, ".D.21.saving", {member}, Own, false},
        {"a staging package holding more in its Contents", {}, ".D.22.saving", {member, "Contents/x"}, Own, false},
        {"the staging package of a long-named document", longName, longHidden, {member}, Own, false},
        {"the version a save replaced", "Maison", ".Maison.24.aside", {"Maison/" + member}, Own, false},
        {"an empty package set aside, its document not there", {}, ".N.25.aside", {"N/"}, Own, false},
        {"a document a save that died set aside", {}, ".E.26.aside", {"E/" + member}, Own, false, "E.svd"},
        {"a document an earlier version's save set aside", {}, ".B.27.aside", {"B/" + member}, None, false, "B.svd"},
    };
    const auto outsideBefore = testenv::filesUnder(outside);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString folder = testenv::freshDir(QStringLiteral("leftovers"));
        if (!c.document.isEmpty())
            package(folder + '/' + c.document + ".svd");
        const QString made = folder + '/' + c.hidden;
        ASSERT_TRUE(QDir().mkpath(made));
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
        const QString mark = made + '/' + kSaveFolderMarkName;
        if (c.mark == Own)
            testenv::plantSaveFolderMark(made);
        else if (c.mark == OtherKind)
            EXPECT_TRUE(writeSaveFolderMark(made, kSetAsideFolderName, nullptr));
        else if (c.mark == Link)
            EXPECT_TRUE(QFile::link(outside + "/marked.saving/" + kSaveFolderMarkName, mark));
        else if (c.mark == Garbled)
            testenv::writeFile(mark, "sorvanta hidden folder\nkind: saving\n");
        const QStringList before = QDir(folder).entryList({"*.svd"}, QDir::AllEntries);
        const LogLines log;
        clearSaveLeftovers(folder);
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
            // Marked in the order the program set them aside; the folders' times, which any copy
            // of a folder makes fresh, say the opposite, and a copy planted by hand is the freshest.
            const struct {
                int n;
                const char* why;
                bool marked;
                int minutesAgo;
            } copies[] = {
                {newestFirst ? 2 : 1, "ancienne", true, 1},
                {newestFirst ? 1 : 2, "récente", true, 60},
                {3, "plantée", false, 0},
            };
            for (const auto& copy : copies) {
                const QString folder = hiddenSaveFolderUrl(url, kSetAsideFolderName, copy.n);
                const QString package = setAsidePackageUrl(folder, url);
                ASSERT_TRUE(QDir().mkpath(folder) && copyItemAtPath(complete, package));
                if (copy.marked)
                    testenv::plantSaveFolderMark(folder);
                const QString transact = package + "/Contents/Resources/transact.xml";
                testenv::writeFile(transact, testenv::readFile(transact).replace("Achat de 10 actions", copy.why));
                for (const QString& path : {package, folder})
                    fs::last_write_time(fs::path(path.toStdString()),
                                        fs::file_time_type::clock::now() - std::chrono::minutes(copy.minutesAgo));
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
                // The program's older copy goes; the one planted by hand stays whole.
                const QString planted = hiddenSaveFolderUrl(url, kSetAsideFolderName, 3);
                EXPECT_EQ(QDir(QFileInfo(url).path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                          (QStringList {QFileInfo(planted).fileName(), "Maison.svd"}));
                EXPECT_TRUE(testenv::readFile(setAsidePackageUrl(planted, url) + "/Contents/Resources/transact.xml")
                                .contains("plantée"));
            }
        }
    }
}
