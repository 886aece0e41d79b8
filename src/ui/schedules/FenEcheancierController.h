#pragma once
// The schedules window: every schedule and forecast of the document, under their folder and
// category headers, filtered by state. From it the user opens, deletes and lists them, runs the
// due pass by hand and shows the amounts in another currency. The list itself (order, headers,
// shading, filter) is kept by ChronoManager; the window shows it, acts on its rows and rebuilds
// it when a schedule or forecast changes. One window for the program.
#include "engines/ChronoManager.h"
#include "schedules/CellEcheancier.h"
#include "toolkit/windows/StdWindowWithTableController.h"

#include <QPointer>

class DOCUMENT;
class PopFiltrerEcheancier;
class PopHelp;
class QLabel;
class QPushButton;

class FenEcheancierController : public StdWindowWithTableController, public IChronoTable {
    Q_OBJECT
public:
    // Opens the window, or brings the open one to the front.
    static FenEcheancierController* openEcheanciers(long devise, bool appear = true);
    static FenEcheancierController* current();

    // Creates a schedule or a forecast of that category (-1 none) through its editor; on OK it is
    // stored and selected, the due pass runs and the windows are told. The budget windows call
    // them too.
    void CREER_ECHEANCIER(long posteID);
    void CREER_PREVISION(long posteID);
    // The create pop-up: tag 0 a schedule, tag 1 a forecast, of no category.
    Q_INVOKABLE void didChooseChrono(QObject* sender);
    // Opens the selected schedule or forecast in its editor; also the double click and Return.
    Q_INVOKABLE void VOIR(QObject* sender);
    Q_INVOKABLE void SUPPRIMER(QObject* sender);
    Q_INVOKABLE void LISTING(QObject* sender);
    Q_INVOKABLE void AWAKE(QObject* sender);
    Q_INVOKABLE void FILTER(QObject* sender);
    Q_INVOKABLE void DEVISE(QObject* sender);
    // The budget pop-up: tag 0 adds the missing forecasts, any other updates the existing ones.
    Q_INVOKABLE void AMELIORER_BUDGET(QObject* item);
    // Brings the proposals' window to the front, or asks how many months to look at and opens it.
    void COMPLETER_BUDGET();
    void ACTUALISER_BUDGET();
    // The months of past transactions to look at (those the document's transactions span, at least
    // 1; a year from 12 to 23; the user's choice of years from 24); 0 when the user declines.
    long nbMonthForAmeliorerBudget(bool completer);

    // The count of schedules and forecasts listed.
    void updateNbChrono();
    void updateFilterIcone();
    // Whether the selected row is a schedule (the listing applies to schedules only).
    bool onReal() const { return m_onReal; }

    // ---- Broadcast handlers: the ident and kind (0 schedule, 1 forecast), as numbers.
    Q_INVOKABLE void chronoDidChange(const QVariant& ident, const QVariant& kind);
    Q_INVOKABLE void notifyNewEcheancier(const QVariant& ident, const QVariant& kind);
    Q_INVOKABLE void REBUILD_LIST();

    // ---- IChronoTable
    long selectedRow() const override;
    void reloadData() override;
    void GO(long row) override;

    // ---- The table
    long minimumOfVisibleRows() const override { return 4; }
    int numberOfRowsInTableView1(StdTableView* table) override;
    StdCell* viewForTableColumn1(StdTableView* table, int row) override;
    bool shouldSelectRow(StdTableView* table, int row) override;
    bool isRowPair(StdTableView* table, int row) override;
    QColor getPatColor1(int row) override;
    void setHasSelection1(bool has) override;
    void tableDidReloadData(StdTableView* table) override;
    double computeTotalHeightForTable1() override;
    bool canDeleteSomething() const override;
    bool delete_(QObject* sender) override;
    void didDoubleClick1(QObject* sender) override;

    void didAwakeFromNib() override;
    void windowWillClose() override;

protected:
    void buildInterface(StdWindow& window) override;

private:
    void openBudgetProposal(bool completer);
    // The selected schedule or forecast row; null for none or a header.
    const CHRONOLIST* selectedChrono() const;
    void rebuildAndSelect(CHRONOLIST::Kind kind, long ident);
    bool supprimerEcheancier(DOCUMENT& doc, long ident);
    bool supprimerPrevision(DOCUMENT& doc, long ident);
    void updateButtons();
    void didCreateChrono(DOCUMENT& doc, CHRONOLIST::Kind kind, long ident);

    CellEcheancier m_cell;
    PopFiltrerEcheancier* m_popFiltrer = nullptr;
    QLabel* m_imageFilterOn = nullptr;
    QLabel* m_fieldNumberOfChrono = nullptr;
    PopHelp* m_popHelp = nullptr;
    QPushButton* m_buttonVoir = nullptr;
    QPushButton* m_buttonSupprimer = nullptr;
    QPushButton* m_buttonListing = nullptr;
    bool m_onReal = false;
};
