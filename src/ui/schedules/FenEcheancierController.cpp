#include "schedules/FenEcheancierController.h"

#include "schedules/PopCompleterBudget.h"
#include "schedules/PopFiltrerEcheancier.h"
#include "schedules/ScheduleEditors.h"
#include "toolkit/dialogs/Dialog.h"
#include "toolkit/dialogs/FenAskPoursuivreController.h"
#include "toolkit/drawing/FigureLabel.h"
#include "toolkit/popups/PopChrono.h"
#include "toolkit/popups/PopDevise.h"
#include "toolkit/popups/PopHelp.h"
#include "toolkit/popups/StdMenu.h"
#include "toolkit/tables/StdTableView.h"
#include "toolkit/windows/IWindowDoors.h"

#include "document/DocContext.h"
#include "engines/PrevisionManager.h"
#include "foundation/IDesktop.h"
#include "foundation/broadcast.h"
#include "foundation/localized.h"
#include "foundation/selectors.h"
#include "model/DOCUMENT.h"
#include "model/ECHEANCIER.h"
#include "model/Prevision.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QPointer<FenEcheancierController>& openWindow()
{
    static QPointer<FenEcheancierController> window;
    return window;
}

ChronoManager& chronos()
{
    return ChronoManager::sharedManager();
}

// The count's text for a number of schedules and forecasts; French counts below two in the
// singular.
QString countText(long count)
{
    return QString::number(count)
        + localizedMisc(count < 2 ? QStringLiteral("kMisc_Nb_Chrono_Un") : QStringLiteral("kMisc_Nb_Chrono"));
}

// The largest count a household's document holds.
constexpr long kLargestCount = 999999;

} // namespace

FenEcheancierController* FenEcheancierController::current()
{
    return stillOpen(openWindow().data());
}

FenEcheancierController* FenEcheancierController::openEcheanciers(long devise, bool appear)
{
    if (FenEcheancierController* open = current()) {
        if (appear)
            open->orderFront();
        return open;
    }
    openWindow() = StdWindowController::push<FenEcheancierController>(nullptr, devise, appear);
    return openWindow();
}

// ---------------------------------------------------------------------------------------------
// The window

void FenEcheancierController::buildInterface(StdWindow& window)
{
    window.setObjectName(QStringLiteral("FenEcheancier"));
    window.setWindowTitle(localizedAppl(QStringLiteral("FenEcheancier_titre")));
    auto* toolbar = new QHBoxLayout;
    toolbar->setSpacing(6);
    auto* creer = new PopChrono(&window);
    creer->setObjectName(QStringLiteral("pop_chrono"));
    creer->setTitle(localizedAppl(QStringLiteral("FenEcheancier_creer")));
    creer->setCanAutoSelect(false);
    toolbar->addWidget(creer);
    m_buttonVoir = toolButton("button_voir", "FenEcheancier_voir", &window);
    connectAction(m_buttonVoir, QStringLiteral("VOIR:"));
    toolbar->addWidget(m_buttonVoir);
    m_buttonSupprimer = toolButton("button_supprimer", "FenEcheancier_supprimer", &window);
    connectAction(m_buttonSupprimer, QStringLiteral("SUPPRIMER:"));
    m_buttonListing = toolButton("button_listing", "FenEcheancier_listing", &window);
    connectAction(m_buttonListing, QStringLiteral("LISTING:"));
    auto* awake = toolButton("button_awake", "FenEcheancier_awake", &window);
    connectAction(awake, QStringLiteral("AWAKE:"));
    m_popFiltrer = new PopFiltrerEcheancier(&window);
    m_popFiltrer->setObjectName(QStringLiteral("popFiltrerEcheancier"));
    m_popFiltrer->setTitle(localizedAppl(QStringLiteral("FenEcheancier_filtrer")));
    m_popFiltrer->setFilterSource([] { return chronos().filter(); });
    m_imageFilterOn = new QLabel(&window);
    m_imageFilterOn->setObjectName(QStringLiteral("imageFilterOn"));
    m_imageFilterOn->setText(localizedAppl(QStringLiteral("FenEcheancier_filtreActif")));
    // Its room is kept while it is hidden: a filter chosen must not widen the window.
    QSizePolicy keptRoom = m_imageFilterOn->sizePolicy();
    keptRoom.setRetainSizeWhenHidden(true);
    m_imageFilterOn->setSizePolicy(keptRoom);
    auto* devise = new PopDevise(&window);
    devise->setObjectName(QStringLiteral("pop_devise"));
    auto* budget = new PopCompleterBudget(&window);
    budget->setTitle(localizedAppl(QStringLiteral("FenEcheancier_budget")));
    budget->setCanAutoSelect(false);
    for (QWidget* control :
         {static_cast<QWidget*>(m_buttonSupprimer), static_cast<QWidget*>(m_buttonListing),
          static_cast<QWidget*>(awake), static_cast<QWidget*>(m_popFiltrer), static_cast<QWidget*>(m_imageFilterOn),
          static_cast<QWidget*>(devise), static_cast<QWidget*>(budget)})
        toolbar->addWidget(control);
    toolbar->addStretch();
    m_fieldNumberOfChrono = new FigureLabel(&window);
    m_fieldNumberOfChrono->setObjectName(QStringLiteral("fieldNumberOfChrono"));
    // The count takes the room of the largest from the start: a count that gains a digit must not
    // widen the window. Its own count replaces that text as the window wakes up.
    m_fieldNumberOfChrono->setText(countText(kLargestCount));
    m_fieldNumberOfChrono->setMinimumWidth(m_fieldNumberOfChrono->sizeHint().width());
    m_popHelp = new PopHelp(&window);
    m_popHelp->setObjectName(QStringLiteral("popHelp"));
    toolbar->addWidget(m_fieldNumberOfChrono);
    toolbar->addWidget(m_popHelp);
    auto* table = new StdTableView(&window);
    table->setObjectName(QStringLiteral("table1"));
    table->setUniformRowHeight(CellEcheancier::kChronoHeight);
    table->setMinimumSize(820, CellEcheancier::kChronoHeight * 4);
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(12, 10, 12, 12);
    layout->setSpacing(8);
    layout->addLayout(toolbar);
    layout->addWidget(table, 1);
}

void FenEcheancierController::didAwakeFromNib()
{
    chronos().hello(this, currentDocument());
    updateFilterIcone();
    updateNbChrono();
    m_popHelp->setStringTitle(localizedHelp(QStringLiteral("HELP_TITLE_ECHEANCIER")));
    m_popHelp->setStringContent(localizedHelp(QStringLiteral("HELP_CONTENT_ECHEANCIER")));
    m_onReal = false;
    StdWindowWithTableController::didAwakeFromNib();
    // The table is connected now: its rows take their heights.
    reloadData();
    pickers().FILL_DEVISE(devise());
    updateButtons();
}

void FenEcheancierController::windowWillClose()
{
    StdWindowWithTableController::windowWillClose();
    if (chronos().table() == this)
        chronos().goodbye();
    if (openWindow() == this)
        openWindow() = nullptr;
}

void FenEcheancierController::updateNbChrono()
{
    if (!m_fieldNumberOfChrono)
        return;
    m_fieldNumberOfChrono->setText(countText(chronos().numberOfChronos()));
}

void FenEcheancierController::updateFilterIcone()
{
    if (m_imageFilterOn)
        m_imageFilterOn->setHidden(PopFiltrerEcheancier::showsEverything(chronos().filter()));
}

void FenEcheancierController::updateButtons()
{
    const bool chosen = selectedChrono() != nullptr;
    if (m_buttonVoir)
        m_buttonVoir->setEnabled(chosen);
    if (m_buttonSupprimer)
        m_buttonSupprimer->setEnabled(chosen);
    if (m_buttonListing)
        m_buttonListing->setEnabled(m_onReal);
}

// ---------------------------------------------------------------------------------------------
// The list

long FenEcheancierController::selectedRow() const
{
    const IndexSet rows = table1() ? table1()->selectedRowIndexes() : IndexSet();
    return rows.empty() ? -1 : long(*rows.begin());
}

void FenEcheancierController::reloadData()
{
    if (table1())
        table1()->reloadData();
}

void FenEcheancierController::GO(long row)
{
    if (table1())
        table1()->GO(int(row));
}

const CHRONOLIST* FenEcheancierController::selectedChrono() const
{
    const CHRONOLIST* entry = chronos().chronolistAtIndex(selectedRow());
    return entry && entry->isChrono() ? entry : nullptr;
}

int FenEcheancierController::numberOfRowsInTableView1(StdTableView*)
{
    return chronos().table() == this ? int(chronos().numberOfRows()) : 0;
}

StdCell* FenEcheancierController::viewForTableColumn1(StdTableView*, int row)
{
    const CHRONOLIST* entry = chronos().chronolistAtIndex(row);
    const DOCUMENT* doc = currentDocument();
    if (!entry || !doc)
        return nullptr;
    const ChronoRowContent content = chronoRowContent(*entry, *doc, devise());
    if (!content.found)
        return nullptr;
    m_cell.fill(content);
    return &m_cell;
}

bool FenEcheancierController::shouldSelectRow(StdTableView* table, int row)
{
    const CHRONOLIST* entry = table == table1() ? chronos().chronolistAtIndex(row) : nullptr;
    return entry && entry->isChrono();
}

bool FenEcheancierController::isRowPair(StdTableView*, int row)
{
    const CHRONOLIST* entry = chronos().chronolistAtIndex(row);
    return entry ? entry->parity : true;
}

QColor FenEcheancierController::getPatColor1(int row)
{
    const CHRONOLIST* entry = chronos().chronolistAtIndex(row);
    if (entry && entry->kind == CHRONOLIST::Kind::Echeancier)
        return QColor(255, 253, 239);
    if (entry && entry->kind == CHRONOLIST::Kind::Prevision)
        return QColor(255, 237, 255);
    return StdWindowWithTableController::getPatColor1(row);
}

void FenEcheancierController::setHasSelection1(bool has)
{
    StdWindowWithTableController::setHasSelection1(has);
    const CHRONOLIST* entry = has ? selectedChrono() : nullptr;
    m_onReal = entry && entry->kind == CHRONOLIST::Kind::Echeancier;
    updateButtons();
}

// Headers are lower than the schedules and forecasts: each row takes its kind's height.
void FenEcheancierController::tableDidReloadData(StdTableView* table)
{
    StdWindowWithTableController::tableDidReloadData(table);
    if (table != table1())
        return;
    for (int row = 0; row < numberOfRowsInTableView1(table); ++row) {
        if (const CHRONOLIST* entry = chronos().chronolistAtIndex(row))
            table->verticalHeader()->resizeSection(row, CellEcheancier::heightOfKind(entry->kind));
    }
    updateButtons();
}

double FenEcheancierController::computeTotalHeightForTable1()
{
    double total = 0;
    const int rows = numberOfRowsInTableView1(table1());
    for (int row = 0; row < rows; ++row) {
        if (const CHRONOLIST* entry = chronos().chronolistAtIndex(row))
            total += CellEcheancier::heightOfKind(entry->kind);
    }
    const long missing = minimumOfVisibleRows() - rows;
    return total + double(std::max(0L, missing)) * CellEcheancier::kChronoHeight;
}

// The count follows every rebuild: a schedule made away from this window (a simulation made real)
// comes in through here alone.
void FenEcheancierController::rebuildAndSelect(CHRONOLIST::Kind kind, long ident)
{
    chronos().BUILD_LIST();
    long row = -1;
    chronos().findChronoList(kind, ident, &row);
    reloadData();
    GO(row);
    updateNbChrono();
}

// ---------------------------------------------------------------------------------------------
// Commands

void FenEcheancierController::didCreateChrono(DOCUMENT& doc, CHRONOLIST::Kind kind, long ident)
{
    // A filter that hides the new one leaves nothing selected; the windows hear of it all the same.
    rebuildAndSelect(kind, ident);
    collectAwakeOccurrences(this, &doc, nullptr, QString(), nullptr);
    sendToAllWindowDelegates(Sel::COMPUTE_ANALYSE_NOTIFICATION);
    sendToAllWindowDelegates(Sel::DID_CREATE_CHRONO);
    updateNbChrono();
}

void FenEcheancierController::CREER_ECHEANCIER(long posteID)
{
    DOCUMENT* doc = currentDocument();
    if (!doc)
        return;
    ECHEANCIER echeancier = ECHEANCIER::newEcheancier(doc);
    if (posteID >= 0)
        echeancier.transact.posteID = posteID;
    if (!editEcheancier(this, *doc, echeancier)) {
        updateNbChrono();
        return;
    }
    didCreateChrono(*doc, CHRONOLIST::Kind::Echeancier, addEcheancier(echeancier, doc, -1, nullptr));
}

void FenEcheancierController::CREER_PREVISION(long posteID)
{
    DOCUMENT* doc = currentDocument();
    if (!doc)
        return;
    Prevision prevision = Prevision::newPrevision(doc);
    if (posteID >= 0)
        prevision.transact.posteID = posteID;
    if (!pushEditPrevisionModal(this, *doc, prevision)) {
        updateNbChrono();
        return;
    }
    const long ident = PrevisionManager::sharedManager().addIndexedPrevisionReference(prevision, doc, -1, nullptr);
    didCreateChrono(*doc, CHRONOLIST::Kind::Prevision, ident);
}

void FenEcheancierController::didChooseChrono(QObject* sender)
{
    const qint64 tag = StdMenu::tagOf(sender);
    if (tag == 0)
        CREER_ECHEANCIER(-1);
    else if (tag == 1)
        CREER_PREVISION(-1);
}

// The editors put the new version in place and broadcast chronoDidChange, which selects it again.
void FenEcheancierController::VOIR(QObject*)
{
    DOCUMENT* doc = currentDocument();
    const CHRONOLIST* entry = selectedChrono();
    if (!doc || !entry)
        return;
    const CHRONOLIST chosen = *entry;
    if (chosen.kind == CHRONOLIST::Kind::Echeancier)
        editEcheancierClone(this, *doc, chosen.ident);
    else
        editIndexedPrevision(this, *doc, chosen.ident);
}

void FenEcheancierController::didDoubleClick1(QObject* sender)
{
    VOIR(sender);
}

void FenEcheancierController::FILTER(QObject* sender)
{
    chronos().didChooseFilter(int(StdMenu::tagOf(sender)));
    updateFilterIcone();
    adjustHeight(false);
    updateNbChrono();
}

void FenEcheancierController::DEVISE(QObject* sender)
{
    pickers().DEVISE(sender);
    if (table1())
        table1()->SMART_RELOAD();
}

bool FenEcheancierController::canDeleteSomething() const
{
    return selectedChrono() != nullptr;
}

bool FenEcheancierController::delete_(QObject* sender)
{
    const long before = chronos().numberOfChronos();
    SUPPRIMER(sender);
    return chronos().numberOfChronos() != before;
}

// The other windows stay usable while the question waits: what it asked about is found again by
// its ident once answered, so one added, renamed or deleted meanwhile never moves the delete onto
// another, and one gone meanwhile is left gone.
bool FenEcheancierController::supprimerEcheancier(DOCUMENT& doc, long ident)
{
    if (!findEcheancierIndexPosition(ident, nullptr, &doc))
        return false;
    long answer = 0;
    askPoursuivre(this, QStringLiteral("ASSIST300"), QString(), true, true, [&answer](long code) { answer = code; });
    if (answer == 0) {
        beep();
        return false;
    }
    long position = -1;
    if (!findEcheancierIndexPosition(ident, &position, &doc))
        return false;
    removeEcheancierAtIndexPosition(position, &doc);
    // The transactions it wrote stay, as plain transactions.
    detachTransactsFromEcheancier(ident, &doc);
    return true;
}

bool FenEcheancierController::supprimerPrevision(DOCUMENT& doc, long ident)
{
    PrevisionManager& manager = PrevisionManager::sharedManager();
    if (!manager.findIndexedPrevisionWithIdent(ident, nullptr, &doc))
        return false;
    int answer = 0;
    Dialog::undoConfirmationWithDictionary(
        {{QStringLiteral("window"), QVariant::fromValue<QObject*>(this)},
         {QStringLiteral("title"), Dialog::keyString(QStringLiteral("kConfirm_SuppPrev"))},
         {QStringLiteral("imageName"), QStringLiteral("echeancier_prev")},
         {QStringLiteral("escapeButton"), kAlertFirstButton}},
        [&answer](int code) { answer = code; });
    if (answer != kAlertFirstButton + 1) {
        beep();
        return false;
    }
    qsizetype position = -1;
    if (!manager.findIndexedPrevisionWithIdent(ident, &position, &doc))
        return false;
    manager.removeIndexedPrevisionReference(position, &doc);
    return true;
}

void FenEcheancierController::SUPPRIMER(QObject*)
{
    DOCUMENT* doc = currentDocument();
    const CHRONOLIST* entry = selectedChrono();
    if (!doc || !entry)
        return;
    const CHRONOLIST chosen = *entry;
    const bool deleted = chosen.kind == CHRONOLIST::Kind::Echeancier ? supprimerEcheancier(*doc, chosen.ident)
                                                                     : supprimerPrevision(*doc, chosen.ident);
    if (!deleted)
        return;
    chronos().BUILD_LIST();
    updateNbChrono();
    reloadData();
    sendToAllWindowDelegates(Sel::COMPUTE_ANALYSE_NOTIFICATION);
    sendToAllWindowDelegates(Sel::DID_DELETE_CHRONO);
}

void FenEcheancierController::LISTING(QObject*)
{
    DOCUMENT* doc = currentDocument();
    const CHRONOLIST* entry = selectedChrono();
    IWindowDoors* doors = windowDoors();
    if (doors && doc && entry && entry->kind == CHRONOLIST::Kind::Echeancier)
        doors->openEntityListing(EntityListing::Chrono, *doc, entry->ident, devise(), true);
}

void FenEcheancierController::AWAKE(QObject*)
{
    DOCUMENT* doc = currentDocument();
    if (!doc || collectAwakeOccurrences(this, doc, nullptr, QString(), nullptr))
        return;
    Dialog::alerte(this, Dialog::keyString(QStringLiteral("kEmptyAwake")), QString(), QStringLiteral("echeancier_reel"),
                   1, {});
}

// ---------------------------------------------------------------------------------------------
// Broadcasts

void FenEcheancierController::chronoDidChange(const QVariant& ident, const QVariant& kind)
{
    rebuildAndSelect(CHRONOLIST::Kind(kind.toInt()), ident.toLongLong());
}

void FenEcheancierController::notifyNewEcheancier(const QVariant& ident, const QVariant& kind)
{
    chronoDidChange(ident, kind);
}

void FenEcheancierController::REBUILD_LIST()
{
    chronos().REBUILD_LIST();
    updateNbChrono();
}
