#pragma once
// The base of every window that shows one or two lists (transaction lists, entity lists,
// analyses, palettes of details). It is the source of its tables and splits every question a
// table asks into a pair of hooks, one per table (numberOfRowsInTableView1 / ...2), that a
// subclass overrides; in a one-table window the hooks of table 2 are never called. It paints the
// rows' backgrounds (selection, drop target, alternate rows), fits the window's height to the
// rows, handles the lists' keys, moves rows between its two tables by drag and drop, places a
// header and a footer view over their placeholders, keeps the footer's totals and refreshes the
// lists when a transaction is made, replaced or deleted.
//
// Building a list window: buildInterface() lays out the controls with these object names, found
// when the window wakes up: "table1" and "table2" (StdTableView, table2 may be absent),
// "main_view" (the view that receives the header and footer; the placeholders' parent when
// absent), "placeholder_tete" and "placeholder_pied" (where the header and footer go). A window
// with a template hands it over with setTemplateViews(). The tables are connected to the
// controller before FILL runs, so the row hooks must answer (with no rows, say) from then on.
#include "model/TOTAUX.h"
#include "toolkit/print/PrintView.h"
#include "toolkit/tables/StdCell.h"
#include "toolkit/tables/StdTableView.h"
#include "toolkit/tables/StdTemplate.h"
#include "toolkit/windows/StdPlacedView.h"
#include "toolkit/windows/StdWindowController.h"

#include <QColor>
#include <QPointer>
#include <QVariant>

#include <memory>

class QPushButton;

class StdWindowWithTableController : public StdWindowController, public IStdTableSource, public PrintDelegate {
    Q_OBJECT
public:
    StdWindowWithTableController();
    ~StdWindowWithTableController() override;

    // ---- Outlets and fields.

    // Null until the window is built; table2 stays null in a one-table window.
    StdTableView* table1() const;
    StdTableView* table2() const;
    QWidget* main_view() const;
    QWidget* placeholder_tete() const;
    QWidget* placeholder_pied() const;
    // The template the window's head, list and foot views come from (owned); null for none.
    StdTemplate* templateViews() const { return m_templateViews.get(); }
    void setTemplateViews(StdTemplate* views);

    // The header and footer shown (set by placeViewTete / placeViewPied, or by a subclass).
    QWidget* view_tete() const { return m_view_tete; }
    void setView_tete(QWidget* view) { m_view_tete = view; }
    QWidget* view_pied() const { return m_view_pied; }
    void setView_pied(QWidget* view) { m_view_pied = view; }
    QWidget* current_view_tete() const { return m_placedTete.current(); }
    QWidget* current_view_pied() const { return m_placedPied.current(); }

    bool hasSelection1() const { return m_hasSelection1; }
    virtual void setHasSelection1(bool has) { m_hasSelection1 = has; }
    bool hasSelection2() const { return m_hasSelection2; }
    virtual void setHasSelection2(bool has) { m_hasSelection2 = has; }
    bool hasSingleSelection1() const { return m_hasSingleSelection1; }
    virtual void setHasSingleSelection1(bool has) { m_hasSingleSelection1 = has; }
    bool hasSingleSelection2() const { return m_hasSingleSelection2; }
    virtual void setHasSingleSelection2(bool has) { m_hasSingleSelection2 = has; }

    double last_width() const { return m_last_width; }
    void setLast_width(double width) { m_last_width = width; }
    // The footer's totals, reset when the window wakes up.
    TOTAUX& MyTotaux() { return m_totaux; }
    // Rows of each table to repaint at its next change of selection, for subclasses.
    IndexSet& indexesToClear1() { return m_indexesToClear1; }
    IndexSet& indexesToClear2() { return m_indexesToClear2; }

    // The details palette opened from this window, null when none is open.
    StdWindowController* paletteMetadata() const { return m_paletteMetadata; }

    // ---- Hooks a subclass overrides (the defaults do nothing, or answer as noted).

    virtual QString templateNibName1() const { return QString(); }
    virtual QString templateNibName2() const { return QString(); }
    virtual bool alwaysTrue() const { return true; }
    // Selected rows of the focused table, of an unfocused one, and the row a drag is over.
    virtual QColor selectedControlColor() const;
    virtual QColor secondarySelectedControlColor() const;
    virtual QColor draggingColor() const;
    // The fitted list shows at least this many rows.
    virtual long minimumOfVisibleRows() const { return 3; }
    virtual bool canAdjustHeight1() const { return true; }
    virtual bool canAdjustHeight2() const { return true; }
    bool canAdjustHeight() const override;
    // A copy of the header or footer for a print-out; none by default.
    virtual QWidget* copyOfViewTete(QWidget* /*view*/) { return nullptr; }
    virtual QWidget* copyOfViewPied(QWidget* /*view*/) { return nullptr; }
    // A double click on a row, or Return (the sender is then the controller).
    virtual void didDoubleClick1(QObject* /*sender*/) { }
    virtual void didDoubleClick2(QObject* /*sender*/) { }
    // A key the base did not take; true when handled.
    virtual bool didKeyDown1(int /*key*/) { return false; }
    virtual bool didKeyDown2(int /*key*/) { return false; }
    // The left and right arrows: the first and the last row.
    virtual void didArrowLeft1();
    virtual void didArrowLeft2();
    virtual void didArrowRight1();
    virtual void didArrowRight2();
    virtual void tableViewColumnDidResize1() { }
    virtual void tableViewColumnDidResize2() { }
    // Deletes the selection (the Delete key, or the menu item); true when something was deleted.
    Q_INVOKABLE virtual bool delete_(QObject* /*sender*/) { return false; }
    // The Delete key in a window that can delete nothing; subclasses beep or explain.
    virtual void didRefuseToDeleteFromKeyboard(StdTableView* /*table*/) { }
    // The pattern colour of a row before its parity is applied; an invalid colour leaves the
    // row's box as it is.
    virtual QColor getPatColor1(int row);
    virtual QColor getPatColor2(int row);
    virtual double parityDarknessAtRow1(int /*row*/) { return 0.0; }
    virtual double parityDarknessAtRow2(int /*row*/) { return 0.0; }
    // Even rows (0, 2, 4...) by default.
    virtual bool isRowPair(StdTableView* table, int row);
    virtual int numberOfRowsInTableView1(StdTableView* /*table*/) { return 0; }
    virtual int numberOfRowsInTableView2(StdTableView* /*table*/) { return 0; }
    // The row template of the row, filled for it; null leaves the row blank.
    virtual StdCell* viewForTableColumn1(StdTableView* /*table*/, int /*row*/) { return nullptr; }
    virtual StdCell* viewForTableColumn2(StdTableView* /*table*/, int /*row*/) { return nullptr; }
    virtual void tableViewSelectionDidChange1();
    virtual void tableViewSelectionDidChange2();
    virtual void tableViewSelectionIsChanging1();
    virtual void tableViewSelectionIsChanging2();
    // Recomputes MyTotaux; shows the footer again.
    virtual void COMPUTE_TOTAUX() { }
    virtual void INVAL_PIED() { }
    virtual bool canDragSomething1() { return false; }
    virtual bool canDragSomething2() { return false; }
    // Rows dragged from the other table dropped on the row toIndex.
    virtual void dragRowsFromIndexes(const IndexSet& /*indexes*/, long /*toIndex*/) { }
    // Whether the rows dragged may land on that row.
    virtual bool validateDrop(long /*row*/) { return true; }
    // The header and footer take the width of table 1's rows.
    virtual bool shouldAlignColumns() const { return false; }

    // ---- Dispatch of the un-numbered forms to the table given (nothing for a table not ours).

    QColor getPatColor(StdTableView* table, int row);
    double parityDarknessAtRow(StdTableView* table, int row);
    bool canDragSomething(StdTableView* table);
    void didArrowLeft(StdTableView* table);
    void didArrowRight(StdTableView* table);
    // Repaints the old and the new selected rows of the table.
    void tableViewSelectionIsChangingForTable(StdTableView* table);

    // ---- Operations.

    void adjustHeight(bool flag) override;
    // Fits the window's height to the rows, on the screen; keepTop keeps the top edge where it is
    // when the rows would not fit on the screen.
    void manuelAdjustHeight(bool keepTop);
    // One fitting; whether it changed the window's frame.
    bool fitHeightOnce(bool keepTop);
    // Whether the two lists stand one above the other rather than side by side.
    bool tablesStacked() const;
    // The heights two stacked lists take of the window's, when both fit their rows.
    bool stackedShares(double wanted1, double wanted2, double* share1, double* share2) const;
    // The stacked lists share the window's present height as their rows want it.
    void shareHeightAsRowsWant();
    // Each stacked list takes a share of the window's lists' height in proportion to its rows.
    void shareHeightBetweenTables(double wanted1, double wanted2);
    virtual double computeTotalHeightForTable1();
    virtual double computeTotalHeightForTable2();
    double computeTotalHeightForTable(StdTableView* table);
    void placeViewTete(QWidget* view);
    void placeViewPied(QWidget* view);
    // Reloads every table, keeping its selection, then the footer.
    void INVAL_SCROLLS();
    void hiliteControls(bool hilite) override;
    // The colour of a pattern on a row of that parity: even rows keep it, odd rows lighten it
    // towards white by the darkness (0: white).
    static QColor modifiedColorForParity(const QColor& color, bool pair, double darkness);
    // The rows' width follows the tables' scroll bars; the header and footer follow table 1.
    void updateScrollerStyle();
    void ASSUME_COLUMN_ALIGNMENT();

    // Opens the details palette of class C beside this window, or brings the open one to the
    // front; the caller fills it. The array is the caller's business.
    template <class C> C* openPaletteWithMetadataArray(const QVariantList& array);
    Q_INVOKABLE void paletteWillCloseNotification();

    // ---- Broadcast handlers (a position, then a flag).

    // The footer and the lists are refreshed once, for the last of a batch.
    Q_INVOKABLE virtual void MAKE_TRANSACT(const QVariant& position, const QVariant& isLast);
    Q_INVOKABLE virtual void DELETE_TRANSACT(const QVariant& position, const QVariant& isLast);
    Q_INVOKABLE virtual void REPLACE_TRANSACT(const QVariant& position, const QVariant& keepSelection);
    // A batch told at once (a list of positions): by default the handler above runs once, for the
    // last of them, as the last of its batch.
    Q_INVOKABLE virtual void didReplaceTransactAtIndexes(const QVariant& positions, const QVariant& keepSelection);
    Q_INVOKABLE virtual void didDeleteTransactAtIndexes(const QVariant& positions, const QVariant& unused);
    Q_INVOKABLE virtual void didChangeDeviseConfiguration(const QVariant& arg1, const QVariant& arg2);

    // ---- What a print-out of table 1 is made of.

    long numberOfRows() override;
    QWidget* viewTitre() override;
    QWidget* viewTete() override;
    QWidget* viewPied() override;
    // Row template of table 1 filled for the row, as wide as the template's list view.
    StdCell* viewAtRow(long row) override;
    // Writes "page/count" into the title view's page field.
    void paintPrintTetePage(long page, long nb) override;
    // A list prints its first table; the selection is not printed.
    const QMetaObject* classForPrinting() const override;
    void willPrint() override;

    // ---- The tables' questions (IStdTableSource), answered through the numbered hooks.

    int numberOfRows(StdTableView* table) override;
    StdCell* cellForRow(StdTableView* table, int row) override;
    void setFillBackground(StdCell* cell, StdTableView* table, int row) override;
    bool didKeyDown(StdTableView* table, int key) override;
    bool didKeyDown(QObject* sender, int key) override;
    void didDoubleClick(StdTableView* table) override;
    void tableViewSelectionDidChange(StdTableView* table) override;
    void tableDidReloadData(StdTableView* table) override;
    void popMenuContextuelForTable(StdTableView* table, int row, const QPoint& globalPoint) override;
    void didEndDragging(StdTableView* table) override;
    bool writeRowsWithIndexes(StdTableView* table, const IndexSet& rows) override;
    bool validateDropForTable(StdTableView* table, StdTableView* from, int row, bool onRow) override;
    bool acceptDropForTable(StdTableView* table, const IndexSet& rows, int row) override;

    void didAwakeFromNib() override;
    void windowWillClose() override;
    void windowDidResignKey() override;
    void windowDidResignMain() override;

protected:
    void windowDidLoad() override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // A button of the list's toolbar, titled from the Appl table: it never takes the focus from
    // the list, and Return never presses it.
    static QPushButton* toolButton(const char* name, const char* titleKey, QWidget* parent);

private:
    // Which of the window's tables it is: 1, 2, or 0 for none (table 2 of a one-table window).
    int tableNumber(const StdTableView* table) const;
    template <class W> W* findOutlet(const char* name) const;
    void findOutlets();
    void connectTable(StdTableView* table);
    void updateScrollerStyleForTable(StdTableView* table);
    // The width of table 1's rows when the header and footer align with them, else -1.
    int alignedWidth() const;
    void clearDraggingRow(StdTableView* table);
    void closePaletteMetadataUnlessActive();
    StdWindowController* adoptPaletteMetadata(StdWindowController* palette);
    void showPaletteMetadata();

    bool m_outletsFound = false;
    QPointer<StdTableView> m_table1;
    QPointer<StdTableView> m_table2;
    QPointer<QWidget> m_main_view;
    QPointer<QWidget> m_placeholder_tete;
    QPointer<QWidget> m_placeholder_pied;
    std::unique_ptr<StdTemplate> m_templateViews;

    QPointer<QWidget> m_view_tete;
    QPointer<QWidget> m_view_pied;
    StdPlacedView m_placedTete;
    StdPlacedView m_placedPied;

    bool m_hasSelection1 = false;
    bool m_hasSelection2 = false;
    bool m_hasSingleSelection1 = false;
    bool m_hasSingleSelection2 = false;
    double m_last_width = 0;
    TOTAUX m_totaux;
    IndexSet m_indexesToClear1;
    IndexSet m_indexesToClear2;
    QPointer<StdWindowController> m_paletteMetadata;
};

template <class C> C* StdWindowWithTableController::openPaletteWithMetadataArray(const QVariantList& array)
{
    static_assert(std::is_base_of_v<StdWindowController, C>);
    Q_UNUSED(array);
    if (!m_paletteMetadata)
        adoptPaletteMetadata(StdWindowController::push<C>(nullptr, MONTANT::currentDeviseSlot(), true));
    showPaletteMetadata();
    return qobject_cast<C*>(m_paletteMetadata.data());
}
