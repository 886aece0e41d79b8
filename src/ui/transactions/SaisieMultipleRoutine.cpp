#include "transactions/SaisieMultipleRoutine.h"

#include "transactions/FenEditSaisieMultipleController.h"

#include "toolkit/dialogs/Dialog.h"
#include "toolkit/tables/StdTableView.h"
#include "toolkit/windows/StdWindowWithTableController.h"

#include "engines/LISTING.h"
#include "model/ITransactionWindows.h"
#include "model/TOOL.h"

#include <QItemSelection>
#include <QPointer>

namespace {

long referenceOf(const StdWindowController* list, const DOCUMENT& doc)
{
    const long debitID = list ? list->getArg().debitID : -1;
    return getTool(kToolCompte, debitID, &doc) ? debitID : -1;
}

void selectChangedRows(StdWindowWithTableController& list, const LISTING* listing, long referenceID,
                       const DOCUMENT& doc)
{
    StdTableView* table = list.table1();
    if (!table)
        return;
    const std::set<int> rows = multipleRowsToSelect(listing, referenceID, doc);
    table->selectionModel()->select(table->rowSelection(rows),
                                    QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    if (!rows.empty() && *rows.rbegin() < table->numberOfRows())
        table->smartScrollRowToVisible(*rows.rbegin());
}

SaisieMultipleDataPtr makeMultipleData(StdWindowWithTableController* list, const LISTING* listing, const IndexSet& rows,
                                       DOCUMENT& doc)
{
    auto multiple = std::make_shared<SaisieMultipleData>();
    multiple->doc = &doc;
    multiple->referenceID = referenceOf(list, doc);
    if (listing)
        multiple->selection = checkMultipleTransact(*listing, rows, multiple->referenceID, doc);
    return multiple;
}

} // namespace

int openSaisieMultiple(StdWindowWithTableController* list, const std::unique_ptr<LISTING>& listing,
                       const IndexSet& rows, DOCUMENT& doc)
{
    const QPointer<StdWindowWithTableController> listAlive(list);
    const SaisieMultipleDataPtr multiple = makeMultipleData(list, listing.get(), rows, doc);
    const SaisieMultipleSelection& selection = multiple->selection;
    if (!selection.refusal.isEmpty()) {
        showAlertOK(list, Dialog::keyString(selection.refusal), QString(), QStringLiteral("crayon"), 0);
        return kSaisieCancel;
    }
    if (selection.positions.empty())
        return kSaisieCancel;
    const long slot = MONTANT::currentDeviseSlot();
    SaisieMultipleCommon common = commonMultipleValues(selection.positions, slot, doc);
    multiple->entries = std::move(common.entries);
    multiple->doublonMark = common.doublonMark;

    // The window shows a default transaction of the document for its currency only.
    auto saisie = std::make_shared<SaisieData>();
    saisie->rec = TRANSACT::allocNewTransact(&doc);
    saisie->oldTransHdl = saisie->rec;
    saisie->multiple = true;
    const long status = StdWindowController::pushModal<FenEditSaisieMultipleController>(
        nullptr, FenEditSaisieMultipleController::multipleWindowData(saisie, multiple), slot);
    if (status != kSaisieOK)
        return kSaisieCancel;
    applyMultipleTransact(selection.positions, multiple->entries, doc);
    if (listAlive)
        selectChangedRows(*listAlive, listing.get(), multiple->referenceID, doc);
    return kSaisieOK;
}
