#pragma once
// The custom occurrences of one schedule: a list in date order with a running total, where each
// occurrence is created, edited or deleted through the entry window. Every change is made at
// once in the schedule's list; the window's OK and Cancel only close it.
//
// Window data: as the schedule editor's (echeancierEditorData).
#include "toolkit/windows/StdWindowWithTableController.h"

#include <memory>

class CellTransactPerso;
class DOCUMENT;
class ECHEANCIER;
class TRANSACT;

class FenEditEcheancierPersoController : public StdWindowWithTableController {
    Q_OBJECT
public:
    FenEditEcheancierPersoController();
    ~FenEditEcheancierPersoController() override;

    // New occurrences, one after the other, until the entry window is cancelled.
    Q_INVOKABLE void NOUVEAU(QObject* sender);
    Q_INVOKABLE void MODIFIER_PERSO(QObject* sender);
    // The selected row, or the row of the delete button pressed; without asking.
    Q_INVOKABLE void SUPPRIMER_PERSO(QObject* sender);

    ECHEANCIER& echeancier() const;
    DOCUMENT& document() const;

    // The running total down to row r: each occurrence's amount added when it credits one of the
    // user's accounts and subtracted when it debits one, by its own accounts.
    static MONTANT computeCumulPerso(const ECHEANCIER& echeancier, long row, const DOCUMENT& doc);

    int numberOfRowsInTableView1(StdTableView* table) override;
    StdCell* viewForTableColumn1(StdTableView* table, int row) override;
    QColor getPatColor1(int) override { return {250, 250, 250}; }
    void didDoubleClick1(QObject* sender) override { MODIFIER_PERSO(sender); }
    void tableViewSelectionDidChange1() override;

protected:
    void buildInterface(StdWindow& window) override;

private:
    int selectedRow() const;
    // Runs the entry window on the transaction in place; true on OK.
    bool editTransact(TRANSACT& trans);
    void reloadAndSelect(long row);

    std::unique_ptr<CellTransactPerso> m_cell;
};
