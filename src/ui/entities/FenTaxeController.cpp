#include "entities/FenTaxeController.h"

#include "entities/AskedRecord.h"
#include "entities/FenAskSubstTaxeController.h"
#include "entities/FenEditTaxeController.h"
#include "toolkit/dialogs/Dialog.h"
#include "toolkit/tables/StdTableView.h"
#include "toolkit/windows/IWindowDoors.h"
#include "toolkit/windows/listlayout.h"

#include "document/DocContext.h"
#include "foundation/localized.h"
#include "model/DOCUMENT.h"
#include "model/TAXE.h"

#include <QHBoxLayout>
#include <QPointer>

#include <algorithm>

namespace {

QPointer<FenTaxeController>& openWindow()
{
    static QPointer<FenTaxeController> window;
    return window;
}

long taxeCount()
{
    const DOCUMENT* doc = currentDocument();
    return doc ? long(doc->taxeHdl.size()) : 0;
}

} // namespace

bool supprimerTaxe(DOCUMENT& doc, long ident, long replacement)
{
    long index = 0;
    if (!TAXE::findTaxe(ident, &index, doc.taxeHdl) || replacement == ident
        || (replacement >= 0 && !TAXE::findTaxe(replacement, nullptr, doc.taxeHdl)))
        return false;
    TAXE::changeTaxeInDocument(ident, replacement, doc);
    TAXE::unInsertTaxe(index, doc.taxeHdl);
    return true;
}

FenTaxeController* FenTaxeController::current()
{
    return stillOpen(openWindow().data());
}

FenTaxeController* FenTaxeController::openTaxes(long devise, bool appear)
{
    if (FenTaxeController* open = current()) {
        if (appear)
            open->orderFront();
        return open;
    }
    openWindow() = StdWindowController::push<FenTaxeController>(nullptr, devise, appear);
    return openWindow();
}

void FenTaxeController::buildInterface(StdWindow& window)
{
    window.setObjectName(QStringLiteral("FenTaxe"));
    window.setWindowTitle(localizedAppl(QStringLiteral("FenTaxe_titre")));
    StdTableView* table = makeListTable(window, CellTaxe::kHeight, 360, 6);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    addCommandButtons(*this, window, *buttons,
                      {{"FenTaxe_declaration", "DECLARATION:"},
                       {"FenTaxe_supprimer", "SUPPRIMER:"},
                       {"FenTaxe_modifier", "MODIFIER:"},
                       {"FenTaxe_nouveau", "NOUVEAU:"}});
    layOutList(window, table, buttons);
}

int FenTaxeController::numberOfRowsInTableView1(StdTableView*)
{
    return int(taxeCount());
}

StdCell* FenTaxeController::viewForTableColumn1(StdTableView*, int row)
{
    const DOCUMENT* doc = currentDocument();
    const TAXE* taxe = doc ? TAXE::taxeAtIndex(doc->taxeHdl, row) : nullptr;
    if (!taxe)
        return nullptr;
    m_cell.fill(taxe->nom, taxe->rate);
    return &m_cell;
}

QColor FenTaxeController::getPatColor1(int)
{
    return QColor::fromRgbF(0.8509804f, 0.9019608f, 0.9764706f, 1.0f);
}

long FenTaxeController::selectedTaxe() const
{
    const IndexSet rows = table1() ? table1()->selectedRowIndexes() : IndexSet();
    if (rows.size() != 1)
        return -1;
    const long row = long(*rows.begin());
    return row < taxeCount() ? row : -1;
}

bool FenTaxeController::canDeleteSomething() const
{
    return selectedTaxe() >= 0;
}

bool FenTaxeController::delete_(QObject* sender)
{
    const long before = taxeCount();
    SUPPRIMER(sender);
    return taxeCount() != before;
}

void FenTaxeController::didDoubleClick1(QObject* sender)
{
    MODIFIER(sender);
}

void FenTaxeController::reloadAndSelect(long row)
{
    table1()->reloadData();
    adjustHeight(false);
    table1()->GO(int(row));
}

void FenTaxeController::NOUVEAU(QObject*)
{
    DOCUMENT* doc = currentDocument();
    if (!doc)
        return;
    TAXE taxe = TAXE::allocNewTaxe(doc->taxeHdl);
    if (!editTaxeModal(this, taxe))
        return;
    reloadAndSelect(TAXE::insertTaxe(taxe, doc->taxeHdl));
}

void FenTaxeController::MODIFIER(QObject*)
{
    DOCUMENT* doc = currentDocument();
    const long row = selectedTaxe();
    if (!doc || row < 0)
        return;
    const TAXE asked = doc->taxeHdl.at(row);
    TAXE copy = asked.copyOfTaxe();
    if (!editTaxeModal(this, copy))
        return;
    const qsizetype index = askedRecordIndex(doc->taxeHdl, asked);
    if (index < 0)
        return;
    TAXE::unInsertTaxe(index, doc->taxeHdl);
    reloadAndSelect(TAXE::insertTaxe(copy, doc->taxeHdl));
}

// Both questions leave the other windows usable: the tax is the one asked about, found again by its
// ident after each answer, and a closed window asks nothing more.
void FenTaxeController::SUPPRIMER(QObject*)
{
    DOCUMENT* doc = currentDocument();
    const long row = selectedTaxe();
    if (!doc || row < 0)
        return;
    const TAXE asked = doc->taxeHdl.at(row);
    int code = 0;
    Dialog::confirmation(this, Dialog::keyString(QStringLiteral("kConfirm_SuppTaxe")), QString(),
                         localizedDialogue(QStringLiteral("LIB_BUTTON_ANNULER")),
                         localizedDialogue(QStringLiteral("LIB_BUTTON_OK")), QString(), QStringLiteral("taxe"), 1,
                         kAlertFirstButton, [&code](int c) { code = c; });
    long replacement = -1;
    if (code != 1001 || isClosed() || askedRecordIndex(doc->taxeHdl, asked) < 0
        || !askSubstTaxe(this, asked.ident, &replacement))
        return;
    const qsizetype index = askedRecordIndex(doc->taxeHdl, asked);
    const long count = long(doc->taxeHdl.size());
    if (index < 0 || !supprimerTaxe(*doc, asked.ident, replacement))
        return;
    table1()->reloadData();
    table1()->GO(int(std::min(long(index), count - 2)));
}

void FenTaxeController::DECLARATION(QObject*)
{
    DOCUMENT* doc = currentDocument();
    const long row = selectedTaxe();
    IWindowDoors* doors = windowDoors();
    if (!doors || !doc || row < 0)
        return;
    doors->openListingDeclaration(this, *doc, doc->taxeHdl.at(row).ident, devise(), true);
}

void FenTaxeController::windowWillClose()
{
    StdWindowWithTableController::windowWillClose();
    if (openWindow() == this)
        openWindow() = nullptr;
}
