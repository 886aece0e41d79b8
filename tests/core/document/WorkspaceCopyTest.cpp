// A process killed while it duplicates, takes in or copies a document over another leaves no half
// copy for the browser to list, and the document it was replacing whole. The copy is made by a
// second process, this test program started again, that a file it can't finish reading (a named
// pipe nobody writes into) holds in the middle of the copy until it is killed.
#include "document/HelperSVFiles.h"
#include "document/RecentDocument.h"
#include "document/SVWorkspaceManager.h"
#include "foundation/files.h"
#include "model/DOCUMENT.h"
#include "support/TestEnvironment.h"
#include "support/TestFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>
#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

constexpr char kKind[] = "SORV_COPY_KILLED";
constexpr char kHome[] = "SORV_COPY_HOME";
constexpr char kSource[] = "SORV_COPY_SOURCE";
constexpr char kTarget[] = "SORV_COPY_TARGET";
// Copied among the first files of a package, before the pipe that holds the copy.
constexpr char kFirstFile[] = "Contents/Resources/Documents/Premier.txt";

QString documentsFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

// A document whose copy can't end: a named pipe among its last files.
QString unendingDocument(const QString& url)
{
    EXPECT_TRUE(copyItemAtPath(QStringLiteral(SORV_TEST_DATA_DIR "/packages/complete.svd"), url));
    testenv::writeFile(url + QLatin1Char('/') + QLatin1String(kFirstFile), "premier");
    EXPECT_EQ(::mkfifo(QFile::encodeName(url + QStringLiteral("/Contents/Resources/zz-attente")).constData(), 0600), 0);
    return url;
}

// How many copies of the first file lie in the folder, hidden ones included, the source's aside.
int copiesStarted(const QString& folder, const QString& source)
{
    int found = 0;
    QDirIterator it(folder, {QStringLiteral("Premier.txt")}, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        found += it.next().startsWith(source + QLatin1Char('/')) ? 0 : 1;
    return found;
}

QStringList listedNames()
{
    SVWorkspaceManager& workspace = SVWorkspaceManager::sharedInstance();
    workspace.loadRecentMacData();
    QStringList names;
    for (long i = 0; i < workspace.nbRecent(kFileSystemLocal); ++i)
        names.append(workspace.documentAtIndex(i, kFileSystemLocal)->name());
    return names;
}

} // namespace

// The second process: copies as it is told, and is killed in the middle.
TEST(WorkspaceCopyChild, CopiesUntilKilled)
{
    const QString kind = qEnvironmentVariable(kKind);
    if (kind.isEmpty())
        GTEST_SKIP() << "runs only as the second process of the killed-copy test";
    const QString home = qEnvironmentVariable(kHome);
    testenv::shareUserRuntimeOf(home);
    qputenv("HOME", QFile::encodeName(home));
    ASSERT_EQ(documentsFolder(), home + QStringLiteral("/Documents"));
    QString source = qEnvironmentVariable(kSource);
    const QString target = qEnvironmentVariable(kTarget);
    SVWorkspaceManager& workspace = SVWorkspaceManager::sharedInstance();
    if (kind == QLatin1String("duplicate")) {
        workspace.loadRecentMacData();
        long index = 0;
        ASSERT_TRUE(workspace.findElementNamed(documentNameFromURL(source), &index, kFileSystemLocal));
        workspace.dupliquerRecent(index, target, kFileSystemLocal);
    } else if (kind == QLatin1String("import")) {
        workspace.importerRecent(&source, kFileSystemLocal);
    } else {
        HelperSVFiles::replaceSVFile(target, source);
    }
    ADD_FAILURE() << "the copy ended";
}

TEST(WorkspaceCopy, AKillInTheMiddleOfACopyLeavesNoHalfCopyListed)
{
    const QString documents = documentsFolder();
    const QString elsewhere = testenv::freshDir(QStringLiteral("killed-copy"));
    const struct {
        const char* kind;
        QString source;
        QString target; // the duplicate's name, or the document replaced
    } copies[] = {
        {"duplicate", documents + QStringLiteral("/A.svd"), QStringLiteral("D")},
        {"import", elsewhere + QStringLiteral("/Club.svd"), {}},
        {"replace", elsewhere + QStringLiteral("/Club.svd"), documents + QStringLiteral("/Autre.svd")},
    };
    for (const auto& copy : copies) {
        SCOPED_TRACE(copy.kind);
        QDir(documents).removeRecursively();
        QDir(elsewhere).removeRecursively();
        QDir().mkpath(documents);
        QDir().mkpath(elsewhere);
        unendingDocument(copy.source);
        if (!copy.source.startsWith(documents)) {
            ASSERT_TRUE(copyItemAtPath(QStringLiteral(SORV_TEST_DATA_DIR "/packages/complete.svd"),
                                       documents + QStringLiteral("/A.svd")));
        }
        ASSERT_TRUE(copyItemAtPath(QStringLiteral(SORV_TEST_DATA_DIR "/packages/complete.svd"),
                                   documents + QStringLiteral("/Autre.svd")));
        testenv::writeFile(documents + QStringLiteral("/Autre.svd/Contents/Resources/transact.xml"), "<list/>");
        const auto other = testenv::filesUnder(documents + QStringLiteral("/Autre.svd"));

        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QLatin1String(kKind), QLatin1String(copy.kind));
        environment.insert(QLatin1String(kHome), testenv::homeDir());
        environment.insert(QLatin1String(kSource), copy.source);
        environment.insert(QLatin1String(kTarget), copy.target);
        environment.insert(QStringLiteral("TMPDIR"), testenv::freshDir(QStringLiteral("child")));
        child.setProcessEnvironment(environment);
        child.setProcessChannelMode(QProcess::MergedChannels);
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--gtest_filter=WorkspaceCopyChild.*")});
        ASSERT_TRUE(child.waitForStarted());
        for (int wait = 0; wait < 3000 && copiesStarted(documents, copy.source) == 0; ++wait) {
            if (child.state() != QProcess::Running)
                break;
            QThread::msleep(10);
        }
        ASSERT_GT(copiesStarted(documents, copy.source), 0) << child.readAll().toStdString();
        child.kill();
        ASSERT_TRUE(child.waitForFinished());

        EXPECT_EQ(listedNames(), (QStringList {"A", "Autre"}));
        EXPECT_EQ(QDir(documents).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                  (QStringList {"A.svd", "Autre.svd"}));
        EXPECT_TRUE(testenv::filesUnder(documents + QStringLiteral("/Autre.svd")) == other);
    }
    SVWorkspaceManager::sharedInstance().clearRecent(kFileSystemLocal);
    QDir(documents).removeRecursively();
    QDir().mkpath(documents);
}
