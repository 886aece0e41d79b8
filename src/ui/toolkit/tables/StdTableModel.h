#pragma once
// The model behind every list: its rows come from the window that shows the table (an
// IStdTableSource), which fills one reusable row template per row kind on demand. The model never
// holds a row of its own, so a list of any length costs the same to open. A row's display text is
// the texts of its filled template, so tests and accessibility read rows without pixels.
#include <QAbstractTableModel>
#include <QMimeData>
#include <QPixmap>
#include <QPointer>

#include <set>

class StdCell;
class StdTableView;

// Row numbers, sorted and without repeats.
using IndexSet = std::set<int>;

// What a table asks of the window that shows it. Only the rows are required; every other hook
// defaults to "not handled" or "nothing".
class IStdTableSource {
public:
    virtual ~IStdTableSource() = default;

    // Asked again only when the table reloads.
    virtual int numberOfRows(StdTableView* table) = 0;
    // The row template of the row's kind, filled for that row; null leaves the row blank. The
    // template is drawn at once and may be filled for another row right after.
    virtual StdCell* cellForRow(StdTableView* table, int row) = 0;
    // Colours the background box of the filled template before it is drawn.
    virtual void setFillBackground(StdCell* cell, StdTableView* table, int row);
    // Whether the row may be selected at all (a list's header rows may not); asked when the
    // table reloads and whenever the view needs to know.
    virtual bool shouldSelectRow(StdTableView* table, int row);

    // A key typed in the table (the program's code, see svKeyCode); true when handled.
    virtual bool didKeyDown(StdTableView* table, int key);
    // A double click on a row.
    virtual void didDoubleClick(StdTableView* table);
    // The selection changed, by the user or by the program.
    virtual void tableViewSelectionDidChange(StdTableView* table);
    // GO deselected every row.
    virtual void tableViewSelectionDidChangeForTable(StdTableView* table);
    // The table reloaded its rows, which leaves no row selected.
    virtual void tableDidReloadData(StdTableView* table);
    // A context click on a row (already selected); the point is on the screen.
    virtual void popMenuContextuelForTable(StdTableView* table, int row, const QPoint& globalPoint);

    // Dragging rows between tables. The picture dragged (none: the style's).
    virtual QPixmap dragImage();
    virtual void didEndDragging(StdTableView* table);
    // Whether those rows of the table may be dragged.
    virtual bool writeRowsWithIndexes(StdTableView* table, const IndexSet& rows);
    // Whether rows dragged from the table `from` (null: from outside the program) may be dropped
    // on the row (onRow) or between rows before it.
    virtual bool validateDropForTable(StdTableView* table, StdTableView* from, int row, bool onRow);
    // Drops the rows on the row; true when accepted. The rows are empty when the dragged data
    // could not be read: such a drop is refused.
    virtual bool acceptDropForTable(StdTableView* table, const IndexSet& rows, int row);
};

// The private type of rows dragged between the tables of a window; its data is a QDataStream of
// the row numbers.
inline constexpr char kStdRowsMimeType[] = "application/x-sorvanta-rows";

// Dragged rows, knowing the table they come from while the drag stays in the program.
class StdRowsMimeData : public QMimeData {
    Q_OBJECT
public:
    StdRowsMimeData(StdTableView* origin, const IndexSet& rows);
    StdTableView* origin() const;

    static QByteArray encodeRows(const IndexSet& rows);
    // False when the data is not a list of row numbers.
    static bool decodeRows(const QByteArray& data, IndexSet* rows);

private:
    QPointer<StdTableView> m_origin;
};

class StdTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // The separator of the template texts in a row's display text.
    static constexpr QStringView kTextSeparator = u" | ";

    explicit StdTableModel(StdTableView* table);

    void setSource(IStdTableSource* source);
    IStdTableSource* source() const { return m_source; }
    // Asks the source for the number of rows again and drops every row the views knew.
    void reload();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    bool canDropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                         const QModelIndex& parent) const override;
    bool dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                      const QModelIndex& parent) override;
    Qt::DropActions supportedDragActions() const override;
    Qt::DropActions supportedDropActions() const override;

private:
    int countFromSource() const;

    StdTableView* m_table;
    IStdTableSource* m_source = nullptr;
    int m_rowCount = 0; // the count the views know, as of the last reload
};
