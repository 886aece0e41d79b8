#include "model/FINANCE.h"

#include "document/DocumentSession.h"
#include "foundation/SystemClock.h"
#include "model/DOCUMENT.h"
#include "model/FinanceFile.h"
#include "quotes/PortfolioManager.h"
#include "support/FakeQuoteService.h"
#include "support/TestEnvironment.h"
#include "support/TestFiles.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {

using testenv::amount;
using testenv::tool;

constexpr double kNow = 800000000.0;
const double kFranc = 0.1524490172374104; // rate of slot 1 in the default currencies

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

class FinanceQuotes : public ::testing::Test {
protected:
    DOCUMENT doc {QString(), kFileSystemLocal};
    FakeQuoteService service;
    int ends = 0;

    void SetUp() override
    {
        SystemClock::setNowForTesting(kNow);
        doc.deviseHdl = Devise::defaultDevises(); // slot 0 "EUR", slot 1 francs
        DocumentSession::adopt(doc);
    }
    void TearDown() override
    {
        SystemClock::setNowForTesting(std::nullopt);
        DocumentSession::close();
    }

    FINANCE& addTitre(const QString& nom, long ident, const QString& ticker, const QString& codeDevise)
    {
        FINANCE f = named(nom, ident);
        f.ticker = ticker;
        f.codeDevise = codeDevise;
        return doc.titreHdl[TITRE::insertTitre(f, doc)];
    }
    FINANCE::EndBlock counter()
    {
        return [this] { ++ends; };
    }
    // Lets every queued answer and late completion arrive.
    void settle(int expectedEnds)
    {
        EXPECT_TRUE(QTest::qWaitFor([&] { return ends >= expectedEnds; }, 3000));
        QTest::qWait(20);
    }
};

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
        bool error = true;
        const FinanceList read = load(url, &error);
        EXPECT_FALSE(error);
        ASSERT_EQ(read.size(), 2);
        expectSameRecord(read[0], list[0]);
        expectSameRecord(read[1], list[1]);
        EXPECT_FALSE(read[0].opened);
    }

    // A missing file is an empty list, not an error.
    bool error = true;
    EXPECT_TRUE(loadTitreXML(testenv::package(QStringLiteral("finance-none")), &error).isEmpty());
    EXPECT_FALSE(error);
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

    bool error = true;
    FinanceList list = loadPortfolioXML(url, &error);
    EXPECT_FALSE(error);
    ASSERT_EQ(list.size(), 1);
    EXPECT_TRUE(list[0].cour.nullMontant());
    EXPECT_EQ(list[0].totaux.total1.values[0], 1.0);

    list = loadTitreXML(url, &error);
    EXPECT_TRUE(error);
    ASSERT_EQ(list.size(), 1);
    EXPECT_EQ(list[0].ident, 3);

    // No totals: kept with zero totals and the reading defaults, flagged; the stray text makes no
    // record.
    list = loadEmpruntXML(url, &error);
    EXPECT_TRUE(error);
    ASSERT_EQ(list.size(), 1);
    EXPECT_EQ(list[0].nom, QStringLiteral("Maison"));
    EXPECT_TRUE(list[0].ident == -1 && list[0].compteID == -1 && list[0].categorie == -1 && !list[0].pret);
}

TEST_F(FinanceQuotes, AQuoteInTheReferenceCurrencyIsStoredWithoutARateRequest)
{
    FINANCE& titre = addTitre("Airbus", 2, "AIR.PA", "EUR");
    titre.setFromReceivedCours(120, &doc, counter());
    EXPECT_EQ(ends, 1);
    EXPECT_TRUE(service.requested.isEmpty());
    EXPECT_DOUBLE_EQ(titre.cour.values[0], 120);
    EXPECT_NEAR(titre.cour.values[1], 120 / kFranc, 1e-6);
    EXPECT_DOUBLE_EQ(titre.conversion, 1.0);
    EXPECT_DOUBLE_EQ(titre.updateTime, kNow);

    // Without a reference ticker nothing is stored; without a document neither, but the caller hears.
    doc.deviseHdl[0].ticker.clear();
    titre.setFromReceivedCours(130, &doc, counter());
    titre.setFromReceivedCours(130, nullptr, counter());
    EXPECT_EQ(ends, 3);
    EXPECT_DOUBLE_EQ(titre.cour.values[0], 120);
}

TEST_F(FinanceQuotes, AForeignQuoteIsWorthTheQuoteTimesTheRateAndEndsOnce)
{
    addTitre("Apple", 2, "AAPL", "USD");
    addTitre("Tesla", 3, "TSLA", "USD");
    service.answerPrice(QStringLiteral("USDEUR=X"), 0.9); // one dollar is worth 0.9 euro
    service.answerPrice(QStringLiteral("USDEUR=X"), 0);
    doc.titreHdl[0].setFromReceivedCours(200, &doc, counter());
    EXPECT_EQ(ends, 0);
    settle(1);
    EXPECT_EQ(ends, 1);
    const FINANCE& apple = doc.titreHdl[0];
    EXPECT_EQ(service.requested, QStringList {"USDEUR=X"});
    EXPECT_NEAR(apple.cour.values[0], 180, 1e-9);
    EXPECT_NEAR(apple.cour.values[1], 180 / kFranc, 1e-6);
    EXPECT_DOUBLE_EQ(apple.conversion, 0.9);

    // A rate of 0 stores nothing, nor does a rate arriving once the document is closed; the caller
    // hears once each time.
    doc.titreHdl[1].setFromReceivedCours(300, &doc, counter());
    settle(2);
    EXPECT_TRUE(doc.titreHdl[1].cour.nullMontant());
    EXPECT_EQ(doc.titreHdl[1].conversion, 0.0);
    service.hold = true;
    service.answerPrice(QStringLiteral("USDEUR=X"), 0.9);
    doc.titreHdl[1].setFromReceivedCours(300, &doc, counter());
    ASSERT_TRUE(QTest::qWaitFor([&] { return service.heldCount() == 1; }, 2000));
    DocumentSession::close();
    service.release();
    settle(3);
    EXPECT_EQ(ends, 3);
    EXPECT_TRUE(doc.titreHdl[1].cour.nullMontant());
}

TEST_F(FinanceQuotes, UpdatingAllSecuritiesGoesOnAfterAFailureAndEndsOnce)
{
    addTitre("Airbus", 2, "AIR.PA", "");
    addTitre("Apple", 3, "AAPL", "");
    addTitre("Manuel", 4, "", "EUR").cour = amount(50);
    service.failWith(QStringLiteral("AIR.PA"), QStringLiteral("time-out"));
    service.answerJson(QStringLiteral("AAPL"), FakeQuoteService::quoteJson(200, "Apple Inc.", "USD"));
    service.answerPrice(QStringLiteral("USDEUR=X"), 0.9);
    PortfolioManager::sharedInstance().updateTickers(counter());
    EXPECT_EQ(ends, 0);
    settle(1);
    EXPECT_EQ(ends, 1);
    EXPECT_EQ(service.requested, (QStringList {"AIR.PA", "AAPL", "USDEUR=X"}));
    EXPECT_TRUE(doc.titreHdl[0].cour.nullMontant());
    const FINANCE& apple = doc.titreHdl[1];
    EXPECT_EQ(apple.titreDescription + apple.codeDevise, QStringLiteral("Apple Inc.USD"));
    EXPECT_DOUBLE_EQ(apple.coursNatif, 200);
    EXPECT_NEAR(apple.cour.values[0], 180, 1e-9);
    EXPECT_DOUBLE_EQ(doc.titreHdl[2].cour.values[0], 50);
}

TEST_F(FinanceQuotes, UpdatingAllSecuritiesStopsWhenTheDocumentCloses)
{
    addTitre("Airbus", 2, "AIR.PA", "EUR");
    addTitre("Apple", 3, "AAPL", "USD");
    service.hold = true;
    service.answerJson(QStringLiteral("AIR.PA"), FakeQuoteService::quoteJson(120, "Airbus", "EUR"));
    PortfolioManager::sharedInstance().updateTickers(counter());
    ASSERT_TRUE(QTest::qWaitFor([&] { return service.heldCount() == 1; }, 2000));
    DocumentSession::close();
    service.release();
    settle(1);
    EXPECT_EQ(ends, 1);
    EXPECT_EQ(service.requested, QStringList {"AIR.PA"});
    EXPECT_TRUE(doc.titreHdl[0].cour.nullMontant());
    EXPECT_TRUE(doc.titreHdl[0].titreDescription.isEmpty());
}
