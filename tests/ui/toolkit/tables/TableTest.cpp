#include "toolkit/tables/StdTableView.h"
#include "toolkit/windows/StdWindow.h"
#include "toolkit/windows/SynchroScrollView.h"

#include "uisupport/DemoRows.h"
#include "uisupport/UiTestFixture.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QDir>
#include <QScrollBar>
#include <QTest>
#include <QVBoxLayout>

namespace {

constexpr int kRowHeight = 20;

QList<DemoRow> numberedRows(int count)
{
    QList<DemoRow> rows;
    for (int i = 0; i < count; ++i)
        rows.append({QStringLiteral("01/01/2024"), QStringLiteral("Ligne %1").arg(i), QString(), -1.0 - i});
    return rows;
}

// Reaches the drag handler that a real drag leaving the table calls.
class DragTargetTable : public StdTableView {
public:
    using StdTableView::dragLeaveEvent;
};

class TableTest : public UiTestFixture {
protected:
    TableTest()
    {
        source.rows = numberedRows(100);
        table.setUniformRowHeight(kRowHeight);
        table.setSource(&source);
        showRows(10);
    }

    // Sizes the table so that exactly that many rows show.
    void showRows(int count)
    {
        table.resize(400, 200);
        table.show();
        const int frame = table.height() - table.viewport()->height();
        table.resize(400, count * kRowHeight + frame);
    }

    void scrollToTop(int row) { table.verticalScrollBar()->setValue(row * kRowHeight); }
    int firstVisible() { return table.rowsInVisibleRect().first; }
    QPoint rowCenter(int row) { return table.visualRect(table.tableModel()->index(row, 0)).center(); }
    QString rowText(int row) { return table.tableModel()->index(row, 0).data().toString(); }

    DemoTableSource source;
    StdTableView table;
};

TEST_F(TableTest, GoOutsideTheRowsDeselectsEverythingAndTellsTheSource)
{
    table.GO(3);
    EXPECT_EQ(table.selectedRowIndexes(), IndexSet({3}));
    EXPECT_EQ(source.deselections, 0);
    table.GO(-1);
    EXPECT_TRUE(table.selectedRowIndexes().empty());
    EXPECT_EQ(source.deselections, 1);
    table.GO(3);
    table.GO(table.numberOfRows());
    EXPECT_TRUE(table.selectedRowIndexes().empty());
    EXPECT_EQ(source.deselections, 2);
}

TEST_F(TableTest, SmartScrollLandsRowsNearAnEdgeHalfAPageInside)
{
    scrollToTop(20);
    ASSERT_EQ(table.rowsInVisibleRect().count, 10);
    table.GO(20);
    EXPECT_EQ(firstVisible(), 15);
    scrollToTop(20);
    table.GO(29);
    EXPECT_EQ(firstVisible(), 20);
    table.GO(30);
    EXPECT_EQ(firstVisible(), 26); // row 35 is the last in view

    source.rows = numberedRows(33);
    table.reloadData();
    scrollToTop(20);
    table.GO(30);
    EXPECT_EQ(firstVisible(), 23); // the last row, 32, is the last in view
}

TEST_F(TableTest, ContextClickSelectsAnUnselectedRowBeforeAskingForTheMenu)
{
    table.GO(1);
    QTest::mouseClick(table.viewport(), Qt::RightButton, Qt::NoModifier, rowCenter(4));
    EXPECT_EQ(table.selectedRowIndexes(), IndexSet({4}));
    EXPECT_EQ(source.menuRows, QList<int>({4}));

    // a right click inside a selection keeps the selection
    table.selectionModel()->select(QItemSelection(table.tableModel()->index(4, 0), table.tableModel()->index(6, 0)),
                                   QItemSelectionModel::Select);
    QTest::mouseClick(table.viewport(), Qt::RightButton, Qt::NoModifier, rowCenter(5));
    EXPECT_EQ(table.selectedRowIndexes(), IndexSet({4, 5, 6}));
    EXPECT_EQ(source.menuRows, QList<int>({4, 5}));
}

TEST_F(TableTest, PlainKeysGoToTheSourceFirstAndModifiedKeysToTheTable)
{
    table.GO(2);
    QTest::keyClick(&table, Qt::Key_A);
    QTest::keyClick(&table, Qt::Key_A, Qt::ShiftModifier);
    QTest::keyClick(&table, Qt::Key_Left, Qt::ShiftModifier);
    QTest::keyClick(&table, Qt::Key_Return);
    QTest::keyClick(&table, Qt::Key_Enter, Qt::KeypadModifier); // the keypad's Enter is Return
    QTest::keyClick(&table, Qt::Key_Delete);
    EXPECT_EQ(source.keys, QList<int>({'a', kKeyLeftArrow, kKeyReturn, kKeyReturn, kKeyDelete}));

    QTest::keyClick(&table, Qt::Key_Down); // the table's own: the selection moves down
    EXPECT_EQ(source.keys.size(), 5);
    EXPECT_EQ(table.selectedRowIndexes(), IndexSet({3}));

    // the application's macro keys never reach the table
    setKeyDownInterceptor([](QKeyEvent* event) { return event->modifiers() == Qt::AltModifier; });
    QTest::keyClick(&table, Qt::Key_M, Qt::AltModifier);
    setKeyDownInterceptor(nullptr);
    EXPECT_EQ(source.keys.size(), 5);
}

TEST_F(TableTest, ATableThatMayNotChangeItsSelectionIgnoresClicksAndKeys)
{
    table.GO(1);
    table.setCanChangeSelection(false);
    QTest::mouseClick(table.viewport(), Qt::LeftButton, Qt::NoModifier, rowCenter(4));
    QTest::mouseClick(table.viewport(), Qt::RightButton, Qt::NoModifier, rowCenter(5));
    QTest::keyClick(&table, Qt::Key_A);
    QTest::keyClick(&table, Qt::Key_Down);
    EXPECT_EQ(table.selectedRowIndexes(), IndexSet({1}));
    EXPECT_TRUE(source.keys.isEmpty());
    EXPECT_TRUE(source.menuRows.isEmpty());
}

TEST_F(TableTest, RowsReadAsTheirTemplateTextsAndANullAmountShowsADash)
{
    source.rows = DemoTableSource::sampleRows();
    QAbstractItemModelTester tester(table.tableModel(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    table.reloadData();
    EXPECT_EQ(rowText(1), QStringLiteral("03/03/2024 | Loyer | Logement | 780,00 | "));
    EXPECT_EQ(rowText(5), QStringLiteral("12/03/2024 | Virement épargne | Épargne | - | "));

    QLabel debit(QStringLiteral("old"));
    QLabel credit(QStringLiteral("old"));
    MONTANT amount;
    StdCell::paintMontantAux(amount, true, true, 0, nullptr, false, &debit, &credit);
    EXPECT_EQ(debit.text(), QStringLiteral("-"));
    EXPECT_EQ(credit.text(), QStringLiteral("-"));
    amount.values.fill(1234.5);
    StdCell::paintMontantAux(amount, false, true, 0, nullptr, false, &debit, &credit);
    EXPECT_EQ(debit.text(), QString());
    EXPECT_EQ(credit.text(), QStringLiteral("1 234,50"));
    StdCell::paintMontantAux(amount, true, false, 0, nullptr, false, nullptr, nullptr); // no field: no harm
}

TEST_F(TableTest, SmartReloadKeepsTheSelectionAndTheScrollingAndReloadDropsTheSelection)
{
    table.selectionModel()->select(QItemSelection(table.tableModel()->index(2, 0), table.tableModel()->index(3, 0)),
                                   QItemSelectionModel::Select);
    table.selectionModel()->select(table.tableModel()->index(7, 0), QItemSelectionModel::Select);
    scrollToTop(40);
    table.SMART_RELOAD();
    EXPECT_EQ(table.selectedRowIndexes(), IndexSet({2, 3, 7}));
    EXPECT_EQ(firstVisible(), 40);

    source.rows = numberedRows(5);
    table.SMART_RELOAD();
    EXPECT_EQ(table.selectedRowIndexes(), IndexSet({2, 3}));
    table.reloadData();
    EXPECT_TRUE(table.selectedRowIndexes().empty());
}

TEST_F(TableTest, RowsDragBetweenTablesAsAPrivateListOfRowNumbers)
{
    DragTargetTable other;
    other.setSource(&source);
    table.GO(2);
    std::unique_ptr<QMimeData> data(table.tableModel()->mimeData({table.tableModel()->index(2, 0)}));
    ASSERT_TRUE(data);
    IndexSet rows;
    ASSERT_TRUE(StdRowsMimeData::decodeRows(data->data(QString::fromLatin1(kStdRowsMimeType)), &rows));
    EXPECT_EQ(rows, IndexSet({2}));

    StdTableModel* target = other.tableModel();
    EXPECT_TRUE(target->canDropMimeData(data.get(), Qt::MoveAction, -1, -1, target->index(1, 0)));
    EXPECT_EQ(source.validatedFrom, &table);
    EXPECT_FALSE(target->canDropMimeData(data.get(), Qt::MoveAction, 1, 0, QModelIndex())); // between rows
    EXPECT_FALSE(table.tableModel()->canDropMimeData(data.get(), Qt::MoveAction, -1, -1, target->index(1, 0)));
    EXPECT_TRUE(target->dropMimeData(data.get(), Qt::MoveAction, -1, -1, target->index(1, 0)));

    QMimeData garbage;
    garbage.setData(QString::fromLatin1(kStdRowsMimeType), "not rows");
    EXPECT_FALSE(target->dropMimeData(&garbage, Qt::MoveAction, -1, -1, target->index(1, 0)));
    EXPECT_EQ(source.droppedRows, QList<IndexSet>({{2}, {}}));
    EXPECT_EQ(source.dropTargets, QList<int>({1, 1}));

    source.canDrag = false;
    EXPECT_EQ(table.tableModel()->mimeData({table.tableModel()->index(2, 0)}), nullptr);

    other.setCurrentRowForDragging(1);
    QDragLeaveEvent leave;
    other.dragLeaveEvent(&leave);
    EXPECT_EQ(other.currentRowForDragging(), -1);
}

TEST_F(TableTest, FocusHilitesTheTableButAContextMenuDoesNot)
{
    QFocusEvent in(QEvent::FocusIn, Qt::OtherFocusReason);
    QApplication::sendEvent(&table, &in);
    EXPECT_TRUE(table.hilitedState());
    QFocusEvent toMenu(QEvent::FocusOut, Qt::PopupFocusReason);
    QApplication::sendEvent(&table, &toMenu);
    EXPECT_TRUE(table.hilitedState());
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(&table, &out);
    EXPECT_FALSE(table.hilitedState());
}

TEST_F(TableTest, AFollowingScrollViewTakesTheListsVerticalPositionOnly)
{
    SynchroScrollView follower;
    auto* content = new QWidget;
    content->resize(800, 100 * kRowHeight);
    follower.setWidget(content);
    follower.resize(200, 200);
    follower.show();
    follower.horizontalScrollBar()->setValue(30);
    follower.synchronizedWithScrollView(&table);
    scrollToTop(12);
    EXPECT_EQ(follower.verticalScrollBar()->value(), 12 * kRowHeight);
    EXPECT_EQ(follower.horizontalScrollBar()->value(), 30);
    follower.stopSynchronizing();
    scrollToTop(3);
    EXPECT_EQ(follower.verticalScrollBar()->value(), 12 * kRowHeight);
}

TEST_F(TableTest, ADemoListLooksLikeAList)
{
    DemoTemplate views;
    views.didAwakeFromNib();
    EXPECT_EQ(views.viewListeAtRow(7), views.template_view_liste());
    ASSERT_TRUE(views.field_page());

    DemoTableSource demo;
    demo.rows = DemoTableSource::sampleRows();
    QWidget window;
    auto* list = new StdTableView;
    list->setUniformRowHeight(DemoRowCell::kHeight);
    list->setFrameShape(QFrame::NoFrame);
    list->setSource(&demo);
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(views.template_view_tete());
    layout->addWidget(list);
    layout->addWidget(views.template_view_pied());
    window.resize(640, 24 + 8 * DemoRowCell::kHeight + 24);
    window.show();
    list->GO(2);
    list->hiliteTable(true);

    const QImage image = window.grab().toImage();
    QDir().mkpath(QStringLiteral(SORV_TEST_OUTPUT_DIR));
    image.save(QStringLiteral(SORV_TEST_OUTPUT_DIR "/demo-list.png"));
    const auto background
        = [&](int row) { return QColor(image.pixel(300, 24 + row * DemoRowCell::kHeight + 3)).name(); };
    EXPECT_EQ(background(0), QStringLiteral("#f2f2ff")); // the pattern of even rows
    EXPECT_EQ(background(1), QStringLiteral("#ffffff"));
    EXPECT_EQ(background(2), QStringLiteral("#ffd2d2")); // selected in the focused table
}

} // namespace
