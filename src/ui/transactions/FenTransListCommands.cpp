// The commands of a transaction list on the selected rows of its table: delete with its refusal
// rules, the clipboard, select all, edit, the import marks and the categorisation rules.
#include "transactions/FenTransListController.h"

#include "transactions/FenShowRelevesController.h"
#include "transactions/SaisieMultipleRoutine.h"
#include "transactions/SaisieRoutine.h"
#include "transactions/TransactPasteboard.h"

#include "toolkit/dialogs/Dialog.h"
#include "toolkit/popups/StdMenu.h"
#include "toolkit/windows/IWindowAppDelegate.h"
#include "toolkit/windows/IWindowDoors.h"
#include "toolkit/windows/windowutils.h"

#include "document/APPLIPARAM.h"
#include "engines/RegleManager.h"
#include "foundation/IDesktop.h"
#include "foundation/broadcast.h"
#include "foundation/diagnostics.h"
#include "foundation/localized.h"
#include "foundation/selectors.h"
#include "model/DOCUMENT.h"
#include "model/ITransactionWindows.h"
#include "model/ReleveCompute.h"
#include "model/TransactOps.h"
#include "model/TransactSnapshot.h"

#include <QPointer>

#include <algorithm>
#include <vector>

namespace {

// What the rules ask of the list's table.
class RegleTable : public IRegleTable {
public:
    RegleTable(const StdTableView* table, QObject* window)
        : m_selected(table ? table->selectedRowIndexes() : IndexSet())
        , m_window(window)
    {
    }
    bool isRowSelected(long row) const override { return m_selected.count(int(row)) > 0; }
    QObject* alertWindow() const override { return m_window; }

private:
    const IndexSet m_selected; // read once: the rules ask for every row of the list
    QObject* m_window;
};

// The refusal of the Delete key by the kind of row that can't be deleted.
struct RefusalAlert {
    const char* key;
    const char* image;
};

RefusalAlert refusalAlertForKind(long kind)
{
    switch (kind) {
    case long(StorageKind::Echeancier):
        return {"kCantDeleteTransFromKeyboard_chr", "echeancier_reel"};
    case long(StorageKind::Prevision):
        return {"kCantDeleteTransFromKeyboard_pre", "prevision_prev"};
    default:
        return {"kCantDeleteTransFromKeyboard_lis", "cadenas"};
    }
}

bool isDuringPointe()
{
    const IWindowAppDelegate* app = windowAppDelegate();
    return app && app->_isDuringPointe();
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Rows and focus

// Read from the selection's ranges: asking the table row by row costs a walk of every range for
// each row, which a selection of thousands of rows in a long list can't afford.
std::vector<long> FenTransListController::selectedTransactRows() const
{
    std::vector<long> rows;
    const StdTableView* table = table1();
    const LISTING* listing = m_listing.get();
    long next = 0;
    for (const int selected : table ? table->selectedRowIndexes() : IndexSet()) {
        if (selected < next || selected >= listingCount(listing))
            continue;
        long first = selected;
        long last = selected;
        listingTransactLineRange(listing, selected, &first, &last);
        rows.push_back(selected);
        next = std::max(long(selected), last) + 1;
    }
    return rows;
}

bool FenTransListController::tableHasFocus() const
{
    const StdTableView* table = table1();
    const StdWindow* shown = windowIfLoaded();
    return table && shown && shown->focusWidget() == table;
}

// ---------------------------------------------------------------------------------------------
// Deleting

// The walk goes over the selected rows, a transaction once (after its last line), and stops at
// the first row that may not go.
bool FenTransListController::canDeleteTransSelection(long* kind) const
{
    const LISTING* rows = m_listing.get();
    const StdTableView* table = table1();
    long examined = 0;
    bool answer = table && table->numberOfRows() > 0 && listingCount(rows) > 0;
    const std::vector<long> selected = answer ? selectedTransactRows() : std::vector<long>();
    for (auto row = selected.begin(); answer && row != selected.end(); ++row) {
        StorageKind type = StorageKind::Transact;
        const TRANSACT* shown = listingTransactAtIndex(rows, *row, static_cast<const DOCUMENT*>(m_doc), &type);
        examined = long(type);
        if (type != StorageKind::Transact)
            answer = false;
        else
            answer = shown && transactCanPointer(*shown, nullptr, nullptr, m_doc);
    }
    if (kind)
        *kind = examined;
    return answer;
}

void FenTransListController::didRefuseToDeleteFromKeyboard(StdTableView* table)
{
    long kind = 0;
    if (!table || table != table1() || canDeleteTransSelection(&kind))
        return;
    const RefusalAlert alert = refusalAlertForKind(kind);
    showAlertOK(this, localizedDialogue(QString::fromLatin1(alert.key)), QString(), QString::fromLatin1(alert.image),
                1);
}

bool FenTransListController::canDeleteSomething() const
{
    return tableHasFocus() && hasSelection1() && canEffacerTrans();
}

bool FenTransListController::delete_(QObject* sender)
{
    if (!tableHasFocus())
        return false;
    EFFACER(sender);
    return true;
}

// The question leaves the other windows at work: what goes is what was selected when it was
// asked, wherever it stands when the answer comes, and nothing else.
void FenTransListController::EFFACER(QObject*)
{
    const QPointer<StdTableView> table = table1();
    const IndexSet selected = table ? table->selectedRowIndexes() : IndexSet();
    if (selected.empty() || !m_doc)
        return;
    const TransactSnapshot asked = selectedTransacts();
    const int remembered = *selected.rbegin();
    const int answer = showAlert(this, localizedDialogue(QStringLiteral("kConfirm_SuppTrans")), QString(),
                                 localizedDialogue(QStringLiteral("LIB_BUTTON_NON")),
                                 localizedDialogue(QStringLiteral("LIB_BUTTON_OUI")), QString(),
                                 QStringLiteral("listing"), 0, kAlertFirstButton);
    if (answer != kAlertSecondButton) {
        beep();
        return;
    }
    effacer(asked);
    if (isClosed() || !table)
        return;
    table->reloadData();
    if (const int rows = table->numberOfRows(); rows > 0)
        table->GO(std::clamp(remembered, 0, rows - 1));
    table->clearSelection();
}

TransactSnapshot FenTransListController::selectedTransacts() const
{
    std::vector<long> positions;
    for (const long row : selectedTransactRows()) {
        StorageKind type = StorageKind::Transact;
        const long position = listingStorageIndexAtIndex(m_listing.get(), row, &type);
        if (type == StorageKind::Transact)
            positions.push_back(position);
    }
    return m_doc ? TransactSnapshot(positions, *m_doc) : TransactSnapshot();
}

// Those found as they were asked about go in one batch, unless a statement locked since holds
// them; the windows and statements catch up once, after the last. A deletion that finds an
// account missing has every statement recomputed afterwards.
void FenTransListController::effacer(const TransactSnapshot& asked)
{
    std::vector<long> found = asked.findIn(*m_doc);
    const TransactList& stored = m_doc->transact_array;
    std::erase_if(found,
                  [&](long position) { return !transactCanPointer(stored.at(position), nullptr, nullptr, m_doc); });
    if (found.empty())
        return;
    if (!deleteTransacts(found, m_doc, true, true))
        recomputeAllReleves(m_doc, QStringLiteral("kMessage_ComputeVerify3"));
}

// ---------------------------------------------------------------------------------------------
// Select all and the clipboard

bool FenTransListController::canSelectAllSomething() const
{
    const StdTableView* table = table1();
    return tableHasFocus() && table->numberOfRows() > 0;
}

void FenTransListController::selectAll(QObject*)
{
    if (StdTableView* table = table1())
        table->selectAll();
}

bool FenTransListController::canCopySomething() const
{
    return tableHasFocus() && hasSelection1();
}

void FenTransListController::copy(QObject*)
{
    COPY();
}

void FenTransListController::COPY()
{
    TransactList copies;
    const StdTableView* table = table1();
    for (const int row : table ? table->selectedRowIndexes() : IndexSet()) {
        const POS* line = listingPosAtIndex(static_cast<const LISTING*>(m_listing.get()), row);
        const bool ownLine = line && line->multiState != MultiState::Line && line->multiState != MultiState::LineOut;
        if (!ownLine || line->storageType != StorageKind::Transact)
            continue;
        if (std::optional<TRANSACT> copy = TRANSACT::loadTransactCopy_from_file(line->storageIndex, m_doc))
            copies.append(std::move(*copy));
    }
    copyTransactsToPasteboard(copies);
}

bool FenTransListController::canCutSomething() const
{
    return tableHasFocus() && canEffacerTrans();
}

void FenTransListController::cut(QObject* sender)
{
    COPY();
    delete_(sender);
}

bool FenTransListController::canPasteSomething() const
{
    return m_doc && canPasteTransactFromPasteboard();
}

// Every list, this one included, selects the new transactions.
void FenTransListController::paste(QObject*)
{
    if (!m_doc)
        return;
    QVariantList indexes;
    for (const long index : pasteTransactsFromPasteboard(this, m_doc))
        indexes.append(qlonglong(index));
    sendToAllWindowDelegates(Sel::didPasteTransactAtIndexes, indexes, QVariant());
}

// ---------------------------------------------------------------------------------------------
// Edit and go to statement

void FenTransListController::didDoubleClick1(QObject* sender)
{
    EDIT(sender);
}

// Several rows go to the multiple edit; one transaction to the entry window; a schedule or
// forecast occurrence to the editor of its schedule or forecast.
bool FenTransListController::canEditSelection() const
{
    const StdTableView* table = table1();
    const IndexSet rows = table ? table->selectedRowIndexes() : IndexSet();
    if (rows.empty() || !m_doc)
        return false;
    if (rows.size() >= 2)
        return true;
    const POS* line = listingPosAtIndex(static_cast<const LISTING*>(m_listing.get()), *rows.begin());
    return line && !isDuringPointe();
}

void FenTransListController::EDIT(QObject*)
{
    StdTableView* table = table1();
    const IndexSet rows = table ? table->selectedRowIndexes() : IndexSet();
    if (rows.size() >= 2 && m_doc) {
        openSaisieMultiple(this, m_listing, rows, *m_doc);
        return;
    }
    if (rows.empty() || isDuringPointe())
        return;
    const long row = *rows.begin();
    StorageKind storage = StorageKind::Transact;
    const TRANSACT* shown = transactAtRow(row, nullptr, nullptr, &storage);
    const long position = listingStorageIndexAtIndex(m_listing.get(), row);
    if (!shown)
        return;
    switch (storage) {
    case StorageKind::Prevision:
        if (IWindowDoors* doors = windowDoors(); doors && shown->previsionID >= 0)
            doors->editIndexedPrevision(this, *m_doc, shown->previsionID);
        return;
    case StorageKind::Echeancier:
        if (IWindowDoors* doors = windowDoors(); doors && shown->chronoID >= 0)
            doors->editEcheancierClone(this, *m_doc, shown->chronoID);
        return;
    case StorageKind::Transact:
        break;
    }
    const int family = shown->moyen;
    const long synonymeID = shown->synonymeID;
    const long compteID = shown->transToMoyenCompte();
    openSaisieTransact(nullptr, family, synonymeID, compteID, position, nullptr, nullptr, true, false, false, false,
                       false);
}

bool FenTransListController::canRechercherReleve() const
{
    const StdTableView* table = table1();
    const IndexSet rows = table ? table->selectedRowIndexes() : IndexSet();
    if (rows.size() != 1 || *rows.begin() >= listingCount(m_listing.get()) || !m_doc)
        return false;
    const TRANSACT* shown = listingTransactAtIndex(static_cast<const LISTING*>(m_listing.get()), *rows.begin(),
                                                   static_cast<const DOCUMENT*>(m_doc));
    return shown && (shown->releveID1 >= 0 || shown->releveID2 >= 0);
}

void FenTransListController::RECHERCHER_RELEVE(QObject*)
{
    if (!canRechercherReleve())
        return;
    StorageKind type = StorageKind::Transact;
    const TRANSACT* shown = transactAtRow(*table1()->selectedRowIndexes().begin(), nullptr, nullptr, &type);
    if (!shown || type != StorageKind::Transact)
        return;
    const ShowReleveEntries entries = FenShowRelevesController::entriesForTransact(*shown, *m_doc);
    const long choice = showRelevesDialog(this, entries);
    if (choice < 0 || choice >= entries.size())
        return;
    const ShowReleveEntry& entry = entries.at(choice);
    gotoReleve(entry.compte, entry.releve, shown, entry.releveIndex);
}

// The window comes open at once: both selections follow without waiting.
void FenTransListController::gotoReleve(const TOOL& compte, const RELEVE& releve, const TRANSACT* transact,
                                        long releveIndex)
{
    Q_UNUSED(releve);
    auto* window = qobject_cast<FenTransListController*>(openCompteWindow(compte.ident, true));
    if (!window)
        return;
    if (StdTableView* releves = window->table2())
        releves->GO(int(releveIndex + 2));
    const long row = window->findTransactIndex(transact);
    if (row >= 0)
        window->table1()->GO(int(row));
}

// ---------------------------------------------------------------------------------------------
// Import marks

void FenTransListController::enumerateMainTransactsUsingBlock(const std::function<void(TRANSACT&)>& block)
{
    for (const long row : selectedTransactRows()) {
        long first = row;
        long last = row;
        listingTransactLineRange(m_listing.get(), row, &first, &last);
        StorageKind type = StorageKind::Transact;
        if (TRANSACT* shown = listingTransactAtIndex(m_listing.get(), first, m_doc, &type);
            shown && type == StorageKind::Transact)
            block(*shown);
    }
    sendToAllWindowDelegates(Sel::didChangeMarkImport, QVariant::fromValue<QObject*>(this), QVariant());
    if (StdTableView* table = table1())
        table->SMART_RELOAD();
}

// An import belongs to an account: a list of no account has none to give.
void FenTransListController::MARK_IMPORT(QObject*)
{
    const long compteID = getArg().debitID;
    if (compteID < 0) {
        beep();
        return;
    }
    const DOCUMENT* doc = m_doc;
    enumerateMainTransactsUsingBlock([compteID, doc](TRANSACT& trans) {
        if (trans.importID >= 0)
            return;
        trans.importID = compteID;
        trans.importTouched = trans.isTransactImportTouched(doc);
        trans.whyImport = trans.why;
    });
}

void FenTransListController::MARK_NON_IMPORT(QObject*)
{
    enumerateMainTransactsUsingBlock([](TRANSACT& trans) {
        trans.importID = -1;
        trans.importTouched = false;
    });
}

void FenTransListController::MARK_TOUCH(QObject*)
{
    enumerateMainTransactsUsingBlock([](TRANSACT& trans) {
        if (trans.importID >= 0)
            trans.importTouched = true;
    });
}

void FenTransListController::MARK_NON_TOUCH(QObject*)
{
    enumerateMainTransactsUsingBlock([](TRANSACT& trans) {
        if (trans.importID >= 0)
            trans.importTouched = false;
    });
}

// ---------------------------------------------------------------------------------------------
// Rules

void FenTransListController::APPLY_REGLE(QObject* sender)
{
    const qint64 tag = StdMenu::tagOf(sender);
    if (tag < kApplyReglesUntouched || tag > kApplyReglesSelection || !m_doc)
        return;
    static const char* const kQuestions[]
        = {"kPoursuivreApplyRegles1", "kPoursuivreApplyRegles2", "kPoursuivreApplyRegles3"};
    // The transactions the question is about, taken as it is asked: the list may change or
    // close before the answer.
    const RegleManager& regles = RegleManager::sharedRegleManager();
    const RegleTable table(table1(), this);
    const TransactSnapshot asked(regles.regleTargetsInListing(m_listing.get(), int(tag), &table, m_doc), *m_doc);
    const int answer = showAlert(this, localizedDialogue(QString::fromLatin1(kQuestions[tag])), QString(),
                                 localizedDialogue(QStringLiteral("LIB_BUTTON_POURSUIVRE")),
                                 localizedDialogue(QStringLiteral("LIB_BUTTON_ANNULER")), QString(),
                                 QStringLiteral("exporter"), 0, kAlertSecondButton);
    if (answer != kAlertFirstButton)
        return;
    regles.applyReglesToTransacts(asked.findIn(*m_doc), APPLIPARAM::loadAppliParam().reglesManuel != 0,
                                  isClosed() ? nullptr : this, m_doc);
    sendToAllWindowDelegates(Sel::COMPUTE_ANALYSE_NOTIFICATION);
    sendToAllWindowDelegates(Sel::UPDATE_AVENIR);
    sendToAllWindowDelegates(Sel::DID_APPLY_REGLE);
}

void FenTransListController::PRINT_REGLE(QObject*)
{
    RegleManager::sharedRegleManager().printRegles(
        m_doc, [](const QString& name, const QString& type) { return runSavePanel(name, type); }, this);
}

void FenTransListController::ABOUT_REGLES(QObject*)
{
    forwardToAppDelegate("ABOUT_REGLES:", this);
}

void FenTransListController::EDIT_REGLES(QObject*)
{
    forwardToAppDelegate("EDIT_REGLES:", this);
}

QObject* FenTransListController::appDelegateObject() const
{
    return dynamic_cast<QObject*>(windowAppDelegate());
}

// A command the application doesn't answer (its window is not in this version) beeps.
void FenTransListController::forwardToAppDelegate(const char* action, QObject* sender)
{
    QObject* app = appDelegateObject();
    const QString name = QString::fromLatin1(action);
    if (!app || !StdActionDispatcher::invoke(app, name, sender)) {
        svLog(QStringLiteral("the application does not answer %1").arg(name));
        beep();
    }
}

// ---------------------------------------------------------------------------------------------
// Validation

bool FenTransListController::validateMenuAction(const QString& action, qint64 tag) const
{
    if (action == QLatin1String("EDIT:"))
        return canEditSelection();
    if (action == QLatin1String("EFFACER:"))
        return canEffacerTrans();
    if (action == QLatin1String("RECHERCHER_RELEVE:"))
        return canRechercherTrans();
    if (action == QLatin1String("PASTILLE:")) {
        const POS* line = listingPosAtIndex(m_listing.get(), long(tag));
        return line && !line->metadataArray.isEmpty();
    }
    if (action == QLatin1String("MARK_IMPORT:"))
        return hasSelection1() && getArg().debitID >= 0;
    if (action == QLatin1String("MARK_NON_IMPORT:") || action == QLatin1String("MARK_TOUCH:")
        || action == QLatin1String("MARK_NON_TOUCH:"))
        return hasSelection1();
    if (action == QLatin1String("APPLY_REGLE:"))
        return tag >= kApplyReglesUntouched && tag <= kApplyReglesSelection && listingCount(m_listing.get()) > 0
            && (tag != kApplyReglesSelection || hasSelection1());
    // A bank file is imported by the windows that have the command; the others don't offer it.
    if (action == QLatin1String("IMPORTER:"))
        return StdActionDispatcher::answers(this, action);
    if (action == QLatin1String("ABOUT_REGLES:") || action == QLatin1String("EDIT_REGLES:")) {
        const QObject* app = appDelegateObject();
        return app && StdActionDispatcher::answers(app, action);
    }
    return true;
}

// ---------------------------------------------------------------------------------------------
// Export

void FenTransListController::EXPORTER(QObject* sender)
{
    ListExporter::EXPORTER(*this, *this, sender);
}

// Made afresh for each question, so that it never reads a listing the window has rebuilt since.
std::optional<TransListExport> FenTransListController::exporter()
{
    if (!m_doc)
        return std::nullopt;
    return TransListExport({*m_doc, m_listing.get(), listCrit(), devise(), getArg().debitID, &MyTotaux()});
}

long FenTransListController::EXPORTER_SIZE()
{
    std::optional<TransListExport> hooks = exporter();
    return hooks ? hooks->EXPORTER_SIZE() : 0;
}

void FenTransListController::EXPORTER_TETE(QString& text, int format)
{
    if (std::optional<TransListExport> hooks = exporter())
        hooks->EXPORTER_TETE(text, format);
}

void FenTransListController::EXPORTER_LISTE(QString& text, long index, int format)
{
    if (std::optional<TransListExport> hooks = exporter())
        hooks->EXPORTER_LISTE(text, index, format);
}

void FenTransListController::EXPORTER_TRANSACT(QString& text, long index, long multiIndex, int format)
{
    if (std::optional<TransListExport> hooks = exporter())
        hooks->EXPORTER_TRANSACT(text, index, multiIndex, format);
}

void FenTransListController::EXPORTER_PIED(QString& text, int format)
{
    if (std::optional<TransListExport> hooks = exporter())
        hooks->EXPORTER_PIED(text, format);
}

std::optional<QStringList> FenTransListController::EXPORTER_ATTACHEMENT_ARRAY()
{
    std::optional<TransListExport> hooks = exporter();
    return hooks ? hooks->EXPORTER_ATTACHEMENT_ARRAY() : std::nullopt;
}
