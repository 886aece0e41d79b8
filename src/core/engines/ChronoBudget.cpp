#include "ChronoManager.h"

#include "engines/Critere.h"
#include "engines/POS.h"
#include "engines/SearchEngine.h"
#include "foundation/dates.h"
#include "model/DOCUMENT.h"
#include "model/ReferencePasses.h"

#include <cmath>

namespace {

// How many months one occurrence of the mean stands for: a category spent on once in 12 months
// is judged on a yearly amount, so a small mean of a rare expense is still proposed.
long periodFactor(long nbMonth, long nbTransactions)
{
    if (nbTransactions == 0)
        return 12;
    // Single precision and halves to even, as the proposals have always been judged.
    const long rounded = std::lrint(static_cast<float>(nbMonth) / static_cast<float>(nbTransactions));
    return std::max(1L, rounded);
}

// An open-ended monthly forecast still running.
bool previsionCanBeUpdated(const Prevision& prevision)
{
    const std::optional<Planificator>& rule = prevision.planificator;
    return rule && rule->permanent && rule->repeatTimeUnit == Planificator::kUnitMonth && !rule->isFinished();
}

bool differsByTenPercent(double current, double proposed)
{
    if (current == 0)
        return false;
    return std::fabs(std::fabs(proposed) - std::fabs(current)) * 100 / std::fabs(current) >= 10;
}

} // namespace

long ChronoManager::computeSoldeForPosteID(long posteID, MONTANT& solde, long nbMonth, const DOCUMENT* doc) const
{
    solde = MONTANT();
    if (!doc)
        return 0;
    Critere critere = Critere::makePosteCritere(posteID, doc);
    const double now = dateNow();
    critere.setPeriodeCritere(subMonthsFromDate(nbMonth, now), now);
    // Real transactions only: occurrences still to come say nothing of what was spent.
    std::unique_ptr<LISTING> listing = searchWithCritere(
        {.critere = &critere, .doc = doc, .sort = ListingSort::NoSort, .devise = MONTANT::currentDeviseSlot()});
    listingSoldeForCompte(listing.get(), -1, solde, doc);
    const long count = listingCount(listing.get());
    disposeListing(listing);
    return count;
}

BudgetProposalList ChronoManager::buildCompleterBudgetArray(long nbMonth, DOCUMENT* doc) const
{
    BudgetProposalList entries;
    if (!doc || nbMonth < 1)
        return entries;
    const double first = firstDayOfMonth(dateNow());
    for (const POSTE& poste : doc->posteHdl) {
        // A replacement ident of -1 only asks whether the category is used.
        if (changePosteInEcheanciers(poste.ident, doc, -1) || changePosteInPrevisions(poste.ident, doc, -1))
            continue;
        BudgetProposal entry;
        entry.posteID = poste.ident;
        entry.first = first;
        entry.nb = computeSoldeForPosteID(poste.ident, entry.montant, nbMonth, doc);
        MONTANT::divMontant(entry.montant, static_cast<double>(nbMonth), entry.montantprevision);
        MONTANT perPeriod;
        MONTANT::multMontant(entry.montantprevision, static_cast<double>(periodFactor(nbMonth, entry.nb)), perPeriod);
        if (!perPeriod.nullMontant())
            entries.append(entry);
    }
    return entries;
}

BudgetProposalList ChronoManager::buildActualiserBudgetArray(long nbMonth, const DOCUMENT* doc) const
{
    BudgetProposalList entries;
    if (!doc)
        return entries;
    for (const Prevision& prevision : doc->previsionsArray) {
        if (!prevision.planificator || !previsionCanBeUpdated(prevision))
            continue;
        const long repeatCount = prevision.planificator->repeatTimeUnitCount;
        // Fewer months than one period of the forecast (or a rule without a period) give no
        // number of periods to spread the balance over.
        const long periods = repeatCount > 0 ? nbMonth / repeatCount : 0;
        if (periods <= 0)
            continue;
        BudgetProposal entry;
        entry.posteID = prevision.transact.posteID;
        entry.nb = computeSoldeForPosteID(entry.posteID, entry.montant, nbMonth, doc);
        MONTANT::divMontant(entry.montant, static_cast<double>(periods), entry.montantprevision);
        if (entry.montantprevision.nullMontant())
            continue;
        if (!differsByTenPercent(prevision.transact.solde.getValueForDevise(0),
                                 entry.montantprevision.getValueForDevise(0)))
            continue;
        entry.prevision = prevision;
        entries.append(entry);
    }
    return entries;
}
