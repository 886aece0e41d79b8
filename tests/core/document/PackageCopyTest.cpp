// A copy of a document takes its place whole or not at all: stopped at any step, the place holds
// the document that was there or the whole copy once the folder is next listed, no half copy ever
// shows under a document's name, and every file is on the disk before the copy takes the name; a
// document open in a running copy of the program is never replaced.
#include "document/PackageCopy.h"
#include "document/DocumentMark.h"
#include "document/FileSystemOps.h"
#include "document/HelperSVFiles.h"
#include "document/SaveLeftovers.h"
#include "foundation/files.h"
#include "support/StoppedAtStep.h"
#include "support/TestEnvironment.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QSet>
#include <gtest/gtest.h>

#include <functional>
#include <unistd.h>

namespace {

// Every file of the package by its path inside it, with its bytes.
QMap<QString, QByteArray> contentOf(const QString& package)
{
    QMap<QString, QByteArray> files;
    for (auto [path, bytes] : testenv::filesUnder(package).asKeyValueRange())
        files.insert(path.mid(package.size()), bytes);
    return files;
}

QStringList entries(const QString& folder, bool hidden = true)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | (hidden ? QDir::Hidden : QDir::Filters()),
                                  QDir::Name);
}

// A folder with "Autre.svd", another document with a file the copy does not have.
QString folderWithOther()
{
    const QString folder = testenv::freshDir(QStringLiteral("copy"));
    EXPECT_TRUE(copyItemAtPath(QStringLiteral(SORV_TEST_DATA_DIR "/packages/complete.svd"), folder + "/Autre.svd"));
    testenv::writeFile(folder + "/Autre.svd/Contents/Resources/transact.xml", "<list/>");
    testenv::writeFile(folder + "/Autre.svd/Contents/Resources/Documents/Facture.pdf", "facture");
    return folder;
}

bool copyOver(const QString& source, const QString& destination)
{
    PackageCopy copy(destination);
    copy.setReplacing(true);
    return copy.copyFrom(source);
}

const QString kSource = QStringLiteral(SORV_TEST_DATA_DIR "/packages/complete.svd");

} // namespace

TEST(PackageCopy, StoppedAtAnyStepThePlaceHoldsTheOldDocumentOrTheWholeCopy)
{
    const struct {
        const char* name;
        const char* destination;
        std::function<bool(const QString& destination)> copy;
    } copies[] = {
        {"to a new place", "Copie.svd", [](const QString& d) { return PackageCopy(d).copyFrom(kSource); }},
        {"over another document", "Autre.svd", [](const QString& d) { return copyOver(kSource, d); }},
        {"over another document, as the browser replaces it", "Autre.svd",
         [](const QString& d) { return HelperSVFiles::replaceSVFile(d, kSource); }},
    };
    const auto copied = contentOf(kSource);
    // What reaches the disk is the next test's concern: the waits for it are skipped here.
    setFileSyncForTesting([](int, const QString&) { return 0; });
    for (const auto& each : copies) {
        SCOPED_TRACE(each.name);
        int steps = 0;
        for (int stop = 0; stop == 0 || stop <= steps; ++stop) {
            const QString folder = folderWithOther();
            const QString name = QLatin1String(each.destination);
            const QString destination = folder + '/' + name;
            const auto before = contentOf(destination);
            const auto other = contentOf(folder + QStringLiteral("/Autre.svd"));
            bool done = false;
            {
                StoppedAtStep killed(stop);
                done = each.copy(destination);
                steps = std::max(steps, killed.steps);
            }
            // Under a document's name only a whole document, the one there or the copy; the place
            // may be empty until the folder is next listed.
            for (const QString& shown : entries(folder, false)) {
                const auto now = contentOf(folder + '/' + shown);
                EXPECT_TRUE(now == copied || (shown == QLatin1String("Autre.svd") && now == other))
                    << "stopped at " << stop << ": " << shown.toStdString();
            }
            clearSaveLeftovers(folder);
            const auto after = contentOf(destination);
            EXPECT_TRUE(done ? after == copied : after == before || after == copied) << "stopped at " << stop;
            // The next copy to the place clears what this one left.
            ASSERT_TRUE(copyOver(kSource, destination)) << "stopped at " << stop;
            QStringList expected {QStringLiteral("Autre.svd"), name};
            expected.removeDuplicates();
            EXPECT_EQ(entries(folder), expected) << "stopped at " << stop;
        }
        EXPECT_GT(steps, 3);
    }
    setFileSyncForTesting(nullptr);
}

// A running copy of the program (this one here) with the place open would save it back over the
// copy: the copy is refused, naming the document and the process, and nothing is written.
TEST(PackageCopy, APlaceOpenInARunningCopyIsRefusedAndLeftAlone)
{
    for (const bool otherThere : {true, false}) {
        const QString folder = folderWithOther();
        const QString other = folder + QStringLiteral("/Autre.svd");
        if (!otherThere) {
            ASSERT_TRUE(QDir(other).removeRecursively());
        }
        const auto before = contentOf(other);
        DocumentMark held(other);
        ASSERT_TRUE(held.take());
        PackageCopy copy(other);
        copy.setReplacing(otherThere);
        EXPECT_FALSE(copy.make([](const QString&, int*) { return ADD_FAILURE(), true; }));
        EXPECT_EQ(copy.heldOpen(), QStringLiteral("« Autre », ouvert par le processus %1").arg(::getpid()));
        EXPECT_EQ(contentOf(other), before);
        EXPECT_EQ(entries(folder), otherThere ? QStringList {"Autre.svd"} : QStringList());
    }
}

TEST(PackageCopy, EveryFileIsOnTheDiskBeforeTheCopyTakesThePlace)
{
    QSet<QString> synced;
    setFileSyncForTesting([&synced](int, const QString& path) { return synced.insert(QDir::cleanPath(path)), 0; });
    struct Placing : FileSystemOps {
        QSet<QString>* synced = nullptr;
        QStringList unsynced;
        bool moveItem(const QString& from, const QString& to, int* error) override
        {
            QDirIterator it(from, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
            while (from.endsWith(QLatin1String(kSavingPackageName)) && it.hasNext()) {
                if (const QString path = QDir::cleanPath(it.next()); !synced->contains(path))
                    unsynced.append(path);
            }
            return FileSystemOps::moveItem(from, to, error);
        }
    } placing;
    placing.synced = &synced;
    FileSystemOps::install(&placing);
    EXPECT_TRUE(copyOver(kSource, folderWithOther() + QStringLiteral("/Autre.svd")));
    FileSystemOps::install(nullptr);
    setFileSyncForTesting(nullptr);
    EXPECT_GT(synced.size(), 20);
    EXPECT_EQ(placing.unsynced, QStringList());
}
