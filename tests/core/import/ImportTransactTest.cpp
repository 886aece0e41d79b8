// From one record to one transaction: the sign rule, the accounts, the texts, the tax and the
// check that decides whether it can be stored.
#include "ImportDocument.h"
#include "import/ImportManager.h"
#include "import/ImportParserQIF.h"
#include "model/DOCUMENT.h"

#include <gtest/gtest.h>

using namespace importdoc;
using namespace Qt::Literals::StringLiterals;

namespace {

class ImportTransact : public ::testing::Test {
protected:
    DOCUMENT doc {QString(), kFileSystemLocal};

    void SetUp() override { fill(doc); }

    TRANSACT build(const ImportRecord& record, int format = kImportFormatQIF, bool* dateRead = nullptr)
    {
        return ImportManager::extractTransactFromArrayOfRubriques(record, format, kCompte, 0, nullptr, false, &doc,
                                                                  nullptr, dateRead);
    }
    TRANSACT buildQif(const QString& text, bool* dateRead = nullptr)
    {
        const ParsedImport parsed = ImportParserQIF::parse(text);
        EXPECT_EQ(parsed.records.size(), 1u);
        return parsed.records.empty() ? TRANSACT() : build(parsed.records.front(), kImportFormatQIF, dateRead);
    }
};

struct SignCase {
    const char* qif;
    double amount;
    long who1;
    long who2;
};

TEST_F(ImportTransact, SignRuleBetweenTheAccountAndItsCounterpart)
{
    const SignCase cases[] = {
        {"D1/2/2023\nT-12,50\n^", 12.5, kCompte, kCompteAnonymeID},
        {"D1/2/2023\nT12,50\n^", 12.5, kCompteAnonymeID, kCompte},
        // A payee that names no account is no payee.
        {"D1/2/2023\nT-12,50\nPNobody\n^", 12.5, kCompte, kCompteAnonymeID},
        {"D1/2/2023\nT-3\nPboulangerie\n^", 3, kCompte, kBoulangerie},
        {"D1/2/2023\nT$-3.25\n^", 3.25, kCompte, kCompteAnonymeID},
    };
    for (const SignCase& c : cases) {
        SCOPED_TRACE(c.qif);
        const TRANSACT trans = buildQif(QString::fromUtf8(c.qif));
        EXPECT_DOUBLE_EQ(trans.solde.values[0], c.amount);
        EXPECT_EQ(trans.who1, c.who1);
        EXPECT_EQ(trans.who2, c.who2);
        EXPECT_EQ(trans.importID, kCompte);
    }
}

TEST_F(ImportTransact, AmountsBetweenADebitAndACreditAccountKeepTheirSign)
{
    const ImportRecord record {{{ImportRubrique::Debit, "Compte courant"},
                                {ImportRubrique::Credit, "Livret"},
                                {ImportRubrique::MontantDebitSeul, "-5"},
                                {ImportRubrique::MontantCreditSeul, "0"}},
                               1};
    const TRANSACT trans = build(record, kImportFormatCSV);
    EXPECT_DOUBLE_EQ(trans.solde.values[0], -5);
    EXPECT_EQ(trans.who1, kCompte);
    EXPECT_EQ(trans.who2, kLivret);

    // Without its credit account the amount has nowhere to go: nothing is set, and the check says so.
    TRANSACT lone = build({{{ImportRubrique::DateJMA, "01/02/2023"},
                            {ImportRubrique::Debit, "Compte courant"},
                            {ImportRubrique::MontantDebitSeul, "-5"}},
                           1},
                          kImportFormatCSV);
    EXPECT_TRUE(lone.solde.nullMontant());
    EXPECT_EQ(ImportManager::importTransactError(lone, true, &doc), QStringLiteral("kAlerte_ImportMontantNul"));
}

TEST_F(ImportTransact, CurrencyOfTheRecord)
{
    const TRANSACT named = build({{{ImportRubrique::MontantDevise, "-10 USD"}}, 1}, kImportFormatCSV);
    EXPECT_EQ(named.devise, 2);
    EXPECT_DOUBLE_EQ(named.solde.values[2], 10);
    const TRANSACT column = build({{{ImportRubrique::Devise, "USD"}, {ImportRubrique::MontantSeul, "-10"}}, 1});
    EXPECT_EQ(column.devise, 2);
    const TRANSACT unknown = build({{{ImportRubrique::MontantDevise, "-10 XYZ"}}, 1});
    EXPECT_EQ(unknown.devise, 0);
}

TEST_F(ImportTransact, LabelPayeeAndImportReason)
{
    const TRANSACT trans = buildQif(u"D1/2/2023\nT-4\nPBoulangerie\nMPain  frais\nN0042\nLAlimentation\n^"_qs);
    EXPECT_EQ(trans.why, QStringLiteral("Pain  frais"));
    EXPECT_EQ(trans.whyImport, QStringLiteral("Boulangerie Pain frais 0042 Alimentation"));
    EXPECT_EQ(trans.ref, QStringLiteral("0042"));
    EXPECT_EQ(trans.posteID, kAlimentation);
    // QIF and OFX: without a memo the import reason is the label too; tab files leave it empty.
    EXPECT_EQ(buildQif(u"D1/2/2023\nT-4\nP--Shop / 12\n^"_qs).why, QStringLiteral("Shop 12"));
    const TRANSACT tab
        = build({{{ImportRubrique::Contre, "Shop"}, {ImportRubrique::MontantSeul, "-4"}}, 1}, kImportFormatTab);
    EXPECT_TRUE(tab.why.isEmpty());
    EXPECT_EQ(ImportManager::cleanMemo(u"  --Shop / 12  "_qs), QStringLiteral("Shop 12"));
    EXPECT_EQ(ImportManager::cleanMemo(u"Été\t\tà  Zürich"_qs), QStringLiteral("Été à Zürich"));
}

TEST_F(ImportTransact, TaxIsTakenOnTheWholeAmountWhereverItsFieldStands)
{
    for (const bool taxFirst : {true, false}) {
        ImportRecord record {{{ImportRubrique::MontantSeul, "-120"}}, 1};
        const ImportField tax {ImportRubrique::Fiscal, "tva"};
        record.fields.insert(taxFirst ? record.fields.begin() : record.fields.end(), tax);
        const TRANSACT trans = build(record, kImportFormatCSV);
        EXPECT_EQ(trans.taxeID, kTVA);
        EXPECT_DOUBLE_EQ(trans.taxe.values[0], 20);
    }
}

TEST_F(ImportTransact, OnlyWhatTheCoreWouldStoreIsStored)
{
    struct CheckCase {
        const char16_t* qif;
        const char* reason;
    };
    const CheckCase cases[] = {
        {u"D1/2/2023\nT-4\n^", ""},
        {u"D31/2/2023\nT-4\n^", "kAlerte_ImportSansDate"},
        {u"T-4\n^", "kAlerte_ImportSansDate"},
        {u"D1/2/2023\nT0,00\n^", "kAlerte_ImportMontantNul"},
        {u"D1/2/2023\nTn/a\n^", "kAlerte_ImportMontantNul"},
        // A payee column naming the account imported into.
        {u"D1/2/2023\nT-4\nPCompte courant\n^", "kAlerte_BadTransSameCompte"},
    };
    for (const CheckCase& c : cases) {
        SCOPED_TRACE(QString::fromUtf16(c.qif).toStdString());
        bool dateRead = false;
        TRANSACT trans = buildQif(QString::fromUtf16(c.qif), &dateRead);
        EXPECT_EQ(ImportManager::importTransactError(trans, dateRead, &doc), QString::fromLatin1(c.reason));
    }
    // A configuration mapped to an account the document no longer has.
    TRANSACT stale = buildQif(u"D1/2/2023\nT-4\n^"_qs);
    stale.who2 = 4242;
    EXPECT_EQ(ImportManager::importTransactError(stale, true, &doc), QStringLiteral("kAlerte_BadTransNoCompte"));
}

TEST_F(ImportTransact, AChequeIsDrawnOnTheAccountsChequeBook)
{
    const ImportRecord record {{{ImportRubrique::DateJMA, "01/02/2023"},
                                {ImportRubrique::MontantSeul, "-80"},
                                {ImportRubrique::Reference, "1234567"},
                                {ImportRubrique::Moyen, MOYEN::newMoyenName(kFamilyChequeDebit)}},
                               1};
    // No cheque book yet: the core's check refuses a cheque without one.
    TRANSACT without = build(record, kImportFormatCSV);
    EXPECT_EQ(without.moyen, kFamilyChequeDebit);
    EXPECT_EQ(ImportManager::importTransactError(without, true, &doc), QStringLiteral("kAlerte_BadTransMoyen"));

    long index = -1;
    ASSERT_TRUE(MOYEN::getMoyenIndex(doc.moyenHdl, kFamilyChequeDebit, kCompte, &index, &doc));
    VARIANTE book;
    book.ident = 77;
    doc.moyenHdl[index].variantes = {book};
    doc.moyenHdl[index].lastVarianteID = 77;
    TRANSACT with = build(record, kImportFormatCSV);
    EXPECT_EQ(with.variante, 77);
    EXPECT_EQ(with.ref, QStringLiteral("1234567"));
    EXPECT_TRUE(ImportManager::importTransactError(with, true, &doc).isEmpty());
}

TEST(ImportKinds, NamesAndFamiliesOfTheFieldKinds)
{
    EXPECT_TRUE(ImportManager::rubriqueToString(-1, false).isNull());
    EXPECT_TRUE(ImportManager::rubriqueToString(kImportRubriqueCount, true).isNull());
    for (long kind = 0; kind < kImportRubriqueCount; ++kind) {
        const QString name = ImportManager::rubriqueToString(kind, false);
        EXPECT_FALSE(name.startsWith(QLatin1String("kRub_"))) << "kind " << kind << " has no text";
        EXPECT_FALSE(ImportManager::rubriqueToString(kind, true).startsWith(QLatin1String("kRub_")));
    }
    EXPECT_EQ(ImportManager::rubriqueToString(8, true), ImportManager::rubriqueToString(9, true));
    EXPECT_TRUE(ImportManager::isRubriqueWithDevise(ImportRubrique::Devise));
    EXPECT_TRUE(ImportManager::isRubriqueMontantWithDevise(ImportRubrique::MontantCreditDevise));
    EXPECT_FALSE(ImportManager::isRubriqueMontantWithDevise(ImportRubrique::Devise));
    EXPECT_TRUE(ImportManager::isRubriqueWithCompte(ImportRubrique::Credit));
    EXPECT_FALSE(ImportManager::isRubriqueWithCompte(ImportRubrique::Poste));
}

} // namespace
