#include "ReleveCompute.h"

#include "foundation/SystemClock.h"
#include "foundation/dates.h"
#include "model/DOCUMENT.h"
#include "model/TOOL.h"
#include "model/TRANSACT.h"

#include <QList>
#include <algorithm>
#include <cmath>
#include <unordered_map>
#include <vector>

namespace {

// The first moment of tomorrow, local time: a transaction counts when it falls before it. One
// comparison per transaction instead of splitting every date into day, month and year.
double startOfTomorrow()
{
    long day = 0, month = 0, year = 0;
    dateToDMY(&day, &month, &year, SystemClock::now());
    long nextDay = 0, nextMonth = 0, nextYear = 0;
    dmyNextDay(day, month, year, &nextDay, &nextMonth, &nextYear);
    double tomorrow = 0;
    dmyToDate(nextDay, nextMonth, nextYear, &tomorrow);
    return tomorrow;
}

// A date the calendar can't split has no day to be in the future: it counts, as it always has.
bool countsBefore(double when, double tomorrow)
{
    return when < tomorrow || !std::isfinite(when);
}

// The balances that rest on the statements' movements: each statement's cumulative balance
// from the given position up to the newest, then the account's balances.
void cascadeBalances(TOOL& compte, long fromPosition)
{
    const long oldest = compte.releves.size() - 1;
    for (long j = std::min(fromPosition, oldest); j >= 0; --j) {
        RELEVE& releve = compte.releves[j];
        if (j == oldest)
            releve.solde = releve.Rsolde;
        else
            MONTANT::addMontant(releve.Rsolde, compte.releves[j + 1].solde, releve.solde);
    }
    if (compte.releves.isEmpty())
        compte.soldeSR = compte.RsoldeSR;
    else
        MONTANT::addMontant(compte.RsoldeSR, compte.releves[0].solde, compte.soldeSR);
    compte.solde = compte.soldeSR;
}

// A side of a transaction: the account and the statement it is ticked in (-1 none).
struct SideKey {
    long compte;
    long releve;
    bool operator==(const SideKey&) const = default;
};

struct SideKeyHash {
    size_t operator()(const SideKey& key) const noexcept
    {
        return std::hash<long>()(key.compte) * 0x9E3779B97F4A7C15ULL ^ std::hash<long>()(key.releve);
    }
};

using SideSums = std::unordered_map<SideKey, MONTANT, SideKeyHash>;

// One zero sum per statement of every account and per account's part in no statement; sides
// naming anything else count nowhere.
SideSums emptySums(const ToolList& comptes)
{
    SideSums sums;
    for (const TOOL& compte : comptes) {
        sums.try_emplace(SideKey {compte.ident, -1});
        for (const RELEVE& releve : compte.releves)
            sums.try_emplace(SideKey {compte.ident, releve.ident});
    }
    return sums;
}

// Adds every counted transaction into the sum of each of its sides, in list order, debit before
// credit, so each sum is built exactly as a per-statement pass builds it.
void sumSides(const TransactList& transacts, SideSums& sums)
{
    const double tomorrow = startOfTomorrow();
    for (const TRANSACT& t : transacts) {
        if (!countsBefore(t.when, tomorrow))
            continue;
        const auto debit = sums.find(SideKey {t.who1, t.releveID1});
        if (debit != sums.end())
            MONTANT::subMontant(debit->second, t.solde, debit->second);
        const auto credit = sums.find(SideKey {t.who2, t.releveID2});
        if (credit != sums.end())
            MONTANT::addMontant(credit->second, t.solde, credit->second);
    }
}

} // namespace

void computeReleve(TOOL& compte, long position, DOCUMENT* doc)
{
    if (!doc)
        return;
    if (position >= compte.releves.size())
        position = -1;
    const long releveID = position < 0 ? -1 : compte.releves[position].ident;
    const double tomorrow = startOfTomorrow();
    MONTANT acc;
    for (const TRANSACT& t : doc->transact_array) {
        if (!countsBefore(t.when, tomorrow))
            continue;
        if (t.who1 == compte.ident && t.releveID1 == releveID)
            MONTANT::subMontant(acc, t.solde, acc);
        if (t.who2 == compte.ident && t.releveID2 == releveID)
            MONTANT::addMontant(acc, t.solde, acc);
    }
    if (position < 0)
        compte.RsoldeSR = acc;
    else
        compte.releves[position].Rsolde = acc;
    cascadeBalances(compte, position);
    TOOL::computeBanqueSolde(compte.ownerID, doc);
}

void computeReleves(const QList<ReleveSpot>& spots, DOCUMENT* doc)
{
    if (!doc || spots.isEmpty())
        return;
    // Each account's statement ident per spot, and the oldest position to cascade from.
    struct Spot {
        TOOL* compte;
        long position;
        long releveID;
    };
    std::vector<Spot> found;
    std::unordered_map<long, long> cascadeFrom;
    SideSums sums;
    for (const ReleveSpot& spot : spots) {
        TOOL* compte = TOOL::getTool(kToolCompte, spot.compteID, doc);
        if (!compte)
            continue;
        const long position = spot.position >= compte->releves.size() ? -1 : spot.position;
        const long releveID = position < 0 ? -1 : compte->releves[position].ident;
        found.push_back({compte, position, releveID});
        sums.try_emplace(SideKey {compte->ident, releveID});
        const auto [it, added] = cascadeFrom.try_emplace(compte->ident, position);
        if (!added)
            it->second = std::max(it->second, position);
    }
    sumSides(doc->transact_array, sums);
    for (const Spot& spot : found) {
        const MONTANT& sum = sums[SideKey {spot.compte->ident, spot.releveID}];
        if (spot.position < 0)
            spot.compte->RsoldeSR = sum;
        else
            spot.compte->releves[spot.position].Rsolde = sum;
    }
    QList<long> banques;
    for (const Spot& spot : found) {
        const auto it = cascadeFrom.find(spot.compte->ident);
        if (it == cascadeFrom.end())
            continue;
        cascadeBalances(*spot.compte, it->second);
        cascadeFrom.erase(it);
        if (!banques.contains(spot.compte->ownerID))
            banques.append(spot.compte->ownerID);
    }
    for (const long banqueID : banques)
        TOOL::computeBanqueSolde(banqueID, doc);
}

void computeAllReleves(TOOL& compte, const QString&, DOCUMENT* doc)
{
    for (long position = compte.releves.size() - 1; position >= 0; --position)
        computeReleve(compte, position, doc);
    computeReleve(compte, -1, doc);
}

void recomputeAllReleves(DOCUMENT* doc, const QString&)
{
    if (!doc)
        return;
    SideSums sums = emptySums(doc->compteHdl);
    sumSides(doc->transact_array, sums);
    for (TOOL& compte : doc->compteHdl) {
        for (RELEVE& releve : compte.releves)
            releve.Rsolde = sums[SideKey {compte.ident, releve.ident}];
        compte.RsoldeSR = sums[SideKey {compte.ident, -1}];
        cascadeBalances(compte, compte.releves.size() - 1);
    }
    // Every bank, not only those that own an account: a bank whose last account was removed
    // would otherwise keep that account's balance in the document's totals.
    QList<long> banques;
    for (const TOOL& banque : doc->banqueHdl)
        banques.append(banque.ident);
    for (const long banqueID : banques)
        TOOL::computeBanqueSolde(banqueID, doc);
}

bool transactCanPointerAux(long releveID, long compteID, const DOCUMENT* doc)
{
    const TOOL* compte = releveID < 0 ? nullptr : TOOL::getTool(kToolCompte, compteID, doc);
    long position = 0;
    if (!compte || !compte->findReleveID(releveID, &position))
        return true;
    return compte->releveCanPointer(position);
}

bool transactCanPointer(const TRANSACT& transact, bool* debLocked, bool* creLocked, const DOCUMENT* doc)
{
    if (debLocked)
        *debLocked = false;
    if (creLocked)
        *creLocked = false;
    if (!transactCanPointerAux(transact.releveID1, transact.who1, doc)) {
        if (debLocked)
            *debLocked = true;
        return false;
    }
    if (!transactCanPointerAux(transact.releveID2, transact.who2, doc)) {
        if (creLocked)
            *creLocked = true;
        return false;
    }
    return true;
}
