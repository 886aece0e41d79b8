#include "model/POSTE.h"
#include "foundation/LoadIssues.h"
#include "model/DOCUMENT.h"
#include "model/DOSSIER.h"
#include "model/PosteFile.h"
#include "support/Fields.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

namespace {

using testenv::fields;

POSTE poste(long ident, const QString& nom, long dossierID = 1, bool permanent = false)
{
    return POSTE {.permanent = permanent, .ident = ident, .dossierID = dossierID, .nom = nom};
}

DOSSIER dossier(long ident, const QString& nom, bool permanent = false)
{
    DOSSIER d;
    static_cast<POSTE&>(d) = poste(ident, nom, -1, permanent);
    return d;
}

template <typename List> QStringList names(const List& list)
{
    QStringList out;
    for (const auto& entry : list)
        out << entry.nom;
    return out;
}

// A package holding the member files given (name, text).
QString package(const char* name, const QList<QPair<QString, QByteArray>>& files)
{
    QString resources;
    const QString url = testenv::package(QString::fromLatin1(name), &resources);
    for (const auto& [file, xml] : files)
        testenv::writeFile(resources + QLatin1Char('/') + file, xml);
    return url;
}

} // namespace

TEST(Poste, SortOrdersPutTheNewestOfEqualNamesFirst)
{
    PosteList postes;
    EXPECT_EQ(POSTE::insertPoste(poste(2, "Ecole"), postes), 0);
    EXPECT_EQ(POSTE::insertPoste(poste(3, QStringLiteral("école")), postes), 0);
    EXPECT_EQ(POSTE::insertPoste(poste(4, "Beta"), postes), 0);
    EXPECT_EQ(POSTE::insertPoste(poste(5, "alpha"), postes), 0);
    EXPECT_EQ(POSTE::insertPoste(poste(6, "Ecole"), postes), 2);
    EXPECT_EQ(names(postes), QStringList({"alpha", "Beta", "Ecole", QStringLiteral("école"), "Ecole"}));
    // Punctuation folds to a space, which sorts before letters.
    EXPECT_EQ(POSTE::insertPoste(poste(7, "Ecolea"), postes), 5);
    EXPECT_EQ(POSTE::insertPoste(poste(8, "Ecole~b"), postes), 5);

    DOSSIER withFolder = dossier(3, "Zeta");
    withFolder.dossierID = 5;
    DossierList dossiers;
    EXPECT_EQ(DOSSIER::insertDossier(dossier(1, "beta"), dossiers), 0);
    EXPECT_EQ(DOSSIER::insertDossier(withFolder, dossiers), 1);
    EXPECT_EQ(DOSSIER::insertDossier(dossier(2, "alpha"), dossiers), 0);
    EXPECT_EQ(DOSSIER::insertDossier(dossier(4, "Beta"), dossiers), 1);
    // Folders keep their accents: "école" is not "ecole".
    EXPECT_EQ(DOSSIER::insertDossier(dossier(5, QStringLiteral("école")), dossiers), 4);
    EXPECT_EQ(DOSSIER::insertDossier(dossier(6, "Ecole"), dossiers), 3);
    EXPECT_EQ(names(dossiers), QStringList({"alpha", "Beta", "beta", "Ecole", "Zeta", QStringLiteral("école")}));
    EXPECT_EQ(dossiers[4].dossierID, -1);

    DOCUMENT doc(QString(), kFileSystemLocal);
    doc.posteHdl = postes;
    EXPECT_EQ(fields(POSTE::searchPoste(QStringLiteral("ÉCOLE"), doc), POSTE::searchPoste(QString(), doc)), "2 0");
    long ident = 0;
    EXPECT_TRUE(POSTE::findPosteWithName("Ecole", &ident, doc) && ident == 6);
    EXPECT_FALSE(POSTE::findPosteWithName("ecole", &ident, doc));
    EXPECT_EQ(ident, -1);
}

TEST(Poste, IdentsLookupsAndPermanence)
{
    EXPECT_EQ(fields(POSTE::newPosteID(PosteList()), DOSSIER::newDossierID(defaultDossiers()),
                     POSTE::allocNewPoste(defaultPostes(), -1).ident, POSTE::allocNewPoste(PosteList(), 0).ident,
                     POSTE::nbPoste(nullptr)),
              "2 12 39 0 0");

    DOCUMENT doc(QString(), kFileSystemLocal);
    doc.dossierHdl = {dossier(1, "a"), dossier(2, "b", true)};
    doc.posteHdl = {poste(10, "x", 1), poste(11, "y", 2), poste(12, "z", 1, true), poste(13, "w", 9)};
    EXPECT_FALSE(POSTE::posteAtIndex(doc.posteHdl, -1) || POSTE::posteAtIndex(doc.posteHdl, 4));
    long index = 7;
    EXPECT_FALSE(POSTE::findPoste(99, &index, doc.posteHdl));
    EXPECT_EQ(index, 0);
    EXPECT_TRUE(POSTE::findPoste(12, &index, doc.posteHdl) && index == 2);
    EXPECT_EQ(POSTE::getPosteNameNS(99, doc), QString());
    EXPECT_EQ(DOSSIER::getDossierNameNS(2, doc), "b");

    // 11 through its folder; 13's folder unknown.
    EXPECT_EQ(fields(POSTE::poste_is_permanent(10, doc), POSTE::poste_is_permanent(11, doc),
                     POSTE::poste_is_permanent(12, doc), POSTE::poste_is_permanent(13, doc),
                     POSTE::poste_is_permanent(99, doc)),
              "false true true false false");

    POSTE::changeDossier(1, 2, doc);
    EXPECT_EQ(POSTE::countPosteInDossier(doc.posteHdl, 2), 3);
    EXPECT_TRUE(POSTE::posteIDBelongsToDossierID(12, 2, doc));
    EXPECT_FALSE(POSTE::posteIDBelongsToDossierID(99, -1, doc));
}

TEST(PosteFile, MissingOrEmptyFilesGiveTheDefaults)
{
    for (const QByteArray& xml : {QByteArray(), QByteArray("<list/>"), QByteArray("<list>\n  \n</list>")}) {
        const QString url = xml.isNull() ? package("poste-none", {})
                                         : package("poste-empty", {{"dossier.xml", xml}, {"poste.xml", xml}});
        LoadIssues issues;
        const DossierList dossiers = loadDossier(url, &issues);
        EXPECT_TRUE(issues.isEmpty());
        issues = LoadIssues();
        const PosteList postes = loadPoste(url, dossiers, &issues, 1);
        EXPECT_TRUE(issues.isEmpty());
        ASSERT_EQ(dossiers.size(), 11);
        ASSERT_EQ(postes.size(), 38);
        // Folder names keep their accents: "À" sorts after every plain letter.
        EXPECT_EQ(fields(dossiers.last().ident, dossiers.last().nom, POSTE::countPosteInDossier(postes, 11)),
                  "1 À classer 5");
        for (const POSTE& p : postes) {
            EXPECT_FALSE(p.nom.startsWith("kDefault")) << p.nom.toStdString();
            EXPECT_TRUE(DOSSIER::findDossier(p.dossierID, nullptr, dossiers));
        }
    }
}

TEST(PosteFile, CategoriesOfMissingFoldersAreKeptInTheDefaultFolder)
{
    const QByteArray folders = "<list><record><ident>3</ident><nom>Zoo</nom><dossierID>5</dossierID></record>"
                               "<record><ident>1</ident><nom>Divers</nom></record>"
                               "<dossier/><record><nom>Sans ident</nom></record></list>";
    const QByteArray categories = "<list><record><nom>Sans ident</nom><dossierID>3</dossierID></record>"
                                  "<record><ident>9</ident><nom>Perdu</nom><dossierID>42</dossierID>"
                                  "</record></list>";
    const QString url = package("poste-orphan", {{"dossier.xml", folders}, {"poste.xml", categories}});
    LoadIssues issues;
    const DossierList dossiers = loadDossier(url, &issues);
    EXPECT_FALSE(issues.isEmpty()); // the stray element, skipped
    EXPECT_EQ(names(dossiers), QStringList({"Divers", "Sans ident", "Zoo"}));
    EXPECT_EQ(fields(dossiers[1].ident, dossiers[2].dossierID), "4 -1");

    for (const auto& [defaultDossier, expected] : {std::pair {4L, 4L}, std::pair {8L, 1L}}) {
        issues = LoadIssues();
        const PosteList postes = loadPoste(url, dossiers, &issues, defaultDossier);
        EXPECT_FALSE(issues.isEmpty());
        ASSERT_EQ(names(postes), QStringList({"Perdu", "Sans ident"}));
        // A fresh ident comes after every ident of the file, even one read later.
        EXPECT_EQ(fields(postes[0].dossierID, postes[1].ident, postes[1].dossierID), fields(expected, 10, 3));
    }
    issues = LoadIssues();
    const PosteList postes = loadPoste(url, {dossier(7, "Seul")}, &issues, 1);
    EXPECT_FALSE(issues.isEmpty());
    EXPECT_EQ(postes[0].dossierID, 7);

    // Default categories settle in the user's folders the same way, silently.
    const QString userFolders = package("poste-user", {{"dossier.xml", folders}});
    issues = LoadIssues();
    const PosteList defaults = loadPoste(userFolders, dossiers, &issues, 3);
    EXPECT_TRUE(issues.isEmpty());
    EXPECT_EQ(fields(defaults.size(), POSTE::countPosteInDossier(defaults, 3), POSTE::countPosteInDossier(defaults, 1),
                     POSTE::countPosteInDossier(defaults, 4)),
              "38 29 7 2");
}

TEST(PosteFile, RoundTripOfBothFiles)
{
    const QString url = package("poste-roundtrip", {});
    DOSSIER folder = dossier(4, "Maison & <jardin>", true);
    folder.logoID = 77;
    POSTE category = poste(6, "L'eau \"froide\"", 4, true);
    category.logoID = 12;
    category.ligne = 3;
    ASSERT_TRUE(saveDossier(url, {dossier(2, "alpha"), folder}));
    ASSERT_TRUE(savePoste(url, {poste(5, "alpha", 2), category}));

    LoadIssues issues;
    const DossierList dossiers = loadDossier(url, &issues);
    issues = LoadIssues();
    const PosteList postes = loadPoste(url, dossiers, &issues, 1);
    EXPECT_TRUE(issues.isEmpty());
    ASSERT_EQ(dossiers.size(), 2);
    ASSERT_EQ(postes.size(), 2);
    EXPECT_EQ(fields(dossiers[1].nom, dossiers[1].permanent, dossiers[1].logoID, dossiers[0].permanent),
              "Maison & <jardin> true 77 false");
    // The line is not stored.
    EXPECT_EQ(fields(postes[1].nom, postes[1].dossierID, postes[1].logoID, postes[1].permanent, postes[1].ligne,
                     postes[0].ident),
              "L'eau \"froide\" 4 12 true 0 5");
}
