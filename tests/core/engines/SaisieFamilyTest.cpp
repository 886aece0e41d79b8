// The entry window's dress by payment family, and the investment help it offers.
#include "SaisieFixture.h"

#include "engines/PlacementHelp.h"
#include "engines/SaisieFamily.h"
#include "foundation/localized.h"
#include "model/FINANCE.h"

using namespace saisietest;

namespace {

using enum SaisieMaskedSide;

struct FamilyRow {
    int family;
    const char* variante;
    const char* montant;
    const char* debit;
    const char* credit;
    const char* reference;
    bool usable;
    long debitFilter;
    long creditFilter;
    SaisieMaskedSide masked;
};

const FamilyRow kRows[] = {
    {0, "kMisc_ChequierUtilise", "kMisc_MontantOperation", "kMisc_CompteDebiteur", "kMisc_CompteCrediteur",
     "kMisc_References2", false, 7, 7, None},
    {1, "kMisc_ChequierUtilise", "kMisc_MontantVirement", "kMisc_DuCompte", "kMisc_AuCompte", "kMisc_References2", true,
     3, 3, None},
    {2, "kMisc_ChequierUtilise", "kMisc_MontantDeLAchat", "kMisc_PorteUtilise", "kMisc_CompteCrediteur",
     "kMisc_References2", false, 2, 4, Debit},
    {3, "kMisc_ChequierUtilise", "kMisc_MontantEncaissement", "kMisc_CompteDebiteur", "kMisc_PorteUtilise",
     "kMisc_References2", false, 4, 2, Credit},
    {4, "kMisc_ChequierUtilise", "kMisc_MontantOperation", "kMisc_CompteDebiteur", "kMisc_CompteCrediteur",
     "kMisc_References2", false, 7, 7, None},
    {5, "kMisc_ChequierUtilise", "kMisc_MontantRetrait", "kMisc_CompteDebiteur", "kMisc_PorteUtilise",
     "kMisc_References2", true, 1, 2, Debit},
    {6, "kMisc_ChequierUtilise", "kMisc_MontantDepot", "kMisc_PorteUtilise", "kMisc_CompteCrediteur",
     "kMisc_References2", false, 2, 1, Credit},
    {7, "kMisc_ChequierUtilise", "kMisc_MontantPrelevement", "kMisc_CompteDebiteur", "kMisc_CompteCrediteur",
     "kMisc_References2", false, 1, 4, Debit},
    {8, "kMisc_ChequierUtilise", "kMisc_MontantVirement", "kMisc_CompteDebiteur", "kMisc_CompteCrediteur",
     "kMisc_References2", false, 4, 1, Credit},
    {9, "kMisc_ChequierUtilise", "kMisc_MontantDeLAchat", "kMisc_CompteDebiteur", "kMisc_CompteCrediteur",
     "kMisc_NoDeCheque", true, 1, 4, Debit},
    {10, "kMisc_ChequierUtilise", "kMisc_MontantRemise", "kMisc_CompteDebiteur", "kMisc_CompteCrediteur",
     "kMisc_References2", false, 4, 1, Credit},
    {11, "kMisc_CarteUtilisee", "kMisc_MontantDeLAchat", "kMisc_CompteDebiteur", "kMisc_CompteCrediteur",
     "kMisc_References2", true, 1, 4, Debit},
    {12, "kMisc_ChequierUtilise", "kMisc_MontantRemise", "kMisc_CompteDebiteur", "kMisc_CompteCrediteur",
     "kMisc_References2", false, 4, 1, Credit},
    {-1, "kMisc_ChequierUtilise", "kMisc_MontantOperation", "kMisc_CompteDebiteur", "kMisc_CompteCrediteur",
     "kMisc_References2", false, 7, 7, None},
};

} // namespace

TEST(SaisieFamily, TitlesPickersAndMaskedSideByFamily)
{
    for (const FamilyRow& row : kRows) {
        SCOPED_TRACE(row.family);
        const SaisieFamilyLabels& labels = saisieFamilyLabels(row.family);
        EXPECT_STREQ(labels.variante, row.variante);
        EXPECT_STREQ(labels.montant, row.montant);
        EXPECT_STREQ(labels.debit, row.debit);
        EXPECT_STREQ(labels.credit, row.credit);
        EXPECT_STREQ(labels.reference, row.reference);
        EXPECT_EQ(labels.varianteUsable, row.usable);
        EXPECT_EQ(labels.debitFilter, row.debitFilter);
        EXPECT_EQ(labels.creditFilter, row.creditFilter);
        EXPECT_EQ(labels.masked, row.masked);
        // Every title is a text of the table, not a key shown raw.
        for (const char* key : {labels.variante, labels.montant, labels.debit, labels.credit, labels.reference})
            EXPECT_NE(localizedMisc(QString::fromLatin1(key)), QString::fromLatin1(key)) << key;
    }
    EXPECT_EQ(saisieVarianteImageName(11), QStringLiteral("carte"));
    EXPECT_EQ(saisieVarianteImageName(9), QStringLiteral("chequier"));
}

TEST(SaisieFamily, AMaskedSideOpensOnlyOnceTheAccountsAreRebuilt)
{
    const SaisieFamilyLabels& cheque = saisieFamilyLabels(9);
    EXPECT_FALSE(saisieSideEnabled(cheque, Debit, false, false));
    EXPECT_TRUE(saisieSideEnabled(cheque, Debit, true, false));
    EXPECT_TRUE(saisieSideEnabled(cheque, Credit, false, false));
    EXPECT_FALSE(saisieSideEnabled(cheque, Credit, true, true)) << "a locked window";
}

namespace {

class PlacementHelpTest : public SaisieDocument {
protected:
    PlacementHelpTest()
    {
        FINANCE savings;
        savings.ident = 3;
        savings.compteID = 9;
        doc.remunereHdl = {savings};
    }
};

} // namespace

TEST_F(PlacementHelpTest, KindOfInvestmentEntry)
{
    struct KindCase {
        long titre, remunere, emprunt, who1, who2;
        int kind;
    };
    const KindCase cases[] = {
        {1, -1, -1, 22, 7, 2}, // a security, paid to a third party
        {1, -1, -1, 7, 22, 1}, // sold to one
        {1, -1, -1, 7, 9, 0}, // between the user's accounts
        {-1, 3, -1, 9, 22, 3}, // savings account 9 paying a third party
        {-1, 3, -1, 9, 7, 5}, // to another account
        {-1, 3, -1, 22, 9, 4}, // paid in by a third party
        {-1, 3, -1, 7, 9, 6}, // from another account
        {-1, 3, -1, 7, 22, 0}, // the savings account on neither side
        {-1, -1, 2, 22, 7, 8},  {-1, -1, 2, 7, 22, 7}, {-1, -1, 2, 7, 30, 0},
        {-1, -1, -1, 22, 7, 0}, {1, -1, -1, 99, 7, 0}, // an unknown account
    };
    for (const KindCase& c : cases) {
        const PlacementChoice choice {c.titre, c.remunere, c.emprunt, c.who1, c.who2};
        EXPECT_EQ(getPlacementCategorie(choice, &doc), c.kind)
            << c.titre << " " << c.remunere << " " << c.emprunt << " " << c.who1 << " " << c.who2;
    }
}

TEST_F(PlacementHelpTest, HelpItemsSplitTheAmount)
{
    enum Part { Unchanged = -2, Zero = 0, A = 1 };
    struct HelpCase {
        int tag, kind;
        Part capital, interets, frais;
        double nTitre; // -1 unchanged
        PlacementFocus focus;
    };
    const HelpCase cases[] = {
        {1, 1, A, Zero, Zero, -1, PlacementFocus::NTitre},
        {1, 2, A, Zero, Zero, -1, PlacementFocus::NTitre},
        {1, 5, A, Zero, Zero, 0, PlacementFocus::Capital},
        {2, 1, Zero, Zero, A, 0, PlacementFocus::Frais},
        {2, 3, Zero, Zero, A, 0, PlacementFocus::Frais},
        {2, 2, Zero, A, Zero, 0, PlacementFocus::Interets},
        {2, 4, Zero, A, Zero, 0, PlacementFocus::Interets},
        {2, 7, Unchanged, Unchanged, Unchanged, -1, PlacementFocus::Capital},
    };
    const MONTANT amount = euros(250);
    auto check = [&](const std::optional<MONTANT>& value, Part part) {
        if (part == Unchanged)
            return !value.has_value();
        return value && value->values[0] == (part == A ? 250.0 : 0.0);
    };
    for (const HelpCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.tag << " " << c.kind);
        const std::optional<PlacementSplit> split = dealHelpPlac(c.tag, c.kind, amount);
        ASSERT_TRUE(split.has_value());
        EXPECT_TRUE(check(split->capital, c.capital));
        EXPECT_TRUE(check(split->interets, c.interets));
        EXPECT_TRUE(check(split->frais, c.frais));
        EXPECT_EQ(split->nTitre.value_or(-1), c.nTitre);
        EXPECT_EQ(split->focus, c.focus);
    }
    EXPECT_FALSE(dealHelpPlac(0, 1, amount).has_value());
}

TEST_F(PlacementHelpTest, EachPartSolvedFromTheOthers)
{
    const MONTANT amount = euros(100);
    EXPECT_EQ(solveQuote(1, amount, euros(0), euros(7), euros(3)).values[0], 90);
    EXPECT_EQ(solveQuote(2, amount, euros(80), euros(0), euros(3)).values[0], 17);
    EXPECT_EQ(solveQuote(3, amount, euros(80), euros(15), euros(0)).values[0], 5);
}
