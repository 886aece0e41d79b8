// The graph window and the synthesis grids drawn with the largest figures a household document
// holds: 999 999 999,99 and its negative in each of its five currencies, on a laptop screen and on
// a wide one, as opened and as narrow as the user can make them. The graph's table rows, its axis
// values and the legend of the selected period, and every figure of the grids (also rotated)
// show whole: a label showing a figure is a FigureLabel, a painted figure lies inside the view
// and inside the room it is drawn in. The pictures are saved under the test output folder.
#include "../analysis/AnalyseHousehold.h"
#include "uisupport/FigureChecks.h"
#include "uisupport/UiTestFixture.h"
#include "uisupport/WindowDriver.h"

#include "analysis/FenTableurAnalyseController.h"
#include "analysis/FenTableurBudgetController.h"
#include "graphs/FenGraphiqueController.h"
#include "graphs/ViewGraphique.h"
#include "toolkit/drawing/figures.h"

#include "foundation/SystemClock.h"
#include "foundation/dates.h"
#include "model/DOCPARAM.h"
#include "support/OpenDocument.h"

#include <QApplication>

#include <functional>

namespace {

using analysehousehold::at;

constexpr double kLargest = 999999999.99;

struct Screen {
    const char* name;
    QRect frame;
};
const Screen kScreens[] = {{"laptop", QRect(0, 0, 1366, 768)}, {"wide", QRect(0, 0, 2560, 1440)}};

// Where a text of the graph is drawn: its advance placed in its rectangle by its alignment, 3
// points in from the edge it keeps to.
QString cutGraphText(const GraphShape& text, const QRectF& view)
{
    QFont font = QApplication::font();
    font.setPixelSize(std::max(1, int(std::lround(text.fontSize))));
    font.setItalic(text.italic);
    const double advance = figureAdvance(text.text, font);
    double left = text.rect.left() + 3;
    if (text.horizontal == 1)
        left = text.rect.right() - 3 - advance;
    else if (text.horizontal == 2)
        left = text.rect.center().x() - advance / 2;
    if (advance <= text.rect.width() - 6 + 0.5 && left >= view.left() - 0.5 && left + advance <= view.right() + 0.5)
        return {};
    return QStringLiteral("\"%1\" drawn from %2 to %3 in a room of %4 (view %5 wide)")
        .arg(text.text)
        .arg(left, 0, 'f', 1)
        .arg(left + advance, 0, 'f', 1)
        .arg(text.rect.width(), 0, 'f', 1)
        .arg(view.width());
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
            doc.deviseHdl[slot].used = true;
            doc.deviseHdl[slot].unit = QString::fromUtf8(units[slot]);
            doc.deviseHdl[slot].convert = 1.0;
            doc.deviseHdl[slot].decimale = 2;
        }
        session.emplace(doc);
    }
    ~GraphFiguresTest() override
    {
        session.reset();
        SystemClock::setNowForTesting(std::nullopt);
    }

    // The largest amount, of that sign, in every currency.
    static MONTANT largest(int sign)
    {
        MONTANT m;
        for (long slot = 0; slot < kDeviseSlotCount; ++slot)
            m.setValueForDevise(slot, sign * kLargest);
        return m;
    }

    // A graph of the balance of the current account by month over 2024 (by day over December when
    // asked), every period at the largest amount of the sign, the last period selected: its
    // legend shows beside the right edge of the plot.
    FenGraphiqueController* openGraph(int sign, long slot, bool byDay)
    {
        GRAPHFILE file;
        GRAPH& g = file.header;
        g.nom = QStringLiteral("Compte courant");
        g.compteID = 7;
        g.timeKind = byDay ? 1 : 0;
        g.totalKind = 1;
        g.graph_date1 = byDay ? at(1, 12, 2024) : at(1, 1, 2024);
        g.graph_date2 = at(31, 12, 2024);
        g.makeDate = SystemClock::now();
        g.makeDoc = QStringLiteral("Ménage");
        g.soldeInit = largest(sign);
        g.maxTot = g.maxSol = largest(1); // the largest in absolute value
        for (int period = 0; period < (byDay ? 31 : 12); ++period) {
            DATAGRAPH point;
            point.when = byDay ? at(1 + period, 12, 2024) : at(1, 1 + period, 2024);
            point.total = period == 0 ? largest(sign) : MONTANT();
            point.solde = largest(sign);
            file.dataArray.append(point);
        }
        makeGraphTitle(file, &doc);
        auto* window = StdWindowController::push<FenGraphiqueController>(
            makeWindowData({{QStringLiteral("graphfile"), QVariant::fromValue(file)}}), slot, true);
        window->table1()->GO(window->table1()->numberOfRows() - 1);
        return window;
    }

    // Rows Maison and Loyer by month over 2024, each figure the largest of the sign.
    AnalyseFile analyseFile(int sign) const
    {
        AnalyseFile file;
        file.devises = doc.deviseHdl;
        file.anaDef.nom = QStringLiteral("Année 2024");
        file.anaDef.date1 = at(1, 1, 2024);
        file.anaDef.date2 = at(31, 12, 2024);
        file.rows = {{AnalyseRowKind::Dossier, 1, QStringLiteral("Maison")},
                     {AnalyseRowKind::Poste, 2, QStringLiteral("Loyer")}};
        for (long month = 1; month <= 12; ++month)
            file.columns.append(AnalyseColumn {at(1, month, 2024)});
        AnalyseDataMonthStorage storage;
        storage.addRows(file.rows.size());
        for (AnalyseData& data : storage.rowsStorage)
            (sign > 0 ? data.totCre : data.totDeb) = largest(1);
        file.dataStorage.totalMonths = storage;
        for (qsizetype month = 0; month < file.columns.size(); ++month)
            file.dataStorage.monthsStorage.append(storage);
        return file;
    }

    // A forecast, a schedule, what nothing planned and the total, each planned at the largest
    // amount of the sign and nothing real: the difference is the largest of the other sign.
    BudgetSyntheseList budgetRows(int sign) const
    {
        BudgetSyntheseList rows;
        const std::tuple<BudgetSyntheseKind, const char*> kinds[] = {{BudgetSyntheseKind::Prevision, "Courses du mois"},
                                                                     {BudgetSyntheseKind::Echeancier, "Loyer"},
                                                                     {BudgetSyntheseKind::HorsBudget, ""},
                                                                     {BudgetSyntheseKind::Total, ""}};
        for (const auto& [kind, name] : kinds) {
            BudgetSyntheseEntry entry;
            entry.kind = kind;
            entry.name = QString::fromUtf8(name);
            entry.posteName = QStringLiteral("Courses");
            entry.dossierName = QStringLiteral("Maison");
            (sign > 0 ? entry.montantPrevuCredit : entry.montantPrevuDebit) = largest(1);
            rows.append(entry);
        }
        return rows;
    }

    static QStringList cutInGraph(FenGraphiqueController& window, const QString& where)
    {
        QStringList cut;
        ViewGraphique& view = *window.view_graphique();
        GraphDrawOptions options;
        options.devise = view.devise();
        options.devises = view.devHdl();
        const GraphPicture picture = graphPictureWithRoom(*view.graph_file(), options, QRectF(view.rect()), &view);
        for (const GraphShape& shape : picture.shapes) {
            if (shape.kind != GraphShape::Kind::Text)
                continue;
            if (const QString shown = cutGraphText(shape, QRectF(view.rect())); !shown.isEmpty())
                cut << where + QStringLiteral(" graph ") + shown;
        }
        return cut;
    }

    static QStringList cutInGrid(FenTableurController& grid, const QString& where)
    {
        QStringList cut;
        for (long r = 0; r < grid.numberOfRows(); ++r) {
            for (long c = 0; c < grid.numberOfColumns(); ++c) {
                const QString text = grid.currentValueForCell(grid.cellAtRow(r, c));
                if (!figurechecks::showsFigure(text))
                    continue;
                const double needed = figureAdvance(text, grid.fontForCellAtRowIndex(r, c, 11));
                const double room = grid.figureRoomOfColumn(c);
                if (needed > room + 0.5)
                    cut << QStringLiteral("%1 cell %2,%3 \"%4\" needs %5 px, has %6")
                               .arg(where)
                               .arg(r)
                               .arg(c)
                               .arg(text)
                               .arg(needed, 0, 'f', 1)
                               .arg(room, 0, 'f', 1);
            }
        }
        return cut;
    }

    // Every figure of the window not shown whole, one a line; the picture is saved when asked.
    static QString cutFigures(StdWindowController& window, const QString& where, bool save)
    {
        figurechecks::runLayouts();
        WindowDriver(window).grab(save ? where + QStringLiteral(".png") : QString());
        QStringList cut = figurechecks::cutFigures(*window.window(), window.window()->rect(), where);
        if (auto* graph = qobject_cast<FenGraphiqueController*>(&window)) {
            for (int row = 0; row < graph->table1()->numberOfRows(); ++row) {
                if (const StdCell* cell = figurechecks::paintRow(*graph->table1(), row)) {
                    const QRect visible(QPoint(0, 0), cell->size());
                    cut << figurechecks::cutFigures(*cell, visible, QStringLiteral("%1 row %2").arg(where).arg(row));
                }
            }
            cut << cutInGraph(*graph, where);
        }
        if (auto* grid = qobject_cast<FenTableurController*>(&window))
            cut << cutInGrid(*grid, where);
        return cut.join(u'\n');
    }

    DOCUMENT doc {QString(), kFileSystemLocal};
    std::optional<testenv::OpenDocument> session;
};

TEST_F(GraphFiguresTest, TheGraphAndTheSynthesisGridsShowTheirLargestFiguresWhole)
{
    using Open = std::function<StdWindowController*(int sign, long slot)>;
    const auto rotated = [](FenTableurController* grid) {
        grid->inverseRotation();
        return grid;
    };
    const std::pair<const char*, Open> opened[] = {
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
    for (const Screen& screen : kScreens) {
        ui().screenInfo().frame = ui().screenInfo().full = screen.frame;
        for (const int sign : {1, -1}) {
            for (long slot = 0; slot < kDeviseSlotCount; ++slot) {
                MONTANT::setCurrentDeviseSlot(int(slot));
                for (const auto& [name, open] : opened) {
                    StdWindowController* window = open(sign, slot);
                    ASSERT_NE(window, nullptr) << name;
                    const QString where = QStringLiteral("%1-%2-%3-%4")
                                              .arg(QString::fromLatin1(name), QString::fromLatin1(screen.name))
                                              .arg(sign > 0 ? "plus" : "moins")
                                              .arg(slot);
                    EXPECT_EQ(cutFigures(*window, where, slot == 3).toStdString(), "") << where.toStdString();
                    window->window()->resize(1, window->window()->height()); // as narrow as the user can make it
                    EXPECT_EQ(cutFigures(*window, where + QStringLiteral("-etroite"), slot == 3).toStdString(), "")
                        << where.toStdString();
                    window->close();
                }
            }
        }
    }
    MONTANT::setCurrentDeviseSlot(0);
}

} // namespace
