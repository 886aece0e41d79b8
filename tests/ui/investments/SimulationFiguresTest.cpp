// The loan simulator, the budget proposals and the entry window's split tab, drawn with the largest
// figures a household document holds: 999 999 999,99 (999 999 999,999 in a currency of
// thousandths), of either sign where the window can show one, in each of five currencies, and
// 999 999 transactions in a count, on a laptop screen and on a wide one, as opened and as narrow as
// the user can make them. Every label showing a figure or a count alone must be drawn as one and
// show whole, in the window and in the rows its table paints; a figure drawn in less room than it
// needs warns, which fails the test. The simulator's print-out holds its figures whole on the
// page. The pictures are saved under the test output folder.
#include "ui/transactions/SaisieUiFixture.h"
#include "uisupport/FigureChecks.h"

#include "analysis/FenActualiserBudgetController.h"
#include "analysis/FenCompleterBudgetController.h"
#include "investments/FenSimulationController.h"
#include "toolkit/print/PrintOperation.h"
#include "toolkit/print/PrintViewWithTable.h"

#include "engines/Simulation.h"
#include "model/TransactOps.h"
#include "support/TestFiles.h"

#include <QComboBox>
#include <QFontMetricsF>

#include <functional>

namespace {

using namespace saisieui;

constexpr long kLargestCount = 999999;

const QRect kScreens[] = {QRect(0, 0, 1366, 768), QRect(0, 0, 2560, 1440)}; // a laptop's, a wide one

// Where the printed texts of the view, drawn in those bounds, do not lie whole on a page that
// wide, or a figure is wider than its room.
void cutOnPaper(const PrintElement& element, const QRectF& bounds, double factor, double page, QStringList& cut)
{
    const QString text = element.kind == PrintElement::Kind::TextField ? element.printedText() : QString();
    if (!text.isEmpty()) {
        const double needed = factor * QFontMetricsF(element.font).horizontalAdvance(text);
        const double left = element.alignment == 1 ? bounds.right() - needed
            : element.alignment == 2               ? bounds.center().x() - needed / 2
                                                   : bounds.left();
        const bool figure = figurechecks::showsFigure(text) || figurechecks::showsCount(text);
        if (left < -0.5 || left + needed > page + 0.5 || (figure && needed > bounds.width() + 0.5))
            cut << QStringLiteral("%1 \"%2\" drawn from %3 to %4 in %5 to %6 of %7")
                       .arg(element.name, text)
                       .arg(left, 0, 'f', 1)
                       .arg(left + needed, 0, 'f', 1)
                       .arg(bounds.left(), 0, 'f', 1)
                       .arg(bounds.right(), 0, 'f', 1)
                       .arg(page, 0, 'f', 1);
    }
    for (const PrintElement& child : element.children) {
        const QRectF& sub = child.frame;
        cutOnPaper(child,
                   QRectF(bounds.x() + factor * sub.x(), bounds.y() + factor * sub.y(), factor * sub.width(),
                          factor * sub.height()),
                   factor, page, cut);
    }
}

// Every text of the print-out not drawn whole inside the printable width, as the pages are laid out.
QStringList cutOnPaper(const PrintViewWithTable& view, const PrintInfo& info)
{
    QStringList cut;
    const double page = view.layout().viewWidth;
    if (page > info.printableRect().width())
        cut << QStringLiteral("pages %1 wide on paper printing %2").arg(page).arg(info.printableRect().width());
    for (const PrintViewWithTable::SpoolEntry& entry : view.spool())
        cutOnPaper(entry.view, QRectF(QPointF(), entry.size), view.factor(), page, cut);
    return cut;
}

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

// A loan of the largest amount at 24 % repaid in two months with the largest monthly cost, of
// either sign, printed in landscape: the page, scaled to the paper, holds every column whole, the
// totals that pass the largest amount included, and the title's and the footer's figures.
TEST_F(SimulationFiguresTest, TheSimulatorsPrintOutHoldsItsLargestFiguresWholeOnThePage)
{
    for (const int sign : {1, -1}) {
        for (long slot = 0; slot < kDeviseSlotCount; ++slot) {
            MONTANT::setCurrentDeviseSlot(int(slot));
            FenSimulationController* window = FenSimulationController::openSimulation(slot);
            ASSERT_NE(window, nullptr);
            WindowDriver driver(*window);
            const int decimals = int(doc.deviseHdl[slot].decimale);
            driver.type(QStringLiteral("field_montant"), QString::number(largest(slot), 'f', decimals));
            driver.type(QStringLiteral("field_taux"), QStringLiteral("24"));
            window->popup_kind()->setCurrentIndex(int(kSimulationFixedCapital));
            driver.type(QStringLiteral("field_mensualite"), QString::number(5e8, 'f', decimals));
            driver.type(QStringLiteral("field_cout"), QString::number(sign * largest(slot), 'f', decimals));
            EXPECT_TRUE(driver.click(QStringLiteral("SIMULER:")));
            EXPECT_EQ(window->numberOfRowsInTableView1(window->table1()), 2);
            QStringList cut;
            ui().onPrint([&cut](PrintOperation& operation, PrintAccessoryViewController*) {
                const auto* view = dynamic_cast<const PrintViewWithTable*>(operation.view());
                cut = view ? cutOnPaper(*view, operation.printInfo()) : QStringList {QStringLiteral("no list print")};
                return true;
            });
            EXPECT_TRUE(driver.click(QStringLiteral("IMPRIMER:")));
            EXPECT_EQ(cut.join(u'\n').toStdString(), "") << "sign " << sign << ", currency " << slot;
            ASSERT_FALSE(ui().printHost().records.isEmpty());
            EXPECT_EQ(ui().printHost().records.last().info.orientation, PrintInfo::kLandscape);
            if (slot == 0 || slot == 4)
                ui().printHost().records.last().pages.value(0).save(
                    QStringLiteral(SORV_TEST_OUTPUT_DIR "/simulation-impression-%1-%2.png")
                        .arg(sign > 0 ? "plus" : "moins")
                        .arg(slot));
            window->close();
        }
    }
}

} // namespace
