// The statement window's figures read whole, whatever the user did before looking at them: the
// balances of its list of statements (the coming days' in italics) and the footer's totals and
// line count, on a laptop screen as on a wide one.
#include "TransListFixture.h"
#include "uisupport/FigureChecks.h"

#include "toolkit/windows/StdPlacedView.h"
#include "transactions/FenEditReleveController.h"
#include "transactions/FenReleveController.h"
#include "transactions/StdViewPiedReleve.h"
#include "transactions/TemplateTransList.h"

#include "uisupport/NoToolPaletteApp.h"
#include "uisupport/WindowDriver.h"

#include "foundation/localized.h"
#include "model/ReleveCompute.h"
#include "model/TOOL.h"

#include <QVBoxLayout>

namespace {

using saisieui::at;
using translist::TransListTest;

class FenReleveFiguresTest : public TransListTest {
protected:
    FenReleveFiguresTest()
    {
        setWindowAppDelegate(&app);
        doc.transact_array[1].solde = euros(2640.10);
        recomputeAllReleves(&doc);
    }
    ~FenReleveFiguresTest() override { setWindowAppDelegate(nullptr); }

    FenReleveController* open() { return openReleveWindow(7, true, 0, doc); }
    // A statement made in the editor, with a name longer than its room.
    void newReleve(FenReleveController& w, bool tick)
    {
        ui().onModal<FenEditReleveController>([tick](FenEditReleveController& editor) {
            WindowDriver(editor).type(QStringLiteral("field_nom"), QStringLiteral("Releve de juin du compte courant"));
            WindowDriver(editor).click(tick ? QStringLiteral("POINTER:") : QStringLiteral("OUI:"));
        });
        w.CREER_RELEVE(nullptr);
    }
    // Paints the rows of the list of statements as the table does, last to first and then first to
    // last (the one row template keeps what the row before it left), and lists every balance not
    // shown whole.
    static QStringList cutBalances(FenReleveController& w)
    {
        QStringList cut;
        StdTableView* table = w.table2();
        const int rows = table->numberOfRows();
        for (int step = 0; step < 2 * rows; ++step) {
            const int row = step < rows ? rows - 1 - step : step - rows;
            const StdCell* cell = figurechecks::paintRow(*table, row);
            const QRect visible(QPoint(0, 0), table->visualRect(table->model()->index(row, 0)).size());
            const QString where
                = figurechecks::cutIn(*cell->findChild<QLabel*>(QStringLiteral("field_solde_releve")), *cell, visible);
            if (!where.isEmpty())
                cut << QStringLiteral("row %1 %2").arg(row).arg(where);
        }
        return cut;
    }

    // Every text of the footer not shown whole, running into another one or out of the window.
    static QStringList cutInFooter(FenReleveController& w)
    {
        figurechecks::runLayouts();
        const QWidget* pied = w.view_pied();
        QStringList cut = figurechecks::cutOrOverlapping(*pied);
        if (!w.window()->rect().contains(QRect(pied->mapTo(w.window(), QPoint(0, 0)), pied->size())))
            cut << QStringLiteral("the footer goes out of the window");
        return cut;
    }

    NoToolPaletteApp app;
};

// After a new statement, in tick mode and after a reopening of the window, the coming days'
// balance (2 640,10 €, italic) and every statement's balance read whole.
TEST_F(FenReleveFiguresTest, EveryStatementRowShowsItsBalanceWhole)
{
    FenReleveController* w = open();
    ASSERT_NE(w, nullptr);
    QStringList cut;
    newReleve(*w, false);
    cut << cutBalances(*w);
    ui().onModal<FenReleveController>([&cut](FenReleveController& pointing) {
        cut << cutBalances(pointing);
        pointing.POINTER_RELEVE(nullptr);
    });
    newReleve(*w, true);
    w->close();
    w = open();
    ASSERT_NE(w, nullptr);
    cut << cutBalances(*w);
    WindowDriver(*w).grab(QStringLiteral("releve-figures-rows.png"));
    EXPECT_TRUE(cut.isEmpty()) << cut.join(u'\n').toStdString();
    w->close();
}

// The footer of an account of 50 798 imported rows with nine-digit totals, and of the largest a
// household holds (999 999 rows, 999 999 999,99 each way), on a laptop screen in a window of the
// width the user gave it or of the whole screen, and on a wide screen.
TEST_F(FenReleveFiguresTest, TheFooterShowsItsFiguresWhole)
{
    struct Figures {
        long count;
        double debit, credit, report;
    };
    const Figures figures[]
        = {{50798, 109175491.37, 1918.95, 650.95}, {999999, 999999999.99, 999999999.99, -999999999.99}};
    const std::pair<QRect, int> screens[]
        = {{QRect(0, 0, 1366, 768), 1153}, {QRect(0, 0, 1366, 768), 1366}, {QRect(0, 0, 2560, 1440), 2400}};
    for (const auto& [screen, width] : screens) {
        ui().screenInfo().frame = ui().screenInfo().full = screen;
        FenReleveController* w = open();
        ASSERT_NE(w, nullptr);
        w->window()->setGeometry(0, 30, width, 600);
        for (const Figures& f : figures) {
            TOTAUX& totaux = w->MyTotaux();
            totaux = TOTAUX();
            totaux.total2 = euros(f.debit);
            totaux.total5 = euros(f.credit);
            totaux.total3 = euros(std::max(0.0, -f.report));
            totaux.total6 = euros(std::max(0.0, f.report));
            totaux.total1 = euros(f.debit);
            w->PRINT_PIED();
            w->field_nb_operations()->setText(QString::number(f.count)
                                              + localizedMisc(QStringLiteral("kMisc_Nb_Operations")));
            const QStringList cut = cutInFooter(*w);
            EXPECT_TRUE(cut.isEmpty()) << width << " " << f.count << ":\n" << cut.join(u'\n').toStdString();
            WindowDriver(*w).grab(QStringLiteral("releve-figures-pied-%1-%2.png").arg(width).arg(f.count));
        }
        w->close();
    }
}

// Given another width from outside, as the list's columns give it when a scroll bar comes or
// goes, the footer goes on over the lines its figures need there, and its place in the window
// takes their height.
TEST(StdViewPiedTest, AFooterTakesTheLinesItsWidthAsksFor)
{
    QWidget window;
    auto* column = new QVBoxLayout(&window);
    column->addWidget(new QWidget(&window), 1);
    auto* placeholder = new QWidget(&window);
    placeholder->setFixedHeight(TemplateTransList::kPiedHeight);
    column->addWidget(placeholder);
    window.resize(1400, 300);
    window.show();
    auto* pied = new StdViewPiedReleve(StdViewPiedReleve::kReleveOutlets, &window);
    int width = 1380;
    StdPlacedView placed;
    placed.setWidthSource([&width] { return width; });
    placed.place(pied, placeholder, &window);
    for (int i = 0; i < 5; ++i)
        pied->fieldAt(i)->setText(QStringLiteral("-999 999 999,99"));
    pied->field_nb_operations()->setText(QStringLiteral("999999 opération(s)"));
    const std::pair<int, int> widths[] = {{1380, 1}, {760, 2}, {300, 3}, {1380, 1}};
    for (const auto& [given, lines] : widths) {
        width = given;
        pied->resize(given, pied->height()); // as the list's column alignment does
        figurechecks::runLayouts();
        EXPECT_EQ(placeholder->height(), lines * StdViewPiedFields::kLineHeight + 2) << given;
        EXPECT_EQ(pied->height(), placeholder->height()) << given;
        EXPECT_EQ(figurechecks::cutOrOverlapping(*pied), QStringList()) << given;
    }
}

} // namespace
