// The arrows of every transaction list after its rows are reloaded with the selection kept (an
// edit closed with OK, a transaction deleted elsewhere, a broadcast, a re-sort): Down and Up go on
// from the transaction still selected, never from the list's first row, and Return then opens the
// transaction the user went to.
#include "TransListFixture.h"

#include "transactions/FenListingPosteController.h"
#include "transactions/FenListingSearchController.h"
#include "transactions/FenReleveController.h"

#include "foundation/broadcast.h"
#include "foundation/selectors.h"
#include "model/TransactOps.h"

#include <QApplication>

#include <memory>

namespace {

using translist::TransListTest;

enum class ListKind { Compte, Releve, Listing, Search };
enum class Reload { Edit, Delete, Broadcast, Sort };

class ListArrowsAfterReload : public TransListTest {
protected:
    // The groceries without their split: the entry window takes them back with OK as they are.
    ListArrowsAfterReload()
    {
        doc.transact_array[2].multis.clear();
        doc.transact_array[2].posteID = 4;
    }
    // Every kind shows the withdrawal (Retrait, position 3) between two other rows.
    FenTransListController* openList(ListKind kind)
    {
        switch (kind) {
        case ListKind::Compte:
            return openCompteTransList(7, doc, true);
        case ListKind::Releve:
            return openReleveWindow(7, true, 0, doc);
        case ListKind::Listing:
            return openListingPoste(doc, 4, 0, true);
        case ListKind::Search:
            return openListingSearch(doc, Critere::makePosteCritere(4, &doc), 0);
        }
        return nullptr;
    }
    static std::string whyAt(FenTransListController* list, long row)
    {
        const TRANSACT* shown = list->transactAtRow(row);
        return (shown ? shown->why : QStringLiteral("-")).toStdString();
    }
    static std::string selectedWhy(FenTransListController* list)
    {
        std::string out;
        for (const int row : list->table1()->selectedRowIndexes())
            out += (out.empty() ? "" : " ") + whyAt(list, row);
        return out;
    }
    static long rowShowing(FenTransListController* list, const std::string& why)
    {
        for (long row = 0; row < listingCount(list->listing()); ++row) {
            if (whyAt(list, row) == why)
                return row;
        }
        return -1;
    }
    static void press(FenTransListController* list, Qt::Key key)
    {
        QTest::keyClick(list->table1(), key);
        QCoreApplication::processEvents();
    }
    // The entry window opened by Return takes the keyboard and gives it back when OK closes it,
    // as it does on a desktop; answers which transaction it showed.
    std::string editWithReturn(FenTransListController* list)
    {
        auto opened = std::make_shared<std::string>();
        ui().onModal<FenEditSaisieController>([opened](FenEditSaisieController& w) {
            *opened = w.rec().why.toStdString();
            showActive(w);
            ok(w);
            w.window()->hide();
        });
        press(list, Qt::Key_Return);
        activate(list);
        return *opened;
    }
    static void activate(FenTransListController* list)
    {
        list->window()->activateWindow();
        list->table1()->setFocus(Qt::ActiveWindowFocusReason);
        EXPECT_TRUE(QTest::qWaitForWindowActive(list->window()));
        QCoreApplication::processEvents();
    }
    void reload(FenTransListController* list, Reload how)
    {
        switch (how) {
        case Reload::Edit:
            EXPECT_EQ(editWithReturn(list), "Retrait");
            return;
        case Reload::Delete: // the bread, deleted in another window
            deleteTransact(0, &doc, true, true);
            return;
        case Reload::Broadcast:
            sendToAllWindowDelegates(Sel::notifyNewDay, QVariant(saisieui::today()));
            return;
        case Reload::Sort: { // the other way round: the withdrawal stays between two rows
            const ListingSort sort
                = listingEffectiveSort(listingSortKind(list->listing()), list->listing()->defaultSort);
            list->pop_tri()->rebuild();
            EXPECT_TRUE(list->pop_tri()->activateTag(
                qint64(sort == ListingSort::Date2 ? ListingSort::Date1 : ListingSort::Date2)));
            return;
        }
        }
    }
};

TEST_F(ListArrowsAfterReload, TheArrowsGoOnFromTheTransactionKeptSelected)
{
    const std::pair<ListKind, const char*> kinds[] = {{ListKind::Compte, "account"},
                                                      {ListKind::Releve, "statement"},
                                                      {ListKind::Listing, "category listing"},
                                                      {ListKind::Search, "search results"}};
    const std::pair<Reload, const char*> reloads[] = {
        {Reload::Edit, "edited with OK"},
        {Reload::Delete, "a transaction deleted elsewhere"},
        {Reload::Broadcast, "a new day"},
        {Reload::Sort, "sorted the other way round"},
    };
    const TransactList kept = doc.transact_array;
    for (const auto& [kind, kindName] : kinds) {
        for (const auto& [how, howName] : reloads) {
            SCOPED_TRACE(std::string(kindName) + ", " + howName);
            doc.transact_array = kept;
            recomputeAllReleves(&doc);
            FenTransListController* list = openList(kind);
            ASSERT_NE(list, nullptr);
            list->window()->show();
            activate(list);
            StdTableView* table = list->table1();
            const long clicked = rowShowing(list, "Retrait");
            ASSERT_GE(clicked, 0);
            QTest::mouseClick(table->viewport(), Qt::LeftButton, {},
                              table->visualRect(table->model()->index(int(clicked), 0)).center());
            ASSERT_EQ(selectedWhy(list), "Retrait");

            reload(list, how);
            const long row = rowShowing(list, "Retrait");
            ASSERT_EQ(selectedWhy(list), "Retrait");
            ASSERT_GT(row, 0);
            ASSERT_LT(row + 1, table->numberOfRows());
            press(list, Qt::Key_Down);
            EXPECT_EQ(selectedWhy(list), whyAt(list, row + 1));
            press(list, Qt::Key_Up);
            EXPECT_EQ(selectedWhy(list), "Retrait");
            press(list, Qt::Key_Up);
            EXPECT_EQ(selectedWhy(list), whyAt(list, row - 1));
            press(list, Qt::Key_Down);
            EXPECT_EQ(selectedWhy(list), "Retrait");
            if (how == Reload::Edit) { // on to the groceries, next to the withdrawal in every list
                press(list, whyAt(list, row + 1) == "Courses" ? Qt::Key_Down : Qt::Key_Up);
                EXPECT_EQ(editWithReturn(list), "Courses") << "Return opens the row the user went to";
            }
            list->close();
        }
    }
}

} // namespace
