// A search's listing after its rows change: its title counts the rows it shows, and its commands
// (Modifier, Supprimer, the Edit menu's Couper and Copier) apply only to the rows still selected.
#include "TransListFixture.h"

#include "transactions/FenListingSearchController.h"

#include "model/TransactOps.h"

#include <QPushButton>

namespace {

using saisieui::at;
using translist::TransListTest;

class ListingFollowsRows : public TransListTest {
protected:
    // Every transaction on the Loisirs category: the withdrawal, the broker and the split groceries.
    FenListingSearchController* search()
    {
        FenListingSearchController* list = openListingSearch(doc, Critere::makePosteCritere(4, &doc), 0);
        list->table1()->setFocus();
        return list;
    }
    static QString title(long rows) { return QStringLiteral("%1 opération(s) trouvée(s)").arg(rows); }
};

TEST_F(ListingFollowsRows, TheTitleAndTheCommandsFollowTheRows)
{
    struct Case {
        const char* name;
        std::function<void(FenListingSearchController*)> change;
        long rows; // shown afterwards
        bool selection; // the commands apply to a selection afterwards
    };
    const Case cases[] = {
        {"every row deleted",
         [this](auto* list) {
             list->selectAll(nullptr);
             ui().answerAlert("kConfirm_SuppTrans", kAlertSecondButton);
             list->EFFACER(nullptr);
         },
         0, false},
        {"one row cut",
         [this](auto* list) {
             select(list, {0});
             ui().answerAlert("kConfirm_SuppTrans", kAlertSecondButton);
             list->cut(nullptr);
         },
         2, false},
        {"a transaction made on the category",
         [this](auto*) { makeTransact(trans(at(13, 6, 2024), 7, 30, 5, 4, "Cinéma"), nullptr, &doc, true, true); }, 4,
         true},
    };
    const TransactList kept = doc.transact_array;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        doc.transact_array = kept;
        recomputeAllReleves(&doc);
        FenListingSearchController* list = search();
        ASSERT_EQ(list->window()->windowTitle().toStdString(), title(3).toStdString());
        select(list, {0, 1});
        ASSERT_TRUE(list->outlet<QPushButton>("button_effacer")->isEnabled());

        c.change(list);
        EXPECT_EQ(listingCount(list->listing()), c.rows);
        EXPECT_EQ(list->window()->windowTitle().toStdString(), title(c.rows).toStdString());
        EXPECT_EQ(list->outlet<QPushButton>("button_edit")->isEnabled(), c.selection);
        EXPECT_EQ(list->outlet<QPushButton>("button_effacer")->isEnabled(), c.selection);
        EXPECT_EQ(list->canCut(), c.selection);
        EXPECT_EQ(list->canCopy(), c.selection);
        EXPECT_EQ(list->validateMenuAction("EFFACER:", -1), c.selection);
        WindowDriver(*list).grab(QStringLiteral("listing-follows-rows-%1.png").arg(&c - cases));
        list->close();
    }
}

} // namespace
