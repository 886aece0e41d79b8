// The banks-and-accounts window's commands that go through the editors: creating and editing
// banks and accounts, an account's initial balance and its cheque books and cards.
#include "entities/FenBanqueController.h"
#include "entities/FenEditBanqueController.h"
#include "entities/FenEditCompteController.h"
#include "entities/FenEditSoldeInitialController.h"
#include "entities/FenVarianteController.h"
#include "toolkit/popups/PopCategorie.h"
#include "toolkit/tables/StdTableView.h"

#include "foundation/broadcast.h"
#include "foundation/selectors.h"
#include "model/DOCUMENT.h"
#include "model/TOOL.h"

namespace {

QVariant identArg(long ident)
{
    return QVariant::fromValue<qlonglong>(ident);
}

} // namespace

void FenBanqueController::CATEGORIED(QObject* sender)
{
    pickers().CATEGORIED(sender);
    const int bType = int(StdMenu::tagOf(sender));
    m_popCategorieD->setSelectedTag(-1);
    creer_banque(bType);
}

bool FenBanqueController::creer_banque(int bType)
{
    long index = -1;
    if (!createBanqueWithDialog(this, bType, &index, *doc()))
        return true;
    selectBanqueID(banqueIndexToID(index, doc()));
    INVAL_PIED();
    return true;
}

void FenBanqueController::CREERC(QObject*)
{
    const TOOL* banque = TOOL::getTool(kToolBanque, selectedBanqueID(), doc());
    if (banque)
        creer_compte(banque->ident, banque->bType);
}

bool FenBanqueController::creer_compte(long banqueID, int bType)
{
    long compteID = -1;
    if (!createCompteWithDialog(this, banqueID, bType, &compteID, *doc()))
        return true;
    table2()->reloadData();
    selectComptesInArray({compteID});
    INVAL_PIED();
    sendToAllWindowDelegates(Sel::compteHasBeenCreated, identArg(compteID));
    return true;
}

void FenBanqueController::VOIRB(QObject*)
{
    TOOL* banque = TOOL::getTool(kToolBanque, selectedBanqueID(), doc());
    if (!banque) {
        beep();
        return;
    }
    const long ident = banque->ident;
    if (editBanqueDialog(this, *banque, *doc()) != 1) {
        table1()->SMART_RELOAD(); // its logo is kept even on Cancel
        return;
    }
    // A new name may move the bank: it goes back in at its place, with its accounts.
    unInsertDeal(kToolBanque, ident, -1, doc(), true);
    insertDeal(kToolBanque, *banque, nullptr, doc(), true);
    selectBanqueID(ident);
    INVAL_PIED();
    sendToAllWindowDelegates(Sel::banqueHasBeenEdited, identArg(ident));
}

void FenBanqueController::VOIRC(QObject*)
{
    TOOL* compte = TOOL::getTool(kToolCompte, singleSelectedCompteID(), doc());
    if (!compte) {
        beep();
        return;
    }
    const long ident = compte->ident;
    const long oldBanque = compte->ownerID;
    if (editCompteDialog(this, *compte, *doc()) != 1) {
        table2()->SMART_RELOAD();
        return;
    }
    unInsertDeal(kToolCompte, ident, oldBanque, doc(), false);
    insertDeal(kToolCompte, *compte, nullptr, doc(), false);
    if (compte->ownerID != oldBanque) {
        TOOL::computeBanqueSolde(oldBanque, doc());
        TOOL::computeBanqueSolde(compte->ownerID, doc());
        selectBanqueID(compte->ownerID);
    }
    table2()->reloadData();
    selectComptesInArray({ident});
    INVAL_PIED();
    sendToAllWindowDelegates(Sel::compteHasBeenEdited, identArg(ident));
}

void FenBanqueController::SOLDE_INITIAL(QObject*)
{
    const long compteID = singleSelectedCompteID();
    if (compteID < 0) {
        beep();
        return;
    }
    if (!askSoldeInitial(this, compteID, *doc()))
        return;
    m_canInit = false;
    table1()->SMART_RELOAD();
    table2()->SMART_RELOAD();
    INVAL_PIED();
    updateButtons();
}

void FenBanqueController::CHEQUIER(QObject*)
{
    const long compteID = singleSelectedCompteID();
    if (compteID >= 0)
        editVariantesOfCompte(this, compteID, true, *doc());
}
