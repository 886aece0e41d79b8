// The parts the entity list windows are built from: command buttons named as each window's tests
// and code find them, and the banded list with its placeholders around the list.
#include "toolkit/windows/listlayout.h"

#include "toolkit/tables/StdTableView.h"
#include "toolkit/windows/StdActionDispatcher.h"
#include "toolkit/windows/StdWindowController.h"
#include "uisupport/UiTestFixture.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

class ListLayoutTest : public UiTestFixture { };

TEST_F(ListLayoutTest, CommandButtonsTakeTheirOwnNameTheirActionOrNone)
{
    StdWindowController controller;
    QWidget parent;
    QHBoxLayout row;
    const auto named
        = addCommandButtons(controller, parent, row,
                            {{"FenTaxe_nouveau", "NOUVEAU:"}, {"FenTaxe_modifier", "MODIFIER:", "buttonVoir"}}, true);
    const auto plain = addCommandButtons(controller, parent, row, {{"FenTaxe_supprimer", "SUPPRIMER:"}});
    ASSERT_EQ(named.size(), 2);
    ASSERT_EQ(plain.size(), 1);
    EXPECT_EQ(named[0]->objectName(), "NOUVEAU:");
    EXPECT_EQ(named[1]->objectName(), "buttonVoir");
    EXPECT_TRUE(plain[0]->objectName().isEmpty());
    EXPECT_EQ(StdActionDispatcher::actionOf(plain[0]), "SUPPRIMER:");
    EXPECT_EQ(row.count(), 3);
    for (const QPushButton* button : named + plain)
        EXPECT_FALSE(button->autoDefault() || button->isDefault());
}

TEST_F(ListLayoutTest, TheBandedListHoldsItsListBetweenItsBands)
{
    QWidget parent;
    StdTableView* table = nullptr;
    QWidget* main = makeBandedList(parent, 30, 20, 22, &table);
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(main->objectName(), "main_view");
    auto* column = qobject_cast<QVBoxLayout*>(main->layout());
    ASSERT_NE(column, nullptr);
    ASSERT_EQ(column->count(), 3);
    EXPECT_EQ(column->itemAt(0)->widget()->objectName(), "placeholder_tete");
    EXPECT_EQ(column->itemAt(0)->widget()->maximumHeight(), 30);
    EXPECT_EQ(column->itemAt(1)->widget(), table);
    EXPECT_EQ(column->stretch(1), 1);
    EXPECT_EQ(column->itemAt(2)->widget()->maximumHeight(), 22);
    EXPECT_EQ(table->objectName(), "table1");
}

} // namespace
