#pragma once
// Every list of the program: one column of rows drawn from row templates (StdCell) that the window
// showing the table fills on demand (IStdTableSource). The window paints the selection itself, so
// the table remembers whether it has the focus (hilitedState) and which row a drag is over
// (currentRowForDragging). Keys and clicks go to the window first, and are ignored altogether
// while the window forbids changing the selection.
#include "toolkit/tables/StdTableModel.h"

#include <QTableView>

class StdRowDelegate;

class StdTableView : public QTableView {
    Q_OBJECT
public:
    explicit StdTableView(QWidget* parent = nullptr);
    ~StdTableView() override;

    // The window that gives the rows and handles the table's keys, clicks and drags. Not owned: it
    // outlives the table or sets null first. Setting it reloads the rows.
    void setSource(IStdTableSource* source);
    IStdTableSource* source() const { return m_model->source(); }
    StdTableModel* tableModel() const { return m_model; }
    int numberOfRows() const { return m_model->rowCount(); }

    // Every row has this height (the height of the row templates).
    void setUniformRowHeight(int height);
    int uniformRowHeight() const;

    bool canChangeSelection() const { return m_canChangeSelection; }
    void setCanChangeSelection(bool can) { m_canChangeSelection = can; }
    bool hilitedState() const { return m_hilitedState; }
    // The row a drag of rows is over, -1 for none. Setting it repaints the old and the new row.
    qint64 currentRowForDragging() const { return m_currentRowForDragging; }
    void setCurrentRowForDragging(qint64 row);
    // Rows whose background must be repainted at the next change of the selection.
    IndexSet& indexesToClear() { return m_indexesToClear; }
    const IndexSet& indexesToClear() const { return m_indexesToClear; }

    IndexSet selectedRowIndexes() const;
    // Those rows of the table as a selection, each run of consecutive rows one range: the
    // selection's tests walk every range. Rows beyond the table are left out.
    QItemSelection rowSelection(const IndexSet& rows) const;
    bool isRowSelected(int row) const;
    // Draws those rows again from their templates.
    void reloadDataForRowIndexes(const IndexSet& rows);

    // Whether the table has the focus; the selected rows are drawn again in their new colour.
    void hiliteTable(bool hilite);
    // Selects exactly that row and scrolls it into view the smart way; any row outside the table
    // (-1, the row count) deselects every row and tells the source.
    void GO(int row);
    // Scrolls the row into view; a row at or beyond an edge of the visible rows lands about half a
    // page inside, so that the rows around it show too.
    void smartScrollRowToVisible(int row);
    // Asks the source for its rows again; no row stays selected and no row is current.
    void reloadData();
    // Reloads and selects the rows that were selected (those still in the table); the current
    // row stays, or, when there was none, follows the selection (followSelection).
    void SMART_RELOAD();
    // The up and down arrows go on from the current row: after the selection was set by the
    // program, the row given becomes current when it is selected, else the last selected row.
    // Nothing is selected or scrolled; without a selection the current row stays.
    void followSelection(int preferred);
    // The row under a point given in the window's coordinates; -1 for none or without a source.
    int globalPointToRow(const QPoint& windowPoint) const;

    // The first row in view and how many rows show, partly or wholly.
    struct VisibleRows {
        int first = -1;
        int count = 0;
    };
    VisibleRows rowsInVisibleRect();

    // Rows are found by the window's keys, not by typing their text.
    void keyboardSearch(const QString& search) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void startDrag(Qt::DropActions supportedActions) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) override;

private:
    void hideStyleSelection();
    bool keyGoesToSource(const QKeyEvent* event, int key) const;
    static bool isContextClick(const QMouseEvent* event);
    void openContextMenu(const QPoint& viewportPoint, const QPoint& globalPoint);
    void selectCurrentRow(int row, QItemSelectionModel::SelectionFlags command);
    void repaintRow(qint64 row);

    StdTableModel* m_model;
    StdRowDelegate* m_rowDelegate;
    bool m_canChangeSelection = true;
    bool m_hilitedState = false;
    qint64 m_currentRowForDragging = -1;
    IndexSet m_indexesToClear;
    bool m_dragRefused = false; // the source refused the rows under the mouse: no drag until release
};
