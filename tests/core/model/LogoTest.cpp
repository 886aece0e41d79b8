#include "model/Logo.h"
#include "document/DocumentSession.h"
#include "foundation/LoadIssues.h"
#include "model/DOCUMENT.h"
#include "model/LogoFile.h"
#include "support/TestEnvironment.h"
#include "support/TestFiles.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

using testenv::readFile;
using testenv::writeFile;

Logo logo(long ident, const QString& visibleName, const QString& internalName = QString())
{
    Logo l(ident);
    l.visibleName = visibleName;
    l.internalName = internalName;
    return l;
}

// An open document whose package lives in a fresh folder.
class LogoInDocument : public ::testing::Test {
protected:
    void SetUp() override
    {
        url = testenv::freshDir(QStringLiteral("logo")) + QStringLiteral("/doc.svd");
        ASSERT_TRUE(testenv::makePackage(url, &resources));
        doc = std::make_unique<DOCUMENT>(url, kFileSystemLocal);
        DocumentSession::adopt(*doc);
    }
    void TearDown() override { DocumentSession::close(); }

    QString url;
    QString resources;
    std::unique_ptr<DOCUMENT> doc;
};

} // namespace

TEST(Logo, LookupsAndSortedPlaces)
{
    LogoList list;
    Logo::insertLogo(logo(10, "beta"), list);
    EXPECT_EQ(Logo::insertLogo(logo(11, "été"), list), 1); // accents count: after every ASCII letter
    EXPECT_EQ(Logo::insertLogo(logo(12, "Zeta"), list), 1);
    EXPECT_EQ(Logo::insertLogo(logo(13, "Home"), list), 1);
    bool exist = false;
    EXPECT_EQ(Logo::findLogoPosition(logo(14, "home"), &exist, list), 1);
    EXPECT_TRUE(exist);
    EXPECT_EQ(Logo::findLogoPosition(logo(14, "gamma"), &exist, list), 1);
    EXPECT_FALSE(exist);

    list.append(logo(-1, "sans ident"));
    EXPECT_EQ(Logo::logoWithIdent(-1, list), nullptr);
    EXPECT_EQ(Logo::getLogoVisibleName(-1, list), "?");
    const long id = Logo::newLogoIdent(list);
    EXPECT_GT(id, 5);
    EXPECT_FALSE(Logo::findLogoWithIdent(id, nullptr, list));
}

TEST_F(LogoInDocument, StoringAgainReplacesThePicture)
{
    Logo home = logo(20, "Maison", "maison.png");
    EXPECT_TRUE(home.loadImage(*doc).isEmpty());
    ASSERT_TRUE(home.storeImage("first", *doc));
    ASSERT_TRUE(home.storeImage("second picture", *doc));
    EXPECT_EQ(home.internalName, "maison.png");
    EXPECT_EQ(home.loadImage(*doc), "second picture");
    EXPECT_EQ(QDir(resources + "/logo").entryList(QDir::Files), QStringList {"maison.png"});

    // Changed behind the program's back: the cache must not answer the old bytes.
    writeFile(home.getLogoUrl(*doc), "third");
    EXPECT_EQ(home.loadImage(*doc), "third");
    EXPECT_FALSE(home.storeImage(QByteArray(), *doc));
    EXPECT_TRUE(home.removeImage(*doc));
    EXPECT_TRUE(home.loadImage(*doc).isEmpty());
    EXPECT_TRUE(home.removeImage(*doc));
}

TEST_F(LogoInDocument, TwoLogosNeverShareAPicture)
{
    Logo first = logo(20, "Un", "photo.png");
    ASSERT_TRUE(first.storeImage("one", *doc));
    doc->logoArray.append(first);
    Logo second = logo(21, "Deux", "photo.png");
    ASSERT_TRUE(second.storeImage("two", *doc));
    EXPECT_EQ(second.internalName, "photo-1.png");
    EXPECT_EQ(Logo::logoImageWithIdent(20, *doc), "one");
    EXPECT_EQ(second.loadImage(*doc), "two");

    // A file two records already share (older documents) stays while another one names it.
    EXPECT_TRUE(logo(22, "Jumeau", "photo.png").removeImage(*doc));
    EXPECT_EQ(first.loadImage(*doc), "one");

    // A name read from a damaged file never reaches outside the folder.
    writeFile(resources + "/precious.xml", "keep me");
    Logo bad = logo(23, "Mauvais", "../precious.xml");
    EXPECT_TRUE(bad.getLogoUrl(*doc).isEmpty());
    EXPECT_FALSE(bad.storeImage("png", *doc));
    EXPECT_TRUE(bad.removeImage(*doc));
    EXPECT_EQ(readFile(resources + "/precious.xml"), "keep me");
}

TEST_F(LogoInDocument, MemberFile)
{
    LoadIssues issues;
    EXPECT_TRUE(loadLogo(url, &issues).isEmpty());
    ASSERT_TRUE(saveLogo(url, {logo(30, "A & B", "ab.png"), logo(31, "Absent", "absent.png")}));
    issues = LoadIssues();
    const LogoList loaded = loadLogo(url, &issues);
    EXPECT_TRUE(issues.isEmpty());
    ASSERT_EQ(loaded.size(), 2);
    EXPECT_EQ(loaded[0].visibleName, "A & B");
    EXPECT_EQ(loaded[0].internalName, "ab.png");
    EXPECT_EQ(loaded[1].ident, 31);
    EXPECT_TRUE(loaded[1].loadImage(*doc).isEmpty());

    writeFile(resources + "/logo.xml",
              "<list><record><visibleName>x</visibleName></record>"
              "<record><ident>-4</ident></record></list>");
    issues = LoadIssues();
    const LogoList fresh = loadLogo(url, &issues);
    ASSERT_EQ(fresh.size(), 2);
    EXPECT_GT(fresh[0].ident, 0);
    EXPECT_GT(fresh[1].ident, 0);
    EXPECT_NE(fresh[0].ident, fresh[1].ident);
    EXPECT_TRUE(issues.isEmpty());

    writeFile(resources + "/logo.xml", "not xml at all");
    issues = LoadIssues();
    EXPECT_TRUE(loadLogo(url, &issues).isEmpty());
    EXPECT_FALSE(issues.isEmpty());
}
