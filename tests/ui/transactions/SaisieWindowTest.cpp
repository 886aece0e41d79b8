// Entering and editing transactions through the entry window, by the names of its controls: what
// the document stores, what the balances become, and what the window shows for each family.
#include "SaisieUiFixture.h"

#include "foundation/localized.h"

#include "model/TransactOps.h"
#include "toolkit/fields/ButtonCalculette.h"
#include "toolkit/popups/PopCompte.h"
#include "transactions/TextFieldMontantSaisie.h"
#include <QTest>

using namespace saisieui;

TEST_F(SaisieUiTest, ACardPurchaseIsStoredAndTheBalancesFollow)
{
    const int status = enter(newOf(11), [this](FenEditSaisieController& w) {
        EXPECT_EQ(text(w, "field_moyen"), moyenNameForFamily(11));
        EXPECT_EQ(text(w, "titre_montant"), localizedMisc(QStringLiteral("kMisc_MontantDeLAchat")));
        EXPECT_EQ(text(w, "field_variante"), QStringLiteral("Carte bleue"));
        choose(w, "pop_compteC", 22);
        type(w, "field_montant", QStringLiteral("42.50"));
        type(w, "field_information", QStringLiteral("Pain et croissants"));
        grab(w, "saisie-depense.png");
        ok(w);
    });
    EXPECT_EQ(status, kSaisieOK);
    ASSERT_EQ(doc.transact_array.size(), 1);
    const TRANSACT& stored = doc.transact_array[0];
    EXPECT_EQ(stored.who1, 7);
    EXPECT_EQ(stored.who2, 22);
    EXPECT_EQ(stored.moyen, 11);
    EXPECT_EQ(stored.variante, 3);
    EXPECT_EQ(stored.posteID, 1) << "the category of the Boulangerie";
    EXPECT_EQ(stored.taxeID, 2) << "and its tax";
    EXPECT_DOUBLE_EQ(stored.solde.values[0], 42.5);
    EXPECT_NEAR(stored.taxe.values[0], 7.08, 0.005);
    EXPECT_EQ(stored.why, QStringLiteral("Pain et croissants"));
    EXPECT_DOUBLE_EQ(balance(7), -42.5);
    EXPECT_DOUBLE_EQ(balance(22), 42.5);
}

TEST_F(SaisieUiTest, ATransferBetweenTheUsersAccounts)
{
    enter(newOf(kFamilyVirementInterne), [this](FenEditSaisieController& w) {
        EXPECT_EQ(text(w, "titre_debit"), localizedMisc(QStringLiteral("kMisc_DuCompte")));
        EXPECT_EQ(text(w, "titre_credit"), localizedMisc(QStringLiteral("kMisc_AuCompte")));
        EXPECT_TRUE(w.controls().pop_compteD->isEnabled()) << "no side is fixed";
        choose(w, "pop_compteC", 9);
        type(w, "field_montant", QStringLiteral("250"));
        fill(w, "field_information", QStringLiteral("Épargne de juin"));
        grab(w, "saisie-virement.png");
        ok(w);
    });
    ASSERT_EQ(doc.transact_array.size(), 1);
    EXPECT_EQ(doc.transact_array[0].who1, 7);
    EXPECT_EQ(doc.transact_array[0].who2, 9);
    EXPECT_DOUBLE_EQ(balance(7), -250);
    EXPECT_DOUBLE_EQ(balance(9), 250);
}

TEST_F(SaisieUiTest, ANewChequeTakesTheBooksNextNumberAndAStoredOneKeepsItsOwn)
{
    enter(newOf(kFamilyChequeDebit), [this](FenEditSaisieController& w) {
        EXPECT_EQ(text(w, "titre_reference"), localizedMisc(QStringLiteral("kMisc_NoDeCheque")));
        EXPECT_EQ(text(w, "field_reference"), QStringLiteral("0001241"));
        EXPECT_EQ(text(w, "field_variante"), QStringLiteral("Chéquier 1231-1280"));
        EXPECT_FALSE(w.controls().pop_compteD->isEnabled()) << "the cheque's side is fixed";
        choose(w, "pop_compteC", 22);
        type(w, "field_montant", QStringLiteral("63.20"));
        grab(w, "saisie-cheque.png");
        ok(w);
    });
    ASSERT_EQ(doc.transact_array.size(), 1);
    EXPECT_EQ(doc.transact_array[0].ref, QStringLiteral("0001241"));
    EXPECT_EQ(doc.moyenHdl[0].variantes[0].lastNumero, 1241);

    enter(editOf(0), [this](FenEditSaisieController& w) {
        EXPECT_EQ(text(w, "field_reference"), QStringLiteral("0001241")) << "not 0001242";
        type(w, "field_information", QStringLiteral("Plombier"));
        ok(w);
    });
    ASSERT_EQ(doc.transact_array.size(), 1);
    EXPECT_EQ(doc.transact_array[0].why, QStringLiteral("Plombier"));
    EXPECT_EQ(doc.transact_array[0].ref, QStringLiteral("0001241"));
}

TEST_F(SaisieUiTest, ASplitTransactionWithThreeLines)
{
    enter(newOf(7), [this](FenEditSaisieController& w) {
        choose(w, "pop_compteC", 22);
        choose(w, "pop_poste", 1);
        type(w, "field_montant", QStringLiteral("100"));
        w.controls().checkbox_groupee->click();
        EXPECT_EQ(w.controls().tabView->currentIndex(), kTabGroupage);
        ASSERT_EQ(w.rec().nbMultis(), 1) << "the reference line";
        for (const auto& [poste, amount] : {std::pair {4, "30"}, std::pair {8, "20"}}) {
            choose(w, "pop_poste_detail", poste);
            type(w, "field_montant_detail", QString::fromLatin1(amount));
            w.perform(QStringLiteral("ADD_DETAIL:"));
        }
        EXPECT_EQ(text(w, "total_groupee_montant"), QStringLiteral("100,00"));
        EXPECT_FALSE(static_cast<StdTextView*>(w.controls().field_montant)->isEnabled());
        EXPECT_EQ(w.controls().tabView->tabText(kTabGroupage), QStringLiteral("Groupage (*)"));
        grab(w, "saisie-groupee.png");
        ok(w);
    });
    ASSERT_EQ(doc.transact_array.size(), 1);
    const TRANSACT& stored = doc.transact_array[0];
    ASSERT_EQ(stored.nbMultis(), 3);
    const std::pair<long, double> lines[] = {{1, 50}, {4, 30}, {8, 20}};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(stored.multis[i].posteID, lines[i].first);
        EXPECT_DOUBLE_EQ(stored.multis[i].montant.values[0], lines[i].second);
    }
    EXPECT_DOUBLE_EQ(stored.solde.values[0], 100);
    EXPECT_DOUBLE_EQ(balance(7), -100);
}

TEST_F(SaisieUiTest, AnInvestmentPurchaseSplitByTheHelp)
{
    enter(newOf(7), [this](FenEditSaisieController& w) {
        choose(w, "pop_compteC", 24);
        type(w, "field_montant", QStringLiteral("1015"));
        choose(w, "pop_placement", kPopTagTitre | 1);
        EXPECT_EQ(w.getPlacementCategorie(), 1);
        EXPECT_EQ(text(w, "field_quote1"), QStringLiteral("1015,00"));
        type(w, "field_quote1", QStringLiteral("1000"));
        type(w, "field_quote3", QStringLiteral("15"));
        type(w, "field_nTitre", QStringLiteral("6.5"));
        w.controls().tabView->setCurrentIndex(kTabFinance);
        grab(w, "saisie-placement.png");
        ok(w);
    });
    ASSERT_EQ(doc.transact_array.size(), 1);
    const TRANSACT& stored = doc.transact_array[0];
    EXPECT_EQ(stored.titreID, 1);
    EXPECT_DOUBLE_EQ(stored.quote1.values[0], 1000);
    EXPECT_DOUBLE_EQ(stored.quote3.values[0], 15);
    EXPECT_DOUBLE_EQ(stored.nTitre, 6.5);
}

TEST_F(SaisieUiTest, TheHelpItemsFillTheInvestmentFields)
{
    enter(newOf(7), [this](FenEditSaisieController& w) {
        choose(w, "pop_compteC", 24);
        type(w, "field_montant", QStringLiteral("40"));
        choose(w, "pop_placement", kPopTagTitre | 1);
        auto* help = w.outlet<StdPopUp>(QStringLiteral("pop_placement_help"));
        help->rebuild();
        ASSERT_TRUE(help->activateTag(2)) << "the fees of a kind 1 entry";
        EXPECT_EQ(text(w, "field_quote1"), QStringLiteral("0,00"));
        EXPECT_EQ(text(w, "field_quote3"), QStringLiteral("40,00"));
        w.perform(QStringLiteral("SET_QUOTE1:"));
        EXPECT_EQ(text(w, "field_quote1"), QStringLiteral("0,00"));
        type(w, "field_quote3", QStringLiteral("10"));
        w.perform(QStringLiteral("SET_QUOTE1:"));
        EXPECT_EQ(text(w, "field_quote1"), QStringLiteral("30,00"));
        cancel(w);
    });
    EXPECT_TRUE(doc.transact_array.isEmpty());
}

TEST_F(SaisieUiTest, CancelStoresNothing)
{
    const int status = enter(newOf(11), [](FenEditSaisieController& w) {
        type(w, "field_montant", QStringLiteral("12"));
        cancel(w);
    });
    EXPECT_EQ(status, kSaisieCancel);
    EXPECT_TRUE(doc.transact_array.isEmpty());
    EXPECT_DOUBLE_EQ(balance(7), 0);
}

TEST_F(SaisieUiTest, EditingAStoredAmountAsksAndTheBalancesFollow)
{
    TRANSACT stored;
    stored.defaultTransact(&doc);
    stored.who1 = 7;
    stored.who2 = 22;
    stored.moyen = 7;
    stored.solde = euros(80);
    ASSERT_TRUE(makeTransact(stored, nullptr, &doc, false, false));
    EXPECT_DOUBLE_EQ(balance(7), -80);

    ui().answerAlert(QStringLiteral("kConfirm_ChangeTrans"), kAlertSecondButton);
    ui().answerAlert(QStringLiteral("kConfirm_ChangeTrans"), kAlertFirstButton);
    enter(editOf(0), [this](FenEditSaisieController& w) {
        type(w, "field_montant", QStringLiteral("95"));
        ok(w);
        EXPECT_DOUBLE_EQ(doc.transact_array[0].solde.values[0], 80) << "Cancel on the question keeps the window open";
        ok(w);
    });
    ASSERT_EQ(doc.transact_array.size(), 1);
    EXPECT_DOUBLE_EQ(doc.transact_array[0].solde.values[0], 95);
    EXPECT_DOUBLE_EQ(balance(7), -95);
    EXPECT_DOUBLE_EQ(balance(22), 95);
}

TEST_F(SaisieUiTest, TheCancelledBoxZeroesTheTransactionAndKeepsWhatWasTyped)
{
    ui().answerAlert(QStringLiteral("kConfirm_Annulation"), kAlertFirstButton);
    enter(newOf(7), [this](FenEditSaisieController& w) {
        choose(w, "pop_compteC", 22);
        type(w, "field_montant", QStringLiteral("30"));
        fill(w, "field_information", QStringLiteral("Commande annulée"));
        w.controls().checkbox_annulee->click();
        EXPECT_EQ(text(w, "field_information"), QStringLiteral("Commande annulée"));
        EXPECT_FALSE(static_cast<StdTextView*>(w.controls().field_montant)->isEnabled());
        EXPECT_FALSE(w.controls().checkbox_groupee->isEnabled());
        ok(w); // no zero-amount question for a cancelled transaction
    });
    ASSERT_EQ(doc.transact_array.size(), 1);
    EXPECT_TRUE(doc.transact_array[0].annulation);
    EXPECT_TRUE(doc.transact_array[0].solde.nullMontant());
    EXPECT_EQ(doc.transact_array[0].why, QStringLiteral("Commande annulée"));
}

TEST_F(SaisieUiTest, ChangingTheMeansToOneThatDoesNotFitRebuildsTheAccountsWhenAsked)
{
    ui().answerAlert(QStringLiteral("kConfirm_ChangeMoyen"), kAlertFirstButton);
    enter(newOf(11), [](FenEditSaisieController& w) {
        choose(w, "pop_compteC", 22);
        choose(w, "pop_moyen", 6); // a counter deposit: from cash to the user's account
        EXPECT_EQ(w.pickers().moyenID, 6);
        EXPECT_EQ(w.pickers().compteDID, 30) << "the purse";
        EXPECT_EQ(w.pickers().compteCID, 7) << "the starting account";
        EXPECT_EQ(text(w, "field_moyen"), moyenNameForFamily(6));
        EXPECT_TRUE(w.controls().pop_compteC->isEnabled()) << "opened once rebuilt";
        cancel(w);
    });
}

// Every change of the amount moves the tax split, the keys that delete included.
TEST_F(SaisieUiTest, TheTaxSplitFollowsEveryKeyOfTheAmount)
{
    enter(newOf(7), [](FenEditSaisieController& w) {
        choose(w, "pop_compteC", 22);
        type(w, "field_montant", QStringLiteral("1200"));
        EXPECT_EQ(text(w, "field_montantTaxe"), QStringLiteral("200,00"));
        QTest::keyClick(w.controls().field_montant, Qt::Key_Backspace);
        EXPECT_EQ(text(w, "field_montant"), QStringLiteral("120"));
        EXPECT_EQ(text(w, "field_montantTaxe"), QStringLiteral("20,00"));
        EXPECT_EQ(text(w, "field_montantHT"), QStringLiteral("100,00"));
        choose(w, "pop_taxe", -1);
        EXPECT_TRUE(text(w, "field_montantTaxe").isEmpty()) << "no tax, no split";
        cancel(w);
    });
}

TEST_F(SaisieUiTest, TheCalculatorButtonComputesTheAmountWhileItMayChange)
{
    ButtonCalculette::setCalculetteRunner([](StdWindowController*, WindowDataPtr data, long slot) -> long {
        data->montant.setValueForDevise(slot, 12 * 3.5);
        return 1;
    });
    enter(newOf(7), [](FenEditSaisieController& w) {
        choose(w, "pop_compteC", 22);
        ButtonCalculette* calculette = w.controls().button_calculette;
        ASSERT_TRUE(calculette->isEnabled());
        calculette->click();
        EXPECT_EQ(text(w, "field_montant"), QStringLiteral("42,00"));
        EXPECT_EQ(text(w, "field_montantTaxe"), QStringLiteral("7,00")) << "the window takes the new amount";
        ok(w);
    });
    enter(newOf(7), [](FenEditSaisieController& w) {
        w.controls().checkbox_groupee->click();
        EXPECT_FALSE(w.controls().button_calculette->isEnabled()) << "a split amount is the sum of its lines";
        cancel(w);
    });
    ButtonCalculette::setCalculetteRunner({});
    ASSERT_EQ(doc.transact_array.size(), 1);
    EXPECT_DOUBLE_EQ(doc.transact_array[0].solde.values[0], 42);
}
