#include "document/HelperSVFiles.h"
#include "document/HelperSVLibraryFolder.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <unistd.h>

namespace {

QString libraryRoot()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/Sorvanta");
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TEST(LibraryFolder, PlacesHaveFixedNamesAndAreCreatedOnce)
{
    QString url;
    int error = -1;
    ASSERT_TRUE(HelperSVLibraryFolder::getSVLibraryDeletedFolderUrl(&url, &error));
    EXPECT_EQ(url, libraryRoot() + QStringLiteral("/Archives/Deleted"));
    EXPECT_EQ(error, 0);
    EXPECT_TRUE(QFileInfo(url).isDir());
    writeFile(url + QStringLiteral("/kept"), "x");

    QString again;
    ASSERT_TRUE(HelperSVLibraryFolder::getSVLibraryDeletedFolderUrl(&again, &error));
    EXPECT_EQ(again, url);
    EXPECT_EQ(error, 0);
    EXPECT_TRUE(QFileInfo::exists(url + QStringLiteral("/kept")));

    // The preference file's place makes its folder, never the file.
    QFile::remove(libraryRoot() + QStringLiteral("/Preferences/Preferences.xml"));
    ASSERT_TRUE(HelperSVLibraryFolder::getSVLibraryPreferenceFileUrl(&url, &error));
    EXPECT_EQ(url, libraryRoot() + QStringLiteral("/Preferences/Preferences.xml"));
    EXPECT_TRUE(QFileInfo(url).dir().exists());
    EXPECT_FALSE(QFileInfo::exists(url));

    ASSERT_TRUE(HelperSVLibraryFolder::getSVICloudCacheFolderUrl(&url, QStringLiteral("Maison.svd"), &error));
    EXPECT_EQ(url, libraryRoot() + QStringLiteral("/Archives/Cloud Cache/Maison.svd"));
    EXPECT_TRUE(QFileInfo(url).isDir());
}

TEST(LibraryFolder, RootsAndComponentsThatCannotBeFormedGiveNoPlace)
{
    QString url = QStringLiteral("stale");
    int error = -1;
    EXPECT_FALSE(HelperSVLibraryFolder::getSVICloudDocumentsFileUrl(&url, QStringLiteral("a.svd"), &error));
    EXPECT_TRUE(url.isNull());
    EXPECT_EQ(error, 0);
    EXPECT_FALSE(HelperSVFiles::getSVFile(3, {QStringLiteral("a")}, QString(), &url, &error));
    // A cache name that would climb out of the library is refused, not resolved.
    EXPECT_FALSE(HelperSVLibraryFolder::getSVICloudCacheFolderUrl(&url, QStringLiteral(".."), &error));
    EXPECT_FALSE(HelperSVLibraryFolder::getSVICloudCacheFolderUrl(&url, QStringLiteral("a/b"), &error));
    EXPECT_TRUE(HelperSVLibraryFolder::getSVApplicationCalculetteProgrammeFolderUrl(&url, &error));
    EXPECT_EQ(url, QStringLiteral(":/Programs"));
    EXPECT_FALSE(QFileInfo::exists(QDir::currentPath() + QStringLiteral("/:"))); // no folder made on disk
}

TEST(LibraryFolder, FailedCreationStillAnswersThePlaceWithTheSystemError)
{
    QDir().mkpath(libraryRoot());
    const QString inTheWay = libraryRoot() + QStringLiteral("/Temporary");
    QDir(inTheWay).removeRecursively();
    writeFile(inTheWay, "a file where a folder should be");
    QString url;
    int error = 0;
    EXPECT_TRUE(HelperSVLibraryFolder::getSVLibraryTemporaryFolderUrl(&url, &error));
    EXPECT_EQ(url, inTheWay);
    EXPECT_NE(error, 0);
    QFile::remove(inTheWay);
}

TEST(LibraryFolder, CleanSVURLPutsTheDocumentExtension)
{
    EXPECT_EQ(HelperSVFiles::cleanSVURL(QStringLiteral("/d/Maison.txt")), QStringLiteral("/d/Maison.svd"));
    EXPECT_EQ(HelperSVFiles::cleanSVURL(QStringLiteral("/d/Maison")), QStringLiteral("/d/Maison.svd"));
    EXPECT_EQ(HelperSVFiles::cleanSVURL(QStringLiteral("/d.x/Maison")), QStringLiteral("/d.x/Maison.svd"));
    EXPECT_EQ(HelperSVFiles::cleanSVURL(QStringLiteral("/d/Maison.svd/")), QStringLiteral("/d/Maison.svd"));
    EXPECT_TRUE(HelperSVFiles::cleanSVURL(QString()).isNull());
}

TEST(LibraryFolder, ReplaceSVFileSwapsContentOrLeavesTheOriginal)
{
    const QString dir = testenv::freshDir(QStringLiteral("replace"));
    const QString existing = dir + QStringLiteral("/Favorites.xml");
    const QString chosen = testenv::freshDir(QStringLiteral("chosen")) + QStringLiteral("/mine.xml");
    writeFile(existing, "old");
    writeFile(chosen, "new");
    EXPECT_TRUE(HelperSVFiles::replaceSVFile(existing, chosen));
    EXPECT_EQ(readFile(existing), "new");
    EXPECT_EQ(readFile(chosen), "new");
    EXPECT_EQ(QDir(dir).entryList(QDir::Files), QStringList {QStringLiteral("Favorites.xml")});

    EXPECT_FALSE(HelperSVFiles::replaceSVFile(existing, dir + QStringLiteral("/missing.xml")));
    if (geteuid() != 0) {
        QFile::setPermissions(chosen, QFileDevice::Permissions());
        EXPECT_FALSE(HelperSVFiles::replaceSVFile(existing, chosen));
        QFile::setPermissions(chosen, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }
    EXPECT_EQ(readFile(existing), "new");
    EXPECT_EQ(QDir(dir).entryList(QDir::Files), QStringList {QStringLiteral("Favorites.xml")});
}
