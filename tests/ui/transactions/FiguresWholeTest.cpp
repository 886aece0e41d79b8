// Every window that shows figures, drawn with the largest figures a household document holds:
// 999 999 999,99 and its negative in each of its five currencies, 999 999 lines in a list's
// count, on a laptop screen and on a wide one, in upright and italic rows. A figure drawn in less
// room than it needs warns (drawFigure), which fails the test; every label showing a figure must
// be drawn that way, and show whole inside its window or row. The pictures are saved under the
// test output folder for a person to look at.
#include "ui/investments/InvestmentFixture.h"
#include "uisupport/FigureChecks.h"

#include "analysis/FenAnalyseController.h"
#include "analysis/FenBudgetController.h"
#include "entities/FenBanqueController.h"
#include "graphs/FenBilanController.h"
#include "investments/FenFinanceEmpruntController.h"
#include "investments/FenFinanceRemunereController.h"
#include "investments/FenFinanceTitreController.h"
#include "schedules/FenEcheancierController.h"
#include "transactions/FenListingDossierController.h"
#include "transactions/FenListingEmpruntController.h"
#include "transactions/FenListingRemunereController.h"
#include "transactions/FenListingTaxeController.h"
#include "transactions/FenListingTitreController.h"
#include "transactions/FenReleveController.h"

#include "document/DocumentSession.h"
#include "foundation/localized.h"
#include "model/AnalyseConfiguration.h"
#include "model/ReleveCompute.h"

#include <QAction>

namespace {

using saisieui::at;

constexpr double kLargest = 999999999.99;
constexpr long kLargestCount = 999999;

// The rows of the window's tables as the tables paint them, a screenful of each.
QStringList cutInRows(StdWindowWithTableController& window, const QString& where)
{
    QStringList cut;
    for (StdTableView* table : {window.table1(), window.table2()}) {
        if (!table || !table->isVisibleTo(window.window()))
            continue;
        for (int row = 0; row < std::min(table->numberOfRows(), 30); ++row) {
            if (const StdCell* cell = figurechecks::paintRow(*table, row)) {
                const QRect visible(QPoint(0, 0), table->visualRect(table->model()->index(row, 0)).size());
                cut << figurechecks::cutFigures(*cell, visible, QStringLiteral("%1 row %2").arg(where).arg(row));
            }
        }
    }
    return cut;
}

struct Screen {
    const char* name;
    QRect frame;
};
const Screen kScreens[] = {{"laptop", QRect(0, 0, 1366, 768)}, {"wide", QRect(0, 0, 2560, 1440)}};

class FiguresWholeTest : public invest::InvestmentTest {
protected:
    FiguresWholeTest()
    {
        const char* const units[] = {"€", "F", "$", "CHF", "£"};
        for (int slot = 0; slot < kDeviseSlotCount; ++slot) {
            doc.deviseHdl[slot].used = true;
            doc.deviseHdl[slot].unit = QString::fromUtf8(units[slot]);
            doc.deviseHdl[slot].convert = 1.0;
            doc.deviseHdl[slot].decimale = 2;
        }
    }
    ~FiguresWholeTest() override { MONTANT::setCurrentDeviseSlot(0); }

    // The whole year 2024, by month, folders and categories, for the analysis and the budget.
    void addAnalyseConfiguration()
    {
        AnalyseConfiguration conf;
        anaConfigSetDefaults(&doc, conf);
        conf.nom = QStringLiteral("Année 2024");
        conf.modeDate = kModeDateGiven;
        conf.date1 = at(1, 1, 2024);
        conf.date2 = at(31, 12, 2024) + 86399;
        conf.showMonth = conf.showDossier = conf.showPoste = true;
        conf.compteID = -1;
        doc.anadefHdl = {conf};
    }

    MONTANT amount(double value) const
    {
        MONTANT m;
        m.makeMontant(0, value, doc.deviseHdl);
        return m;
    }

    // One transaction, split in two, carries the largest amount, income (sign 1) or expense (-1)
    // of the current account, of the security (quoted at it and held once), the loan, the savings
    // and the tax; every other amount is nothing, so that no balance or total goes beyond it. The
    // schedule and the forecast plan the largest amount only when told: their occurrences add up
    // in the coming days and over the year.
    void holdLargest(int sign, bool plans)
    {
        for (TRANSACT& t : doc.transact_array) {
            t.solde = MONTANT();
            t.quote1 = t.quote2 = t.quote3 = MONTANT();
            t.nTitre = 0;
            for (MULTI& line : t.multis)
                line.montant = MONTANT();
        }
        TRANSACT& big = doc.transact_array[sign > 0 ? 1 : 2];
        big.solde = amount(kLargest);
        big.multis = {MULTI(sign > 0 ? 6 : 1, amount(600000000), {}), MULTI(4, amount(kLargest - 600000000), {})};
        big.titreID = 1;
        big.nTitre = 1;
        big.quote1 = amount(kLargest);
        big.empruntID = 3;
        big.remunereID = 4;
        big.taxeID = 2;
        big.taxe = amount(kLargest - 800000000);
        doc.titreHdl[0].cour = amount(kLargest);
        doc.echeancierHdl[0].transact.solde = plans ? amount(kLargest) : MONTANT();
        doc.previsionsArray[0].transact.solde = plans ? amount(kLargest) : MONTANT();
        recomputeAllReleves(&doc);
    }

    // The window in the currency of the slot, and a list's line count at its largest.
    static void showLargestCount(StdWindowWithTableController& window, long slot)
    {
        if (window.devise() != slot) { // a window that opens in its own currency is switched
            QAction item;
            item.setData(QVariant::fromValue<qint64>(slot));
            window.perform(QStringLiteral("DEVISE:"), &item);
        }
        if (auto* list = qobject_cast<FenTransListController*>(&window); list && list->field_nb_operations())
            list->field_nb_operations()->setText(QString::number(kLargestCount)
                                                 + localizedMisc(QStringLiteral("kMisc_Nb_Operations")));
    }
    // Every figure of the window and of its rows not shown whole, one a line; the picture is saved
    // when asked.
    static QString cutFigures(StdWindowWithTableController& window, const QString& where, bool save)
    {
        figurechecks::runLayouts();
        WindowDriver(window).grab(save ? where + QStringLiteral(".png") : QString());
        return (figurechecks::cutFigures(*window.window(), window.window()->rect(), where) + cutInRows(window, where))
            .join(u'\n');
    }
};

TEST_F(FiguresWholeTest, EveryWindowShowsItsLargestFiguresWhole)
{
    DocumentSession::close();
    DocumentSession::adopt(doc);
    addAnalyseConfiguration();
    using Open = std::function<StdWindowWithTableController*(long slot)>;
    struct Window {
        const char* name;
        Open open;
        bool plans = false; // shows what the schedule and the forecast plan, not their sums
    };
    const Window opened[] = {
        {"releve", [this](long slot) { return openReleveWindow(7, true, slot, doc); }},
        {"compte",
         [this](long) {
             FenTransListController* list = openCompteTransList(7, doc, true);
             list->multiActionAtRow(rowOf(list, doc.transact_array[1].multis.isEmpty() ? 2 : 1));
             return list;
         }},
        {"dossier", [this](long slot) { return openListingDossier(doc, 2, slot, true); }},
        {"listing-titre", [this](long slot) { return openListingTitre(doc, 1, slot, true); }},
        {"listing-emprunt", [this](long slot) { return openListingEmprunt(doc, 3, slot, true); }},
        {"listing-remunere", [this](long slot) { return openListingRemunere(doc, 4, slot, true); }},
        {"listing-taxe",
         [this](long slot) {
             return openListingTaxe(doc, DECLARATION {2, at(1, 1, 2024), at(31, 12, 2024)}, slot, true);
         }},
        {"banques",
         [](long slot) {
             FenBanqueController* banques = showBanques(true, slot);
             banques->table1()->GO(0); // the user's bank and its accounts
             return banques;
         }},
        {"bilan", [](long slot) { return FenBilanController::openBilan(slot); }},
        {"echeancier", [](long slot) { return FenEcheancierController::openEcheanciers(slot); }, true},
        {"titres", [](long) { return FenFinanceTitreController::openTitres(); }},
        {"emprunts", [](long) { return FenFinanceEmpruntController::openEmprunts(); }},
        {"remuneres", [](long) { return FenFinanceRemunereController::openRemuneres(); }},
        {"analyse",
         [this](long) { return openNewAnalyseWindow(doc, QStringLiteral("Année 2024"), 0, std::nullopt, true); }},
        {"budget", [this](long) { return openBudgetWindow(doc, QStringLiteral("Année 2024"), 0, std::nullopt, true); }},
    };
    for (const Screen& screen : kScreens) {
        ui().screenInfo().frame = ui().screenInfo().full = screen.frame;
        for (const int sign : {1, -1}) {
            for (long slot = 0; slot < kDeviseSlotCount; ++slot) {
                MONTANT::setCurrentDeviseSlot(int(slot));
                for (const auto& [name, open, plans] : opened) {
                    holdLargest(sign, plans);
                    StdWindowWithTableController* window = open(slot);
                    ASSERT_NE(window, nullptr) << name;
                    showLargestCount(*window, slot);
                    const QString where = QStringLiteral("%1-%2-%3-%4")
                                              .arg(QString::fromLatin1(name), QString::fromLatin1(screen.name))
                                              .arg(sign > 0 ? "plus" : "moins")
                                              .arg(slot);
                    EXPECT_EQ(cutFigures(*window, where, slot == 3), QString()) << where.toStdString();
                    window->window()->resize(1, window->window()->height()); // as narrow as the user can make it
                    EXPECT_EQ(cutFigures(*window, where + QStringLiteral("-etroite"), slot == 3), QString())
                        << where.toStdString();
                    window->close();
                }
            }
        }
    }
}

} // namespace
