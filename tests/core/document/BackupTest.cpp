#include "document/APPLIPARAM.h"
#include "document/BackupManager.h"
#include "document/FileSystemOps.h"
#include "document/HelperSVLibraryFolder.h"
#include "foundation/SystemClock.h"
#include "foundation/dates.h"
#include "foundation/files.h"
#include "foundation/localized.h"
#include "foundation/xmlmember.h"
#include "model/DOCPARAM.h"
#include "model/DOCUMENT.h"
#include "support/FakeAlerts.h"
#include "support/FakeAppShell.h"
#include "support/TestEnvironment.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <gtest/gtest.h>

#include <cerrno>
#include <functional>
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

namespace {

constexpr double kDay = 86400;

// 3 June 2024 (a Monday) 14:05:09, Paris time.
double monday()
{
    double t = 0;
    dmyhmsToDate(3, 6, 2024, 14, 5, 9, &t);
    return t;
}

void setFolderTime(const QString& path, double absoluteTime)
{
    const time_t seconds = static_cast<time_t>(absoluteTime + kReferenceDateOffset);
    const timeval times[2] = {{seconds, 0}, {seconds, 0}};
    ASSERT_EQ(utimes(QFile::encodeName(path).constData(), times), 0);
}

class BackupTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const QString name = QStringLiteral("Compte%1").arg(++s_serial);
        package = testenv::freshDir(QStringLiteral("backup")) + QLatin1Char('/') + name + QStringLiteral(".svd");
        ASSERT_TRUE(testenv::makePackage(package));
        setContent("v1");
        QString archives;
        HelperSVLibraryFolder::getSVLibraryArchiveFolderUrl(&archives, nullptr);
        folder = archives + QLatin1Char('/') + name;
    }
    void TearDown() override { SystemClock::setNowForTesting(std::nullopt); }

    void setContent(const QByteArray& text) { testenv::writeFile(package + "/Contents/Resources/transact.xml", text); }
    QByteArray backupContent(double time) { return testenv::readFile(path(time) + "/Contents/Resources/transact.xml"); }
    // One backup at that time; true when actionOK ran (and actionNOK did not).
    bool backupAt(double time, long n)
    {
        SystemClock::setNowForTesting(time);
        int ok = 0;
        int nok = 0;
        BackupManager::defaultManager().sauvegardeAutomatique(
            package, n, [&] { ++ok; }, [&] { ++nok; });
        EXPECT_EQ(ok + nok, 1);
        return ok == 1;
    }
    QStringList backups() const { return QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name); }
    QString name(double time) const { return BackupManager::backupNameForTime(time); }
    QString path(double time) const { return folder + QLatin1Char('/') + name(time); }

    QString package;
    QString folder;
    static inline int s_serial = 0;
};

} // namespace

TEST_F(BackupTest, KeepsTheNumberAskedOldestGoingFirst)
{
    const double t = monday();
    for (int day = 0; day < 3; ++day)
        ASSERT_TRUE(backupAt(t + day * kDay, 3));
    EXPECT_FALSE(name(t).contains(u':'));
    // Folder dates in the reverse order, and "jeudi" sorts before "mardi": only the dates the
    // names tell can find the oldest.
    for (int day = 0; day < 3; ++day)
        setFolderTime(path(t + day * kDay), t + (10 - day) * kDay);

    setContent("v2");
    ASSERT_TRUE(backupAt(t + 3 * kDay, 3));
    EXPECT_EQ(backups().size(), 3);
    EXPECT_FALSE(backups().contains(name(t)));
    EXPECT_EQ(backupContent(t + 3 * kDay), "v2");
    long count = 0;
    QString oldest;
    EXPECT_TRUE(BackupManager::scanSauvFolder(folder, &count, &oldest));
    EXPECT_EQ(count, 3);
    EXPECT_EQ(oldest, name(t + kDay));

    // A limit lowered to one: still only the one oldest goes at each run.
    ASSERT_TRUE(backupAt(t + 4 * kDay, 0));
    EXPECT_EQ(backups().size(), 3);
    EXPECT_FALSE(backups().contains(name(t + kDay)));
    EXPECT_TRUE(backups().contains(name(t + 4 * kDay)));
}

TEST_F(BackupTest, NeverMoreThanFiftyAndTheSameSecondReplaces)
{
    const double t = monday();
    QDir().mkpath(folder);
    for (int hour = 0; hour < 55; ++hour)
        QDir().mkdir(path(t + hour * 3600));
    ASSERT_TRUE(backupAt(t + 100 * 3600, 100));
    EXPECT_EQ(backups().size(), 55); // the new one in, the one oldest out
    EXPECT_FALSE(backups().contains(name(t)));
    EXPECT_TRUE(backups().contains(name(t + 3600)));

    setContent("v3");
    ASSERT_TRUE(backupAt(t + 100 * 3600, 100));
    EXPECT_EQ(backups().size(), 54);
    EXPECT_EQ(backupContent(t + 100 * 3600), "v3");
}

TEST_F(BackupTest, NamesThatAreNoDateCountAsMadeNowAndGoLast)
{
    const double t = monday();
    QDir().mkpath(path(t));
    QDir().mkpath(folder + "/copie recente");
    setFolderTime(folder + "/copie recente", t + kDay);
    long count = 0;
    QString oldest;
    ASSERT_TRUE(BackupManager::scanSauvFolder(folder, &count, &oldest));
    EXPECT_EQ(oldest, name(t));
    QDir().mkpath(folder + "/ancienne copie");
    setFolderTime(folder + "/ancienne copie", t - kDay);
    ASSERT_TRUE(BackupManager::scanSauvFolder(folder, &count, &oldest));
    EXPECT_EQ(count, 3);
    EXPECT_EQ(oldest, name(t)); // the folder's own date is not looked at
}

TEST_F(BackupTest, ASaveAfterTheBackupLeavesTheBackupAsItWas)
{
    const double t = monday();
    QDir().mkpath(package + "/Contents/Resources/attached");
    testenv::writeFile(package + "/Contents/Resources/attached/facture.pdf", "facture");
    ASSERT_TRUE(backupAt(t, 3));
    // Member files are replaced the way every save replaces them; an attached file may be changed
    // where it lies by the program that opened it.
    XmlDocPtr document = xmlCreateDocument(QStringLiteral("list"), nullptr);
    ASSERT_TRUE(writeXMLToURL(package + "/Contents/Resources/transact.xml", document.get()));
    QFile attached(package + "/Contents/Resources/attached/facture.pdf");
    ASSERT_TRUE(attached.open(QIODevice::WriteOnly | QIODevice::Truncate));
    attached.write("modifiée");
    attached.close();
    EXPECT_EQ(backupContent(t), "v1");
    EXPECT_EQ(testenv::readFile(path(t) + "/Contents/Resources/attached/facture.pdf"), "facture");

    // Changed again to as many bytes as the backup holds, at another time: the next backup can't
    // take the previous one's file for it.
    testenv::writeFile(attached.fileName(), "FACTURE");
    setFolderTime(attached.fileName(), t - kDay);
    ASSERT_TRUE(backupAt(t + 60, 3));
    EXPECT_EQ(testenv::readFile(path(t + 60) + "/Contents/Resources/attached/facture.pdf"), "FACTURE");
}

// A backup takes its name only once every file it copied (attached files, logos: those it does not
// share with the package) is on the disk, whichever way it is made.
TEST_F(BackupTest, EveryCopiedFileIsOnTheDiskBeforeTheBackupTakesItsName)
{
    QDir().mkpath(package + "/Contents/Resources/Documents");
    QDir().mkpath(package + "/Contents/Resources/logo");
    testenv::writeFile(package + "/Contents/Resources/Documents/Ticket.pdf", "ticket");
    testenv::writeFile(package + "/Contents/Resources/logo/banque.png", "logo");
    QSet<QString> synced;
    setFileSyncForTesting([&synced](int fd, const QString& path) {
        synced.insert(QDir::cleanPath(path));
        return ::fdatasync(fd) == 0 ? 0 : errno;
    });
    // At the rename that gives the backup its name, the copies it holds and their state.
    struct AtTheRename : FileSystemOps {
        QStringList copied;
        QStringList notSynced;
        const QSet<QString>* synced = nullptr;
        bool moveItem(const QString& from, const QString& to, int* error) override
        {
            QDirIterator it(from, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
            while (it.hasNext()) {
                const QString path = QDir::cleanPath(it.next());
                struct stat info { };
                if (::lstat(QFile::encodeName(path).constData(), &info) != 0 || info.st_nlink > 1)
                    continue; // shared with the package, on the disk already
                copied.append(QFileInfo(path).fileName());
                if (!synced->contains(path))
                    notSynced.append(path);
            }
            return FileSystemOps::moveItem(from, to, error);
        }
    };
    const struct {
        const char* name;
        std::function<bool()> backup;
    } ways[] = {
        {"at the opening", [this] { return backupAt(monday(), 3); }},
        {"of a damaged package", [this] { return BackupManager::keepDamagedPackage(package); }},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.name);
        QDir(folder).removeRecursively(); // no earlier backup to share the files with
        AtTheRename rename;
        rename.synced = &synced;
        FileSystemOps::install(&rename);
        EXPECT_TRUE(way.backup());
        FileSystemOps::install(nullptr);
        rename.copied.sort();
        EXPECT_EQ(rename.copied, (QStringList {"Ticket.pdf", "banque.png"}));
        EXPECT_EQ(rename.notSynced, QStringList());
    }
    setFileSyncForTesting(nullptr);
}

TEST_F(BackupTest, AFailedCopyCostsNoBackupAndLetsTheUserChoose)
{
    const double t = monday();
    ASSERT_TRUE(backupAt(t, 2));
    ASSERT_TRUE(backupAt(t + 60, 2));
    const QStringList before = backups();
    QDir(package).removeRecursively();

    FakeAlerts alerts;
    alerts.expect(kAlertFirstButton);
    EXPECT_FALSE(backupAt(t + 120, 2));
    ASSERT_EQ(alerts.shown.size(), 1);
    EXPECT_EQ(alerts.shown[0].message, localizedDialogue(QStringLiteral("kConfirm_PbSauvegarde")));
    EXPECT_EQ(alerts.shown[0].button1, localizedDialogue(QStringLiteral("LIB_BUTTON_NON")));
    // The reason, not only the failure.
    EXPECT_TRUE(alerts.shown[0].information.endsWith(QStringLiteral("le fichier ou le dossier n'existe pas, ou plus.")))
        << alerts.shown[0].information.toStdString();
    EXPECT_EQ(backups(), before);
    alerts.expect(kAlertSecondButton);
    EXPECT_TRUE(backupAt(t + 180, 2));
    EXPECT_EQ(backups(), before);
}

TEST_F(BackupTest, ManualCopyReminderComesOncePerPeriod)
{
    APPLIPARAM& parameters = APPLIPARAM::loadAppliParam();
    const long savedPeriod = parameters.everyDaysManualSave;
    parameters.everyDaysManualSave = 7;
    DOCUMENT doc(package, kFileSystemLocal);
    testenv::addDefaultDocParam(doc);
    doc.docParam->lastManualSave = monday();
    FakeAlerts alerts;
    FakeAppShell shell;
    ScopedAppShell installed(&shell);
    BackupManager& manager = BackupManager::defaultManager();

    SystemClock::setNowForTesting(monday() + 6 * kDay + 9 * 3600); // the 9th at 23:05
    manager.alertForManualSave(&doc);
    SystemClock::setNowForTesting(monday() + 7 * kDay - 14 * 3600); // the 10th at 00:05
    alerts.expect(kAlertSecondButton);
    manager.alertForManualSave(&doc);
    ASSERT_EQ(alerts.shown.size(), 1);
    EXPECT_TRUE(alerts.shown[0].message.contains(QStringLiteral("7")));
    alerts.expect(kAlertFirstButton);
    manager.alertForManualSave(&doc);
    EXPECT_EQ(shell.copyCalls, 1);

    // Ignored: recorded in the package at once, and quiet for a whole period.
    alerts.expect(kAlertThirdButton);
    manager.alertForManualSave(&doc);
    bool error = false;
    EXPECT_DOUBLE_EQ(DOCPARAM::loadDocParam(package, &error)->lastManualSave, SystemClock::now());
    manager.alertForManualSave(&doc);
    EXPECT_EQ(alerts.shown.size(), 3);
    parameters.everyDaysManualSave = 0;
    alerts.expect(kAlertSecondButton);
    manager.alertForManualSave(&doc);
    EXPECT_EQ(alerts.shown.size(), 4);
    parameters.everyDaysManualSave = savedPeriod;

    // A copy of the closed document is recorded in its package, every other setting kept.
    doc.docParam->defaultPoste = 42;
    doc.docParam->saveDocParam(package);
    SystemClock::setNowForTesting(monday() + 8 * kDay);
    manager.didManualSaveForClosedDocumentAtUrl(package);
    const std::unique_ptr<DOCPARAM> stored = DOCPARAM::loadDocParam(package, &error);
    EXPECT_DOUBLE_EQ(stored->lastManualSave, monday() + 8 * kDay);
    EXPECT_TRUE(stored->lastManualSaveStarted);
    EXPECT_EQ(stored->defaultPoste, 42);
}
