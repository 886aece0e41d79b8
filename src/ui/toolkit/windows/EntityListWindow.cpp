#include "toolkit/windows/EntityListWindow.h"

#include "toolkit/tables/StdTableView.h"

QHash<QByteArray, QPointer<StdWindowController>>& EntityWindowRegistry::windows()
{
    static QHash<QByteArray, QPointer<StdWindowController>> open;
    return open;
}

// A window closed while a run was open stays registered until the runs end; it is no longer open.
StdWindowController* EntityWindowRegistry::find(const QMetaObject& meta)
{
    StdWindowController* window = windows().value(QByteArray(meta.className())).data();
    return window && !window->isClosed() ? window : nullptr;
}

void EntityWindowRegistry::add(StdWindowController* controller)
{
    if (controller)
        windows().insert(QByteArray(controller->metaObject()->className()), controller);
}

void EntityWindowRegistry::remove(StdWindowController* controller)
{
    if (!controller)
        return;
    const QByteArray name(controller->metaObject()->className());
    if (windows().value(name) == controller)
        windows().remove(name);
}

void EntityListWindow::windowWillClose()
{
    EntityWindowRegistry::remove(this);
    StdWindowWithTableController::windowWillClose();
}

int EntityListWindow::focusedTable() const
{
    const QWidget* focus = windowIfLoaded() ? windowIfLoaded()->focusWidget() : nullptr;
    if (!focus)
        return 0;
    if (focus == table1())
        return 1;
    if (table2() && focus == table2())
        return 2;
    return 0;
}

bool EntityListWindow::delete_(QObject*)
{
    const int table = focusedTable();
    return table != 0 && deleteInTable(table);
}

void EntityListWindow::didDoubleClick1(QObject*)
{
    editInTable(1);
}

void EntityListWindow::didDoubleClick2(QObject*)
{
    editInTable(2);
}

int EntityListWindow::selectedRow(int table) const
{
    const StdTableView* view = table == 1 ? table1() : table2();
    if (!view)
        return -1;
    const IndexSet rows = view->selectedRowIndexes();
    return rows.empty() ? -1 : int(*rows.begin());
}
