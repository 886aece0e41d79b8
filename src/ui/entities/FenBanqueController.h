#pragma once
// The banks of the open document and the accounts of the chosen bank. From here the user creates
// and edits banks and accounts, sets an account's initial balance and its cheque books and cards,
// deletes and archives accounts, deletes empty banks, drags accounts onto another bank of the same type,
// opens an account's own window and switches the balances between the window's currency and
// each tool's own. Footers: the document's balance check, its assets and the chosen bank's total.
// One window for the program (openEntityWindow).
#include "entities/FenBanqueCells.h"
#include "model/ToolTree.h"
#include "toolkit/popups/StdPopUp.h"
#include "toolkit/windows/EntityListWindow.h"

#include <QHash>
#include <QPointer>

class DOCUMENT;
class PopCategorie;
class QLabel;
class QPushButton;

class TOOL;

// The currency pop-up: tag 0 shows every balance in the window's currency, tag 1 in its own.
class PopupBanqueDevise : public StdPopUp {
    Q_OBJECT
public:
    using StdPopUp::StdPopUp;
    void FILL_MENU() override;
};

class FenBanqueController : public EntityListWindow {
    Q_OBJECT
public:
    static FenBanqueController* current();

    // The bank rows (the document's display tree) and the accounts of the chosen bank.
    const ToolNodeList& arrayOfBanques() const;
    // Looked up in the tree each time: creating or deleting a bank moves the tree's entries.
    const ToolNodeList* arrayOfComptes() const;
    bool canInit() const { return m_canInit; }
    bool onUser() const { return m_onUser; }

    void UPDATE_TITLE();
    // The bank-kind pop-up: creates a bank of the chosen type.
    Q_INVOKABLE void CATEGORIED(QObject* sender);
    bool creer_banque(int bType);
    Q_INVOKABLE void CREERC(QObject* sender = nullptr);
    bool creer_compte(long banqueID, int bType);
    Q_INVOKABLE void VOIRB(QObject* sender = nullptr);
    Q_INVOKABLE void VOIRC(QObject* sender = nullptr);
    Q_INVOKABLE void SOLDE_INITIAL(QObject* sender = nullptr);
    Q_INVOKABLE void CHEQUIER(QObject* sender = nullptr);
    Q_INVOKABLE void SUPPRIMERB(QObject* sender = nullptr);
    Q_INVOKABLE void SUPPRIMERC(QObject* sender = nullptr);
    Q_INVOKABLE void RELEVE(QObject* sender = nullptr);
    Q_INVOKABLE void MULTIDEVISE(QObject* sender = nullptr);
    Q_INVOKABLE void GRAPHIQUE(QObject* sender = nullptr);
    Q_INVOKABLE void GRAPHIQUEB(QObject* sender = nullptr);
    bool delete_(QObject* sender) override;
    bool canDeleteSomething() const override;
    bool canSelectAllSomething() const override;
    // Picks the account row a typed letter or digit stands for; false when not taken.
    bool doChercherCompte(QChar typed);
    // Selects the history account when it is among the accounts shown.
    void gotoArchive();
    void selectComptesInArray(const QList<long>& compteIDs);

    void COMPUTE_BALANCE();
    void COMPUTE_TOTAL();
    void INVAL_PIED() override;

    // ---- Broadcasts.
    Q_INVOKABLE void preferencesDidChange(const QVariant& arg1, const QVariant& arg2) override;
    Q_INVOKABLE void didCreateCompteFromMenu(const QVariant& arg1, const QVariant& arg2);
    Q_INVOKABLE void didCreateCompteHistorique(const QVariant& arg1, const QVariant& arg2);
    Q_INVOKABLE void didVerifyDocument();
    Q_INVOKABLE void notifyNewDay(const QVariant& arg1, const QVariant& arg2);
    Q_INVOKABLE void notifyDidSynchonize(const QVariant& arg1, const QVariant& arg2);

    // ---- The tables.
    int numberOfRowsInTableView1(StdTableView* table) override;
    int numberOfRowsInTableView2(StdTableView* table) override;
    StdCell* viewForTableColumn1(StdTableView* table, int row) override;
    StdCell* viewForTableColumn2(StdTableView* table, int row) override;
    QColor getPatColor1(int row) override;
    QColor getPatColor2(int row) override;
    double parityDarknessAtRow1(int) override { return 0.3; }
    void tableViewSelectionDidChange1() override;
    void tableViewSelectionDidChange2() override;
    bool didKeyDown1(int key) override;
    bool didKeyDown2(int key) override;
    bool canDragSomething2() override { return true; }
    bool validateDrop(long row) override;
    void dragRowsFromIndexes(const IndexSet& indexes, long toIndex) override;
    void tableDidReloadData(StdTableView* table) override;

protected:
    void buildInterface(StdWindow& window) override;
    void didAwakeFromNib() override;
    void windowWillClose() override;
    bool deleteInTable(int table) override;
    void editInTable(int table) override;

private:
    DOCUMENT* doc() const;
    const TOOL* banqueAtRow(int row) const;
    const TOOL* compteAtRow(int row) const;
    long selectedBanqueID() const;
    QList<long> selectedCompteIDs() const;
    long displayDevise(const TOOL& tool) const;
    bool isLockedCompte(long ident) const;
    void showComptesOfSelectedBanque();
    void keepBanquesInSight();
    void reloadKeepingComptes();
    void selectBanqueID(long ident);
    long singleSelectedCompteID() const;
    void updateButtons();
    // Whether the bank still holds accounts, which refuses its deletion with an alert.
    bool refusesBanque(const TOOL& banque);
    void supprimerCompte(long compteID);
    void doSuppCompte(long compteID);
    void archiveCompte(const TOOL& compte);
    void informCompteIsUsed(const TOOL& compte, const QString& alertKey);
    bool confirm(const QString& key, const TOOL& tool);

    long m_banqueShown = -1; // whose accounts the account table lists
    bool m_canInit = false;
    bool m_onUser = false;
    CellBanque m_cellBanque;
    CellCompte m_cellCompte;
    QPointer<PopupBanqueDevise> m_butMultidevise;
    QPointer<PopCategorie> m_popCategorieD;
    QHash<QString, QPointer<QPushButton>> m_buttons; // by action
    QPointer<QLabel> m_fieldBalance;
    QPointer<QLabel> m_fieldActif;
    QPointer<QLabel> m_titreActif;
    QPointer<QLabel> m_fieldTotal;
    QPointer<QLabel> m_fieldTotalTitle;
};

// Opens the banks-and-accounts window, or brings the open one to the front.
FenBanqueController* showBanques(bool appear = true, long devise = MONTANT::currentDeviseSlot());
