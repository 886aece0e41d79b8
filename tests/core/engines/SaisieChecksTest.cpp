// The checks of the entry window's OK, in their order, with the questions they ask and what each
// answer does; run on the working transaction and the window's values, without a window.
#include "SaisieFixture.h"

#include "engines/SaisieInput.h"
#include "model/MOYEN.h"

#include <functional>
#include <limits>

using namespace saisietest;

namespace {

struct CheckCase {
    const char* name;
    std::function<void(SaisieData&, SaisieWindowState&)> setUp;
    std::deque<bool> answers;
    bool accepted;
    QStringList shown;
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

    bool run(const CheckCase& c, SaisieData& data, QueuedDialogs& dialogs)
    {
        SaisieWindowState state;
        base(data, state);
        c.setUp(data, state);
        dialogs.answers = c.answers;
        SaisieChecks checks(data, state, &doc, dialogs);
        return checks.CHECK_GLOBAL();
    }
};

const QString kNaN = QString::number(std::numeric_limits<double>::quiet_NaN());

const std::vector<CheckCase>& checkCases()
{
    static const std::vector<CheckCase> cases = {
        {"plain expense passes silently", [](SaisieData&, SaisieWindowState&) {}, {}, true, {}},
        {"tax split must add up",
         [](SaisieData&, SaisieWindowState& s) {
             s.taxeID = 1;
             s.montantHT.values[0] = 80;
             s.montantTaxe.values[0] = 19;
         },
         {},
         false,
         {"refuse kAlerte_WrongFiscal"}},
        {"tax split within a cent passes",
         [](SaisieData&, SaisieWindowState& s) {
             s.taxeID = 1;
             s.montantHT.values[0] = 83.612;
             s.montantTaxe.values[0] = 16.388;
         },
         {},
         true,
         {}},
        // The labels count a tax from ident 1; the balance check from 0.
        {"tax ident 0 is checked too",
         [](SaisieData&, SaisieWindowState& s) { s.taxeID = 0; },
         {},
         false,
         {"refuse kAlerte_WrongFiscal"}},
        {"investment split must add up",
         [](SaisieData&, SaisieWindowState& s) {
             s.titreID = 4;
             s.capital.values[0] = 90;
             s.frais.values[0] = 5;
         },
         {},
         false,
         {"refuse kAlerte_WrongFinance"}},
        {"investment split adding up passes",
         [](SaisieData&, SaisieWindowState& s) {
             s.empruntID = 1;
             s.capital.values[0] = 90;
             s.interets.values[0] = 6;
             s.frais.values[0] = 4;
         },
         {},
         true,
         {}},
        {"a single split line is refused",
         [](SaisieData& d, SaisieWindowState&) { d.rec.addMultiWithPosteID(1, d.rec.solde, QString()); },
         {},
         false,
         {"refuse kAlerte_SingleMulti"}},
        {"two split lines pass",
         [](SaisieData& d, SaisieWindowState&) {
             d.rec.addMultiWithPosteID(1, d.rec.solde, QString());
             d.rec.addMultiWithPosteID(2, MONTANT(), QString());
         },
         {},
         true,
         {}},
        {"a ticked transaction can't be dated tomorrow",
         [](SaisieData& d, SaisieWindowState&) {
             d.rec.releveID2 = 4;
             d.rec.when = today() + 86400.0;
         },
         {},
         false,
         {"refuse kAlerte_PointeeCannotFutur"}},
        {"an unticked one may",
         [](SaisieData& d, SaisieWindowState&) { d.rec.when = today() + 86400.0; },
         {},
         true,
         {}},
        {"no category",
         [](SaisieData& d, SaisieWindowState&) { d.rec.posteID = -1; },
         {},
         false,
         {"refuse kAlerte_BadTransPoste"}},
        {"the same account on both sides",
         [](SaisieData& d, SaisieWindowState&) { d.rec.who2 = 7; },
         {},
         false,
         {"refuse kAlerte_BadTransSameCompte"}},
        {"an account that is gone",
         [](SaisieData& d, SaisieWindowState&) { d.rec.who2 = 99; },
         {},
         false,
         {"refuse kAlerte_BadTransNoCompte"}},
        {"a cheque without a known book",
         [](SaisieData& d, SaisieWindowState& s) {
             d.rec.moyen = s.moyen = kFamilyChequeDebit;
             d.rec.variante = 8;
         },
         {},
         false,
         {"refuse kAlerte_BadTransMoyen"}},
        {"a cheque near the book's end warns",
         [](SaisieData& d, SaisieWindowState& s) {
             d.rec.moyen = s.moyen = kFamilyChequeDebit;
             d.rec.variante = 2;
             d.rec.ref = QStringLiteral("0000040");
         },
         {false},
         true,
         {"ask kConfirm_EndOfChequier"}},
        {"a card near its expiry warns",
         [](SaisieData& d, SaisieWindowState& s) {
             d.rec.moyen = s.moyen = kFamilyCarteDebit;
             d.rec.variante = 3;
         },
         {true},
         true,
         {"ask kConfirm_EndOfCarte"}},
        {"zero amount asks and Cancel stays",
         [](SaisieData& d, SaisieWindowState& s) { d.rec.solde = s.montant = MONTANT(); },
         {false},
         false,
         {"ask kConfirm_ZeroTrans"}},
        {"a cancelled zero amount asks nothing",
         [](SaisieData& d, SaisieWindowState& s) {
             d.rec.solde = s.montant = MONTANT();
             s.annulee = true;
         },
         {},
         true,
         {}},
        {"a changed stored amount asks",
         [](SaisieData& d, SaisieWindowState&) {
             d.pos = 0;
             d.oldSolde = d.rec.solde;
             d.oldSolde.values[0] = 90;
         },
         {true},
         true,
         {"ask kConfirm_ChangeTrans"}},
        {"five years ahead asks",
         [](SaisieData& d, SaisieWindowState&) { d.rec.when = at(1, 1, 2029); },
         {false},
         false,
         {"ask kConfirm_FarDate"}},
        {"four years back asks nothing",
         [](SaisieData& d, SaisieWindowState&) { d.rec.when = at(31, 12, 2020); },
         {},
         true,
         {}},
        {"a ticked account replaced asks",
         [](SaisieData& d, SaisieWindowState&) {
             d.oldTransHdl.releveID1 = 6;
             d.rec.who1 = 9;
         },
         {false},
         false,
         {"ask kConfirm_ChangeReleve"}},
        {"templates are not checked",
         [](SaisieData& d, SaisieWindowState& s) {
             d.forReal = false;
             d.editsCallerObject = true;
             d.rec.who2 = d.rec.who1;
             s.montant = d.rec.solde = MONTANT();
         },
         {},
         true,
         {}},
        {"simulation rows are not checked",
         [](SaisieData& d, SaisieWindowState&) {
             d.forReal = false;
             d.forSimul = true;
             d.editsCallerObject = true;
             d.rec.who2 = 99;
         },
         {},
         true,
         {}},
        // Stored without a real entry's checks: the details palette's edits and the imports.
        {"a stored edit naming the same account twice",
         [](SaisieData& d, SaisieWindowState&) {
             d.forReal = false;
             d.pos = 0;
             d.rec.who2 = 7;
         },
         {},
         false,
         {"refuse kAlerte_BadTransSameCompte"}},
        {"an import record naming an unknown account",
         [](SaisieData& d, SaisieWindowState&) {
             d.forReal = false;
             d.forImport = true;
             d.editsCallerObject = true;
             d.rec.who1 = 99;
         },
         {},
         false,
         {"refuse kAlerte_BadTransNoCompte"}},
        {"an import record without a category passes",
         [](SaisieData& d, SaisieWindowState&) {
             d.forReal = false;
             d.forImport = true;
             d.editsCallerObject = true;
             d.rec.posteID = -1;
         },
         {},
         true,
         {}},
        {"a stored edit is never asked the real entry's questions",
         [](SaisieData& d, SaisieWindowState& s) {
             d.forReal = false;
             d.pos = 0;
             d.oldSolde.values[0] = 50;
             d.rec.when = at(1, 1, 2040);
             s.montant = d.rec.solde = MONTANT();
         },
         {},
         true,
         {}},
    };
    return cases;
}

} // namespace

TEST_F(SaisieChecksTest, EachCheckInItsOrder)
{
    for (const CheckCase& c : checkCases()) {
        SCOPED_TRACE(c.name);
        SaisieData data;
        QueuedDialogs dialogs;
        EXPECT_EQ(run(c, data, dialogs), c.accepted);
        EXPECT_EQ(dialogs.shown, c.shown);
        EXPECT_TRUE(dialogs.answers.empty()) << "every answer used";
    }
}

TEST_F(SaisieChecksTest, ValidityFailuresBeep)
{
    SaisieData data;
    QueuedDialogs dialogs;
    run({"", [](SaisieData& d, SaisieWindowState&) { d.rec.posteID = -1; }, {}, false, {}}, data, dialogs);
    EXPECT_EQ(dialogs.beeps, 1);
}

TEST_F(SaisieChecksTest, AnAmountThatIsNotANumberIsRefusedAndZeroed)
{
    SaisieData data;
    QueuedDialogs dialogs;
    const CheckCase c {"",
                       [](SaisieData& d, SaisieWindowState&) {
                           d.forReal = false;
                           d.pos = 0;
                           d.rec.solde.values[0] = std::numeric_limits<double>::infinity();
                       },
                       {},
                       false,
                       {}};
    EXPECT_FALSE(run(c, data, dialogs));
    EXPECT_EQ(dialogs.shown, QStringList {"refuse kAlerte_BadTransMontant"});
    EXPECT_EQ(data.rec.solde.values[0], 0.0);
}

TEST_F(SaisieChecksTest, DecliningTheEndOfBookQuestionStopsItForThatBook)
{
    const CheckCase c {"",
                       [](SaisieData& d, SaisieWindowState& s) {
                           d.rec.moyen = s.moyen = kFamilyChequeDebit;
                           d.rec.variante = 2;
                           d.rec.ref = QStringLiteral("0000045");
                       },
                       {false},
                       true,
                       {}};
    SaisieData data;
    QueuedDialogs dialogs;
    EXPECT_TRUE(run(c, data, dialogs));
    EXPECT_TRUE(doc.moyenHdl[0].variantes[0].alerteDone);
    SaisieData again;
    QueuedDialogs silent;
    EXPECT_TRUE(run(c, again, silent));
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
    const CheckCase c {"",
                       [](SaisieData& d, SaisieWindowState&) {
                           d.oldTransHdl.releveID1 = 6;
                           d.rec.releveID1 = 6;
                           d.rec.who1 = 9;
                       },
                       {true},
                       true,
                       {}};
    SaisieData data;
    QueuedDialogs dialogs;
    EXPECT_TRUE(run(c, data, dialogs));
    EXPECT_EQ(data.rec.releveID1, -1);
    // Cancelled, the ticks stay as read.
    SaisieData kept;
    QueuedDialogs cancel;
    CheckCase refused = c;
    refused.answers = {false};
    EXPECT_FALSE(run(refused, kept, cancel));
    EXPECT_EQ(kept.rec.releveID1, 6);
}

TEST(SaisieInput, DatesAndAmountsTyped)
{
    struct DateCase {
        const char *day, *month, *year;
        bool ok;
    };
    const DateCase dates[] = {
        {"14", "7", "2024", true},  {"1", "1", "71", true},      {"", "", "", false},        {"0", "0", "0", false},
        {"1", "1", "10000", false}, {"1", "1", "123456", false}, {"31", "12", "9999", true}, {"x", "1", "2024", false},
    };
    for (const DateCase& d : dates) {
        double when = 0;
        EXPECT_EQ(saisieDateFromFields(d.day, d.month, d.year, &when), d.ok)
            << d.day << "/" << d.month << "/" << d.year;
    }
    double when = 0;
    ASSERT_TRUE(saisieDateFromFields("1", "1", "71", &when));
    EXPECT_EQ(dateYear(when), 1971);

    EXPECT_TRUE(saisieMontantTextIsNumber(""));
    EXPECT_TRUE(saisieMontantTextIsNumber("12.5"));
    EXPECT_TRUE(saisieMontantTextIsNumber("-.5"));
    EXPECT_TRUE(saisieMontantTextIsNumber("3."));
    EXPECT_FALSE(saisieMontantTextIsNumber("-"));
    EXPECT_FALSE(saisieMontantTextIsNumber(QString(400, u'9')));
}
