// Saves and backups give unchanged attached files a second name instead of a copy, yet a change
// made to an attached file where it lies reaches neither a backup nor is lost by a save, and a
// backup stopped midway is never counted among those kept.
#include "document/BackupManager.h"
#include "document/FileSystemOps.h"
#include "document/HelperSVLibraryFolder.h"
#include "document/SVDocumentManager.h"
#include "foundation/IAlerts.h"
#include "foundation/SystemClock.h"
#include "foundation/files.h"
#include "model/DOCUMENT.h"
#include "support/FakeAlerts.h"
#include "support/KilledAtStep.h"
#include "support/TestEnvironment.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <cerrno>
#include <sys/stat.h>

namespace {

const QString kTicket = QStringLiteral("/Contents/Resources/Documents/Ticket.pdf");

struct stat statOf(const QString& path)
{
    struct stat info { };
    EXPECT_EQ(::lstat(QFile::encodeName(path).constData(), &info), 0) << path.toStdString();
    return info;
}

bool sameFile(const QString& a, const QString& b)
{
    const struct stat first = statOf(a);
    const struct stat second = statOf(b);
    return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

// Written where it lies, as a program that opened the attached file would.
void editInPlace(const QString& path, const QByteArray& bytes)
{
    const ino_t before = statOf(path).st_ino;
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
    file.close();
    ASSERT_EQ(statOf(path).st_ino, before);
}

class UnchangedFilesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const QString name = QStringLiteral("Releves%1").arg(++s_serial);
        package = testenv::freshDir(QStringLiteral("unchanged")) + QLatin1Char('/') + name + QStringLiteral(".svd");
        ASSERT_TRUE(copyItemAtPath(QStringLiteral(SORV_TEST_DATA_DIR "/packages/complete.svd"), package));
        QString archives;
        HelperSVLibraryFolder::getSVLibraryArchiveFolderUrl(&archives, nullptr);
        folder = archives + QLatin1Char('/') + name;
        t = SystemClock::now();
    }
    void TearDown() override { SystemClock::setNowForTesting(std::nullopt); }

    bool save()
    {
        DOCUMENT doc(package, kFileSystemLocal);
        EXPECT_EQ(SVDocumentManager::defaultManager().loadDocumentInternal(package, doc), DocError::None);
        bool ok = false;
        SVDocumentManager::defaultManager().saveDocument(
            &doc, package, {}, [&ok] { ok = true; }, [] {});
        return ok;
    }
    // A backup a minute after the previous one; true when the document may open.
    bool backup()
    {
        t += 60;
        SystemClock::setNowForTesting(t);
        bool ok = false;
        BackupManager::defaultManager().sauvegardeAutomatique(
            package, 10, [&ok] { ok = true; }, [] {});
        return ok;
    }
    QString backupPath() const { return folder + QLatin1Char('/') + BackupManager::backupNameForTime(t); }
    long count() const
    {
        long found = 0;
        QString oldest;
        BackupManager::scanSauvFolder(folder, &found, &oldest);
        return found;
    }

    QString package;
    QString folder;
    double t = 0;
    static inline int s_serial = 0;
};

// Every step of a backup from the n-th on fails, as in a process killed there; a copy under way
// when it dies is left half made (its last file never comes).
class KilledAt : public KilledAtStep {
public:
    using KilledAtStep::KilledAtStep;
    bool removeItem(const QString& p, int* e) override { return pass(e) && FileSystemOps::removeItem(p, e); }
    bool moveItem(const QString& f, const QString& t, int* e) override
    {
        return pass(e) && FileSystemOps::moveItem(f, t, e);
    }
    bool cloneItem(const QString& f, const QString& t, const CloneOptions& o, int* e) override
    {
        if (diesNow() && FileSystemOps::cloneItem(f, t, o, e))
            QFile::remove(t + QStringLiteral("/Contents/Resources/transact.xml"));
        return pass(e) && FileSystemOps::cloneItem(f, t, o, e);
    }
};

} // namespace

TEST_F(UnchangedFilesTest, ASaveLinksUnchangedAttachedFilesAndKeepsAnEditMadeWhereTheyLie)
{
    const QByteArray original = testenv::readFile(package + kTicket);
    const ino_t before = statOf(package + kTicket).st_ino;
    ASSERT_TRUE(save());
    // Not copied: the same file, and nothing else names it once the old package is gone.
    EXPECT_EQ(statOf(package + kTicket).st_ino, before);
    EXPECT_EQ(statOf(package + kTicket).st_nlink, 1u);
    EXPECT_EQ(testenv::readFile(package + kTicket), original);

    ASSERT_TRUE(backup());
    editInPlace(package + kTicket, "ticket corrigé à la main");
    ASSERT_TRUE(save());
    EXPECT_EQ(testenv::readFile(package + kTicket), "ticket corrigé à la main");
    EXPECT_EQ(testenv::readFile(backupPath() + kTicket), original);
}

TEST_F(UnchangedFilesTest, ABackupSharesWhatTheLastOneHoldsAndNoChangeReachesEither)
{
    const QByteArray original = testenv::readFile(package + kTicket);
    ASSERT_TRUE(backup());
    const QString first = backupPath();
    ASSERT_TRUE(save());
    ASSERT_TRUE(backup());
    const QString second = backupPath();
    EXPECT_TRUE(sameFile(first + kTicket, second + kTicket));
    EXPECT_FALSE(sameFile(package + kTicket, second + kTicket));
    // Member files are shared with the package as before, never between the two backups' names.
    EXPECT_EQ(testenv::readFile(second + QStringLiteral("/Contents/Resources/transact.xml")),
              testenv::readFile(package + QStringLiteral("/Contents/Resources/transact.xml")));

    editInPlace(package + kTicket, "autre ticket, d'une autre taille");
    EXPECT_EQ(testenv::readFile(first + kTicket), original);
    EXPECT_EQ(testenv::readFile(second + kTicket), original);
    ASSERT_TRUE(backup());
    EXPECT_EQ(testenv::readFile(backupPath() + kTicket), "autre ticket, d'une autre taille");
    EXPECT_FALSE(sameFile(second + kTicket, backupPath() + kTicket));
    EXPECT_FALSE(sameFile(package + kTicket, backupPath() + kTicket));
    EXPECT_EQ(testenv::readFile(second + kTicket), original);
}

TEST_F(UnchangedFilesTest, ABackupStoppedAtAnyStepIsNeverCounted)
{
    ASSERT_TRUE(backup());
    int steps = 0;
    for (int stop = 0; stop == 0 || stop <= steps; ++stop) {
        const long before = count();
        {
            FakeAlerts alerts;
            KilledAt killed(stop);
            alerts.answers = {kAlertSecondButton}; // opens without a backup
            backup();
            steps = std::max(steps, killed.steps);
            alerts.answers.clear();
        }
        const long after = count();
        EXPECT_TRUE(after == before || after == before + 1) << "stopped at " << stop;
        // What is counted is whole.
        for (const QString& name : QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
            EXPECT_TRUE(QFile::exists(folder + '/' + name + "/Contents/Resources/transact.xml"))
                << "stopped at " << stop;
    }
    EXPECT_GE(steps, 2);
    // The next backup clears what a stopped one left.
    const long before = count();
    ASSERT_TRUE(backup());
    EXPECT_EQ(count(), before + 1);
    EXPECT_EQ(QDir(folder).entryList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot).size(), before + 1);
}
