#include "analysis/FenActualiserBudgetController.h"

#include "toolkit/dialogs/Dialog.h"
#include "toolkit/windows/IWindowDoors.h"

#include "engines/PrevisionManager.h"
#include "foundation/localized.h"
#include "model/DOCUMENT.h"

#include <QPointer>

namespace {

QPointer<FenActualiserBudgetController>& openWindow()
{
    static QPointer<FenActualiserBudgetController> window;
    return window;
}

} // namespace

FenActualiserBudgetController* FenActualiserBudgetController::current()
{
    return stillOpen(openWindow().data());
}

FenActualiserBudgetController* FenActualiserBudgetController::open(const BudgetProposalList& entries, long nbMonth,
                                                                   long devise)
{
    return openProposals(openWindow(), entries, nbMonth, devise);
}

void FenActualiserBudgetController::windowWillClose()
{
    FenAmeliorerBudgetController::windowWillClose();
    if (openWindow() == this)
        openWindow() = nullptr;
}

QString FenActualiserBudgetController::helpTitle() const
{
    return localizedHelp(QStringLiteral("HELP_TITLE_ACTUALISER_BUDGET"));
}

QString FenActualiserBudgetController::helpContent() const
{
    return localizedHelp(QStringLiteral("HELP_CONTENT_ACTUALISER_BUDGET"));
}

// The amount now is shown with the sign of the category's balance, to compare with the proposal.
CellCompleterBudget& FenActualiserBudgetController::fillCell(const BudgetProposal* entry)
{
    fillCommon(m_cell, entry);
    if (!entry || !entry->prevision) {
        m_cell.prevision()->setText(QStringLiteral("?"));
        m_cell.montantactuel()->setText(QStringLiteral("?"));
        return m_cell;
    }
    m_cell.prevision()->setText(entry->prevision->name);
    MONTANT actuel = entry->prevision->transact.solde;
    if (entry->montant.negativeMontant())
        MONTANT::invertMontant(actuel);
    showMontant(m_cell.montantactuel(), actuel);
    return m_cell;
}

std::optional<Prevision> FenActualiserBudgetController::doEcrire(long row, bool confirmation)
{
    DOCUMENT* doc = document();
    const BudgetProposal* entry = entryAt(row);
    PrevisionManager& manager = PrevisionManager::sharedManager();
    const long ident = entry && entry->prevision ? entry->prevision->ident : -1;
    Prevision* stored = nullptr;
    if (!doc || ident < 0 || !manager.findIndexedPrevisionWithIdent(ident, nullptr, doc)
        || !PrevisionManager::getPrevision(ident, doc, &stored, nullptr) || !stored)
        return std::nullopt;
    Prevision copy = stored->copyOfPrevision();
    copy.transact.solde = entry->montantprevision;
    if (copy.transact.solde.negativeMontant())
        MONTANT::invertMontant(copy.transact.solde);
    if (confirmation) {
        Dialog::alerte(this, Dialog::keyString(QStringLiteral("kAlerte_WillEditPrevision")), posteName(entry->posteID),
                       QStringLiteral("echeancier_prev"), 1, {});
        IWindowDoors* doors = windowDoors();
        if (!doors || !doors->editPrevision(this, *doc, copy))
            return std::nullopt;
    }
    // The editor leaves the other windows usable: the forecast is found again by its ident, and
    // one deleted meanwhile is not brought back.
    qsizetype position = -1;
    if (!manager.findIndexedPrevisionWithIdent(ident, &position, doc))
        return std::nullopt;
    manager.removeIndexedPrevisionReference(position, doc);
    manager.addIndexedPrevisionReference(copy, doc, ident, nullptr);
    showInEcheancier(ident);
    removeEntry(row);
    return copy;
}
