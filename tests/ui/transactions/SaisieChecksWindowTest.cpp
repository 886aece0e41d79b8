// The checks of OK as the window runs them: refusals keep the window open with what was typed,
// warnings ask, bad input is told, and what the document stores without a real entry's checks is
// still valid.
#include "SaisieUiFixture.h"

#include "model/TransactOps.h"
#include "toolkit/popups/PopCompte.h"
#include "toolkit/popups/PopMacro.h"
#include "toolkit/popups/PopMoyen.h"
#include "transactions/TextFieldMontantSaisie.h"

#include <QApplication>
#include <QPushButton>

using namespace saisieui;

namespace {

class SaisieChecksWindowTest : public SaisieUiTest {
protected:
    // A stored expense of 80 from 7 to 22.
    void storeExpense(long releveID1 = -1)
    {
        TRANSACT stored;
        stored.defaultTransact(&doc);
        stored.when = today() - 10 * 86400.0;
        stored.who1 = 7;
        stored.who2 = 22;
        stored.moyen = 7;
        stored.posteID = 1;
        stored.releveID1 = releveID1;
        stored.solde = euros(80);
        ASSERT_TRUE(makeTransact(stored, nullptr, &doc, false, false));
    }
    void expectAlert(const char* key, int answer = kAlertFirstButton)
    {
        ui().answerAlert(QString::fromLatin1(key), answer);
    }
};

} // namespace

TEST_F(SaisieChecksWindowTest, ASingleSplitLineIsRefusedUntilASecondOneIsAdded)
{
    expectAlert("kAlerte_SingleMulti");
    enter(newOf(7), [this](FenEditSaisieController& w) {
        choose(w, "pop_compteC", 22);
        type(w, "field_montant", QStringLiteral("60"));
        w.controls().checkbox_groupee->click();
        ok(w);
        EXPECT_TRUE(doc.transact_array.isEmpty());
        choose(w, "pop_poste_detail", 4);
        type(w, "field_montant_detail", QStringLiteral("15"));
        w.perform(QStringLiteral("ADD_DETAIL:"));
        ok(w);
    });
    ASSERT_EQ(doc.transact_array.size(), 1);
    EXPECT_EQ(doc.transact_array[0].nbMultis(), 2);
}

TEST_F(SaisieChecksWindowTest, BadDatesAndAmountsAreToldAndNothingIsStored)
{
    struct Bad {
        const char* field;
        QString text;
        const char* key;
    };
    const Bad bads[] = {
        {"field_annee1", QStringLiteral("10000"), "kAlerte_BadDateSaisie"},
        {"field_annee1", QStringLiteral("0"), nullptr}, // two-digit years: 0 is 2000, asked about
        {"field_montant", QString(400, u'9'), "kAlerte_BadMontantSaisie"},
        {"field_montant", QStringLiteral("-"), "kAlerte_BadMontantSaisie"},
    };
    for (const Bad& bad : bads) {
        SCOPED_TRACE(bad.field);
        if (bad.key)
            expectAlert(bad.key);
        else
            expectAlert("kConfirm_FarDate", kAlertSecondButton);
        enter(newOf(7), [&](FenEditSaisieController& w) {
            choose(w, "pop_compteC", 22);
            type(w, "field_montant", QStringLiteral("5"));
            fill(w, bad.field, bad.text);
            ok(w);
            cancel(w);
        });
    }
    expectAlert("kAlerte_BadDateSaisie");
    enter(newOf(7), [&](FenEditSaisieController& w) {
        for (const char* field : {"field_jour1", "field_mois1", "field_annee1"})
            fill(w, field, QString());
        ok(w);
        cancel(w);
    });
    EXPECT_TRUE(doc.transact_array.isEmpty());
}

TEST_F(SaisieChecksWindowTest, AZeroAmountAsksAndTheAnswerDecides)
{
    expectAlert("kConfirm_ZeroTrans", kAlertSecondButton);
    expectAlert("kConfirm_ZeroTrans", kAlertFirstButton);
    enter(newOf(7), [this](FenEditSaisieController& w) {
        choose(w, "pop_compteC", 22);
        ok(w);
        EXPECT_TRUE(doc.transact_array.isEmpty());
        ok(w);
    });
    EXPECT_EQ(doc.transact_array.size(), 1);
}

TEST_F(SaisieChecksWindowTest, ATickedTransactionCantMoveToTomorrowAndADistantDateAsks)
{
    storeExpense(1);
    expectAlert("kAlerte_PointeeCannotFutur");
    enter(editOf(0), [](FenEditSaisieController& w) {
        fill(w, "field_jour1", QStringLiteral("15"));
        ok(w);
        cancel(w);
    });
    expectAlert("kConfirm_FarDate", kAlertFirstButton);
    enter(newOf(7), [](FenEditSaisieController& w) {
        choose(w, "pop_compteC", 22);
        type(w, "field_montant", QStringLiteral("5"));
        fill(w, "field_annee1", QStringLiteral("2029"));
        ok(w);
    });
    ASSERT_EQ(doc.transact_array.size(), 2);
    EXPECT_EQ(dateYear(doc.transact_array[1].when), 2029);
}

TEST_F(SaisieChecksWindowTest, ALockedStoredTransactionShowsThePadlockAndFixedControls)
{
    RELEVE releve;
    releve.ident = 1;
    releve.date = today() - 20 * 86400.0;
    TOOL* courant = getTool(kToolCompte, 7, &doc);
    courant->releves = {releve};
    courant->locked_releve_to_date = today() - 5 * 86400.0;
    storeExpense(1);
    enter(editOf(0), [](FenEditSaisieController& w) {
        const SaisieControls& c = w.controls();
        EXPECT_TRUE(w.locked());
        EXPECT_FALSE(c.image_cadenas->isHidden());
        EXPECT_FALSE(static_cast<StdTextView*>(c.field_montant)->isEnabled());
        EXPECT_FALSE(c.pop_compteD->isEnabled());
        EXPECT_FALSE(c.pop_compteC->isEnabled());
        EXPECT_FALSE(c.pop_moyen->isEnabled());
        EXPECT_FALSE(c.pop_macro->isEnabled());
        EXPECT_FALSE(c.checkbox_annulee->isEnabled());
        EXPECT_FALSE(c.checkbox_groupee->isEnabled());
        ok(w);
    });
    EXPECT_EQ(doc.transact_array[0].releveID1, 1);
}

TEST_F(SaisieChecksWindowTest, TheFirstFieldFollowsThePreferenceAndSkipsAFixedSide)
{
    const std::pair<int, const char*> cases[] = {{0, "field_jour1"},  {1, "field_montant"},   {2, "view_poste"},
                                                 {3, "view_compteC"}, {4, "field_reference"}, {7, "field_jour1"}};
    for (const auto& [option, expected] : cases) {
        APPLIPARAM::loadAppliParam().optionSaisieRubrique = option;
        enter(newOf(kFamilyChequeDebit), [expected = expected](FenEditSaisieController& w) {
            ASSERT_NE(w.firstSelectedObject(), nullptr);
            EXPECT_EQ(w.firstSelectedObject()->objectName(), QString::fromLatin1(expected));
            cancel(w);
        });
    }
}

// A details palette's edit stores without a real entry's questions, but never a transaction the
// balances can't take.
TEST_F(SaisieChecksWindowTest, AStoredEditWithoutRealChecksStillNeedsTwoAccounts)
{
    storeExpense();
    doc.transact_array[0].moyen = 0;
    SaisieRequest palette = editOf(0);
    palette.forReal = false;
    expectAlert("kAlerte_BadTransSameCompte");
    enter(palette, [](FenEditSaisieController& w) {
        choose(w, "pop_compteC", 7);
        ok(w);
        choose(w, "pop_compteC", 23);
        type(w, "field_montant", QStringLiteral("0"));
        ok(w); // no zero-amount question here
    });
    ASSERT_EQ(doc.transact_array.size(), 1);
    EXPECT_EQ(doc.transact_array[0].who2, 23);
    EXPECT_DOUBLE_EQ(balance(22), 0);
}

TEST_F(SaisieChecksWindowTest, ImportRecordsStopAcceptAllOrAreRefused)
{
    TRANSACT record;
    record.defaultTransact(&doc);
    record.who1 = 7;
    record.who2 = 404;
    record.moyen = 7;
    record.solde = euros(12);
    SaisieRequest import;
    import.editObj = &record;
    import.forImport = true;
    import.fam = 7;
    import.ident = 7;

    expectAlert("kAlerte_BadTransNoCompte");
    EXPECT_EQ(enter(import,
                    [](FenEditSaisieController& w) {
                        EXPECT_FALSE(w.controls().button_tout->isHidden());
                        w.perform(QStringLiteral("TOUT_IMPORTER:"));
                        choose(w, "pop_compteC", 22);
                        w.perform(QStringLiteral("TOUT_IMPORTER:"));
                    }),
              kSaisieImportAll);
    EXPECT_EQ(record.who2, 22) << "the import stores the record it gets back";
    EXPECT_TRUE(doc.transact_array.isEmpty());

    EXPECT_EQ(enter(import, [](FenEditSaisieController& w) { w.perform(QStringLiteral("ARRETER_IMPORT:")); }),
              kSaisieStopImport);
    EXPECT_EQ(enter(newOf(7),
                    [](FenEditSaisieController& w) {
                        EXPECT_TRUE(w.controls().button_tout->isHidden());
                        EXPECT_TRUE(w.controls().button_arreter->isHidden());
                        cancel(w);
                    }),
              kSaisieCancel);
}
