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

// The editors work on a copy: the other windows go on while they are up, and may add tools to the
// document's lists and move them. The edits go to the tool found again by its ident.
void FenBanqueController::VOIRB(QObject*)
{
    const TOOL* banque = TOOL::getTool(kToolBanque, selectedBanqueID(), doc());
    if (!banque) {
        beep();
        return;
    }
    TOOL edited = *banque;
    const long result = editBanqueDialog(this, edited, *doc());
    TOOL* stored = TOOL::getTool(kToolBanque, edited.ident, doc());
    if (result != 1 || !stored) {
        table1()->SMART_RELOAD(); // its logo is kept even on Cancel
        return;
    }
    // A new name may move the bank: it goes back in at its place, with its accounts.
    takeToolEdits(*stored, edited);
    unInsertDeal(kToolBanque, edited.ident, -1, doc(), true);
    insertDeal(kToolBanque, *stored, nullptr, doc(), true);
    selectBanqueID(edited.ident);
    INVAL_PIED();
    sendToAllWindowDelegates(Sel::banqueHasBeenEdited, identArg(edited.ident));
}

void FenBanqueController::VOIRC(QObject*)
{
    const TOOL* compte = TOOL::getTool(kToolCompte, singleSelectedCompteID(), doc());
    if (!compte) {
        beep();
        return;
    }
    TOOL edited = *compte;
    const long result = editCompteDialog(this, edited, *doc());
    TOOL* stored = TOOL::getTool(kToolCompte, edited.ident, doc());
    if (result != 1 || !stored) {
        table2()->SMART_RELOAD();
        return;
    }
    const long ident = edited.ident;
    const long oldBanque = stored->ownerID;
    takeToolEdits(*stored, edited);
    unInsertDeal(kToolCompte, ident, oldBanque, doc(), false);
    insertDeal(kToolCompte, *stored, nullptr, doc(), false);
    if (edited.ownerID != oldBanque) {
        TOOL::computeBanqueSolde(oldBanque, doc());
        TOOL::computeBanqueSolde(edited.ownerID, doc());
        selectBanqueID(edited.ownerID);
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
