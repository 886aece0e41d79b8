// The grid window driven by the mouse, headless: resize handles with their limits, selection by
// click and drag with the modifiers, the menu requests, clicks outside the rows, automatic
// scrolling on the virtual clock, and the rotate command with its question.
#include "DemoTableur.h"

#include "spreadsheet/TableurInteraction.h"
#include "spreadsheet/ViewTableurCenter.h"
#include "spreadsheet/ViewTableurColumnHeaders.h"
#include "spreadsheet/ViewTableurRowHeaders.h"
#include "toolkit/dialogs/FenAskPoursuivreController.h"

#include "uisupport/UiTestFixture.h"
#include "uisupport/WindowDriver.h"

#include <QScrollBar>

namespace {

using M = TableurMouse;

class TableurMouseTest : public UiTestFixture {
protected:
    TableurMouseTest()
        : grid(openDemoTableur(DemoTableurController::statementRows(), DemoTableurController::statementTitles()))
    {
    }

    QWidget* columns() const { return grid->viewTableurColumnHeaders(); }
    QWidget* rows() const { return grid->viewTableurRowHeaders(); }
    QWidget* content() const { return grid->viewTableurCenter(); }
    // The middle of a column header, a row header and a cell, in their bands (default sizes,
    // not scrolled).
    static QPointF column(int c) { return QPointF(80 * c + 40, 10); }
    static QPointF row(int r) { return QPointF(20, 32 * r + 16); }
    static QPointF cell(int r, int c) { return QPointF(80 * c + 40, 32 * r + 16); }

    long columnState(long c) const { return grid->columnAtIndex(c)->state(); }
    long rowState(long r) const { return grid->rowAtIndex(r)->state(); }
    long cellState(long r, long c) const { return grid->cellAtRow(r, c)->state(); }
    QList<long> selectedColumns() const
    {
        QList<long> selected;
        for (long c = 0; c < grid->numberOfColumns(); ++c) {
            if (columnState(c) == CellObject::kStateSelected)
                selected.append(c);
        }
        return selected;
    }

    // Over a handle, press, drag by the offset with the button held, release.
    void dragHandle(QWidget* band, const QPointF& handle, const QPointF& offset)
    {
        M::hover(band, handle);
        M::press(band, handle);
        M::drag(band, handle + offset);
        M::release(band, handle + offset);
    }

    std::unique_ptr<DemoTableurController> grid;
};

} // namespace

TEST_F(TableurMouseTest, ColumnHandleResizesWithinItsLimitsAndShowsTheCursor)
{
    M::hover(columns(), QPointF(80, 10));
    EXPECT_EQ(grid->interaction().mouseStateObject().zone, MouseStateObject::kColumnWidth);
    EXPECT_EQ(grid->scrollview()->cursor().shape(), Qt::SplitHCursor);
    M::hover(columns(), QPointF(60, 10));
    EXPECT_EQ(grid->interaction().mouseStateObject().zone, MouseStateObject::kNone);
    EXPECT_EQ(grid->scrollview()->cursor().shape(), Qt::ArrowCursor);

    dragHandle(columns(), QPointF(80, 10), QPointF(500, 0));
    EXPECT_FLOAT_EQ(grid->widthOfColumnAtIndex(0), 300);
    dragHandle(columns(), QPointF(300, 10), QPointF(-400, 0));
    EXPECT_FLOAT_EQ(grid->widthOfColumnAtIndex(0), 20);
    EXPECT_EQ(grid->interaction().mouseStateObject().zone, MouseStateObject::kNone);
    EXPECT_EQ(grid->scrollview()->cursor().shape(), Qt::ArrowCursor);
    // The handles follow the new width: column 1's right edge is now at 100.
    M::hover(columns(), QPointF(100, 10));
    EXPECT_EQ(grid->interaction().mouseStateObject().associatedObject1, grid->columnAtIndex(1));
    EXPECT_EQ(grid->originForColumnMenuAtIndex(1), 100);
}

TEST_F(TableurMouseTest, HeaderHandlesResizeTheBandsAndRowsWithinTheirLimits)
{
    // The column headers' height, from the top edge of the row headers: 30 down gives 50.
    dragHandle(rows(), QPointF(20, 1), QPointF(0, 30));
    EXPECT_FLOAT_EQ(grid->heightOfColumnHeader(), 50);
    EXPECT_EQ(rows()->geometry().top(), 50);
    // The row headers' width, from the left edge of the column headers: never above 100.
    dragHandle(columns(), QPointF(0, 10), QPointF(200, 0));
    EXPECT_FLOAT_EQ(grid->widthOfRowHeader(), 100);
    EXPECT_EQ(content()->geometry().left(), 100);
    // A row's height, from its bottom edge: held at the maximum 100, then at 22 on the way back.
    dragHandle(rows(), QPointF(50, 32), QPointF(0, 100));
    EXPECT_FLOAT_EQ(grid->heightOfRowAtIndex(0), 100);
    dragHandle(rows(), QPointF(50, 100), QPointF(0, -78));
    EXPECT_FLOAT_EQ(grid->heightOfRowAtIndex(0), 22);
    grid->changeWidthOfColumnAtIndex(2, 57.9);
    grid->changeWidthOfRowsHeaderTo(20.5);
    EXPECT_FLOAT_EQ(grid->widthOfColumnAtIndex(2), 57);
    EXPECT_FLOAT_EQ(grid->widthOfRowHeader(), 20);
}

TEST_F(TableurMouseTest, ClickOnAColumnThenOnACell)
{
    M::click(columns(), column(2));
    EXPECT_EQ(columnState(2), CellObject::kStateSelected);
    for (long r = 0; r < grid->numberOfRows(); ++r)
        ASSERT_EQ(cellState(r, 2), CellObject::kStateHilited) << r;
    M::click(content(), cell(4, 5));
    EXPECT_EQ(columnState(2), CellObject::kStateNormal);
    EXPECT_EQ(cellState(0, 2), CellObject::kStateNormal);
    EXPECT_EQ(cellState(4, 5), CellObject::kStateSelected);
    EXPECT_EQ(rowState(4), CellObject::kStateHilited);
    EXPECT_EQ(columnState(5), CellObject::kStateHilited);
    M::click(rows(), row(3));
    EXPECT_EQ(rowState(3), CellObject::kStateSelected);
    EXPECT_EQ(cellState(3, 11), CellObject::kStateHilited);
    EXPECT_EQ(cellState(4, 5), CellObject::kStateNormal);
}

TEST_F(TableurMouseTest, ShiftExtendsFromTheFirstSelectedColumnAndCtrlInverts)
{
    M::click(columns(), column(2));
    M::click(columns(), column(3), Qt::ShiftModifier);
    ASSERT_EQ(selectedColumns(), (QList<long> {2, 3}));
    M::click(columns(), column(6), Qt::ShiftModifier);
    EXPECT_EQ(selectedColumns(), (QList<long> {2, 3, 4, 5, 6}));
    M::click(columns(), column(4), Qt::ControlModifier);
    EXPECT_EQ(selectedColumns(), (QList<long> {2, 3, 5, 6}));

    M::click(columns(), column(2));
    M::click(columns(), column(3), Qt::ShiftModifier);
    M::click(columns(), column(0), Qt::ShiftModifier);
    EXPECT_EQ(selectedColumns(), (QList<long> {0, 1, 2, 3}));
    // Shift and Ctrl together change nothing of an existing selection...
    M::click(columns(), column(7), Qt::ShiftModifier | Qt::ControlModifier);
    EXPECT_EQ(selectedColumns(), (QList<long> {0, 1, 2, 3}));
    M::click(content(), cell(1, 1));
    M::click(content(), cell(2, 2), Qt::ShiftModifier | Qt::ControlModifier);
    EXPECT_EQ(cellState(2, 2), CellObject::kStateNormal);
    // ...but select the clicked header when nothing is selected.
    grid->deselectAll();
    M::click(columns(), column(7), Qt::ShiftModifier | Qt::ControlModifier);
    EXPECT_EQ(selectedColumns(), (QList<long> {7}));
}

TEST_F(TableurMouseTest, CtrlClickUnselectsACellAndItsRowHeaderReturnsToNormal)
{
    M::click(content(), cell(1, 1));
    M::click(content(), cell(1, 3), Qt::ControlModifier);
    M::click(content(), cell(1, 1), Qt::ControlModifier);
    EXPECT_EQ(cellState(1, 1), CellObject::kStateNormal);
    EXPECT_EQ(rowState(1), CellObject::kStateHilited) << "cell (1, 3) is still selected";
    EXPECT_EQ(columnState(1), CellObject::kStateNormal);
    M::click(content(), cell(1, 3), Qt::ControlModifier);
    EXPECT_EQ(rowState(1), CellObject::kStateNormal);
    EXPECT_FALSE(grid->hasSelectedCell());

    // Without multiple selection a Ctrl or Shift click selects the cell alone.
    grid->multiCells = false;
    M::click(content(), cell(0, 0));
    M::click(content(), cell(5, 5), Qt::ShiftModifier);
    EXPECT_EQ(cellState(0, 0), CellObject::kStateNormal);
    EXPECT_EQ(cellState(5, 5), CellObject::kStateSelected);
}

TEST_F(TableurMouseTest, KeysThatAreNotModifiersLeaveAPlainClickPlain)
{
    M::click(content(), cell(0, 0));
    M::click(content(), cell(3, 4), Qt::KeypadModifier | Qt::GroupSwitchModifier);
    EXPECT_EQ(cellState(0, 0), CellObject::kStateNormal);
    EXPECT_EQ(cellState(3, 4), CellObject::kStateSelected);
    EXPECT_EQ(TableurInteraction::modifierOf(Qt::ShiftModifier | Qt::KeypadModifier, Qt::LeftButton),
              TableurInteraction::Modifier::Shift);
    EXPECT_EQ(TableurInteraction::modifierOf(Qt::AltModifier, Qt::LeftButton), TableurInteraction::Modifier::Other);
}

TEST_F(TableurMouseTest, RightClickSelectsAndAsksForTheMenu)
{
    M::click(content(), cell(2, 3), Qt::NoModifier, Qt::RightButton);
    EXPECT_EQ(cellState(2, 3), CellObject::kStateSelected);
    M::click(columns(), column(1), Qt::NoModifier, Qt::RightButton);
    M::click(rows(), row(7), Qt::NoModifier, Qt::RightButton);
    EXPECT_EQ(grid->menus, (QList<DemoTableurController::Menu> {{"cell", 2, 3}, {"column", -1, 1}, {"row", 7, -1}}));
    EXPECT_EQ(grid->interaction().mouseStateObject().zone, MouseStateObject::kNone);
    // A grid that shows its menu on a plain click asks for it on every click.
    grid->menuOnCellClick = true;
    M::click(content(), cell(0, 0));
    EXPECT_EQ(grid->menus.size(), 4);
    // A drag after the menu changes nothing.
    M::press(content(), cell(0, 0));
    const long before = cellState(3, 3);
    M::drag(content(), cell(3, 3));
    M::release(content(), cell(3, 3));
    EXPECT_EQ(cellState(3, 3), before);
}

TEST_F(TableurMouseTest, DragsSelectColumnsRowsAndRectanglesOfCells)
{
    M::press(columns(), column(1));
    M::drag(columns(), column(4));
    M::release(columns(), column(4));
    EXPECT_EQ(selectedColumns(), (QList<long> {1, 2, 3, 4}));

    M::press(rows(), row(5));
    M::drag(rows(), row(2));
    M::release(rows(), row(2));
    EXPECT_EQ(grid->firstSelectedRowIndex(), 2);
    EXPECT_EQ(grid->lastSelectedRowIndex(), 5);

    M::press(content(), cell(1, 1));
    M::drag(content(), cell(3, 2));
    M::drag(content(), cell(2, 4));
    M::release(content(), cell(2, 4));
    EXPECT_EQ(grid->firstHilitedRowIndex(), 1);
    EXPECT_EQ(grid->lastHilitedRowIndex(), 2) << "the rectangle follows the mouse back";
    EXPECT_EQ(grid->lastHilitedColumnIndex(), 4);
    EXPECT_EQ(cellState(2, 3), CellObject::kStateSelected);
    EXPECT_EQ(cellState(3, 2), CellObject::kStateNormal);
}

TEST_F(TableurMouseTest, PressesBelowTheLastRowOrOnAnEmptyGridAreIgnored)
{
    grid->rows = DemoTableurController::numberedRows(3, 2);
    grid->initAll();
    M::click(rows(), QPointF(20, 200));
    M::press(rows(), row(1));
    M::drag(rows(), QPointF(20, 300));
    M::release(rows(), QPointF(20, 300));
    M::click(content(), QPointF(40, 200));
    EXPECT_EQ(grid->firstSelectedRowIndex(), 1);
    EXPECT_EQ(grid->lastSelectedRowIndex(), 1);
    EXPECT_FALSE(grid->hasSelectedCell());

    grid->rows.clear();
    grid->columnTitles.clear();
    grid->initAll();
    for (QWidget* band : {rows(), columns(), content(), grid->crossBox()})
        M::click(band, QPointF(5, 5));
    M::hover(rows(), QPointF(5, 1));
    M::hover(columns(), QPointF(1, 5));
    EXPECT_EQ(grid->numberOfRows(), 0);
    EXPECT_FALSE(grid->hasSelectedRow());
}

TEST_F(TableurMouseTest, HoldingTheMouseRightOfTheContentScrollsTenPointsAStepToTheEdge)
{
    QScrollBar* bar = grid->scrollview()->horizontalScrollBar();
    ASSERT_GT(bar->maximum(), 100);
    const QPointF outside(content()->width() + 30, 16);
    M::press(content(), cell(0, 1));
    M::drag(content(), outside);
    EXPECT_EQ(bar->value(), 10);
    EXPECT_TRUE(grid->interaction().autoscrolls());
    ui().advance(30);
    EXPECT_EQ(bar->value(), 20);
    ui().advance(90);
    EXPECT_EQ(bar->value(), 50);
    EXPECT_GT(grid->lastHilitedColumnIndex(), 1) << "the selection follows the scrolled cells";
    ui().advance(30 * 100);
    EXPECT_EQ(bar->value(), bar->maximum());
    EXPECT_FALSE(grid->interaction().autoscrolls()) << "stops at the edge";
    M::release(content(), outside);

    // The release stops it before the edge.
    bar->setValue(0);
    M::press(content(), cell(0, 1));
    M::drag(content(), outside);
    M::release(content(), outside);
    ui().advance(300);
    EXPECT_EQ(bar->value(), 10);
    EXPECT_FALSE(grid->interaction().autoscrolls());
}

TEST_F(TableurMouseTest, RotateAsksThenTransposesTheGridToItsDefaults)
{
    grid->changeWidthOfColumnAtIndex(0, 150);
    grid->selectColumnAtIndex(1);
    ui().onModal<FenAskPoursuivreController>([](FenAskPoursuivreController& question) {
        EXPECT_FALSE(WindowDriver(question).widget("button_non")->isHidden());
        WindowDriver(question).click("NON:");
    });
    WindowDriver(*grid).click("actionRotate:");
    EXPECT_FALSE(grid->isRotated());

    ui().onModal<FenAskPoursuivreController>(
        [](FenAskPoursuivreController& question) { WindowDriver(question).click("OUI:"); });
    WindowDriver(*grid).click("actionRotate:");
    ASSERT_TRUE(grid->isRotated());
    ASSERT_EQ(grid->numberOfRows(), 12);
    ASSERT_EQ(grid->numberOfColumns(), 40);
    EXPECT_EQ(grid->cellAtRow(1, 2)->value(), grid->rows.at(2).at(1));
    EXPECT_EQ(grid->rowAtIndex(1)->value(), QStringLiteral("2"));
    EXPECT_FLOAT_EQ(grid->widthOfColumnAtIndex(0), 80);
    EXPECT_FALSE(grid->hasSelectedColumn());
}
