#include "transactions/FenListingRemunereController.h"

#include "transactions/StdViewPiedListingFinance.h"

#include "toolkit/fields/textfieldx.h"

#include "foundation/localized.h"
#include "model/DOCUMENT.h"
#include "model/FinanceCompute.h"

#include <QLabel>

FenListingRemunereController::FenListingRemunereController()
    : FenListingController(TransExtraKind::Remunere)
{
}

QWidget* FenListingRemunereController::makeViewPied(QWidget* parent)
{
    return new StdViewPiedListingRemunere(parent);
}

// Debits and credits are taken against the item's account (the opener gives it as the list's
// account; a window reopened from memory may not).
void FenListingRemunereController::didAwakeFromNib()
{
    FenListingController::didAwakeFromNib();
    long index = 0;
    if (!document() || !findRemunereWithIdent(getArg().remunereID, &index, document()))
        return;
    const long compteID = FINANCE::financeAtIndex(&document()->remunereHdl, index)->compteID;
    if (getArg().debitID == compteID)
        return;
    getArg().debitID = compteID;
    computeCumuls();
    COMPUTE_TOTAUX();
}

void FenListingRemunereController::COMPUTE_TOTAUX()
{
    TOTAUX& totaux = MyTotaux();
    totaux.defaultTotaux(nullptr);
    const DOCUMENT* doc = document();
    forEachCountedTransact([&](const TRANSACT& transact) { addTransactToRemunereTotaux(transact, totaux, doc); });
    finishRemunereTotaux(totaux);
    PRINT_PIED();
}

void FenListingRemunereController::PRINT_PIED()
{
    printNbOperations();
    paintEtatRemunerePied(MyTotaux());
}

void FenListingRemunereController::paintEtatRemunerePied(const TOTAUX& totaux)
{
    auto* pied = qobject_cast<StdViewPiedListingRemunere*>(view_pied());
    if (!pied)
        return;
    pied->showTotals(totaux, [this](const MONTANT& amount) { return amountText(amount, false); });
    pied->getFieldEtatCapital()->setText(amountText(totaux.total5, true));
    pied->getFieldEtatInterets()->setText(amountText(totaux.total3, true));
    pied->getFieldEtatCouts()->setText(amountText(totaux.total4, true));
    pied->getFieldEtatSolde()->setText(amountText(totaux.total6, true));
}

FenListingRemunereController* openListingRemunere(DOCUMENT& doc, long remunereID, long devise, bool show)
{
    long index = 0;
    if (!findRemunereWithIdent(remunereID, &index, &doc))
        return nullptr;
    const FINANCE* remunere = FINANCE::financeAtIndex(&doc.remunereHdl, index);
    TransListOpening opening;
    opening.debitID = remunere->compteID;
    opening.remunereID = remunereID;
    if (auto* open = qobject_cast<FenListingRemunereController*>(
            listingdetail::reuseListing(FenListingRemunereController::staticMetaObject, opening, show)))
        return open;
    opening.critere = Critere::makeRemunereCritere(remunereID, &doc);
    opening.listing = searchListing(opening.critere, doc, devise);
    opening.title = QStringLiteral("%1 %2").arg(localizedMisc(QStringLiteral("kMisc_EtatFinancier")), remunere->nom);
    opening.mode = 5;
    opening.doc = &doc;
    opening.devise = devise;
    return openEntityListing<FenListingRemunereController>(std::move(opening), show);
}
