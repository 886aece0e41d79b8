#pragma once
// The demonstration grid of the spreadsheet tests: a FenTableurController over a table held in
// memory (a bank statement of 40 operations and 12 columns unless a test gives its own), which
// records the menus it is asked for; and the mouse as a user drives it, pressing, dragging with
// the button held and releasing on the grid's bands.
#include "spreadsheet/FenTableurController.h"

#include <QList>
#include <QPoint>
#include <QStringList>

#include <memory>

class DemoTableurController : public FenTableurController {
    Q_OBJECT
public:
    struct Menu {
        QString kind; // "column", "row" or "cell"
        long row = -1;
        long column = -1;
        bool operator==(const Menu&) const = default;
    };

    QList<QStringList> rows; // data rows, each its data columns
    QStringList columnTitles; // empty: the default numbering
    long rowsPerPage = 0;
    bool multiCells = true;
    bool menuOnCellClick = false;
    QColor grid = QColor::fromRgbF(0.5, 0.5, 0.5);
    QList<Menu> menus;

    long numberOfRowsInDataSource() const override { return long(rows.size()); }
    long numberOfColumnsInDataSource() const override;
    QString valueAtRowInDataSource(long row, long column) const override;
    QString valueAtColumnHeaderInDataSource(long index) const override;
    long defaultNumberOfRowsPerPage() const override { return rowsPerPage; }
    bool allowMultiCellsSelection() const override { return multiCells; }
    bool showMenuOnClickCell() const override { return menuOnCellClick; }
    QColor gridColor() const override { return grid; }
    void showColumnMenuAtIndex(long index, const QPoint&) override { menus.append({"column", -1, index}); }
    void showRowMenuAtIndex(long index, const QPoint&) override { menus.append({"row", index, -1}); }
    void showCellMenuAtRowIndex(long row, long column, const QPoint&) override { menus.append({"cell", row, column}); }

    // A bank statement: 40 operations, dates, labels, amounts and their classification.
    static QList<QStringList> statementRows(int count = 40);
    static QStringList statementTitles();
    // count rows of columns cells "r.c".
    static QList<QStringList> numberedRows(int count, int columns);
};

// Opens a demonstration grid with the rows (and titles), built and shown at 720 x 480.
std::unique_ptr<DemoTableurController> openDemoTableur(QList<QStringList> rows, QStringList titles = {},
                                                       long rowsPerPage = 0);

// The mouse on a band of the grid, at a point of the band.
struct TableurMouse {
    static void press(QWidget* band, const QPointF& point, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
                      Qt::MouseButton button = Qt::LeftButton);
    static void drag(QWidget* band, const QPointF& point, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    static void release(QWidget* band, const QPointF& point);
    static void hover(QWidget* band, const QPointF& point);
    static void click(QWidget* band, const QPointF& point, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
                      Qt::MouseButton button = Qt::LeftButton);
};
