// The loan simulator, the budget proposals and the entry window's split tab, drawn with the largest
// figures a household document holds: 999 999 999,99 (999 999 999,999 in a currency of
// thousandths), of either sign where the window can show one, in each of five currencies, and
// 999 999 transactions in a count, on a laptop screen and on a wide one, as opened and as narrow as
// the user can make them. Every label showing a figure or a count alone must be drawn as one and
// show whole, in the window and in the rows its table paints; a figure drawn in less room than it
// needs warns, which fails the test. The pictures are saved under the test output folder.
#include "ui/transactions/SaisieUiFixture.h"
#include "uisupport/FigureChecks.h"

#include "analysis/FenActualiserBudgetController.h"
#include "analysis/FenCompleterBudgetController.h"
#include "investments/FenSimulationController.h"
#include "toolkit/print/PrintOperation.h"

#include "engines/Simulation.h"
#include "model/TransactOps.h"
#include "support/TestFiles.h"

#include <QComboBox>

#include <functional>

namespace {

using namespace saisieui;

constexpr long kLargestCount = 999999;

const QRect kScreens[] = {QRect(0, 0, 1366, 768), QRect(0, 0, 2560, 1440)}; // a laptop's, a wide one

// Looks at the window, open with the largest figures, and at the rows its table paints.
using Check = std::function<void(StdWindowController& window, StdTableView& table)>;

class SimulationFiguresTest : public SaisieUiTest {
protected:
    SimulationFiguresTest()
    {
        const char* const units[] = {"€", "F", "$", "CHF", "TND"}; // the dinar counts thousandths
        for (int slot = 0; slot < kDeviseSlotCount; ++slot) {
            doc.deviseHdl[slot].used = true;
            doc.deviseHdl[slot].unit = QString::fromUtf8(units[slot]);
            doc.deviseHdl[slot].convert = 1.0;
            doc.deviseHdl[slot].decimale = slot == 4 ? 3 : 2;
        }
    }
    ~SimulationFiguresTest() override
    {
        MONTANT::setCurrentDeviseSlot(0);
        testenv::removePreferences(); // the print-out saves its options
    }

    static double largest(long slot) { return slot == 4 ? 999999999.999 : 999999999.99; }
    MONTANT amount(double value, long slot) const
    {
        MONTANT m;
        m.makeMontant(slot, value, doc.deviseHdl);
        return m;
    }

public: // what the test's table names
    // A loan of the largest amount repaid in one month at no rate: each amount column holds it. A
    // loan repays a positive capital: the simulator has no negative amount to show, so the other
    // sign repays it in two months at 12 %, whose payments, the interest on top, pass the largest
    // amount. Its print-out shows the inputs in its title.
    void simulation(int sign, long slot, const Check& check)
    {
        FenSimulationController* window = FenSimulationController::openSimulation(slot);
        ASSERT_NE(window, nullptr);
        WindowDriver driver(*window);
        const int decimals = int(doc.deviseHdl[slot].decimale);
        const QString typed = QString::number(largest(slot), 'f', decimals);
        driver.type(QStringLiteral("field_montant"), typed);
        driver.type(QStringLiteral("field_taux"), sign > 0 ? QStringLiteral("0") : QStringLiteral("12"));
        window->popup_kind()->setCurrentIndex(int(kSimulationFixedCapital));
        driver.type(QStringLiteral("field_mensualite"), sign > 0 ? typed : QString::number(5e8, 'f', decimals));
        driver.type(QStringLiteral("field_cout"), QStringLiteral("0"));
        EXPECT_TRUE(driver.click(QStringLiteral("SIMULER:")));
        EXPECT_EQ(window->numberOfRowsInTableView1(window->table1()), sign > 0 ? 1 : 2);
        check(*window, *window->table1());
        ui().onPrint([](PrintOperation&, PrintAccessoryViewController*) { return true; });
        EXPECT_TRUE(driver.click(QStringLiteral("IMPRIMER:")));
        ASSERT_FALSE(ui().printHost().records.isEmpty());
        if (slot == 4)
            ui().printHost().records.last().pages.value(0).save(
                QStringLiteral(SORV_TEST_OUTPUT_DIR "/simulation-page.png"));
        window->close();
    }

    // Two proposals of the largest amounts, over the largest count of transactions.
    template <class Window> void proposals(int sign, long slot, const Check& check)
    {
        BudgetProposal entry;
        entry.posteID = 1;
        entry.montant = entry.montantprevision = amount(sign * largest(slot), slot);
        entry.nb = kLargestCount;
        entry.prevision = Prevision();
        entry.prevision->name = QStringLiteral("Loyer");
        entry.prevision->transact.solde = entry.montant;
        Window* window = Window::open({entry, entry}, 12, slot);
        ASSERT_NE(window, nullptr);
        window->table1()->GO(0); // its write button shown
        check(*window, *window->table1());
        window->close();
    }

    // A stored transaction of the largest amount in two lines, on its split tab.
    void split(int sign, long slot, const Check& check)
    {
        TRANSACT split;
        split.defaultTransact(&doc);
        split.who1 = 7;
        split.who2 = 22;
        split.devise = slot;
        split.solde = amount(sign * largest(slot), slot);
        split.multis
            = {MULTI(1, amount(sign * (largest(slot) - 1e8), slot), {}), MULTI(4, amount(sign * 1e8, slot), {})};
        long pos = -1;
        ASSERT_TRUE(makeTransact(split, &pos, &doc, false, false));
        enter(editOf(pos), [&check](FenEditSaisieController& window) {
            window.controls().tabView->setCurrentIndex(kTabGroupage);
            check(window, *window.controls().table1);
            cancel(window);
        });
    }

protected:
    // Every figure of the window and of its rows not shown whole, one a line; the picture is saved
    // when asked.
    static std::string cutFigures(StdWindowController& window, StdTableView& table, const QString& where, bool save)
    {
        figurechecks::runLayouts();
        WindowDriver(window).grab(save ? where + QStringLiteral(".png") : QString());
        const QWidget& view = *window.window();
        return (figurechecks::cutFigures(view, view.rect(), where, true) + figurechecks::cutInRows(table, where))
            .join(u'\n')
            .toStdString();
    }
};

TEST_F(SimulationFiguresTest, TheSimulatorTheBudgetProposalsAndTheSplitShowTheirLargestFiguresWhole)
{
    using Show = void (SimulationFiguresTest::*)(int sign, long slot, const Check&);
    const std::pair<const char*, Show> shown[] = {
        {"simulation", &SimulationFiguresTest::simulation},
        {"completer-budget", &SimulationFiguresTest::proposals<FenCompleterBudgetController>},
        {"actualiser-budget", &SimulationFiguresTest::proposals<FenActualiserBudgetController>},
        {"ventilation", &SimulationFiguresTest::split},
    };
    for (const QRect& screen : kScreens) {
        ui().screenInfo().frame = ui().screenInfo().full = screen;
        for (const int sign : {1, -1}) {
            for (long slot = 0; slot < kDeviseSlotCount; ++slot) {
                MONTANT::setCurrentDeviseSlot(int(slot));
                for (const auto& [name, show] : shown) {
                    const QString where = QStringLiteral("%1-%2-%3-%4")
                                              .arg(QString::fromLatin1(name))
                                              .arg(screen.width())
                                              .arg(sign > 0 ? "plus" : "moins")
                                              .arg(slot);
                    (this->*show)(sign, slot, [&](StdWindowController& window, StdTableView& table) {
                        EXPECT_EQ(cutFigures(window, table, where, slot >= 3), "");
                        window.window()->resize(1, window.window()->height()); // as narrow as it can be made
                        EXPECT_EQ(cutFigures(window, table, where + QStringLiteral("-etroite"), slot >= 3), "");
                    });
                }
            }
        }
    }
}

} // namespace
