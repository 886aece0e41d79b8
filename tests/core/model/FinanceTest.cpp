#include "model/FINANCE.h"

#include "document/DocumentSession.h"
#include "foundation/LoadIssues.h"
#include "model/DOCUMENT.h"
#include "model/FinanceFile.h"
#include "model/ToolTree.h"
#include "support/TestEnvironment.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

namespace {

using testenv::amount;
using testenv::tool;

FINANCE named(const QString& nom, long ident = 2)
{
    FINANCE f;
    f.nom = nom;
    f.ident = ident;
    return f;
}

QStringList names(const FinanceList& list)
{
    QStringList out;
    for (const FINANCE& f : list)
        out << f.nom;
    return out;
}

// Every stored field: unused currency slots are stored as zero, so the amounts use slots 0 and 1.
FINANCE fullRecord(long ident)
{
    FINANCE f = named(QStringLiteral("Société & fils <%1>").arg(ident), ident);
    f.totaux.n = 3;
    f.totaux.nTitre = 12.5;
    f.totaux.total1 = amount(-1000, -6559.57);
    f.totaux.total7 = amount(195.25, 1280.75);
    f.cour = amount(120.123456, 787.654321);
    f.ticker = QStringLiteral("AIR.PA");
    f.titreDescription = QStringLiteral("Airbus \"SE\"");
    f.codeDevise = QStringLiteral("USD");
    f.categorie = 6;
    f.updateTime = 800000123.25;
    f.conversion = 0.912345;
    f.coursNatif = 131.5;
    f.portfolioID = 4;
    f.compteID = 7;
    f.pret = true;
    f.opened = true;
    return f;
}

void expectSameRecord(const FINANCE& a, const FINANCE& b)
{
    EXPECT_EQ(a.ident, b.ident);
    EXPECT_EQ(a.nom, b.nom);
    EXPECT_EQ(a.totaux.n, b.totaux.n);
    EXPECT_DOUBLE_EQ(a.totaux.nTitre, b.totaux.nTitre);
    for (MONTANT TOTAUX::*total : TOTAUX::kTotals)
        EXPECT_EQ(a.totaux.*total, b.totaux.*total);
    EXPECT_EQ(a.cour, b.cour);
    EXPECT_EQ(a.ticker + a.titreDescription + a.codeDevise, b.ticker + b.titreDescription + b.codeDevise);
    EXPECT_EQ(a.categorie, b.categorie);
    EXPECT_DOUBLE_EQ(a.updateTime, b.updateTime);
    EXPECT_DOUBLE_EQ(a.conversion, b.conversion);
    EXPECT_DOUBLE_EQ(a.coursNatif, b.coursNatif);
    EXPECT_EQ(a.portfolioID, b.portfolioID);
    EXPECT_EQ(a.compteID, b.compteID);
    EXPECT_EQ(a.pret, b.pret);
}

void writeMember(const QString& url, const QString& fileName, const QByteArray& xml)
{
    testenv::writeFile(url + QStringLiteral("/Contents/Resources/") + fileName, xml);
}

} // namespace

TEST(Finance, NewRecordsAndSortedLists)
{
    // The user's banks have no account: no account for the new security.
    DOCUMENT doc(QString(), kFileSystemLocal);
    doc.banqueHdl = {tool(kToolBanque, 10, "Banque", kBanqueUser), tool(kToolBanque, 11, "Tiers", kBanqueTiers)};
    doc.compteHdl = {tool(kToolCompte, 22, "Boulanger", kBanqueTiers, 11)};
    DocumentSession::adopt(doc);
    const FINANCE titre = TITRE::allocNewTitre(doc);
    EXPECT_TRUE(titre.compteID == -1 && titre.ident == 2 && !titre.nom.isEmpty());
    doc.compteHdl.append(tool(kToolCompte, 7, "Courant", kBanqueUser, 10));
    DocumentSession::adopt(doc);
    EXPECT_EQ(REMUNERE::allocNewRemunere(doc).compteID, 7);
    DocumentSession::close();

    for (const char* nom : {"Obligations", "actions", "Épargne", "Bons"})
        TITRE::insertTitre(named(QString::fromUtf8(nom), 7), doc);
    // Accents are not folded: "É" sorts after every ASCII letter.
    EXPECT_EQ(names(doc.titreHdl), (QStringList {"actions", "Bons", "Obligations", "Épargne"}));
    EXPECT_EQ(TITRE::allocNewTitre(doc).ident, 8);
    long index = -1;
    EXPECT_TRUE(TITRE::findTitreWithName(QStringLiteral("BONS"), &index, doc));
    EXPECT_EQ(index, 1);
    EXPECT_FALSE(TITRE::findTitreWithName(QStringLiteral("zz"), &index, doc));
    EXPECT_EQ(index, 3);
    EXPECT_FALSE(TITRE::findTitreWithName(QString::fromUtf8("ÉPARGNES"), &index, doc));
    EXPECT_EQ(index, 4);
}

TEST(FinanceFile, EveryFileRoundTrips)
{
    const QString url = testenv::package(QStringLiteral("finance-roundtrip"));
    const DeviseList devises = Devise::defaultDevises();
    const FinanceList list = {fullRecord(2), fullRecord(9)};
    EXPECT_TRUE(saveTitreXML(url, list, devises));
    EXPECT_TRUE(saveRemunereXML(url, list, devises));
    EXPECT_TRUE(saveEmpruntXML(url, list, devises));
    EXPECT_TRUE(savePortfolioXML(url, list, devises));
    for (auto load : {loadTitreXML, loadRemunereXML, loadEmpruntXML, loadPortfolioXML}) {
        LoadIssues issues;
        const FinanceList read = load(url, &issues);
        EXPECT_TRUE(issues.isEmpty());
        ASSERT_EQ(read.size(), 2);
        expectSameRecord(read[0], list[0]);
        expectSameRecord(read[1], list[1]);
        EXPECT_FALSE(read[0].opened);
    }

    // A missing file is an empty list, not an error.
    LoadIssues issues;
    EXPECT_TRUE(loadTitreXML(testenv::package(QStringLiteral("finance-none")), &issues).isEmpty());
    EXPECT_TRUE(issues.isEmpty());
}

TEST(FinanceFile, OnlySecuritiesMustHaveAQuoteAndEveryRecordMustHaveTotals)
{
    const QString url = testenv::package(QStringLiteral("finance-partial"));
    const QByteArray noQuote = "<list><record><ident>3</ident><nom>PEA</nom><totaux><n>0</n><nTitre>0</nTitre>"
                               "<total1><v>1</v></total1><total2><v>0</v></total2><total3><v>0</v></total3>"
                               "<total4><v>0</v></total4><total5><v>0</v></total5><total6><v>0</v></total6>"
                               "<total7><v>0</v></total7></totaux></record></list>";
    writeMember(url, QStringLiteral("portfolio.xml"), noQuote);
    writeMember(url, QStringLiteral("titre.xml"), noQuote);
    writeMember(url, QStringLiteral("emprunt.xml"), "<list><record><nom>Maison</nom></record>stray</list>");

    LoadIssues issues;
    FinanceList list = loadPortfolioXML(url, &issues);
    EXPECT_TRUE(issues.isEmpty());
    ASSERT_EQ(list.size(), 1);
    EXPECT_TRUE(list[0].cour.nullMontant());
    EXPECT_EQ(list[0].totaux.total1.values[0], 1.0);

    issues = LoadIssues();
    list = loadTitreXML(url, &issues);
    EXPECT_FALSE(issues.isEmpty());
    ASSERT_EQ(list.size(), 1);
    EXPECT_EQ(list[0].ident, 3);

    // No totals: kept with zero totals and the reading defaults, flagged; the stray text makes no
    // record.
    issues = LoadIssues();
    list = loadEmpruntXML(url, &issues);
    EXPECT_FALSE(issues.isEmpty());
    ASSERT_EQ(list.size(), 1);
    EXPECT_EQ(list[0].nom, QStringLiteral("Maison"));
    EXPECT_TRUE(list[0].ident == -1 && list[0].compteID == -1 && list[0].categorie == -1 && !list[0].pret);
}
