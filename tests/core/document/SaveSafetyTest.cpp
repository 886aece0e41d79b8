// Saves that go wrong never cost what the document held: a member that can't be written keeps its
// previous version or the save is refused, a save stopped at any step is repaired by the next
// opening, the alerts say why (a full disk, a refused permission), and the backups of two
// documents of the same name are kept apart.
#include "document/APPLIPARAM.h"
#include "document/BEFOREPARAM.h"
#include "document/DocumentSession.h"
#include "document/FileSystemOps.h"
#include "document/HelperSVLibraryFolder.h"
#include "document/SVDocumentManager.h"
#include "foundation/SystemClock.h"
#include "foundation/files.h"
#include "foundation/localized.h"
#include "foundation/xmlfileaccess.h"
#include "model/DOCUMENT.h"
#include "model/TAXE.h"
#include "support/DismissingAlerts.h"
#include "support/FakeAlerts.h"
#include "support/SilentOpeningShell.h"
#include "support/StoppedAtStep.h"
#include "support/TestEnvironment.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <cerrno>
#include <functional>

namespace {

SVDocumentManager& manager()
{
    return SVDocumentManager::defaultManager();
}

QString fixture(const QString& folder, const QString& name = QStringLiteral("Budget"))
{
    static int serial = 0;
    const QString url = testenv::freshDir(folder) + QStringLiteral("/%1%2.svd").arg(name).arg(++serial);
    EXPECT_TRUE(copyItemAtPath(QStringLiteral(SORV_TEST_DATA_DIR "/packages/complete.svd"), url));
    return url;
}

std::unique_ptr<DOCUMENT> load(const QString& url, DocError* code = nullptr)
{
    auto doc = std::make_unique<DOCUMENT>(url, kFileSystemLocal);
    const DocError found = manager().loadDocumentInternal(url, *doc);
    if (code)
        *code = found;
    return doc;
}

bool save(DOCUMENT& doc, const QString& to)
{
    int ok = 0;
    int nok = 0;
    manager().saveDocument(
        &doc, to, {}, [&ok] { ++ok; }, [&nok] { ++nok; });
    EXPECT_EQ(ok + nok, 1);
    return ok == 1;
}

// Member writes fail with the code given for the files named.
class FailingWrites {
public:
    FailingWrites(const QString& fileName, int error)
    {
        setXmlWriteFaultForTesting(
            [fileName, error](const QString& path) { return path.endsWith('/' + fileName) ? error : 0; });
    }
    ~FailingWrites() { setXmlWriteFaultForTesting(nullptr); }
    FailingWrites(const FailingWrites&) = delete;
    FailingWrites& operator=(const FailingWrites&) = delete;
};

void setBackups(long count)
{
    APPLIPARAM::disposeAppliParam();
    APPLIPARAM::loadAppliParam().nbSauvNew = count;
    ASSERT_TRUE(APPLIPARAM::saveAppliParam());
}

} // namespace

TEST(SaveSafety, AMemberThatCantBeWrittenKeepsItsPreviousVersionOrTheSaveIsRefused)
{
    const QString url = fixture(QStringLiteral("keep"));
    auto doc = load(url);
    doc->transact_array.removeLast();
    doc->taxeHdl.removeLast();
    {
        FailingWrites full(QStringLiteral("transact.xml"), ENOSPC);
        FakeAlerts alerts;
        alerts.expect(kAlertSecondButton); // save the rest
        EXPECT_TRUE(save(*doc, url));
        const AlertRequest& asked = alerts.shown.value(0);
        EXPECT_EQ(asked.message, localizedDialogue(QStringLiteral("kQuestion_CannotSaveDoc")));
        EXPECT_EQ(asked.information,
                  SVDocumentManager::loadDocument_err_to_string(DocError::Transact)
                      + "\n\n« transact.xml » : le disque est plein.");
    }
    DocError code = DocError::Transact;
    const auto reopened = load(url, &code);
    EXPECT_EQ(code, DocError::None);
    EXPECT_EQ(reopened->transact_array.size(), 7); // the previous version, whole
    EXPECT_EQ(reopened->taxeHdl.size(), 1); // the rest as saved

    // With no previous version to keep (a document never saved), nothing is swapped in.
    const QString fresh = fixture(QStringLiteral("keep"));
    QFile::remove(fresh + "/Contents/Resources/taxe.xml");
    const QByteArray transact = testenv::readFile(fresh + "/Contents/Resources/transact.xml");
    auto other = load(fresh);
    other->transact_array.removeLast();
    FailingWrites refused(QStringLiteral("taxe.xml"), EACCES);
    FakeAlerts alerts;
    alerts.expect(kAlertFirstButton);
    EXPECT_FALSE(save(*other, fresh));
    EXPECT_EQ(alerts.shown.value(0).message, localizedDialogue(QStringLiteral("kAlerte_CannotSaveDoc")));
    EXPECT_TRUE(alerts.shown.value(0).information.endsWith(
        "« taxe.xml » : vous n'avez pas le droit d'y écrire ou de le lire."));
    EXPECT_EQ(testenv::readFile(fresh + "/Contents/Resources/transact.xml"), transact);
}

TEST(SaveSafety, AFullDiskIsNamedWhenTheSaveCantEvenStart)
{
    const QString url = fixture(QStringLiteral("full"));
    auto doc = load(url);
    struct FullDisk : FileSystemOps {
        bool makeFolder(const QString& path, int* error) override
        {
            if (path.endsWith(QLatin1String(kSavingPackageName))) {
                *error = ENOSPC;
                return false;
            }
            return FileSystemOps::makeFolder(path, error);
        }
    } full;
    FileSystemOps::install(&full);
    FakeAlerts alerts;
    alerts.expect(kAlertFirstButton);
    EXPECT_FALSE(save(*doc, url));
    FileSystemOps::install(nullptr);
    EXPECT_EQ(alerts.shown.value(0).information,
              QStringLiteral("« %1 » : le disque est plein.").arg(QFileInfo(url).fileName()));
}

TEST(SaveSafety, OpeningRepairsASaveStoppedAtAnyStep)
{
    setBackups(0);
    SilentOpeningShell shell;
    int steps = 0;
    for (int stop = 0; stop == 0 || stop <= steps; ++stop) {
        const QString url = fixture(QStringLiteral("stopped"));
        auto doc = load(url);
        doc->transact_array.removeLast();
        {
            DismissingAlerts alerts;
            StoppedAtStep killed(stop);
            save(*doc, url);
            steps = std::max(steps, killed.steps);
        }
        // Opened as it was left: no question, no alert, the old or the new document whole.
        FakeAlerts none;
        std::unique_ptr<DOCUMENT> opened;
        ASSERT_TRUE(DocumentSession::open(url, &opened, false, kFileSystemLocal, shell)) << "stopped at " << stop;
        const qsizetype count = opened->transact_array.size();
        EXPECT_TRUE(count == 7 || count == 6) << "stopped at " << stop;
        DocumentSession::close(std::move(opened));
    }
    EXPECT_GT(steps, 5);
}

TEST(SaveSafety, OpeningPutsBackADocumentLeftUnderItsSetAsideName)
{
    setBackups(0);
    SilentOpeningShell shell;
    // A save of an earlier version killed between its two renames: the document is only under
    // "<name>.old.svd", which could as well be the user's own document; it takes its name back
    // on the user's word.
    const QString url = fixture(QStringLiteral("set-aside"));
    const QString old = QFileInfo(url).path() + '/' + QFileInfo(url).completeBaseName() + ".old.svd";
    ASSERT_TRUE(QDir().rename(url, old));
    FakeAlerts asked;
    asked.expect(kAlertSecondButton);
    std::unique_ptr<DOCUMENT> opened;
    ASSERT_TRUE(DocumentSession::open(url, &opened, false, kFileSystemLocal, shell));
    EXPECT_EQ(opened->transact_array.size(), 7);
    DocumentSession::close(std::move(opened));
    EXPECT_EQ(QDir(QFileInfo(url).path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList {QFileInfo(url).fileName()});
}

// "Budget.old.svd" beside "Budget.svd" is the user's document "Budget.old", however it came there:
// no save of Budget, not even one stopped at any step and the opening that repairs it, removes,
// renames or changes it.
TEST(SaveSafety, ADocumentNamedLikeAnotherWithOldSurvivesEverySaveOfIt)
{
    setBackups(0);
    SilentOpeningShell shell;
    const struct {
        const char* name;
        std::function<void(const QString& document, const QString& other)> make;
    } others[] = {
        {"a document of its own, saved",
         [](const QString&, const QString& other) {
             ASSERT_TRUE(copyItemAtPath(QStringLiteral(SORV_TEST_DATA_DIR "/packages/complete.svd"), other));
             auto doc = load(other);
             doc->taxeHdl.clear();
             ASSERT_TRUE(save(*doc, other));
         }},
        {"a copy saved as it",
         [](const QString& document, const QString& other) {
             auto doc = load(document);
             doc->transact_array.clear();
             SVDocumentManager::defaultManager().saveDocument(
                 doc.get(), other, {.useTempFolder = false}, [] {}, [] { ADD_FAILURE(); });
         }},
    };
    for (const auto& other : others) {
        SCOPED_TRACE(other.name);
        int steps = 0;
        for (int stop = 0; stop == 0 || stop <= steps; ++stop) {
            const QString url = fixture(QStringLiteral("old-named"));
            const QString old = QFileInfo(url).path() + '/' + QFileInfo(url).completeBaseName() + ".old.svd";
            other.make(url, old);
            const QMap<QString, QByteArray> before = testenv::filesUnder(old);
            auto doc = load(url);
            doc->transact_array.removeLast();
            ASSERT_TRUE(save(*doc, url));
            {
                DismissingAlerts alerts;
                StoppedAtStep killed(stop);
                save(*doc, url);
                steps = std::max(steps, killed.steps);
            }
            FakeAlerts none;
            std::unique_ptr<DOCUMENT> opened;
            ASSERT_TRUE(DocumentSession::open(url, &opened, false, kFileSystemLocal, shell)) << "stopped at " << stop;
            EXPECT_TRUE(save(*opened, url));
            DocumentSession::close(std::move(opened));
            EXPECT_EQ(testenv::filesUnder(old), before) << "stopped at " << stop;
            EXPECT_EQ(QDir(QFileInfo(url).path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                      (QStringList {QFileInfo(old).fileName(), QFileInfo(url).fileName()}))
                << "stopped at " << stop;
        }
        EXPECT_GT(steps, 5);
    }
}

TEST(SaveSafety, BackupsOfTwoDocumentsOfOneNameAreKeptApart)
{
    setBackups(3);
    SilentOpeningShell shell;
    const QString first = testenv::freshDir(QStringLiteral("twinA")) + QStringLiteral("/Jumeau.svd");
    const QString second = testenv::freshDir(QStringLiteral("twinB")) + QStringLiteral("/Jumeau.svd");
    ASSERT_TRUE(copyItemAtPath(QStringLiteral(SORV_TEST_DATA_DIR "/packages/complete.svd"), first));
    ASSERT_TRUE(copyItemAtPath(QStringLiteral(SORV_TEST_DATA_DIR "/packages/complete.svd"), second));
    testenv::writeFile(second + "/Contents/Resources/taxe.xml",
                       "<list><record><ident>9</ident><nom>Autre</nom><rate>1</rate></record></list>");
    SystemClock::setNowForTesting(SystemClock::now());
    for (const QString& url : {first, second, first}) {
        std::unique_ptr<DOCUMENT> doc;
        ASSERT_TRUE(DocumentSession::open(url, &doc, false, kFileSystemLocal, shell));
        DocumentSession::close(std::move(doc));
    }
    SystemClock::setNowForTesting(std::nullopt);
    QString archives;
    HelperSVLibraryFolder::getSVLibraryArchiveFolderUrl(&archives, nullptr);
    const QDir mine(archives + "/Jumeau");
    const QDir theirs(archives + "/Jumeau (2)");
    ASSERT_EQ(mine.entryList(QDir::Dirs | QDir::NoDotAndDotDot).size(), 1); // the same second: one name
    ASSERT_EQ(theirs.entryList(QDir::Dirs | QDir::NoDotAndDotDot).size(), 1);
    const QString taxes
        = "/" + theirs.entryList(QDir::Dirs | QDir::NoDotAndDotDot).first() + "/Contents/Resources/taxe.xml";
    EXPECT_EQ(testenv::readFile(theirs.path() + taxes), testenv::readFile(second + "/Contents/Resources/taxe.xml"));
    EXPECT_EQ(testenv::readFile(mine.path() + taxes), testenv::readFile(first + "/Contents/Resources/taxe.xml"));
    setBackups(0);
}
