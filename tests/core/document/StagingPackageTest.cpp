// Each save builds its package in a staging package of its own beside the document: two copies of
// the program saving at once never mix their documents, no staging copy outlives its save, and
// every staged file is on the disk before the package takes the document's place.
#include "DocumentGenerator.h"

#include "document/FileSystemOps.h"
#include "document/SVDocumentManager.h"
#include "foundation/files.h"
#include "foundation/localized.h"
#include "foundation/xmlfileaccess.h"
#include "foundation/xmlmember.h"
#include "model/DOCUMENT.h"
#include "support/FakeAlerts.h"
#include "support/TestEnvironment.h"
#include "support/TestFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QProcess>
#include <QSet>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// What the second copy of the program is given: the package it saves, how many times, and the
// library folder it shares with the first.
constexpr char kChildPackage[] = "SORV_TEST_SAVING_PACKAGE";
constexpr char kChildRounds[] = "SORV_TEST_SAVING_ROUNDS";
constexpr char kChildLibrary[] = "SORV_TEST_SAVING_LIBRARY";

std::unique_ptr<DOCUMENT> load(const QString& url)
{
    auto doc = std::make_unique<DOCUMENT>(url, kFileSystemLocal);
    EXPECT_EQ(SVDocumentManager::defaultManager().loadDocumentInternal(url, *doc), DocError::None) << url.toStdString();
    return doc;
}

bool save(DOCUMENT& doc, const QString& to)
{
    int ok = 0;
    int nok = 0;
    SVDocumentManager::defaultManager().saveDocument(
        &doc, to, {}, [&ok] { ++ok; }, [&nok] { ++nok; });
    EXPECT_EQ(ok + nok, 1);
    return ok == 1;
}

QString member(const QString& package, const char* name)
{
    return package + QStringLiteral("/Contents/Resources/") + QLatin1String(name);
}

// The records of a package, to tell its own from another's.
QByteArray records(const QString& package)
{
    return testenv::readFile(member(package, "transact.xml")) + testenv::readFile(member(package, "compte.xml"));
}

QStringList folderEntries(const QString& package)
{
    return QDir(QFileInfo(package).path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

// A generated document of that many transactions written as a package.
QString generatedPackage(const QString& url, long transactions, unsigned seed)
{
    const auto doc = DocumentGenerator::generate(transactions, seed);
    EXPECT_TRUE(DocumentGenerator::writePackage(*doc, url));
    return url;
}

// The steps a test names fail with the error it gives.
class FailingSteps : public FileSystemOps {
public:
    FailingSteps() { FileSystemOps::install(this); }
    ~FailingSteps() override { FileSystemOps::install(nullptr); }
    FailingSteps(const FailingSteps&) = delete;
    FailingSteps& operator=(const FailingSteps&) = delete;

    std::function<int(const char* kind, const QString& from, const QString& to)> fault;

    bool makeFolder(const QString& p, int* e) override
    {
        return pass("mkdir", p, {}, e) && FileSystemOps::makeFolder(p, e);
    }
    bool moveItem(const QString& f, const QString& t, int* e) override
    {
        return pass("move", f, t, e) && FileSystemOps::moveItem(f, t, e);
    }
    bool cloneItem(const QString& f, const QString& t, const CloneOptions& o, int* e) override
    {
        return pass("copy", f, t, e) && FileSystemOps::cloneItem(f, t, o, e);
    }

private:
    bool pass(const char* kind, const QString& from, const QString& to, int* error)
    {
        const int code = fault ? fault(kind, from, to) : 0;
        if (code != 0 && error)
            *error = code;
        return code == 0;
    }
};

// Stands in for the sync of every file a package's flush waits for.
class Syncs {
public:
    explicit Syncs(std::function<int(const QString&)> fault = nullptr)
    {
        setFileSyncForTesting([this, fault](int fd, const QString& path) {
            synced.insert(QDir::cleanPath(path));
            if (fault && fault(path) != 0)
                return fault(path);
            return ::fdatasync(fd) == 0 ? 0 : errno;
        });
    }
    ~Syncs() { setFileSyncForTesting(nullptr); }
    Syncs(const Syncs&) = delete;
    Syncs& operator=(const Syncs&) = delete;

    QSet<QString> synced;
};

// A process that has ended: its number names no running process.
qint64 endedProcess()
{
    QProcess process;
    process.start(QStringLiteral("/bin/true"), QStringList());
    EXPECT_TRUE(process.waitForStarted());
    const qint64 number = process.processId();
    EXPECT_TRUE(process.waitForFinished());
    return number;
}

} // namespace

// The second copy of the program in TwoCopiesSavingTwoDocumentsAtOnceKeepEachItsOwnRecords.
TEST(StagingPackage, SavingChild)
{
    const QString package = qEnvironmentVariable(kChildPackage);
    if (package.isEmpty())
        GTEST_SKIP() << "the second copy of the program in the two-copies test";
    qputenv("XDG_DATA_HOME", qgetenv(kChildLibrary)); // one user, one library folder
    const QByteArray own = records(package);
    auto doc = load(package);
    const FakeAlerts alerts; // a failed save tells
    for (int round = qEnvironmentVariableIntValue(kChildRounds); round > 0; --round) {
        ASSERT_TRUE(save(*doc, package)) << round;
        ASSERT_EQ(records(package), own) << round;
    }
}

TEST(StagingPackage, TwoCopiesSavingTwoDocumentsAtOnceKeepEachItsOwnRecords)
{
    const QString folder = testenv::freshDir(QStringLiteral("two-copies"));
    const QString mine = generatedPackage(folder + QStringLiteral("/Maison.svd"), 600, 1);
    const QString theirs = generatedPackage(folder + QStringLiteral("/Vacances.svd"), 900, 2);
    const QByteArray own = records(mine);
    const QByteArray other = records(theirs);
    auto doc = load(mine);
    const FakeAlerts alerts;

    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QLatin1String(kChildPackage), theirs);
    environment.insert(QLatin1String(kChildRounds), QStringLiteral("12"));
    environment.insert(QLatin1String(kChildLibrary), qEnvironmentVariable("XDG_DATA_HOME"));
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::MergedChannels);
    const QString log = testenv::freshDir(QStringLiteral("two-copies-log")) + QStringLiteral("/child.log");
    child.setStandardOutputFile(log);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_filter=StagingPackage.SavingChild"), QStringLiteral("--gtest_brief=1")});
    ASSERT_TRUE(child.waitForStarted());
    // Saving the whole time the other copy saves.
    const auto childRuns = [&child] {
        child.waitForFinished(0); // only a wait notices that the process ended
        return child.state() != QProcess::NotRunning;
    };
    int rounds = 0;
    bool saved = true;
    while (saved && (rounds < 3 || (childRuns() && rounds < 500))) {
        saved = save(*doc, mine) && records(mine) == own;
        ++rounds;
    }
    EXPECT_TRUE(saved) << "round " << rounds;
    if (!saved)
        child.kill();
    ASSERT_TRUE(!childRuns() || child.waitForFinished(300000));
    EXPECT_EQ(child.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(child.exitCode(), 0) << testenv::readFile(log).toStdString();
    EXPECT_EQ(records(theirs), other);
    EXPECT_EQ(folderEntries(mine), (QStringList {"Maison.svd", "Vacances.svd"}));
}

// The other process of StagingPackage.NoStagingCopyOutlivesItsSave: a save of another user (when
// the tests run as root; the same user otherwise) that has made its staging package and goes on.
TEST(StagingPackage, SavingOtherUserChild)
{
    const QString destination = qEnvironmentVariable(kChildPackage);
    if (destination.isEmpty())
        GTEST_SKIP() << "the other process in the leftovers test";
    StagingPackage staging;
    int error = 0;
    ASSERT_TRUE(staging.make(destination, &error)) << error;
    ASSERT_TRUE(copyFolderContents(destination, staging.url()));
    if (::getuid() == 0) {
        ASSERT_EQ(::setuid(65534), 0); // nobody: a process this one could not signal
    }
    std::puts("ready");
    std::fflush(stdout);
    std::getchar(); // until the test lets it go
    // Ends as a killed process would, its package left behind: nothing of the test's own
    // environment is for another user to clear.
    std::quick_exit(0);
}

TEST(StagingPackage, NoStagingCopyOutlivesItsSave)
{
    const QString url
        = generatedPackage(testenv::freshDir(QStringLiteral("leftover")) + QStringLiteral("/Foyer.svd"), 300, 3);
    auto doc = load(url);

    // What saves of other processes left beside the document: a save still running keeps its
    // package whoever runs it, an ended one loses it whatever its number names now.
    QProcess other;
    other.setProcessChannelMode(QProcess::MergedChannels);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QLatin1String(kChildPackage), url);
    other.setProcessEnvironment(environment);
    other.start(
        QCoreApplication::applicationFilePath(),
        {QStringLiteral("--gtest_filter=StagingPackage.SavingOtherUserChild"), QStringLiteral("--gtest_brief=1")});
    ASSERT_TRUE(other.waitForStarted());
    while (!other.readAllStandardOutput().contains("ready"))
        ASSERT_TRUE(other.waitForReadyRead(60000));
    const QString othersSave = StagingPackage::urlFor(url, other.processId());
    const QString aside = hiddenSaveFolderUrl(url, kSetAsideFolderName, 1);
    const struct {
        const char* name;
        QString folder;
        QString package; // the copy of the document it holds
        bool kept;
    } leftovers[] = {
        {"a save killed midway", StagingPackage::urlFor(url, endedProcess()), {}, false},
        {"a save killed midway whose number a running process has now",
         StagingPackage::urlFor(url, ::getppid()),
         {},
         false},
        {"the version a save killed after its swap replaced", aside, setAsidePackageUrl(aside, url), false},
        {"the save of another user, still running", othersSave, othersSave, true},
    };
    for (const auto& leftover : leftovers) {
        const bool made = QFileInfo::exists(leftover.folder)
            || (leftover.package.isEmpty() ? copyItemAtPath(url, leftover.folder)
                                           : QDir().mkpath(leftover.folder) && copyItemAtPath(url, leftover.package));
        ASSERT_TRUE(made) << leftover.name;
        if (leftover.folder != othersSave)
            testenv::plantSaveFolderMark(leftover.folder);
    }
    ASSERT_TRUE(save(*doc, url));
    for (const auto& leftover : leftovers)
        EXPECT_EQ(QFileInfo::exists(leftover.folder), leftover.kept) << leftover.name;
    EXPECT_EQ(records(othersSave), records(url));
    other.closeWriteChannel();
    ASSERT_TRUE(other.waitForFinished(60000));
    EXPECT_EQ(other.exitCode(), 0) << other.readAll().toStdString();
    ASSERT_TRUE(save(*doc, url));
    EXPECT_EQ(folderEntries(url), QStringList {"Foyer.svd"});
    const auto before = testenv::filesUnder(url);

    // Each way a save can fail after its staging package was made.
    const struct {
        const char* name;
        int alerts; // first buttons: the question, when asked, declines
        std::function<int(const char* kind, const QString& from, const QString& to)> step;
        std::function<int(const QString& path)> member;
        std::function<int(const QString& path)> sync;
    } failures[] = {
        {"member not written, the user declines", 2, nullptr,
         [](const QString& path) { return path.endsWith("/transact.xml") ? ENOSPC : 0; }, nullptr},
        {"folder not copied", 1,
         [](const char* kind, const QString& from, const QString&) {
             return QLatin1String(kind) == "copy" && from.endsWith("/searches") ? ENOSPC : 0;
         },
         nullptr, nullptr},
        {"flush failed", 1, nullptr, nullptr,
         [](const QString& path) { return path.endsWith("/transact.xml") ? EIO : 0; }},
        {"swap failed", 1,
         [](const char* kind, const QString& from, const QString&) {
             return QLatin1String(kind) == "move" && from.endsWith(QLatin1String(kSavingPackageName)) ? EIO : 0;
         },
         nullptr, nullptr},
    };
    for (const auto& failure : failures) {
        SCOPED_TRACE(failure.name);
        FakeAlerts alerts;
        for (int i = 0; i < failure.alerts; ++i)
            alerts.expect(kAlertFirstButton);
        FailingSteps steps;
        steps.fault = failure.step;
        setXmlWriteFaultForTesting(failure.member);
        const Syncs syncs(failure.sync);
        EXPECT_FALSE(save(*doc, url));
        setXmlWriteFaultForTesting(nullptr);
        EXPECT_EQ(alerts.shown.value(failure.alerts - 1).message,
                  localizedDialogue(QStringLiteral("kAlerte_CannotSaveDoc")));
        EXPECT_EQ(folderEntries(url), QStringList {"Foyer.svd"});
        EXPECT_TRUE(testenv::filesUnder(url) == before);
    }
}

TEST(StagingPackage, EveryStagedFileIsOnTheDiskBeforeThePackageTakesTheDocumentsPlace)
{
    const QString url
        = generatedPackage(testenv::freshDir(QStringLiteral("durable")) + QStringLiteral("/Compte.svd"), 300, 4);
    auto doc = load(url);
    const Syncs syncs;
    // At the swap, every file of the staged package whose bytes are its own (not shared with the
    // package on disk, durable already) has been synced.
    QStringList staged;
    QStringList notSynced;
    FailingSteps steps;
    steps.fault = [&](const char* kind, const QString& from, const QString& to) {
        if (QLatin1String(kind) != "move" || to != url)
            return 0;
        QDirIterator it(from, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = QDir::cleanPath(it.next());
            struct stat info { };
            if (::lstat(QFile::encodeName(path).constData(), &info) != 0 || info.st_nlink > 1)
                continue;
            staged.append(path);
            if (!syncs.synced.contains(path))
                notSynced.append(path);
        }
        return 0;
    };
    ASSERT_TRUE(save(*doc, url));
    EXPECT_GT(staged.size(), 15);
    EXPECT_EQ(notSynced, QStringList());
}

// A name a document can have (up to 255 bytes with its extension, an accent counting two) leaves
// room for the hidden names of its saves.
TEST(StagingPackage, EveryNameADocumentCanHaveSaves)
{
    const QString folder = testenv::freshDir(QStringLiteral("long-names"));
    const QString source = generatedPackage(folder + QStringLiteral("/Source.svd"), 20, 5);
    const QString names[] = {
        QString(235, u'a'), QString(118, u'é'), // 236 bytes
        QString(123, u'é') + u'a', // 247 bytes
        QString(125, u'é') + u'a', // 251 bytes: the longest
    };
    for (const QString& name : names) {
        const QString url = folder + QLatin1Char('/') + name + QStringLiteral(".svd");
        SCOPED_TRACE(name.toUtf8().size());
        ASSERT_TRUE(copyItemAtPath(source, url));
        auto doc = load(url);
        const FakeAlerts alerts;
        for (int round = 0; round < 2; ++round)
            EXPECT_TRUE(save(*doc, url)) << round;
        const QStringList entries = folderEntries(url);
        EXPECT_EQ(QSet<QString>(entries.cbegin(), entries.cend()),
                  (QSet<QString> {"Source.svd", QFileInfo(url).fileName()}));
        ASSERT_TRUE(QDir(url).removeRecursively());
    }
}
