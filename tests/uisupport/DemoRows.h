#pragma once
// A demonstration list for the window tests: a row template laid out like a transaction row
// (date, description, category, debit and credit amounts), the template views of its window, and
// a source that colours rows as the list windows do (pattern on even rows, the selection focused
// or not, the drop target).
#include "toolkit/tables/StdCell.h"
#include "toolkit/tables/StdTableModel.h"
#include "toolkit/tables/StdTemplate.h"

#include <QLabel>
#include <QList>
#include <QPoint>

struct DemoRow {
    QString date;
    QString libelle;
    QString categorie;
    double montant = 0; // negative for a debit
};

class DemoRowCell : public StdCell {
    Q_OBJECT
public:
    static constexpr int kHeight = 22;

    explicit DemoRowCell(QWidget* parent = nullptr);
    void fill(const DemoRow& row);

    QLabel* field_date;
    QLabel* field_libelle;
    QLabel* field_categorie;
    QLabel* field_debit;
    QLabel* field_credit;
};

class DemoTemplate : public StdTemplate {
    Q_OBJECT
protected:
    void loadView() override;
};

class DemoTableSource : public IStdTableSource {
public:
    QList<DemoRow> rows;
    DemoRowCell cell;

    int numberOfRows(StdTableView*) override { return static_cast<int>(rows.size()); }
    StdCell* cellForRow(StdTableView* table, int row) override;
    void setFillBackground(StdCell* cell, StdTableView* table, int row) override;

    bool didKeyDown(StdTableView* table, int key) override;
    void tableViewSelectionDidChangeForTable(StdTableView* table) override;
    void popMenuContextuelForTable(StdTableView* table, int row, const QPoint& globalPoint) override;
    bool writeRowsWithIndexes(StdTableView* table, const IndexSet& rows) override;
    bool validateDropForTable(StdTableView* table, StdTableView* from, int row, bool onRow) override;
    bool acceptDropForTable(StdTableView* table, const IndexSet& rows, int row) override;

    // What the table told the source.
    QList<int> keys; // keys offered, handled when handlesKeys
    bool handlesKeys = true;
    int deselections = 0;
    QList<int> menuRows;
    bool canDrag = true;
    StdTableView* validatedFrom = nullptr;
    QList<IndexSet> droppedRows;
    QList<int> dropTargets;

    // Eight rows of a household account.
    static QList<DemoRow> sampleRows();
};
