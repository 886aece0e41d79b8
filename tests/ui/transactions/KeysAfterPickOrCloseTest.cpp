// The keys typed right after a date pick or a close land where the user was going: in the field
// after the date, its text selected even when it had the keyboard; never in the first date of a
// period; typed while a closing window shrinks, in the window that has the keyboard after it.
#include "TransListFixture.h"

#include "analysis/FenEditConfigurationController.h"
#include "entities/FenAskDeclarationController.h"
#include "transactions/FenListingSearchController.h"
#include "transactions/FenRechercheController.h"
#include "transactions/PopOperateur.h"
#include "transactions/RechercheCommand.h"

#include "engines/Critere.h"
#include "model/AnalyseConfiguration.h"
#include "toolkit/dialogs/DECLARATION.h"
#include "toolkit/dialogs/FenCalendrierController2.h"
#include "toolkit/windows/windowutils.h"

#include <QApplication>
#include <QTimer>

#include <cmath>

using namespace translist;

namespace {

class KeysAfterPickOrCloseTest : public TransListTest {
protected:
    enum class Scene { Amount, Declaration, Configuration, Search, ListBehindSearch };

    // In the window on screen: the calendar button, the 15/03/2026, OK, then the keys.
    template <class W> void pickThenType(W& w, const char* button, const char* keys)
    {
        showActive(*w.window());
        ui().onModal<FenCalendrierController2>([](FenCalendrierController2& calendar) {
            calendar.GO(at(15, 3, 2026));
            calendar.perform(QStringLiteral("OUI:"));
        });
        clickOn(w.template outlet<QWidget>(QString::fromLatin1(button)));
        QTest::keyClicks(QApplication::focusWidget(), QString::fromLatin1(keys));
    }
    // The period's second date picked, then "5", then OK.
    template <class W> void pickSecondDate(std::function<void(W&)> first = {})
    {
        ui().onModal<W>([this, first](W& w) {
            if (first)
                first(w);
            pickThenType(w, "button_calendrier2", "5");
            w.perform(QStringLiteral("OUI:"));
        });
    }
    static void showActive(QWidget& window)
    {
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    static std::string period(double first, double last)
    {
        const auto day = [](double t) { return QString::asprintf("%ld/%ld ", dateDay(t), dateMonth(t)); };
        return (day(first) + day(last)).toStdString();
    }
    std::string run(Scene scene);
};

std::string KeysAfterPickOrCloseTest::run(Scene scene)
{
    switch (scene) {
    case Scene::Amount:
        enter(newOf(11), [this](FenEditSaisieController& w) {
            choose(w, "pop_compteC", 22);
            showActive(*w.window());
            clickOn(w.outlet<QWidget>(QStringLiteral("field_montant")));
            QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("42"));
            pickThenType(w, "button_calendrier", "7");
            ok(w);
        });
        for (const TRANSACT& saved : doc.transact_array) {
            if (sameDay(saved.when, at(15, 3, 2026)))
                return QString::number(std::abs(saved.solde.values[0])).toStdString();
        }
        return "none";
    case Scene::Declaration: {
        DECLARATION declaration {2, at(1, 1, 2026), at(31, 1, 2026)};
        pickSecondDate<FenAskDeclarationController>();
        EXPECT_TRUE(askDeclaration(nullptr, declaration));
        return period(declaration.date1, declaration.date2);
    }
    case Scene::Configuration: {
        AnalyseConfiguration conf;
        anaConfigSetDefaults(&doc, conf);
        conf.modeDate = kModeDateGiven;
        conf.forceMonth = false;
        conf.date1 = at(1, 1, 2026);
        conf.date2 = at(31, 1, 2026);
        doc.anadefHdl = {conf};
        pickSecondDate<FenEditConfigurationController>();
        StdWindowController::pushModal<FenEditConfigurationController>(
            nullptr, makeWindowData({{QStringLiteral("pindex"), 0}}), 0);
        return period(doc.anadefHdl[0].date1, doc.anadefHdl[0].date2);
    }
    case Scene::Search:
        pickSecondDate<FenRechercheController>([](FenRechercheController& w) {
            w.outlet<PopOperateur>(QStringLiteral("popup_date"))->choose(long(CritereCompare::Between));
            const std::pair<const char*, const char*> du[] = {{"jour1", "1"}, {"mois1", "1"}, {"annee1", "2026"}};
            for (const auto& [field, text] : du)
                WindowDriver(w).type(QStringLiteral("field_") + QLatin1String(field), QString::fromLatin1(text));
        });
        openRechercheWindow(doc);
        while (auto* found = findOpenWindowController<FenListingSearchController>(-1, -1, -1, -1, -1, -1, -1, -1))
            found->close();
        return period(FenRechercheController::critere().date1, FenRechercheController::critere().date2);
    case Scene::ListBehindSearch: {
        FenTransListController* list = open();
        showActive(*list->window());
        select(list, {0});
        ui().onModal<FenRechercheController>([this](FenRechercheController& w) {
            showActive(*w.window());
            // The window shrinks until the key is typed into it.
            APPLIPARAM::loadAppliParam().doAnimations = true;
            ui().animations().setSpeed(1);
            QTimer::singleShot(0, [this] {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
                APPLIPARAM::loadAppliParam().doAnimations = false;
                ui().animations().setSpeed(0);
                ui().animations().finishAll();
            });
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        });
        openRechercheWindow(doc);
        static_cast<void>(QTest::qWaitFor([&] { return QApplication::activeWindow() == list->window(); }));
        const auto rows = list->table1()->selectedRowIndexes();
        list->close();
        return "row " + std::to_string(rows.empty() ? -1 : *rows.begin());
    }
    }
    return {};
}

} // namespace

TEST_F(KeysAfterPickOrCloseTest, KeysGoWhereTheUserWasGoing)
{
    const struct {
        const char* why;
        Scene scene;
        const char* expected;
    } cases[] = {
        {"the amount had the keyboard: its text selected, replaced", Scene::Amount, "7"},
        {"the tax declaration: the first date kept", Scene::Declaration, "1/1 15/3 "},
        {"an analysis configuration", Scene::Configuration, "1/1 15/3 "},
        {"the search", Scene::Search, "1/1 15/3 "},
        {"Escape, then Down while the search shrinks: the list behind", Scene::ListBehindSearch, "row 1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(run(c.scene), c.expected);
    }
}
