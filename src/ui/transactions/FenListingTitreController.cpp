#include "transactions/FenListingTitreController.h"

#include "transactions/StdViewPiedListingFinance.h"

#include "foundation/localized.h"
#include "foundation/numbers.h"
#include "model/DOCUMENT.h"
#include "model/FinanceCompute.h"

#include <QLabel>

#include <cmath>

FenListingTitreController::FenListingTitreController()
    : FenListingController(TransExtraKind::Titre)
{
}

QWidget* FenListingTitreController::makeViewPied(QWidget* parent)
{
    return new StdViewPiedListingTitre(parent);
}

void FenListingTitreController::COMPUTE_TOTAUX()
{
    TOTAUX& totaux = MyTotaux();
    totaux.defaultTotaux(nullptr);
    const DOCUMENT* doc = document();
    forEachCountedTransact([&](const TRANSACT& transact) { addTransactToTitreTotaux(transact, totaux, doc); });
    finishTitreTotaux(totaux, getArg().titreID, doc);
    PRINT_PIED();
}

void FenListingTitreController::PRINT_PIED()
{
    printNbOperations();
    paintEtatTitrePied(MyTotaux());
}

QString nombreTitresText(double nTitre)
{
    if (std::round(nTitre * 100.0) == 0.0)
        return QStringLiteral("-");
    return doubleToStringTrimmed(6, u',', nTitre);
}

void FenListingTitreController::paintEtatTitrePied(const TOTAUX& totaux)
{
    auto* pied = qobject_cast<StdViewPiedListingTitre*>(view_pied());
    if (!pied)
        return;
    pied->getFieldTotalAchat()->setText(amountText(totaux.total1, false));
    pied->getFieldTotalVente()->setText(amountText(totaux.total2, false));
    pied->getFieldTotalTitres()->setText(nombreTitresText(totaux.nTitre));
    pied->getFieldTotalInterets()->setText(amountText(totaux.total3, false));
    pied->getFieldTotalCouts()->setText(amountText(totaux.total4, false));
    pied->getFieldEtatLiquidites()->setText(amountText(totaux.total5, true));
    pied->getFieldEtatValeur()->setText(amountText(totaux.total6, true));
    pied->getFieldEtatPlusvalue()->setText(amountText(totaux.total7, true));
}

FenListingTitreController* openListingTitre(DOCUMENT& doc, long titreID, long devise, bool show)
{
    TransListOpening opening;
    opening.titreID = titreID;
    if (auto* open = qobject_cast<FenListingTitreController*>(
            listingdetail::reuseListing(FenListingTitreController::staticMetaObject, opening, show)))
        return open;
    long index = 0;
    if (!findTitreWithIdent(titreID, &index, &doc))
        return nullptr;
    const FINANCE* titre = FINANCE::financeAtIndex(&doc.titreHdl, index);
    opening.critere = Critere::makeTitreCritere(titreID, &doc);
    opening.listing = searchListing(opening.critere, doc, devise);
    opening.title = QStringLiteral("%1 %2").arg(localizedMisc(QStringLiteral("kMisc_EtatFinancier")), titre->nom);
    opening.mode = 6;
    opening.doc = &doc;
    opening.devise = devise;
    return openEntityListing<FenListingTitreController>(std::move(opening), show);
}
