#pragma once
// The statement window: one account reconciled with its bank. Table 2 lists the coming days, the
// transactions on no statement and the account's statements (newest first); table 1, the
// inherited transaction list, shows the transactions of the row chosen there, its totals starting
// from the balance the row carries over.
//
// Transactions are ticked onto a statement in tick mode (a modal run of this window through the
// host, palettes hidden, the statements' list frozen on the statement, table 1 on the unticked
// transactions), by a double click in tick mode, or by dragging rows of table 1 onto a statement
// row; dropping them on the unticked row unticks them. A tick writes the statement's ident on the
// sides of the transaction that are this account, then the core recomputes the statements
// concerned: every balance the window shows comes from that computation and from the core's
// listing sums, never from sums of its own.
//
// Statements are created, renamed and re-dated in the statement editor, deleted (unticking their
// transactions first), and locked or unlocked by date. Opened by openReleveWindow (one window per
// account), which the account openers of the program use for every account not of a payee bank.
#include "transactions/CellReleve.h"
#include "transactions/FenTransListController.h"

#include <QPointer>
#include <QProgressBar>

#include <array>

class FenReleveController : public FenTransListController {
    Q_OBJECT
public:
    FenReleveController();
    ~FenReleveController() override;

    // The account of the window; null once it is gone from the document.
    TOOL* compte() const;
    StdTableView* getTableReleve() const { return table2(); }
    // The selected row of table 2; -1 for none.
    long selectedReleveRow() const;
    // The row table 1 follows: row 1 in tick mode, else the selected row of table 2.
    long followedRow() const;
    // The balance the row's list starts from: the account's balance for the coming days, the
    // newest statement's for the unticked row, the next older statement's for a statement; zero
    // for the oldest statement and outside the rows.
    MONTANT reportForRow(long row) const;

    // ---- Published state.

    bool canCreerReleve() const { return m_canCreerReleve; }
    bool canDeleteReleve() const { return m_canDeleteReleve; }
    bool canPointerReleve() const { return m_canPointerReleve; }
    bool keepTop() const { return m_keepTop; }
    const MONTANT& soldeAVenir() const { return m_soldeAVenir; }
    bool isPointing() const { return m_pointing; }
    QLabel* field_solde_releve() const { return m_fieldSoldeReleve; }
    QAbstractButton* button_releve_pointer() const { return m_buttonPointer; }
    // The footer's fields: debit, credit, benefice, report and bilan.
    QLabel* fieldPied(int index) const;

    // ---- Following a row of table 2.

    void FOLLOW(long row, bool keepFirst);
    void FORCE_FOLLOW(long row, bool keepFirst);
    void recomputeListing(bool keepFirst) override;

    // ---- Balances and footer.

    // The net of the account's coming transactions, schedule and forecast occurrences (these when
    // the preference asks), in every currency slot.
    void COMPUTE_AVENIR();
    Q_INVOKABLE void UPDATE_AVENIR();
    void COMPUTE_TOTAUX() override;
    void GET_REPORT(MONTANT& amount) const override;
    void PRINT_PIED();
    void paintTransRelevePied2(const TOTAUX& totaux);
    void DRAW_SOLDE();
    void INVAL_PIED() override { PRINT_PIED(); }
    void EXPORTER_PIED(QString& text, int format) override;

    // ---- Rights.

    // Whether transactions may be ticked onto or unticked from the row (-1: the selected row).
    bool CAN_POINTER(long row) const;
    void updateReleveButtons();
    void updateAllButtons();
    void tableViewSelectionDidChange1() override;
    void tableViewSelectionDidChange2() override;

    // ---- Ticking (FenRelevePointage.cpp).

    // Enters tick mode on the selected statement, or leaves it. The mode is a modal run of this
    // window; this call returns when it ends.
    Q_INVOKABLE void POINTER_RELEVE(QObject* sender);
    // Ticks the selected lines of table 1 onto the statement of targetRow1 - 1, taken from the
    // row sourceRow1 - 1 (rows of table 2, each plus one).
    void POINTER_TRANSACT(long targetRow1, long sourceRow1);
    void DEPOINTER();
    Q_INVOKABLE void DEPOINTER_TRANSACT(QObject* sender);
    void didDoubleClick1(QObject* sender) override;
    bool canDragSomething1() override;
    QPixmap dragImage() override;
    bool validateDrop(long row) override;
    void dragRowsFromIndexes(const IndexSet& indexes, long toIndex) override;

    // ---- Statements (FenRelevePointage.cpp).

    Q_INVOKABLE void CREER_RELEVE(QObject* sender);
    void didDoubleClick2(QObject* sender) override;
    Q_INVOKABLE void SUPPRIMER_RELEVE(QObject* sender);
    // The statement editor on the statement: 0 cancel, 1 OK, 2 OK and tick.
    long editReleve(RELEVE& releve);
    // A new statement of the account, or the one at *index changed, through the editor; *index
    // gets its place, *pointeNow whether ticking starts. False when refused or the account went.
    bool makeNewReleve(long compteID, long* index, bool* pointeNow);
    bool modifyReleve(long compteID, long* index, bool* pointeNow);
    // The sender's "tag" is the row of the statement to lock or unlock.
    Q_INVOKABLE void LOCK_RELEVE(QObject* sender);

    // ---- Importing a bank file into the account (FenReleveImport.cpp).

    // The sender's tag is the format (0 tab, 1 CSV, 2 QIF, 3 OFX); the file is asked for a moment
    // later, once the menu that chose the format has closed.
    Q_INVOKABLE void IMPORTER(QObject* sender);
    // Asks for the file and imports it; the window then shows the transactions it received and
    // offers the list of the duplicates.
    void IMPORTER_WITH_FORMAT(int format);
    // The run's progress, busy while the records go in without the entry window.
    QProgressBar* indicator() const { return m_indicator; }
    void setImportRunning(bool running);
    // Offers the listing of the imported transactions found twice in the document.
    void showDoublons();

    // ---- Deleting and pasting.

    bool canDeleteSomething() const override;
    Q_INVOKABLE bool delete_(QObject* sender) override;
    void didRefuseToDeleteFromKeyboard(StdTableView* table) override;
    Q_INVOKABLE void didPasteTransactAtIndexes(const QVariant& indexes, const QVariant& arg2) override;

    // ---- The window.

    bool can_imprimer() const override { return !m_pointing; }
    bool shouldShowPalette() const override { return !m_pointing; }
    void didPlacePalette() override;
    bool windowShouldClose() override;
    Q_INVOKABLE void DEVISE(QObject* sender) override;
    int numberOfRowsInTableView2(StdTableView* table) override;
    StdCell* viewForTableColumn2(StdTableView* table, int row) override;
    QColor getPatColor2(int row) override;
    void setFillBackground(StdCell* cell, StdTableView* table, int row) override;
    bool isRowPair(StdTableView* table, int row) override;
    // Fitted to its rows while it opens; from then on the window's frame is the user's: entries,
    // ticks, statements and currencies change what it shows, never its size nor its place.
    void adjustHeight(bool keepTop) override;
    // The opening is over (openReleveWindow): the frame stays as it is now or as the user sets it.
    void settleFrame() { m_frameSettled = true; }
    QWidget* viewTete() override { return view_tete(); }
    QWidget* viewPied() override { return view_pied(); }
    void didAwakeFromNib() override;
    void windowWillClose() override;

    void willMakeTransact() override { m_lockFollow = true; }
    void didMakeTransact() override { m_lockFollow = false; }
    void willReplaceTransact() override { m_lockFollow = true; }
    void didReplaceTransact() override { m_lockFollow = false; }
    void willDeleteTransact() override { m_lockFollow = true; }
    void didDeleteTransact() override { m_lockFollow = false; }

    // ---- Broadcasts.

    Q_INVOKABLE void preferencesDidChange(const QVariant& arg1, const QVariant& arg2) override;
    Q_INVOKABLE void notifyHardDepointer(const QVariant& arg1, const QVariant& arg2) override;
    Q_INVOKABLE void notifyNewDay(const QVariant& arg1, const QVariant& arg2) override;
    Q_INVOKABLE void didTouchLockReleve(const QVariant& sender, const QVariant& arg2) override;
    Q_INVOKABLE void didChangePointeTransact(const QVariant& sender, const QVariant& arg2);
    Q_INVOKABLE void didChangeDeviseConfiguration(const QVariant& arg1, const QVariant& arg2) override;
    Q_INVOKABLE void didAwakeFile(const QVariant& arg1, const QVariant& arg2);
    Q_INVOKABLE void chronoDidChange(const QVariant& arg1, const QVariant& arg2);
    Q_INVOKABLE void DID_DELETE_CHRONO();
    Q_INVOKABLE void DID_CREATE_CHRONO();
    Q_INVOKABLE void newDevisePrincipale(const QVariant& slot, const QVariant& arg2) override;
    Q_INVOKABLE void notifyDidSynchonize(const QVariant& arg1, const QVariant& arg2);

protected:
    void buildInterface(StdWindow& window) override;
    TemplateTransList* makeRowTemplate() override;
    void windowDidLoad() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildReleveColumn(QWidget* parent);
    void fitReleveColumn();
    QLayout* buildReleveToolbar(QWidget* parent);
    std::unique_ptr<LISTING> listingForRow(long row, Critere* critere) const;
    QString nomAVenir() const;
    bool isReleveRow(long row) const;
    void setPointerImage(const QString& name);
    // Tick mode, entered and left around one modal run (FenRelevePointage.cpp).
    void enterPointage();
    void leavePointage();
    void recomputeReleves(long first, long second);
    void afterPointage();
    void showNewReleve(long index, bool pointeNow);
    void lockReleve(long row);
    void supprimerReleve(long releveID);
    bool clickOnVerrou(const QPoint& viewportPoint);
    void broadcastFromHere(const char* selector);

    CellReleve m_cellReleve;
    bool m_lockFollow = false;
    bool m_canCreerReleve = false;
    bool m_canDeleteReleve = false;
    bool m_canPointerReleve = false;
    bool m_keepTop = false;
    bool m_pointing = false;
    bool m_frameSettled = false;
    MONTANT m_soldeAVenir;
    MONTANT m_reportReleve;
    QPointer<QLabel> m_fieldSoldeReleve;
    QPointer<QAbstractButton> m_buttonPointer;
    QPointer<QAbstractButton> m_buttonCreer;
    QPointer<QAbstractButton> m_buttonSupprimer;
    QPointer<QAbstractButton> m_buttonDepointer;
    std::array<QPointer<QLabel>, 5> m_fieldsPied;
    QPointer<QProgressBar> m_indicator;
};

// The account's statement window, the open one when there is one (brought to the front when show
// is set), else a new one in that currency slot, its entry palette attached and its unticked row
// chosen. Null without a document or for an account the document doesn't have.
FenReleveController* openReleveWindow(long compteID, bool show, long devise, DOCUMENT& doc);
