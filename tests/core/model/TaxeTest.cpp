#include "model/TAXE.h"
#include "foundation/LoadIssues.h"
#include "model/DOCUMENT.h"
#include "model/ECHEANCIER.h"
#include "model/MACRO.h"
#include "model/Prevision.h"
#include "model/TOOL.h"
#include "model/TOTAUX.h"
#include "model/TRANSACT.h"
#include "model/TaxeFile.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using testenv::amount;

TAXE taxe(long ident, const QString& nom, double rate = 0)
{
    TAXE t;
    t.ident = ident;
    t.nom = nom;
    t.rate = rate;
    return t;
}

QStringList names(const TaxeList& list)
{
    QStringList out;
    for (const TAXE& t : list)
        out << t.nom;
    return out;
}

// A package whose taxe.xml holds the text, or has no taxe.xml when the text is null.
QString package(const char* name, const QByteArray& xml = QByteArray())
{
    QString resources;
    const QString url = testenv::package(QString::fromLatin1(name), &resources);
    if (!xml.isNull())
        testenv::writeFile(resources + QStringLiteral("/taxe.xml"), xml);
    return url;
}

} // namespace

TEST(Taxe, SplitOfAnAmountByATaxOfTheList)
{
    DOCUMENT doc(QString(), kFileSystemLocal);
    doc.taxeHdl = {taxe(1, "a", 19.6), taxe(7, "b", 0.001), taxe(8, "c", 0.0011), taxe(-1, "d", 19.6)};
    MONTANT ht, tx;
    TAXE::applyTaxeToMontant(1, amount(119.6, 239.2), ht, tx, doc.taxeHdl);
    EXPECT_NEAR(tx.values[0], 19.6, 1e-9);
    EXPECT_NEAR(ht.values[0], 100.0, 1e-9);
    EXPECT_NEAR(ht.values[1], 200.0, 1e-9);
    TAXE::applyTaxeToMontant(7, amount(119.6), ht, tx, doc.taxeHdl);
    EXPECT_EQ(tx, MONTANT::zero());
    EXPECT_EQ(ht, amount(119.6));
    TAXE::applyTaxeToMontant(8, amount(119.6), ht, tx, doc.taxeHdl);
    EXPECT_GT(tx.values[0], 0.0);
    // -1 is "no tax", even when a tax carries it; an unknown ident is no tax either.
    for (long ident : {-1L, 42L}) {
        TAXE::applyTaxeToMontant(ident, amount(119.6), ht, tx, doc.taxeHdl);
        EXPECT_EQ(ht, amount(119.6));
        EXPECT_EQ(tx, MONTANT::zero());
        EXPECT_EQ(TAXE::getTaxeName(ident, doc), QStringLiteral("Pas de taxe"));
    }
    // One amount given as both the amount with tax and the amount before tax.
    MONTANT m = amount(119.6);
    TAXE::applyTaxeToMontant(1, m, m, tx, doc.taxeHdl);
    EXPECT_NEAR(m.values[0], 100.0, 1e-9);
}

TEST(Taxe, IdentsSortedInsertionAndTotals)
{
    EXPECT_EQ(TAXE::newTaxeID(TaxeList()), 2);
    EXPECT_EQ(TAXE::newTaxeID(defaultTaxes()), 5);
    EXPECT_EQ(TAXE::allocNewTaxe(defaultTaxes()).ident, 5);

    TaxeList list {taxe(2, "b"), taxe(3, "d")};
    EXPECT_EQ(TAXE::insertTaxe(taxe(4, "C"), list), 1);
    EXPECT_EQ(TAXE::insertTaxe(taxe(5, "B"), list), 0);
    EXPECT_EQ(TAXE::insertTaxe(taxe(6, "z"), list), 4);
    EXPECT_EQ(names(list), QStringList({"B", "b", "C", "d", "z"}));
    DOCUMENT doc(QString(), kFileSystemLocal);
    doc.taxeHdl = list;
    long ident = 0;
    EXPECT_TRUE(TAXE::findTaxeWithName("D", &ident, doc) && ident == 3);
    EXPECT_FALSE(TAXE::findTaxeWithName("e", &ident, doc));
    EXPECT_EQ(ident, -1);

    TOTAUX totaux;
    TAXE::computeTotauxLTaxe(true, false, amount(19.6), amount(119.6), totaux);
    TAXE::computeTotauxLTaxe(false, true, amount(5.5), amount(105.5), totaux);
    EXPECT_NEAR(totaux.total1.values[0], 19.6, 1e-9);
    EXPECT_NEAR(totaux.total2.values[0], 100.0, 1e-9);
    EXPECT_NEAR(totaux.total3.values[0], 100.0, 1e-9);
    EXPECT_NEAR(totaux.total4.values[0], 5.5, 1e-9);
}

TEST(TaxeFile, RoundTripKeepsFileOrderAndEmptyFilesGiveTheDefaults)
{
    const QString url = package("taxe-roundtrip");
    LoadIssues issues;
    EXPECT_EQ(names(loadTaxe(url, &issues)), QStringList({"Revenus sans TVA", "TVA 19,6 %", "TVA 5,5 %", "TVA 7 %"}));
    const TaxeList list {taxe(9, "Zèle & <co>", 12.345678), taxe(2, "alpha")};
    ASSERT_TRUE(saveTaxe(url, list));
    issues = LoadIssues();
    const TaxeList back = loadTaxe(url, &issues);
    EXPECT_EQ(names(back), names(list));
    EXPECT_EQ(back[0].ident, 9);
    EXPECT_DOUBLE_EQ(back[0].rate, 12.345678);

    for (const char* xml : {"<list/>", "<list>\n  \n</list>"}) {
        issues = LoadIssues();
        const TaxeList defaults = loadTaxe(package("taxe-empty", xml), &issues);
        ASSERT_EQ(defaults.size(), 4);
        EXPECT_EQ(defaults[1].ident, 1);
        EXPECT_DOUBLE_EQ(defaults[1].rate, 19.6);
    }
    EXPECT_TRUE(issues.isEmpty());
}

TEST(TaxeFile, RecordsWithoutIdentOrNameAreRepaired)
{
    const QByteArray xml = "<list><record><nom>A</nom><rate>5</rate></record>"
                           "<record><ident>1</ident></record><record/><?stray?>"
                           "<record><ident>7</ident><nom>B</nom></record></list>";
    LoadIssues issues;
    const TaxeList list = loadTaxe(package("taxe-repair", xml), &issues);
    EXPECT_FALSE(issues.isEmpty());
    EXPECT_EQ(names(list), QStringList({"A", "TVA 19,6 %", "?", "B"}));
    // Fresh idents come after every ident of the file.
    ASSERT_EQ(list.size(), 4);
    EXPECT_EQ(list[0].ident, 8);
    EXPECT_EQ(list[2].ident, 9);
}

TEST(TaxeTest, ADeletedTaxIsReplacedWhereverTheDocumentNamesIt)
{
    DOCUMENT doc {QString(), kFileSystemLocal};
    TRANSACT t;
    t.taxeID = 3;
    doc.transact_array = {t};
    TOOL compte;
    compte.taxeID = 3;
    doc.compteHdl = {compte};
    MACRO macro;
    macro.transact = t;
    doc.macroHdl = {macro, MACRO()};
    ECHEANCIER echeancier;
    echeancier.transact = t;
    echeancier.perso = {PECHEANCIER(t, true)};
    doc.echeancierHdl = {echeancier};
    Prevision prevision;
    prevision.transact = t;
    doc.previsionsArray = {prevision};
    const auto idents = [&doc] {
        return QList<long> {doc.transact_array[0].taxeID,
                            doc.compteHdl[0].taxeID,
                            doc.macroHdl[0].transact->taxeID,
                            doc.echeancierHdl[0].transact.taxeID,
                            doc.echeancierHdl[0].perso[0].transact.taxeID,
                            doc.previsionsArray[0].transact.taxeID};
    };
    TAXE::changeTaxeInDocument(-1, 9, doc);
    EXPECT_EQ(idents(), QList<long>(6, 3));
    TAXE::changeTaxeInDocument(3, 9, doc);
    EXPECT_EQ(idents(), QList<long>(6, 9));
    EXPECT_FALSE(doc.macroHdl[1].transact.has_value());
    for (const auto& [rate, valid] : {std::pair {19.6, true},
                                      {-99.99, true},
                                      {-100.0, false},
                                      {-1e9, false},
                                      {std::nan(""), false},
                                      {INFINITY, false}})
        EXPECT_EQ(TAXE::isValidRate(rate), valid) << rate;
}
