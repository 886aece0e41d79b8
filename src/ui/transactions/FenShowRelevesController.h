#pragma once
// The statement chooser: the statements a transaction is ticked on, one row per side (the debit
// side's first), each with a button that goes to it. It closes with the row chosen, or -1 on OK.
//
// Window data: "releves" the rows (a QList<ShowReleveEntry>); "choix" the row chosen, written by
// the row's button only.
#include "model/RELEVE.h"
#include "model/TOOL.h"
#include "model/TRANSACT.h"
#include "toolkit/windows/StdWindowWithTableController.h"
#include "transactions/CellShowReleves.h"

#include <QList>
#include <QMetaType>

class DOCUMENT;

// One statement holding the transaction: the account (kind 1) on the ticked side, its statement
// and that statement's position among the account's (newest first).
struct ShowReleveEntry {
    TOOL compte;
    RELEVE releve;
    long releveIndex = -1;
    TRANSACT transact;
};
using ShowReleveEntries = QList<ShowReleveEntry>;

class FenShowRelevesController : public StdWindowWithTableController {
    Q_OBJECT
public:
    // The statements the transaction is ticked on: the debit side's when releveID1 names a
    // statement its account holds, then the credit side's likewise.
    static ShowReleveEntries entriesForTransact(const TRANSACT& transact, const DOCUMENT& doc);

    int numberOfRowsInTableView1(StdTableView* table) override;
    StdCell* viewForTableColumn1(StdTableView* table, int row) override;
    QColor getPatColor1(int row) override;
    bool canAdjustHeight() const override { return false; }

    // The row's button: ends with its row.
    Q_INVOKABLE void GOTO_RELEVE(QObject* sender);
    // OK ends with -1, as does Escape.
    Q_INVOKABLE void OUI(QObject* sender) override;

protected:
    void buildInterface(StdWindow& window) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool clickOnButton(const QPoint& viewportPoint);

    ShowReleveEntries m_entries;
    CellShowReleves m_cell;
};

Q_DECLARE_METATYPE(ShowReleveEntry)

// Runs the chooser on the rows, modal on the parent's window (application-modal without one), with
// the current currency slot: the row whose button was pressed, or -1 (OK, or the window closed).
long showRelevesDialog(StdWindowController* parent, const ShowReleveEntries& entries);
