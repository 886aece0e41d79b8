// A copy of a document takes its place whole or not at all: stopped at any step, the place holds
// the document that was there or the whole copy once the folder is next listed, and no half copy
// ever shows under a document's name; a document open in a running copy of the program is never
// replaced; every file of the copy is on the disk before it takes its name.
#include "document/PackageCopy.h"
#include "document/DocumentMark.h"
#include "document/FileSystemOps.h"
#include "document/HelperSVFiles.h"
#include "document/SaveLeftovers.h"
#include "foundation/files.h"
#include "support/KilledAtStep.h"
#include "support/TestEnvironment.h"
#include "support/TestFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QSet>
#include <gtest/gtest.h>

#include <cerrno>
#include <functional>
#include <unistd.h>

namespace {

// Every file of the package by its path inside it, with its bytes.
QMap<QString, QByteArray> contentOf(const QString& package)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(package, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(path.mid(package.size()), testenv::readFile(path));
    }
    return files;
}

QStringList visibleEntries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name);
}

QStringList hiddenEntries(const QString& folder)
{
    QStringList hidden = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& name : visibleEntries(folder))
        hidden.removeOne(name);
    return hidden;
}

// The document copied, made once: it is never written to.
QString sampleSource()
{
    static const QString url = [] {
        const QString made = testenv::freshDir(QStringLiteral("copy-source")) + QStringLiteral("/Source.svd");
        EXPECT_TRUE(copyItemAtPath(QStringLiteral(SORV_TEST_DATA_DIR "/packages/complete.svd"), made));
        return made;
    }();
    return url;
}

// A folder with "Autre.svd", another document with an attached file of its own: a copy mixed
// with it would keep that file.
struct Folder {
    Folder()
        : path(testenv::freshDir(QStringLiteral("copy")))
        , source(sampleSource())
        , other(path + QStringLiteral("/Autre.svd"))
    {
        EXPECT_TRUE(copyItemAtPath(source, other));
        testenv::writeFile(other + QStringLiteral("/Contents/Resources/transact.xml"), "<list/>");
        testenv::writeFile(other + QStringLiteral("/Contents/Resources/Documents/Facture.pdf"), "facture");
    }
    QString path;
    QString source;
    QString other;
};

// Every step from the n-th on fails, as in a process killed there.
class KilledAt : public KilledAtStep {
public:
    using KilledAtStep::KilledAtStep;
    bool makeFolder(const QString& p, int* e) override { return pass(e) && FileSystemOps::makeFolder(p, e); }
    bool removeItem(const QString& p, int* e) override { return pass(e) && FileSystemOps::removeItem(p, e); }
    bool moveItem(const QString& f, const QString& t, int* e) override
    {
        return pass(e) && FileSystemOps::moveItem(f, t, e);
    }
    bool copyItem(const QString& f, const QString& t, int* e) override
    {
        return pass(e) && FileSystemOps::copyItem(f, t, e);
    }
    bool cloneItem(const QString& f, const QString& t, const CloneOptions& o, int* e) override
    {
        return pass(e) && FileSystemOps::cloneItem(f, t, o, e);
    }
};

bool copyOver(const QString& source, const QString& destination)
{
    PackageCopy copy(destination);
    copy.setReplacing(true);
    return copy.copyFrom(source);
}

} // namespace

TEST(PackageCopy, StoppedAtAnyStepThePlaceHoldsTheOldDocumentOrTheWholeCopy)
{
    const struct {
        const char* name;
        bool otherThere; // the destination is "Autre.svd", a document, rather than a new place
        std::function<bool(const QString& source, const QString& destination)> copy;
    } copies[] = {
        {"to a new place", false, [](const QString& s, const QString& d) { return PackageCopy(d).copyFrom(s); }},
        {"over another document", true, copyOver},
        {"over another document, as the browser replaces it", true,
         [](const QString& s, const QString& d) { return HelperSVFiles::replaceSVFile(d, s); }},
    };
    // What reaches the disk is another test's concern: the waits for it are skipped here.
    setFileSyncForTesting([](int, const QString&) { return 0; });
    for (const auto& each : copies) {
        SCOPED_TRACE(each.name);
        int steps = 0;
        for (int stop = 0; stop == 0 || stop <= steps; ++stop) {
            const Folder folder;
            const QString destination = each.otherThere ? folder.other : folder.path + QStringLiteral("/Copie.svd");
            if (!each.otherThere) {
                ASSERT_TRUE(QDir(folder.other).removeRecursively());
            }
            const auto before = contentOf(destination);
            const auto copied = contentOf(folder.source);
            bool done = false;
            {
                KilledAt killed(stop);
                done = each.copy(folder.source, destination);
                steps = std::max(steps, killed.steps);
            }
            // Whatever is shown under a document's name is a whole document, never a copy half
            // made; the place may be empty only until the folder is next listed.
            const QStringList visible = visibleEntries(folder.path);
            EXPECT_TRUE(visible.isEmpty() || visible == QStringList {QFileInfo(destination).fileName()})
                << "stopped at " << stop << ": " << visible.join(u' ').toStdString();
            if (visible.contains(QFileInfo(destination).fileName())) {
                EXPECT_TRUE(contentOf(destination) == before || contentOf(destination) == copied)
                    << "stopped at " << stop;
            }
            clearSaveLeftovers(folder.path);
            const auto after = contentOf(destination);
            EXPECT_TRUE(done ? after == copied : after == before || after == copied) << "stopped at " << stop;
            EXPECT_EQ(contentOf(folder.source), copied) << "stopped at " << stop;
            // The next copy to the place clears what this one left.
            ASSERT_TRUE(copyOver(folder.source, destination)) << "stopped at " << stop;
            EXPECT_EQ(contentOf(destination), copied) << "stopped at " << stop;
            EXPECT_EQ(hiddenEntries(folder.path), QStringList()) << "stopped at " << stop;
        }
        EXPECT_GT(steps, 3);
    }
    setFileSyncForTesting(nullptr);
}

// A running copy of the program (this one here) with the destination open would save it back over
// the copy: the copy is refused, naming the document and the process, and nothing is written.
TEST(PackageCopy, ADestinationOpenInARunningCopyIsRefusedAndLeftAlone)
{
    const struct {
        const char* name;
        bool replacing;
        bool otherThere;
    } cases[] = {
        {"over a document, with the user's word", true, true},
        {"to a place a document is being made at", false, false},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.name);
        const Folder folder;
        if (!each.otherThere) {
            ASSERT_TRUE(QDir(folder.other).removeRecursively());
        }
        const auto before = contentOf(folder.other);
        DocumentMark held(folder.other);
        ASSERT_TRUE(held.take());
        PackageCopy copy(folder.other);
        copy.setReplacing(each.replacing);
        bool filled = false;
        EXPECT_FALSE(copy.make([&filled](const QString&, int*) { return filled = true; }));
        EXPECT_FALSE(filled);
        EXPECT_EQ(copy.heldOpen(), QStringLiteral("« Autre », ouvert par le processus %1").arg(::getpid()));
        EXPECT_EQ(contentOf(folder.other), before);
        EXPECT_EQ(hiddenEntries(folder.path), QStringList());
    }
}

// The copy is on the disk before it takes the place; when the disk can't say so, the place keeps
// what it held.
TEST(PackageCopy, EveryFileIsOnTheDiskBeforeTheCopyTakesThePlace)
{
    const struct {
        const char* name;
        int failure; // the answer of the wait for one file
    } cases[] = {{"every file synced", 0}, {"a file the disk lost", EIO}};
    for (const auto& each : cases) {
        SCOPED_TRACE(each.name);
        const Folder folder;
        const auto before = contentOf(folder.other);
        QSet<QString> synced;
        setFileSyncForTesting([&](int, const QString& path) {
            synced.insert(QDir::cleanPath(path));
            return path.endsWith(QLatin1String("/compte.xml")) ? each.failure : 0;
        });
        struct Placing : FileSystemOps {
            QStringList unsynced;
            const QSet<QString>* synced = nullptr;
            bool moveItem(const QString& from, const QString& to, int* error) override
            {
                if (from.endsWith(QLatin1String(kSavingPackageName))) {
                    QDirIterator it(from, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
                    while (it.hasNext()) {
                        const QString path = QDir::cleanPath(it.next());
                        if (!synced->contains(path))
                            unsynced.append(path);
                    }
                }
                return FileSystemOps::moveItem(from, to, error);
            }
        } placing;
        placing.synced = &synced;
        FileSystemOps::install(&placing);
        const bool done = copyOver(folder.source, folder.other);
        FileSystemOps::install(nullptr);
        setFileSyncForTesting(nullptr);
        EXPECT_EQ(done, each.failure == 0);
        EXPECT_EQ(placing.unsynced, QStringList());
        EXPECT_EQ(contentOf(folder.other), done ? contentOf(folder.source) : before);
        EXPECT_EQ(hiddenEntries(folder.path), QStringList());
    }
}
