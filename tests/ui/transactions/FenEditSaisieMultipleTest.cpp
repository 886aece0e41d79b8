// The multiple edit as a list runs it: what the window shows of the transactions selected, what
// OK gives them and what it leaves, the refusals, the locks, and the list's selection afterwards.
#include "SaisieUiFixture.h"

#include "transactions/FenEditSaisieMultipleController.h"
#include "transactions/SaisieMultipleRoutine.h"
#include "transactions/TextFieldMontantSaisie.h"

#include "engines/SearchEngine.h"
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
    Q_INVOKABLE void REPLACE_TRANSACT(const QVariant& position, const QVariant& keep)
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

class FenEditSaisieMultipleTest : public SaisieUiTest {
protected:
    FenEditSaisieMultipleTest()
    {
        store(7, 22, 50, "A");
        store(7, 22, 30, "B");
        store(7, 23, 120, "");
        doc.transact_array[2].taxeID = 2;
        doc.transact_array[2].taxe = euros(20);
        doc.transact_array[0].importDoublon = true;
    }
    ~FenEditSaisieMultipleTest() override
    {
        if (list)
            list->close();
    }

    void store(long who1, long who2, double amount, const char* ref)
    {
        TRANSACT t;
        t.defaultTransact(&doc);
        t.when = at(10 + long(doc.transact_array.size()), 6, 2024);
        t.who1 = who1;
        t.who2 = who2;
        t.posteID = 1;
        t.solde = euros(amount);
        t.ref = QString::fromLatin1(ref);
        ASSERT_TRUE(makeTransact(t, nullptr, &doc, false, false));
    }
    // The account's list with every row selected; runs the edit on a script.
    int edit(std::function<void(FenEditSaisieMultipleController&)> user)
    {
        list = StdWindowController::push<MultiListWindow>(nullptr, 0, true);
        list->getArg().debitID = 7;
        list->doc = &doc;
        list->search();
        list->table1()->reloadData();
        IndexSet rows;
        for (int row = 0; row < list->table1()->numberOfRows(); ++row)
            rows.insert(row);
        if (user)
            ui().onModal<FenEditSaisieMultipleController>(std::move(user));
        return openSaisieMultiple(list, list->listing, rows, doc);
    }
    QString described() const
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
                         .arg(t.annulation ? QStringLiteral(" annulée") : QString())
                         .arg(t.importDoublon ? QStringLiteral(" doublon") : QString());
        return lines.join(QStringLiteral(" | "));
    }

    QPointer<MultiListWindow> list;
};

const QString kBefore
    = QStringLiteral("10 50 7>22 p1 'A' t-1/0 doublon | 11 30 7>22 p1 'B' t-1/0 | 12 120 7>23 p1 '' t2/20");

} // namespace

TEST_F(FenEditSaisieMultipleTest, SharedValuesShowAndTheRestIsKept)
{
    const int status = edit([](FenEditSaisieMultipleController& w) {
        const std::pair<const char*, QString> shown[] = {
            {"field_moyen", QStringLiteral("Modification de plusieurs opérations")},
            {"field_jour1", QStringLiteral("-")},
            {"field_montant", QStringLiteral("-")},
            {"view_compteD", QStringLiteral("Compte courant")},
            {"view_compteC", QStringLiteral("-")},
            {"view_poste", QStringLiteral("Alimentation")},
            {"field_reference", QStringLiteral("-")},
            {"field_information", QString()},
            {"field_taxe", QStringLiteral("-")},
            {"field_quote1", QStringLiteral("-")},
        };
        for (const auto& [field, text] : shown)
            EXPECT_EQ(WindowDriver(w).text(QString::fromLatin1(field)), text) << field;
        const SaisieControls& c = w.controls();
        EXPECT_TRUE(c.pop_macro->isHidden());
        EXPECT_FALSE(c.pop_moyen->isEnabled());
        EXPECT_FALSE(c.checkbox_groupee->isEnabled());
        EXPECT_FALSE(c.pop_taxe->isEnabled());
        EXPECT_FALSE(static_cast<StdTextView*>(c.field_jour1)->isEnabled());
        EXPECT_EQ(w.firstSelectedObject(), c.field_montant);
        grab(w, "saisie_multiple.png").save(QStringLiteral("/tmp/saisie_multiple.png"));
        choose(w, "pop_poste", 4);
        ok(w);
    });
    EXPECT_EQ(status, kSaisieOK);
    EXPECT_EQ(described(), QString(kBefore).replace(QStringLiteral("p1"), QStringLiteral("p4")));
    // One batch: each transaction replaced, the windows told once after the last.
    EXPECT_EQ(list->replaced, 3);
    EXPECT_EQ(list->changes, 1);
    EXPECT_EQ(list->table1()->selectedRowIndexes(), (IndexSet {0, 1, 2}));
}

TEST_F(FenEditSaisieMultipleTest, WhatEachChoiceChangesAndWhatItLeaves)
{
    struct Case {
        const char* what;
        std::function<void(FenEditSaisieMultipleController&)> user;
        QString after;
    };
    const Case cases[] = {
        {"cancel",
         [](FenEditSaisieMultipleController& w) {
             type(w, "field_montant", QStringLiteral("99"));
             cancel(w);
         },
         kBefore},
        // Typed over the "-": not a minus sign. The taxed one has its tax worked out again.
        {"amount",
         [](FenEditSaisieMultipleController& w) {
             QTest::keyClicks(w.controls().field_montant, QStringLiteral("60"));
             ok(w);
         },
         "10 60 7>22 p1 'A' t-1/0 doublon | 11 60 7>22 p1 'B' t-1/0 | 12 60 7>23 p1 '' t2/10"},
        {"reference typed, OK at once",
         [](FenEditSaisieMultipleController& w) {
             QTest::keyClicks(w.controls().field_reference, QStringLiteral("Z"));
             ok(w);
         },
         "10 50 7>22 p1 'Z' t-1/0 doublon | 11 30 7>22 p1 'Z' t-1/0 | 12 120 7>23 p1 'Z' t2/20"},
        {"credit account",
         [](FenEditSaisieMultipleController& w) {
             choose(w, "pop_compteC", 24);
             ok(w);
         },
         "10 50 7>24 p1 'A' t-1/0 doublon | 11 30 7>24 p1 'B' t-1/0 | 12 120 7>24 p1 '' t2/20"},
        {"date from the calendar",
         [this](FenEditSaisieMultipleController& w) {
             ui().onModal<FenCalendrierController2>([](FenCalendrierController2& calendar) {
                 calendar.GO(at(3, 6, 2024));
                 calendar.perform(QStringLiteral("OUI:"));
             });
             w.perform(QStringLiteral("CALENDRIER1:"));
             EXPECT_EQ(text(w, "field_jour1"), QStringLiteral("3"));
             ok(w);
         },
         "3 50 7>22 p1 'A' t-1/0 doublon | 3 30 7>22 p1 'B' t-1/0 | 3 120 7>23 p1 '' t2/20"},
        {"not a duplicate",
         [](FenEditSaisieMultipleController& w) {
             QCheckBox* box = w.controls().checkbox_doublon;
             EXPECT_EQ(box->checkState(), Qt::PartiallyChecked);
             box->click();
             EXPECT_EQ(box->checkState(), Qt::Checked);
             ok(w);
         },
         "10 50 7>22 p1 'A' t-1/0 | 11 30 7>22 p1 'B' t-1/0 | 12 120 7>23 p1 '' t2/20"},
        // No question, and every transaction in full: no amount, no tax.
        {"cancelled box",
         [](FenEditSaisieMultipleController& w) {
             w.controls().checkbox_annulee->click();
             ok(w);
         },
         "10 0 7>22 p1 'A' t-1/0 annulée doublon | 11 0 7>22 p1 'B' t-1/0 annulée | 12 0 7>23 p1 '' t-1/20 annulée"},
    };
    const TransactList original = doc.transact_array;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        doc.transact_array = original;
        edit(c.user);
        EXPECT_EQ(described().toStdString(), c.after.toStdString());
        list->close();
    }
}

TEST_F(FenEditSaisieMultipleTest, SelectionsThatCannotBeEditedTogetherAreRefused)
{
    const std::pair<std::function<void(TRANSACT&)>, const char*> cases[] = {
        {[this](TRANSACT& t) {
             t.multis = {MULTI(1, euros(20), {}), MULTI(4, euros(10), {})};
         },
         "kAlerte_multipleHasGroupee"},
        {[](TRANSACT& t) { t.titreID = 1; }, "kAlerte_multipleHasPlacement"},
    };
    const TransactList original = doc.transact_array;
    for (const auto& [spoil, key] : cases) {
        doc.transact_array = original;
        spoil(doc.transact_array[1]);
        ui().answerAlert(QString::fromLatin1(key), kAlertFirstButton);
        EXPECT_EQ(edit(nullptr), kSaisieCancel);
        list->close();
    }
    EXPECT_TRUE(ui().modalRuns().isEmpty());
}

TEST_F(FenEditSaisieMultipleTest, LockedFieldsAreToldHalfASecondAfterOpening)
{
    RELEVE releve;
    releve.ident = 1;
    releve.date = today() - 20 * 86400.0;
    const double lockDate = today() - 5 * 86400.0;
    struct Case {
        std::function<void()> spoil;
        bool comptes, montant, annulee;
    };
    const Case cases[] = {
        {[this] { std::swap(doc.transact_array[1].who1, doc.transact_array[1].who2); }, true, true, true},
        {[&] {
             getTool(kToolCompte, 7, &doc)->releves = {releve};
             getTool(kToolCompte, 7, &doc)->locked_releve_to_date = lockDate;
             doc.transact_array[0].releveID1 = 1;
         },
         true, true, false},
    };
    const TransactList original = doc.transact_array;
    for (const Case& c : cases) {
        doc.transact_array = original;
        c.spoil();
        const QString spoiled = described();
        const qsizetype alerts = ui().alertsShown().size();
        ui().answerAlert(QStringLiteral("kAlerte_multipleIsLocked"), kAlertFirstButton);
        edit([&](FenEditSaisieMultipleController& w) {
            const SaisieControls& controls = w.controls();
            EXPECT_EQ(!controls.pop_compteD->isEnabled(), c.comptes);
            EXPECT_EQ(!static_cast<StdTextView*>(controls.field_montant)->isEnabled(), c.montant);
            EXPECT_EQ(controls.checkbox_annulee->isEnabled(), c.annulee);
            w.controls().tabView->setCurrentIndex(kTabFiscalite);
            grab(w, "saisie_multiple_locked.png").save(QStringLiteral("/tmp/saisie_multiple_locked.png"));
            w.windowDidBecomeKey();
            w.windowDidBecomeKey();
            ui().advance(499);
            EXPECT_EQ(ui().alertsShown().size(), alerts);
            ui().advance(1);
            EXPECT_EQ(ui().alertsShown().size(), alerts + 1);
            cancel(w);
        });
        EXPECT_EQ(described(), spoiled);
        list->close();
    }
}

#include "FenEditSaisieMultipleTest.moc"
