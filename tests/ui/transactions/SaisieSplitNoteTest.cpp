// The split tab's line editor and drawn buttons, the note panel and the attached files of the
// entry window; removed stored files reach the document only when the entry is accepted.
#include "SaisieUiFixture.h"

#include "transactions/CellDetail.h"
#include "transactions/DrawerDetail.h"
#include "transactions/SaisieNotePanel.h"
#include "transactions/TextFieldNote.h"
#include "transactions/ViewSaisieNote.h"

#include "toolkit/dialogs/FenAskStringController.h"
#include "toolkit/fields/TextFieldJour.h"
#include "toolkit/popups/PopMacro.h"
#include "toolkit/tables/StdTableView.h"

#include "model/MACRO.h"
#include "model/TransactOps.h"
#include "uisupport/WindowDriver.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTest>

using namespace saisieui;

namespace {

class SaisieSplitNoteTest : public SaisieUiTest {
protected:
    // A stored expense of 90 with a note and the stored file "facture.pdf" (stored as "12.pdf").
    void storeWithFile()
    {
        TRANSACT stored;
        stored.defaultTransact(&doc);
        stored.who1 = 7;
        stored.who2 = 22;
        stored.moyen = 7;
        stored.solde = euros(90);
        stored.note = QStringLiteral("Garantie deux ans");
        stored.attachedDocuments
            = {AttachedDocument {QStringLiteral("facture.pdf"), QStringLiteral("12.pdf"), QString()}};
        ASSERT_TRUE(makeTransact(stored, nullptr, &doc, false, false));
    }
    static void tagged(FenEditSaisieController& w, const char* action, long row)
    {
        QAction sender;
        sender.setData(qlonglong(row));
        w.perform(QString::fromLatin1(action), &sender);
    }
    QStringList& queued() { return doc.storedDocToDeleteArray; }
    // A click where the row's drawn button is.
    static void clickRowButton(StdTableView* table, int row, const QRect& inRow)
    {
        const QRect rowRect = table->visualRect(table->model()->index(row, 0));
        const QPoint point = inRow.translated(rowRect.topLeft()).center();
        QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::NoModifier, point);
    }
};

} // namespace

TEST_F(SaisieSplitNoteTest, LinesGiveTheirAmountBackToTheReferenceLine)
{
    enter(newOf(7), [this](FenEditSaisieController& w) {
        choose(w, "pop_compteC", 22);
        type(w, "field_montant", QStringLiteral("100"));
        w.controls().checkbox_groupee->click();
        choose(w, "pop_poste_detail", 4);
        type(w, "field_montant_detail", QStringLiteral("30"));
        w.perform(QStringLiteral("ADD_DETAIL:"));
        ASSERT_EQ(w.rec().nbMultis(), 2);
        EXPECT_DOUBLE_EQ(w.rec().multis[0].montant.values[0], 70);

        // A line changed beyond what is left asks; Cancel leaves it.
        ui().answerAlert(QStringLiteral("kConfirm_SuppMontantReference"), kAlertSecondButton);
        w.controls().table1->GO(1);
        type(w, "field_montant_detail", QStringLiteral("120"));
        w.perform(QStringLiteral("MODIFIER_DETAIL:"));
        EXPECT_DOUBLE_EQ(w.rec().multis[1].montant.values[0], 30);

        // A null amount beeps and changes nothing.
        const int beeps = ui().desktopRequests().beeps;
        type(w, "field_montant_detail", QStringLiteral("0"));
        w.perform(QStringLiteral("ADD_DETAIL:"));
        EXPECT_EQ(ui().desktopRequests().beeps, beeps + 1);
        EXPECT_EQ(w.rec().nbMultis(), 2);

        // The selected row's drawn delete button.
        w.windowIfLoaded()->show();
        StdTableView* table = w.controls().table1;
        table->GO(1);
        CellDetail cell;
        const QSize rowSize = table->visualRect(table->model()->index(1, 0)).size();
        clickRowButton(table, 1, cell.supprimerRectInRow(rowSize));
        ASSERT_EQ(w.rec().nbMultis(), 1);
        EXPECT_DOUBLE_EQ(w.rec().multis[0].montant.values[0], 100);
        EXPECT_EQ(text(w, "total_groupee_montant"), QStringLiteral("100,00"));

        // The split box off asks; Cancel keeps the lines.
        ui().answerAlert(QStringLiteral("kConfirm_DeleteDetail"), kAlertSecondButton);
        w.controls().checkbox_groupee->click();
        EXPECT_TRUE(w.controls().checkbox_groupee->isChecked());
        EXPECT_EQ(w.rec().nbMultis(), 1);
        ui().answerAlert(QStringLiteral("kConfirm_DeleteDetail"), kAlertFirstButton);
        w.controls().checkbox_groupee->click();
        EXPECT_EQ(w.rec().nbMultis(), 0);
        EXPECT_TRUE(static_cast<StdTextView*>(w.controls().field_montant)->isEnabled());
        EXPECT_EQ(text(w, "field_montant"), QStringLiteral("100,00"));
        cancel(w);
    });
}

namespace {

// A line added or changed from the drawer (its action's button), or deleted with its row's button.
struct DrawerStep {
    const char* action; // "ADD_DETAIL:", "MODIFIER_DETAIL:" or "SUPPRIMER_DETAIL:"
    int row; // selected first; -1 none
    long poste;
    const char* amount;
};

struct SplitAmounts {
    const char* name;
    long devise; // chosen beside the amount before it is typed
    const char* amount;
    std::vector<DrawerStep> steps;
    QStringList shown; // each line's amount in the table
    QString total; // the footer
};

} // namespace

TEST_F(SaisieSplitNoteTest, TheLinesAddUpToTheAmountInEverySlotAsSaved)
{
    doc.deviseHdl[1] = Devise {QStringLiteral("Franc"), QStringLiteral("F"), true, 0.152449, 0, 2, QString(), 0};
    doc.deviseHdl[2] = Devise {QStringLiteral("Dollar"), QStringLiteral("$"), true, 0.912345, 0, 2, QString(), 0};
    doc.deviseHdl[3] = Devise {QStringLiteral("Yen"), QStringLiteral("¥"), true, 0.006123, 0, 0, QString(), 0};
    const char* add = "ADD_DETAIL:";
    const std::vector<SplitAmounts> cases = {
        {"thousandths typed",
         0,
         "10",
         {{add, -1, 4, "3,335"}, {add, -1, 8, "2,675"}},
         {"4,00", "3,33", "2,67"},
         "10,00"},
        {"yen", 3, "1000", {{add, -1, 4, "333"}, {add, -1, 8, "334"}}, {"333", "333", "334"}, "1 000"},
        {"a deleted line given back",
         0,
         "10",
         {{add, -1, 4, "3,335"}, {add, -1, 8, "2,675"}, {"SUPPRIMER_DETAIL:", 2, -1, ""}},
         {"6,67", "3,33"},
         "10,00"},
        {"a line changed",
         3,
         "1000",
         {{add, -1, 4, "333"}, {add, -1, 8, "334"}, {"MODIFIER_DETAIL:", 2, 8, "333"}},
         {"334", "333", "333"},
         "1 000"},
    };
    for (const SplitAmounts& c : cases) {
        SCOPED_TRACE(c.name);
        doc.transact_array.clear();
        TRANSACT held;
        enter(newOf(7), [&](FenEditSaisieController& w) {
            choose(w, "pop_compteC", 22);
            choose(w, "pop_devise", c.devise);
            type(w, "field_montant", QString::fromUtf8(c.amount));
            w.controls().checkbox_groupee->click();
            w.windowIfLoaded()->show();
            StdTableView* table = w.controls().table1;
            for (const DrawerStep& step : c.steps) {
                if (step.row >= 0)
                    table->GO(step.row);
                if (QLatin1String(step.action) == QLatin1String("SUPPRIMER_DETAIL:")) {
                    CellDetail cell;
                    const QSize rowSize = table->visualRect(table->model()->index(step.row, 0)).size();
                    clickRowButton(table, step.row, cell.supprimerRectInRow(rowSize));
                    continue;
                }
                choose(w, "pop_poste_detail", step.poste);
                type(w, "field_montant_detail", QString::fromUtf8(step.amount));
                WindowDriver(w).click(QString::fromLatin1(step.action));
            }
            QStringList shown;
            for (int row = 0; row < w.rec().nbMultis(); ++row)
                shown << static_cast<CellDetail*>(w.viewForTableColumn1(table, row))->getMontant()->text();
            EXPECT_EQ(shown, c.shown);
            EXPECT_EQ(text(w, "total_groupee_montant"), c.total);
            EXPECT_EQ(FenEditSaisieController::montantOf(w.controls().field_montant), w.rec().solde);
            held = w.rec();
            ok(w);
        });
        ASSERT_EQ(doc.transact_array.size(), 1);
        const TRANSACT& saved = doc.transact_array[0];
        EXPECT_EQ(saved.solde, held.solde) << "what the window held is what is stored";
        EXPECT_EQ(saved.multis, held.multis);
        for (long slot = 0; slot < 4; ++slot) {
            SCOPED_TRACE(slot);
            const long decimales = doc.deviseHdl[slot].decimale;
            double sum = 0;
            for (const MULTI& line : saved.multis) {
                // Every slot of a line follows the one typed, so equal lines are equal.
                const double typed = line.montant.values[size_t(c.devise)];
                EXPECT_EQ(line.montant.values[size_t(slot)],
                          storedMontantValue(MONTANT::convertMontant(typed, c.devise, slot, doc.deviseHdl), decimales));
                sum += line.montant.values[size_t(slot)];
            }
            EXPECT_EQ(saved.solde.values[size_t(slot)], storedMontantValue(sum, decimales));
        }
    }
}

// A line typed after the transaction changed currency is read in the currency shown.
TEST_F(SaisieSplitNoteTest, ALineIsReadInTheCurrencyShown)
{
    doc.deviseHdl[1] = Devise {QStringLiteral("Franc"), QStringLiteral("F"), true, 0.152449, 0, 2, QString(), 0};
    enter(newOf(7), [&](FenEditSaisieController& w) {
        choose(w, "pop_compteC", 22);
        type(w, "field_montant", QStringLiteral("100"));
        w.controls().checkbox_groupee->click();
        choose(w, "pop_devise", 1);
        choose(w, "pop_poste_detail", 4);
        type(w, "field_montant_detail", QStringLiteral("5"));
        WindowDriver(w).click(QStringLiteral("ADD_DETAIL:"));
        ASSERT_EQ(w.rec().nbMultis(), 2);
        EXPECT_DOUBLE_EQ(w.rec().multis[1].montant.values[1], 5.0);
        cancel(w);
    });
}

TEST_F(SaisieSplitNoteTest, ALinesNoteIsAskedAndShownAsItsToolTip)
{
    enter(newOf(7), [this](FenEditSaisieController& w) {
        type(w, "field_montant", QStringLiteral("10"));
        w.controls().checkbox_groupee->click();
        ui().onModal<FenAskStringController>([](FenAskStringController& ask) {
            auto* field = ask.outlet<QLineEdit>(QStringLiteral("field_texte"));
            ASSERT_NE(field, nullptr);
            field->setText(QStringLiteral("pour Léa"));
            ask.perform(QStringLiteral("OUI:"));
        });
        tagged(w, "MULTI_NOTE:", 0);
        EXPECT_EQ(w.rec().multis[0].multiNote, QStringLiteral("pour Léa"));
        CellDetail* cell = static_cast<CellDetail*>(w.viewForTableColumn1(w.controls().table1, 0));
        ASSERT_NE(cell, nullptr);
        EXPECT_EQ(cell->getButtonMultiNote()->toolTip(), QStringLiteral("pour Léa"));
        // Lines a file brought are kept from the first key typed.
        w.rec().multis[0].multiNote = QStringLiteral("pour Léa\nà rendre");
        ui().onModal<FenAskStringController>([](FenAskStringController& ask) {
            QTest::keyClicks(ask.outlet<QLineEdit>(QStringLiteral("field_texte")), QStringLiteral("!"));
            ask.perform(QStringLiteral("OUI:"));
        });
        tagged(w, "MULTI_NOTE:", 0);
        EXPECT_EQ(w.rec().multis[0].multiNote, QStringLiteral("pour Léa\nà rendre!"));
        cancel(w);
    });
}

TEST_F(SaisieSplitNoteTest, ALockedSplitTransactionOffersNoChange)
{
    RELEVE releve;
    releve.ident = 1;
    releve.date = today() - 20 * 86400.0;
    getTool(kToolCompte, 7, &doc)->releves = {releve};
    getTool(kToolCompte, 7, &doc)->locked_releve_to_date = today();
    TRANSACT stored;
    stored.defaultTransact(&doc);
    stored.who1 = 7;
    stored.who2 = 22;
    stored.releveID1 = 1;
    stored.when = today() - 25 * 86400.0;
    stored.addMultiWithPosteID(1, euros(5), QString());
    stored.addMultiWithPosteID(4, euros(6), QString());
    stored.solde = euros(11);
    ASSERT_TRUE(makeTransact(stored, nullptr, &doc, false, false));
    enter(editOf(0), [](FenEditSaisieController& w) {
        EXPECT_EQ(w.controls().tabView->currentIndex(), kTabGroupage);
        EXPECT_FALSE(w.split().drawer().getPopPoste()->isEnabled());
        w.controls().table1->GO(0);
        auto* cell = static_cast<CellDetail*>(w.viewForTableColumn1(w.controls().table1, 0));
        ASSERT_NE(cell, nullptr);
        EXPECT_TRUE(cell->getButtonSupprimer()->isHidden());
        tagged(w, "SUPPRIMER_DETAIL:", 0);
        EXPECT_EQ(w.rec().nbMultis(), 2);
        cancel(w);
    });
}

TEST_F(SaisieSplitNoteTest, TheNotePanelOpensWithANoteAndItsKeys)
{
    storeWithFile();
    enter(editOf(0), [](FenEditSaisieController& w) {
        ASSERT_TRUE(w.note().isShown()) << "the transaction has a note";
        ViewSaisieNote* panel = w.note().controller()->view();
        const int made = panel->height();
        TextFieldNote* field = panel->field_texte();
        EXPECT_EQ(field->toPlainText(), QStringLiteral("Garantie deux ans"));
        field->moveCursor(QTextCursor::End);
        QTest::keyClick(field, Qt::Key_Return, Qt::AltModifier);
        QTest::keyClicks(field, QStringLiteral("puis extension"));
        for (int line = 0; line < 6; ++line) {
            QTest::keyClick(field, Qt::Key_Return, Qt::AltModifier);
            QTest::keyClicks(field, QStringLiteral("ligne"));
        }
        EXPECT_GT(panel->height(), made) << "a long note makes the panel taller";
        QTest::keyClick(field, Qt::Key_Return);
        EXPECT_FALSE(w.note().isShown()) << "Return alone closes it";
        EXPECT_TRUE(w.rec().note.startsWith(QStringLiteral("Garantie deux ans\npuis extension\nligne")));
        w.perform(QStringLiteral("NOTE:"));
        ASSERT_TRUE(w.note().isShown());
        EXPECT_GE(w.note().controller()->view()->height(), ViewSaisieNoteController::kHeight);
        w.clearNote();
        EXPECT_FALSE(w.note().isShown());
        EXPECT_TRUE(w.rec().note.isEmpty());
        ok(w);
    });
    EXPECT_TRUE(doc.transact_array[0].note.isEmpty());
    enter(newOf(7), [](FenEditSaisieController& w) {
        EXPECT_FALSE(w.note().isShown()) << "no note, no panel";
        cancel(w);
    });
}

// However the panel opens (with the window, or with the note button once it shows) it stops 50 in
// and 5 above the tab's bottom, whole, and keeps that place as the window grows. Only a note the
// user opens takes the keyboard, with the caret at its end: a key typed never replaces it.
TEST_F(SaisieSplitNoteTest, AStoredNoteOpensInPlaceAndNoKeyReplacesIt)
{
    const QString notes[]
        = {QStringLiteral("Diner avec Paul"), QStringLiteral("Diner avec Paul\npourboire inclus\nà rembourser")};
    for (const QString& note : notes) {
        SCOPED_TRACE(note.toStdString());
        doc.transact_array.clear();
        ASSERT_TRUE(makeTransact(withNote(note), nullptr, &doc, false, false));
        enter(editOf(0), [&note](FenEditSaisieController& w) {
            StdWindow* window = w.window();
            showActive(w);
            const QWidget* box = w.controls().boxGeneral;
            const auto expectInPlace = [&w, box](const char* when) {
                ASSERT_TRUE(w.note().isShown()) << when;
                const QRect panel = w.note().controller()->view()->geometry();
                EXPECT_EQ(panel.topLeft(), QPoint(50, box->height() - 5 - panel.height()))
                    << when << ", the panel " << panel.width() << "x" << panel.height() << " in a tab of "
                    << box->height();
                EXPECT_TRUE(box->rect().contains(panel)) << when;
            };
            expectInPlace("opened with the window");
            EXPECT_EQ(QApplication::focusWidget(), static_cast<QWidget*>(w.controls().field_jour1))
                << "the window's first field";
            QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("9"));
            window->resize(window->width(), window->height() + 60);
            QCoreApplication::processEvents();
            expectInPlace("in a taller window");

            w.perform(QStringLiteral("NOTE:"));
            EXPECT_FALSE(w.note().isShown());
            w.perform(QStringLiteral("NOTE:"));
            expectInPlace("opened with the note button");
            TextFieldNote* field = w.note().controller()->view()->field_texte();
            EXPECT_EQ(QApplication::focusWidget(), static_cast<QWidget*>(field)) << "the note opened by the user";
            EXPECT_FALSE(field->textCursor().hasSelection());
            QTest::keyClicks(field, QStringLiteral("Z"));
            ok(w);
        });
        ASSERT_EQ(doc.transact_array.size(), 1U);
        EXPECT_EQ(doc.transact_array[0].note, note + u'Z');
    }
}

// The fields the panel covers, whatever the window's first field: Tab and Backtab pass them by,
// and they are back in the keyboard's path once the panel hides.
TEST_F(SaisieSplitNoteTest, NoKeyReachesAFieldUnderTheNote)
{
    ASSERT_TRUE(makeTransact(withNote(QStringLiteral("Diner avec Paul")), nullptr, &doc, false, false));
    const long posteID = doc.transact_array[0].posteID;
    for (const int firstField : {0, 2}) { // the day, the category
        SCOPED_TRACE(firstField);
        APPLIPARAM::loadAppliParam().optionSaisieRubrique = firstField;
        enter(editOf(0), [firstField](FenEditSaisieController& w) {
            StdWindow* window = w.window();
            showActive(w);
            ASSERT_TRUE(w.note().isShown());
            const QWidget* box = w.controls().boxGeneral;
            const QRect panel = w.note().controller()->view()->geometry();
            const auto inNote = [](const QWidget* field) {
                for (; field; field = field->parentWidget()) {
                    if (qobject_cast<const ViewSaisieNote*>(field))
                        return true;
                }
                return false;
            };
            const auto underPanel = [box, panel, inNote](const QWidget* field) {
                return field && box->isAncestorOf(field) && !inNote(field)
                    && QRect(field->mapTo(box, QPoint(0, 0)), field->size()).intersects(panel);
            };
            ASSERT_TRUE(underPanel(w.controls().view_poste)) << "the category's row is under the panel";
            WindowDriver(window).grab(QStringLiteral("saisie-note-covers-%1.png").arg(firstField));
            if (firstField == 2) {
                // Given by the program, the keyboard stays where it is given; Tab, which types
                // nothing, passes on and leaves the note in place.
                w.controls().view_poste->setFocus(Qt::OtherFocusReason); // as a refill gives it
                EXPECT_EQ(QApplication::focusWidget(), static_cast<QWidget*>(w.controls().view_poste));
                QTest::keyClick(w.controls().view_poste, Qt::Key_Tab);
                EXPECT_TRUE(w.note().isShown());
                w.controls().field_jour1->setFocus(Qt::OtherFocusReason);
            }
            EXPECT_FALSE(underPanel(QApplication::focusWidget()));
            const QString category = w.controls().view_poste->toPlainText();
            QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Lo"));
            // Both ways round, up to the note itself (where Tab closes the note).
            for (const Qt::Key key : {Qt::Key_Tab, Qt::Key_Backtab}) {
                // Leaving the note closes it: shown again as the window opens with it.
                w.controls().field_jour1->setFocus(Qt::OtherFocusReason);
                if (!w.note().isShown())
                    w.note().showNote({});
                for (int i = 0; i < 30 && !inNote(QApplication::focusWidget()); ++i) {
                    QTest::keyClick(QApplication::focusWidget(), key);
                    ASSERT_FALSE(underPanel(QApplication::focusWidget())) << key << " " << i;
                }
            }
            w.perform(QStringLiteral("NOTE:"));
            EXPECT_EQ(w.controls().view_poste->toPlainText(), category);
            bool reached = false;
            for (int i = 0; i < 30 && !reached; ++i) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                reached = QApplication::focusWidget() == w.controls().view_poste;
            }
            EXPECT_TRUE(reached) << "the category is back in the keyboard's path";
            ok(w);
        });
        EXPECT_EQ(doc.transact_array[0].posteID, posteID);
    }
}

// What is typed goes where the user put the caret, and the date takes nothing meant elsewhere. A
// click on a field the note only touches, or on the part of a covered one that shows, gives it
// the keyboard and sends the note away; a click on the note button gives the note the keyboard at
// once, while it slides in.
TEST_F(SaisieSplitNoteTest, KeysGoWhereTheUserPutTheCaret)
{
    const double may31 = at(31, 5, 2024);
    struct Click {
        const char* note;
        int firstField; // 4 the reference, 0 the day
        const char* field;
        const char* typed;
        const char* ref;
        const char* why;
    };
    const Click clicks[] = {
        {"Un\nDeux\nTrois\nQuatre", 4, "field_reference", "12", "12", "Diner"}, // the note touches it
        {"Diner avec Paul", 0, "field_information", "Q2", "", "Q2"}, // the note covers its start
    };
    for (const Click& c : clicks) {
        SCOPED_TRACE(c.field);
        doc.transact_array.clear();
        TRANSACT stored = withNote(QString::fromUtf8(c.note));
        stored.when = may31;
        stored.why = QStringLiteral("Diner");
        ASSERT_TRUE(makeTransact(stored, nullptr, &doc, false, false));
        APPLIPARAM::loadAppliParam().optionSaisieRubrique = c.firstField;
        enter(editOf(0), [&](FenEditSaisieController& w) {
            showActive(w);
            ASSERT_TRUE(w.note().isShown());
            auto* field = w.outlet<QWidget>(QString::fromLatin1(c.field));
            const QWidget* box = w.controls().boxGeneral;
            const QRect panel = w.note().controller()->view()->geometry();
            ASSERT_TRUE(QRect(field->mapTo(box, QPoint(0, 0)), field->size()).intersects(panel));
            if (c.firstField == 4) {
                EXPECT_EQ(QApplication::focusWidget(), field) << "a field whose text reads is the first one";
            }
            const QPoint showing(field->width() - 6, field->height() / 2);
            ASSERT_FALSE(panel.contains(field->mapTo(box, showing)));
            clickOn(field, showing);
            EXPECT_EQ(QApplication::focusWidget(), field);
            EXPECT_FALSE(w.note().isShown()) << "the note makes way for what is typed";
            QTest::keyClicks(QApplication::focusWidget(), QString::fromLatin1(c.typed));
            ok(w);
        });
        ASSERT_EQ(doc.transact_array.size(), 1U);
        const TRANSACT& saved = doc.transact_array[0];
        EXPECT_TRUE(sameDay(saved.when, may31)) << dateDay(saved.when);
        EXPECT_EQ(saved.ref, QString::fromLatin1(c.ref));
        EXPECT_EQ(saved.why, QString::fromLatin1(c.why));
        EXPECT_EQ(saved.note, QString::fromUtf8(c.note));
    }

    // The note opened from the first field (the category), or right after a click on the label.
    APPLIPARAM::loadAppliParam().optionSaisieRubrique = 2;
    for (const char* from : {"view_poste", "field_information"}) {
        SCOPED_TRACE(from);
        doc.transact_array.clear();
        ui().animations().setSpeed(1.0); // the slide lasts until finishAll
        enter(newOf(11), [&](FenEditSaisieController& w) {
            showActive(w);
            choose(w, "pop_compteC", 22);
            type(w, "field_montant", QStringLiteral("25"));
            auto* start = w.outlet<QWidget>(QString::fromLatin1(from));
            start->setFocus(Qt::OtherFocusReason);
            clickOn(start, QPoint(start->width() / 2, start->height() / 2));
            ASSERT_EQ(QApplication::focusWidget(), start);
            QWidget* button = w.controls().button_note;
            clickOn(button, button->rect().center());
            QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("12ab 25 euros"));
            ui().animations().finishAll();
            ui().animations().setSpeed(0);
            ok(w);
        });
        ASSERT_EQ(doc.transact_array.size(), 1U);
        EXPECT_TRUE(sameDay(doc.transact_array[0].when, today())) << dateDay(doc.transact_array[0].when);
        EXPECT_EQ(doc.transact_array[0].note, QStringLiteral("12ab 25 euros"));
    }
}

TEST_F(SaisieSplitNoteTest, TheNotesHeightNeverGoesBelowItsMadeHeight)
{
    EXPECT_DOUBLE_EQ(ViewSaisieNoteController::noteHeight(86, 40, 10), 86);
    EXPECT_DOUBLE_EQ(ViewSaisieNoteController::noteHeight(86, 40, 37), 86);
    EXPECT_DOUBLE_EQ(ViewSaisieNoteController::noteHeight(86, 40, 77), 126);
}

TEST_F(SaisieSplitNoteTest, ARemovedStoredFileIsQueuedOnlyWhenTheEntryIsAccepted)
{
    storeWithFile();
    ui().answerAlert(QStringLiteral("kConfirm_SuppAttachedDocument"), kAlertSecondButton);
    enter(editOf(0), [](FenEditSaisieController& w) {
        tagged(w, "SUPPRIMER_DOCUMENT:", 0);
        EXPECT_EQ(w.rec().nbAttachedDocuments(), 0);
        cancel(w);
    });
    EXPECT_TRUE(queued().isEmpty()) << "Cancel loses nothing";
    EXPECT_EQ(doc.transact_array[0].nbAttachedDocuments(), 1);

    // A file removed before a macro refills the window is not forgotten.
    ui().answerAlert(QStringLiteral("kConfirm_SuppAttachedDocument"), kAlertSecondButton);
    ui().answerAlert(QStringLiteral("kConfirm_ChangeTrans"), kAlertFirstButton);
    enter(editOf(0), [](FenEditSaisieController& w) {
        tagged(w, "SUPPRIMER_DOCUMENT:", 0);
        EXPECT_TRUE(w.MACRO_FROM_KEY_NUM(QVariant(int(u'p'))));
        EXPECT_EQ(w.rec().why, QStringLiteral("Baguette"));
        ok(w);
    });
    EXPECT_EQ(queued(), QStringList({"12.pdf"}));
}

TEST_F(SaisieSplitNoteTest, AMacroDroppingAStoredFileQueuesIt)
{
    storeWithFile();
    ui().answerAlert(QStringLiteral("kConfirm_ChangeTrans"), kAlertFirstButton);
    enter(editOf(0), [](FenEditSaisieController& w) {
        w.controls().pop_macro->rebuild();
        ASSERT_TRUE(w.controls().pop_macro->activateTag(0));
        EXPECT_EQ(w.rec().nbAttachedDocuments(), 0);
        EXPECT_EQ(w.pickers().compteDID, 30);
        ok(w);
    });
    EXPECT_EQ(queued(), QStringList({"12.pdf"}));
}

TEST_F(SaisieSplitNoteTest, AFileChosenIsAttachedAndOpensWithItsApplication)
{
    ui().answerOpenPanel(QStringLiteral("/tmp/Ticket  de   caisse.pdf"));
    ui().answerAlert(QStringLiteral("kConfirm_SuppAttachedDocument"), kAlertSecondButton);
    enter(newOf(7), [this](FenEditSaisieController& w) {
        choose(w, "pop_compteC", 22);
        type(w, "field_montant", QStringLiteral("8"));
        EXPECT_FALSE(w.controls().fieldNoDocument->isHidden());
        w.perform(QStringLiteral("ADD_DOCUMENT:"));
        ASSERT_EQ(w.rec().nbAttachedDocuments(), 1);
        EXPECT_EQ(w.rec().attachedDocuments[0].docVisibleName, QStringLiteral("Ticket de caisse.pdf"));
        EXPECT_EQ(w.controls().tabView->tabText(kTabDocuments), QStringLiteral("Documents (*)"));
        EXPECT_TRUE(w.controls().fieldNoDocument->isHidden());
        w.openDocumentAtRow(0);
        EXPECT_EQ(ui().desktopRequests().openedFiles, QStringList({"/tmp/Ticket  de   caisse.pdf"}));
        w.openDocumentAtRow(3); // nothing
        tagged(w, "SUPPRIMER_DOCUMENT:", 0);
        ok(w);
    });
    EXPECT_TRUE(queued().isEmpty()) << "a file never stored queues nothing";
    EXPECT_EQ(ui().panelsShown().opens.size(), 1);
}
