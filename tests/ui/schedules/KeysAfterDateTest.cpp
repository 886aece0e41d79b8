// The keys after a date go on as the window shows its fields: after a pick, or a Tab from the date,
// into a field below the date or to its right, never into the name the window shows above it, even
// when that name was built after the date (the forecast editor builds its planner first).
#include "../transactions/SaisieUiFixture.h"

#include "schedules/FenEditPrevisionController.h"
#include "schedules/ScheduleEditors.h"

#include "engines/PrevisionManager.h"
#include "model/Prevision.h"
#include "toolkit/dialogs/FenCalendrierController2.h"

#include <QApplication>
#include <QComboBox>

namespace {

using saisieui::at;

class KeysAfterDateTest : public saisieui::SaisieUiTest {
protected:
    enum class Way { Pick, PickFromAmount, TabFromYear };

    QWidget* named(FenEditPrevisionController& w, const char* name)
    {
        return w.window()->findChild<QWidget*>(QString::fromLatin1(name));
    }
    // In the editor on screen, the keyboard where the user left it, then the way past the date and
    // "5" typed; OK.
    void drive(FenEditPrevisionController& w, Way way)
    {
        w.window()->show();
        w.window()->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w.window()));
        // Valid to the end of the month: the validity's own count is out of use, no field of the
        // planner below the date takes typing.
        auto* validity = w.window()->findChild<QComboBox*>(QStringLiteral("popup_validite"));
        validity->setCurrentIndex(validity->findData(QVariant::fromValue<qlonglong>(0)));
        if (way == Way::PickFromAmount)
            clickOn(named(w, "field_montant"));
        if (way == Way::TabFromYear) {
            clickOn(named(w, "field_first_date_annee"));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        } else {
            ui().onModal<FenCalendrierController2>([](FenCalendrierController2& calendar) {
                calendar.GO(at(8, 1, 2024));
                calendar.perform(QStringLiteral("OUI:"));
            });
            clickOn(named(w, "button_calendrier1"));
        }
        QCoreApplication::processEvents();
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("5"));
        w.perform(QStringLiteral("OUI:"));
    }
};

} // namespace

TEST_F(KeysAfterDateTest, NoKeyAfterTheDateReachesTheNameAboveIt)
{
    const struct {
        const char* why;
        Way way;
        double firstDate; // as stored
    } cases[] = {
        {"a pick: the name had the keyboard", Way::Pick, at(8, 1, 2024)},
        {"a pick: the amount had the keyboard", Way::PickFromAmount, at(8, 1, 2024)},
        {"Tab from the year, then from the calendar button", Way::TabFromYear, at(1, 1, 2024)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        Prevision p = Prevision::newPrevision(&doc);
        p.name = QStringLiteral("Budget courses");
        p.transact.solde = euros(450);
        p.transact.when = at(1, 1, 2024);
        p.planificator->firstDate = p.transact.when;
        const long ident = PrevisionManager::sharedManager().addIndexedPrevisionReference(p, &doc, -1, nullptr);
        ui().onModal<FenEditPrevisionController>([&](FenEditPrevisionController& w) { drive(w, c.way); });
        ASSERT_TRUE(editIndexedPrevision(nullptr, doc, ident));
        const Prevision* stored = PrevisionManager::getPrevisionWithIdent(ident, &doc);
        ASSERT_NE(stored, nullptr);
        EXPECT_EQ(stored->name.toStdString(), "Budget courses");
        EXPECT_NEAR(std::abs(stored->transact.solde.values[0]), 450, 0.005);
        EXPECT_TRUE(sameDay(stored->planificator->firstDate, c.firstDate));
    }
}
