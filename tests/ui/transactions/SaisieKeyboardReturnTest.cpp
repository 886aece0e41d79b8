// Where the keys go in the entry window once something that took the keyboard closes (the note,
// an alert), and when the field the window opens in lies under the note: always into the field the
// user or the window's opening chose, never into the date or the note.
#include "SaisieUiFixture.h"

#include "transactions/SaisieNotePanel.h"
#include "transactions/ViewSaisieNote.h"

#include "toolkit/fields/StdTextView.h"

#include "model/TransactOps.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

using namespace saisieui;

namespace {

class SaisieKeyboardReturnTest : public SaisieUiTest {
protected:
    // Keys typed as the user types them: into whatever has the keyboard once the events are in.
    static void typeOn(const QString& keys)
    {
        QCoreApplication::processEvents();
        ASSERT_NE(QApplication::focusWidget(), nullptr) << "no field has the keyboard";
        QTest::keyClicks(QApplication::focusWidget(), keys);
    }
};

} // namespace

TEST_F(SaisieKeyboardReturnTest, KeysTypedNextGoToTheFieldTheUserChose)
{
    const double may31 = at(31, 5, 2024);
    enum class Closing { Return, Tab, Backtab, NoteButton, Alert, AlertOverNote };
    struct Case {
        const char* why;
        Closing closing; // what closes after "AB7" was typed into the reference
        int noteLines; // a stored note that long, opened with the reference as the first field
    };
    const Case cases[] = {
        {"Return closes the note", Closing::Return, 0},
        {"Tab closes the note", Closing::Tab, 0},
        {"Backtab closes the note", Closing::Backtab, 0},
        {"a second click on the note button", Closing::NoteButton, 0},
        {"a zero-amount alert answered with the mouse", Closing::Alert, 0},
        {"the note open as OK is clicked, the zero-amount alert answered", Closing::AlertOverNote, 0},
        {"a five-line note over the first field", Closing::Return, 5},
        {"a note over every field", Closing::Return, 15},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        doc.transact_array.clear();
        QString note = c.closing == Closing::Alert ? QString() : QStringLiteral("abc");
        QString ref = QStringLiteral("AB742");
        if (c.noteLines > 0) {
            QStringList lines;
            for (int line = 1; line <= c.noteLines; ++line)
                lines << QStringLiteral("ligne %1").arg(line);
            note = lines.join(u'\n');
            ref = QStringLiteral("1511");
            TRANSACT stored = withNote(note);
            stored.when = may31;
            ASSERT_TRUE(makeTransact(stored, nullptr, &doc, false, false));
        }
        APPLIPARAM::loadAppliParam().optionSaisieRubrique = c.noteLines > 0 ? 4 : 0;
        const bool zeroAmount = c.closing == Closing::Alert || c.closing == Closing::AlertOverNote;
        if (zeroAmount) {
            ui().answerAlert(QStringLiteral("kConfirm_ZeroTrans"), kAlertSecondButton); // Annuler
            ui().answerAlert(QStringLiteral("kConfirm_ZeroTrans"), kAlertFirstButton);
        }
        enter(c.noteLines > 0 ? editOf(0) : newOf(11), [&](FenEditSaisieController& w) {
            showActive(w);
            QWidget* reference = w.controls().field_reference;
            if (c.noteLines > 0) {
                ASSERT_TRUE(w.note().isShown());
                const QRect panel = w.note().controller()->view()->geometry();
                const QPoint textStart = reference->mapTo(w.controls().boxGeneral, QPoint(6, reference->height() / 2));
                ASSERT_TRUE(panel.contains(textStart)) << "the note hides the reference's text";
                EXPECT_EQ(QApplication::focusWidget(), reference) << "the window opens in its first field";
                typeOn(QStringLiteral("1511"));
                EXPECT_FALSE(w.note().isShown()) << "the note stepped aside for the first key";
                ok(w);
                return;
            }
            choose(w, "pop_compteC", 22);
            if (!zeroAmount)
                type(w, "field_montant", QStringLiteral("12,34"));
            clickOn(reference);
            typeOn(QStringLiteral("AB7"));
            if (c.closing == Closing::Alert) {
                clickOn(w.controls().button_ok);
                ASSERT_TRUE(doc.transact_array.isEmpty()) << "the alert was answered Annuler";
            } else {
                clickOn(w.controls().button_note);
                typeOn(QStringLiteral("abc"));
            }
            switch (c.closing) {
            case Closing::Return:
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
                break;
            case Closing::Tab:
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                break;
            case Closing::Backtab:
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
                break;
            case Closing::NoteButton:
                clickOn(w.controls().button_note);
                break;
            case Closing::Alert:
                break;
            case Closing::AlertOverNote:
                clickOn(w.controls().button_ok);
                ASSERT_TRUE(doc.transact_array.isEmpty()) << "the alert was answered Annuler";
                break;
            }
            EXPECT_FALSE(w.note().isShown());
            typeOn(QStringLiteral("42"));
            ok(w);
        });
        ASSERT_EQ(doc.transact_array.size(), 1U);
        const TRANSACT& saved = doc.transact_array[0];
        EXPECT_TRUE(sameDay(saved.when, c.noteLines > 0 ? may31 : today())) << dateDay(saved.when);
        EXPECT_EQ(saved.ref.toStdString(), ref.toStdString());
        EXPECT_EQ(saved.note.toStdString(), note.toStdString());
    }
}
