#include "transactions/FenListingEmpruntController.h"

#include "transactions/StdViewPiedListingFinance.h"

#include "toolkit/fields/textfieldx.h"

#include "document/DocContext.h"
#include "document/SimulationFile.h"
#include "foundation/localized.h"
#include "model/DOCUMENT.h"
#include "model/FinanceCompute.h"

#include <QBoxLayout>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>

namespace {

FenListingEmpruntController::SimulationOpener& simulationOpener()
{
    static FenListingEmpruntController::SimulationOpener opener;
    return opener;
}

} // namespace

FenListingEmpruntController::FenListingEmpruntController()
    : FenListingController(TransExtraKind::Emprunt)
{
}

void FenListingEmpruntController::setSimulationOpener(SimulationOpener opener)
{
    simulationOpener() = std::move(opener);
}

void FenListingEmpruntController::buildInterface(StdWindow& window)
{
    FenListingController::buildInterface(window);
    auto* button = new QPushButton(localizedAppl(QStringLiteral("FenListing_simulation")), &window);
    button->setObjectName(QStringLiteral("_button_simulation"));
    button->setAutoDefault(false);
    button->setFocusPolicy(Qt::NoFocus);
    connectAction(button, QStringLiteral("SIMULATION:"));
    m_buttonSimulation = button;
    if (auto* column = qobject_cast<QBoxLayout*>(window.layout()))
        if (auto* toolbar = qobject_cast<QBoxLayout*>(column->itemAt(0)->layout()))
            toolbar->insertWidget(toolbar->count() - 2, button);
}

QWidget* FenListingEmpruntController::makeViewPied(QWidget* parent)
{
    return new StdViewPiedListingEmprunt(parent);
}

void FenListingEmpruntController::didAwakeFromNib()
{
    FenListingController::didAwakeFromNib();
    activateSimulationButton();
}

const FINANCE* FenListingEmpruntController::emprunt() const
{
    long index = 0;
    if (!document() || !findEmpruntWithIdent(getArg().empruntID, &index, document()))
        return nullptr;
    return FINANCE::financeAtIndex(&document()->empruntHdl, index);
}

QString FenListingEmpruntController::findSimulationName(long* index) const
{
    *index = -1;
    const FINANCE* loan = emprunt();
    long found = -1;
    if (!loan || !findSimulationNamed(loan->nom, &found))
        return QString();
    QString name = QFileInfo(DocContext::instance().simulationList.value(found)).completeBaseName();
    if (name != loan->nom)
        return QString();
    *index = found;
    return name;
}

void FenListingEmpruntController::activateSimulationButton()
{
    long index = -1;
    if (m_buttonSimulation)
        m_buttonSimulation->setEnabled(simulationOpener() && !findSimulationName(&index).isEmpty());
}

void FenListingEmpruntController::SIMULATION(QObject*)
{
    long index = -1;
    if (simulationOpener() && !findSimulationName(&index).isEmpty())
        simulationOpener()(index);
}

void FenListingEmpruntController::COMPUTE_TOTAUX()
{
    const FINANCE* loan = emprunt();
    if (!loan)
        return;
    TOTAUX& totaux = MyTotaux();
    totaux.defaultTotaux(nullptr);
    const DOCUMENT* doc = document();
    forEachCountedTransact(
        [&](const TRANSACT& transact) { addTransactToEmpruntTotaux(transact, totaux, doc, loan->pret); });
    finishEmpruntTotaux(totaux);
    PRINT_PIED();
}

void FenListingEmpruntController::PRINT_PIED()
{
    printNbOperations();
    paintEtatEmpruntPied(MyTotaux());
}

void FenListingEmpruntController::paintEtatEmpruntPied(const TOTAUX& totaux)
{
    auto* pied = qobject_cast<StdViewPiedListingEmprunt*>(view_pied());
    const FINANCE* loan = emprunt();
    if (!pied || !loan)
        return;
    pied->showTotals(totaux, [this](const MONTANT& amount) { return amountText(amount, false); });
    MONTANT reste;
    empruntTotalInverted(*loan, &reste);
    pied->getFieldEtatCapital()->setText(
        localizedMisc(QStringLiteral("kMisc_EmpruntCapital"))
            .arg(amountText(totaux.total1, false), amountText(totaux.total2, false), amountText(reste, true)));
    pied->getFieldEtatInterets()->setText(amountText(totaux.total3, true));
    pied->getFieldEtatCouts()->setText(amountText(totaux.total4, true));
    MONTANT solde;
    MONTANT::addMontant(totaux.total2, totaux.total5, solde);
    pied->getFieldEtatSolde()->setText(amountText(solde, true));
}

FenListingEmpruntController* openListingEmprunt(DOCUMENT& doc, long empruntID, long devise, bool show)
{
    TransListOpening opening;
    opening.empruntID = empruntID;
    if (auto* open = qobject_cast<FenListingEmpruntController*>(
            listingdetail::reuseListing(FenListingEmpruntController::staticMetaObject, opening, show)))
        return open;
    long index = 0;
    if (!findEmpruntWithIdent(empruntID, &index, &doc))
        return nullptr;
    const FINANCE* emprunt = FINANCE::financeAtIndex(&doc.empruntHdl, index);
    opening.critere = Critere::makeEmpruntCritere(empruntID, &doc);
    opening.listing = searchListing(opening.critere, doc, devise);
    opening.title = QStringLiteral("%1 %2").arg(localizedMisc(QStringLiteral("kMisc_EtatFinancier")), emprunt->nom);
    opening.mode = 4;
    opening.doc = &doc;
    opening.devise = devise;
    return openEntityListing<FenListingEmpruntController>(std::move(opening), show);
}
