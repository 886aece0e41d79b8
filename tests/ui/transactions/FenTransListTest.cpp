// The transaction list following the document: what it shows, the follow-ups of changes made
// elsewhere, sorting, split transactions expanded and collapsed, and closing with its account.
#include "TransListFixture.h"

#include "engines/SearchEngine.h"
#include "engines/TransactClipboard.h"
#include "foundation/localized.h"
#include "foundation/selectors.h"
#include "model/TransactOps.h"

#include <QCoreApplication>

namespace translist {
namespace {

class FenTransListTest : public TransListTest {
protected:
    FenTransListTest() { initTransactClipboard(); }
    ~FenTransListTest() override { disposeTransactClipboard(); }
};

TEST_F(FenTransListTest, ShowsTheAccountsTransactionsAndOccurrences)
{
    FenTransListController* list = open();
    ASSERT_NE(list, nullptr);
    QStringList shown;
    for (long row = 0; row < listingCount(list->listing()); ++row) {
        list->table1()->GO(int(row));
        shown << QString::fromStdString(selectedPositions(list));
    }
    // Date descending: the schedule's occurrence of 10/06 and the forecast's month of June among
    // the transactions.
    EXPECT_EQ(shown.join(u' ').toStdString(), "6 E 3 2 1 P 0 5");
    EXPECT_TRUE(text(list, rowOf(list, 6)).contains("Courtier")) << text(list, 0).toStdString();
    EXPECT_EQ(list->field_nb_operations()->text(), QString("8") + localizedMisc("kMisc_Nb_Operations"));
    EXPECT_EQ(list->windowIfLoaded()->windowTitle(), localizedMisc("kMisc_TransListCompte").arg("Compte courant"));
    EXPECT_EQ(openCompteTransList(7, doc, true), list) << "one list per account";
    list->close();
}

// Changes made outside the list: each reaches it through the broadcast, once per batch, and the
// selection follows the transactions, not the rows.
TEST_F(FenTransListTest, FollowsChangesMadeElsewhere)
{
    struct Case {
        const char* name;
        std::function<void(FenTransListController*)> change;
        QStringList broadcasts;
        std::string selected;
    };
    const QList<Case> cases = {
        {"a new transaction of the list becomes the selection",
         [this](FenTransListController*) {
             makeTransact(trans(at(13, 6, 2024), 7, 22, 5, 1, "Journal"), nullptr, &doc, true, true);
         },
         {"MAKE_TRANSACT 7 1"},
         "7"},
        {"a transaction of another account leaves the selection",
         [this](FenTransListController*) {
             makeTransact(trans(at(13, 6, 2024), 9, 22, 5, 1, "Livret"), nullptr, &doc, true, true);
         },
         {"MAKE_TRANSACT 7 1"},
         "3"},
        {"a replaced transaction becomes the selection",
         [this](FenTransListController*) {
             TRANSACT changed = doc.transact_array[0];
             changed.why = QStringLiteral("Pain et croissants");
             replaceTransact(changed, 0, &doc, true, true, false);
         },
         {"REPLACE_TRANSACT 0 0"},
         "0"},
        {"deleting an earlier transaction keeps the selected one",
         [this](FenTransListController*) { deleteTransact(0, &doc, true, true); },
         {"DELETE_TRANSACT 0 1"},
         "2"},
        {"three pasted transactions: one make, then all three selected",
         [](FenTransListController* list) {
             select(list, {rowOf(list, 0), rowOf(list, 1), rowOf(list, 6)});
             list->COPY();
             list->paste(nullptr);
         },
         {"MAKE_TRANSACT 9 1", "didPaste 7,8,9"},
         "7 8 9"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        addTransactions();
        FenTransListController* list = open();
        ASSERT_NE(list, nullptr);
        list->table1()->GO(int(rowOf(list, 3)));
        BroadcastRecorder recorder;
        c.change(list);
        EXPECT_EQ(recorder.calls.join(u'|').toStdString(), c.broadcasts.join(u'|').toStdString());
        EXPECT_EQ(selectedPositions(list), c.selected);
        list->close();
    }
}

TEST_F(FenTransListTest, SortingKeepsTheSelectedTransactions)
{
    FenTransListController* list = open();
    ASSERT_NE(list, nullptr);
    list->multiActionAtRow(rowOf(list, 2));
    // A split line selected selects its whole transaction once the sort has collapsed it.
    select(list, {rowOf(list, 0), rowOf(list, 6), rowOf(list, 2) + 1});
    for (long kind = long(ListingSort::Date1); kind <= long(ListingSort::NoSort); ++kind) {
        SCOPED_TRACE(kind);
        list->sortBy(ListingSort(kind));
        QStringList selected = QString::fromStdString(selectedPositions(list)).split(u' ');
        selected.sort();
        EXPECT_EQ(selected.join(u' ').toStdString(), "0 2 6");
        EXPECT_EQ(listingSortKind(list->listing()), ListingSort(kind));
        EXPECT_EQ(list->pop_tri()->getSelectedTag(), kind);
    }
    list->close();
}

// Expanding gives the head state 3 and one row per split line (4 matching the list's category or
// folder, 5 not); collapsing gives back 1 without such a filter, 2 with one.
TEST_F(FenTransListTest, ExpandsAndCollapsesSplitTransactions)
{
    struct Case {
        const char* name;
        std::optional<Critere> critere; // none: the account's list
        QList<long> expanded;
        QList<long> collapsed;
    };
    const QList<Case> cases = {
        {"account", std::nullopt, {3, 4, 4}, {1}},
        {"category Alimentation", Critere::makePosteCritere(1, &doc), {3, 5, 4}, {2}},
        {"folder Courant", Critere::makeDossierCritere(2, &doc), {3, 4, 4}, {2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FenTransListController* list = nullptr;
        if (c.critere) {
            TransListOpening opening;
            opening.critere = *c.critere;
            opening.listing = searchWithCritere({.critere = &opening.critere, .doc = &doc, .sort = ListingSort::Date1});
            opening.doc = &doc;
            list = openTransListWindow(std::move(opening));
        } else {
            list = open();
        }
        const long head = rowOf(list, 2);
        const auto around = [&] { return states(list).mid(head, c.expanded.size()); };
        list->multiActionAtRow(head);
        EXPECT_EQ(around(), c.expanded);
        EXPECT_EQ(selectedPositions(list), "2");
        list->multiActionAtRow(head + 1); // a split line does nothing
        EXPECT_EQ(around(), c.expanded);
        list->multiActionAtRow(head);
        EXPECT_EQ(states(list).mid(head, 1), c.collapsed);
        list->close();
    }
}

// Deleting an expanded split transaction removes every row of it, not only its head, and the rows
// after it still show the transactions they showed.
TEST_F(FenTransListTest, DeletingAnExpandedSplitTransactionRemovesAllItsRows)
{
    FenTransListController* list = open();
    ASSERT_NE(list, nullptr);
    list->multiActionAtRow(rowOf(list, 2));
    const long before = listingCount(list->listing());
    list->table1()->GO(int(rowOf(list, 3)));
    deleteTransact(2, &doc, true, false); // not the last of a batch: no rebuild hides the fault
    EXPECT_EQ(listingCount(list->listing()), before - 3);
    for (const POS& line : list->listing()->posList) {
        if (line.storageType == StorageKind::Transact) {
            EXPECT_EQ(line.multiState, MultiState::None) << line.storageIndex;
            EXPECT_NE(listingTransactAtIndex(list->listing(), &line - list->listing()->posList.data(), &doc), nullptr);
        }
    }
    EXPECT_EQ(selectedPositions(list), "2") << "Retrait moved from 3 to 2";
    EXPECT_EQ(list->table1()->numberOfRows(), listingCount(list->listing()));
    list->close();
}

TEST_F(FenTransListTest, ClosesWhenItsAccountIsDeleted)
{
    QPointer<FenTransListController> courant = open(7);
    QPointer<FenTransListController> livret = open(9);
    ASSERT_TRUE(courant && livret);
    sendToAllWindowDelegates(Sel::willDeleteCompte, qlonglong(7), QVariant());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(!courant || !courant->windowIfLoaded() || !courant->windowIfLoaded()->isVisible());
    ASSERT_TRUE(livret);
    EXPECT_TRUE(livret->windowIfLoaded()->isVisible());
    livret->close();
}

} // namespace
} // namespace translist
