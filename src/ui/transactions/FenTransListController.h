#pragma once
// The base of every window that lists transactions: an account's transactions, the statement
// window, the printable listings and the problem listing of the document check. It owns one sorted
// LISTING, built by the search from one criterion, and shows it one row per listing line in
// table 1, each painted by the transaction row template (CellTransact).
//
// The window keeps its listing in step with the document through the broadcast (a transaction
// made, replaced, deleted or pasted anywhere), keeps the user's selection across every rebuild
// (by transaction, not by row: rows move when the listing is rebuilt or re-sorted), re-sorts,
// expands and collapses split transactions, and publishes eight rights that its toolbar binds to.
// Its commands (edit, delete, clipboard, import marks, rules, printing) live in
// FenTransListCommands.cpp and FenTransListPrint.cpp.
//
// A list is opened by openTransListWindow, which hands the new window its criterion, listing and
// document. Subclasses route through the virtual operations and the will/did hooks below, never
// around them.
#include "engines/Critere.h"
#include "engines/LISTING.h"
#include "toolkit/popups/PopHelp.h"
#include "toolkit/popups/PopTri.h"
#include "toolkit/tables/ListExporter.h"
#include "toolkit/tables/TransRowContent.h"
#include "toolkit/windows/StdWindowWithTableController.h"
#include "toolkit/windows/TransListOpening.h"
#include "transactions/TransListExport.h"

#include <QAbstractButton>
#include <QLabel>
#include <QMetaType>
#include <QPointer>
#include <QString>
#include <QVariant>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class CellTransact;
class TemplateTransList;
class TransactSnapshot;
class RELEVE;
class TOOL;
class DOCUMENT;

Q_DECLARE_METATYPE(Critere)

class FenTransListController : public StdWindowWithTableController, public IListExportHooks {
    Q_OBJECT
public:
    FenTransListController();
    ~FenTransListController() override;

    // The window data of an opening. The listing and the document wait in the slot of the list
    // being opened until the new window takes them as it wakes up.
    static WindowDataPtr prepareOpening(TransListOpening& opening);

    // ---- What the list shows.

    DOCUMENT* document() const { return m_doc; }
    LISTING* listing() const { return m_listing.get(); }
    // The list's criterion; null when the window was opened without one.
    const Critere* listCrit() const { return m_listCrit ? &*m_listCrit : nullptr; }
    // The category and folder the criterion filters on, -1 for none.
    void criterePosteValue(long* posteID, long* dossierID) const;
    bool allowDepointer() const { return m_allowDepointer; }
    bool smartGrow() const { return m_smartGrow; }
    const MONTANT& report() const { return m_report; }
    void setReport(const MONTANT& amount) { m_report = amount; }
    // Copies the opening amount into amount.
    virtual void GET_REPORT(MONTANT& amount) const;

    // ---- Outlets (null when the window's layout lacks them).

    PopTri* pop_tri() const { return m_popTri; }
    QLabel* field_nb_operations() const { return m_fieldNbOperations; }
    PopHelp* pop_help_critere() const { return m_popHelpCritere; }
    QAbstractButton* itemDepointer() const;
    QAbstractButton* itemRechercherReleve() const;

    // ---- Rights, published for the toolbar: each enables the controls bound to it.

    bool canDepointerTrans() const { return m_canDepointerTrans; }
    void setCanDepointerTrans(bool can) { setRight(m_canDepointerTrans, can); }
    virtual bool canEffacerTrans() const { return m_canEffacerTrans; }
    void setCanEffacerTrans(bool can) { setRight(m_canEffacerTrans, can); }
    bool canVoirTrans() const { return m_canVoirTrans; }
    void setCanVoirTrans(bool can) { setRight(m_canVoirTrans, can); }
    bool canPrintTrans() const { return m_canPrintTrans; }
    void setCanPrintTrans(bool can) { setRight(m_canPrintTrans, can); }
    bool canDeviseTrans() const { return m_canDeviseTrans; }
    void setCanDeviseTrans(bool can) { setRight(m_canDeviseTrans, can); }
    bool canCritereTrans() const { return m_canCritereTrans; }
    void setCanCritereTrans(bool can) { setRight(m_canCritereTrans, can); }
    bool canImportTrans() const { return m_canImportTrans; }
    void setCanImportTrans(bool can) { setRight(m_canImportTrans, can); }
    bool canRechercherTrans() const { return m_canRechercherTrans; }
    void setCanRechercherTrans(bool can) { setRight(m_canRechercherTrans, can); }

    // ---- Lookups.

    // The transaction on the row: the document's own for a transaction, the listing's copy for
    // an occurrence; null outside the rows. The first and last row of its lines and its storage
    // kind come back through the optional outputs.
    TRANSACT* transactAtRow(long row, long* pk0 = nullptr, long* pk1 = nullptr, StorageKind* storageType = nullptr);
    // The first transaction row showing that very document transaction; -1 when none.
    long findTransactIndex(const TRANSACT* transaction) const;
    // The line count and its label; empty without a listing.
    QString getNbOperationsString() const;
    // The line count in the footer, and in the title of a list titled by it.
    void printNbOperations();
    // The title of a list titled by its row count.
    static QString countTitle(long rows);

    // ---- Hooks with empty bodies, for the subclasses.

    virtual void willMakeTransact() { }
    virtual void didMakeTransact() { }
    virtual void willReplaceTransact() { }
    virtual void didReplaceTransact() { }
    virtual void willDeleteTransact() { }
    virtual void didDeleteTransact() { }
    virtual void HARD_DEPOINTER() { }
    virtual bool canIncludePrevisions() const { return false; }

    // ---- Keeping the listing in step.

    // Builds the listing again from the criterion with the same kinds of rows and sort, then the
    // running balances; the table is not reloaded (the caller does). Nothing without a listing
    // or when the listing may not be recomputed. keepFirst is the statement window's.
    virtual void recomputeListing(bool keepFirst);
    // Selects the rows of every marked transaction (all lines of a split one) and scrolls to the
    // last of them.
    void selectMarkedTransact();
    // The running balances again, from the opening amount.
    void computeCumuls();

    // ---- Broadcast handlers.

    Q_INVOKABLE void MAKE_TRANSACT(const QVariant& position, const QVariant& isLast) override;
    Q_INVOKABLE void DELETE_TRANSACT(const QVariant& position, const QVariant& isLast) override;
    Q_INVOKABLE void REPLACE_TRANSACT(const QVariant& position, const QVariant& keepSelection) override;
    // A batch (TransactBatch) leaves the list as the broadcasts one transaction at a time would
    // have: rebuilt, its totals computed, and on the last changed transaction it shows, or with
    // the deleted transactions gone from the selection; but it is rebuilt once.
    Q_INVOKABLE void didReplaceTransactAtIndexes(const QVariant& positions, const QVariant& keepSelection) override;
    Q_INVOKABLE void didDeleteTransactAtIndexes(const QVariant& positions, const QVariant& unused) override;
    // The new transactions (a list of positions) become the selection.
    Q_INVOKABLE virtual void didPasteTransactAtIndexes(const QVariant& indexes, const QVariant& arg2);
    Q_INVOKABLE virtual void notifyHardDepointer(const QVariant& arg1, const QVariant& arg2);
    Q_INVOKABLE virtual void notifyNewDay(const QVariant& arg1, const QVariant& arg2);
    Q_INVOKABLE virtual void didTouchLockReleve(const QVariant& arg1, const QVariant& arg2);
    Q_INVOKABLE virtual void didChangeMarkImport(const QVariant& arg1, const QVariant& arg2);
    Q_INVOKABLE virtual void compteHasBeenEdited(const QVariant& arg1, const QVariant& arg2);
    Q_INVOKABLE virtual void didChangePoste(const QVariant& arg1, const QVariant& arg2);
    // Closes the window when the account going is the list's.
    Q_INVOKABLE virtual void willDeleteCompte(const QVariant& compteID, const QVariant& arg2);

    // ---- Actions of the window.

    // Re-sorts by the sender's tag (a sort kind), keeping the selected transactions selected.
    Q_INVOKABLE void SORT(QObject* sender);
    void sortBy(ListingSort sort);
    // Expands or collapses the split transaction on the sender's row.
    Q_INVOKABLE void multiAction(QObject* sender);
    void multiActionAtRow(long row);
    // The details behind the forecast row of the sender's tag: the transactions it was matched
    // with and what is still expected, in the details palette.
    Q_INVOKABLE void PASTILLE(QObject* sender);
    // The details of the row, when it is a row with details; false (and nothing opens) otherwise.
    bool pastilleAtRow(long row);
    void openListingPaletteWithMetadataArray(const AnalyseMetadataList& items, const MONTANT& submontant);
    Q_INVOKABLE virtual void DEVISE(QObject* sender);

    // ---- Commands (FenTransListCommands.cpp).

    // Whether table 1 has rows and every selected transaction may be deleted; *kind (may be
    // null) gets the storage kind of the last row examined.
    bool canDeleteTransSelection(long* kind) const;
    void didRefuseToDeleteFromKeyboard(StdTableView* table) override;
    bool canDeleteSomething() const override;
    Q_INVOKABLE bool delete_(QObject* sender) override;
    // Deletes the selected transactions after a confirmation.
    Q_INVOKABLE void EFFACER(QObject* sender);
    bool canSelectAllSomething() const override;
    Q_INVOKABLE void selectAll(QObject* sender);
    bool canCopySomething() const override;
    Q_INVOKABLE void copy(QObject* sender);
    // The selected transactions' own rows to the clipboard (split lines and occurrences are not
    // copied).
    Q_INVOKABLE void COPY();
    bool canCutSomething() const override;
    Q_INVOKABLE void cut(QObject* sender);
    bool canPasteSomething() const override;
    Q_INVOKABLE void paste(QObject* sender);
    void didDoubleClick1(QObject* sender) override;
    // Whether EDIT: applies to the selection: several rows, or one transaction row outside tick
    // mode.
    bool canEditSelection() const;
    Q_INVOKABLE void EDIT(QObject* sender);
    // One selected transaction ticked on a statement: the user chooses among its statements (the
    // debit side's first) and goes to it.
    bool canRechercherReleve() const;
    Q_INVOKABLE void RECHERCHER_RELEVE(QObject* sender);
    // Opens the account's window, shows the statement there (in the statement window's list of
    // statements, after its pending and unticked views) and selects the document's transaction.
    void gotoReleve(const TOOL& compte, const RELEVE& releve, const TRANSACT* transact, long releveIndex);
    // Runs the block on every selected document transaction (once per transaction), then tells
    // the windows and reloads keeping the selection.
    void enumerateMainTransactsUsingBlock(const std::function<void(TRANSACT&)>& block);
    Q_INVOKABLE void MARK_IMPORT(QObject* sender);
    Q_INVOKABLE void MARK_NON_IMPORT(QObject* sender);
    Q_INVOKABLE void MARK_TOUCH(QObject* sender);
    Q_INVOKABLE void MARK_NON_TOUCH(QObject* sender);
    Q_INVOKABLE void APPLY_REGLE(QObject* sender);
    Q_INVOKABLE void PRINT_REGLE(QObject* sender);
    Q_INVOKABLE void ABOUT_REGLES(QObject* sender);
    Q_INVOKABLE void EDIT_REGLES(QObject* sender);
    // Whether the window offers the command of a menu item (its action and tag); the import and
    // export pop-up asks before enabling an item.
    Q_INVOKABLE bool validateMenuAction(const QString& action, qint64 tag) const;

    // ---- Export (a tab-separated or CSV text of the list, with its attached files).

    Q_INVOKABLE void EXPORTER(QObject* sender);
    long EXPORTER_SIZE() override;
    void EXPORTER_TETE(QString& text, int format) override;
    void EXPORTER_LISTE(QString& text, long index, int format) override;
    // One transaction (multiIndex -1) or one of its split lines.
    void EXPORTER_TRANSACT(QString& text, long index, long multiIndex, int format);
    // The statement window writes its own footer.
    void EXPORTER_PIED(QString& text, int format) override;
    std::optional<QStringList> EXPORTER_ATTACHEMENT_ARRAY() override;

    // ---- Printing (FenTransListPrint.cpp).

    bool can_imprimer() const override { return true; }
    bool canPrintGroupees() const override { return true; }
    bool canPrintImages() const override { return true; }
    bool canAddBorders() const override { return true; }
    bool canFondsColores() const override { return true; }
    bool canTextesColores() const override { return true; }
    long preferedOrientation() const override { return 1; } // landscape: the row is wide
    void willSpoolPrintOperation(PrintOperation& operation) override;
    void didSpoolPrintOperation(PrintOperation& operation) override;
    void paintPrintTete() override;

    // ---- The table.

    void tableViewSelectionDidChange1() override;
    // A reload empties the selection without a word from the table: the rights follow it.
    void tableDidReloadData(StdTableView* table) override;
    int numberOfRowsInTableView1(StdTableView* table) override;
    StdCell* viewForTableColumn1(StdTableView* table, int row) override;
    QColor getPatColor1(int row) override;
    double parityDarknessAtRow1(int row) override;
    void COMPUTE_TOTAUX() override { }
    void INVAL_PIED() override { printNbOperations(); }
    bool shouldAlignColumns() const override { return true; }

    void didAwakeFromNib() override;
    void windowWillClose() override;

protected:
    // A list whose rows end with the extra columns of that kind.
    explicit FenTransListController(TransExtraKind extraKind);
    void buildInterface(StdWindow& window) override;
    // The row template, with the heading and footer of the list.
    virtual TemplateTransList* makeRowTemplate();
    bool eventFilter(QObject* watched, QEvent* event) override;
    // The row template of table 1.
    CellTransact& cell() const { return *m_cell; }
    // The list's criterion, for a subclass that moves its bounds; null without one.
    Critere* mutableListCrit() { return m_listCrit ? &*m_listCrit : nullptr; }
    // The rows as the transactions they show: kept across a change of the listing, and selected
    // again afterwards.
    struct RowKey {
        StorageKind type = StorageKind::Transact;
        long storageIndex = -1;
        long multiIndex = -1;
    };
    QList<RowKey> selectedRowKeys() const;
    void selectRowKeys(const QList<RowKey>& keys);
    // Reloads table 1 and selects the kept transactions again.
    void reloadKeeping(const QList<RowKey>& keys);
    // A listing made by the subclass takes the place of the window's; the criterion, when the
    // window has one, takes the content of the one given (when given).
    void replaceListing(std::unique_ptr<LISTING> listing, const Critere* critere);

private:
    void takeOpening();
    // The export of the list as it is now; none without a document.
    std::optional<TransListExport> exporter();
    void addEditShortcuts(StdWindow& window);
    void initRights();
    // A right changed: the toolbar follows.
    void setRight(bool& right, bool can);
    void publishRights();
    void updateToolbarItems();
    void showCritereHelp();
    void selectRows(const IndexSet& rows, long scrollTo);
    void makeTransactFollow(long index, const QList<RowKey>& kept);
    void deleteTransactFollow(long index, bool isLast);
    void replaceTransactFollow(long index);
    void clearOccurrenceMarks();
    bool tableHasFocus() const;
    // The first selected row of each transaction with a selected row, in row order.
    std::vector<long> selectedTransactRows() const;
    // The selected document transactions (a split one once) as they are now.
    TransactSnapshot selectedTransacts() const;
    // Deletes those of the transactions asked about that are still there unchanged.
    void effacer(const TransactSnapshot& asked);
    QObject* appDelegateObject() const;
    void forwardToAppDelegate(const char* action, QObject* sender);
    void printListingOption(long option);

    std::unique_ptr<CellTransact> m_cell;
    DOCUMENT* m_doc = nullptr;
    std::unique_ptr<LISTING> m_listing;
    std::optional<Critere> m_listCrit;
    MONTANT m_report;
    bool m_allowDepointer = false;
    bool m_smartGrow = false;
    bool m_titleCounts = false;

    // The window's own listing while a print works on a copy of it.
    std::unique_ptr<LISTING> m_saveListing;
    bool m_printsCopy = false;

    QPointer<PopTri> m_popTri;
    QPointer<QLabel> m_fieldNbOperations;
    QPointer<PopHelp> m_popHelpCritere;
    QPointer<QAbstractButton> m_buttonEdit;
    QPointer<QAbstractButton> m_buttonEffacer;
    QPointer<QAbstractButton> m_buttonImprimer;
    QPointer<QWidget> m_popDevise;

    bool m_canDepointerTrans = false;
    bool m_canEffacerTrans = false;
    bool m_canVoirTrans = false;
    bool m_canPrintTrans = true;
    bool m_canDeviseTrans = true;
    bool m_canCritereTrans = true;
    bool m_canImportTrans = true;
    bool m_canRechercherTrans = false;
};

// Opens a transaction list window of class C (FenTransListController or a subclass) and fits
// its height; answers the new controller. The window is built, and so hears the broadcast, even
// when it does not appear; beforeAppearing, when given, works on it built and not yet shown.
template <class C = FenTransListController>
C* openTransListWindow(TransListOpening opening, const std::function<void(C*)>& beforeAppearing = {})
{
    static_assert(std::is_base_of_v<FenTransListController, C>);
    WindowDataPtr data = FenTransListController::prepareOpening(opening);
    C* controller = StdWindowController::push<C>(std::move(data), opening.devise, false);
    controller->window();
    if (beforeAppearing)
        beforeAppearing(controller);
    if (opening.appear)
        controller->appearWindowAnimated(true, {});
    controller->adjustHeight(false);
    return controller;
}

// The list of an account's transactions, with its schedule and forecast occurrences, in the
// account's currency: the open one brought to the front (when show is set), else a new one. Null
// without a document or for an account it doesn't have.
FenTransListController* openCompteTransList(long compteID, DOCUMENT& doc, bool show);
