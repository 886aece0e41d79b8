#include "analysis/FenCompleterBudgetController.h"

#include "toolkit/dialogs/Dialog.h"
#include "toolkit/windows/IWindowDoors.h"

#include "engines/PrevisionManager.h"
#include "foundation/dates.h"
#include "foundation/localized.h"
#include "model/DOCPARAM.h"
#include "model/DOCUMENT.h"
#include "model/TOOL.h"

#include <QPointer>

namespace {

QPointer<FenCompleterBudgetController>& openWindow()
{
    static QPointer<FenCompleterBudgetController> window;
    return window;
}

} // namespace

FenCompleterBudgetController* FenCompleterBudgetController::current()
{
    return stillOpen(openWindow().data());
}

FenCompleterBudgetController* FenCompleterBudgetController::open(const BudgetProposalList& entries, long nbMonth,
                                                                 long devise)
{
    return openProposals(openWindow(), entries, nbMonth, devise);
}

void FenCompleterBudgetController::windowWillClose()
{
    FenAmeliorerBudgetController::windowWillClose();
    if (openWindow() == this)
        openWindow() = nullptr;
}

QString FenCompleterBudgetController::helpTitle() const
{
    return localizedHelp(QStringLiteral("HELP_TITLE_COMPLETER_BUDGET"));
}

QString FenCompleterBudgetController::helpContent() const
{
    return localizedHelp(QStringLiteral("HELP_CONTENT_COMPLETER_BUDGET"));
}

CellCompleterBudget& FenCompleterBudgetController::fillCell(const BudgetProposal* entry)
{
    fillCommon(m_cell, entry);
    return m_cell;
}

QString FenCompleterBudgetController::newPrevisionNameForPosteID(long posteID) const
{
    const DOCUMENT* doc = document();
    if (!doc)
        return QString();
    return availableNameForPrevision(QStringLiteral("Poste %1").arg(posteName(posteID)), doc->previsionsArray);
}

// The user's account pays an expense to the document's default account and receives income from
// it. Without a default account of the user's, the first account of the user's banks stands in.
std::optional<Prevision> FenCompleterBudgetController::newPrevisionForEntry(const BudgetProposal& entry) const
{
    DOCUMENT* doc = document();
    const long user = TOOL::defaultUserCompte(kBanqueUser, DOCPARAM::getDefaultCompteUser(doc), doc);
    if (user < 0)
        return std::nullopt;
    Prevision prevision = Prevision::newPrevision(doc);
    prevision.name = newPrevisionNameForPosteID(entry.posteID);
    prevision.rattrapable = false;
    const double first = firstDayOfMonth(entry.first);
    TRANSACT model = TRANSACT::allocNewTransact(doc);
    model.when = first;
    model.posteID = entry.posteID;
    model.why = prevision.name;
    model.solde = entry.montantprevision;
    const bool expense = model.solde.negativeMontant();
    if (expense)
        MONTANT::invertMontant(model.solde);
    const long other = DOCPARAM::getDefaultCompte(doc);
    model.who1 = expense ? user : other;
    model.who2 = expense ? other : user;
    prevision.transact = model;
    Planificator rule(first, Planificator::kTypePrevision);
    rule.repeatTimeUnit = Planificator::kUnitMonth;
    rule.repeatTimeUnitCount = 1;
    rule.nbEcheance = 1;
    rule.permanent = true;
    rule.valideType = Planificator::kValideLength;
    rule.valideTimeUnit = Planificator::kUnitMonth;
    rule.valideTimeUnitCount = 1;
    prevision.planificator = rule;
    return prevision;
}

std::optional<Prevision> FenCompleterBudgetController::doEcrire(long row, bool confirmation)
{
    DOCUMENT* doc = document();
    const BudgetProposal* entry = entryAt(row);
    if (!doc || !entry)
        return std::nullopt;
    std::optional<Prevision> prevision = newPrevisionForEntry(*entry);
    if (!prevision) {
        Dialog::alerte(this, Dialog::keyString(QStringLiteral("kAlerte_completerNoCompte")), QString(),
                       QStringLiteral("echeancier_prev"), 1, {});
        return std::nullopt;
    }
    if (confirmation) {
        Dialog::alerte(this, Dialog::keyString(QStringLiteral("kAlerte_WillEditPrevision")), posteName(entry->posteID),
                       QStringLiteral("echeancier_prev"), 1, {});
        IWindowDoors* doors = windowDoors();
        if (!doors || !doors->editPrevision(this, *doc, *prevision))
            return std::nullopt;
    }
    const long ident = PrevisionManager::sharedManager().addIndexedPrevisionReference(*prevision, doc, -1, nullptr);
    if (ident < 0)
        return std::nullopt;
    prevision->ident = ident;
    showInEcheancier(ident);
    removeEntry(row);
    return prevision;
}
