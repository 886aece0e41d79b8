// The graph window and the synthesis grids (also rotated) with the largest figures a household
// document holds, 999 999 999,99 of either sign in each of five currencies, on a laptop and on a
// wide screen, as opened and as narrow as the user can make them: every figure shows whole (see
// FiguresWholeTest). The pictures are saved under the test output folder.
#include "../analysis/AnalyseHousehold.h"
#include "../spreadsheet/DemoTableur.h"
#include "uisupport/FigureChecks.h"
#include "uisupport/UiTestFixture.h"
#include "uisupport/WindowDriver.h"

#include "analysis/FenTableurAnalyseController.h"
#include "analysis/FenTableurBudgetController.h"
#include "graphs/FenGraphiqueController.h"
#include "graphs/ViewGraphique.h"
#include "spreadsheet/ViewTableurColumnHeaders.h"
#include "toolkit/drawing/figures.h"

#include "foundation/SystemClock.h"
#include "support/OpenDocument.h"

#include <QApplication>

namespace {

using analysehousehold::at;

MONTANT largest(int sign)
{
    MONTANT m;
    for (long slot = 0; slot < kDeviseSlotCount; ++slot)
        m.setValueForDevise(slot, sign * 999999999.99);
    return m;
}

// The texts of the graph's picture not drawn whole inside the view and inside their frame.
QStringList cutInGraph(const ViewGraphique& view)
{
    QStringList cut;
    const QRectF bounds(view.rect());
    const GraphDrawOptions options {.devise = view.devise(), .devises = view.devHdl()};
    for (const GraphShape& text : graphPictureWithRoom(*view.graph_file(), options, bounds, &view).shapes) {
        QFont font = QApplication::font();
        font.setPixelSize(int(std::lround(text.fontSize)));
        font.setItalic(text.italic);
        const double advance = figureAdvance(text.text, font);
        const double left = text.horizontal == 1 ? text.rect.right() - 3 - advance
            : text.horizontal == 2               ? text.rect.center().x() - advance / 2
                                                 : text.rect.left() + 3;
        if (text.kind == GraphShape::Kind::Text
            && (advance > text.rect.width() - 5.5 || left < -0.5 || left + advance > bounds.right() + 0.5))
            cut << QStringLiteral("graph \"%1\" from %2 to %3").arg(text.text).arg(left).arg(left + advance);
    }
    return cut;
}

// The figures of the grid wider than the room of their column.
QStringList cutInGrid(const FenTableurController& grid)
{
    QStringList cut;
    for (long r = 0; r < grid.numberOfRows(); ++r) {
        for (long c = 0; c < grid.numberOfColumns(); ++c) {
            const QString text = grid.currentValueForCell(grid.cellAtRow(r, c));
            if (figurechecks::showsFigure(text)
                && figureAdvance(text, grid.fontForCellAtRowIndex(r, c, 11)) > grid.figureRoomOfColumn(c) + 0.5)
                cut << QStringLiteral("cell %1,%2 \"%3\"").arg(r).arg(c).arg(text);
        }
    }
    return cut;
}

// Every figure of the window not shown whole, in its labels, its rows, its graph or its grid.
QString cutFigures(StdWindowController& window, const QString& where)
{
    figurechecks::runLayouts();
    WindowDriver(window).grab(where.contains(QStringLiteral("-3")) ? where + QStringLiteral(".png") : QString());
    QStringList cut = figurechecks::cutFigures(*window.window(), window.window()->rect(), where);
    if (auto* graph = qobject_cast<FenGraphiqueController*>(&window)) {
        for (int row = 0; row < graph->table1()->numberOfRows(); ++row) {
            if (const StdCell* cell = figurechecks::paintRow(*graph->table1(), row))
                cut << figurechecks::cutFigures(*cell, cell->rect(), QStringLiteral("row %1").arg(row));
        }
        cut << cutInGraph(*graph->view_graphique());
    }
    if (auto* grid = qobject_cast<FenTableurController*>(&window))
        cut << cutInGrid(*grid);
    return cut.join(u'\n');
}

// As narrow as the user can make it: the window, and a grid's first column dragged by its handle.
void narrow(StdWindowController& window)
{
    window.window()->resize(1, window.window()->height());
    if (auto* grid = qobject_cast<FenTableurController*>(&window)) {
        QWidget* headers = grid->viewTableurColumnHeaders();
        const QPointF handle(grid->widthOfColumnAtIndex(0), 10);
        TableurMouse::hover(headers, handle);
        TableurMouse::press(headers, handle);
        TableurMouse::drag(headers, handle - QPointF(400, 0));
        TableurMouse::release(headers, handle - QPointF(400, 0));
    }
}

class GraphFiguresTest : public UiTestFixture {
protected:
    GraphFiguresTest()
    {
        SystemClock::setNowForTesting(at(15, 12, 2024) + 43200);
        APPLIPARAM::loadAppliParam().doAnimations = false;
        analysehousehold::fill(doc);
        const char* const units[] = {"€", "F", "$", "CHF", "£"};
        for (int slot = 0; slot < kDeviseSlotCount; ++slot) {
            doc.deviseHdl[slot].unit = QString::fromUtf8(units[slot]);
            doc.deviseHdl[slot].used = true;
            doc.deviseHdl[slot].convert = 1;
        }
        session.emplace(doc);
    }
    ~GraphFiguresTest() override { SystemClock::setNowForTesting(std::nullopt); }

    // The current account's balance by month over 2024, or by day over December, at the largest
    // amount; the last period selected, its legend beside the plot's right edge.
    FenGraphiqueController* openGraph(int sign, long slot, bool byDay)
    {
        GRAPHFILE file;
        GRAPH& g = file.header;
        g.compteID = 7;
        g.timeKind = g.totalKind = byDay ? 1 : 0;
        g.graph_date1 = byDay ? at(1, 12, 2024) : at(1, 1, 2024);
        g.graph_date2 = at(31, 12, 2024);
        g.makeDate = SystemClock::now();
        g.soldeInit = largest(sign);
        g.maxTot = g.maxSol = largest(1);
        for (int period = 0; period < (byDay ? 31 : 12); ++period)
            file.dataArray.append(
                {byDay ? at(1 + period, 12, 2024) : at(1, 1 + period, 2024), largest(sign), largest(sign)});
        makeGraphTitle(file, &doc);
        auto* window = StdWindowController::push<FenGraphiqueController>(
            makeWindowData({{QStringLiteral("graphfile"), QVariant::fromValue(file)}}), slot, true);
        window->table1()->GO(window->table1()->numberOfRows() - 1);
        return window;
    }

    // A folder and a category by month over 2024, every figure the largest of the sign.
    AnalyseFile analyseFile(int sign) const
    {
        AnalyseFile file;
        file.devises = doc.deviseHdl;
        file.rows = {{AnalyseRowKind::Dossier, 1, QStringLiteral("Maison")},
                     {AnalyseRowKind::Poste, 2, QStringLiteral("Loyer")}};
        AnalyseDataMonthStorage month;
        month.rowsStorage = {2, AnalyseData()};
        for (AnalyseData& data : month.rowsStorage)
            (sign > 0 ? data.totCre : data.totDeb) = largest(1);
        file.dataStorage.totalMonths = month;
        for (int m = 1; m <= 12; ++m) {
            file.columns.append(AnalyseColumn {at(1, m, 2024)});
            file.dataStorage.monthsStorage.append(month);
        }
        return file;
    }

    // Each kind of budget row planned at the largest amount of the sign, nothing real.
    static BudgetSyntheseList budgetRows(int sign)
    {
        BudgetSyntheseList rows;
        for (const auto kind : {BudgetSyntheseKind::Prevision, BudgetSyntheseKind::Echeancier,
                                BudgetSyntheseKind::HorsBudget, BudgetSyntheseKind::Total}) {
            BudgetSyntheseEntry row;
            row.kind = kind;
            row.name = row.posteName = QStringLiteral("Loyer");
            row.dossierName = QStringLiteral("Maison");
            row.montantPrevuDebit = largest(-sign);
            rows.append(row);
        }
        return rows;
    }

    DOCUMENT doc {QString(), kFileSystemLocal};
    std::optional<testenv::OpenDocument> session;
};

TEST_F(GraphFiguresTest, TheGraphAndTheSynthesisGridsShowTheirLargestFiguresWhole)
{
    const auto rotated = [](FenTableurController* grid) {
        grid->inverseRotation();
        return grid;
    };
    const std::pair<const char*, std::function<StdWindowController*(int, long)>> opened[] = {
        {"graphique-mois", [this](int sign, long slot) { return openGraph(sign, slot, false); }},
        {"graphique-jours", [this](int sign, long slot) { return openGraph(sign, slot, true); }},
        {"synthese-analyse", [this](int sign, long slot) { return openTableurAnalyse(analyseFile(sign), slot); }},
        {"synthese-analyse-pivotee",
         [&](int sign, long slot) { return rotated(openTableurAnalyse(analyseFile(sign), slot)); }},
        {"synthese-budget",
         [this](int sign, long slot) { return openTableurBudget(budgetRows(sign), analyseFile(sign), slot); }},
        {"synthese-budget-pivotee",
         [&](int sign, long slot) { return rotated(openTableurBudget(budgetRows(sign), analyseFile(sign), slot)); }},
    };
    for (const auto& [screen, frame] : {std::pair {"laptop", QRect(0, 0, 1366, 768)}, {"wide", {0, 0, 2560, 1440}}}) {
        ui().screenInfo().frame = ui().screenInfo().full = frame;
        for (const int sign : {1, -1}) {
            for (long slot = 0; slot < kDeviseSlotCount; ++slot) {
                for (const auto& [name, open] : opened) {
                    StdWindowController* window = open(sign, slot);
                    const QString where
                        = QStringLiteral("%1-%2-%3-%4").arg(name, screen, sign > 0 ? "plus" : "moins").arg(slot);
                    EXPECT_EQ(cutFigures(*window, where).toStdString(), "") << where.toStdString();
                    narrow(*window);
                    EXPECT_EQ(cutFigures(*window, where + QStringLiteral("-etroite")).toStdString(), "")
                        << where.toStdString();
                    window->close();
                }
            }
        }
    }
}

} // namespace
