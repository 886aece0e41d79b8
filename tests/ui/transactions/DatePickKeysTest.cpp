// Where the keys go once a date is picked in the calendar: into the field that takes text after the
// date, its text selected, else where a Tab from the date stops; never back into a field before the
// date, such as the day field whose next keys would change the date just picked; a cancelled
// calendar leaves the keyboard where it was.
#include "SaisieUiFixture.h"

#include "transactions/FenEditReleveController.h"

#include "toolkit/dialogs/FenCalendrierController2.h"
#include "toolkit/fields/TextFieldJour.h"

#include <QApplication>
#include <QTest>
#include <QToolButton>

#include <cmath>

using namespace saisieui;

namespace {

class DatePickKeysTest : public SaisieUiTest {
protected:
    // The calendar as the user answers it: a click on the day, then OK or Annuler.
    void answerCalendar(double day, bool picked)
    {
        ui().onModal<FenCalendrierController2>([day, picked](FenCalendrierController2& calendar) {
            calendar.GO(day);
            calendar.perform(picked ? QStringLiteral("OUI:") : QStringLiteral("NON:"));
        });
    }
    // The calendar button clicked, then keys typed as the user types them, into whatever has the
    // keyboard once the events are in; the name of the field they went to.
    static QString pickThenType(QWidget* calendarButton, const QString& keys)
    {
        clickOn(calendarButton);
        QCoreApplication::processEvents();
        QWidget* focus = QApplication::focusWidget();
        if (!focus)
            return QStringLiteral("(none)");
        QTest::keyClicks(focus, keys);
        return focus->objectName();
    }
};

} // namespace

TEST_F(DatePickKeysTest, KeysTypedAfterAPickGoToTheFieldAfterTheDate)
{
    const double december16 = at(16, 12, 2024);
    enum class Window { Entry, Statement };
    struct Case {
        const char* why;
        Window window;
        bool picked; // OK, or Annuler
        const char* typed;
        const char* into; // the field the keys went to
        double date; // the date saved
    };
    const Case cases[] = {
        {"the entry window: the amount", Window::Entry, true, "25", "field_montant", december16},
        {"the entry window, Annuler: the day as the user left it", Window::Entry, false, "25", "field_jour1",
         at(25, 6, 2024)},
        {"the statement editor: its name lies before the date, the keys stay after it", Window::Statement, true, "Noel",
         "button_calendrier", december16},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        answerCalendar(december16, c.picked);
        QString into;
        double saved = 0;
        if (c.window == Window::Entry) {
            doc.transact_array.clear();
            enter(newOf(11), [&](FenEditSaisieController& w) {
                showActive(w);
                choose(w, "pop_compteC", 22);
                if (!c.picked) {
                    type(w, "field_montant", QStringLiteral("9"));
                    clickOn(w.controls().field_jour1);
                }
                into = pickThenType(w.controls().button_calendrier, QString::fromUtf8(c.typed));
                ok(w);
            });
            ASSERT_EQ(doc.transact_array.size(), 1U);
            saved = doc.transact_array[0].when;
            if (c.picked) {
                EXPECT_NEAR(std::fabs(doc.transact_array[0].solde.values[0]), 25, 0.005);
            }
        } else {
            RELEVE statement;
            statement.nom_v3 = QStringLiteral("Relevé 12");
            statement.date = at(10, 5, 2024);
            ui().onModal<FenEditReleveController>([&](FenEditReleveController& editor) {
                editor.window()->show();
                editor.window()->activateWindow();
                ASSERT_TRUE(QTest::qWaitForWindowActive(editor.window()));
                clickOn(editor.outlet<QWidget>(QStringLiteral("field_jour1")));
                into = pickThenType(editor.outlet<QToolButton>(QStringLiteral("button_calendrier")),
                                    QString::fromUtf8(c.typed));
                editor.perform(QStringLiteral("OUI:"));
            });
            EXPECT_EQ(editReleveDialog(nullptr, statement), kEditReleveOK);
            EXPECT_EQ(statement.nom_v3.toStdString(), "Relevé 12") << "the name, before the date, kept";
            saved = statement.date;
        }
        EXPECT_EQ(into.toStdString(), c.into);
        EXPECT_TRUE(sameDay(saved, c.date)) << dateDay(saved) << "/" << dateMonth(saved);
    }
}
