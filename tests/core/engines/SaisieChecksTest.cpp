// The checks of the entry window's OK, in their order, with the questions they ask and what each
// answer does; run on the working transaction and the window's values, without a window.
#include "SaisieFixture.h"

#include "engines/SaisieInput.h"
#include "model/MOYEN.h"

#include <functional>
#include <limits>

using namespace saisietest;

namespace {

using D = SaisieData;
using S = SaisieWindowState;

// What a check must do: the answers given to its questions, whether OK goes through, and the
// messages shown.
struct Outcome {
    const char* name;
    std::deque<bool> answers;
    bool accepted;
    QStringList shown;
};
struct CheckCase {
    Outcome expect;
    std::function<void(D&, S&)> setUp;
};

class SaisieChecksTest : public SaisieDocument {
protected:
    SaisieChecksTest()
    {
        // Account 7's cheque book 2 (cheques 1 to 50, alert at 10 left, 38 used) and card 3
        // (expiring in 20 days, alert 30 days before).
        MOYEN cheques = MOYEN::allocNewMoyen(kFamilyChequeDebit, 7);
        VARIANTE book;
        book.ident = 2;
        book.numero = QStringLiteral("0000001");
        book.nombre = 50;
        book.lastNumero = 38;
        book.alerte = 10;
        cheques.variantes = {book};
        MOYEN cartes = MOYEN::allocNewMoyen(kFamilyCarteDebit, 7);
        VARIANTE card;
        card.ident = 3;
        card.limite = today() + 20 * 86400.0;
        card.alerte = 30;
        cartes.variantes = {card};
        doc.moyenHdl = {cheques, cartes};
    }

    // A real new expense of 100 whose window shows exactly what it holds.
    void base(SaisieData& data, SaisieWindowState& state) const
    {
        data.forReal = true;
        data.rec = expense(100);
        data.oldTransHdl = data.rec;
        state.devise = 0;
        state.montant = euros(100);
        state.moyen = data.rec.moyen;
        state.now = today();
    }

    bool run(const std::function<void(D&, S&)>& setUp, const std::deque<bool>& answers, SaisieData& data,
             QueuedDialogs& dialogs)
    {
        SaisieWindowState state;
        base(data, state);
        setUp(data, state);
        dialogs.answers = answers;
        SaisieChecks checks(data, state, &doc, dialogs);
        return checks.CHECK_GLOBAL();
    }
};

const std::vector<CheckCase>& checkCases()
{
    static const std::vector<CheckCase> cases = {
        {{"plain expense passes silently", {}, true, {}}, [](D&, S&) {}},
        {{"tax split must add up", {}, false, {"refuse kAlerte_WrongFiscal"}},
         [](D&, S& s) {
             s.taxeID = 1;
             s.montantHT.values[0] = 80;
             s.montantTaxe.values[0] = 19;
         }},
        {{"tax split within a cent passes", {}, true, {}},
         [](D&, S& s) {
             s.taxeID = 1;
             s.montantHT.values[0] = 83.612;
             s.montantTaxe.values[0] = 16.388;
         }},
        // The labels count a tax from ident 1; the balance check from 0.
        {{"tax ident 0 is checked too", {}, false, {"refuse kAlerte_WrongFiscal"}}, [](D&, S& s) { s.taxeID = 0; }},
        {{"investment split must add up", {}, false, {"refuse kAlerte_WrongFinance"}},
         [](D&, S& s) {
             s.titreID = 4;
             s.capital.values[0] = 90;
             s.frais.values[0] = 5;
         }},
        {{"investment split adding up passes", {}, true, {}},
         [](D&, S& s) {
             s.empruntID = 1;
             s.capital.values[0] = 90;
             s.interets.values[0] = 6;
             s.frais.values[0] = 4;
         }},
        {{"a single split line is refused", {}, false, {"refuse kAlerte_SingleMulti"}},
         [](D& d, S&) { d.rec.addMultiWithPosteID(1, d.rec.solde, QString()); }},
        {{"two split lines pass", {}, true, {}},
         [](D& d, S&) {
             d.rec.addMultiWithPosteID(1, d.rec.solde, QString());
             d.rec.addMultiWithPosteID(2, MONTANT(), QString());
         }},
        {{"a ticked transaction can't be dated tomorrow", {}, false, {"refuse kAlerte_PointeeCannotFutur"}},
         [](D& d, S&) {
             d.rec.releveID2 = 4;
             d.rec.when = today() + 86400.0;
         }},
        {{"an unticked one may", {}, true, {}}, [](D& d, S&) { d.rec.when = today() + 86400.0; }},
        {{"no category", {}, false, {"refuse kAlerte_BadTransPoste"}}, [](D& d, S&) { d.rec.posteID = -1; }},
        {{"the same account on both sides", {}, false, {"refuse kAlerte_BadTransSameCompte"}},
         [](D& d, S&) { d.rec.who2 = 7; }},
        {{"an account that is gone", {}, false, {"refuse kAlerte_BadTransNoCompte"}},
         [](D& d, S&) { d.rec.who2 = 99; }},
        {{"a cheque without a known book", {}, false, {"refuse kAlerte_BadTransMoyen"}},
         [](D& d, S& s) {
             d.rec.moyen = s.moyen = kFamilyChequeDebit;
             d.rec.variante = 8;
         }},
        {{"a cheque near the book's end warns", {false}, true, {"ask kConfirm_EndOfChequier"}},
         [](D& d, S& s) {
             d.rec.moyen = s.moyen = kFamilyChequeDebit;
             d.rec.variante = 2;
             d.rec.ref = QStringLiteral("0000040");
         }},
        {{"a card near its expiry warns", {true}, true, {"ask kConfirm_EndOfCarte"}},
         [](D& d, S& s) {
             d.rec.moyen = s.moyen = kFamilyCarteDebit;
             d.rec.variante = 3;
         }},
        {{"zero amount asks and Cancel stays", {false}, false, {"ask kConfirm_ZeroTrans"}},
         [](D& d, S& s) { d.rec.solde = s.montant = MONTANT(); }},
        {{"a cancelled zero amount asks nothing", {}, true, {}},
         [](D& d, S& s) {
             d.rec.solde = s.montant = MONTANT();
             s.annulee = true;
         }},
        {{"a changed stored amount asks", {true}, true, {"ask kConfirm_ChangeTrans"}},
         [](D& d, S&) {
             d.pos = 0;
             d.oldSolde = d.rec.solde;
             d.oldSolde.values[0] = 90;
         }},
        {{"five years ahead asks", {false}, false, {"ask kConfirm_FarDate"}},
         [](D& d, S&) { d.rec.when = at(1, 1, 2029); }},
        {{"four years back asks nothing", {}, true, {}}, [](D& d, S&) { d.rec.when = at(31, 12, 2020); }},
        {{"a ticked account replaced asks", {false}, false, {"ask kConfirm_ChangeReleve"}},
         [](D& d, S&) {
             d.oldTransHdl.releveID1 = 6;
             d.rec.who1 = 9;
         }},
        {{"templates are not checked", {}, true, {}},
         [](D& d, S& s) {
             d.forReal = false;
             d.editsCallerObject = true;
             d.rec.who2 = d.rec.who1;
             s.montant = d.rec.solde = MONTANT();
         }},
        {{"simulation rows are not checked", {}, true, {}},
         [](D& d, S&) {
             d.forReal = false;
             d.forSimul = true;
             d.editsCallerObject = true;
             d.rec.who2 = 99;
         }},
        // Stored without a real entry's checks: the details palette's edits and the imports.
        {{"a stored edit naming the same account twice", {}, false, {"refuse kAlerte_BadTransSameCompte"}},
         [](D& d, S&) {
             d.forReal = false;
             d.pos = 0;
             d.rec.who2 = 7;
         }},
        {{"an import record naming an unknown account", {}, false, {"refuse kAlerte_BadTransNoCompte"}},
         [](D& d, S&) {
             d.forReal = false;
             d.forImport = true;
             d.editsCallerObject = true;
             d.rec.who1 = 99;
         }},
        {{"an import record without a category passes", {}, true, {}},
         [](D& d, S&) {
             d.forReal = false;
             d.forImport = true;
             d.editsCallerObject = true;
             d.rec.posteID = -1;
         }},
        {{"a stored edit is never asked the real entry's questions", {}, true, {}},
         [](D& d, S& s) {
             d.forReal = false;
             d.pos = 0;
             d.oldSolde.values[0] = 50;
             d.rec.when = at(1, 1, 2040);
             s.montant = d.rec.solde = MONTANT();
         }},
    };
    return cases;
}

} // namespace

TEST_F(SaisieChecksTest, EachCheckInItsOrder)
{
    for (const auto& [expect, setUp] : checkCases()) {
        SCOPED_TRACE(expect.name);
        SaisieData data;
        QueuedDialogs dialogs;
        EXPECT_EQ(run(setUp, expect.answers, data, dialogs), expect.accepted);
        EXPECT_EQ(dialogs.shown, expect.shown);
        EXPECT_TRUE(dialogs.answers.empty()) << "every answer used";
    }
}

TEST_F(SaisieChecksTest, ValidityFailuresBeepAndAnAmountThatIsNotANumberIsZeroed)
{
    SaisieData data;
    QueuedDialogs dialogs;
    EXPECT_FALSE(run([](D& d, S&) { d.rec.posteID = -1; }, {}, data, dialogs));
    EXPECT_EQ(dialogs.beeps, 1);

    SaisieData infinite;
    QueuedDialogs refused;
    const auto setUp = [](D& d, S&) {
        d.forReal = false;
        d.pos = 0;
        d.rec.solde.values[0] = std::numeric_limits<double>::infinity();
    };
    EXPECT_FALSE(run(setUp, {}, infinite, refused));
    EXPECT_EQ(refused.shown, QStringList {"refuse kAlerte_BadTransMontant"});
    EXPECT_EQ(infinite.rec.solde.values[0], 0.0);
}

TEST_F(SaisieChecksTest, DecliningTheEndOfBookQuestionStopsItForThatBook)
{
    const auto setUp = [](D& d, S& s) {
        d.rec.moyen = s.moyen = kFamilyChequeDebit;
        d.rec.variante = 2;
        d.rec.ref = QStringLiteral("0000045");
    };
    SaisieData data;
    QueuedDialogs dialogs;
    EXPECT_TRUE(run(setUp, {false}, data, dialogs));
    EXPECT_TRUE(doc.moyenHdl[0].variantes[0].alerteDone);
    SaisieData again;
    QueuedDialogs silent;
    EXPECT_TRUE(run(setUp, {false}, again, silent));
    EXPECT_TRUE(silent.shown.isEmpty());
}

TEST_F(SaisieChecksTest, TicksFollowTheirAccounts)
{
    TRANSACT old = expense(10);
    old.releveID1 = 6;
    old.releveID2 = 8;
    struct Move {
        long who1, who2;
        long releveID1, releveID2;
        bool loses;
    };
    const Move moves[] = {
        {22, 7, 8, 6, false}, // swapped: each tick moves with its account
        {7, 22, 6, 8, false}, {9, 22, -1, 8, true}, // the ticked debit account replaced
        {7, 23, 6, -1, true}, {22, 9, 8, -1, true},
    };
    for (const Move& m : moves) {
        TRANSACT rec = old;
        rec.who1 = m.who1;
        rec.who2 = m.who2;
        EXPECT_EQ(SaisieChecks::losesReleve(old, rec), m.loses) << m.who1 << " " << m.who2;
        SaisieChecks::carryReleves(old, rec);
        EXPECT_EQ(rec.releveID1, m.releveID1);
        EXPECT_EQ(rec.releveID2, m.releveID2);
    }
}

TEST_F(SaisieChecksTest, ConfirmingTheStatementQuestionClearsTheLostTick)
{
    const auto setUp = [](D& d, S&) {
        d.oldTransHdl.releveID1 = 6;
        d.rec.releveID1 = 6;
        d.rec.who1 = 9;
    };
    SaisieData data;
    QueuedDialogs dialogs;
    EXPECT_TRUE(run(setUp, {true}, data, dialogs));
    EXPECT_EQ(data.rec.releveID1, -1);
    // Cancelled, the ticks stay as read.
    SaisieData kept;
    QueuedDialogs cancel;
    EXPECT_FALSE(run(setUp, {false}, kept, cancel));
    EXPECT_EQ(kept.rec.releveID1, 6);
}

TEST(SaisieInput, DatesAndAmountsTyped)
{
    struct DateCase {
        const char *day, *month, *year;
        bool ok;
    };
    const DateCase dates[] = {
        {"14", "7", "2024", true},
        {"1", "1", "71", true},
        {"", "", "", false},
        {"0", "0", "0", false},
        {"1", "1", "10000", false},
        {"1", "1", "123456", false},
        {"31", "12", "9999", true},
        {"x", "1", "2024", false},
        // Days the month lacks are refused rather than moved into the next month.
        {"31", "2", "2026", false},
        {"29", "2", "24", true},
        {"29", "2", "2100", false},
        {"31", "4", "2024", false},
    };
    for (const DateCase& d : dates) {
        double when = 0;
        EXPECT_EQ(saisieDateFromFields(d.day, d.month, d.year, &when), d.ok)
            << d.day << "/" << d.month << "/" << d.year;
    }
    double when = 0;
    ASSERT_TRUE(saisieDateFromFields("1", "1", "71", &when));
    EXPECT_EQ(dateYear(when), 1971);

    for (const char* number : {"", "12.5", "-.5", "3."})
        EXPECT_TRUE(saisieMontantTextIsNumber(number)) << number;
    EXPECT_FALSE(saisieMontantTextIsNumber("-"));
    EXPECT_FALSE(saisieMontantTextIsNumber(QString(400, u'9')));
}
