#include "entities/FenDeviseController.h"

#include "entities/FenEditDeviseController.h"
#include "toolkit/dialogs/Dialog.h"
#include "toolkit/dialogs/FenAskPoursuivreController.h"
#include "toolkit/host/UiHost.h"
#include "toolkit/tables/StdTableView.h"
#include "toolkit/windows/listlayout.h"

#include "document/DocContext.h"
#include "engines/DeviseConversion.h"
#include "foundation/broadcast.h"
#include "foundation/diagnostics.h"
#include "foundation/localized.h"
#include "foundation/selectors.h"
#include "model/DOCPARAM.h"
#include "model/DOCUMENT.h"

#include <QHBoxLayout>
#include <QPushButton>

#include <cmath>

namespace {

QPointer<FenDeviseController>& openWindow()
{
    static QPointer<FenDeviseController> window;
    return window;
}

} // namespace

DeviseCommands deviseCommandsForRow(const DOCUMENT& doc, long row)
{
    if (row < 0 || row >= kDeviseSlotCount)
        return {};
    const bool used = Devise::deviseUsedAtIndex(doc.deviseHdl, row);
    return {!used, used};
}

bool bringDeviseIntoUse(DOCUMENT& doc, long slot)
{
    if (slot < 1 || slot >= kDeviseSlotCount || slot >= doc.deviseHdl.size())
        return false;
    Devise& devise = doc.deviseHdl[slot];
    // A rate of zero would write infinities into every amount of the document.
    if (!std::isfinite(devise.convert) || devise.convert <= 0.0)
        return false;
    devise.used = true;
    return convertDocumentDevise(slot, &doc);
}

FenDeviseController::FenDeviseController() = default;

FenDeviseController* FenDeviseController::current()
{
    return stillOpen(openWindow().data());
}

FenDeviseController* FenDeviseController::openDevises(long devise, bool appear)
{
    if (FenDeviseController* open = current()) {
        if (appear)
            open->orderFront();
        return open;
    }
    openWindow() = StdWindowController::push<FenDeviseController>(nullptr, devise, appear);
    return openWindow();
}

void FenDeviseController::runDevisesModal(long devise)
{
    QPointer<FenDeviseController> controller = openDevises(devise);
    if (!controller || controller->m_assistantModal)
        return;
    controller->m_assistantModal = true;
    UiHost::instance().modal().run({controller->window(), nullptr, false, controller.data()});
    if (controller)
        controller->m_assistantModal = false;
}

void FenDeviseController::buildInterface(StdWindow& window)
{
    window.setObjectName(QStringLiteral("FenDevise"));
    window.setWindowTitle(localizedAppl(QStringLiteral("FenDevise_titre")));
    auto* table = new StdTableView(&window);
    table->setObjectName(QStringLiteral("table1"));
    table->setUniformRowHeight(CellDevise::kHeight);
    table->setMinimumSize(440, CellDevise::kHeight * kDeviseSlotCount + 4);
    m_nouveau = new QPushButton(localizedAppl(QStringLiteral("FenDevise_nouveau")), &window);
    m_nouveau->setObjectName(QStringLiteral("button_nouveau"));
    connectAction(m_nouveau, QStringLiteral("NOUVEAU:"));
    m_modifier = new QPushButton(localizedAppl(QStringLiteral("FenDevise_modifier")), &window);
    m_modifier->setObjectName(QStringLiteral("button_modifier"));
    connectAction(m_modifier, QStringLiteral("MODIFIER:"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_nouveau);
    buttons->addWidget(m_modifier);
    layOutList(window, table, buttons);
}

void FenDeviseController::didAwakeFromNib()
{
    StdWindowWithTableController::didAwakeFromNib();
    setCanNew(false);
    setCanEdit(false);
}

void FenDeviseController::setCanNew(bool can)
{
    m_commands.canNew = can;
    if (m_nouveau)
        m_nouveau->setEnabled(can);
}

void FenDeviseController::setCanEdit(bool can)
{
    m_commands.canEdit = can;
    if (m_modifier)
        m_modifier->setEnabled(can);
}

int FenDeviseController::numberOfRowsInTableView1(StdTableView*)
{
    return kDeviseSlotCount;
}

StdCell* FenDeviseController::viewForTableColumn1(StdTableView*, int row)
{
    const DOCUMENT* doc = currentDocument();
    if (!doc)
        return nullptr;
    m_cell.fill(deviseRowLook(*doc, row));
    return &m_cell;
}

QColor FenDeviseController::getPatColor1(int)
{
    return QColor::fromRgbF(0.9882353f, 1.0f, 0.9137255f, 1.0f);
}

long FenDeviseController::selectedRow() const
{
    const IndexSet rows = table1() ? table1()->selectedRowIndexes() : IndexSet();
    return rows.size() == 1 ? long(*rows.begin()) : -1;
}

void FenDeviseController::tableViewSelectionDidChange1()
{
    StdWindowWithTableController::tableViewSelectionDidChange1();
    const DOCUMENT* doc = currentDocument();
    const DeviseCommands commands = doc ? deviseCommandsForRow(*doc, selectedRow()) : DeviseCommands();
    setCanNew(commands.canNew);
    setCanEdit(commands.canEdit);
}

void FenDeviseController::didDoubleClick1(QObject* sender)
{
    if (canEdit())
        MODIFIER(sender);
}

void FenDeviseController::NOUVEAU(QObject*)
{
    const long slot = selectedRow();
    DOCUMENT* doc = currentDocument();
    if (!doc || !deviseCommandsForRow(*doc, slot).canNew)
        return;
    long answer = 0;
    askPoursuivre(this, QStringLiteral("ASSIST030"), QString(), true, false, [&answer](long a) { answer = a; });
    if (answer == 0 || !stillOffered(slot, true) || editDeviseDialog(this, slot) != 1)
        return;
    if (!bringDeviseIntoUse(*doc, slot))
        qWarning("Devise NULL (FenDeviseController NOUVEAU)");
    table1()->SMART_RELOAD();
    tableViewSelectionDidChange1();
}

void FenDeviseController::MODIFIER(QObject*)
{
    const long slot = selectedRow();
    DOCUMENT* doc = currentDocument();
    if (!doc || !deviseCommandsForRow(*doc, slot).canEdit)
        return;
    if (!isAssistantModal()) {
        long answer = 0;
        askPoursuivre(this, QStringLiteral("ASSIST031"), QString(), true, false, [&answer](long a) { answer = a; });
        if (answer == 0 || !stillOffered(slot, false))
            return;
    }
    editSelected(slot);
}

// The other windows went on while the assistant's question was up: the slot goes on to its editor
// only when this window is still open and the command still fits the slot.
bool FenDeviseController::stillOffered(long slot, bool nouveau) const
{
    const DOCUMENT* doc = currentDocument();
    if (isClosed() || !doc)
        return false;
    const DeviseCommands commands = deviseCommandsForRow(*doc, slot);
    return nouveau ? commands.canNew : commands.canEdit;
}

void FenDeviseController::editSelected(long slot)
{
    DOCUMENT* doc = currentDocument();
    const long decimales = doc ? Devise::deviseDecimalesAtIndex(doc->deviseHdl, slot) : 0;
    const long result = editDeviseDialog(this, slot);
    // Fewer decimals: a save would keep the amounts rounded to them, so the figures become those now.
    if ((result == 1 || result == 2) && doc && Devise::deviseDecimalesAtIndex(doc->deviseHdl, slot) < decimales)
        roundDocumentAsStored(doc);
    switch (result) {
    case 1:
        table1()->SMART_RELOAD();
        sendToAllWindowDelegates(Sel::didChangeDeviseConfiguration);
        break;
    case 2:
        makeMain(slot);
        break;
    default:
        break;
    }
}

// The rows are reloaded only once the slots have changed places, so the table never shows the
// slots as they were.
void FenDeviseController::makeMain(long slot)
{
    DOCUMENT* doc = currentDocument();
    int code = 0;
    Dialog::confirmation(this, Dialog::keyString(QStringLiteral("kConfirm_DevisePrincipale")),
                         Devise::deviseFullNameAtIndex(doc->deviseHdl, slot),
                         localizedDialogue(QStringLiteral("LIB_BUTTON_ANNULER")),
                         localizedDialogue(QStringLiteral("LIB_BUTTON_OK")), QString(), QStringLiteral("devise"), 1,
                         kAlertFirstButton, [&code](int c) { code = c; });
    // The editor stored what was typed before asking: the change of rates is told either way.
    if (code != 1001 || !makeDeviseSlotMain(slot, doc, true)) {
        table1()->SMART_RELOAD();
        sendToAllWindowDelegates(Sel::didChangeDeviseConfiguration);
        return;
    }
    setDevise(doc->docParam ? doc->docParam->defaultDevise : 0);
    table1()->reloadData();
    tableViewSelectionDidChange1();
    sendToAllWindowDelegates(Sel::newDevisePrincipale, QVariant::fromValue<qint64>(slot));
    sendToAllWindowDelegates(Sel::didChangeDeviseConfiguration);
}

void FenDeviseController::didUpdateDevise(const QVariant&, const QVariant&)
{
    if (table1())
        table1()->SMART_RELOAD();
}

void FenDeviseController::windowDidBecomeKey()
{
    StdWindowWithTableController::windowDidBecomeKey();
    if (table1())
        table1()->SMART_RELOAD();
}

void FenDeviseController::windowWillClose()
{
    if (m_assistantModal)
        UiHost::instance().modal().endModal(windowIfLoaded(), 1);
    StdWindowWithTableController::windowWillClose();
    if (openWindow() == this)
        openWindow() = nullptr;
}
