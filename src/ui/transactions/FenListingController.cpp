#include "transactions/FenListingController.h"

#include "toolkit/tables/CellTransact.h"
#include "transactions/StdViewPiedReleve.h"
#include "transactions/TemplateListing.h"

#include "toolkit/windows/windowutils.h"

#include "document/APPLIPARAM.h"
#include "engines/SearchEngine.h"
#include "foundation/SystemClock.h"
#include "foundation/broadcast.h"
#include "foundation/dates.h"
#include "foundation/localized.h"
#include "foundation/selectors.h"
#include "model/DOCUMENT.h"
#include "model/TOOL.h"

#include <QLabel>

#include <set>

FenListingController::FenListingController()
    : FenListingController(TransExtraKind::Cumul)
{
}

FenListingController::FenListingController(TransExtraKind extraKind)
    : FenTransListController(extraKind)
{
}

void FenListingController::buildInterface(StdWindow& window)
{
    FenTransListController::buildInterface(window);
    window.setObjectName(nibName());
}

TemplateTransList* FenListingController::makeRowTemplate()
{
    return new TemplateListing(templateNibName1(), cell().extraKind(),
                               [this](QWidget* parent) { return makeViewPied(parent); });
}

QWidget* FenListingController::makeViewPied(QWidget* parent)
{
    return new StdViewPiedListing(parent);
}

void FenListingController::didAwakeFromNib()
{
    FenTransListController::didAwakeFromNib();
}

void FenListingController::windowWillClose()
{
    FenTransListController::windowWillClose();
    sendToAllWindowDelegates(Sel::listingWillClose, QVariant::fromValue<QObject*>(this), QVariant());
}

QColor FenListingController::getPatColor1(int row)
{
    const QColor color = listingColor();
    return color.isValid() ? color : FenTransListController::getPatColor1(row);
}

// ---------------------------------------------------------------------------------------------
// Totals and footer

void FenListingController::COMPUTE_TOTAUX()
{
    MONTANT report;
    GET_REPORT(report);
    TOTAUX& totaux = MyTotaux();
    totaux.defaultTotaux(&report);
    const LISTING* list = listing();
    const long count = listingCount(list);
    for (long row = 0; row < count && document(); ++row) {
        const TRANSACT* transact = listingTransactAtIndex(list, row, static_cast<const DOCUMENT*>(document()));
        const ListingLine line = listingLineMontant(list, row, transact);
        if (!line.counts || !transact)
            continue;
        TOOL::computeTotauxLReleve({transact, &line.amount, &report}, totaux, getArg().debitID, getArg().BDebitID,
                                   document());
    }
    PRINT_PIED();
}

void FenListingController::PRINT_PIED()
{
    printNbOperations();
    paintTransRelevePied1(MyTotaux());
}

void FenListingController::paintTransRelevePied1(const TOTAUX& totaux)
{
    auto* pied = qobject_cast<StdViewPiedReleve*>(view_pied());
    if (!pied || !document())
        return;
    const DeviseList* devises = &document()->deviseHdl;
    const auto show = [&](QLabel* field, const MONTANT& amount) {
        field->setText(montantToStringForDevise(amount, devise(), devises, false));
    };
    MONTANT amount;
    show(pied->getFieldReleveDebit(), totaux.total2);
    show(pied->getFieldReleveCredit(), totaux.total5);
    MONTANT::subMontant(totaux.total5, totaux.total2, amount);
    show(pied->getFieldReleveBenefice(), amount);
    show(pied->getFieldReleveReport(), report());
    MONTANT::subMontant(totaux.total4, totaux.total1, amount);
    show(pied->getFieldReleveBilan(), amount);
}

void FenListingController::forEachCountedTransact(const std::function<void(const TRANSACT&)>& block) const
{
    const LISTING* list = listing();
    const auto* doc = static_cast<const DOCUMENT*>(document());
    std::set<long> seen;
    for (long row = 0; row < listingCount(list) && doc; ++row) {
        StorageKind kind = StorageKind::Transact;
        const TRANSACT* transact = listingTransactAtIndex(list, row, doc, &kind);
        if (!transact || !listingLineMontant(list, row, transact).counts)
            continue;
        // Occurrences are copies without a position of their own: each row is one.
        if (kind != StorageKind::Transact || seen.insert(listingPosAtIndex(list, row)->storageIndex).second)
            block(*transact);
    }
}

QString FenListingController::amountText(const MONTANT& amount, bool showUnit) const
{
    return document() ? montantToStringForDevise(amount, devise(), &document()->deviseHdl, showUnit) : QString();
}

// ---------------------------------------------------------------------------------------------
// Broadcasts

void FenListingController::notifyNewDay(const QVariant& previousStart, const QVariant&)
{
    if (!listing())
        return;
    Critere* critere = mutableListCrit();
    if (critere && critere->critereDate == CritereCompare::BelowOrEqual
        && sameDay(critere->date1, previousStart.toDouble())) {
        critere->date1 = SystemClock::now();
        const QList<RowKey> kept = selectedRowKeys();
        recomputeListing(true);
        COMPUTE_TOTAUX();
        reloadKeeping(kept);
        return;
    }
    COMPUTE_TOTAUX();
    if (StdTableView* table = table1())
        table->SMART_RELOAD();
}

void FenListingController::notifyDidSynchonize(const QVariant&, const QVariant&)
{
    if (StdTableView* table = table1())
        table->SMART_RELOAD();
    INVAL_PIED();
}

// ---------------------------------------------------------------------------------------------
// Openers

std::unique_ptr<LISTING> searchListing(const Critere& critere, const DOCUMENT& doc, long devise)
{
    SearchRequest request;
    request.critere = &critere;
    request.doc = &doc;
    request.sort = ListingSort::Defaut;
    const auto defaultSort = static_cast<ListingSort>(APPLIPARAM::loadAppliParam().defaultSort);
    request.defaultSort = defaultSort == ListingSort::Defaut ? ListingSort::Date2 : defaultSort;
    request.devise = devise;
    request.doCumuls = true;
    return searchWithCritere(request);
}

namespace listingdetail {

FenListingController* reuseListing(const QMetaObject& listingClass, const TransListOpening& opening, bool show)
{
    auto* open = qobject_cast<FenListingController*>(
        findOpenWindowController(listingClass, opening.debitID, opening.dossierID, opening.posteID, opening.moyenID,
                                 opening.chronoID, opening.titreID, opening.remunereID, opening.empruntID, true));
    if (open && show)
        bringToFront(open);
    return open;
}

QString titleOrCount(const QString& title, const LISTING* listing)
{
    if (!title.isEmpty())
        return title;
    return FenTransListController::countTitle(listingCount(listing));
}

void appearAnimated(FenListingController* controller)
{
    controller->appearWindowAnimated(false, {});
}

void bringToFront(FenListingController* controller)
{
    showWindowOfController(controller->window());
}

} // namespace listingdetail
