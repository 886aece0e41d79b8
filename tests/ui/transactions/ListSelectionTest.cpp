// The mouse in a list window as on every Linux desktop: a click selects one row, Ctrl-click adds
// a row to the selection or takes it out, Shift-click extends it from the last row clicked; the
// context menu is the right button's.
#include "TransListFixture.h"

#include "toolkit/tables/StdTableView.h"

#include <QTest>

namespace {

using translist::TransListTest;

QPoint centreOf(StdTableView* table, long row)
{
    return table->visualRect(table->model()->index(int(row), 0)).center();
}

TEST_F(TransListTest, CtrlClickTogglesARowAndShiftClickExtends)
{
    FenTransListController* list = open();
    ASSERT_NE(list, nullptr);
    StdTableView* table = list->table1();
    list->window()->show();
    const auto click = [&](long position, Qt::KeyboardModifiers keys) {
        QTest::mouseClick(table->viewport(), Qt::LeftButton, keys, centreOf(table, rowOf(list, position)));
    };
    click(3, Qt::NoModifier);
    click(6, Qt::ControlModifier);
    EXPECT_EQ(selectedPositions(list), "6 3"); // in the list's order: the 12th before the 8th
    click(3, Qt::ControlModifier);
    EXPECT_EQ(selectedPositions(list), "6") << "a second Ctrl-click takes the row out";
    click(0, Qt::NoModifier);
    EXPECT_EQ(selectedPositions(list), "0");
    click(6, Qt::ShiftModifier);
    const long from = std::min(rowOf(list, 0), rowOf(list, 6));
    const long to = std::max(rowOf(list, 0), rowOf(list, 6));
    IndexSet between;
    for (long row = from; row <= to; ++row)
        between.insert(int(row));
    EXPECT_EQ(table->selectedRowIndexes(), between) << "every row from the one clicked last";
    list->close();
}

} // namespace
