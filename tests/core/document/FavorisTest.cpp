// The favourites file: reading tolerant files, the defaults and the forum entry, writing CDATA,
// the addresses that may be opened, and the import and export of the file.
#include "document/favoris.h"
#include "document/HelperSVLibraryFolder.h"
#include "foundation/localized.h"

#include "support/TestEnvironment.h"
#include "support/TestFiles.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

using testenv::readFile;
using testenv::writeFile;

QString favorisFile()
{
    QString url;
    HelperSVLibraryFolder::getSVLibraryFavoriFileUrl(&url, nullptr);
    return url;
}

QString misc(const char* key)
{
    return localizedMisc(QString::fromLatin1(key));
}

const QString kForum = QString::fromLatin1(kFavoriForumUrl);

class Favoris : public ::testing::Test {
protected:
    void SetUp() override
    {
        QFile::remove(favorisFile());
        reloadFavoris();
        dir = testenv::freshDir(QStringLiteral("favoris"));
    }
    void TearDown() override
    {
        QFile::remove(favorisFile());
        reloadFavoris();
    }
    QString dir;
};

} // namespace

TEST_F(Favoris, ReadingTakesEveryChildAndKeepsTheForumCurrent)
{
    const FavoriList defaults = loadFavori();
    ASSERT_EQ(defaults.size(), 4);
    EXPECT_EQ(defaults[0].nom, misc("NAME_FAVORI_OFFICIAL"));
    EXPECT_EQ(defaults[3], (Favori {misc("NAME_FORUM_URL"), kForum}));

    const QString forum = misc("NAME_FORUM_URL");
    struct Case {
        const char* name;
        QByteArray body;
        FavoriList expected; // empty: the four defaults
    };
    const Case cases[] = {
        {"no url", "<list><record><nom>Banque</nom></record></list>", {{"Banque", ""}, {forum, kForum}}},
        {"any element name",
         "<list><item><url>https://a.example/</url><nom>A</nom></item></list>",
         {{"A", "https://a.example/"}, {forum, kForum}}},
        {"forum corrected",
         "<list><record><nom>" + forum.toUtf8() + "</nom><url>http://old.example/</url></record></list>",
         {{forum, kForum}}},
        {"empty list", "<list/>", {}},
        {"not xml", "favoris", {}},
    };
    for (const Case& c : cases) {
        writeFile(favorisFile(), "<?xml version=\"1.0\" encoding=\"UTF-8\"?>" + c.body);
        EXPECT_EQ(loadFavori(), c.expected.isEmpty() ? defaults : c.expected) << c.name;
    }
}

TEST_F(Favoris, SavedListReadsBackWithSpecialCharactersInCdata)
{
    favoris() = {{"Impôts & taxes", "https://impots.example/?a=1&b=2"}, {"Simple", "file:///tmp/notes.txt"}};
    ASSERT_TRUE(saveFavoris());
    const QByteArray file = readFile(favorisFile());
    EXPECT_TRUE(file.contains("<nom><![CDATA[Impôts & taxes]]></nom>"));
    EXPECT_TRUE(file.contains("<nom>Simple</nom>"));
    reloadFavoris();
    ASSERT_EQ(nbFavoris(), 3);
    EXPECT_EQ(favoris()[0], (Favori {"Impôts & taxes", "https://impots.example/?a=1&b=2"}));
    EXPECT_EQ(favoris()[2].url, kForum);
}

TEST_F(Favoris, OnlyWebPagesAndFilesAreOpened)
{
    const std::pair<const char*, bool> cases[] = {
        {"https://www.example.org/", true},
        {"HTTP://example.org/a", true},
        {"file:///home/me/a.pdf", true},
        {"https://", false},
        {"javascript:alert(1)", false},
        {"ftp://example.org/", false},
        {"mailto:a@example.org", false},
        {"/home/me/a.pdf", false},
        {"", false},
        {"smb://server/share", false},
        {"  https://example.org/ ", true},
    };
    for (const auto& [url, openable] : cases)
        EXPECT_EQ(favoriUrlIsOpenable(QString::fromUtf8(url)), openable) << url;
}

TEST_F(Favoris, ImportAndExportNeedTheFileAndNeverLoseTheList)
{
    const QString exported = dir + "/Favorites.xml";
    EXPECT_EQ(exportFavorisTo(exported).alertKey, "kAlerte_CantFindFavoriFile");
    EXPECT_EQ(importFavorisFrom(exported).alertKey, "kAlerte_CantFindFavoriFile");

    favoris() = {{"Mine", "https://mine.example/"}};
    ASSERT_TRUE(saveFavoris());
    FavorisTransferResult r = exportFavorisTo(exported);
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.alertKey, "kAlerte_ExportFavorisSuccess");
    EXPECT_EQ(readFile(exported), readFile(favorisFile()));
    EXPECT_EQ(exportFavorisTo(exported).alertKey, "kAlerte_CantExportFavoris") << "never over an existing file";

    const QString notAList = dir + "/other.xml";
    writeFile(notAList, "<?xml version=\"1.0\"?><record><mn>5</mn></record>");
    const QByteArray before = readFile(favorisFile());
    EXPECT_EQ(importFavorisFrom(notAList).alertKey, "kAlerte_CantImportFavoris");
    EXPECT_EQ(readFile(favorisFile()), before);
    EXPECT_EQ(favoris()[0].nom, "Mine");

    const QString other = dir + "/friend.xml";
    writeFile(other,
              "<?xml version=\"1.0\"?><list><record><nom>Ami</nom><url>https://ami.example/</url></record></list>");
    r = importFavorisFrom(other);
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.alertKey, "kAlerte_ImportFavorisSuccess");
    ASSERT_EQ(nbFavoris(), 2);
    EXPECT_EQ(favoris()[0].nom, "Ami");
}
