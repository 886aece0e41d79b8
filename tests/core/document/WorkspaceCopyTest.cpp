// A process killed while it duplicates, takes in or copies a document over another leaves no half
// copy for the browser to list, and the document it was replacing whole; the browser's next
// listing clears the hidden copy it left, whatever name the copy was for. The copy is made by a
// second process, this test program started again, held in the middle of the copy by a named pipe
// nobody writes into, and killed there.
#include "document/HelperSVFiles.h"
#include "document/SVWorkspaceManager.h"
#include "foundation/files.h"
#include "model/DOCUMENT.h"
#include "support/TestEnvironment.h"
#include "support/TestFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>
#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

// What the second process does: the kind of copy, the first process's home, the source, the target.
constexpr char kOrder[] = "SORV_COPY_KILLED";

QString documentsFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

// Copies of "Premier.txt", one of the first files copied, outside the source: the copy has begun.
int copiesBegun(const QString& folder, const QString& source)
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

TEST(WorkspaceCopyChild, CopiesUntilKilled)
{
    const QStringList order = qEnvironmentVariable(kOrder).split(QLatin1Char('\n'));
    if (order.size() != 4)
        GTEST_SKIP() << "runs only as the second process of the killed-copy test";
    testenv::shareUserRuntimeOf(order[1]);
    qputenv("HOME", QFile::encodeName(order[1]));
    QString source = order[2];
    SVWorkspaceManager& workspace = SVWorkspaceManager::sharedInstance();
    workspace.loadRecentMacData();
    long index = 0;
    if (order[0] == QLatin1String("duplicate")
        && workspace.findElementNamed(QStringLiteral("A"), &index, kFileSystemLocal))
        workspace.dupliquerRecent(index, order[3], kFileSystemLocal);
    else if (order[0] == QLatin1String("import"))
        workspace.importerRecent(&source, kFileSystemLocal);
    else if (order[0] == QLatin1String("replace"))
        HelperSVFiles::replaceSVFile(order[3], source);
    ADD_FAILURE() << "the copy ended";
}

TEST(WorkspaceCopy, AKillInTheMiddleOfACopyLeavesNoHalfCopyListed)
{
    const QString documents = documentsFolder();
    const QString elsewhere = testenv::freshDir(QStringLiteral("killed-copy")) + QStringLiteral("/Club.svd");
    const QString sample = QStringLiteral(SORV_TEST_DATA_DIR "/packages/complete.svd");
    const struct {
        const char* kind;
        QString source;
        QString target; // the duplicate's name, or the document replaced
    } copies[] = {
        {"duplicate", documents + QStringLiteral("/A.svd"), QStringLiteral("D")},
        {"import", elsewhere, {}},
        {"replace", elsewhere, documents + QStringLiteral("/Autre.svd")},
    };
    for (const auto& copy : copies) {
        SCOPED_TRACE(copy.kind);
        QDir(documents).removeRecursively();
        QDir(copy.source).removeRecursively();
        QDir().mkpath(documents);
        for (const QString& url :
             {documents + QStringLiteral("/A.svd"), documents + QStringLiteral("/Autre.svd"), copy.source}) {
            ASSERT_TRUE(QFileInfo::exists(url) || copyItemAtPath(sample, url));
        }
        testenv::writeFile(copy.source + QStringLiteral("/Contents/Resources/Documents/Premier.txt"), "premier");
        ASSERT_EQ(::mkfifo(QFile::encodeName(copy.source + QStringLiteral("/Contents/Resources/zz")).constData(), 0600),
                  0);
        const auto other = testenv::filesUnder(documents + QStringLiteral("/Autre.svd"));

        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QLatin1String(kOrder),
                           QStringList {QLatin1String(copy.kind), testenv::homeDir(), copy.source, copy.target}.join(
                               QLatin1Char('\n')));
        environment.insert(QStringLiteral("TMPDIR"), testenv::freshDir(QStringLiteral("child")));
        child.setProcessEnvironment(environment);
        child.setProcessChannelMode(QProcess::MergedChannels);
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--gtest_filter=WorkspaceCopyChild.*")});
        for (int wait = 0; wait < 3000 && copiesBegun(documents, copy.source) == 0; ++wait) {
            if (!child.waitForStarted() || child.state() != QProcess::Running)
                break;
            QThread::msleep(10);
        }
        ASSERT_GT(copiesBegun(documents, copy.source), 0) << child.readAll().toStdString();
        child.kill();
        ASSERT_TRUE(child.waitForFinished());

        EXPECT_EQ(listedNames(), (QStringList {"A", "Autre"}));
        EXPECT_EQ(QDir(documents).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                  (QStringList {"A.svd", "Autre.svd"}));
        EXPECT_TRUE(testenv::filesUnder(documents + QStringLiteral("/Autre.svd")) == other);
    }
    SVWorkspaceManager::sharedInstance().clearRecent(kFileSystemLocal);
    QDir(documents).removeRecursively();
    QDir().mkpath(documents);
}
