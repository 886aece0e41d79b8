// The entry window typed into as a user types: every key goes to the field that has the focus at
// that moment, so the day and month fields' advances decide where the next digits land. Whole
// dates in one go, a day the calendar doesn't have, minus signs in the amount fields, and the
// payment means pop-up's items.
#include "SaisieUiFixture.h"

#include "foundation/localized.h"
#include "model/SynonymeFile.h"
#include "toolkit/fields/TextFieldAnnee.h"
#include "toolkit/fields/TextFieldJour.h"
#include "toolkit/fields/TextFieldMois.h"
#include "toolkit/popups/PopMoyen.h"
#include "transactions/TextFieldMontantSaisie.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTest>

using namespace saisieui;

namespace {

// Shows the window active, focuses the field and types the keys, each into the focused field.
void typeFrom(FenEditSaisieController& w, QWidget* field, const QString& keys)
{
    StdWindow* window = w.window();
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    field->setFocus(Qt::TabFocusReason);
    for (const QChar key : keys)
        QTest::keyClick(QApplication::focusWidget(), key.toLatin1());
}

QString dateText(FenEditSaisieController& w)
{
    const SaisieControls& c = w.controls();
    return c.field_jour1->toPlainText() + u'|' + c.field_mois1->toPlainText() + u'|' + c.field_annee1->toPlainText();
}

} // namespace

TEST_F(SaisieUiTest, AWholeDateTypedInOneGoFillsTheThreeFields)
{
    const struct {
        const char* keys;
        const char* shown;
        double stored;
    } cases[] = {
        {"31122026", "31|12|2026", at(31, 12, 2026)},
        {"31/12/2026", "31|12|2026", at(31, 12, 2026)},
        {"1/1/26", "1|1|26", at(1, 1, 2026)},
        {"05.3.2025", "05|3|2025", at(5, 3, 2025)},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.keys);
        doc.transact_array.clear();
        enter(newOf(7), [&](FenEditSaisieController& w) {
            choose(w, "pop_compteC", 22);
            type(w, "field_montant", QStringLiteral("12"));
            typeFrom(w, w.controls().field_jour1, QString::fromLatin1(each.keys));
            EXPECT_EQ(dateText(w), QString::fromLatin1(each.shown));
            ok(w);
        });
        ASSERT_EQ(doc.transact_array.size(), 1);
        EXPECT_EQ(doc.transact_array[0].when, each.stored);
    }
}

TEST_F(SaisieUiTest, ADayTheMonthLacksIsRefusedNamedAndLeftToCorrect)
{
    const QString message
        = localizedDialogue(QStringLiteral("kAlerte_DateInexistante")).arg(QStringLiteral("31/02/2026"));
    ui().answerAlert(message, kAlertFirstButton);
    enter(newOf(7), [&](FenEditSaisieController& w) {
        choose(w, "pop_compteC", 22);
        type(w, "field_montant", QStringLiteral("12"));
        typeFrom(w, w.controls().field_jour1, QStringLiteral("31022026"));
        ok(w);
        EXPECT_EQ(dateText(w), QStringLiteral("31|02|2026")) << "the user's text stays";
        EXPECT_EQ(QApplication::focusWidget(), w.controls().field_jour1);
        grab(w, "saisie-date-inexistante.png");
        QTest::keyClicks(w.controls().field_jour1, QStringLiteral("28"));
        ok(w);
    });
    ASSERT_EQ(doc.transact_array.size(), 1);
    EXPECT_EQ(doc.transact_array[0].when, at(28, 2, 2026));
    EXPECT_EQ(ui().alertsShown().size(), 1);
}

TEST_F(SaisieUiTest, AMinusSignTypedFirstKeepsTheAmountNegative)
{
    enter(newOf(7), [&](FenEditSaisieController& w) {
        choose(w, "pop_compteC", 22);
        TextFieldMontant* field = w.controls().field_montant;
        typeFrom(w, field, QStringLiteral("-3,5"));
        EXPECT_EQ(field->toPlainText(), QStringLiteral("-3,5"));
        MONTANT read;
        field->readMontant(read);
        EXPECT_DOUBLE_EQ(read.values[0], -3.5);
        // Coming back to the field selects it all: the sign typed first replaces it.
        w.controls().field_reference->setFocus(Qt::TabFocusReason);
        typeFrom(w, field, QStringLiteral("-3"));
        ok(w);
    });
    ASSERT_EQ(doc.transact_array.size(), 1);
    EXPECT_DOUBLE_EQ(doc.transact_array[0].solde.values[0], -3);
}

// What OK checks and stores is the amount the field shows, at the precision it is stored with,
// whatever changed the text: the context menu's cut, undo and redo, or digits typed after the
// zeros of "0,00". The tax split follows the amount shown.
TEST_F(SaisieUiTest, TheStoredAmountIsTheOneShownWhateverChangedIt)
{
    using Edit = std::function<void(FenEditSaisieController&, TextFieldMontant*)>;
    const auto fromMenu = [](QPlainTextEdit* field, const char* action) {
        const std::unique_ptr<QMenu> menu(field->createStandardContextMenu());
        menu->findChild<QAction*>(QString::fromLatin1(action))->trigger();
    };
    struct Row {
        const char* name;
        Edit edit;
        double solde; // zero: the zero question is asked, and answered OK
        double taxe;
    };
    const Row rows[] = {
        {"cut",
         [&](FenEditSaisieController& w, TextFieldMontant* f) {
             type(w, "field_montant", QStringLiteral("55"));
             f->selectAll();
             fromMenu(f, "edit-cut");
         },
         0, 0},
        {"undo",
         [&](FenEditSaisieController& w, TextFieldMontant* f) {
             type(w, "field_montant", QStringLiteral("123,45"));
             while (f->document()->isUndoAvailable())
                 fromMenu(f, "edit-undo");
         },
         0, 0},
        {"redo",
         [&](FenEditSaisieController& w, TextFieldMontant* f) {
             type(w, "field_montant", QStringLiteral("67,89"));
             QTest::keySequence(f, QKeySequence::Undo);
             fromMenu(f, "edit-redo");
         },
         67.89, 11.31},
        {"tax on the amount undone",
         [&](FenEditSaisieController& w, TextFieldMontant* f) {
             choose(w, "pop_taxe", 2);
             type(w, "field_montant", QStringLiteral("120"));
             type(w, "field_montant", QStringLiteral("250"));
             fromMenu(f, "edit-undo");
         },
         120, 20},
        {"digits after the zeros",
         [&](FenEditSaisieController& w, TextFieldMontant* f) {
             Q_UNUSED(w);
             f->moveCursor(QTextCursor::End);
             QTest::keyClicks(f, QStringLiteral("12"));
             EXPECT_EQ(f->toPlainText(), QStringLiteral("0,0012"));
         },
         0, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        doc.transact_array.clear();
        if (row.solde == 0)
            ui().answerAlert(QStringLiteral("kConfirm_ZeroTrans"), kAlertFirstButton);
        QString shown;
        enter(newOf(7), [&](FenEditSaisieController& w) {
            choose(w, "pop_compteC", 22);
            TextFieldMontant* field = w.controls().field_montant;
            row.edit(w, field);
            shown = field->toPlainText();
            ok(w);
        });
        ASSERT_EQ(doc.transact_array.size(), 1);
        const TRANSACT& stored = doc.transact_array[0];
        EXPECT_DOUBLE_EQ(stored.solde.values[0], row.solde) << shown.toStdString();
        EXPECT_NEAR(stored.taxe.values[0], row.taxe, 1e-9);
    }
}

TEST_F(SaisieUiTest, EveryPaymentMeansIsOfferedOnce)
{
    doc.synonymeArray = defaultSynonymes(); // a new document's
    enter(newOf(11), [](FenEditSaisieController& w) {
        auto* pop = w.outlet<PopMoyen>(QStringLiteral("pop_moyen"));
        ASSERT_NE(pop, nullptr);
        pop->rebuild();
        QStringList titles;
        for (const QAction* item : pop->stdMenu()->actions()) {
            if (!item->isSeparator())
                titles << item->text();
        }
        EXPECT_TRUE(titles.contains(localizedMisc(QStringLiteral("kMisc_MFVirDeb"))));
        for (const QString& title : titles)
            EXPECT_EQ(titles.count(title), 1) << title.toStdString();
        cancel(w);
    });
}
