// One order of the keys per window: a round of Tab meets every control once, Shift+Tab goes the
// same way back, and dates typed in one go land in their fields, the keys going on past each.
#include "../../transactions/TransListFixture.h"

#include "analysis/FenEditConfigurationController.h"
#include "entities/FenEditVarianteController.h"
#include "graphs/FenEditGraphiqueController.h"
#include "graphs/FenEditGraphiqueParamController.h"
#include "transactions/FenEditReleveController.h"

#include "model/AnalyseConfiguration.h"
#include "model/GRAPH.h"

#include <QApplication>
#include <QComboBox>

#include <cmath>
#include <map>

using namespace translist;

namespace {

// A few controls of the windows laid out in grids, as a reader meets them: a row left to right,
// then the next row.
const std::map<std::string, QString> kReadingOrders {
    {"FenEditGraphiqueController",
     "view_compteD pop_compteD view_poste pop_poste popup_modedate field_jour1 field_jour2"},
    {"FenEditSaisieController",
     "field_jour1 field_montant pop_compteC view_compteC field_reference pop_poste view_poste field_information"},
};

// The window on screen with the keyboard: Tab and Shift+Tab each go round every control once, in
// the order the window reads.
void expectOneRound(const ModalRequest& run)
{
    const QList<QWidget*> forward = WindowDriver(run.window).keyRound();
    const std::string name = run.controller->metaObject()->className();
    if (const auto order = kReadingOrders.find(name); order != kReadingOrders.end()) {
        QStringList met; // the named controls in the order met, twice round
        for (const QWidget* w : forward + forward)
            met << w->objectName();
        met.removeIf([&order](const QString& n) { return !order->second.split(u' ').contains(n); });
        met = met.mid(met.indexOf(order->second.section(u' ', 0, 0)), int(order->second.count(u' ')) + 1);
        EXPECT_EQ(met.join(u' ').toStdString(), order->second.toStdString()) << name;
    }
    UiHost::instance().modal().endModal(run.window, 0);
}

std::string day(double t)
{
    return QStringLiteral("%1/%2/%3 ").arg(dateDay(t)).arg(dateMonth(t)).arg(dateYear(t)).toStdString();
}

using ShownKeyOrderTest = TransListTest;

} // namespace

TEST_F(ShownKeyOrderTest, TabGoesRoundEveryControlOnceAndShiftTabGoesBack)
{
    ui().onModal(QStringLiteral("*"), expectOneRound); // every editor opened below
    ui().onModal<FenEditConfigurationController>([](FenEditConfigurationController& w) {
        auto* folders = w.outlet<QComboBox>(QStringLiteral("popup_modeposte"));
        folders->setCurrentIndex(folders->findData(kSelectionOnly)); // "Seulement"
        w.perform(QStringLiteral("MODEPOSTE:"), folders);
        expectOneRound({w.window(), nullptr, false, &w});
    });
    doc.anadefHdl = {AnalyseConfiguration()};
    anaConfigSetDefaults(&doc, doc.anadefHdl[0]);
    doc.anadefHdl[0].modeDate = kModeDateGiven;
    StdWindowController::pushModal<FenEditConfigurationController>(nullptr,
                                                                   makeWindowData({{QStringLiteral("pindex"), 0}}), 0);
    RELEVE statement;
    editReleveDialog(nullptr, statement);
    GRAPH graph = GRAPH::newGraph(&doc);
    graph.modeDate = 0; // between the dates given
    editGraphiqueParam<FenEditGraphiqueController>(nullptr, graph, -1, 0);
    editVariante(nullptr, doc.moyenHdl[1].variantes[0], doc, [](long) {});
    openSaisieTransact(nullptr, newOf(11));
}

TEST_F(ShownKeyOrderTest, DatesTypedInOneGoLandInTheirFields)
{
    // From the first day field on, each key to the control that has the keyboard by then; OK.
    const auto typeThenOk = [](StdWindowController& w, const char* keys) {
        w.window()->show();
        w.window()->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w.window()));
        if (auto* first = w.outlet<QWidget>(QStringLiteral("field_jour1")); QApplication::focusWidget() != first)
            clickOn(first);
        for (const char* key = keys; *key; ++key)
            QTest::keyClick(QApplication::focusWidget(), *key);
        w.perform(QStringLiteral("OUI:"));
    };
    GRAPH graph = GRAPH::newGraph(&doc);
    graph.modeDate = 0; // between the dates given
    ui().onModal<FenEditGraphiqueController>([&](auto& w) { typeThenOk(w, "0101202515062026"); });
    editGraphiqueParam<FenEditGraphiqueController>(nullptr, graph, -1, 0);
    EXPECT_EQ(day(graph.graph_date1) + day(graph.graph_date2), "1/1/2025 15/6/2026 ");

    doc.transact_array.clear();
    ui().onModal<FenEditSaisieController>([&](FenEditSaisieController& w) {
        choose(w, "pop_compteC", 22);
        typeThenOk(w, "0303202650");
    });
    openSaisieTransact(nullptr, newOf(11));
    ASSERT_EQ(doc.transact_array.size(), 1U);
    EXPECT_EQ(day(doc.transact_array[0].when), "3/3/2026 ");
    EXPECT_NEAR(std::abs(doc.transact_array[0].solde.values[0]), 50, 0.005);
}
