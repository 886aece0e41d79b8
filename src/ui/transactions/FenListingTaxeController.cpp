#include "transactions/FenListingTaxeController.h"

#include "transactions/StdViewPiedListingFinance.h"

#include "foundation/SystemClock.h"
#include "foundation/dates.h"
#include "foundation/localized.h"
#include "model/DOCUMENT.h"
#include "model/TAXE.h"

#include <QLabel>

#include <cmath>

FenListingTaxeController::FenListingTaxeController()
    : FenListingController(TransExtraKind::Taxe)
{
}

QWidget* FenListingTaxeController::makeViewPied(QWidget* parent)
{
    return new StdViewPiedListingTaxe(parent);
}

void FenListingTaxeController::COMPUTE_TOTAUX()
{
    TOTAUX& totaux = MyTotaux();
    totaux.defaultTotaux(nullptr);
    const DOCUMENT* doc = document();
    const long compteID = getArg().debitID;
    forEachCountedTransact([&](const TRANSACT& transact) {
        bool debit = false;
        bool credit = false;
        transact.checkDebitCredit(compteID, &debit, &credit, doc);
        TAXE::computeTotauxLTaxe(debit, credit, transact.taxe, transact.solde, totaux);
    });
    PRINT_PIED();
}

void FenListingTaxeController::PRINT_PIED()
{
    printNbOperations();
    paintEtatTaxePied(MyTotaux());
}

void FenListingTaxeController::paintEtatTaxePied(const TOTAUX& totaux)
{
    auto* pied = qobject_cast<StdViewPiedListingTaxe*>(view_pied());
    if (!pied)
        return;
    MONTANT amount;
    MONTANT::addMontant(totaux.total1, totaux.total2, amount);
    pied->getFieldTotalTTCDeb()->setText(amountText(amount, false));
    MONTANT::addMontant(totaux.total3, totaux.total4, amount);
    pied->getFieldTotalTTCCre()->setText(amountText(amount, false));
    pied->getFieldTotalHTDeb()->setText(amountText(totaux.total2, false));
    pied->getFieldTotalHTCre()->setText(amountText(totaux.total3, false));
    pied->getFieldTotalTXDeb()->setText(amountText(totaux.total1, false));
    pied->getFieldTotalTXCre()->setText(amountText(totaux.total4, false));
    pied->getFieldEtatTVARecuperable()->setText(amountText(totaux.total1, true));
    pied->getFieldEtatTVACollectee()->setText(amountText(totaux.total4, true));
    MONTANT::subMontant(totaux.total4, totaux.total1, amount);
    pied->getFieldEtatTVASolde()->setText(amountText(amount, true));
}

FenListingTaxeController* openListingTaxe(DOCUMENT& doc, const DECLARATION& declaration, long devise, bool show)
{
    ListingWithCritere request;
    request.critere = Critere::makeTaxeCritere(static_cast<long long>(std::floor(declaration.date1)),
                                               static_cast<long long>(std::floor(declaration.date2)),
                                               long(declaration.taxeID), &doc);
    request.listing = searchListing(request.critere, doc, devise);
    long index = 0;
    const TAXE* taxe = TAXE::findTaxe(long(declaration.taxeID), &index, doc.taxeHdl)
        ? TAXE::taxeAtIndex(doc.taxeHdl, index)
        : nullptr;
    request.title = taxe ? QStringLiteral("%1 %2").arg(localizedMisc(QStringLiteral("kMisc_Declaration")), taxe->nom)
                         : localizedMisc(QStringLiteral("kMisc_PasDeTaxe"));
    request.mode = 3;
    request.animate = false;
    request.devise = devise;
    FenListingTaxeController* controller = openListingWithCritere<FenListingTaxeController>(std::move(request), doc);
    if (controller && show)
        listingdetail::bringToFront(controller);
    return controller;
}

FenListingTaxeController* openListingDeclaration(DOCUMENT& doc, StdWindowController* parent, long taxeID, long devise,
                                                 bool show, const AskDeclaration& askDeclaration)
{
    DECLARATION declaration;
    declaration.taxeID = taxeID;
    long day = 0;
    long month = 0;
    long year = 0;
    declaration.date2 = SystemClock::now();
    dateToDMY(&day, &month, &year, declaration.date2);
    dmyToDate(1, 1, year, &declaration.date1);
    if (!askDeclaration || !askDeclaration(parent, declaration))
        return nullptr;
    return openListingTaxe(doc, declaration, devise, show);
}
