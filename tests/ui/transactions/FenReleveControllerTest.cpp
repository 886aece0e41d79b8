// The statement window reconciling the current account (7) of the list fixture: its rows, ticking
// in tick mode and by dragging, the statements' life and locks, and the refusals.
#include "TransListFixture.h"

#include "entities/FenDeviseController.h"
#include "entities/FenEditDeviseController.h"
#include "toolkit/dialogs/FenAskPoursuivreController.h"
#include "toolkit/tables/CellTransact.h"
#include "transactions/FenEditReleveController.h"
#include "transactions/FenReleveController.h"

#include "uisupport/WindowDriver.h"

#include "model/ReleveCompute.h"
#include "model/TOOL.h"

#include <QAbstractButton>
#include <QGuiApplication>
#include <QMimeData>

namespace {

using saisieui::at;
using translist::TransListTest;

// The application delegate's part tick mode needs: the flag and the tool palette.
class PointeApp : public IWindowAppDelegate {
public:
    void windowDidBecomeMain(StdWindow*) override { }
    void windowDidResignMain(StdWindow*) override { }
    StdWindowController* getPaletteTool() override { return tool; }
    StdWindowController* tool = nullptr;
};

class FenReleveTest : public TransListTest {
protected:
    FenReleveTest()
    {
        setWindowAppDelegate(&app);
        recomputeAllReleves(&doc);
    }
    ~FenReleveTest() override { setWindowAppDelegate(nullptr); }

    TOOL& courant() { return *getTool(kToolCompte, 7, &doc); }
    FenReleveController* open(long compte = 7) { return openReleveWindow(compte, true, 0, doc); }
    static void select(StdTableView* table, const QList<long>& rows)
    {
        table->clearSelection();
        for (const long row : rows)
            table->selectionModel()->select(table->model()->index(int(row), 0),
                                            QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    static QString cell(StdTableView* table, long row)
    {
        return table->model()->data(table->model()->index(int(row), 0)).toString();
    }
    static QString pied(FenReleveController* w, int field) { return w->fieldPied(field)->text(); }
    // Rows of table 1 dragged onto a row of table 2.
    static bool drop(FenReleveController* w, long row)
    {
        StdRowsMimeData data(w->table1(), w->table1()->selectedRowIndexes());
        QAbstractItemModel* model = w->table2()->model();
        return model->canDropMimeData(&data, Qt::MoveAction, -1, -1, model->index(int(row), 0))
            && model->dropMimeData(&data, Qt::MoveAction, -1, -1, model->index(int(row), 0));
    }
    void addReleve(long ident, double date)
    {
        RELEVE releve;
        releve.ident = ident;
        releve.date = date;
        long index = 0;
        courant().appendReleve(releve, &index, &doc);
    }
    // The account's balances as the window left them equal a full recomputation's.
    void expectCoreBalances()
    {
        const TOOL before = courant();
        recomputeAllReleves(&doc);
        EXPECT_EQ(before.solde, courant().solde);
        EXPECT_EQ(before.RsoldeSR, courant().RsoldeSR);
        ASSERT_EQ(before.releves.size(), courant().releves.size());
        for (qsizetype i = 0; i < before.releves.size(); ++i)
            EXPECT_EQ(before.releves[i].solde, courant().releves[i].solde) << i;
    }

    PointeApp app;
};

TEST_F(FenReleveTest, RowsListTheirTransactionsFromTheirCarryOver)
{
    FenReleveController* w = open();
    ASSERT_TRUE(w);
    EXPECT_EQ(open(), w) << "one window per account";
    ASSERT_EQ(w->table2()->numberOfRows(), 3);
    EXPECT_EQ(w->selectedReleveRow(), kRowNonPointees);
    EXPECT_TRUE(w->palette()) << "the entry palette is attached";
    // Row, positions listed, carry-over, debit and credit of the footer.
    const std::tuple<long, std::string, double, const char*, const char*> rows[] = {
        {kRowNonPointees, "6 3 2 1 0", -20, "362,50", "1 800,00"},
        {kFirstReleveRow, "5", 0, "20,00", "-"},
    };
    for (const auto& [row, positions, report, debit, credit] : rows) {
        w->table2()->GO(int(row));
        EXPECT_EQ(translist::TransListTest::selectedPositions(w).size(), 0u);
        select(w->table1(), {});
        QStringList shown;
        for (long line = 0; line < listingCount(w->listing()); ++line)
            shown << QString::number(listingPosAtIndex(w->listing(), line)->storageIndex);
        EXPECT_EQ(shown.join(u' ').toStdString(), positions) << row;
        EXPECT_DOUBLE_EQ(w->reportForRow(row).values[0], report) << row;
        EXPECT_EQ(pied(w, 0), QString::fromUtf8(debit)) << row;
        EXPECT_EQ(pied(w, 1), QString::fromUtf8(credit)) << row;
    }
    // The unticked row ends on the account's balance, the statement on its own.
    w->table2()->GO(kRowNonPointees);
    EXPECT_EQ(pied(w, 4), montantToStringForDevise(courant().solde, 0, &doc.deviseHdl, false));
    EXPECT_TRUE(cell(w->table2(), kFirstReleveRow).contains(QStringLiteral("31/05/2024")));
    EXPECT_TRUE(cell(w->table2(), kRowAVenir).contains(QStringLiteral("À venir (30 j)")));
    w->close();
}

TEST_F(FenReleveTest, AnAccountWithoutStatementsHasTwoRowsAndNothingToTick)
{
    FenReleveController* w = open(9);
    ASSERT_TRUE(w);
    EXPECT_EQ(w->table2()->numberOfRows(), 2);
    EXPECT_TRUE(w->reportForRow(kRowNonPointees).nullMontant());
    EXPECT_FALSE(w->canDeleteReleve());
    EXPECT_FALSE(w->canPointerReleve());
    w->POINTER_RELEVE(nullptr);
    EXPECT_EQ(ui().desktopRequests().beeps, 1);
    EXPECT_EQ(openReleveWindow(404, true, 0, doc), nullptr);
    w->close();
}

// A new statement, ticked at once: double clicks in tick mode, then drags outside it.
TEST_F(FenReleveTest, ReconcilingAStatementByClickAndDragMatchesTheCore)
{
    FenReleveController* w = open();
    ASSERT_TRUE(w);
    QPointer<StdWindowController> entry = w->palette();
    ui().advance(500); // the palette is placed and shown
    w->window()->grab().save(QStringLiteral("/tmp/releve_before.png"));
    ui().onModal<FenEditReleveController>([](FenEditReleveController& editor) {
        WindowDriver(editor).type(QStringLiteral("field_nom"), QStringLiteral("Juin"));
        WindowDriver(editor).type(QStringLiteral("field_jour1"), QStringLiteral("12"));
        WindowDriver(editor).click(QStringLiteral("POINTER:"));
    });
    ui().onModal<FenReleveController>([&](FenReleveController& pointing) {
        EXPECT_TRUE(app._isDuringPointe());
        ASSERT_TRUE(QGuiApplication::overrideCursor());
        EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::CrossCursor);
        EXPECT_FALSE(pointing.table2()->canChangeSelection());
        EXPECT_FALSE(pointing.can_imprimer());
        EXPECT_EQ(pointing.selectedReleveRow(), kFirstReleveRow) << "the new statement, newest first";
        ASSERT_EQ(listingCount(pointing.listing()), 5);
        // Salaire (+1800) then Pain (-12,50), each by a double click on the first row.
        for (const long position : {1L, 0L}) {
            const long row = rowOf(&pointing, position);
            pointing.table1()->GO(int(row));
            pointing.didDoubleClick1(nullptr);
            const TRANSACT& ticked = doc.transact_array[position];
            EXPECT_EQ(position == 1 ? ticked.releveID2 : ticked.releveID1, courant().releves[0].ident) << position;
        }
        EXPECT_EQ(listingCount(pointing.listing()), 3);
        EXPECT_TRUE(cell(pointing.table2(), kFirstReleveRow).contains(QStringLiteral("1 767,50")));
        // What remains unticked: Courses, Retrait, Courtier.
        EXPECT_EQ(pied(&pointing, 2), QStringLiteral("-350,00"));
        pointing.window()->grab().save(QStringLiteral("/tmp/releve_during.png"));
        ui().answerAlert(QStringLiteral("kAlerte_CannotClose"), kAlertFirstButton);
        pointing.window()->close();
        EXPECT_TRUE(pointing.window()->isVisible()) << "closing is refused in tick mode";
        pointing.POINTER_RELEVE(nullptr);
    });
    w->CREER_RELEVE(nullptr);
    EXPECT_FALSE(app._isDuringPointe());
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(w->table2()->canChangeSelection());
    ASSERT_EQ(courant().nbReleve(), 2);
    const long juin = courant().releves[0].ident;
    expectCoreBalances();

    // Dragging Retrait from the unticked row onto June, then Salaire back off it.
    w->table2()->GO(kRowNonPointees);
    select(w->table1(), {rowOf(w, 3)});
    EXPECT_TRUE(drop(w, kFirstReleveRow));
    EXPECT_EQ(doc.transact_array[3].releveID1, juin);
    EXPECT_FALSE(drop(w, kRowAVenir)) << "the coming days take no transaction";
    w->table2()->GO(kFirstReleveRow);
    select(w->table1(), {rowOf(w, 1)});
    EXPECT_FALSE(drop(w, kFirstReleveRow)) << "not on the row it comes from";
    EXPECT_TRUE(drop(w, kRowNonPointees));
    EXPECT_EQ(doc.transact_array[1].releveID2, -1);
    EXPECT_EQ(listingCount(w->listing()), 2);
    expectCoreBalances();
    w->window()->grab().save(QStringLiteral("/tmp/releve_after.png"));
    w->close();
}

// Whatever the user does in the window, it stays at the frame the user gave it, on a few rows as
// on hundreds: an entry from its palette, a statement created and ticked, a currency edited in the
// currencies window.
TEST_F(FenReleveTest, TheWindowKeepsTheFrameTheUserGaveIt)
{
    ui().screenInfo().frame = ui().screenInfo().full = QRect(0, 0, 1366, 768);
    const auto cardPayment = [this](FenReleveController& w) {
        ui().onModal<FenEditSaisieController>([this](FenEditSaisieController& entry) {
            choose(entry, "pop_compteC", 22);
            type(entry, "field_montant", QStringLiteral("12.00"));
            ok(entry);
        });
        ui().onModal<FenEditSaisieController>([](FenEditSaisieController& entry) { cancel(entry); });
        for (QAbstractButton* button : w.palette()->window()->findChildren<QAbstractButton*>()) {
            if (button->property("identifier").toString() == QLatin1String("11"))
                button->click();
        }
    };
    QRect inTickMode;
    const auto newStatementTicked = [this, &inTickMode](FenReleveController& w) {
        ui().onModal<FenEditReleveController>([](FenEditReleveController& editor) {
            WindowDriver(editor).type(QStringLiteral("field_nom"), QStringLiteral("Juin"));
            WindowDriver(editor).click(QStringLiteral("POINTER:"));
        });
        ui().onModal<FenReleveController>([&inTickMode](FenReleveController& pointing) {
            pointing.table1()->GO(0);
            pointing.didDoubleClick1(nullptr);
            inTickMode = pointing.window()->geometry();
            pointing.POINTER_RELEVE(nullptr);
        });
        WindowDriver(w).click(QStringLiteral("CREER_RELEVE:"));
        EXPECT_EQ(inTickMode, w.window()->geometry()) << "in tick mode";
    };
    const auto currencyEdited = [this](FenReleveController&) {
        FenDeviseController* devises = FenDeviseController::openDevises(0);
        devises->table1()->GO(0);
        ui().onModal<FenAskPoursuivreController>([](FenAskPoursuivreController& ask) { ask.perform("OUI:"); });
        ui().onModal<FenEditDeviseController>([](FenEditDeviseController& editor) { editor.perform("OUI:"); });
        devises->MODIFIER(nullptr);
        devises->close();
    };
    const std::pair<const char*, std::function<void(FenReleveController&)>> steps[]
        = {{"card payment", cardPayment}, {"statement ticked", newStatementTicked}, {"currency", currencyEdited}};
    // Extra transactions on the account, the frame the user gave.
    const std::pair<int, QRect> cases[] = {{0, QRect(190, 40, 1155, 560)}, {206, QRect(190, 60, 1155, 560)}};
    for (const auto& [extra, frame] : cases) {
        for (int i = 0; i < extra; ++i)
            doc.transact_array.append(trans(at(1 + i % 28, 4, 2024), 7, 22, 1 + i, 1, "Boulangerie"));
        recomputeAllReleves(&doc);
        FenReleveController* w = open();
        ASSERT_TRUE(w);
        ui().advance(500); // the palette is placed beside it
        w->window()->setGeometry(frame);
        for (const auto& [what, step] : steps) {
            step(*w);
            EXPECT_EQ(w->window()->geometry(), frame) << extra << " " << what;
        }
        EXPECT_GE(w->table1()->viewport()->height(), 3 * CellTransact::kHeight) << extra;
        WindowDriver(*w).grab(QStringLiteral("releve-kept-frame-%1.png").arg(extra));
        w->close();
    }
}

TEST_F(FenReleveTest, AWindowGoneDuringTickModeGivesBackPalettesAndCursor)
{
    auto* tool = StdWindowController::push<StdWindowController>(makeWindowData(), 0, true);
    tool->window()->show();
    app.tool = tool;
    addReleve(2, at(12, 6, 2024));
    FenReleveController* w = open();
    ASSERT_TRUE(w);
    w->table2()->GO(kFirstReleveRow);
    ui().onModal<FenReleveController>([&](FenReleveController& pointing) {
        EXPECT_FALSE(tool->window()->isVisible());
        delete &pointing;
    });
    w->POINTER_RELEVE(nullptr);
    EXPECT_FALSE(app._isDuringPointe());
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(tool->window()->isVisible());
    app.tool = nullptr;
    tool->close();
}

// A transfer 7 -> 9 ticked in 7's window ticks only 7's side; 9's window hears it.
TEST_F(FenReleveTest, ATransferIsTickedOnItsOwnSideOnly)
{
    doc.transact_array[4].who1 = 7;
    doc.transact_array[4].who2 = 9;
    recomputeAllReleves(&doc);
    addReleve(2, at(12, 6, 2024));
    FenReleveController* livret = open(9);
    FenReleveController* w = open();
    select(w->table1(), {rowOf(w, 4)});
    EXPECT_TRUE(drop(w, kFirstReleveRow));
    EXPECT_EQ(doc.transact_array[4].releveID1, 2);
    EXPECT_EQ(doc.transact_array[4].releveID2, -1);
    EXPECT_EQ(livret->table2()->numberOfRows(), 2);
    expectCoreBalances();
    livret->close();
    w->close();
}

// Statements from newest: 30/06 (3), 12/06 (2), 31/05 (1, locked). Row clicked, lock date after.
TEST_F(FenReleveTest, LocksMoveTheLockDate)
{
    addReleve(2, at(12, 6, 2024));
    addReleve(3, at(30, 6, 2024));
    const std::tuple<double, long, double> cases[] = {
        {at(31, 5, 2024), 3, at(12, 6, 2024)}, // locking 12/06
        {at(30, 6, 2024), 2, at(12, 6, 2024)}, // unlocking the newest: the next older one
        {at(12, 6, 2024), 3, at(12, 6, 2024) - 1.0}, // the second-oldest: its own date less a second
        {at(31, 5, 2024), 4, at(31, 5, 2024) - 1.0}, // the oldest
    };
    FenReleveController* w = open();
    for (const auto& [lockedBefore, row, lockedAfter] : cases) {
        courant().locked_releve_to_date = lockedBefore;
        w->table2()->SMART_RELOAD();
        ui().answerAlert(kAlertFirstButton);
        QObject button;
        button.setProperty("tag", qlonglong(row));
        w->LOCK_RELEVE(&button);
        EXPECT_DOUBLE_EQ(courant().locked_releve_to_date, lockedAfter) << row;
    }
    // A locked statement refuses tick mode and drops.
    courant().locked_releve_to_date = at(31, 5, 2024);
    w->table2()->GO(kFirstReleveRow + 2);
    EXPECT_FALSE(w->validateDrop(kFirstReleveRow + 2));
    ui().answerAlert(QStringLiteral("kAlerte_CannotPointer"), kAlertFirstButton);
    w->POINTER_RELEVE(nullptr);
    EXPECT_FALSE(app._isDuringPointe());
    w->close();
}

TEST_F(FenReleveTest, DeletingAStatementUnticksItFirst)
{
    addReleve(2, at(12, 6, 2024));
    doc.transact_array[0].releveID1 = 2;
    doc.transact_array[1].releveID2 = 2;
    recomputeAllReleves(&doc);
    FenReleveController* w = open();
    w->table2()->GO(kFirstReleveRow);
    ui().answerAlert(QStringLiteral("kConfirm_SuppReleve"), kAlertSecondButton);
    w->SUPPRIMER_RELEVE(nullptr);
    EXPECT_EQ(courant().nbReleve(), 1);
    EXPECT_EQ(doc.transact_array[0].releveID1, -1);
    EXPECT_EQ(doc.transact_array[1].releveID2, -1);
    EXPECT_EQ(w->selectedReleveRow(), kFirstReleveRow) << "the same row: the next older statement";
    expectCoreBalances();
    w->close();
}

// Table, row of table 2, alert.
TEST_F(FenReleveTest, KeyboardRefusalsSayWhy)
{
    FenReleveController* w = open();
    const std::tuple<int, long, const char*> cases[] = {{1, kRowAVenir, "kCantDeleteTransFromKeyboard_avn"},
                                                        {1, kFirstReleveRow, "kCantDeleteTransFromKeyboard_rel"},
                                                        {2, kRowAVenir, "kCantDeleteReleveFromKeyboard_avn"},
                                                        {2, kRowNonPointees, "kCantDeleteReleveFromKeyboard_npt"},
                                                        {2, kFirstReleveRow, "kCantDeleteReleveFromKeyboard_rel"}};
    for (const auto& [table, row, key] : cases) {
        w->table2()->GO(int(row));
        ui().answerAlert(QString::fromLatin1(key), kAlertFirstButton);
        w->didRefuseToDeleteFromKeyboard(table == 1 ? w->table1() : w->table2());
    }
    EXPECT_EQ(ui().alertsShown().size(), 5);
    w->close();
}

TEST_F(FenReleveTest, PastingOtherAccountsTransactionsLeavesTheWindowAlone)
{
    FenReleveController* w = open();
    w->table2()->GO(kFirstReleveRow);
    w->didPasteTransactAtIndexes(QVariantList {4}, QVariant());
    EXPECT_EQ(w->selectedReleveRow(), kFirstReleveRow);
    w->didPasteTransactAtIndexes(QVariantList {4, 3}, QVariant());
    EXPECT_EQ(w->selectedReleveRow(), kRowNonPointees);
    w->close();
}

} // namespace
