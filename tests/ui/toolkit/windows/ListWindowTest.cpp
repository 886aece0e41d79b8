// The list window base, driven through a small two-table window: a household account's rows on
// the left, its categories on the right (rows are dragged onto a category), the column head above
// and the totals below the rows; and a one-table variant.
#include "toolkit/windows/StdWindowWithTableController.h"

#include "toolkit/drawing/Constants.h"
#include "toolkit/palettes/FenPaletteToolController.h"
#include "toolkit/windows/StdWindowPlacement.h"
#include "uisupport/DemoRows.h"
#include "uisupport/ToolPaletteApp.h"
#include "uisupport/UiTestFixture.h"
#include "uisupport/WindowDriver.h"

#include "document/APPLIPARAM.h"
#include "foundation/broadcast.h"
#include "foundation/selectors.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QScrollArea>
#include <QTest>

namespace {

constexpr int kRowHeight = DemoRowCell::kHeight;

// A category and the total of its rows.
class CategoryCell : public StdCell {
    Q_OBJECT
public:
    CategoryCell()
    {
        auto* layout = new QHBoxLayout(this);
        layout->setContentsMargins(8, 0, 8, 0);
        layout->addWidget(name, 1);
        layout->addWidget(total);
        total->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        name->setFont(makeListFont(false, false, 12));
        total->setFont(makeListFont(false, false, 12));
    }
    QLabel* name = new QLabel(this);
    QLabel* total = new QLabel(this);
};

// A band above or below a list, set off from its rows by a hairline.
QLabel* band(const QString& text, QWidget* parent, const char* border)
{
    auto* label = new QLabel(text, parent);
    label->setFixedHeight(24);
    label->setContentsMargins(8, 0, 8, 0);
    label->setFont(makeListFont(true, false, 12));
    label->setStyleSheet(QString("background: #eceef3; %1: 1px solid #c4c7d0;").arg(border));
    return label;
}

class DemoListWindow : public StdWindowWithTableController {
    Q_OBJECT
public:
    QList<DemoRow> rows = DemoTableSource::sampleRows();
    QStringList categories {"Alimentation", "Énergie", "Logement", "Loisirs", "Santé"};
    DemoRowCell rowCell;
    CategoryCell categoryCell;

    // What the hooks were told.
    int table2Hooks = 0;
    QList<QObject*> doubleClicks1;
    QList<int> keys1;
    QList<StdTableView*> refusedDeletes;
    int deletes = 0;
    bool canDelete = false;
    QList<std::pair<IndexSet, long>> drags;
    int totauxComputed = 0;

    int numberOfRowsInTableView1(StdTableView*) override { return int(rows.size()); }
    StdCell* viewForTableColumn1(StdTableView*, int row) override
    {
        rowCell.fill(rows.at(row));
        return &rowCell;
    }
    void didDoubleClick1(QObject* sender) override { doubleClicks1.append(sender); }
    bool didKeyDown1(int key) override
    {
        keys1.append(key);
        return true;
    }
    bool canDeleteSomething() const override { return canDelete; }
    bool delete_(QObject*) override
    {
        ++deletes;
        return true;
    }
    void didRefuseToDeleteFromKeyboard(StdTableView* table) override { refusedDeletes.append(table); }
    bool canDragSomething1() override { return true; }
    void dragRowsFromIndexes(const IndexSet& indexes, long toIndex) override { drags.append({indexes, toIndex}); }

    // Every hook of table 2 counts its calls.
    int numberOfRowsInTableView2(StdTableView*) override
    {
        ++table2Hooks;
        return int(categories.size());
    }
    StdCell* viewForTableColumn2(StdTableView*, int row) override;
    QColor getPatColor2(int row) override
    {
        ++table2Hooks;
        return StdWindowWithTableController::getPatColor2(row);
    }
    double computeTotalHeightForTable2() override
    {
        ++table2Hooks;
        return StdWindowWithTableController::computeTotalHeightForTable2();
    }

    // Debits in total1, credits in total2.
    void COMPUTE_TOTAUX() override
    {
        ++totauxComputed;
        MyTotaux().defaultTotaux(nullptr);
        for (const DemoRow& row : rows) {
            MONTANT& total = row.montant < 0 ? MyTotaux().total1 : MyTotaux().total2;
            for (double& value : total.values)
                value += std::abs(row.montant);
            ++MyTotaux().n;
        }
    }
    void INVAL_PIED() override
    {
        QWidget* pied = templateViews()->template_view_pied();
        pied->findChild<QLabel*>("pied_titre")->setText(QString("%1 lignes").arg(MyTotaux().n));
        pied->findChild<QLabel*>("pied_libelle")->setText("Totaux");
        StdCell::paintMontantAux(MyTotaux().total1, true, false, 0, nullptr, false,
                                 pied->findChild<QLabel*>("pied_debit"), nullptr);
        StdCell::paintMontantAux(MyTotaux().total2, false, true, 0, nullptr, false, nullptr,
                                 pied->findChild<QLabel*>("pied_credit"));
    }
    void FILL() override
    {
        COMPUTE_TOTAUX();
        INVAL_PIED();
    }

protected:
    virtual bool withTable2() const { return true; }
    void buildInterface(StdWindow& window) override;
    void didAwakeFromNib() override
    {
        StdWindowWithTableController::didAwakeFromNib();
        placeViewTete(templateViews()->template_view_tete());
        placeViewPied(templateViews()->template_view_pied());
    }
};

StdCell* DemoListWindow::viewForTableColumn2(StdTableView*, int row)
{
    ++table2Hooks;
    categoryCell.name->setText(categories.at(row));
    MONTANT total;
    for (const DemoRow& line : rows) {
        if (line.categorie == categories.at(row))
            total.values[0] -= line.montant;
    }
    StdCell::paintMontantAux(total, true, false, 0, nullptr, false, categoryCell.total, nullptr);
    return &categoryCell;
}

StdTableView* makeTable(const char* name, QWidget* parent)
{
    auto* table = new StdTableView(parent);
    table->setObjectName(name);
    table->setUniformRowHeight(kRowHeight);
    table->setFrameShape(QFrame::NoFrame);
    // The style's minimum (room for a scroll bar's arrows) is taller than three rows.
    table->setMinimumHeight(kRowHeight);
    return table;
}

void DemoListWindow::buildInterface(StdWindow& window)
{
    window.setWindowTitle("Compte courant — mars 2024");
    setTemplateViews(new DemoTemplate);
    auto* main = new QWidget(&window);
    main->setObjectName("main_view");
    auto* grid = new QGridLayout(main);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    auto* tete = new QWidget(main);
    tete->setObjectName("placeholder_tete");
    tete->setFixedHeight(24);
    auto* pied = new QWidget(main);
    pied->setObjectName("placeholder_pied");
    pied->setFixedHeight(24);
    grid->addWidget(tete, 0, 0);
    grid->addWidget(makeTable("table1", main), 1, 0);
    grid->addWidget(pied, 2, 0);
    grid->setColumnStretch(0, 1);
    if (withTable2()) {
        auto* line = new QFrame(main);
        line->setFrameShape(QFrame::VLine);
        line->setStyleSheet("color: #c4c7d0;");
        grid->addWidget(line, 0, 1, 3, 1);
        grid->addWidget(band("Catégories", main, "border-bottom"), 0, 2);
        grid->addWidget(makeTable("table2", main), 1, 2);
        grid->addWidget(band(QString(), main, "border-top"), 2, 2);
        grid->setColumnMinimumWidth(2, 220);
    }
    auto* layout = new QHBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(main);
    window.setGeometry(100, 120, withTable2() ? 900 : 640, 300);
}

class OneTableWindow : public DemoListWindow {
    Q_OBJECT
protected:
    bool withTable2() const override { return false; }
};

class ListWindowTest : public UiTestFixture {
protected:
    ListWindowTest() { APPLIPARAM::loadAppliParam().doAnimations = false; }

    template <class W> W* open()
    {
        W* window = StdWindowController::push<W>(nullptr, 0, true);
        QApplication::processEvents();
        return window;
    }
    static QModelIndex index(StdTableView* table, int row) { return table->tableModel()->index(row, 0); }
    static QColor background(DemoListWindow& w, StdTableView* table, int row)
    {
        StdCell* cell = w.cellForRow(table, row);
        w.setFillBackground(cell, table, row);
        return cell->getBgbox()->fillColor();
    }
    static std::unique_ptr<QMimeData> dragged(StdTableView* table, int row)
    {
        return std::unique_ptr<QMimeData>(table->tableModel()->mimeData({index(table, row)}));
    }
};

TEST_F(ListWindowTest, AOneTableWindowNeverCallsTheHooksOfTableTwo)
{
    OneTableWindow* w = open<OneTableWindow>();
    EXPECT_EQ(w->table2(), nullptr);
    w->INVAL_SCROLLS();
    w->didChangeDeviseConfiguration({}, {});
    w->manuelAdjustHeight(false);
    w->hiliteControls(true);
    QTest::keyClick(w->table1(), Qt::Key_Return);
    w->table1()->GO(1);
    // A table that is not the window's gets nothing, even from the window's hooks.
    StdTableView stray;
    EXPECT_EQ(w->numberOfRows(&stray), 0);
    EXPECT_FALSE(w->didKeyDown(&stray, kKeyReturn));
    EXPECT_FALSE(w->getPatColor(&stray, 0).isValid());
    // No drop is ever valid: not from outside (no table), nor from another table.
    auto data = dragged(w->table1(), 1);
    ASSERT_TRUE(data);
    EXPECT_FALSE(w->validateDropForTable(w->table1(), nullptr, 3, true));
    EXPECT_FALSE(w->validateDropForTable(w->table1(), &stray, 3, true));
    EXPECT_FALSE(w->table1()->tableModel()->canDropMimeData(data.get(), Qt::MoveAction, -1, -1, index(w->table1(), 3)));
    EXPECT_EQ(w->table2Hooks, 0);
    EXPECT_EQ(w->doubleClicks1, QList<QObject*>({w}));
    w->close();
}

TEST_F(ListWindowTest, DropsGoOnlyOntoAnUnselectedRowOfTheOtherTableAndLeaveNoTint)
{
    DemoListWindow* w = open<DemoListWindow>();
    StdTableView* rows = w->table1();
    StdTableView* categories = w->table2();
    rows->GO(2);
    categories->GO(1);
    auto data = dragged(rows, 2);
    ASSERT_TRUE(data);
    StdTableModel* target = categories->tableModel();

    EXPECT_TRUE(target->canDropMimeData(data.get(), Qt::MoveAction, -1, -1, index(categories, 3)));
    EXPECT_EQ(categories->currentRowForDragging(), 3);
    EXPECT_EQ(background(*w, categories, 3), w->draggingColor());
    // onto the selected row, between rows, and back onto its own table: refused, nothing tinted
    EXPECT_FALSE(target->canDropMimeData(data.get(), Qt::MoveAction, -1, -1, index(categories, 1)));
    EXPECT_EQ(categories->currentRowForDragging(), -1);
    EXPECT_TRUE(target->canDropMimeData(data.get(), Qt::MoveAction, -1, -1, index(categories, 3)));
    EXPECT_FALSE(target->canDropMimeData(data.get(), Qt::MoveAction, 3, 0, QModelIndex()));
    EXPECT_EQ(categories->currentRowForDragging(), -1);
    EXPECT_FALSE(rows->tableModel()->canDropMimeData(data.get(), Qt::MoveAction, -1, -1, index(rows, 4)));
    EXPECT_EQ(rows->currentRowForDragging(), -1);
    EXPECT_NE(background(*w, categories, 3), w->draggingColor());

    EXPECT_TRUE(target->canDropMimeData(data.get(), Qt::MoveAction, -1, -1, index(categories, 4)));
    EXPECT_TRUE(target->dropMimeData(data.get(), Qt::MoveAction, -1, -1, index(categories, 4)));
    EXPECT_EQ(categories->currentRowForDragging(), -1);
    QMimeData garbage;
    garbage.setData(kStdRowsMimeType, "pas des lignes");
    EXPECT_FALSE(target->dropMimeData(&garbage, Qt::MoveAction, -1, -1, index(categories, 4)));
    EXPECT_EQ(w->drags, (QList<std::pair<IndexSet, long>>({{{2}, 4}})));

    // Only selected rows leave, and only from a table that lets them.
    EXPECT_FALSE(dragged(rows, 5));
    EXPECT_FALSE(dragged(categories, 1));
    w->close();
}

TEST_F(ListWindowTest, TheListIsFittedToItsRowsOnTheScreen)
{
    ui().screenInfo().frame = QRect(0, 0, 1440, 900);
    auto* small = open<OneTableWindow>();
    small->rows.resize(1);
    small->table1()->reloadData();
    small->adjustHeight(false);
    QApplication::processEvents();
    EXPECT_EQ(small->table1()->viewport()->height(), 3 * kRowHeight);
    small->close();

    // Too tall for a screen 200 high: a modeless window takes the screen's whole height...
    ui().screenInfo().frame = QRect(0, 0, 1440, 200);
    auto* tall = open<OneTableWindow>();
    EXPECT_EQ(tall->window()->frameGeometry().top(), 0);
    EXPECT_EQ(tall->window()->frameGeometry().height(), 200);
    tall->close();
    // ...while a modal one keeps its top and stops at the screen's bottom.
    ui().onModal<OneTableWindow>([](OneTableWindow& c) {
        EXPECT_EQ(c.window()->frameGeometry(), QRect(100, 120, 640, 80));
        c.perform("NON:");
    });
    StdWindowController::pushModal<OneTableWindow>(nullptr, nullptr, 0);

    // Controls scrolling in a window narrower than they need never go below their least height:
    // fitted again, the window stays as the first fitting left it, every control in sight.
    ui().screenInfo().frame = QRect(0, 0, 1440, 900);
    auto* scrolled = open<DemoListWindow>();
    scrolled->rows.resize(1);
    scrolled->table2()->setMinimumHeight(8 * kRowHeight);
    StdWindowPlacement::makeContentScroll(scrolled->window());
    scrolled->table1()->reloadData();
    scrolled->adjustHeight(false);
    const QRect fitted = scrolled->window()->geometry();
    scrolled->adjustHeight(false);
    EXPECT_EQ(scrolled->window()->geometry(), fitted);
    const auto* scroll = scrolled->window()->findChild<QScrollArea*>(StdWindowPlacement::kScrollName);
    ASSERT_NE(scroll, nullptr);
    EXPECT_GE(scroll->viewport()->height(), scroll->widget()->minimumSizeHint().height());
    EXPECT_GE(scrolled->table1()->viewport()->height(), 3 * kRowHeight);
    scrolled->close();

    // Without automatic height the window keeps its size, on a screen where it fits.
    APPLIPARAM::loadAppliParam().automaticHeight = false;
    auto* kept = open<OneTableWindow>();
    EXPECT_EQ(kept->window()->geometry(), QRect(100, 120, 640, 300));
    kept->close();
}

// Every frame a window is given, in order, as each request reaches it.
class FramesGiven : public QObject {
public:
    explicit FramesGiven(QWidget* window)
        : m_window(window)
    {
        window->installEventFilter(this);
    }
    QList<QRect> frames;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const bool framed = event->type() == QEvent::Move || event->type() == QEvent::Resize;
        if (watched == m_window && framed && (frames.isEmpty() || frames.last() != m_window->geometry()))
            frames.append(m_window->geometry());
        return false;
    }

private:
    QWidget* m_window;
};

// A list taller than the screen is fitted to the room below the tool palette, the title bar
// included: once, not first to the whole screen and then pushed back below the palette at every
// pass, each frame asked of a window manager that answers them all in turn.
TEST_F(ListWindowTest, AListTallerThanTheScreenIsFittedOnceBelowTheToolPalette)
{
    const QMargins decorations(1, 22, 1, 1);
    ui().screenInfo().frame = ui().screenInfo().full = QRect(0, 0, 1366, 768);
    StdWindowPlacement::setDecorations(decorations);
    ToolPaletteApp app;
    app.tool = openPaletteOutils(false);
    ASSERT_NE(app.tool, nullptr);
    setWindowAppDelegate(&app);
    QRect area = ui().screenInfo().frame;
    area.setTop(app.tool->window()->frameGeometry().bottom() + 3);
    const struct {
        const char* name;
        QRect frame; // where the window stands as its rows grow
    } cases[] = {
        {"below the palette", QRect(100, 120, 640, 300)},
        {"its title bar under the palette", QRect(100, 10, 640, 300)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto* list = open<OneTableWindow>();
        StdWindow* window = list->window();
        window->setGeometry(c.frame);
        for (int i = 0; i < 6; ++i)
            list->rows += DemoTableSource::sampleRows();
        list->table1()->reloadData();
        FramesGiven given(window);
        list->adjustHeight(false);
        const QRect fitted = window->geometry().marginsAdded(decorations);
        EXPECT_EQ(fitted.top(), area.top());
        EXPECT_EQ(fitted.bottom(), area.bottom());
        for (qsizetype i = 0; i < given.frames.size(); ++i)
            EXPECT_EQ(given.frames.indexOf(given.frames.at(i)), i)
                << "asked twice: " << given.frames.at(i).y() << " " << given.frames.at(i).height();
        EXPECT_LE(given.frames.size(), 2) << "fitted, then kept clear of the palette at most once";
        list->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    closePaletteOutils();
    setWindowAppDelegate(nullptr);
    StdWindowPlacement::setDecorations(std::nullopt);
}

TEST_F(ListWindowTest, OnlyTheLastOfABatchRefreshesTheListsAndTheFooter)
{
    DemoListWindow* w = open<DemoListWindow>();
    w->table1()->GO(3);
    const int computed = w->totauxComputed;
    w->rows.append({"20/03/2024", "Pharmacie", "Santé", -18.20});
    sendToAllWindowDelegates(Sel::MAKE_TRANSACT, 8, false);
    EXPECT_EQ(w->totauxComputed, computed);
    EXPECT_EQ(w->table1()->numberOfRows(), 8);
    sendToAllWindowDelegates(Sel::MAKE_TRANSACT, 8, true);
    EXPECT_EQ(w->totauxComputed, computed + 1);
    EXPECT_EQ(w->table1()->numberOfRows(), 9);
    EXPECT_EQ(w->table1()->selectedRowIndexes(), IndexSet({3}));
    EXPECT_EQ(WindowDriver(*w).text("pied_debit"), "1 205,77");
    EXPECT_EQ(WindowDriver(*w).text("pied_titre"), "9 lignes");
    w->rows.removeLast();
    sendToAllWindowDelegates(Sel::DELETE_TRANSACT, 8, false);
    EXPECT_EQ(w->table1()->numberOfRows(), 9);
    sendToAllWindowDelegates(Sel::REPLACE_TRANSACT, 2, false);
    EXPECT_EQ(w->table1()->numberOfRows(), 8);
    EXPECT_EQ(w->totauxComputed, computed + 2);

    // A closed window hears nothing more.
    w->close();
    sendToAllWindowDelegates(Sel::REPLACE_TRANSACT, 2, false);
    EXPECT_EQ(w->totauxComputed, computed + 2);
}

TEST_F(ListWindowTest, RowsArePaintedByParitySelectionFocusAndDrag)
{
    DemoListWindow* w = open<DemoListWindow>();
    StdTableView* rows = w->table1();
    EXPECT_EQ(background(*w, rows, 0).name(), "#f2f2ff");
    EXPECT_EQ(background(*w, rows, 1).name(), "#ffffff");
    rows->selectionModel()->select(index(rows, 2), QItemSelectionModel::Select);
    EXPECT_TRUE(w->hasSelection1() && w->hasSingleSelection1());
    rows->selectionModel()->select(index(rows, 4), QItemSelectionModel::Select);
    EXPECT_FALSE(w->hasSingleSelection1());
    EXPECT_EQ(rows->indexesToClear(), IndexSet({2, 4}));

    rows->setFocus();
    w->hiliteControls(true);
    EXPECT_TRUE(rows->hilitedState());
    EXPECT_FALSE(w->table2()->hilitedState());
    EXPECT_EQ(background(*w, rows, 2).name(), "#ffd2d2");
    w->hiliteControls(false);
    EXPECT_EQ(background(*w, rows, 2).name(), "#ffe6e6");
    rows->setCurrentRowForDragging(4);
    EXPECT_EQ(background(*w, rows, 4), QColor::fromRgbF(0, 53 / 255.0, 86 / 255.0, 0.4));
    rows->reloadData();
    EXPECT_FALSE(w->hasSelection1());

    // An odd row lightens the pattern towards white by its darkness.
    EXPECT_EQ(StdWindowWithTableController::modifiedColorForParity(QColor(100, 150, 200), false, 0.4).name(),
              "#c1d5e9");
    EXPECT_EQ(StdWindowWithTableController::modifiedColorForParity(QColor(100, 150, 200), true, 0.4).name(), "#6496c8");
    w->close();
}

TEST_F(ListWindowTest, KeysOfTheLists)
{
    DemoListWindow* w = open<DemoListWindow>();
    StdTableView* rows = w->table1();
    QTest::keyClick(rows, Qt::Key_Right);
    EXPECT_EQ(rows->selectedRowIndexes(), IndexSet({7}));
    QTest::keyClick(rows, Qt::Key_Left);
    EXPECT_EQ(rows->selectedRowIndexes(), IndexSet({0}));
    QTest::keyClick(rows, Qt::Key_Return);
    EXPECT_EQ(w->doubleClicks1, QList<QObject*>({w}));
    QTest::keyClick(rows, Qt::Key_Delete);
    EXPECT_EQ(w->refusedDeletes, QList<StdTableView*>({rows}));
    EXPECT_EQ(w->deletes, 0);
    w->canDelete = true;
    QTest::keyClick(rows, Qt::Key_Delete);
    EXPECT_EQ(w->deletes, 1);
    QTest::keyClick(rows, Qt::Key_X);
    EXPECT_EQ(w->keys1, QList<int>({'x'}));
    QTest::keyClick(w->table2(), Qt::Key_Right);
    EXPECT_EQ(w->table2()->selectedRowIndexes(), IndexSet({4}));
    EXPECT_EQ(rows->selectedRowIndexes(), IndexSet({0}));
    w->close();
}

TEST_F(ListWindowTest, PrintOutPartsComeFromTheTemplate)
{
    DemoListWindow* w = open<DemoListWindow>();
    StdTemplate* views = w->templateViews();
    EXPECT_EQ(w->numberOfRows(), 8);
    EXPECT_EQ(w->viewTitre(), views->template_view_titre());
    EXPECT_EQ(w->viewTete(), views->template_view_tete());
    EXPECT_EQ(w->viewPied(), views->template_view_pied());
    StdCell* row = w->viewAtRow(1);
    EXPECT_EQ(row->width(), views->template_view_liste()->width());
    ASSERT_GE(row->rowTexts().size(), 2);
    EXPECT_EQ(row->rowTexts().at(1), "Loyer");
    QLabel* loyer = nullptr;
    for (QLabel* label : row->findChildren<QLabel*>())
        loyer = label->text() == "Loyer" ? label : loyer;
    ASSERT_NE(loyer, nullptr);
    loyer->hide();
    EXPECT_FALSE(row->rowTexts().contains("Loyer")); // a hidden label is not part of the row
    loyer->show();
    w->paintPrintTetePage(2, 5);
    EXPECT_EQ(views->field_page()->text(), "2/5");
    // The column head stands over its placeholder.
    EXPECT_EQ(w->current_view_tete(), views->template_view_tete());
    EXPECT_EQ(w->current_view_tete()->geometry(), w->placeholder_tete()->geometry());
    w->close();
}

TEST_F(ListWindowTest, ADemoListWindowLooksLikeAList)
{
    ui().screenInfo().frame = QRect(0, 0, 1440, 900);
    DemoListWindow* w = open<DemoListWindow>();
    w->table1()->GO(2);
    w->table1()->setFocus();
    w->hiliteControls(true);
    w->table2()->selectionModel()->select(index(w->table2(), 2), QItemSelectionModel::Select);
    w->table2()->setCurrentRowForDragging(4);
    QApplication::processEvents();
    const QImage image = WindowDriver(*w).grab("list-window-demo.png");
    EXPECT_EQ(w->table1()->viewport()->height(), 8 * kRowHeight);
    const auto pixel = [&](StdTableView* table, int row) {
        return QColor(image.pixel(table->mapTo(w->window(), QPoint(3, row * kRowHeight + 3)))).name();
    };
    EXPECT_EQ(pixel(w->table1(), 2), "#ffd2d2");
    EXPECT_EQ(pixel(w->table2(), 2), "#ffe6e6");
    w->close();
}

TEST_F(ListWindowTest, TheDetailsPaletteStandsBesideItsWindowWhileTheUserWorksInEither)
{
    DemoListWindow* w = open<DemoListWindow>();
    w->setDevise(2);
    const QRect placed = w->window()->geometry();
    QPointer<OneTableWindow> palette = w->openPaletteWithMetadataArray<OneTableWindow>({});
    ASSERT_EQ(w->paletteMetadata(), palette);
    EXPECT_EQ(w->openPaletteWithMetadataArray<OneTableWindow>({}), palette); // brought back, not a second one
    EXPECT_EQ(palette->property("delegate").value<QObject*>(), w);
    EXPECT_EQ(palette->devise(), 2);
    // Right of the window (x 100, 900 wide) and one point inside the screen's right edge, frame
    // included; with no room on either side it lies over the window, which stays where it was.
    const int frame = w->window()->frameGeometry().right() - w->window()->geometry().right();
    EXPECT_EQ(palette->window()->geometry().topLeft(), QPoint(1440 - frame - 640 - 1, 120));
    EXPECT_EQ(w->window()->geometry(), placed);

    QApplication::setActiveWindow(palette->window());
    w->windowDidResignKey();
    EXPECT_EQ(w->paletteMetadata(), palette);
    QWidget elsewhere;
    elsewhere.show();
    QApplication::setActiveWindow(&elsewhere);
    w->windowDidResignKey();
    EXPECT_EQ(w->paletteMetadata(), nullptr);

    palette = w->openPaletteWithMetadataArray<OneTableWindow>({});
    w->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(palette.isNull());
}

} // namespace

#include "ListWindowTest.moc"
