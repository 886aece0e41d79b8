// The commands of the transaction list: the Delete key's refusals, deleting, copying, editing,
// the import marks and printing with split transactions grouped or detailed.
#include "TransListFixture.h"

#include "engines/PrevisionManager.h"
#include "schedules/FenEditPrevisionController.h"
#include "transactions/FenReleveController.h"

#include "toolkit/print/PrintViewWithTable.h"
#include "toolkit/windows/StdWindow.h"
#include "transactions/FenShowRelevesController.h"

#include "document/APPLIPARAM.h"
#include "engines/SearchEngine.h"
#include "engines/TransactClipboard.h"
#include "foundation/localized.h"

#include <QPushButton>

namespace translist {
namespace {

class FenTransListCommandsTest : public TransListTest {
protected:
    FenTransListCommandsTest() { initTransactClipboard(); }
    ~FenTransListCommandsTest() override
    {
        disposeTransactClipboard();
        APPLIPARAM::loadAppliParam().svOptionGroupees = 0;
        APPLIPARAM::saveAppliParam();
    }

    // The transactions left, by their labels.
    std::string labels() const
    {
        QStringList out;
        for (const TRANSACT& t : doc.transact_array)
            out << t.why;
        return out.join(u',').toStdString();
    }
};

// The Delete key on a selection that can't go explains why, by the kind of row that stops it, and
// the delete command is not offered.
TEST_F(FenTransListCommandsTest, DeleteKeyRefusals)
{
    struct Case {
        const char* name;
        std::function<long(FenTransListController*)> row;
        const char* key;
        const char* image;
    };
    const QList<Case> cases = {
        {"schedule occurrence", [](auto* list) { return occurrenceRow(list, StorageKind::Echeancier); },
         "kCantDeleteTransFromKeyboard_chr", "echeancier_reel"},
        {"forecast occurrence", [](auto* list) { return occurrenceRow(list, StorageKind::Prevision); },
         "kCantDeleteTransFromKeyboard_pre", "prevision_prev"},
        {"transaction on a locked statement", [](auto* list) { return rowOf(list, 5); },
         "kCantDeleteTransFromKeyboard_lis", "cadenas"},
    };
    FenTransListController* list = open();
    ASSERT_NE(list, nullptr);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        select(list, {rowOf(list, 0), c.row(list)});
        EXPECT_FALSE(list->validateMenuAction("EFFACER:", -1));
        EXPECT_FALSE(list->outlet<QPushButton>("button_effacer")->isEnabled());
        ui().answerAlert(QString::fromLatin1(c.key), kAlertFirstButton);
        EXPECT_FALSE(list->didKeyDown(list->table1(), kKeyDelete));
        ASSERT_FALSE(ui().alertsShown().isEmpty());
        EXPECT_EQ(ui().alertsShown().last().request.imageName.toStdString(), c.image);
    }
    EXPECT_EQ(doc.transact_array.size(), 7);
    select(list, {rowOf(list, 0)});
    EXPECT_TRUE(list->outlet<QPushButton>("button_effacer")->isEnabled());
    list->close();
}

// A split transaction whose head and lines are selected goes once, whether the rows were picked or
// the whole list selected; only the last deletion tells the windows it is the last; nothing stays
// selected; one on a locked statement stays. Any answer but yes deletes nothing.
TEST_F(FenTransListCommandsTest, EffacerDeletesEachTransactionOnce)
{
    struct Case {
        const char* name;
        std::function<void(FenTransListController*, long split)> select;
        const char* broadcasts;
        const char* left;
    };
    const Case cases[] = {
        {"the split's rows and two others",
         [](auto* list, long split) {
             select(list, {rowOf(list, 0), split, split + 1, split + 2, rowOf(list, 3)});
         },
         "didDelete 0,1,1", "Salaire,Livret,Pharmacie,Courtier"},
        {"the split's rows alone",
         [](auto* list, long split) {
             select(list, {split, split + 1, split + 2});
         },
         "DELETE_TRANSACT 2 1", "Pain,Salaire,Retrait,Livret,Pharmacie,Courtier"},
        {"every row", [](auto* list, long) { list->selectAll(nullptr); }, "didDelete 0,0,0,0,2", "Livret,Pharmacie"},
    };
    const TransactList kept = doc.transact_array;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        doc.transact_array = kept;
        recomputeAllReleves(&doc);
        FenTransListController* list = open();
        ASSERT_NE(list, nullptr);
        const long split = rowOf(list, 2);
        list->multiActionAtRow(split);
        c.select(list, split);
        ui().answerAlert("kConfirm_SuppTrans", kAlertFirstButton);
        list->EFFACER(nullptr);
        EXPECT_EQ(doc.transact_array.size(), 7);

        BroadcastRecorder recorder;
        c.select(list, split);
        ui().answerAlert("kConfirm_SuppTrans", kAlertSecondButton);
        list->EFFACER(nullptr);
        EXPECT_EQ(recorder.calls.join(u'|').toStdString(), c.broadcasts);
        EXPECT_EQ(recorder.lastChanges, 1) << "the last deletion is told as the last";
        EXPECT_EQ(labels(), c.left);
        EXPECT_TRUE(list->table1()->selectedRowIndexes().empty());
        EXPECT_EQ(list->table1()->numberOfRows(), listingCount(list->listing()));
        list->close();
    }
    EXPECT_EQ(ui().desktopRequests().beeps, 3);
}

// Only a transaction's own row copies: its split lines and occurrences don't.
TEST_F(FenTransListCommandsTest, CopyTakesEachTransactionOnce)
{
    FenTransListController* list = open();
    ASSERT_NE(list, nullptr);
    const long split = rowOf(list, 2);
    list->multiActionAtRow(split);
    const QList<std::pair<QList<long>, QStringList>> cases = {
        {{split, split + 1, split + 2}, {"Courses"}},
        {{split + 1}, {}},
        {{rowOf(list, 0), occurrenceRow(list, StorageKind::Echeancier), rowOf(list, 6)}, {"Courtier", "Pain"}},
    };
    for (const auto& [rows, expected] : cases) {
        select(list, rows);
        list->COPY();
        QStringList copied;
        for (const TRANSACT& t : transactClipboard()->transacts())
            copied << t.why;
        EXPECT_EQ(copied, expected);
    }
    list->close();
}

// One transaction row opens the entry window on it, several rows the multiple edit (tick mode or
// not); a forecast occurrence the forecast editor.
TEST_F(FenTransListCommandsTest, EditOpensTheEntryWindows)
{
    FenTransListController* list = open();
    ASSERT_NE(list, nullptr);
    ui().onModal<FenEditSaisieController>([](FenEditSaisieController& window) { cancel(window); });
    ui().onModal("FenEditSaisieMultipleController", [](const ModalRequest& request) {
        qobject_cast<StdWindowController*>(request.controller)->perform(QStringLiteral("NON:"));
    });
    struct Case {
        QList<long> rows;
        bool offered;
        int modalRuns;
    };
    const QList<Case> cases = {{{rowOf(list, 3)}, true, 1},
                               {{rowOf(list, 0), rowOf(list, 3)}, true, 2},
                               {{occurrenceRow(list, StorageKind::Prevision)}, true, 3}};
    PrevisionManager::sharedManager().buildPrevisionIndex(&doc); // as opening the document does
    ui().onModal<FenEditPrevisionController>([](FenEditPrevisionController& window) { window.perform("NON:"); });
    for (const Case& c : cases) {
        select(list, c.rows);
        EXPECT_EQ(list->validateMenuAction("EDIT:", -1), c.offered);
        list->didDoubleClick1(list->table1());
        EXPECT_EQ(ui().modalRuns().size(), c.modalRuns);
    }
    EXPECT_EQ(ui().desktopRequests().beeps, 0);
    list->close();
}

// A ticked transaction goes to its statement, chosen among those that hold it, in its account's
// window, where it is selected; an unticked one doesn't.
TEST_F(FenTransListCommandsTest, GoesToTheStatementOfATickedTransaction)
{
    TransListOpening opening;
    opening.critere = Critere::makePosteCritere(8, &doc);
    opening.listing = searchWithCritere({.critere = &opening.critere, .doc = &doc});
    opening.doc = &doc;
    FenTransListController* sante = openTransListWindow(std::move(opening));
    select(sante, {rowOf(sante, 5)});
    EXPECT_TRUE(sante->outlet<QPushButton>("itemRechercherReleve")->isEnabled());
    ui().onModal<FenShowRelevesController>([](FenShowRelevesController& chooser) {
        EXPECT_EQ(chooser.numberOfRowsInTableView1(chooser.table1()), 1);
        QObject button; // the row's button
        button.setProperty(kCellTag, 0);
        chooser.GOTO_RELEVE(&button);
    });
    sante->RECHERCHER_RELEVE(nullptr);
    FenTransListController* courant = findOpenWindowController<FenReleveController>(7, -1, -1, -1, -1, -1, -1, -1);
    ASSERT_NE(courant, nullptr);
    EXPECT_EQ(selectedPositions(courant), "5");
    courant->close();

    select(sante, {occurrenceRow(sante, StorageKind::Prevision)});
    EXPECT_FALSE(sante->validateMenuAction("RECHERCHER_RELEVE:", -1));
    sante->close();
}

// Marking as imported takes the list's account and keeps the label; a transaction already imported
// keeps its import; a list of no account marks nothing.
TEST_F(FenTransListCommandsTest, ImportMarks)
{
    doc.transact_array[3].importID = 9;
    doc.transact_array[3].whyImport = QStringLiteral("RETRAIT DAB");
    FenTransListController* list = open();
    ASSERT_NE(list, nullptr);
    select(list, {rowOf(list, 0), rowOf(list, 3)});
    list->MARK_IMPORT(nullptr);
    EXPECT_EQ(doc.transact_array[0].importID, 7);
    EXPECT_EQ(doc.transact_array[0].whyImport, "Pain");
    EXPECT_EQ(doc.transact_array[3].importID, 9);
    EXPECT_EQ(doc.transact_array[3].whyImport, "RETRAIT DAB");
    list->MARK_TOUCH(nullptr);
    EXPECT_TRUE(doc.transact_array[0].importTouched && doc.transact_array[3].importTouched);
    list->MARK_NON_IMPORT(nullptr);
    EXPECT_EQ(doc.transact_array[3].importID, -1);
    list->close();

    TransListOpening opening;
    opening.critere = Critere::makePosteCritere(1, &doc);
    opening.listing = searchWithCritere({.critere = &opening.critere, .doc = &doc});
    opening.doc = &doc;
    list = openTransListWindow(std::move(opening));
    select(list, {rowOf(list, 0)});
    EXPECT_FALSE(list->validateMenuAction("MARK_IMPORT:", -1));
    list->MARK_IMPORT(nullptr);
    EXPECT_EQ(doc.transact_array[0].importID, -1);
    EXPECT_EQ(ui().desktopRequests().beeps, 1);
    list->close();
}

// The export writes the window's rows in its currency: a split transaction whole, expanded or not.
TEST_F(FenTransListCommandsTest, ExportWritesTheWindowsRows)
{
    FenTransListController* list = open();
    ASSERT_NE(list, nullptr);
    for (const bool expanded : {false, true}) {
        if (expanded)
            list->multiActionAtRow(rowOf(list, 2));
        const QString text = ListExporter::exportText(*list, ListExporter::kFormatCSV);
        EXPECT_EQ(text.count(QStringLiteral("Courses")), 3) << expanded;
        EXPECT_TRUE(text.contains(QStringLiteral("Courtier"))) << expanded;
        EXPECT_FALSE(text.contains(QStringLiteral("Livret"))) << "another account's";
    }
    list->close();
}

// Split transactions print grouped or detailed as asked, from a copy of the listing: the window's
// own rows, expanded or not, are back after the print.
TEST_F(FenTransListCommandsTest, PrintGroupeesOnACopyOfTheListing)
{
    struct Case {
        long option;
        bool expandFirst;
        long extraRows; // printed rows beyond the window's
    };
    for (const Case& c : {Case {2, false, 2}, Case {1, true, -2}, Case {0, true, 0}}) {
        SCOPED_TRACE(c.option);
        FenTransListController* list = open();
        ASSERT_NE(list, nullptr);
        if (c.expandFirst)
            list->multiActionAtRow(rowOf(list, 2));
        const QList<long> before = states(list);
        APPLIPARAM::loadAppliParam().svOptionGroupees = c.option;
        long printedRows = -1;
        ui().onPrint([&printedRows](PrintOperation& operation, PrintAccessoryViewController*) {
            const auto* view = static_cast<const PrintViewWithTable*>(operation.view());
            printedRows = long(std::count_if(view->spool().begin(), view->spool().end(),
                                             [](const auto& entry) { return entry.view.name == "TRANSACT"; }));
            return true;
        });
        list->IMPRIMER(nullptr);
        EXPECT_EQ(printedRows, long(before.size()) + c.extraRows);
        EXPECT_EQ(states(list), before);
        list->close();
    }
}

} // namespace
} // namespace translist
