// A package the user can't write, in a folder the user can: the opening says so and offers to keep
// it open without saving or to open a writable copy; a save of it is refused before anything is
// renamed, naming it; a writable copy made for an opening that fails goes with it. The tests run
// as root, to whom every folder is writable: the folders the user can't write are played through
// the file-system seam, as the system would judge them for the user.
#include "document/APPLIPARAM.h"
#include "document/BEFOREPARAM.h"
#include "document/DocContext.h"
#include "document/DocumentSession.h"
#include "document/FileSystemOps.h"
#include "document/SVDocumentManager.h"
#include "foundation/files.h"
#include "foundation/localized.h"
#include "model/DOCUMENT.h"
#include "support/FakeAlerts.h"
#include "support/PackageSnapshot.h"
#include "support/SilentOpeningShell.h"
#include "support/TestEnvironment.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <gtest/gtest.h>

#include <cerrno>
#include <functional>
#include <string>

namespace {

// Whatever lies under `locked` can't be written nor removed, as for a user without the right.
class LockedPlaces : public FileSystemOps {
public:
    explicit LockedPlaces(QString lockedPlace)
        : locked(std::move(lockedPlace))
    {
        FileSystemOps::install(this);
    }
    ~LockedPlaces() override { FileSystemOps::install(nullptr); }
    LockedPlaces(const LockedPlaces&) = delete;
    LockedPlaces& operator=(const LockedPlaces&) = delete;

    bool isWritable(const QString& path) override { return !isLocked(path) && FileSystemOps::isWritable(path); }
    bool removeItem(const QString& path, int* error) override
    {
        if (!isLocked(path))
            return FileSystemOps::removeItem(path, error);
        *error = EACCES;
        return false;
    }

    QString locked;

private:
    bool isLocked(const QString& path) const { return path == locked || path.startsWith(locked + QLatin1Char('/')); }
};

class ReadOnlyPackage : public ::testing::Test {
protected:
    void SetUp() override
    {
        APPLIPARAM::disposeAppliParam();
        APPLIPARAM::loadAppliParam().nbSauvNew = 0;
        ASSERT_TRUE(APPLIPARAM::saveAppliParam());
        folder = testenv::freshDir(QStringLiteral("readonly"));
        url = folder + QStringLiteral("/Budget.svd");
        ASSERT_TRUE(copyItemAtPath(QStringLiteral(SORV_TEST_DATA_DIR "/packages/complete.svd"), url));
        transact = testenv::readFile(url + QStringLiteral("/Contents/Resources/transact.xml"));
        packageBefore = testenv::packageSnapshot(url);
    }
    void TearDown() override { DocumentSession::close(std::move(doc)); }

    bool open() { return DocumentSession::open(url, &doc, false, kFileSystemLocal, shell); }
    bool save()
    {
        bool saved = false;
        SVDocumentManager::defaultManager().saveDocument(doc.get(), doc->documentUrl, {}, [&saved] { saved = true; },
                                                         {});
        return saved;
    }
    // The package on disk as it was, to every file's bytes, time and identity (the tests run as
    // root, who may write any file), and nothing left beside it.
    void expectUntouched()
    {
        EXPECT_EQ(testenv::packageSnapshot(url), packageBefore);
        EXPECT_EQ(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                  QStringList {QStringLiteral("Budget.svd")});
    }

    SilentOpeningShell shell;
    std::unique_ptr<DOCUMENT> doc;
    QString folder;
    QString url;
    QByteArray transact;
    std::string packageBefore;
};

} // namespace

TEST_F(ReadOnlyPackage, TheOpeningSaysSoAndTheSaveIsRefusedNamingIt)
{
    LockedPlaces locked(url + QStringLiteral("/Contents/Resources"));
    {
        FakeAlerts alerts;
        alerts.expect(kAlertFirstButton); // don't open
        EXPECT_FALSE(open());
        EXPECT_EQ(doc, nullptr);
    }
    {
        FakeAlerts alerts;
        alerts.expect(kAlertSecondButton); // open without saving; nothing more is asked
        ASSERT_TRUE(open());
        const AlertRequest& asked = alerts.shown.value(0);
        EXPECT_EQ(asked.message, localizedDialogue(QStringLiteral("kConfirm_ReadOnlyDocument")));
        EXPECT_TRUE(asked.information.startsWith(
            QStringLiteral("« Resources » : vous n'avez pas le droit d'y écrire ou de le lire.\n")));
        EXPECT_TRUE(asked.information.endsWith(QStringLiteral("La copie s'appellera « Budget-1 ».")))
            << asked.information.toStdString();
        EXPECT_TRUE(DocContext::instance().keptWithoutSaving);
    }
    doc->transact_array.removeLast();
    const uint64_t lastSave = doc->lastSave;
    FakeAlerts alerts;
    alerts.expect(kAlertFirstButton);
    EXPECT_FALSE(save());
    EXPECT_EQ(alerts.shown.value(0).message, localizedDialogue(QStringLiteral("kAlerte_CannotSaveDoc_ReadOnly")));
    EXPECT_TRUE(alerts.shown.value(0).information.startsWith(QStringLiteral("« Resources » : ")));
    EXPECT_EQ(doc->lastSave, lastSave);
    DocumentSession::close(std::move(doc));
    expectUntouched();
}

// With no folder the user can write, no copy is offered, and the question speaks of none.
TEST_F(ReadOnlyPackage, WithNowhereToWriteACopyNoneIsOffered)
{
    LockedPlaces locked(testenv::homeDir()); // the document's folder and the Documents folder
    FakeAlerts alerts;
    alerts.expect(kAlertSecondButton);
    ASSERT_TRUE(open());
    const AlertRequest& asked = alerts.shown.value(0);
    EXPECT_EQ(asked.message, localizedDialogue(QStringLiteral("kConfirm_ReadOnlyDocumentNoCopy")));
    EXPECT_TRUE(asked.button3.isEmpty());
    EXPECT_FALSE(asked.message.contains(QStringLiteral("copie modifiable")));
    EXPECT_TRUE(DocContext::instance().keptWithoutSaving);
}

// The copy is the user's to write, even when the files it copies are read-only.
TEST_F(ReadOnlyPackage, AWritableCopyCanBeOpenedInstead)
{
    for (const QString& place : {url + QStringLiteral("/Contents/Resources/transact.xml"),
                                 url + QStringLiteral("/Contents/Resources"), url + QStringLiteral("/Contents"), url})
        QFile::setPermissions(place, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup);
    LockedPlaces locked(url);
    FakeAlerts alerts;
    alerts.expect(kAlertThirdButton);
    ASSERT_TRUE(open());
    const QString copy = folder + QStringLiteral("/Budget-1.svd");
    EXPECT_EQ(doc->documentUrl, copy);
    EXPECT_FALSE(DocContext::instance().keptWithoutSaving);
    for (const QString& place : {copy, copy + QStringLiteral("/Contents/Resources"),
                                 copy + QStringLiteral("/Contents/Resources/transact.xml")})
        EXPECT_TRUE(QFile::permissions(place) & QFile::WriteOwner) << place.toStdString();
    doc->transact_array.removeLast();
    EXPECT_TRUE(save());
    std::unique_ptr<DOCUMENT> reread = std::make_unique<DOCUMENT>(copy, kFileSystemLocal);
    EXPECT_EQ(SVDocumentManager::defaultManager().loadDocumentInternal(copy, *reread), DocError::None);
    EXPECT_EQ(reread->transact_array.size(), doc->transact_array.size());
    EXPECT_EQ(testenv::readFile(url + QStringLiteral("/Contents/Resources/transact.xml")), transact);
    for (const QString& place : {url, url + QStringLiteral("/Contents"), url + QStringLiteral("/Contents/Resources")})
        QFile::setPermissions(place, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// A writable copy made for an opening that then fails is removed with it: trying again makes the
// same copy, never one more.
TEST_F(ReadOnlyPackage, AWritableCopyGoesWhenTheOpeningFails)
{
    const QString resources = url + QStringLiteral("/Contents/Resources");
    const struct {
        const char* name;
        std::function<void()> damage;
        int alerts; // first buttons answered after the question that opens a copy
    } failures[] = {
        {"password refused",
         [&] {
             BEFOREPARAM before;
             before.setPassword(QStringLiteral("secret"));
             ASSERT_TRUE(BEFOREPARAM::saveBeforeParam(url, before));
         },
         0},
        {"another format",
         [&] {
             BEFOREPARAM before;
             before.version = 30;
             ASSERT_TRUE(BEFOREPARAM::saveBeforeParam(url, before));
         },
         1},
        {"loading given up",
         [&] {
             testenv::writeFile(resources + QStringLiteral("/transact.xml"),
                                "<list><transact><when>1</when></transact></list>");
         },
         1},
    };
    const QByteArray before = testenv::readFile(resources + QStringLiteral("/beforeparam.xml"));
    for (const auto& failure : failures) {
        SCOPED_TRACE(failure.name);
        testenv::writeFile(resources + QStringLiteral("/beforeparam.xml"), before);
        testenv::writeFile(resources + QStringLiteral("/transact.xml"), transact);
        failure.damage();
        LockedPlaces locked(url);
        for (int attempt = 0; attempt < 2; ++attempt) {
            FakeAlerts alerts;
            alerts.expect(kAlertThirdButton);
            for (int i = 0; i < failure.alerts; ++i)
                alerts.expect(kAlertFirstButton);
            EXPECT_FALSE(open());
            EXPECT_EQ(alerts.shown.value(0).information.section(QLatin1Char('\n'), -1),
                      QStringLiteral("La copie s'appellera « Budget-1 »."));
            EXPECT_EQ(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                      QStringList {QStringLiteral("Budget.svd")});
        }
    }
}

// "Budget.old.svd" is the user's document "Budget.old", whatever earlier versions of the program
// made of that name: one the user can't write stands in no save's way, and stays as it is.
TEST_F(ReadOnlyPackage, ADocumentNamedLikeAnOldSetAsidePackageIsNoObstacleToASave)
{
    const QString old = folder + QStringLiteral("/Budget.old.svd");
    ASSERT_TRUE(copyItemAtPath(url, old));
    testenv::writeFile(old + QStringLiteral("/Contents/Resources/transact.xml"), "<list/>");
    {
        FakeAlerts none;
        ASSERT_TRUE(open());
    }
    LockedPlaces locked(old);
    doc->transact_array.removeLast();
    FakeAlerts none;
    EXPECT_TRUE(save());
    EXPECT_EQ(testenv::readFile(old + QStringLiteral("/Contents/Resources/transact.xml")), "<list/>");
    EXPECT_NE(testenv::readFile(url + QStringLiteral("/Contents/Resources/transact.xml")), transact);
    EXPECT_EQ(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              (QStringList {QStringLiteral("Budget.old.svd"), QStringLiteral("Budget.svd")}));
}
