#include "model/FinanceCompute.h"

#include "document/DocumentSession.h"
#include "foundation/SystemClock.h"
#include "foundation/dates.h"
#include "model/DOCUMENT.h"
#include "support/TestDocument.h"

#include <gtest/gtest.h>

namespace {

MONTANT amount(double v0)
{
    MONTANT m;
    m.values = {v0, v0 * 2, 0, 0, 0};
    return m;
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
    const TOTAUX& t = doc.titreHdl[0].totaux;
    EXPECT_DOUBLE_EQ(t.nTitre, 10);
    EXPECT_DOUBLE_EQ(t.total1.values[0], -1000);
    EXPECT_DOUBLE_EQ(t.total3.values[0], -5);
    EXPECT_DOUBLE_EQ(t.total5.values[0], -1005);
    EXPECT_DOUBLE_EQ(t.total6.values[0], 1200);
    EXPECT_DOUBLE_EQ(t.total7.values[0], 195);
    EXPECT_DOUBLE_EQ(t.total7.values[1], 390);
    EXPECT_DOUBLE_EQ(grand.total1.values[0], -1000);
    EXPECT_DOUBLE_EQ(grand.total7.values[0], 195);
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
    const TOTAUX& a = doc.titreHdl[0].totaux;
    EXPECT_DOUBLE_EQ(a.nTitre, 0);
    EXPECT_DOUBLE_EQ(a.total1.values[0], -400);
    EXPECT_DOUBLE_EQ(a.total2.values[0], 400);

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
    const TOTAUX& maison = doc.empruntHdl[0].totaux;
    EXPECT_DOUBLE_EQ(maison.total2.values[0], 10000);
    EXPECT_DOUBLE_EQ(maison.total1.values[0], -1000);
    EXPECT_DOUBLE_EQ(maison.total3.values[0], -50);
    EXPECT_DOUBLE_EQ(maison.total5.values[0], -1050);
    MONTANT rest;
    empruntTotalInverted(doc.empruntHdl[0], &rest);
    EXPECT_DOUBLE_EQ(rest.values[0], -9000);

    const TOTAUX& lent = doc.empruntHdl[1].totaux;
    EXPECT_DOUBLE_EQ(lent.total2.values[0], -500);
    EXPECT_DOUBLE_EQ(lent.total1.values[0], 100);
    EXPECT_DOUBLE_EQ(lent.total3.values[0], 20);
    EXPECT_DOUBLE_EQ(lent.total4.values[0], -2);
    EXPECT_DOUBLE_EQ(lent.total5.values[0], 118);
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
    const TOTAUX& t = doc.remunereHdl[0].totaux;
    EXPECT_DOUBLE_EQ(t.total2.values[0], 1000);
    EXPECT_DOUBLE_EQ(t.total1.values[0], -200);
    EXPECT_DOUBLE_EQ(t.total3.values[0], 30);
    EXPECT_DOUBLE_EQ(t.total5.values[0], 800);
    EXPECT_DOUBLE_EQ(t.total6.values[0], 830);
    EXPECT_DOUBLE_EQ(grand.total6.values[0], 830);
}

TEST_F(FinanceCompute, RepointingAndQuantities)
{
    add(kCourant, kCourtier, 1).titreID = 2;
    add(kCourant, kCourtier, 1).titreID = -1;
    replaceTitreIDInTransactions(2, 5, &doc);
    // "No security" is never re-pointed: it would tie unrelated transactions to the security.
    replaceTitreIDInTransactions(-1, 5, &doc);
    EXPECT_EQ(doc.transact_array[0].titreID, 5);
    EXPECT_EQ(doc.transact_array[1].titreID, -1);

    EXPECT_EQ(formatQuantity6(2.5, u','), QStringLiteral("2,5"));
    EXPECT_EQ(formatQuantity6(3.0, u','), QStringLiteral("3"));
    EXPECT_EQ(formatQuantity6(10.1 - 10.1 - 1e-12, u','), QStringLiteral("0"));
}
