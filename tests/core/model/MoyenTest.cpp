#include "model/MOYEN.h"
#include "foundation/LoadIssues.h"
#include "foundation/SystemClock.h"
#include "foundation/dates.h"
#include "model/DOCUMENT.h"
#include "model/MoyenFile.h"
#include "model/TOOL.h"
#include "support/OpenDocument.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

double at(long day, long month, long year, long hour = 0, long minute = 0)
{
    double out = 0;
    dmyhmsToDate(day, month, year, hour, minute, 0, &out);
    return out;
}

VARIANTE chequier(const QString& numero, long lastNumero)
{
    VARIANTE v;
    v.numero = numero;
    v.lastNumero = lastNumero;
    return v;
}

using testenv::package;
using testenv::tool;

// A user bank 10 with the account 20, the cash bank 2 with the purse 21, a third-party bank 11
// with the payee 22.
void addBanks(DOCUMENT& doc)
{
    doc.banqueHdl = {tool(kToolBanque, 10, kBanqueUser), tool(kToolBanque, kBanqueLiquideID, kBanqueLiquide),
                     tool(kToolBanque, 11, kBanqueTiers)};
    doc.compteHdl = {tool(kToolCompte, 20, kBanqueUser, 10), tool(kToolCompte, 21, kBanqueLiquide, kBanqueLiquideID),
                     tool(kToolCompte, 22, kBanqueTiers, 11)};
}

void writeMoyenXml(const QString& url, const QByteArray& xml)
{
    testenv::writeFile(url + QStringLiteral("/Contents/Resources/moyen.xml"), xml);
}

} // namespace

TEST(Variante, ReferencesSplitAndNumberTheNextCheque)
{
    QString head, zeros, num;
    VARIANTE::splitReference(QStringLiteral("A12B0045"), &head, &zeros, &num);
    EXPECT_EQ(QStringList({head, zeros, num}), QStringList({"A12B", "00", "45"}));
    VARIANTE::splitReference(QStringLiteral("000"), &head, &zeros, &num);
    EXPECT_EQ(QStringList({head, zeros, num}), QStringList({"", "000", ""}));

    EXPECT_EQ(chequier("0099", -1).newReference(), "0099");
    EXPECT_EQ(chequier("0099", 99).newReference(), "0100");
    EXPECT_EQ(chequier("CHQ0099", 99).newReference(), "CHQ0100");
    EXPECT_EQ(chequier("9", 9).newReference(), "10");
    EXPECT_EQ(chequier("", 4).newReference(), "5");
    EXPECT_EQ(chequier("A01", 12345).newReference(), "A12346");

    // Digit runs beyond the range of long are held at its largest value, never wrapped.
    const long max = std::numeric_limits<long>::max();
    EXPECT_EQ(VARIANTE::referenceNumber(QStringLiteral("X00123456789012345678901234567890")), max);
    EXPECT_EQ(VARIANTE::referenceNumber(QStringLiteral("X0012")), 12);
    EXPECT_EQ(chequier("1", max).newReference(), QString::number(max));
}

TEST(Variante, ChequeBookAlertOnTheLastChequesOnly)
{
    VARIANTE v = chequier("1001", -1);
    v.nombre = 50;
    v.alerte = 10;
    EXPECT_FALSE(VARIANTE::transactAlerteCheque(QStringLiteral("1039"), v));
    EXPECT_TRUE(VARIANTE::transactAlerteCheque(QStringLiteral("1040"), v));
    EXPECT_TRUE(VARIANTE::transactAlerteCheque(QStringLiteral("CHQ01041"), v));
    v.alerteDone = true;
    EXPECT_FALSE(VARIANTE::transactAlerteCheque(QStringLiteral("1050"), v));

    // An absurd count must not wrap round into an alert on the first cheque.
    VARIANTE huge = chequier("1001", -1);
    huge.nombre = std::numeric_limits<long>::max();
    EXPECT_FALSE(VARIANTE::transactAlerteCheque(QStringLiteral("1001"), huge));
}

TEST(Variante, CardAlertFallsAlerteDaysBeforeExpiry)
{
    VARIANTE v;
    v.limite = at(31, 3, 2025, 12);
    v.alerte = 10;
    EXPECT_FALSE(VARIANTE::transactAlerteCarte(at(20, 3, 2025, 23, 59), v));
    EXPECT_TRUE(VARIANTE::transactAlerteCarte(at(21, 3, 2025), v));
    // 40 days before 31 March crosses into February: day -9 of March is 19 February 2025.
    v.alerte = 40;
    EXPECT_FALSE(VARIANTE::transactAlerteCarte(at(18, 2, 2025, 23, 59), v));
    EXPECT_TRUE(VARIANTE::transactAlerteCarte(at(19, 2, 2025), v));
    v.alerteDone = true;
    EXPECT_FALSE(VARIANTE::transactAlerteCarte(at(1, 4, 2025), v));
}

TEST(Variante, NewVariantsTakeTheirFamilyDefaults)
{
    SystemClock::setNowForTesting(at(5, 6, 2024, 10));
    VarianteList array;
    EXPECT_EQ(VARIANTE::newVarianteID(array), 2);
    const VARIANTE book = VARIANTE::allocNewVariante(kFamilyChequeDebit, array);
    EXPECT_EQ(book.ident, 2);
    EXPECT_EQ(book.nom, QStringLiteral("Chéquier"));
    EXPECT_EQ(book.limite, at(5, 6, 2024, 10));
    EXPECT_EQ(VARIANTE::allocNewVariante(kFamilyCarteDebit, array).nom, QStringLiteral("Carte de crédit"));
    array = {book, book};
    array[1].ident = 7;
    EXPECT_EQ(VARIANTE::newVarianteID(array), 8);
    long index = -1;
    EXPECT_TRUE(VARIANTE::findVariante(7, array, &index));
    EXPECT_EQ(index, 1);
    EXPECT_EQ(book.getImageForFamily(kFamilyChequeDebit, nullptr).name, QStringLiteral("chequier"));
    EXPECT_TRUE(book.getImageForFamily(kFamilyGuichetDebit, nullptr).isNull());
    SystemClock::setNowForTesting(std::nullopt);
}

TEST(Moyen, FamilyNamesAndIcons)
{
    for (int family = 0; family < kFamilyCount; ++family) {
        const QString name = MOYEN::newMoyenName(family);
        EXPECT_FALSE(name.startsWith(QStringLiteral("kMisc_"))) << family;
        int found = -1;
        EXPECT_EQ(MOYEN::findMoyenWithName(name.toUpper(), &found), family != 4) << family;
        if (family != 4) {
            EXPECT_EQ(found, family);
        }
    }
    for (int family : {-1, 4, 13})
        EXPECT_EQ(moyenNameForFamily(family), QStringLiteral("?"));
    EXPECT_EQ(MOYEN::getActionIcone(3), QStringLiteral("2032"));
    EXPECT_EQ(MOYEN::getActionIcone(11), QStringLiteral("201"));
}

TEST(Moyen, ChequesAndCardsOfUserAccountsOnly)
{
    DOCUMENT doc(QString(), kFileSystemLocal);
    addBanks(doc);
    const testenv::OpenDocument open(doc);
    long index = -1;
    EXPECT_FALSE(MOYEN::getMoyenIndex(doc.moyenHdl, 2, 20, &index, &doc));
    // Records of cash or third-party accounts would be dropped at the next opening.
    EXPECT_FALSE(MOYEN::getMoyenIndex(doc.moyenHdl, kFamilyChequeDebit, 21, &index, &doc));
    EXPECT_FALSE(MOYEN::getMoyenIndex(doc.moyenHdl, kFamilyCarteDebit, 22, &index, &doc));
    EXPECT_TRUE(doc.moyenHdl.isEmpty());

    ASSERT_TRUE(MOYEN::getMoyenIndex(doc.moyenHdl, kFamilyCarteDebit, 20, &index, &doc));
    EXPECT_EQ(index, 0);
    // Counter payments and internal transfers use the cheque books.
    for (int family : {kFamilyGuichetDebit, kFamilyVirementInterne, kFamilyChequeDebit}) {
        ASSERT_TRUE(MOYEN::getSaisieMoyenIndex(doc.moyenHdl, family, 20, &index, &doc));
        EXPECT_EQ(index, 1);
    }
    EXPECT_FALSE(MOYEN::getSaisieMoyenIndex(doc.moyenHdl, 7, 20, &index, &doc));
    ASSERT_EQ(doc.moyenHdl.size(), 2);
    EXPECT_EQ(doc.moyenHdl[1].kind, kFamilyChequeDebit);

    VarianteList* books = MOYEN::variantesArrayForFamily(kFamilyGuichetDebit, 20, &doc);
    ASSERT_NE(books, nullptr);
    books->append(VARIANTE::allocNewVariante(kFamilyChequeDebit, *books));
    ASSERT_NE(MOYEN::varianteForFamily(kFamilyChequeDebit, 20, 2, &doc), nullptr);
    EXPECT_EQ(MOYEN::varianteForFamily(kFamilyChequeDebit, 20, 3, &doc), nullptr);
    EXPECT_EQ(MOYEN::variantesArrayForFamily(10, 20, &doc), nullptr);
    EXPECT_EQ(MOYEN::variantesArrayForFamily(kFamilyChequeDebit, 20, nullptr), nullptr);

    MOYEN::unappendAllMoyen(doc.moyenHdl, -1);
    EXPECT_EQ(doc.moyenHdl.size(), 2);
    MOYEN::unappendAllMoyen(doc.moyenHdl, 20);
    EXPECT_TRUE(doc.moyenHdl.isEmpty());
}

TEST(Moyen, OpeningKeepsOnlyChequesAndCardsOfUserAccounts)
{
    DOCUMENT doc(QString(), kFileSystemLocal);
    addBanks(doc);
    doc.moyenHdl = {MOYEN::allocNewMoyen(11, 20), MOYEN::allocNewMoyen(9, 99), MOYEN::allocNewMoyen(2, 20),
                    MOYEN::allocNewMoyen(9, 21),  MOYEN::allocNewMoyen(9, 20), MOYEN::allocNewMoyen(11, 22)};
    MOYEN::cleanMoyensAtOpen(&doc);
    EXPECT_EQ(doc.moyenHdl, MoyenList({MOYEN::allocNewMoyen(11, 20), MOYEN::allocNewMoyen(9, 20)}));
}

TEST(MoyenFile, RoundTripAndDamagedFiles)
{
    const QString url = package("moyen-roundtrip");
    LoadIssues issues;
    EXPECT_TRUE(loadMoyen(url, &issues).isEmpty());
    EXPECT_TRUE(issues.isEmpty());

    MoyenList list = {MOYEN::allocNewMoyen(9, 20), MOYEN::allocNewMoyen(11, 20)};
    VARIANTE book = chequier("CHQ<0099>", 120);
    book.ident = 2;
    book.moyenType = 9;
    book.nom = QStringLiteral("Chèques & \"perso\"");
    VARIANTE card;
    card.ident = 3;
    card.moyenType = 11;
    card.limite = at(31, 3, 2025, 12, 30);
    card.alerteDone = true;
    card.logoID = 4;
    list[0].variantes = {book};
    list[0].lastVarianteID = 2;
    list[1].variantes = {card, card};
    list[1].variantes[1].ident = 5;
    ASSERT_TRUE(saveMoyen(url, list));
    issues = LoadIssues();
    EXPECT_EQ(loadMoyen(url, &issues), list);
    EXPECT_TRUE(issues.isEmpty());

    // A variant without an ident gets one that no later variant of its means has; stray text is an
    // error but the records around it are kept.
    SystemClock::setNowForTesting(at(1, 1, 2024));
    writeMoyenXml(url,
                  "<list>junk<record><kind>9</kind><variantelist><variante><nom>a</nom></variante>"
                  "<variante><ident>2</ident></variante></variantelist></record></list>");
    issues = LoadIssues();
    const MoyenList damaged = loadMoyen(url, &issues);
    EXPECT_FALSE(issues.isEmpty());
    ASSERT_EQ(damaged.size(), 1);
    EXPECT_EQ(damaged[0].compte, -1);
    ASSERT_EQ(damaged[0].variantes.size(), 2);
    const VARIANTE& read = damaged[0].variantes[0];
    EXPECT_EQ(read.ident, 3);
    EXPECT_EQ(read.moyenType, 9);
    EXPECT_EQ(read.lastNumero, -1);
    EXPECT_EQ(read.nombre, 50);
    EXPECT_EQ(read.alerte, 0);
    EXPECT_EQ(read.limite, at(1, 1, 2024));
    SystemClock::setNowForTesting(std::nullopt);
}
