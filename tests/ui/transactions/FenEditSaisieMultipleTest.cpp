// The multiple edit as a list runs it: what the window shows of the transactions selected, what
// OK gives them and what it leaves, the refusals, the locks, and the list's selection afterwards.
#include "SaisieUiFixture.h"

#include "transactions/FenEditSaisieMultipleController.h"
#include "transactions/SaisieMultipleRoutine.h"
#include "transactions/TextFieldMontantSaisie.h"

#include "engines/SearchEngine.h"
#include "model/MOYEN.h"
#include "model/RELEVE.h"
#include "model/TransactOps.h"
#include "toolkit/dialogs/FenCalendrierController2.h"
#include "toolkit/fields/TextFieldJour.h"
#include "toolkit/popups/PopCompte.h"
#include "toolkit/popups/PopMacro.h"
#include "toolkit/popups/PopMoyen.h"
#include "toolkit/popups/PopTaxe.h"
#include "toolkit/tables/StdTableView.h"

#include <QTest>
#include <QVBoxLayout>

using namespace saisieui;

namespace {

// An account's list as the transaction lists keep one: its listing is made anew at every change.
class MultiListWindow : public StdWindowWithTableController {
    Q_OBJECT
public:
    DOCUMENT* doc = nullptr;
    std::unique_ptr<LISTING> listing;
    int replaced = 0;
    int changes = 0;

    void search()
    {
        const Critere critere = Critere::makeToolCritere(true, getArg().debitID, -1, doc);
        listing = searchWithCritere({.critere = &critere, .doc = doc, .sort = ListingSort::Date2});
    }
    int numberOfRowsInTableView1(StdTableView*) override { return int(listingCount(listing.get())); }
    Q_INVOKABLE void REPLACE_TRANSACT(const QVariant& position, const QVariant& keep) override
    {
        ++replaced;
        search();
        StdWindowWithTableController::REPLACE_TRANSACT(position, keep);
    }
    Q_INVOKABLE void DID_CHANGE_TRANSACT() { ++changes; }

protected:
    void buildInterface(StdWindow& window) override
    {
        auto* table = new StdTableView(&window);
        table->setObjectName(QStringLiteral("table1"));
        table->setUniformRowHeight(20);
        (new QVBoxLayout(&window))->addWidget(table);
    }
};

using Window = FenEditSaisieMultipleController;
using User = std::function<void(Window&)>;

class FenEditSaisieMultipleTest : public SaisieUiTest {
protected:
    FenEditSaisieMultipleTest()
    {
        TRANSACT t;
        t.defaultTransact(&doc);
        t.who1 = 7;
        t.posteID = 1;
        for (const auto& [day, who2, amount, ref] :
             {std::tuple {10L, 22L, 50.0, "A"}, {11L, 22L, 30.0, "B"}, {12L, 23L, 120.0, ""}}) {
            t.when = at(day, 6, 2024);
            t.who2 = who2;
            t.solde = euros(amount);
            t.ref = QString::fromLatin1(ref);
            makeTransact(t, nullptr, &doc, false, false);
        }
        doc.transact_array[2].taxeID = 2;
        doc.transact_array[2].taxe = euros(20);
        doc.transact_array[0].importDoublon = true;
    }
    ~FenEditSaisieMultipleTest() override
    {
        if (list)
            list->close();
    }

    // The account's list, a new one each time, with every row selected; the edit on a script.
    int edit(User user)
    {
        if (list)
            list->close();
        list = StdWindowController::push<MultiListWindow>(nullptr, 0, true);
        list->getArg().debitID = 7;
        list->doc = &doc;
        list->search();
        list->table1()->reloadData();
        IndexSet rows;
        for (int row = 0; row < list->table1()->numberOfRows(); ++row)
            rows.insert(row);
        if (user)
            ui().onModal<Window>(std::move(user));
        return openSaisieMultiple(list, list->listing, rows, doc);
    }
    std::string described() const
    {
        QStringList lines;
        for (const TRANSACT& t : doc.transact_array)
            lines << QStringLiteral("%1 %2 %3>%4 p%5 '%6' t%7/%8%9%10")
                         .arg(dateDay(t.when))
                         .arg(t.solde.values[0])
                         .arg(t.who1)
                         .arg(t.who2)
                         .arg(t.posteID)
                         .arg(t.ref)
                         .arg(t.taxeID)
                         .arg(t.taxe.values[0])
                         .arg(t.annulation ? " annulée" : "", t.importDoublon ? " doublon" : "");
        return lines.join(QStringLiteral(" | ")).toStdString();
    }

    QPointer<MultiListWindow> list;
};

const std::string kBefore = "10 50 7>22 p1 'A' t-1/0 doublon | 11 30 7>22 p1 'B' t-1/0 | 12 120 7>23 p1 '' t2/20";

// The user types into a field as it is, "-" and all, then presses OK.
User typing(const char* field, const char* text)
{
    return [=](Window& w) {
        QTest::keyClicks(w.outlet<QWidget>(QString::fromLatin1(field)), QString::fromLatin1(text));
        w.perform(QStringLiteral("OUI:"));
    };
}

// The user clicks after the "-" (the caret there, nothing selected) and types.
User typingAfter(const char* field, const char* text)
{
    return [=](Window& w) {
        auto* view = w.outlet<QPlainTextEdit>(QString::fromLatin1(field));
        view->moveCursor(QTextCursor::End);
        QTest::keyClicks(view, QString::fromLatin1(text));
        w.perform(QStringLiteral("OUI:"));
    };
}

User clicking(const char* box)
{
    return [=](Window& w) {
        w.outlet<QCheckBox>(QString::fromLatin1(box))->click();
        w.perform(QStringLiteral("OUI:"));
    };
}

} // namespace

TEST_F(FenEditSaisieMultipleTest, SharedValuesShowAndTheRestIsKept)
{
    const int status = edit([](Window& w) {
        const std::pair<const char*, const char*> shown[] = {
            {"field_moyen", "Modification de plusieurs opérations"},
            {"field_jour1", "-"},
            {"field_montant", "-"},
            {"view_compteD", "Compte courant"},
            {"view_compteC", "-"},
            {"view_poste", "Alimentation"},
            {"field_reference", "-"},
            {"field_taxe", "-"},
        };
        for (const auto& [field, expected] : shown)
            EXPECT_EQ(text(w, field), QString::fromUtf8(expected)) << field;
        const SaisieControls& c = w.controls();
        EXPECT_TRUE(c.pop_macro->isHidden());
        EXPECT_FALSE(c.pop_moyen->isEnabled() || c.checkbox_groupee->isEnabled() || c.pop_taxe->isEnabled());
        EXPECT_FALSE(static_cast<StdTextView*>(c.field_jour1)->isEnabled());
        EXPECT_EQ(c.checkbox_doublon->checkState(), Qt::PartiallyChecked);
        EXPECT_EQ(w.firstSelectedObject(), c.field_montant);
        grab(w, "saisie_multiple.png").save(QStringLiteral("/tmp/saisie_multiple.png"));
        choose(w, "pop_poste", 4);
        ok(w);
    });
    EXPECT_EQ(status, kSaisieOK);
    EXPECT_EQ(described(), QString::fromStdString(kBefore).replace("p1", "p4").toStdString());
    // One batch: each transaction replaced, the list rebuilt once, after the last.
    EXPECT_EQ(list->replaced, 1);
    EXPECT_EQ(list->changes, 1);
    EXPECT_EQ(list->table1()->selectedRowIndexes(), (IndexSet {0, 1, 2}));
}

TEST_F(FenEditSaisieMultipleTest, WhatEachChoiceChangesAndWhatItLeaves)
{
    const User calendar = [this](Window& w) {
        ui().onModal<FenCalendrierController2>([](FenCalendrierController2& picker) {
            picker.GO(at(3, 6, 2024));
            picker.perform(QStringLiteral("OUI:"));
        });
        w.perform(QStringLiteral("CALENDRIER1:"));
        ok(w);
    };
    const std::pair<User, std::string> cases[] = {
        // Typed over the "-", not after it; the taxed one's tax follows.
        {typing("field_montant", "60"),
         "10 60 7>22 p1 'A' t-1/0 doublon | 11 60 7>22 p1 'B' t-1/0 | 12 60 7>23 p1 '' t2/10"},
        // The "-" goes at the first key; a minus typed stays one.
        {typingAfter("field_montant", "-5"),
         "10 -5 7>22 p1 'A' t-1/0 doublon | 11 -5 7>22 p1 'B' t-1/0 | 12 -5 7>23 p1 '' t2/-0.83"},
        {typingAfter("field_reference", "-X"),
         "10 50 7>22 p1 '-X' t-1/0 doublon | 11 30 7>22 p1 '-X' t-1/0 | 12 120 7>23 p1 '-X' t2/20"},
        // An amount emptied changes none, as the "-" would not.
        {[](Window& w) {
             auto* field = w.controls().field_montant;
             QTest::keyClicks(field, QStringLiteral("7"));
             field->selectAll();
             QTest::keyClick(field, Qt::Key_Backspace);
             w.perform(QStringLiteral("OUI:"));
         },
         kBefore},
        // Typed, and OK at once: the text is not lost.
        {typing("field_reference", "Z"),
         "10 50 7>22 p1 'Z' t-1/0 doublon | 11 30 7>22 p1 'Z' t-1/0 | 12 120 7>23 p1 'Z' t2/20"},
        {calendar, "3 50 7>22 p1 'A' t-1/0 doublon | 3 30 7>22 p1 'B' t-1/0 | 3 120 7>23 p1 '' t2/20"},
        {clicking("checkbox_doublon"), "10 50 7>22 p1 'A' t-1/0 | 11 30 7>22 p1 'B' t-1/0 | 12 120 7>23 p1 '' t2/20"},
        // No question; every transaction cancelled in full.
        {clicking("checkbox_annulee"),
         "10 0 7>22 p1 'A' t-1/0 annulée doublon | 11 0 7>22 p1 'B' t-1/0 annulée | 12 0 7>23 p1 '' t-1/20 annulée"},
    };
    const TransactList original = doc.transact_array;
    for (const auto& [user, after] : cases) {
        doc.transact_array = original;
        edit(user);
        EXPECT_EQ(described(), after);
    }
}

// Refusals and Cancel leave every transaction as it was.
TEST_F(FenEditSaisieMultipleTest, RefusalsAndCancelChangeNothing)
{
    doc.transact_array[1].multis = {MULTI(1, euros(20), {}), MULTI(4, euros(10), {})};
    ui().answerAlert(QStringLiteral("kAlerte_multipleHasGroupee"), kAlertFirstButton);
    EXPECT_EQ(edit(nullptr), kSaisieCancel);
    EXPECT_TRUE(ui().modalRuns().isEmpty());

    doc.transact_array[1].multis.clear();
    doc.transact_array[1].releveID2 = 8; // ticked on the payee's side
    const std::string before = described();
    ui().answerAlert(QStringLiteral("kConfirm_ChangeReleve"), kAlertSecondButton);
    edit([](Window& w) {
        choose(w, "pop_compteC", 24);
        ok(w);
        EXPECT_EQ(text(w, "view_compteC"), QStringLiteral("Courtier")); // still open
        cancel(w);
    });
    EXPECT_EQ(described(), before);
}

// Two cheques of account 7's book moved to account 9, which has no book: OK names them and stores
// nothing.
TEST_F(FenEditSaisieMultipleTest, ChequesMovedToAnAccountWithoutTheirBookAreNamed)
{
    MOYEN cheques = MOYEN::allocNewMoyen(kFamilyChequeDebit, 7);
    VARIANTE book;
    book.ident = 2;
    cheques.variantes = {book};
    doc.moyenHdl = {cheques};
    for (const long i : {0L, 1L}) {
        doc.transact_array[i].moyen = kFamilyChequeDebit;
        doc.transact_array[i].variante = 2;
    }
    const std::string before = described();
    ui().answerAlert(QStringLiteral("kAlerte_multipleSansMoyen"), kAlertFirstButton);
    edit([](Window& w) {
        choose(w, "pop_compteD", 9);
        ok(w);
        cancel(w);
    });
    EXPECT_EQ(described(), before);
    ASSERT_FALSE(ui().alertsShown().isEmpty());
    QStringList named = ui().alertsShown().last().request.information.split(u'\n');
    named.sort();
    const QString cheque = MOYEN::newMoyenName(kFamilyChequeDebit);
    EXPECT_EQ(named,
              (QStringList {QStringLiteral("10/06/2024 · %1 · A").arg(cheque),
                            QStringLiteral("11/06/2024 · %1 · B").arg(cheque)}));
    EXPECT_EQ(ui().desktopRequests().beeps, 1);
}

// A transaction in a locked statement: the accounts and the amount can't change, nor can it be
// cancelled.
TEST_F(FenEditSaisieMultipleTest, LockedFieldsAreToldHalfASecondAfterOpening)
{
    RELEVE releve;
    releve.ident = 1;
    releve.date = today() - 20 * 86400.0;
    getTool(kToolCompte, 7, &doc)->releves = {releve};
    getTool(kToolCompte, 7, &doc)->locked_releve_to_date = today() - 5 * 86400.0;
    doc.transact_array[0].releveID1 = 1;
    ui().answerAlert(QStringLiteral("kAlerte_multipleIsLocked"), kAlertFirstButton);
    edit([this](Window& w) {
        const SaisieControls& c = w.controls();
        EXPECT_FALSE(c.pop_compteD->isEnabled() || static_cast<StdTextView*>(c.field_montant)->isEnabled());
        EXPECT_FALSE(c.checkbox_annulee->isEnabled());
        w.windowDidBecomeKey();
        w.windowDidBecomeKey();
        ui().advance(499);
        EXPECT_TRUE(ui().alertsShown().isEmpty());
        ui().advance(1);
        EXPECT_EQ(ui().alertsShown().size(), 1);
        cancel(w);
    });
}

#include "FenEditSaisieMultipleTest.moc"
