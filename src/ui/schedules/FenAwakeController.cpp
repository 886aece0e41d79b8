#include "schedules/FenAwakeController.h"

#include "toolkit/dialogs/Dialog.h"
#include "toolkit/host/HelperSVTimer.h"
#include "toolkit/popups/StdPopUp.h"
#include "toolkit/tables/StdTableView.h"

#include "foundation/broadcast.h"
#include "foundation/localized.h"
#include "foundation/selectors.h"
#include "model/DOCUMENT.h"
#include "model/MONTANT.h"
#include "model/TransactOps.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <functional>

namespace {

const QString kList = QStringLiteral("list");
const QString kInfo = QStringLiteral("info");

// A pop-up whose items are made again, by the window, each time it opens.
class PopAwakeCommands : public StdPopUp {
public:
    using Filler = std::function<void(StdPopUp&)>;
    PopAwakeCommands(Filler filler, QWidget* parent)
        : StdPopUp(parent)
        , m_filler(std::move(filler))
    {
        setCanAutoSelect(false);
    }
    void FILL_MENU() override { m_filler(*this); }

private:
    Filler m_filler;
};

struct CommandItem {
    const char* titleKey;
    const char* action;
    FenAwakeController::LocalCommand command;
};

constexpr CommandItem kLocalItems[] = {
    {"awake_local_differer", "LOCAL_DIFFERER:", FenAwakeController::LocalCommand::Differer},
    {"awake_local_valider", "LOCAL_VALIDER:", FenAwakeController::LocalCommand::Valider},
    {"awake_local_annuler", "LOCAL_ANNULER:", FenAwakeController::LocalCommand::Annuler},
    {"awake_local_ecrire", "LOCAL_ECRIRE:", FenAwakeController::LocalCommand::Ecrire},
};

QPushButton* makeButton(const QString& title, const char* name, QWidget* parent)
{
    auto* button = new QPushButton(title, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    button->setEnabled(false);
    return button;
}

} // namespace

int showAwakeList(AwakeList& list, DOCUMENT* doc, const QString& info)
{
    const WindowDataPtr data = makeWindowData(
        {{kList, QVariant::fromValue(AwakeWindowInput {&list, doc})}, {kInfo, info.isNull() ? QString() : info}});
    return int(StdWindowController::pushModal<FenAwakeController>(nullptr, data, MONTANT::currentDeviseSlot()));
}

bool FenAwakeController::localCommandEnabled(LocalCommand command, long status)
{
    switch (command) {
    case LocalCommand::Differer:
        return status == kAwakeWrite || status == kAwakeWriteCancelled;
    case LocalCommand::Valider:
        return status == kAwakeDefer;
    case LocalCommand::Annuler:
        return status == kAwakeWrite;
    case LocalCommand::Ecrire:
        return status == kAwakeWriteCancelled;
    }
    return false;
}

FenAwakeController::FenAwakeController() = default;

FenAwakeController::~FenAwakeController()
{
    if (m_timer)
        m_timer->invalidate();
}

// ---------------------------------------------------------------------------------------------
// The window

void FenAwakeController::buildInterface(StdWindow& window)
{
    window.setObjectName(QStringLiteral("FenAwake"));
    window.setWindowTitle(localizedAppl(QStringLiteral("FenAwake_titre")));
    auto* titre = new QLabel(localizedAppl(QStringLiteral("FenAwake_texte")), &window);
    titre->setObjectName(QStringLiteral("field_titre"));
    titre->setWordWrap(true);
    auto* table = new StdTableView(&window);
    table->setObjectName(QStringLiteral("table1"));
    table->setUniformRowHeight(CellAwake::kHeight);
    table->setMinimumSize(560, CellAwake::kHeight * 6);
    auto* popAction = new PopAwakeCommands(
        [](StdPopUp& pop) {
            const std::pair<const char*, const char*> items[] = {{"awake_tout_valider", "TOUT_VALIDER:"},
                                                                 {"awake_tout_differer", "TOUT_DIFFERER:"},
                                                                 {"awake_tout_annuler", "TOUT_ANNULER:"}};
            for (const auto& [title, action] : items)
                pop.addItemToMenu(pop.stdMenu(), localizedAppl(QString::fromLatin1(title)), QString::fromLatin1(action),
                                  QString(), true, 0);
        },
        &window);
    pop_action = popAction;
    pop_action->setObjectName(QStringLiteral("pop_action"));
    pop_action->setTitle(localizedAppl(QStringLiteral("awake_tout")));
    but_Undo = makeButton(localizedDialogue(QStringLiteral("LIB_BUTTON_ANNULER")), "but_Undo", &window);
    but_OK = makeButton(localizedDialogue(QStringLiteral("awake_poursuivre")), "but_OK", &window);
    but_OK->setDefault(true);
    connectAction(but_Undo, QStringLiteral("NON:"));
    connectAction(but_OK, QStringLiteral("OUI:"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(pop_action);
    buttons->addStretch();
    buttons->addWidget(but_Undo);
    buttons->addWidget(but_OK);
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(16, 14, 16, 14);
    layout->setSpacing(10);
    layout->addWidget(titre);
    layout->addWidget(table, 1);
    layout->addLayout(buttons);
}

void FenAwakeController::willAwakeFromNib()
{
    m_state = PassState::Choosing;
    m_isBuzy = true;
    StdWindowWithTableController::willAwakeFromNib();
}

// Return and the buttons wait a moment: a Return typed just before the window opened must not
// write the whole list.
void FenAwakeController::didAwakeFromNib()
{
    QPointer<FenAwakeController> self(this);
    HelperSVTimer::fireBlockAfterInterval(kReadyDelay, true, [self] {
        if (self)
            self->UPDATE_PB_();
    });
    StdWindowWithTableController::didAwakeFromNib();
}

void FenAwakeController::UPDATE_PB_()
{
    if (m_state != PassState::Choosing)
        return;
    but_OK->setEnabled(true);
    but_Undo->setEnabled(true);
    m_isBuzy = false;
}

AwakeList* FenAwakeController::list() const
{
    const WindowDataPtr data = getData();
    return data ? data->value(kList).value<AwakeWindowInput>().list : nullptr;
}

DOCUMENT* FenAwakeController::document() const
{
    const WindowDataPtr data = getData();
    return data ? data->value(kList).value<AwakeWindowInput>().doc : nullptr;
}

QString FenAwakeController::info() const
{
    const WindowDataPtr data = getData();
    return data ? data->value(kInfo).toString() : QString();
}

const AwakeList& FenAwakeController::items() const
{
    static const AwakeList none;
    const AwakeList* shown = list();
    return shown ? *shown : none;
}

// ---------------------------------------------------------------------------------------------
// Rows

int FenAwakeController::numberOfRowsInTableView1(StdTableView*)
{
    return int(items().size());
}

StdCell* FenAwakeController::viewForTableColumn1(StdTableView*, int row)
{
    if (row < 0 || row >= items().size())
        return nullptr;
    const ::AWAKE& item = items().at(row);
    const DOCUMENT* doc = document();
    QString montant = item.awakeSoldeString(doc);
    if (const QString unit = item.awakeDeviseUnit(doc); !unit.isEmpty())
        montant += u' ' + unit;
    m_cell.fill({CellAwake::imageNameForStatus(item.status), item.awakeEcheancierName(doc), item.awakeDateString(),
                 montant, item.status == kAwakeWriteCancelled || item.status == kAwakeCancelled});
    return &m_cell;
}

QColor FenAwakeController::getPatColor1(int)
{
    return QColor::fromRgbF(0.9882353F, 1.0F, 0.9137255F, 1.0F);
}

long FenAwakeController::selectedItem() const
{
    const IndexSet rows = table1() ? table1()->selectedRowIndexes() : IndexSet();
    if (rows.empty() || *rows.begin() >= items().size())
        return -1;
    return long(*rows.begin());
}

void FenAwakeController::tableViewSelectionDidChange1()
{
    StdWindowWithTableController::tableViewSelectionDidChange1();
    placeLocalPopUp();
}

void FenAwakeController::tableDidReloadData(StdTableView* table)
{
    StdWindowWithTableController::tableDidReloadData(table);
    placeLocalPopUp();
}

// The row's commands sit over the right end of the selected row, for as long as it can change.
void FenAwakeController::placeLocalPopUp()
{
    StdTableView* table = table1();
    if (!table)
        return;
    if (m_localHolder)
        table->setIndexWidget(table->model()->index(int(m_localHolder->property("sv_row").toLongLong()), 0), nullptr);
    const long row = selectedItem();
    if (row < 0 || m_state != PassState::Choosing || items().at(row).status > kAwakeWriteCancelled)
        return;
    auto* holder = new QWidget;
    holder->setProperty("sv_row", qlonglong(row));
    holder->setAttribute(Qt::WA_TransparentForMouseEvents);
    holder->setAttribute(Qt::WA_NoSystemBackground);
    auto* pop = new PopAwakeCommands(
        [this](StdPopUp& menu) {
            const long current = selectedItem();
            const long status = current >= 0 ? items().at(current).status : -1;
            for (const CommandItem& item : kLocalItems)
                menu.addItemToMenu(menu.stdMenu(), localizedAppl(QString::fromLatin1(item.titleKey)),
                                   QString::fromLatin1(item.action), QString(),
                                   localCommandEnabled(item.command, status), 0);
        },
        holder);
    pop->setObjectName(QStringLiteral("pop_local_action"));
    pop->setTitle(localizedAppl(QStringLiteral("awake_local")));
    pop->stdMenu()->setDelegate(this);
    pop->setAttribute(Qt::WA_TransparentForMouseEvents, false);
    auto* layout = new QHBoxLayout(holder);
    layout->setContentsMargins(0, 2, 8, 2);
    layout->addStretch();
    layout->addWidget(pop);
    pop->setFixedWidth(CellAwake::kPopUpWidth - 8);
    m_localHolder = holder;
    table->setIndexWidget(table->model()->index(int(row), 0), holder);
}

// ---------------------------------------------------------------------------------------------
// Choosing

void FenAwakeController::reloadKeepingSelection()
{
    table1()->SMART_RELOAD();
    placeLocalPopUp();
}

void FenAwakeController::setAllStatuses(long status)
{
    AwakeList* shown = list();
    if (!shown || m_state != PassState::Choosing)
        return;
    for (::AWAKE& item : *shown)
        item.status = status;
    reloadKeepingSelection();
}

// Every occurrence of the selected one's schedule from the row given on.
void FenAwakeController::setStatusesOfSchedule(long from, long status)
{
    AwakeList* shown = list();
    const long row = selectedItem();
    if (!shown || row < 0 || m_state != PassState::Choosing)
        return;
    const long chronoID = shown->at(row).transact.chronoID;
    for (long i = from; i < shown->size(); ++i) {
        if ((*shown)[i].transact.chronoID == chronoID)
            (*shown)[i].status = status;
    }
    reloadKeepingSelection();
}

void FenAwakeController::TOUT_VALIDER(QObject*)
{
    setAllStatuses(kAwakeWrite);
}

void FenAwakeController::TOUT_DIFFERER(QObject*)
{
    setAllStatuses(kAwakeDefer);
}

void FenAwakeController::TOUT_ANNULER(QObject*)
{
    setAllStatuses(kAwakeWriteCancelled);
}

// A later occurrence can't be written before an earlier one of the same schedule: deferring one
// defers those that follow it.
void FenAwakeController::LOCAL_DIFFERER(QObject*)
{
    setStatusesOfSchedule(selectedItem(), kAwakeDefer);
}

void FenAwakeController::LOCAL_VALIDER(QObject*)
{
    setStatusesOfSchedule(0, kAwakeWrite);
}

void FenAwakeController::LOCAL_ANNULER(QObject*)
{
    const long row = selectedItem();
    if (row < 0 || m_state != PassState::Choosing)
        return;
    (*list())[row].status = kAwakeWriteCancelled;
    reloadKeepingSelection();
}

void FenAwakeController::LOCAL_ECRIRE(QObject*)
{
    const long row = selectedItem();
    if (row < 0 || m_state != PassState::Choosing)
        return;
    (*list())[row].status = kAwakeWrite;
    reloadKeepingSelection();
}

bool FenAwakeController::didKeyDown(QObject* sender, int key)
{
    if (key != kKeyReturn)
        return StdWindowWithTableController::didKeyDown(sender, key);
    if (!m_isBuzy)
        OUI(sender);
    return true;
}

bool FenAwakeController::didKeyDown(StdTableView* table, int key)
{
    if (key != kKeyReturn)
        return StdWindowWithTableController::didKeyDown(table, key);
    if (!m_isBuzy)
        OUI(table);
    return true;
}

void FenAwakeController::OUI(QObject* sender)
{
    switch (m_state) {
    case PassState::Choosing:
        AWAKE();
        return;
    case PassState::Running:
        return;
    case PassState::Done:
        StdWindowWithTableController::OUI(sender);
        return;
    }
}

void FenAwakeController::NON(QObject* sender)
{
    if (m_state == PassState::Running) {
        stopPass();
        return;
    }
    if (m_state == PassState::Choosing)
        StdWindowWithTableController::NON(sender);
}

// ---------------------------------------------------------------------------------------------
// The pass

void FenAwakeController::willAwakeDocument()
{
    but_OK->setEnabled(false);
    pop_action->setEnabled(false);
    // Stays enabled: it stops the pass between two occurrences.
    but_Undo->setEnabled(true);
    but_Undo->setText(localizedDialogue(QStringLiteral("awake_arreter")));
    table1()->setFocus();
}

void FenAwakeController::AWAKE()
{
    if (m_state != PassState::Choosing)
        return;
    m_isBuzy = true;
    m_state = PassState::Running;
    placeLocalPopUp();
    willAwakeDocument();
    m_awakeIndex = 0;
    m_awakeCount = 0;
    m_lastStored = -1;
    m_windowsTold = false;
    QPointer<FenAwakeController> self(this);
    m_timer = timerWithTimeInterval(
        kStepInterval,
        [self] {
            if (self)
                self->AWAKE_();
        },
        true);
    m_timer->schedule(IScheduler::Mode::ModalPanel);
    AWAKE_();
}

void FenAwakeController::AWAKE_()
{
    if (m_state != PassState::Running)
        return;
    const long n = long(items().size());
    if (m_awakeIndex < n) {
        writeItem(m_awakeIndex);
    } else if (m_awakeIndex == n) {
        table1()->GO(-1);
        m_timer->invalidate();
        QPointer<FenAwakeController> self(this);
        HelperSVTimer::fireBlockAfterInterval(0, true, [self] {
            if (self)
                self->endPass();
        });
    }
    ++m_awakeIndex;
}

// No occurrence after it is to be written: the windows refresh with this one.
bool FenAwakeController::isLastToWrite(long index) const
{
    const AwakeList& all = items();
    for (long i = index + 1; i < all.size(); ++i) {
        if (all.at(i).status == kAwakeWrite || all.at(i).status == kAwakeWriteCancelled)
            return false;
    }
    return true;
}

void FenAwakeController::writeItem(long index)
{
    ::AWAKE& item = (*list())[index];
    DOCUMENT* doc = document();
    if (item.status != kAwakeWrite && item.status != kAwakeWriteCancelled)
        return;
    const bool last = isLastToWrite(index);
    if (!doc || !writeAwakeOccurrence(item, doc, last, info()))
        return;
    m_lastStored = long(doc->transact_array.size()) - 1;
    m_windowsTold = m_windowsTold || last;
    item.status = item.status == kAwakeWrite ? kAwakeWritten : kAwakeCancelled;
    ++m_awakeCount;
    table1()->reloadData();
    table1()->GO(int(index));
}

// The last write is the one that tells the windows; when it failed, or the pass stopped before
// it, they are told here, once, of the last transaction written.
void FenAwakeController::tellWindowsOnce()
{
    if (m_windowsTold || m_awakeCount == 0 || m_lastStored < 0)
        return;
    m_windowsTold = true;
    notifyMakeTransact(m_lastStored);
}

void FenAwakeController::stopPass()
{
    if (m_timer)
        m_timer->invalidate();
    m_state = PassState::Done;
    tellWindowsOnce();
    sendToAllWindowDelegates(Sel::didAwakeFile);
    endModal(0);
}

void FenAwakeController::endPass()
{
    if (m_state != PassState::Running)
        return;
    m_state = PassState::Done;
    didAwakeDocument();
}

void FenAwakeController::didAwakeDocument()
{
    tellWindowsOnce();
    sendToAllWindowDelegates(Sel::didAwakeFile);
    pop_action->setEnabled(false);
    but_Undo->hide();
    but_OK->setText(localizedDialogue(QStringLiteral("awake_fermer")));
    but_OK->setEnabled(true);
    placeLocalPopUp();
    askFinalQuestion();
}

void FenAwakeController::askFinalQuestion()
{
    const bool none = m_awakeCount == 0;
    const QString title = none                 ? QStringLiteral("kAlerte_AwakeEmpty")
        : m_awakeCount == long(items().size()) ? QStringLiteral("kAlerte_AwakeDoneAll")
                                               : QStringLiteral("kAlerte_AwakeDone");
    int answer = 0;
    Dialog::OKConfirmationWithDictionary(
        {{QStringLiteral("window"), QVariant::fromValue<QObject*>(this)},
         {QStringLiteral("title"), Dialog::keyString(title)},
         {QStringLiteral("imageName"), none ? QStringLiteral("echeancier_reel") : QStringLiteral("checkmark")},
         {QStringLiteral("titleOK"), Dialog::OKString()},
         {QStringLiteral("titleUndo"), Dialog::keyString(QStringLiteral("ButtonAwakeRester"))},
         // Everything is written by now: staying on the list is the answer that ends nothing.
         {QStringLiteral("escapeButton"), kAlertSecondButton}},
        [&answer](int code) { answer = code; });
    m_isBuzy = false;
    but_OK->setFocus();
    if (answer == kAlertFirstButton)
        OUI(nullptr);
}

void FenAwakeController::windowWillClose()
{
    if (m_timer)
        m_timer->invalidate();
    if (m_state == PassState::Running) {
        m_state = PassState::Done;
        tellWindowsOnce();
        sendToAllWindowDelegates(Sel::didAwakeFile);
    }
    StdWindowWithTableController::windowWillClose();
}
