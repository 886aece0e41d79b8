#include "transactions/FenEditSaisieController.h"

#include "transactions/DrawerDetail.h"
#include "transactions/SaisieDocumentsPanel.h"
#include "transactions/SaisieMoyenPanel.h"
#include "transactions/SaisieNotePanel.h"
#include "transactions/SaisiePlacementPanel.h"
#include "transactions/SaisieRoutine.h"
#include "transactions/SaisieSplitPanel.h"
#include "transactions/SaisieTaxePanel.h"
#include "transactions/SaisieWindowDialogs.h"
#include "transactions/TextFieldMontantSaisie.h"

#include "engines/SaisieInput.h"
#include "toolkit/fields/TextFieldAnnee.h"
#include "toolkit/fields/TextFieldJour.h"
#include "toolkit/fields/TextFieldMois.h"
#include "toolkit/fields/TextViewCompteC.h"
#include "toolkit/fields/TextViewCompteD.h"
#include "toolkit/fields/TextViewPoste.h"
#include "toolkit/fields/datefields.h"
#include "toolkit/media/SVSoundManager.h"
#include "toolkit/popups/PopCompte.h"
#include "toolkit/popups/PopDevise.h"
#include "toolkit/popups/PopHelp.h"
#include "toolkit/popups/PopMacro.h"
#include "toolkit/popups/PopMoyen.h"
#include "toolkit/popups/PopPoste.h"
#include "toolkit/popups/PopTaxe.h"
#include "toolkit/popups/PopVariante.h"
#include "toolkit/tables/StdTableView.h"
#include "toolkit/windows/IWindowDoors.h"
#include "toolkit/windows/StdWindowPlacement.h"

#include "document/APPLIPARAM.h"
#include "document/DocContext.h"
#include "foundation/SystemClock.h"
#include "foundation/localized.h"
#include "model/AttachedDocuments.h"
#include "model/DOCUMENT.h"
#include "model/ITransactionWindows.h"
#include "model/ReleveCompute.h"
#include "model/TransactOps.h"

#include <QCheckBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>

namespace {

const QColor kDisabledTitle = QColor::fromRgbF(1.0 / 3, 1.0 / 3, 1.0 / 3);

void setTextEnabled(StdTextView* field, bool enabled)
{
    if (field)
        field->setEnabled(enabled);
}

} // namespace

FenEditSaisieController::FenEditSaisieController()
    : m_data(&m_empty)
{
}

FenEditSaisieController::~FenEditSaisieController() = default;

SaisieDialogs& FenEditSaisieController::dialogs() const
{
    return *m_dialogs;
}

MONTANT FenEditSaisieController::montantOf(TextFieldMontant* field)
{
    MONTANT montant;
    if (field)
        field->readMontant(montant);
    return montant;
}

void FenEditSaisieController::buildInterface(StdWindow& window)
{
    if (SaisieData* given = saisieDataOf(getData()))
        m_data = given;
    m_dialogs = std::make_unique<SaisieWindowDialogs>(this);
    m_split = std::make_unique<SaisieSplitPanel>(*this);
    m_controls = SaisieWindowLayout::build(window, m_split->drawer());
    m_note = std::make_unique<SaisieNotePanel>(*this);
    m_placement = std::make_unique<SaisiePlacementPanel>(*this);
    m_documents = std::make_unique<SaisieDocumentsPanel>(*this);
    m_taxe = std::make_unique<SaisieTaxePanel>(*this);
    m_moyen = std::make_unique<SaisieMoyenPanel>(*this);
    m_controls.pop_placement_help->stdMenu()->setDelegate(this);
    for (StdTableView* table : {m_controls.table1, m_controls.table2})
        table->viewport()->installEventFilter(this);
}

// The list of removed stored files lives as long as the window: refilling (a macro, the
// cancelled box) must not forget a file removed earlier, or its copy stays in the package.
void FenEditSaisieController::didAwakeFromNib()
{
    m_storedDocToDelete.clear();
    m_split->resetEditor();
    StdWindowWithTableController::didAwakeFromNib();
    openAppropriateDrawer();
    updateTabView();
}

void FenEditSaisieController::windowDidBecomeKey()
{
    StdWindowWithTableController::windowDidBecomeKey();
    StdWindow* window = windowIfLoaded();
    if (!m_data->reuseFrame || !window || !rememberedSaisieFrame().isValid())
        return;
    // The last entry window may have closed partly off the screen, or under the tool palette
    // opened since: the frame comes back within reach, as a remembered frame does everywhere.
    window->setGeometry(rememberedSaisieFrame());
    StdWindowPlacement::keepOnScreen(window);
}

bool FenEditSaisieController::isTransactLocked() const
{
    if (m_data->pos < 0)
        return false;
    const DOCUMENT* doc = currentDocument();
    const TRANSACT* stored = transactAtIndex(m_data->pos, doc);
    return stored && !transactCanPointer(*stored, nullptr, nullptr, doc);
}

QColor FenEditSaisieController::disabledTitleColor()
{
    return kDisabledTitle;
}

void FenEditSaisieController::setTitleEnabled(QLabel* title, bool enabled)
{
    if (!title)
        return;
    QPalette colours = title->palette();
    colours.setColor(QPalette::WindowText, enabled ? QColor(Qt::black) : kDisabledTitle);
    title->setPalette(colours);
}

// ---------------------------------------------------------------------------------------------
// Filling

void FenEditSaisieController::FILL()
{
    m_controls.buttonAddDocument->setEnabled(true);
    pickers().FILL_DEVISE(rec().devise);
    FILL_TRANS_MONTANT();
    FILL_TRANS_DATE();
    FILL_TRANS_COMPTES();
    FILL_TRANS_REFERENCE();
    FILL_TRANS_INFORMATION();
    FILL_TRANS_VARIANTE();
    FILL_TRANS_MOYEN();
    FILL_TRANS_ANNULATION();
    FILL_TRANS_DOUBLON();
    FILL_TRANS_GROUPEE();
    FILL_TRANS_POSTE();
    FILL_TRANS_TAXE();
    FILL_TRANS_PLACEMENT();
    FILL_TRANS_MACRO();
    fillImport();
    fillPopHelp();
    addUserFantasia(false);
    StdWindowWithTableController::FILL();
    pickers().FILL_MOYEN(m_synonymeID);
    m_split->PRINT_PIED();
    m_documents->reload();
    openAppropriateDrawer();
    if (QWidget* first = firstSelectedObject())
        first->setFocus(Qt::OtherFocusReason);
    FILL_TRANS_NOTE({});
}

void FenEditSaisieController::FILL_TRANS_MONTANT()
{
    m_locked = isMontantLocked();
    m_controls.image_cadenas->setVisible(m_locked);
    TextFieldMontantSaisie* field = m_controls.field_montant;
    field->fillMontant(rec().solde, rec().devise);
    const bool editable = !m_locked && !rec().annulation && !m_data->forSimul && rec().nbMultis() == 0;
    field->setEnabled(editable);
    m_controls.pop_devise->setAssociatedMontant(editable ? field : nullptr);
}

void FenEditSaisieController::FILL_TRANS_DATE()
{
    const bool remembered
        = m_data->reuseFrame && !m_data->forImport && APPLIPARAM::loadAppliParam().optionSaisieDate == 1;
    setDate1(remembered ? DocContext::instance().lastEnteredDate : rec().when);
}

void FenEditSaisieController::FILL_TRANS_COMPTES()
{
    pickers().compteDID = rec().who1;
    pickers().compteCID = rec().who2;
}

void FenEditSaisieController::FILL_TRANS_REFERENCE()
{
    m_controls.field_reference->setStoredText(rec().ref);
}

void FenEditSaisieController::FILL_TRANS_INFORMATION()
{
    StdTextView* field = m_controls.field_information;
    field->setStoredText(rec().why);
    field->setEnabled(!m_data->forSimul);
    field->setToolTip(rec().whyImport.isEmpty()
                          ? QString()
                          : localizedAppl(QStringLiteral("SAISIE_INFO_IMPORTEE")).arg(rec().whyImport));
}

void FenEditSaisieController::FILL_TRANS_MOYEN()
{
    fillMoyenWithFamily(rec().moyen, rec().synonymeID);
}

void FenEditSaisieController::FILL_TRANS_ANNULATION()
{
    m_controls.checkbox_annulee->setChecked(rec().annulation);
    m_controls.checkbox_annulee->setEnabled(!m_data->forSimul && !m_locked);
}

void FenEditSaisieController::FILL_TRANS_DOUBLON()
{
    m_controls.checkbox_doublon->setChecked(false);
    m_controls.checkbox_doublon->setEnabled(rec().importDoublon && !m_data->forSimul);
}

void FenEditSaisieController::FILL_TRANS_GROUPEE()
{
    m_split->updateButtonGroupee();
    m_controls.checkbox_groupee->setChecked(rec().nbMultis() > 0);
    m_controls.checkbox_groupee->setEnabled(!rec().annulation && !m_data->forSimul && !m_locked);
    m_split->updateLockGroupee();
}

void FenEditSaisieController::FILL_TRANS_POSTE()
{
    pickers().posteID = rec().posteID;
    const bool enabled = !m_controls.checkbox_groupee->isChecked();
    setTextEnabled(m_controls.view_poste, enabled);
    m_controls.pop_poste->setEnabled(enabled);
    setTitleEnabled(m_controls.titre_poste, enabled);
}

void FenEditSaisieController::FILL_TRANS_MACRO()
{
    m_controls.pop_macro->setCan_create(true);
    m_controls.pop_macro->setEnabled(!isMacroLocked());
    // A macro's template is edited under the macro's name.
    if (StdWindow* w = windowIfLoaded()) {
        const QString base = localizedAppl(QStringLiteral("FenEditSaisie_titre"));
        w->setWindowTitle(m_data->text.isEmpty() ? base : QStringLiteral("%1 (%2)").arg(base, m_data->text));
    }
}

void FenEditSaisieController::fillImport()
{
    m_controls.button_arreter->setVisible(m_data->forImport);
    m_controls.button_tout->setVisible(m_data->forImport);
}

void FenEditSaisieController::fillPopHelp()
{
    m_controls.pop_help->setStringTitle(localizedHelp(QStringLiteral("HELP_TITLE_SAISIE")));
    m_controls.pop_help->setStringContent(localizedHelp(QStringLiteral("HELP_CONTENT_SAISIE")));
}

QWidget* FenEditSaisieController::initialFirstResponder() const
{
    return firstSelectedObject();
}

QWidget* FenEditSaisieController::firstSelectedObject() const
{
    auto enabled = [](StdTextView* field) { return field && field->isEnabled() ? field : nullptr; };
    QWidget* chosen = nullptr;
    switch (APPLIPARAM::loadAppliParam().optionSaisieRubrique) {
    case 1:
        chosen = enabled(m_controls.field_montant);
        break;
    case 2:
        chosen = enabled(m_controls.view_poste);
        break;
    case 3:
        chosen = enabled(m_controls.view_compteD);
        if (!chosen)
            chosen = enabled(m_controls.view_compteC);
        break;
    case 4:
        chosen = m_controls.field_reference;
        break;
    default:
        break;
    }
    return chosen ? chosen : m_controls.field_jour1;
}

void FenEditSaisieController::FILL_TRANS_NOTE(std::function<void()> completion)
{
    m_controls.boxNote->setVisible(true);
    if (!rec().note.isEmpty() && !m_note->isShown())
        m_note->showNote(std::move(completion));
    else if (completion)
        completion();
}

// ---------------------------------------------------------------------------------------------
// Tabs

void FenEditSaisieController::updateTabView()
{
    const StdWindowPickers& p = pickers();
    const bool placement = p.titreID >= 1 || p.remunereID >= 1 || p.empruntID >= 1;
    const std::pair<const char*, bool> tabs[] = {
        {"SAISIE_TAB_GENERAL", false},
        {"SAISIE_TAB_GROUPAGE", rec().nbMultis() > 0},
        {"SAISIE_TAB_FISCALITE", p.taxeID >= 1},
        {"SAISIE_TAB_FINANCE", placement},
        {"SAISIE_TAB_DOCUMENTS", rec().nbAttachedDocuments() > 0},
    };
    for (int index = 0; index < 5; ++index) {
        const QString label = localizedAppl(QString::fromLatin1(tabs[index].first));
        m_controls.tabView->setTabText(index, tabs[index].second ? label + QStringLiteral(" (*)") : label);
    }
}

void FenEditSaisieController::openAppropriateDrawer()
{
    int tab = kTabFinance;
    if (rec().nbMultis() > 0)
        tab = kTabGroupage;
    else if (pickers().taxeID >= 1)
        tab = kTabFiscalite;
    else if (!m_placement->hasPlacement())
        tab = kTabGeneral;
    m_controls.tabView->setCurrentIndex(tab);
    updateTabView();
}

// ---------------------------------------------------------------------------------------------
// Reading

// What can't become a transaction at all is refused before the checks: a date the calendar
// doesn't hold, an amount a double doesn't hold.
bool FenEditSaisieController::readTypedValues()
{
    if (refuseImpossibleDate(this, m_controls.field_jour1, m_controls.field_mois1, m_controls.field_annee1))
        return false;
    double when = 0;
    if (!saisieDateFromFields(m_controls.field_jour1->toPlainText(), m_controls.field_mois1->toPlainText(),
                              m_controls.field_annee1->toPlainText(), &when)) {
        m_dialogs->refuse(QStringLiteral("kAlerte_BadDateSaisie"), QStringLiteral("calendrier"), false);
        m_controls.field_jour1->setFocus(Qt::OtherFocusReason);
        return false;
    }
    setDate1(when);
    for (TextFieldMontant* field : {static_cast<TextFieldMontant*>(m_controls.field_montant), m_controls.field_quote1,
                                    m_controls.field_quote2, m_controls.field_quote3}) {
        if (!saisieMontantTextIsNumber(field->toPlainText())) {
            m_dialogs->refuse(QStringLiteral("kAlerte_BadMontantSaisie"), QString(), false);
            field->setFocus(Qt::OtherFocusReason);
            return false;
        }
    }
    return true;
}

void FenEditSaisieController::readIntoRec()
{
    TRANSACT& r = rec();
    const StdWindowPickers& p = pickers();
    r.when = date1();
    DocContext::instance().lastEnteredDate = r.when;
    // Split, the amount is the sum of the lines, kept to the last digit.
    if (r.nbMultis() == 0)
        r.solde = montantOf(m_controls.field_montant);
    r.devise = devise();
    r.posteID = p.posteID;
    r.who1 = p.compteDID;
    r.who2 = p.compteCID;
    r.ref = m_controls.field_reference->storedText();
    r.why = m_controls.field_information->storedText();
    r.variante = p.varianteID;
    r.moyen = p.moyenID;
    r.synonymeID = m_synonymeID;
    r.annulation = m_controls.checkbox_annulee->isChecked();
    if (m_controls.checkbox_doublon->isChecked())
        r.importDoublon = false;
    r.taxeID = p.taxeID;
    r.taxe = p.taxeID >= 0 ? montantOf(m_controls.field_montantTaxe) : MONTANT();
    r.titreID = p.titreID;
    r.remunereID = p.remunereID;
    r.empruntID = p.empruntID;
    m_placement->read(r);
}

void FenEditSaisieController::readSilently()
{
    double when = 0;
    const bool dated
        = saisieDateFromFields(m_controls.field_jour1->toPlainText(), m_controls.field_mois1->toPlainText(),
                               m_controls.field_annee1->toPlainText(), &when);
    setDate1(dated ? when : rec().when);
    readIntoRec();
}

SaisieWindowState FenEditSaisieController::windowState() const
{
    SaisieWindowState state;
    state.devise = devise();
    state.montant = rec().solde;
    state.taxeID = pickers().taxeID;
    state.montantHT = montantOf(m_controls.field_montantHT);
    state.montantTaxe = montantOf(m_controls.field_montantTaxe);
    state.titreID = pickers().titreID;
    state.remunereID = pickers().remunereID;
    state.empruntID = pickers().empruntID;
    state.capital = m_placement->capital();
    state.interets = m_placement->interets();
    state.frais = m_placement->frais();
    state.moyen = pickers().moyenID;
    state.annulee = m_controls.checkbox_annulee->isChecked();
    state.now = SystemClock::now();
    return state;
}

bool FenEditSaisieController::READ()
{
    if (!readTypedValues())
        return false;
    readIntoRec();
    const SaisieWindowState state = windowState();
    SaisieChecks checks(*m_data, state, currentDocument(), *m_dialogs);
    return checks.CHECK_GLOBAL();
}

// ---------------------------------------------------------------------------------------------
// The general tab's actions

void FenEditSaisieController::DEBIT(QObject* sender)
{
    pickers().DEBIT(sender);
    m_controls.pop_moyen->setDebitID(pickers().compteDID);
    m_controls.pop_variante->setCompteID(pickers().compteDID);
    if (shouldSetAutoImputations())
        setAutoImputationsForCompteID(pickers().compteDID);
}

void FenEditSaisieController::CREDIT(QObject* sender)
{
    pickers().CREDIT(sender);
    m_controls.pop_moyen->setCreditID(pickers().compteCID);
    if (shouldSetAutoImputations())
        setAutoImputationsForCompteID(pickers().compteCID);
}

void FenEditSaisieController::didCreateCompteFromMenu(const QVariant& ident, const QVariant& arg2)
{
    Q_UNUSED(arg2);
    if (shouldSetAutoImputations())
        setAutoImputationsForCompteID(long(ident.toLongLong()));
}

void FenEditSaisieController::VARIANTE(QObject* sender)
{
    VARIANTE_WITH_ID(long(StdMenu::tagOf(sender)));
}

void FenEditSaisieController::TAXE(QObject* sender)
{
    pickers().TAXE(sender);
    COMPUTE_TAXE();
    updateTabView();
}

void FenEditSaisieController::DEVISE(QObject* sender)
{
    FILL_DEVISE(long(StdMenu::tagOf(sender)));
    m_controls.table1->reloadData();
}

void FenEditSaisieController::FILL_DEVISE(long slot)
{
    pickers().FILL_DEVISE(slot);
    rec().devise = slot;
    for (TextFieldMontant* field : {static_cast<TextFieldMontant*>(m_controls.field_montant),
                                    static_cast<TextFieldMontant*>(m_controls.field_montantHT),
                                    static_cast<TextFieldMontant*>(m_controls.field_montantTaxe),
                                    m_controls.field_quote1, m_controls.field_quote2, m_controls.field_quote3,
                                    static_cast<TextFieldMontant*>(m_split->drawer().getFieldMontant())}) {
        if (field)
            field->SET_DEVISE(slot);
    }
    m_split->PRINT_PIED();
}

// What was typed in the other fields stays: the window is refilled from the transaction, so it
// takes the controls first.
void FenEditSaisieController::ANNULEE(QObject* sender)
{
    Q_UNUSED(sender);
    QCheckBox* box = m_controls.checkbox_annulee;
    if (box->isChecked()) {
        if (!m_dialogs->ask(QStringLiteral("kConfirm_Annulation"), QStringLiteral("LIB_BUTTON_OK"),
                            QStringLiteral("LIB_BUTTON_ANNULER"), QStringLiteral("supprimer"),
                            SaisieDialogs::Safe::Second)) {
            box->setChecked(false);
            return;
        }
        readSilently();
        rec().annulerTransact();
        rec().annulation = true;
        m_split->resetEditor();
    } else {
        readSilently();
        rec().annulation = false;
    }
    FILL();
    m_controls.tabView->setCurrentIndex(kTabGeneral);
    m_controls.field_jour1->setFocus(Qt::OtherFocusReason);
}

// ---------------------------------------------------------------------------------------------
// Macros

void FenEditSaisieController::takeMacro(const ::MACRO& macro)
{
    std::optional<TRANSACT> fromMacro = newTransactFromMacro(macro, dateForNewTransact());
    if (!fromMacro)
        return;
    // The files the transaction loses go with it, as a removal would take them.
    for (const AttachedDocument& attached : rec().attachedDocuments) {
        const bool kept
            = std::any_of(fromMacro->attachedDocuments.begin(), fromMacro->attachedDocuments.end(),
                          [&](const AttachedDocument& d) { return d.docStoreName == attached.docStoreName; });
        if (!attached.docStoreName.isEmpty() && !kept)
            m_storedDocToDelete.append(attached.docStoreName);
    }
    m_note->hideNote({});
    rec().setFromTransact(*fromMacro);
    m_split->resetEditor();
    FILL();
    m_controls.table1->reloadData();
    m_controls.table2->reloadData();
    openAppropriateDrawer();
}

void FenEditSaisieController::MACRO(QObject* sender)
{
    if (isMacroLocked())
        return;
    if (const ::MACRO* macro = macroAtIndex(getDocMacro(currentDocument()), long(StdMenu::tagOf(sender))))
        takeMacro(*macro);
}

bool FenEditSaisieController::MACRO_FROM_KEY_NUM(const QVariant& key)
{
    long index = -1;
    if (!findMacroWithKey(char16_t(key.toInt() & 0xFF), &index, currentDocument()))
        return false;
    if (isMacroLocked()) {
        beep();
        return true;
    }
    if (const ::MACRO* macro = macroAtIndex(getDocMacro(currentDocument()), index))
        takeMacro(*macro);
    return true;
}

void FenEditSaisieController::CREATE_MACRO(QObject* sender)
{
    Q_UNUSED(sender);
    if (!READ())
        return;
    if (IWindowDoors* doors = windowDoors())
        doors->createMacroFromTransact(this, rec());
}

// ---------------------------------------------------------------------------------------------
// Investment

void FenEditSaisieController::TITRE(QObject* sender)
{
    pickers().TITRE(sender);
    m_placement->COMPUTE_PLACEMENT(true);
    updateTabView();
}

void FenEditSaisieController::REMUNERE(QObject* sender)
{
    pickers().REMUNERE(sender);
    m_placement->COMPUTE_PLACEMENT(false);
    updateTabView();
}

void FenEditSaisieController::EMPRUNT(QObject* sender)
{
    pickers().EMPRUNT(sender);
    m_placement->COMPUTE_PLACEMENT(false);
    updateTabView();
}

void FenEditSaisieController::NO_PLACEMENT(QObject* sender)
{
    Q_UNUSED(sender);
    pickers().NO_PLACEMENT();
    m_placement->COMPUTE_PLACEMENT(false);
    updateTabView();
}

// ---------------------------------------------------------------------------------------------
// Split lines, note and attached files

void FenEditSaisieController::ADD_DETAIL(QObject* sender)
{
    Q_UNUSED(sender);
    if (!m_locked)
        m_split->ADD_DETAIL();
}

void FenEditSaisieController::MODIFIER_DETAIL(QObject* sender)
{
    Q_UNUSED(sender);
    if (!m_locked)
        m_split->MODIFIER_DETAIL();
}

// ---------------------------------------------------------------------------------------------
// Closing

void FenEditSaisieController::rememberFrame()
{
    if (StdWindow* shown = windowIfLoaded())
        rememberedSaisieFrame() = shown->geometry();
}

// The files removed in this window go to the document's list only now: Cancel keeps them all.
void FenEditSaisieController::handOverStoredDocToDelete()
{
    if (DOCUMENT* doc = currentDocument())
        addStoredAttachedDocumentToDelete(*doc, m_storedDocToDelete);
    m_storedDocToDelete.clear();
}

void FenEditSaisieController::OUI(QObject* sender)
{
    Q_UNUSED(sender);
    if (isClosing())
        return;
    rememberFrame();
    if (!READ())
        return;
    handOverStoredDocToDelete();
    CLOSING_PROCESS(kSaisieOK);
}

void FenEditSaisieController::TOUT_IMPORTER(QObject* sender)
{
    Q_UNUSED(sender);
    if (isClosing() || !READ())
        return;
    rememberFrame();
    handOverStoredDocToDelete();
    CLOSING_PROCESS(kSaisieImportAll);
}

void FenEditSaisieController::NON(QObject* sender)
{
    Q_UNUSED(sender);
    if (isClosing())
        return;
    rememberFrame();
    CLOSING_PROCESS(kSaisieCancel);
}

void FenEditSaisieController::ARRETER_IMPORT(QObject* sender)
{
    Q_UNUSED(sender);
    if (isClosing())
        return;
    rememberFrame();
    CLOSING_PROCESS(kSaisieStopImport);
}

// The note slides out, then the window shrinks, then the run ends with the status: a run ended
// from outside meanwhile (a quit) deletes the controller before those steps are over.
void FenEditSaisieController::CLOSING_PROCESS(int status)
{
    beginClosing();
    QPointer<FenEditSaisieController> alive(this);
    m_note->hideNote([alive, status] {
        if (alive)
            alive->terminateWithStatus(status);
    });
}

void FenEditSaisieController::terminateWithStatus(int status)
{
    if (status != kSaisieCancel && m_data->repeat) {
        endModal(status);
        return;
    }
    closeAnimation([this, status] {
        if (status == kSaisieCancel && APPLIPARAM::loadAppliParam().doSoundsClose)
            SVSoundManager::sharedSVInstance().playSoundCloseWindow();
        endModal(status);
    });
}

// A run of entries keeps its place: the close box does nothing then.
bool FenEditSaisieController::windowShouldClose()
{
    if (m_data->reuseFrame)
        return false;
    m_note->hideNote({});
    return StdWindowWithTableController::windowShouldClose();
}

// ---------------------------------------------------------------------------------------------
// Tables

int FenEditSaisieController::numberOfRowsInTableView1(StdTableView* table)
{
    Q_UNUSED(table);
    return m_split ? m_split->numberOfRows() : 0;
}

int FenEditSaisieController::numberOfRowsInTableView2(StdTableView* table)
{
    Q_UNUSED(table);
    return m_documents ? m_documents->numberOfRows() : 0;
}

StdCell* FenEditSaisieController::viewForTableColumn1(StdTableView* table, int row)
{
    Q_UNUSED(table);
    return m_split->cellForRow(row);
}

StdCell* FenEditSaisieController::viewForTableColumn2(StdTableView* table, int row)
{
    Q_UNUSED(table);
    return m_documents->cellForRow(row);
}

void FenEditSaisieController::tableViewSelectionDidChange1()
{
    StdWindowWithTableController::tableViewSelectionDidChange1();
    m_split->tableViewSelectionDidChange();
}

void FenEditSaisieController::tableViewSelectionDidChange2()
{
    StdWindowWithTableController::tableViewSelectionDidChange2();
    m_controls.table2->viewport()->update();
}

void FenEditSaisieController::didDoubleClick2(QObject* sender)
{
    Q_UNUSED(sender);
    const IndexSet rows = m_controls.table2->selectedRowIndexes();
    if (rows.size() == 1)
        openDocumentAtRow(*rows.begin());
}

// The buttons of a row are drawn with it: a press where one is drawn is its click.
bool FenEditSaisieController::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease && m_split) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const QPoint point = mouse->position().toPoint();
        if (mouse->button() == Qt::LeftButton) {
            if (watched == m_controls.table1->viewport() && m_split->clickInTable(point))
                return true;
            if (watched == m_controls.table2->viewport() && m_documents->clickInTable(point))
                return true;
        }
    }
    return StdWindowWithTableController::eventFilter(watched, event);
}
