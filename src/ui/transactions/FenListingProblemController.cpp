#include "transactions/FenListingProblemController.h"

#include "toolkit/dialogs/FenAskPoursuivreController.h"

#include "foundation/broadcast.h"
#include "foundation/localized.h"
#include "foundation/selectors.h"
#include "model/DOCUMENT.h"
#include "model/ReleveCompute.h"

#include <QBoxLayout>
#include <QPushButton>

void FenListingProblemController::buildInterface(StdWindow& window)
{
    FenListingController::buildInterface(window);
    auto* item = new QPushButton(localizedAppl(QStringLiteral("FenListing_depointer")), &window);
    item->setObjectName(QStringLiteral("itemDepointer"));
    item->setAutoDefault(false);
    item->setFocusPolicy(Qt::NoFocus);
    item->setEnabled(false);
    connectAction(item, QStringLiteral("HARD_DEPOINTER:"));
    // At the head of the toolbar, the first line of the window.
    if (auto* column = qobject_cast<QBoxLayout*>(window.layout()))
        if (auto* toolbar = qobject_cast<QBoxLayout*>(column->itemAt(0)->layout()))
            toolbar->insertWidget(0, item);
}

void FenListingProblemController::tableViewSelectionDidChange1()
{
    FenListingController::tableViewSelectionDidChange1();
    setCanDepointerTrans(hasSelection1());
    if (QAbstractButton* item = itemDepointer())
        item->setEnabled(canDepointerTrans());
}

void FenListingProblemController::HARD_DEPOINTER()
{
    StdTableView* table = table1();
    if (!table || !document())
        return;
    long answer = 0;
    askPoursuivre(this, QStringLiteral("ASSISTDepointer"), QString(), true, true, [&](long a) { answer = a; });
    if (answer == 0)
        return;
    // Every line of a split transaction shows the same transaction: mark it once.
    for (const int row : table->selectedRowIndexes()) {
        long first = row;
        listingTransactLineRange(listing(), row, &first, nullptr);
        StorageKind kind = StorageKind::Transact;
        TRANSACT* transact = listingTransactAtIndex(listing(), first, document(), &kind);
        if (transact && kind == StorageKind::Transact) {
            transact->releveID1 = -1;
            transact->releveID2 = -1;
        }
    }
    table->GO(-1);
    recomputeAllReleves(document(), QStringLiteral("kMessage_ComputeVerify3"));
    sendToAllWindowDelegates(Sel::notifyHardDepointer);
}

FenListingProblemController* openListingProblem(DOCUMENT& doc, std::unique_ptr<LISTING> listing, long devise)
{
    ListingWithCritere request;
    request.critere = Critere::makeProblemCritere(&doc);
    request.listing = std::move(listing);
    request.title = localizedAppl(QStringLiteral("TITLE_PROBLEM"));
    request.mode = 1;
    request.animate = true;
    request.devise = devise;
    return openListingWithCritere<FenListingProblemController>(std::move(request), doc);
}
