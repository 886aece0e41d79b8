// The loans and savings windows: rows and footers, an empty document, the row selected after a
// deletion, the Delete key that acts only from the list, the replacement of the deleted item in
// its transactions, and the loans shown by name or by position.
#include "InvestmentFixture.h"

#include "investments/FenAskSubstFinanceController.h"
#include "investments/FenEditFinanceEmpruntController.h"
#include "investments/FenFinanceEmpruntController.h"
#include "investments/FenFinanceRemunereController.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace {

using invest::InvestmentTest;

class FenFinanceEmpruntControllerTest : public InvestmentTest {
protected:
    void deleteRow(StdWindowWithTableController* window, int row, long replacement)
    {
        window->table1()->GO(row);
        ui().answerAlert(1001);
        ui().onModal<FenAskSubstFinanceEmpruntController>([replacement](FenAskSubstFinanceEmpruntController& dialog) {
            dialog.pickers().empruntID = replacement;
            dialog.perform("OUI:");
        });
        window->perform("SUPPRIMER:");
    }
};

TEST_F(FenFinanceEmpruntControllerTest, RowsAndFootersShowEachKindsTotals)
{
    FenFinanceEmpruntController* emprunts = FenFinanceEmpruntController::openEmprunts();
    EXPECT_EQ(rows(emprunts), (QStringList {"Prêt auto|-45,00|-|-|-", "Prêt travaux|-|-|-|-"}));
    EXPECT_EQ(WindowDriver(*emprunts).text("field_nb_placements"), "2 emprunt(s)");
    EXPECT_EQ(WindowDriver(*emprunts).text("field_total_rembourse"), "-45,00");
    FenFinanceRemunereController* epargne = FenFinanceRemunereController::openRemuneres();
    EXPECT_EQ(rows(epargne), (QStringList {"Livret A|-30,00|-|-|-30,00"}));
    EXPECT_EQ(WindowDriver(*epargne).text("field_nb_placements"), "1 épargne(s)");
    EXPECT_EQ(FenFinanceRemunereController::openRemuneres(), epargne);
    WindowDriver(*emprunts).grab(QStringLiteral("investments-emprunts.png"));
    WindowDriver(*epargne).grab(QStringLiteral("investments-epargne.png"));

    // Nothing to show: zero totals and a count of 0.
    doc.empruntHdl.clear();
    emprunts->COMPUTE_TOTAUX();
    EXPECT_EQ(WindowDriver(*emprunts).text("field_nb_placements"), "0 emprunt(s)");
    EXPECT_EQ(WindowDriver(*emprunts).text("field_total_rembourse"), "-");
}

TEST_F(FenFinanceEmpruntControllerTest, TheRowAfterADeletionIsTheSameOrTheNewLast)
{
    struct Case {
        int count;
        int row;
        long expected;
    };
    const Case cases[] = {{1, 0, -1}, {10, 5, 5}, {10, 9, 8}};
    for (const Case& c : cases) {
        doc.empruntHdl.clear();
        for (int i = 0; i < c.count; ++i)
            doc.empruntHdl.append(invest::item(20 + i, QStringLiteral("Prêt %1").arg(i).toUtf8().constData()));
        FenFinanceEmpruntController* window = FenFinanceEmpruntController::openEmprunts();
        window->table1()->reloadData();
        deleteRow(window, c.row, -1);
        EXPECT_EQ(int(doc.empruntHdl.size()), c.count - 1);
        EXPECT_EQ(selected(window), c.expected) << c.count << " " << c.row;
        EXPECT_EQ(recorder.calls.last(), QStringLiteral("empruntHasBeenDeleted %1").arg(20 + c.row));
    }
}

TEST_F(FenFinanceEmpruntControllerTest, DeletingGivesTheTransactionsToTheReplacementAndTheKeyActsFromTheList)
{
    FenFinanceEmpruntController* window = FenFinanceEmpruntController::openEmprunts();
    window->table1()->GO(0);
    window->windowIfLoaded()->setFocus();
    EXPECT_FALSE(window->delete_(nullptr));
    EXPECT_EQ(doc.empruntHdl.size(), 2);

    window->table1()->setFocus();
    ui().answerAlert(1001);
    ui().onModal<FenAskSubstFinanceEmpruntController>([](FenAskSubstFinanceEmpruntController& dialog) {
        dialog.pickers().empruntID = 5;
        dialog.perform("OUI:");
    });
    EXPECT_TRUE(window->delete_(nullptr));
    ASSERT_EQ(doc.empruntHdl.size(), 1);
    EXPECT_EQ(transactionsOf(&TRANSACT::empruntID, 5), QList<long> {6});
    EXPECT_EQ(recorder.calls, QStringList {"empruntHasBeenDeleted 3"});
}

TEST_F(FenFinanceEmpruntControllerTest, NewLoansAreSelectedByPositionAndByName)
{
    FenFinanceEmpruntController* window = FenFinanceEmpruntController::openEmprunts();
    ui().onModal<FenEditFinanceEmpruntController>([](FenEditFinanceEmpruntController& editor) {
        editor.field_nom()->setText(QStringLiteral("Crédit immobilier"));
        WindowDriver(editor).widget("cb_pret")->setProperty("checked", true);
        editor.perform("OUI:");
    });
    window->perform("NOUVEAU:");
    ASSERT_EQ(doc.empruntHdl.size(), 3);
    EXPECT_TRUE(doc.empruntHdl[0].pret);
    EXPECT_EQ(selected(window), 0);
    EXPECT_EQ(recorder.calls, QStringList {QStringLiteral("empruntHasBeenCreated %1").arg(doc.empruntHdl[0].ident)});

    window->showEmpruntAtName(QStringLiteral("prêt TRAVAUX"));
    EXPECT_EQ(selected(window), 2);
    window->notifyNewEmprunt(1, {});
    EXPECT_EQ(selected(window), 1);
    window->notifyNewEmprunt(7, {});
    EXPECT_EQ(selected(window), 1);
    // No application to open the simulator: its command is there, disabled.
    EXPECT_FALSE(WindowDriver(*window).widget("button_SIMULATION")->isEnabled());
}

} // namespace
