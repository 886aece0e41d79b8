// The member files a save writes, byte for byte: one generated document is saved and every file
// of its package compared with the files kept in tests/data/golden-save. A change to what the
// writers put on disk, however small, fails here; when it is meant, the files are written anew
// by running this test with SORV_WRITE_GOLDEN=1 and the difference is reviewed before it is kept.
#include "DocumentGenerator.h"
#include "document/SVDocumentManager.h"
#include "foundation/SystemClock.h"
#include "foundation/dates.h"
#include "model/DOCUMENT.h"
#include "support/TestEnvironment.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QDirIterator>
#include <gtest/gtest.h>

namespace {

const QString kGolden = QStringLiteral(SORV_TEST_DATA_DIR "/golden-save/Comptes.svd");

// Every file under the folder, by its path relative to it.
QStringList filesUnder(const QString& folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        files.append(QDir(folder).relativeFilePath(it.next()));
    files.sort();
    return files;
}

// The package of the generated document, saved as the program saves it.
QString saveGenerated()
{
    double now = 0;
    dmyhmsToDate(15, 3, 2024, 9, 0, 0, &now);
    SystemClock::setNowForTesting(now);
    std::unique_ptr<DOCUMENT> doc = DocumentGenerator::generate(200, 7);
    const QString url = testenv::freshDir(QStringLiteral("golden")) + QStringLiteral("/Comptes.svd");
    EXPECT_TRUE(testenv::makePackage(url));
    doc->documentUrl = url;
    int ok = 0;
    SVDocumentManager::defaultManager().saveDocument(doc.get(), url, {.useTempFolder = true, .doMessage = false},
                                                     [&ok] { ++ok; }, {});
    EXPECT_EQ(ok, 1);
    SystemClock::setNowForTesting(std::nullopt);
    return url;
}

void writeGolden(const QString& url)
{
    QDir(kGolden).removeRecursively();
    for (const QString& file : filesUnder(url)) {
        const QString target = kGolden + QLatin1Char('/') + file;
        QDir().mkpath(QFileInfo(target).path());
        testenv::writeFile(target, testenv::readFile(url + QLatin1Char('/') + file));
    }
}

} // namespace

TEST(GoldenSave, MemberFilesAreTheGoldenOnesByteForByte)
{
    const QString url = saveGenerated();
    if (qEnvironmentVariableIsSet("SORV_WRITE_GOLDEN"))
        writeGolden(url);
    const QStringList written = filesUnder(url);
    ASSERT_EQ(written, filesUnder(kGolden));
    for (const QString& file : written) {
        const QByteArray actual = testenv::readFile(url + QLatin1Char('/') + file);
        const QByteArray expected = testenv::readFile(kGolden + QLatin1Char('/') + file);
        ASSERT_FALSE(expected.isEmpty()) << file.toStdString();
        EXPECT_TRUE(actual == expected) << file.toStdString() << ": " << actual.size() << " bytes written, "
                                        << expected.size() << " expected";
    }
}
