#include "model/Synonyme.h"
#include "foundation/LoadIssues.h"
#include "model/DOCUMENT.h"
#include "model/MOYEN.h"
#include "model/SynonymeFile.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

namespace {

Synonyme synonyme(long ident, const QString& nom, int family = 0)
{
    Synonyme s(ident);
    s.nom = nom;
    s.family = family;
    return s;
}

// A package whose synonyme.xml holds the text, or has none when the text is null.
QString package(const char* name, const QByteArray& xml = QByteArray())
{
    QString resources;
    const QString url = testenv::package(QString::fromLatin1(name), &resources);
    if (!xml.isNull())
        testenv::writeFile(resources + QStringLiteral("/synonyme.xml"), xml);
    return url;
}

} // namespace

TEST(Synonyme, DefaultsWhenTheFileHoldsNoRecord)
{
    for (const QString& url : {package("syn-none"), package("syn-empty", "<list/>"), package("syn-bad", "bad")}) {
        LoadIssues issues;
        const SynonymeList list = loadSynonyme(url, &issues);
        // A file that can't be read is heard of: the next save would replace it by the defaults.
        EXPECT_EQ(issues.size(), url.contains("syn-bad") ? 1 : 0);
        ASSERT_EQ(list.size(), 3);
        EXPECT_EQ(list[0].nom, "Paiement en ligne");
        EXPECT_EQ(list[2].nom, "Prélèvement") << "not the name of the transfer family itself";
        EXPECT_NE(list[0].ident, list[1].ident);
    }
}

TEST(Synonyme, MemberFile)
{
    LoadIssues issues;
    const SynonymeList two = loadSynonyme(package("syn-negative",
                                                  "<list><record><ident>-1</ident></record>"
                                                  "<record><nom>b</nom></record></list>"),
                                          &issues);
    EXPECT_TRUE(issues.isEmpty());
    ASSERT_EQ(two.size(), 2);
    EXPECT_GT(two[0].ident, 0);
    EXPECT_GT(two[1].ident, 0);
    EXPECT_NE(two[0].ident, two[1].ident);

    SynonymeList saved {synonyme(40, "Carte <pro>", 11), synonyme(41, "Prélèvement", 7)};
    saved[1].logoID = 12;
    const QString url = package("syn-save");
    ASSERT_TRUE(saveSynonyme(url, saved));
    issues = LoadIssues();
    const SynonymeList back = loadSynonyme(url, &issues);
    ASSERT_EQ(back.size(), 2);
    EXPECT_EQ(back[0].nom, "Carte <pro>");
    EXPECT_EQ(back[0].ident, 40);
    EXPECT_EQ(back[1].family, 7);
    EXPECT_EQ(back[1].logoID, 12);
}

TEST(Synonyme, LookupsAndSortedPlaces)
{
    SynonymeList list;
    Synonyme::insertSynonyme(synonyme(50, "virement"), list);
    EXPECT_EQ(Synonyme::insertSynonyme(synonyme(51, "Carte"), list), 0);
    bool exist = false;
    EXPECT_EQ(Synonyme::findSynonymePosition(synonyme(52, "carte"), &exist, list), 0);
    EXPECT_TRUE(exist);
    EXPECT_EQ(Synonyme::findSynonymePosition(synonyme(52, "mobile"), &exist, list), 1);
    EXPECT_FALSE(exist);
    EXPECT_EQ(Synonyme::getSynonymeName(999, list), "?");
    list.append(synonyme(-1, "sans ident"));
    EXPECT_EQ(Synonyme::synonymeWithIdent(-1, list), nullptr);
}

TEST(Synonyme, PictureIsTheFamilyIconOrTheLogo)
{
    DOCUMENT doc(package("syn-image"), kFileSystemLocal);
    Logo logo(60);
    logo.internalName = QStringLiteral("s.png");
    ASSERT_TRUE(logo.storeImage("png bytes", doc));
    doc.logoArray.append(logo);

    Synonyme s = synonyme(70, "Mobile", 11);
    EXPECT_EQ(s.synonymeImage(&doc).name, MOYEN::getActionIcone(11));
    s.logoID = 60;
    EXPECT_EQ(s.synonymeImage(&doc).png, "png bytes");
    EXPECT_TRUE(s.synonymeImage(nullptr).isNull());
    s.logoID = 61; // a logo that is gone shows nothing, not the family's icon
    EXPECT_TRUE(s.synonymeImage(&doc).isNull());
}
