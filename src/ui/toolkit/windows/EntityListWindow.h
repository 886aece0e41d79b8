#pragma once
// What every list window of a document's entities (banks and accounts, currencies, taxes,
// categories, macros...) shares. There is one window per class: opening it again brings the open
// one to the front, and a window leaves the registry as it closes. The Delete key deletes only in
// the table that has the keyboard focus, and a double click edits the row clicked.
#include "model/MONTANT.h"
#include "toolkit/windows/StdWindowWithTableController.h"

#include <QByteArray>
#include <QHash>
#include <QPointer>

class EntityWindowRegistry {
public:
    // The open window of that class; null when none is open.
    static StdWindowController* find(const QMetaObject& meta);
    static void add(StdWindowController* controller);
    // Only the registered window of its class leaves; a stale one changes nothing.
    static void remove(StdWindowController* controller);

private:
    static QHash<QByteArray, QPointer<StdWindowController>>& windows();
};

// Brings the open window of class C to the front, or opens one (modeless, in that currency slot,
// the current one unless told) and registers it.
template <class C> C* openEntityWindow(bool appear = true, long devise = MONTANT::currentDeviseSlot())
{
    if (auto* open = qobject_cast<C*>(EntityWindowRegistry::find(C::staticMetaObject))) {
        if (appear)
            open->orderFront();
        return open;
    }
    C* controller = StdWindowController::push<C>(nullptr, devise, appear);
    EntityWindowRegistry::add(controller);
    return controller;
}

class EntityListWindow : public StdWindowWithTableController {
    Q_OBJECT
public:
    void windowWillClose() override;
    // The Delete key and the menu's delete: deleteInTable for the table that has the focus;
    // false, deleting nothing, when neither has it.
    bool delete_(QObject* sender) override;
    void didDoubleClick1(QObject* sender) override;
    void didDoubleClick2(QObject* sender) override;

    // 1 or 2 for the table that has the keyboard focus, 0 for none.
    int focusedTable() const;

protected:
    virtual bool deleteInTable(int table) = 0;
    virtual void editInTable(int table) = 0;
    // The first selected row of the table, -1 when none.
    int selectedRow(int table) const;
};
