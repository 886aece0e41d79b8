#pragma once
// The transaction entry window: one transaction entered or edited, modally, for the entry routine
// (openSaisieTransact). The window shows the working transaction of its SaisieData, dresses
// itself after the payment means, splits the amount for tax and investments, applies macros, and
// on OK reads everything back into the transaction before the checks (SaisieChecks).
//
// Five tabs: the general fields; the split lines with their editor (SaisieSplitPanel,
// DrawerDetail); tax; investment (SaisiePlacementPanel); attached files (SaisieDocumentsPanel).
// The note slides in over the general tab (SaisieNotePanel).
//
// Window data: the key "saisie" holds the SaisieData (see SaisieRoutine.h).
#include "transactions/SaisieDocumentsPanel.h"
#include "transactions/SaisieMoyenPanel.h"
#include "transactions/SaisieNotePanel.h"
#include "transactions/SaisiePlacementPanel.h"
#include "transactions/SaisieSplitPanel.h"
#include "transactions/SaisieTaxePanel.h"
#include "transactions/SaisieWindowLayout.h"

#include "engines/SaisieChecks.h"
#include "engines/SaisieData.h"
#include "engines/SaisieFamily.h"
#include "toolkit/popups/PopPlacementHelp.h"
#include "toolkit/popups/StdPopUp.h"
#include "toolkit/windows/StdWindowWithTableController.h"

#include <QColor>
#include <QStringList>

#include <functional>
#include <memory>

class MACRO;
class SaisieWindowDialogs;

class FenEditSaisieController : public StdWindowWithTableController, public PlacementCategorieSource {
    Q_OBJECT
public:
    FenEditSaisieController();
    ~FenEditSaisieController() override;

    // ---- State.

    SaisieData& data() const { return *m_data; }
    TRANSACT& rec() const { return m_data->rec; }
    const SaisieControls& controls() const { return m_controls; }
    SaisieDialogs& dialogs() const;
    bool locked() const { return m_locked; }
    long synonymeID() const { return m_synonymeID; }
    void setSynonymeID(long ident) { m_synonymeID = ident; }
    // Store names of attached files removed in this window, handed to the document on OK.
    const QStringList& storedDocToDelete() const { return m_storedDocToDelete; }
    QStringList& storedDocToDelete() { return m_storedDocToDelete; }
    SaisieSplitPanel& split() const { return *m_split; }
    SaisieNotePanel& note() const { return *m_note; }
    SaisiePlacementPanel& placement() const { return *m_placement; }
    SaisieDocumentsPanel& documents() const { return *m_documents; }

    // ---- Locks: a stored transaction in a locked statement period may not change.

    virtual bool isTransactLocked() const;
    virtual bool isMontantLocked() const { return isTransactLocked(); }
    virtual bool isMoyenLocked() const { return isTransactLocked(); }
    virtual bool isMacroLocked() const { return isTransactLocked(); }
    // Whether choosing an account brings that account's category and tax.
    virtual bool shouldSetAutoImputations() const { return true; }

    // ---- Filling, in the order FILL runs them.

    void FILL() override;
    QWidget* initialFirstResponder() const override;
    virtual void FILL_TRANS_MONTANT();
    virtual void FILL_TRANS_DATE();
    virtual void FILL_TRANS_COMPTES();
    virtual void FILL_TRANS_REFERENCE();
    virtual void FILL_TRANS_INFORMATION();
    virtual void FILL_TRANS_VARIANTE() { m_moyen->FILL_TRANS_VARIANTE(); }
    void FILL_TRANS_MOYEN();
    void fillMoyenWithFamily(int family, long synonymeID) { m_moyen->fillMoyenWithFamily(family, synonymeID); }
    virtual void FILL_TRANS_ANNULATION();
    virtual void FILL_TRANS_DOUBLON();
    virtual void FILL_TRANS_GROUPEE();
    virtual void FILL_TRANS_POSTE();
    virtual void FILL_TRANS_TAXE() { m_taxe->FILL_TRANS_TAXE(); }
    virtual void FILL_TRANS_PLACEMENT() { m_placement->FILL_TRANS_PLACEMENT(); }
    virtual void FILL_TRANS_MACRO();
    void fillImport();
    virtual void fillPopHelp();
    // The titles, the account pickers' filters and the masked side of the family; a masked side
    // opens when the accounts were just rebuilt for the family.
    void addUserFantasia(bool accountsRebuilt) { m_moyen->addUserFantasia(accountsRebuilt); }
    // The operation's title: the synonym's name, else the family's.
    virtual QString transactTitle() const { return m_moyen->transactTitle(); }
    // The control the typing starts in, by the application parameter optionSaisieRubrique.
    virtual QWidget* firstSelectedObject() const;
    void FILL_TRANS_NOTE(std::function<void()> completion);

    // Reads the controls into the working transaction, then runs every check.
    bool READ() override;

    // ---- Tabs.

    void updateTabView();
    void openAppropriateDrawer();

    // ---- The general tab's actions.

    Q_INVOKABLE void MOYEN(QObject* sender) { m_moyen->MOYEN(sender); }
    Q_INVOKABLE virtual void DEBIT(QObject* sender);
    Q_INVOKABLE virtual void CREDIT(QObject* sender);
    void setAutoImputationsForCompteID(long compteID) { m_moyen->setAutoImputationsForCompteID(compteID); }
    Q_INVOKABLE void didCreateCompteFromMenu(const QVariant& ident, const QVariant& arg2);
    Q_INVOKABLE void VARIANTE(QObject* sender);
    void VARIANTE_WITH_ID(long varianteID) { m_moyen->VARIANTE_WITH_ID(varianteID); }
    bool needsNewNumber() const { return m_moyen->needsNewNumber(); }
    void NEW_NUMBER() { m_moyen->NEW_NUMBER(); }
    void memoriseVariante() { m_moyen->memoriseVariante(); }
    Q_INVOKABLE virtual void TAXE(QObject* sender);
    void COMPUTE_TAXE() { m_taxe->COMPUTE_TAXE(); }
    Q_INVOKABLE virtual void fieldMontantDidChange(QObject* field) { m_taxe->fieldMontantDidChange(field); }
    Q_INVOKABLE virtual void DEVISE(QObject* sender);
    void FILL_DEVISE(long slot);
    Q_INVOKABLE virtual void ANNULEE(QObject* sender);
    Q_INVOKABLE virtual void DOUBLON(QObject* sender) { Q_UNUSED(sender); }
    Q_INVOKABLE void MACRO(QObject* sender);
    Q_INVOKABLE bool MACRO_FROM_KEY_NUM(const QVariant& key);
    Q_INVOKABLE void CREATE_MACRO(QObject* sender);

    // ---- Investment (SaisiePlacementPanel).

    Q_INVOKABLE void TITRE(QObject* sender);
    Q_INVOKABLE void REMUNERE(QObject* sender);
    Q_INVOKABLE void EMPRUNT(QObject* sender);
    Q_INVOKABLE void NO_PLACEMENT(QObject* sender);
    Q_INVOKABLE void SET_QUOTE1(QObject* /*sender*/) { m_placement->SET_QUOTE(1); }
    Q_INVOKABLE void SET_QUOTE2(QObject* /*sender*/) { m_placement->SET_QUOTE(2); }
    Q_INVOKABLE void SET_QUOTE3(QObject* /*sender*/) { m_placement->SET_QUOTE(3); }
    Q_INVOKABLE void DEAL_HELP_PLAC(QObject* sender) { m_placement->DEAL_HELP_PLAC(int(StdMenu::tagOf(sender))); }
    int getPlacementCategorie() override { return m_placement->getPlacementCategorie(); }

    // ---- Split lines (SaisieSplitPanel).

    Q_INVOKABLE void GROUPEE(QObject* /*sender*/) { m_split->GROUPEE(); }
    Q_INVOKABLE void ADD_DETAIL(QObject* sender);
    Q_INVOKABLE void MODIFIER_DETAIL(QObject* sender);
    Q_INVOKABLE void SUPPRIMER_DETAIL(QObject* sender) { m_split->SUPPRIMER_DETAIL(long(StdMenu::tagOf(sender))); }
    Q_INVOKABLE void MULTI_NOTE(QObject* sender) { m_split->MULTI_NOTE(long(StdMenu::tagOf(sender))); }

    // ---- Note and attached files (SaisieNotePanel, SaisieDocumentsPanel).

    Q_INVOKABLE void NOTE(QObject* /*sender*/) { m_note->showNote({}, SaisieNotePanel::Focus::Take); }
    void showNote(std::function<void()> completion) { m_note->showNote(std::move(completion)); }
    void hideNote(std::function<void()> completion) { m_note->hideNote(std::move(completion)); }
    void clearNote() { m_note->clearNote(); }
    void didKeyDownOnNote(Qt::KeyboardModifiers /*modifiers*/) { m_note->didKeyDownOnNote(); }
    Q_INVOKABLE void ADD_DOCUMENT(QObject* /*sender*/) { m_documents->ADD_DOCUMENT(); }
    Q_INVOKABLE void SUPPRIMER_DOCUMENT(QObject* sender)
    {
        m_documents->SUPPRIMER_DOCUMENT(long(StdMenu::tagOf(sender)));
    }
    void openDocumentAtRow(int row) { m_documents->openDocumentAtRow(row); }

    // ---- Closing.

    Q_INVOKABLE void OUI(QObject* sender) override;
    Q_INVOKABLE void NON(QObject* sender) override;
    Q_INVOKABLE void TOUT_IMPORTER(QObject* sender);
    Q_INVOKABLE void ARRETER_IMPORT(QObject* sender);
    void CLOSING_PROCESS(int status);
    void terminateWithStatus(int status);
    bool windowShouldClose() override;

    // ---- Fixed answers and hooks.

    bool animatesWhenClose() const override { return false; }
    bool soundWhenClose() const override { return false; }
    bool canAdjustHeight() const override { return false; }
    bool shouldAlignColumns() const override { return true; }
    void didAwakeFromNib() override;
    void windowDidBecomeKey() override;

    // The tables: 1 the split lines, 2 the attached files.
    int numberOfRowsInTableView1(StdTableView* table) override;
    int numberOfRowsInTableView2(StdTableView* table) override;
    StdCell* viewForTableColumn1(StdTableView* table, int row) override;
    StdCell* viewForTableColumn2(StdTableView* table, int row) override;
    void tableViewSelectionDidChange1() override;
    void tableViewSelectionDidChange2() override;
    void didDoubleClick2(QObject* sender) override;

    // Amount fields: the value typed, in the field's slot and converted into the others.
    static MONTANT montantOf(TextFieldMontant* field);
    // Titles of disabled controls are dark grey, of enabled ones black.
    static void setTitleEnabled(QLabel* title, bool enabled);
    static QColor disabledTitleColor();

protected:
    void buildInterface(StdWindow& window) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void rememberFrame();
    SaisieWindowState windowState() const;
    bool readTypedValues();
    void readIntoRec();
    // The controls into the transaction without a word: a date that can't be read keeps the
    // transaction's.
    void readSilently();
    void takeMacro(const ::MACRO& macro);
    void handOverStoredDocToDelete();

    SaisieData* m_data = nullptr;
    SaisieData m_empty; // the data of a window opened without any, so it always has some
    SaisieControls m_controls;
    std::unique_ptr<SaisieWindowDialogs> m_dialogs;
    std::unique_ptr<SaisieSplitPanel> m_split;
    std::unique_ptr<SaisieNotePanel> m_note;
    std::unique_ptr<SaisiePlacementPanel> m_placement;
    std::unique_ptr<SaisieTaxePanel> m_taxe;
    std::unique_ptr<SaisieMoyenPanel> m_moyen;
    std::unique_ptr<SaisieDocumentsPanel> m_documents;
    bool m_locked = false;
    long m_synonymeID = -1;
    QStringList m_storedDocToDelete;
};
