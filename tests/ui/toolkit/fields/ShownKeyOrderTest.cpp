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

#include <algorithm>
#include <cmath>

using namespace translist;

namespace {

// The controls met from the focus until it comes back there (or goes round elsewhere).
QList<QWidget*> round(Qt::Key key)
{
    QList<QWidget*> met {QApplication::focusWidget()};
    for (;;) {
        QTest::keyClick(met.last(), key, key == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier);
        if (met.contains(QApplication::focusWidget()))
            return met;
        met << QApplication::focusWidget();
    }
}

// The window on screen with the keyboard: Tab and Shift+Tab each go round every control once.
void expectOneRound(const ModalRequest& run)
{
    run.window->show();
    run.window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(run.window));
    const QList<QWidget*> forward = round(Qt::Key_Tab);
    QList<QWidget*> backward = round(Qt::Key_Backtab);
    std::reverse(backward.begin() + 1, backward.end());
    EXPECT_EQ(backward, forward) << run.controller->metaObject()->className();
    int stops = 0;
    for (const QWidget* w : run.window->findChildren<QWidget*>())
        stops += (w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && w->isVisibleTo(run.window) && !w->focusProxy();
    EXPECT_EQ(forward.size(), stops) << run.controller->metaObject()->className();
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
