#include "toolkit/windows/StdWindowWithTableController.h"

#include "toolkit/palettes/HelperSVPalette.h"
#include "toolkit/print/PrintViewWithTable.h"
#include "toolkit/tables/listgeometry.h"
#include "toolkit/windows/StdWindowPlacement.h"

#include "document/APPLIPARAM.h"
#include "foundation/diagnostics.h"
#include "foundation/localized.h"
#include "foundation/mainthread.h"

#include <QApplication>
#include <QBoxLayout>
#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>

namespace {

// Enough for a layout that gives the lists a fixed share of what the window gains to settle.
constexpr int kFittingPasses = 3;

// A window not shown yet has not laid out its controls (a modal window is fitted before it shows):
// every layout places its widgets now, from the window down, in the window's present size.

void layOutNow(QWidget* widget)
{
    if (QLayout* layout = widget->layout()) {
        layout->invalidate();
        layout->activate();
    }
    for (QObject* child : widget->children()) {
        if (auto* view = qobject_cast<QWidget*>(child); view && !view->isWindow())
            layOutNow(view);
    }
}

// The width of a table's rows: its inside, less a scroll bar standing beside them (a transient
// one floats over the rows and takes nothing).
int rowsWidth(const StdTableView* table)
{
    const QScrollBar* bar = table->verticalScrollBar();
    const bool beside
        = bar->isVisibleTo(table) && !table->style()->styleHint(QStyle::SH_ScrollBar_Transient, nullptr, bar);
    const int barWidth = beside ? table->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, bar) : 0;
    return std::max(0, table->contentsRect().width() - barWidth);
}

// What the window's height changes by for its lists to gain lack (less than zero: to lose it).
// Controls that scroll in the window (a window narrower than they need) fill its viewport and
// never go below their least height: the lists change only as far as the controls' height does,
// and a window fitted by the lists' lack alone would shrink again at every fitting.
double windowHeightChange(const QWidget& window, double lack)
{
    const auto* scroll = window.findChild<const QScrollArea*>(QLatin1String(StdWindowPlacement::kScrollName),
                                                              Qt::FindDirectChildrenOnly);
    const QWidget* controls = scroll ? scroll->widget() : nullptr;
    if (!controls)
        return lack;
    const int least = controls->minimumSizeHint().expandedTo(controls->minimumSize()).height();
    return std::max(controls->height() + lack, double(least)) - scroll->viewport()->height();
}

} // namespace

StdWindowWithTableController::StdWindowWithTableController()
{
    m_placedTete.setWidthSource([this] { return alignedWidth(); });
    m_placedPied.setWidthSource([this] { return alignedWidth(); });
}

// The tables outlive this part of the controller (the window goes with the base): from here on
// they must ask it nothing more.
StdWindowWithTableController::~StdWindowWithTableController()
{
    if (StdWindow* shown = windowIfLoaded()) {
        const auto tables = shown->findChildren<StdTableView*>();
        for (StdTableView* table : tables) {
            if (table->source() == this)
                table->setSource(nullptr);
        }
    }
    if (m_paletteMetadata)
        m_paletteMetadata->close();
}

// ---------------------------------------------------------------------------------------------
// Outlets

template <class W> W* StdWindowWithTableController::findOutlet(const char* name) const
{
    return outlet<W>(QString::fromLatin1(name));
}

// Once the window is awake its outlets are known; before, they are looked up at each request.
void StdWindowWithTableController::findOutlets()
{
    m_table1 = findOutlet<StdTableView>("table1");
    m_table2 = findOutlet<StdTableView>("table2");
    m_main_view = findOutlet<QWidget>("main_view");
    m_placeholder_tete = findOutlet<QWidget>("placeholder_tete");
    m_placeholder_pied = findOutlet<QWidget>("placeholder_pied");
    m_outletsFound = true;
}

StdTableView* StdWindowWithTableController::table1() const
{
    return m_outletsFound ? m_table1.data() : findOutlet<StdTableView>("table1");
}

StdTableView* StdWindowWithTableController::table2() const
{
    return m_outletsFound ? m_table2.data() : findOutlet<StdTableView>("table2");
}

QWidget* StdWindowWithTableController::main_view() const
{
    return m_outletsFound ? m_main_view.data() : findOutlet<QWidget>("main_view");
}

QWidget* StdWindowWithTableController::placeholder_tete() const
{
    return m_outletsFound ? m_placeholder_tete.data() : findOutlet<QWidget>("placeholder_tete");
}

QWidget* StdWindowWithTableController::placeholder_pied() const
{
    return m_outletsFound ? m_placeholder_pied.data() : findOutlet<QWidget>("placeholder_pied");
}

// A template is never shown itself: its views are placed in the window or printed.
void StdWindowWithTableController::setTemplateViews(StdTemplate* views)
{
    m_templateViews.reset(views);
    if (views) {
        views->setParent(nullptr);
        views->hide();
    }
}

int StdWindowWithTableController::tableNumber(const StdTableView* table) const
{
    if (!table)
        return 0;
    if (table == table1())
        return 1;
    return table == table2() ? 2 : 0;
}

// ---------------------------------------------------------------------------------------------
// Waking up and closing

void StdWindowWithTableController::didAwakeFromNib()
{
    findOutlets();
    if (m_templateViews)
        m_templateViews->didAwakeFromNib();
    m_totaux.defaultTotaux(nullptr);
    setHasSelection1(false);
    setHasSingleSelection1(false);
    setHasSelection2(false);
    setHasSingleSelection2(false);
    connectTable(m_table1);
    connectTable(m_table2);
    m_placedTete.forget();
    m_placedPied.forget();
    StdWindowController::didAwakeFromNib();
}

// The table asks this controller for its rows and tells it of double clicks, column resizes and
// changes of its visible width (a scroll bar that comes or goes).
void StdWindowWithTableController::connectTable(StdTableView* table)
{
    if (!table)
        return;
    table->setSource(this);
    table->viewport()->installEventFilter(this);
    connect(table->horizontalHeader(), &QHeaderView::sectionResized, this, [this, table] {
        const int number = tableNumber(table);
        if (number == 1)
            tableViewColumnDidResize1();
        else if (number == 2)
            tableViewColumnDidResize2();
    });
}

// The scroll bars' look is the style's and never changes while the program runs: the rows take
// their width once the window is built, and again whenever a table's visible width changes.
void StdWindowWithTableController::windowDidLoad()
{
    updateScrollerStyle();
    StdWindowController::windowDidLoad();
}

void StdWindowWithTableController::windowWillClose()
{
    m_totaux.defaultTotaux(nullptr);
    if (m_paletteMetadata) {
        if (QWidget* paletteWindow = m_paletteMetadata->windowIfLoaded())
            paletteWindow->hide();
        m_paletteMetadata->close();
        m_paletteMetadata = nullptr;
    }
    StdWindowController::windowWillClose();
}

// ---------------------------------------------------------------------------------------------
// Colours

QColor StdWindowWithTableController::selectedControlColor() const
{
    return QColor::fromRgbF(1.0f, 210 / 255.0f, 210 / 255.0f, 1.0f);
}

QColor StdWindowWithTableController::secondarySelectedControlColor() const
{
    return QColor::fromRgbF(1.0f, 230 / 255.0f, 230 / 255.0f, 1.0f);
}

QColor StdWindowWithTableController::draggingColor() const
{
    return QColor::fromRgbF(0.0f, 53 / 255.0f, 86 / 255.0f, 0.4f);
}

QColor StdWindowWithTableController::getPatColor1(int)
{
    return QColor::fromRgbF(0.95f, 0.95f, 1.0f, 1.0f);
}

QColor StdWindowWithTableController::getPatColor2(int)
{
    return QColor::fromRgbF(0.95f, 0.95f, 1.0f, 1.0f);
}

bool StdWindowWithTableController::isRowPair(StdTableView*, int row)
{
    return row % 2 == 0;
}

QColor StdWindowWithTableController::getPatColor(StdTableView* table, int row)
{
    const int number = tableNumber(table);
    return number == 1 ? getPatColor1(row) : number == 2 ? getPatColor2(row) : QColor();
}

double StdWindowWithTableController::parityDarknessAtRow(StdTableView* table, int row)
{
    const int number = tableNumber(table);
    return number == 1 ? parityDarknessAtRow1(row) : number == 2 ? parityDarknessAtRow2(row) : 0.0;
}

QColor StdWindowWithTableController::modifiedColorForParity(const QColor& color, bool pair, double darkness)
{
    if (pair)
        return color;
    const auto lighten = [darkness](float component) { return float(1.0 - (1.0 - component) * darkness); };
    return QColor::fromRgbF(lighten(color.redF()), lighten(color.greenF()), lighten(color.blueF()), color.alphaF());
}

// The drop target first, then the selection (in the focused table's colour or the other's), then
// the row's pattern for its parity.
void StdWindowWithTableController::setFillBackground(StdCell* cell, StdTableView* table, int row)
{
    StdBox* box = cell ? cell->getBgbox() : nullptr;
    if (!box || !table)
        return;
    if (row >= 0 && table->currentRowForDragging() == row) {
        box->setFillColor(draggingColor());
        return;
    }
    if (table->isRowSelected(row)) {
        box->setFillColor(table->hilitedState() ? selectedControlColor() : secondarySelectedControlColor());
        return;
    }
    const QColor pattern = getPatColor(table, row);
    if (pattern.isValid())
        box->setFillColor(modifiedColorForParity(pattern, isRowPair(table, row), parityDarknessAtRow(table, row)));
}

// ---------------------------------------------------------------------------------------------
// Rows

int StdWindowWithTableController::numberOfRows(StdTableView* table)
{
    const int number = tableNumber(table);
    return number == 1 ? numberOfRowsInTableView1(table) : number == 2 ? numberOfRowsInTableView2(table) : 0;
}

StdCell* StdWindowWithTableController::cellForRow(StdTableView* table, int row)
{
    const int number = tableNumber(table);
    return number == 1 ? viewForTableColumn1(table, row) : number == 2 ? viewForTableColumn2(table, row) : nullptr;
}

void StdWindowWithTableController::INVAL_SCROLLS()
{
    if (StdTableView* table = table1())
        table->SMART_RELOAD();
    if (StdTableView* table = table2())
        table->SMART_RELOAD();
    INVAL_PIED();
}

void StdWindowWithTableController::popMenuContextuelForTable(StdTableView*, int row, const QPoint&)
{
    svLog(QStringLiteral("popMenuContextuelForTable row %1").arg(row));
}

// ---------------------------------------------------------------------------------------------
// Selection and focus

void StdWindowWithTableController::tableViewSelectionDidChange(StdTableView* table)
{
    const int number = tableNumber(table);
    if (number == 1)
        tableViewSelectionDidChange1();
    else if (number == 2)
        tableViewSelectionDidChange2();
}

void StdWindowWithTableController::tableViewSelectionDidChange1()
{
    const size_t selected = m_table1 ? m_table1->selectedRowIndexes().size() : 0;
    setHasSelection1(selected > 0);
    setHasSingleSelection1(selected == 1);
    tableViewSelectionIsChanging1();
}

void StdWindowWithTableController::tableViewSelectionDidChange2()
{
    const size_t selected = m_table2 ? m_table2->selectedRowIndexes().size() : 0;
    setHasSelection2(selected > 0);
    setHasSingleSelection2(selected == 1);
    tableViewSelectionIsChanging2();
}

void StdWindowWithTableController::tableViewSelectionIsChanging1()
{
    tableViewSelectionIsChangingForTable(m_table1);
}

void StdWindowWithTableController::tableViewSelectionIsChanging2()
{
    tableViewSelectionIsChangingForTable(m_table2);
}

void StdWindowWithTableController::tableViewSelectionIsChangingForTable(StdTableView* table)
{
    if (!table)
        return;
    const IndexSet selected = table->selectedRowIndexes();
    IndexSet rows = table->indexesToClear();
    rows.insert(selected.begin(), selected.end());
    table->reloadDataForRowIndexes(rows);
    table->indexesToClear() = selected;
}

// A reload leaves no row selected.
void StdWindowWithTableController::tableDidReloadData(StdTableView* table)
{
    const int number = tableNumber(table);
    if (number == 1) {
        setHasSelection1(false);
        setHasSingleSelection1(false);
    } else if (number == 2) {
        setHasSelection2(false);
        setHasSingleSelection2(false);
    }
}

// The table with the focus shows its selection in the strong colour, the other in the light one.
void StdWindowWithTableController::hiliteControls(bool hilite)
{
    if (duringClosingProcess())
        return;
    const QWidget* focused = (hilite && windowIfLoaded()) ? windowIfLoaded()->focusWidget() : nullptr;
    if (StdTableView* table = table1())
        table->hiliteTable(focused == table);
    if (StdTableView* table = table2())
        table->hiliteTable(focused == table);
}

// ---------------------------------------------------------------------------------------------
// Keyboard

void StdWindowWithTableController::didArrowLeft1()
{
    if (m_table1)
        m_table1->GO(0);
}

void StdWindowWithTableController::didArrowLeft2()
{
    if (m_table2)
        m_table2->GO(0);
}

void StdWindowWithTableController::didArrowRight1()
{
    if (m_table1)
        m_table1->GO(m_table1->numberOfRows() - 1);
}

void StdWindowWithTableController::didArrowRight2()
{
    if (m_table2)
        m_table2->GO(m_table2->numberOfRows() - 1);
}

void StdWindowWithTableController::didArrowLeft(StdTableView* table)
{
    const int number = tableNumber(table);
    if (number == 1)
        didArrowLeft1();
    else if (number == 2)
        didArrowLeft2();
}

void StdWindowWithTableController::didArrowRight(StdTableView* table)
{
    const int number = tableNumber(table);
    if (number == 1)
        didArrowRight1();
    else if (number == 2)
        didArrowRight2();
}

void StdWindowWithTableController::didDoubleClick(StdTableView* table)
{
    const int number = tableNumber(table);
    if (number == 1)
        didDoubleClick1(table);
    else if (number == 2)
        didDoubleClick2(table);
}

bool StdWindowWithTableController::didKeyDown(StdTableView* table, int key)
{
    const int number = tableNumber(table);
    if (number == 0)
        return false;
    switch (key) {
    case kKeyLeftArrow:
        didArrowLeft(table);
        return true;
    case kKeyRightArrow:
        didArrowRight(table);
        return true;
    case kKeyReturn:
        if (number == 1)
            didDoubleClick1(this);
        else
            didDoubleClick2(this);
        return true;
    case kKeyDelete:
        if (!canDeleteSomething()) {
            didRefuseToDeleteFromKeyboard(table);
            return false;
        }
        return delete_(table);
    default:
        return number == 1 ? didKeyDown1(key) : didKeyDown2(key);
    }
}

bool StdWindowWithTableController::didKeyDown(QObject* sender, int key)
{
    if (auto* table = qobject_cast<StdTableView*>(sender); table && tableNumber(table) != 0)
        return didKeyDown(table, key);
    return StdWindowController::didKeyDown(sender, key);
}

// ---------------------------------------------------------------------------------------------
// Dragging rows from one table to the other

bool StdWindowWithTableController::canDragSomething(StdTableView* table)
{
    const int number = tableNumber(table);
    return number == 1 ? canDragSomething1() : number == 2 ? canDragSomething2() : false;
}

void StdWindowWithTableController::clearDraggingRow(StdTableView* table)
{
    if (table)
        table->setCurrentRowForDragging(-1);
}

// Only selected rows leave, and only from a table that lets them.
bool StdWindowWithTableController::writeRowsWithIndexes(StdTableView* table, const IndexSet& rows)
{
    clearDraggingRow(table);
    if (rows.empty() || !table->isRowSelected(*rows.begin()))
        return false;
    return canDragSomething(table);
}

// Rows go from one table onto an unselected row of the other, never between rows nor within one
// table; the row a valid drop would land on is tinted, and nothing stays tinted otherwise.
bool StdWindowWithTableController::validateDropForTable(StdTableView* table, StdTableView* from, int row, bool onRow)
{
    const int target = tableNumber(table);
    const int origin = tableNumber(from);
    const bool betweenTables = (target == 1 && origin == 2) || (target == 2 && origin == 1);
    const bool valid = betweenTables && onRow && row >= 0 && row < table->numberOfRows() && !table->isRowSelected(row)
        && validateDrop(row);
    if (table)
        table->setCurrentRowForDragging(valid ? row : -1);
    return valid;
}

bool StdWindowWithTableController::acceptDropForTable(StdTableView* table, const IndexSet& rows, int row)
{
    const bool accepted = !rows.empty();
    if (accepted)
        dragRowsFromIndexes(rows, row);
    clearDraggingRow(table);
    return accepted;
}

void StdWindowWithTableController::didEndDragging(StdTableView* table)
{
    clearDraggingRow(table);
}

// ---------------------------------------------------------------------------------------------
// Height fitting

bool StdWindowWithTableController::canAdjustHeight() const
{
    return canAdjustHeight1() || canAdjustHeight2();
}

void StdWindowWithTableController::adjustHeight(bool flag)
{
    if (!canAdjustHeight() || !APPLIPARAM::loadAppliParam().automaticHeight)
        return;
    const bool keepTop = flag || getModal();
    performOnMainThread([this, keepTop] { manuelAdjustHeight(keepTop); });
}

double StdWindowWithTableController::computeTotalHeightForTable(StdTableView* table)
{
    if (!table)
        return 0;
    const long rows = std::max<long>(minimumOfVisibleRows(), table->numberOfRows());
    return double(rows) * table->uniformRowHeight();
}

double StdWindowWithTableController::computeTotalHeightForTable1()
{
    return computeTotalHeightForTable(table1());
}

double StdWindowWithTableController::computeTotalHeightForTable2()
{
    return computeTotalHeightForTable(table2());
}

// The window grows or shrinks by what the list lacks or has too much. The list's height is that
// of its rows' area, inside the table's frame, so that exactly the wanted rows show. Two lists one
// above the other both take their share of what the window gains: they are measured together, and
// each is given the share its rows want, else the window would grow again at every fitting.
void StdWindowWithTableController::manuelAdjustHeight(bool keepTop)
{
    // The lists take their part of the window's new height only as its layout shares it out
    // (stacked lists, a view that grows with them): the next passes make up what they lack.
    for (int pass = 0; pass < kFittingPasses && fitHeightOnce(keepTop); ++pass) { }
}

bool StdWindowWithTableController::fitHeightOnce(bool keepTop)
{
    StdWindow* shown = windowIfLoaded();
    // The room and the decorations the window's placement keeps it to (below the tool palette, the
    // title bar the manager adds): fitted to more, the window would be moved back at once, and
    // fitted again at the next pass.
    const QRect area = shown ? StdWindowPlacement::availableArea(shown) : QRect();
    if (!shown || area.isEmpty())
        return false;
    // The lists are measured as the window's size now lays them out, not as the last layout pass
    // left them: a window fitted twice in a row would grow by the same lack twice.
    layOutNow(shown);
    StdTableView* list = table1();
    double listHeight = list ? list->contentsRect().height() : 0;
    const double wanted1 = list && canAdjustHeight1() ? computeTotalHeightForTable1() : 0;
    const double wanted2 = table2() && canAdjustHeight2() ? computeTotalHeightForTable2() : 0;
    double wanted = std::max(wanted1, wanted2);
    double share1 = 0;
    double share2 = 0;
    if (stackedShares(wanted1, wanted2, &share1, &share2)) {
        listHeight += table2()->contentsRect().height();
        wanted = share1 + share2;
        shareHeightBetweenTables(share1, share2);
    }
    const double change = windowHeightChange(*shown, wanted - listHeight);
    // The window is placed by its content; its title bar and borders stay around it.
    const QMargins borders = StdWindowPlacement::decorationsOf(shown);
    const QRect outer = fittedListWindowFrame(area, shown->geometry().marginsAdded(borders), change, keepTop);
    const QRect fitted = outer.marginsRemoved(borders);
    if (fitted == shown->geometry())
        return false;
    shown->setGeometry(fitted);
    return true;
}

// Neither list goes below its own least height.
bool StdWindowWithTableController::stackedShares(double wanted1, double wanted2, double* share1, double* share2) const
{
    if (wanted1 <= 0 || wanted2 <= 0 || !tablesStacked())
        return false;
    const auto least = [](const StdTableView* table, double rows) {
        return std::max(rows, double(table->minimumHeight() - (table->height() - table->contentsRect().height())));
    };
    *share1 = least(table1(), wanted1);
    *share2 = least(table2(), wanted2);
    return true;
}

// A window that comes back at a remembered frame is not fitted: its stacked lists still share its
// height as their rows want it, not half and half.
void StdWindowWithTableController::shareHeightAsRowsWant()
{
    StdWindow* shown = windowIfLoaded();
    if (!shown || !table1() || !table2() || !canAdjustHeight1() || !canAdjustHeight2())
        return;
    layOutNow(shown);
    double share1 = 0;
    double share2 = 0;
    if (stackedShares(computeTotalHeightForTable1(), computeTotalHeightForTable2(), &share1, &share2))
        shareHeightBetweenTables(share1, share2);
}

bool StdWindowWithTableController::tablesStacked() const
{
    const StdTableView* upper = table1();
    const StdTableView* lower = table2();
    const StdWindow* shown = windowIfLoaded();
    if (!upper || !lower || !shown)
        return false;
    const QRect a(upper->mapTo(shown, QPoint(0, 0)), upper->size());
    const QRect b(lower->mapTo(shown, QPoint(0, 0)), lower->size());
    return a.bottom() < b.top() || b.bottom() < a.top();
}

// The layout shares the lists' room out in proportion to their stretches: each list's stretch is
// its whole height, frame included, at its share.
void StdWindowWithTableController::shareHeightBetweenTables(double wanted1, double wanted2)
{
    for (const auto& [table, wanted] : {std::pair {table1(), wanted1}, std::pair {table2(), wanted2}}) {
        QWidget* parent = table->parentWidget();
        const int frame = table->height() - table->contentsRect().height();
        if (auto* box = parent ? qobject_cast<QBoxLayout*>(parent->layout()) : nullptr)
            box->setStretchFactor(table, std::max(1, int(wanted) + frame));
    }
}

// ---------------------------------------------------------------------------------------------
// Scroll bars and column alignment

void StdWindowWithTableController::updateScrollerStyle()
{
    if (StdTableView* table = table1())
        updateScrollerStyleForTable(table);
    if (StdTableView* table = table2())
        updateScrollerStyleForTable(table);
    ASSUME_COLUMN_ALIGNMENT();
}

// The rows take the table's inner width, less the width of a scroll bar while one shows beside
// them (a transient scroll bar floats over the rows and takes nothing).
void StdWindowWithTableController::updateScrollerStyleForTable(StdTableView* table)
{
    const int width = rowsWidth(table);
    if (table->horizontalHeader()->count() > 0 && table->columnWidth(0) != width)
        table->setColumnWidth(0, width);
}

void StdWindowWithTableController::ASSUME_COLUMN_ALIGNMENT()
{
    if (!shouldAlignColumns())
        return;
    const int width = alignedWidth();
    for (QWidget* view : {m_view_tete.data(), m_view_pied.data()}) {
        if (view && width >= 0)
            view->resize(width, view->height());
    }
}

int StdWindowWithTableController::alignedWidth() const
{
    const StdTableView* table = table1();
    if (!shouldAlignColumns() || !table || table->horizontalHeader()->count() == 0)
        return -1;
    // The width the rows are given, not the column's as last laid out: a header laid out later
    // would keep the heading at a former width, its titles a column away from their values.
    return rowsWidth(table);
}

bool StdWindowWithTableController::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::Resize || type == QEvent::Move) {
        if ((m_table1 && watched == m_table1->viewport()) || (m_table2 && watched == m_table2->viewport()))
            updateScrollerStyle();
    }
    return StdWindowController::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------------------------
// Header and footer

void StdWindowWithTableController::placeViewTete(QWidget* view)
{
    m_placedTete.place(view, placeholder_tete(), main_view());
    if (placeholder_tete())
        m_view_tete = view;
}

void StdWindowWithTableController::placeViewPied(QWidget* view)
{
    m_placedPied.place(view, placeholder_pied(), main_view());
    if (placeholder_pied())
        m_view_pied = view;
}

// The view takes the placeholder's place in front of it, and keeps it when the window's layout
// moves or resizes the placeholder. The view placed before leaves the window's sight (it stays
// the window's, so a later placement may bring it back).
// ---------------------------------------------------------------------------------------------
// Broadcasts

void StdWindowWithTableController::MAKE_TRANSACT(const QVariant&, const QVariant& isLast)
{
    if (!isLast.toBool())
        return;
    COMPUTE_TOTAUX();
    INVAL_SCROLLS();
}

void StdWindowWithTableController::DELETE_TRANSACT(const QVariant&, const QVariant& isLast)
{
    if (!isLast.toBool())
        return;
    COMPUTE_TOTAUX();
    INVAL_SCROLLS();
}

void StdWindowWithTableController::REPLACE_TRANSACT(const QVariant&, const QVariant&)
{
    COMPUTE_TOTAUX();
    INVAL_SCROLLS();
}

void StdWindowWithTableController::didReplaceTransactAtIndexes(const QVariant& positions, const QVariant& keepSelection)
{
    const QVariantList list = positions.toList();
    if (!list.isEmpty())
        REPLACE_TRANSACT(list.last(), keepSelection);
}

void StdWindowWithTableController::didDeleteTransactAtIndexes(const QVariant& positions, const QVariant&)
{
    const QVariantList list = positions.toList();
    if (!list.isEmpty())
        DELETE_TRANSACT(list.last(), QVariant(true));
}

void StdWindowWithTableController::didChangeDeviseConfiguration(const QVariant&, const QVariant&)
{
    if (StdTableView* table = table1())
        table->SMART_RELOAD();
    if (StdTableView* table = table2())
        table->SMART_RELOAD();
}

// ---------------------------------------------------------------------------------------------
// Details palette
//
// The palette shows details of this window's rows: it stays open while the user works in this
// window or in the palette itself, and closes when another window becomes active or this window
// closes.

StdWindowController* StdWindowWithTableController::adoptPaletteMetadata(StdWindowController* palette)
{
    m_paletteMetadata = palette;
    if (palette) {
        palette->setProperty("delegate", QVariant::fromValue<QObject*>(this));
        palette->setDevise(devise());
    }
    return palette;
}

void StdWindowWithTableController::showPaletteMetadata()
{
    StdWindow* own = windowIfLoaded();
    StdWindow* paletteWindow = m_paletteMetadata ? m_paletteMetadata->window() : nullptr;
    if (!own || !paletteWindow)
        return;
    HelperSVPalette::placePalette(paletteWindow, own, HelperSVPalette::kPositionRight);
    paletteWindow->show();
    paletteWindow->raise();
    paletteWindow->activateWindow();
}

void StdWindowWithTableController::paletteWillCloseNotification()
{
    m_paletteMetadata = nullptr;
}

void StdWindowWithTableController::closePaletteMetadataUnlessActive()
{
    if (!m_paletteMetadata)
        return;
    const QWidget* active = QApplication::activeWindow();
    if (active && (active == m_paletteMetadata->windowIfLoaded() || active == windowIfLoaded()))
        return;
    StdWindowController* palette = m_paletteMetadata;
    m_paletteMetadata = nullptr;
    palette->close();
}

void StdWindowWithTableController::windowDidResignKey()
{
    StdWindowController::windowDidResignKey();
    closePaletteMetadataUnlessActive();
}

void StdWindowWithTableController::windowDidResignMain()
{
    StdWindowController::windowDidResignMain();
    closePaletteMetadataUnlessActive();
}

// ---------------------------------------------------------------------------------------------
// Printing

long StdWindowWithTableController::numberOfRows()
{
    StdTableView* table = table1();
    return table ? numberOfRowsInTableView1(table) : 0;
}

QWidget* StdWindowWithTableController::viewTitre()
{
    return m_templateViews ? m_templateViews->template_view_titre() : nullptr;
}

QWidget* StdWindowWithTableController::viewTete()
{
    return m_templateViews ? m_templateViews->template_view_tete() : nullptr;
}

QWidget* StdWindowWithTableController::viewPied()
{
    return m_templateViews ? m_templateViews->template_view_pied() : nullptr;
}

StdCell* StdWindowWithTableController::viewAtRow(long row)
{
    StdCell* cell = viewForTableColumn1(table1(), int(row));
    if (!cell || !m_templateViews)
        return cell;
    if (const QWidget* liste = m_templateViews->viewListeAtRow(int(row)); liste && liste->width() != cell->width())
        cell->resize(liste->width(), cell->height());
    return cell;
}

const QMetaObject* StdWindowWithTableController::classForPrinting() const
{
    return &PrintViewWithTable::staticMetaObject;
}

void StdWindowWithTableController::willPrint()
{
    if (StdTableView* table = table1())
        table->clearSelection();
}

void StdWindowWithTableController::paintPrintTetePage(long page, long nb)
{
    if (QLabel* field = m_templateViews ? m_templateViews->field_page() : nullptr)
        field->setText(QString::asprintf("%ld/%ld", page, nb));
}

QPushButton* StdWindowWithTableController::toolButton(const char* name, const char* titleKey, QWidget* parent)
{
    auto* button = new QPushButton(localizedAppl(QString::fromLatin1(titleKey)), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}
