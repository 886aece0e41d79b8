// The statement window's reconciliation: tick mode, ticking and unticking, dragging rows onto
// statements, the statements' creation, change, deletion and locks, and the Delete key.
#include "transactions/FenReleveController.h"

#include "transactions/FenEditReleveController.h"

#include "toolkit/dialogs/Dialog.h"
#include "toolkit/host/UiHost.h"
#include "toolkit/windows/IWindowAppDelegate.h"

#include "foundation/IDesktop.h"
#include "foundation/broadcast.h"
#include "foundation/diagnostics.h"
#include "foundation/localized.h"
#include "foundation/selectors.h"
#include "model/DOCUMENT.h"
#include "model/ReleveCompute.h"
#include "model/TOOL.h"

#include <QApplication>
#include <QGuiApplication>
#include <QPointer>
#include <QVariantMap>

#include <vector>

namespace {

// What tick mode changes outside its window, put back when the mode ends however it ends: the
// window closed, or the controller destroyed, in the middle of the run.
class PointageSession {
public:
    PointageSession(IWindowAppDelegate& app, StdWindowController* entryPalette, StdWindowController* toolPalette)
        : m_app(app)
    {
        m_app._setDuringPointe(true);
        QGuiApplication::setOverrideCursor(Qt::CrossCursor);
        orderOut(entryPalette, false);
        // The statement editor that asked for tick mode hid the tool palette as it showed: the
        // palette is open all the same, and comes back when ticking ends.
        orderOut(toolPalette, true);
    }
    ~PointageSession() { end(); }
    PointageSession(const PointageSession&) = delete;
    PointageSession& operator=(const PointageSession&) = delete;

    void end()
    {
        if (m_ended)
            return;
        m_ended = true;
        if (windowAppDelegate() == &m_app)
            m_app._setDuringPointe(false);
        QGuiApplication::restoreOverrideCursor();
    }
    void showPalettes()
    {
        for (const QPointer<QWidget>& palette : m_hidden) {
            if (palette) {
                palette->show();
                palette->raise();
            }
        }
        m_hidden.clear();
    }

private:
    void orderOut(StdWindowController* palette, bool evenHidden)
    {
        StdWindow* window = palette ? palette->windowIfLoaded() : nullptr;
        if (!window || !(evenHidden || window->isVisible()))
            return;
        window->hide();
        m_hidden.emplace_back(window);
    }

    IWindowAppDelegate& m_app;
    std::vector<QPointer<QWidget>> m_hidden;
    bool m_ended = false;
};

struct KeyRefusal {
    const char* key;
    const char* image;
};

} // namespace

// ---------------------------------------------------------------------------------------------
// Tick mode

void FenReleveController::POINTER_RELEVE(QObject*)
{
    if (m_pointing) {
        endModal(0);
        return;
    }
    const long row = selectedReleveRow();
    IWindowAppDelegate* app = windowAppDelegate();
    if (!isReleveRow(row) || !app || app->_isDuringPointe()) {
        beep();
        return;
    }
    if (!CAN_POINTER(row)) {
        showAlertOK(this, localizedDialogue(QStringLiteral("kAlerte_CannotPointer")), QString(),
                    QStringLiteral("pointer_start"), 1);
        return;
    }
    QPointer<FenReleveController> self(this);
    PointageSession session(*app, palette(), StdPaletteDock::toolPalette());
    enterPointage();
    UiHost::instance().modal().run({windowIfLoaded(), nullptr, false, this});
    session.end();
    if (self)
        self->leavePointage();
    session.showPalettes();
    if (!self)
        return;
    self->windowDidMove();
    // A window made key while it ticked kept its entry palette away, and a manager that leaves
    // the keys on it says nothing more: the palette comes back now.
    if (StdWindow* shown = self->windowIfLoaded(); shown && QApplication::activeWindow() == shown)
        self->windowDidBecomeKey();
}

// Table 1 lists the unticked transactions while table 2 keeps the statement selected.
void FenReleveController::enterPointage()
{
    m_pointing = true;
    FOLLOW(kRowNonPointees, false);
    updateAllButtons();
    table2()->setCanChangeSelection(false);
    table1()->GO(0);
    setPointerImage(QStringLiteral("pointer_stop"));
    tableViewSelectionDidChange1();
}

void FenReleveController::leavePointage()
{
    m_pointing = false;
    updateAllButtons();
    table2()->setCanChangeSelection(true);
    setPointerImage(QStringLiteral("pointer_start"));
    // The run made the window modal; it goes back to an ordinary window.
    if (StdWindow* shown = windowIfLoaded(); shown && shown->windowModality() != Qt::NonModal) {
        const bool visible = shown->isVisible();
        shown->hide();
        shown->setWindowModality(Qt::NonModal);
        shown->setVisible(visible);
    }
    m_keepTop = true;
    FOLLOW(selectedReleveRow(), false);
    updateReleveButtons();
    m_keepTop = false;
}

// ---------------------------------------------------------------------------------------------
// Ticking and unticking

void FenReleveController::recomputeReleves(long first, long second)
{
    TOOL* account = compte();
    if (!account)
        return;
    computeReleve(*account, first, document());
    if (second != first)
        computeReleve(*account, second, document());
}

// Table 2 is redrawn without its reselection rebuilding table 1: the caller says what table 1
// shows.
void FenReleveController::afterPointage()
{
    COMPUTE_AVENIR();
    const bool locked = m_lockFollow;
    m_lockFollow = true;
    if (StdTableView* releves = table2())
        releves->SMART_RELOAD();
    m_lockFollow = locked;
    updateReleveButtons();
}

void FenReleveController::POINTER_TRANSACT(long targetRow1, long sourceRow1)
{
    TOOL* account = compte();
    StdTableView* list = table1();
    const RELEVE* releve = account ? account->releveAtIndex(targetRow1 - 1 - kFirstReleveRow) : nullptr;
    if (!releve || !list)
        return;
    const long ident = releve->ident;
    const IndexSet selected = list->selectedRowIndexes();
    for (auto it = selected.begin(); it != selected.end(); ++it) {
        long first = *it;
        long last = *it;
        listingTransactLineRange(listing(), *it, &first, &last);
        StorageKind type = StorageKind::Transact;
        if (TRANSACT* shown = transactAtRow(first, nullptr, nullptr, &type); shown && type == StorageKind::Transact) {
            if (shown->who1 == account->ident)
                shown->releveID1 = ident;
            if (shown->who2 == account->ident)
                shown->releveID2 = ident;
        }
        it = selected.upper_bound(int(last));
        if (it == selected.end())
            break;
        --it;
    }
    recomputeReleves(targetRow1 - 1 - kFirstReleveRow, sourceRow1 - 1 - kFirstReleveRow);
    const int again = selected.empty() ? 0 : *selected.begin();
    FOLLOW(sourceRow1 - 1, true);
    if (m_pointing)
        list->GO(std::min(again, list->numberOfRows() - 1));
    afterPointage();
    broadcastFromHere(Sel::didChangePointeTransact);
}

void FenReleveController::DEPOINTER()
{
    TOOL* account = compte();
    StdTableView* list = table1();
    if (!account || !list)
        return;
    const IndexSet selected = list->selectedRowIndexes();
    for (const int row : selected) {
        long first = row;
        long last = row;
        listingTransactLineRange(listing(), row, &first, &last);
        StorageKind type = StorageKind::Transact;
        TRANSACT* shown = transactAtRow(first, nullptr, nullptr, &type);
        if (!shown || type != StorageKind::Transact)
            continue;
        bool debit = false;
        bool credit = false;
        shown->checkDebitCredit(account->ident, &debit, &credit, document());
        if (debit)
            shown->releveID1 = -1;
        if (credit)
            shown->releveID2 = -1;
    }
    recomputeReleves(selectedReleveRow() - kFirstReleveRow, -1);
    afterPointage();
    FOLLOW(followedRow(), true);
    list->clearSelection();
    broadcastFromHere(Sel::didChangePointeTransact);
}

void FenReleveController::DEPOINTER_TRANSACT(QObject*)
{
    if (!canDepointerTrans()) {
        beep();
        return;
    }
    DEPOINTER();
}

void FenReleveController::didDoubleClick1(QObject* sender)
{
    StdTableView* list = table1();
    const IndexSet rows = list ? list->selectedRowIndexes() : IndexSet();
    if (!m_pointing) {
        FenTransListController::didDoubleClick1(sender);
        return;
    }
    StorageKind type = StorageKind::Prevision;
    if (!rows.empty())
        listingStorageIndexAtIndex(listing(), *rows.begin(), &type);
    if (type == StorageKind::Transact)
        POINTER_TRANSACT(selectedReleveRow() + 1, kRowNonPointees + 1);
}

bool FenReleveController::canDragSomething1()
{
    return !m_pointing && CAN_POINTER(-1);
}

QPixmap FenReleveController::dragImage()
{
    return releveImage(QStringLiteral("releve"), 32);
}

bool FenReleveController::validateDrop(long row)
{
    if (row == kRowAVenir)
        return false;
    return row == kRowNonPointees || CAN_POINTER(row);
}

// The rows dropped are table 1's selection: a drop on the unticked row unticks them.
void FenReleveController::dragRowsFromIndexes(const IndexSet&, long toIndex)
{
    if (toIndex == kRowNonPointees)
        DEPOINTER();
    else if (validateDrop(toIndex))
        POINTER_TRANSACT(toIndex + 1, selectedReleveRow() + 1);
}

// ---------------------------------------------------------------------------------------------
// Statements

long FenReleveController::editReleve(RELEVE& releve)
{
    return editReleveDialog(this, releve);
}

// The editor is a sheet: while it is up the other windows go on, and may delete or move the
// account. What it gave is stored in the account as it is after it.
bool FenReleveController::makeNewReleve(long compteID, long* index, bool* pointeNow)
{
    const TOOL* asked = getTool(kToolCompte, compteID, document());
    if (!asked)
        return false;
    RELEVE releve;
    releve.initForCompte(asked);
    const long code = editReleve(releve);
    TOOL* account = getTool(kToolCompte, compteID, document());
    if (!account || (code != kEditReleveOK && code != kEditRelevePointer))
        return false;
    releve.ident = account->newReleveID();
    *index = 0;
    account->appendReleve(releve, index, document());
    *pointeNow = code == kEditRelevePointer;
    return true;
}

// The statement moves to its new place by date; its transactions stay on it by ident.
bool FenReleveController::modifyReleve(long compteID, long* index, bool* pointeNow)
{
    const TOOL* asked = getTool(kToolCompte, compteID, document());
    const RELEVE* current = asked ? asked->releveAtIndex(*index) : nullptr;
    if (!current)
        return false;
    RELEVE copy = *current;
    const long code = editReleve(copy);
    TOOL* account = getTool(kToolCompte, compteID, document());
    if (!account || !account->findReleveID(copy.ident, index) || (code != kEditReleveOK && code != kEditRelevePointer))
        return false;
    account->unappendReleve(*index);
    account->appendReleve(copy, index, document());
    // Moving it changed which balances rest on which: every statement again, oldest first.
    computeAllReleves(*account, QString(), document());
    *pointeNow = code == kEditRelevePointer;
    return true;
}

void FenReleveController::showNewReleve(long index, bool pointeNow)
{
    StdTableView* releves = table2();
    releves->reloadData();
    releves->GO(int(index + kFirstReleveRow));
    FOLLOW(index + kFirstReleveRow, false);
    updateReleveButtons();
    if (pointeNow)
        POINTER_RELEVE(nullptr);
}

void FenReleveController::CREER_RELEVE(QObject*)
{
    long index = 0;
    bool pointeNow = false;
    if (m_pointing || !makeNewReleve(getArg().debitID, &index, &pointeNow) || isClosed())
        return;
    showNewReleve(index, pointeNow);
}

void FenReleveController::didDoubleClick2(QObject*)
{
    const long row = selectedReleveRow();
    if (!isReleveRow(row) || m_pointing) {
        beep();
        return;
    }
    long index = row - kFirstReleveRow;
    bool pointeNow = false;
    if (modifyReleve(getArg().debitID, &index, &pointeNow) && !isClosed())
        showNewReleve(index, pointeNow);
}

// The question is about the statement of the selected row, known by its ident when the answer
// comes: the other windows went on meanwhile.
void FenReleveController::SUPPRIMER_RELEVE(QObject*)
{
    const TOOL* account = compte();
    const long row = selectedReleveRow();
    if (!isReleveRow(row) || !m_canDeleteReleve) {
        beep();
        return;
    }
    const long releveID = account->releveAtIndex(row - kFirstReleveRow)->ident;
    const int answer = showAlert(this, localizedDialogue(QStringLiteral("kConfirm_SuppReleve")), QString(),
                                 localizedDialogue(QStringLiteral("LIB_BUTTON_NON")),
                                 localizedDialogue(QStringLiteral("LIB_BUTTON_OUI")), QString(),
                                 QStringLiteral("releve"), 0, kAlertFirstButton);
    if (answer == kAlertSecondButton)
        supprimerReleve(releveID);
}

// Every transaction ticked on the statement on this account's side becomes unticked, then the
// statement goes. A statement gone or locked since stays as it is.
void FenReleveController::supprimerReleve(long releveID)
{
    TOOL* account = compte();
    long index = -1;
    if (!account || !account->findReleveID(releveID, &index) || !account->releveCanPointer(index)) {
        beep();
        return;
    }
    const long compteID = account->ident;
    TRANSACT::enumerateTransactsUsingBlock(document(), [compteID, releveID](TRANSACT& t, long) {
        if (t.who1 == compteID && t.releveID1 == releveID)
            t.releveID1 = -1;
        if (t.who2 == compteID && t.releveID2 == releveID)
            t.releveID2 = -1;
    });
    const long count = account->nbReleve();
    account->unappendReleve(index);
    computeAllReleves(*account, QString(), document());
    broadcastFromHere(Sel::didChangePointeTransact);
    if (isClosed())
        return;
    COMPUTE_AVENIR();
    const long next = std::min(index + kFirstReleveRow, count);
    StdTableView* releves = table2();
    m_lockFollow = true;
    releves->reloadData();
    releves->GO(int(next));
    m_lockFollow = false;
    FOLLOW(next, false);
    updateReleveButtons();
}

// Locking a statement locks it and every older one; unlocking moves the lock date to the next
// older statement, or just before this one's date for the two oldest.
void FenReleveController::LOCK_RELEVE(QObject* sender)
{
    const QVariant tag = sender ? sender->property("tag") : QVariant();
    const long row = tag.isValid() ? long(tag.toLongLong()) : -1;
    if (m_pointing || !isReleveRow(row)) {
        beep();
        return;
    }
    lockReleve(row);
}

// The statement asked about is found again by its ident, and changes only when it is still as
// locked or unlocked as it was asked.
void FenReleveController::lockReleve(long row)
{
    const TOOL* asked = compte();
    const long releveID = asked->releveAtIndex(row - kFirstReleveRow)->ident;
    const bool unlocked = asked->releveCanPointer(row - kFirstReleveRow);
    const QVariantMap dictionary {
        {QStringLiteral("window"), QVariant::fromValue<QObject*>(this)},
        {QStringLiteral("title"),
         localizedDialogue(unlocked ? QStringLiteral("kConfirm_LockReleve") : QStringLiteral("kConfirm_UnlockReleve"))},
        {QStringLiteral("imageName"), QStringLiteral("cadenas")},
        {QStringLiteral("escapeButton"), kAlertSecondButton}};
    bool confirmed = false;
    Dialog::OKConfirmationWithDictionary(dictionary, [&](int code) { confirmed = code == kAlertFirstButton; });
    TOOL* account = compte();
    long index = -1;
    confirmed = confirmed && account && account->findReleveID(releveID, &index)
        && account->releveCanPointer(index) == unlocked;
    if (confirmed) {
        const RELEVE* older = account->releveAtIndex(index + 1);
        if (unlocked)
            account->locked_releve_to_date = account->releveAtIndex(index)->date;
        else if (older && index + 1 < account->nbReleve() - 1)
            account->locked_releve_to_date = older->date;
        else
            account->locked_releve_to_date = account->releveAtIndex(index)->date - 1.0;
    }
    if (StdTableView* releves = table2())
        releves->SMART_RELOAD();
    updateReleveButtons();
    if (confirmed)
        broadcastFromHere(Sel::didTouchLockReleve);
}

// ---------------------------------------------------------------------------------------------
// Delete key and paste

bool FenReleveController::canDeleteSomething() const
{
    const StdWindow* shown = windowIfLoaded();
    const QWidget* focus = shown ? shown->focusWidget() : nullptr;
    if (focus && focus == table1())
        return FenTransListController::canDeleteSomething() && canEffacerTrans();
    if (focus && focus == table2() && !FenTransListController::canDeleteSomething())
        return m_canDeleteReleve && selectedReleveRow() >= 0;
    return FenTransListController::canDeleteSomething();
}

bool FenReleveController::delete_(QObject* sender)
{
    const StdWindow* shown = windowIfLoaded();
    if (shown && shown->focusWidget() == table2()) {
        SUPPRIMER_RELEVE(sender);
        return true;
    }
    EFFACER(sender);
    return true;
}

void FenReleveController::didRefuseToDeleteFromKeyboard(StdTableView* table)
{
    const long row = selectedReleveRow();
    KeyRefusal refusal {nullptr, nullptr};
    if (table && table == table1())
        refusal = row == kRowAVenir ? KeyRefusal {"kCantDeleteTransFromKeyboard_avn", "releve"}
                                    : KeyRefusal {"kCantDeleteTransFromKeyboard_rel", "cadenas"};
    else if (table && table == table2() && row == kRowAVenir)
        refusal = {"kCantDeleteReleveFromKeyboard_avn", "releve"};
    else if (table && table == table2() && row == kRowNonPointees)
        refusal = {"kCantDeleteReleveFromKeyboard_npt", "releve"};
    else if (table && table == table2())
        refusal = {"kCantDeleteReleveFromKeyboard_rel", "cadenas"};
    if (!refusal.key)
        return;
    showAlertOK(this, localizedDialogue(QString::fromLatin1(refusal.key)), QString(),
                QString::fromLatin1(refusal.image), 1);
}

void FenReleveController::didPasteTransactAtIndexes(const QVariant& indexes, const QVariant& arg2)
{
    const DOCUMENT* doc = document();
    const long ident = getArg().debitID;
    bool ours = false;
    for (const QVariant& index : indexes.toList()) {
        const long position = long(index.toLongLong());
        const TRANSACT* pasted = doc && position >= 0 && position < doc->transact_array.size()
            ? &doc->transact_array.at(position)
            : nullptr;
        if (pasted && (pasted->who1 == ident || pasted->who2 == ident)) {
            ours = true;
            break;
        }
    }
    if (!ours)
        return;
    table2()->GO(kRowNonPointees);
    FenTransListController::didPasteTransactAtIndexes(indexes, arg2);
    table1()->setFocus();
}
