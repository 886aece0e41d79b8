#include "model/FinanceCompute.h"

#include "document/DocumentSession.h"
#include "foundation/SystemClock.h"
#include "foundation/dates.h"
#include "model/DOCUMENT.h"
#include "support/Fields.h"
#include "support/TestDocument.h"

#include <gtest/gtest.h>

namespace {

MONTANT amount(double v0)
{
    MONTANT m;
    m.values = {v0, v0 * 2, 0, 0, 0};
    return m;
}

// Units, then the first slot of totals 1 to 7.
std::string totals(const TOTAUX& t)
{
    return testenv::fields(t.nTitre, t.total1.values[0], t.total2.values[0], t.total3.values[0], t.total4.values[0],
                           t.total5.values[0], t.total6.values[0], t.total7.values[0]);
}

FINANCE finance(long ident, const QString& nom)
{
    FINANCE f;
    f.ident = ident;
    f.nom = nom;
    return f;
}

class FinanceCompute : public ::testing::Test {
protected:
    DOCUMENT doc {QString(), kFileSystemLocal};
    double today = 0;
    static constexpr long kCourant = 7;
    static constexpr long kLivret = 9;
    static constexpr long kCourtier = 22;

    void SetUp() override
    {
        dmyhmsToDate(15, 6, 2025, 14, 0, 0, &today);
        SystemClock::setNowForTesting(today);
        doc.deviseHdl = Devise::defaultDevises();
        testenv::addBanks(doc, {kCourant, kLivret}, {kCourtier});
        DocumentSession::adopt(doc);
    }
    void TearDown() override
    {
        SystemClock::setNowForTesting(std::nullopt);
        DocumentSession::close();
    }

    TRANSACT& add(long from, long to, double quote1, double quote2 = 0, double quote3 = 0, double when = 0)
    {
        TRANSACT t;
        t.when = when == 0 ? today - 86400 : when;
        t.who1 = from;
        t.who2 = to;
        t.quote1 = amount(quote1);
        t.quote2 = amount(quote2);
        t.quote3 = amount(quote3);
        doc.transact_array.append(t);
        return doc.transact_array.last();
    }
    TRANSACT& addTitre(long titreID, long from, long to, double units, double quote1, double quote2 = 0)
    {
        TRANSACT& t = add(from, to, quote1, quote2);
        t.titreID = titreID;
        t.nTitre = units;
        return t;
    }
};

} // namespace

TEST_F(FinanceCompute, PurchaseValuedAtTheCurrentQuote)
{
    FINANCE titre = finance(2, "Airbus");
    titre.cour = amount(120);
    doc.titreHdl = {titre, finance(3, "Vide")};
    // 10 units for 1,000 with 5 of fees; a purchase dated tomorrow and one of no known security
    // count for nothing.
    addTitre(2, kCourant, kCourtier, 10, 1000, 5);
    addTitre(2, kCourant, kCourtier, 50, 6000).when = today + 86400;
    addTitre(9, kCourant, kCourtier, 50, 6000);

    TOTAUX grand;
    grand.total1 = amount(999);
    computeAllTitresTotaux(grand, &doc);
    EXPECT_EQ(totals(doc.titreHdl[0].totaux), "10 -1000 0 -5 0 -1005 1200 195");
    EXPECT_DOUBLE_EQ(doc.titreHdl[0].totaux.total7.values[1], 390);
    EXPECT_EQ(totals(grand), "10 -1000 0 -5 0 -1005 1200 195");
    EXPECT_TRUE(doc.titreHdl[1].totaux.total7.nullMontant());

    // Later today is still today; recomputing starts again from zero.
    addTitre(2, kCourant, kCourtier, 1, 100).when = today + 3600;
    computeAllTitresTotaux(grand, &doc);
    EXPECT_DOUBLE_EQ(doc.titreHdl[0].totaux.nTitre, 11);
    EXPECT_DOUBLE_EQ(grand.total7.values[0], 215);
}

TEST_F(FinanceCompute, TransferBetweenUserAccountsAndPortfolios)
{
    doc.titreHdl = {finance(2, "A"), finance(3, "B"), finance(4, "C")};
    doc.titreHdl[0].portfolioID = 5;
    doc.titreHdl[1].portfolioID = 5;
    doc.portfolioArray = {finance(5, "PEA"), finance(-1, "Sans ident")};
    addTitre(2, kCourant, kLivret, 4, 400);
    addTitre(3, kCourant, kCourtier, 2, 50);
    addTitre(4, kCourant, kCourtier, 1, 10);

    TOTAUX grand;
    computeAllTitresTotaux(grand, &doc);
    EXPECT_EQ(totals(doc.titreHdl[0].totaux), "0 -400 400 0 0 0 0 0");

    computePortfolioTotaux(&doc);
    EXPECT_DOUBLE_EQ(doc.portfolioArray[0].totaux.nTitre, 2);
    EXPECT_DOUBLE_EQ(doc.portfolioArray[0].totaux.total1.values[0], -450);
    // A portfolio without an ident gathers nothing, not the securities that are in none.
    EXPECT_DOUBLE_EQ(doc.portfolioArray[1].totaux.nTitre, 0);
}

TEST_F(FinanceCompute, LoansBorrowedAndLent)
{
    FINANCE pret = finance(3, "Prêt à Paul");
    pret.pret = true;
    doc.empruntHdl = {finance(2, "Maison"), pret};
    add(kCourtier, kCourant, 10000).empruntID = 2;
    add(kCourant, kCourtier, 1000, 50).empruntID = 2;
    add(kCourtier, kCourtier, 777).empruntID = 2; // no user side
    add(kCourant, kCourtier, 500, 0, 3).empruntID = 3;
    add(kCourtier, kCourant, 100, 20, 1).empruntID = 3;

    TOTAUX grand;
    computeAllEmpruntsTotaux(grand, &doc);
    EXPECT_EQ(totals(doc.empruntHdl[0].totaux), "0 -1000 10000 -50 0 -1050 0 0");
    MONTANT rest;
    empruntTotalInverted(doc.empruntHdl[0], &rest);
    EXPECT_DOUBLE_EQ(rest.values[0], -9000);

    EXPECT_EQ(totals(doc.empruntHdl[1].totaux), "0 100 -500 20 -2 118 0 0");
    EXPECT_DOUBLE_EQ(grand.total5.values[0], -932);
}

TEST_F(FinanceCompute, SavingsCountAgainstTheirOwnAccount)
{
    FINANCE livret = finance(2, "Livret");
    livret.compteID = kLivret;
    doc.remunereHdl = {livret};
    add(kCourant, kLivret, 1000).remunereID = 2;
    add(kLivret, kCourant, 200).remunereID = 2;
    add(kCourtier, kLivret, 0, 30).remunereID = 2; // interest
    add(kCourant, kCourtier, 999).remunereID = 2; // not the savings account's
    add(kCourant, kLivret, 5).remunereID = 8; // unknown savings

    TOTAUX grand;
    computeAllRemuneresTotaux(grand, &doc);
    EXPECT_EQ(totals(doc.remunereHdl[0].totaux), "0 -200 1000 30 0 800 830 0");
    EXPECT_DOUBLE_EQ(grand.total6.values[0], 830);
}

TEST_F(FinanceCompute, RepointingAndQuantities)
{
    add(kCourant, kCourtier, 1).titreID = 2;
    add(kCourant, kCourtier, 1).titreID = -1;
    replaceTitreIDInTransactions(2, 5, &doc);
    // "No security" is never re-pointed: it would tie unrelated transactions to the security.
    replaceTitreIDInTransactions(-1, 5, &doc);
    EXPECT_EQ(testenv::fields(doc.transact_array[0].titreID, doc.transact_array[1].titreID), "5 -1");
    EXPECT_EQ(testenv::fields(formatQuantity6(2.5, u','), formatQuantity6(3.0, u','),
                              formatQuantity6(10.1 - 10.1 - 1e-12, u',')),
              "2,5 3 0");
}
