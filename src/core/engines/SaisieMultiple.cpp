#include "engines/SaisieMultiple.h"

#include "engines/SaisieChecks.h"

#include "foundation/dates.h"
#include "foundation/diagnostics.h"
#include "foundation/numbers.h"
#include "model/DOCUMENT.h"
#include "model/MOYEN.h"
#include "model/ReleveCompute.h"
#include "model/TAXE.h"
#include "model/TOOL.h"
#include "model/TransactBatch.h"
#include "model/TransactOps.h"

#include <algorithm>
#include <functional>
#include <type_traits>

namespace {

using TransactRefs = std::vector<const TRANSACT*>;

// Why one row can't be edited with the others; empty when it can.
QString rowRefusal(const POS& line, const TRANSACT& trans)
{
    if (line.storageType != StorageKind::Transact)
        return QStringLiteral("kAlerte_multipleHasEcheancier");
    if (trans.nbMultis() > 0)
        return QStringLiteral("kAlerte_multipleHasGroupee");
    if (trans.titreID >= 0 || trans.remunereID >= 0 || trans.empruntID >= 0)
        return QStringLiteral("kAlerte_multipleHasPlacement");
    return {};
}

// What the first transaction is compared with.
struct Reference {
    bool set = false;
    bool deb = false;
    bool cre = false;
};

// Compares one transaction that may still change with the first; false when one of its accounts
// is missing.
bool compareWithFirst(const TRANSACT& trans, long referenceID, const DOCUMENT& doc, Reference& first,
                      SaisieMultipleSelection& selection)
{
    int debit = -1;
    int credit = -1;
    if (!TOOL::compteIDToBType(trans.who1, &debit, &doc) || !TOOL::compteIDToBType(trans.who2, &credit, &doc))
        return false;
    bool deb = false;
    bool cre = false;
    trans.checkDebitCredit(referenceID, &deb, &cre, &doc);
    if (!first.set) {
        first = {true, deb, cre};
        selection.debitBType = debit;
        selection.creditBType = credit;
        return true;
    }
    if (debit != selection.debitBType || credit != selection.creditBType)
        selection.comptesLocked = true;
    if (deb != first.deb || cre != first.cre)
        selection.montantLocked = true;
    return true;
}

TransactRefs transactsAt(const std::vector<long>& positions, const DOCUMENT& doc)
{
    TransactRefs list;
    for (const long position : positions) {
        if (const TRANSACT* trans = transactAtIndex(position, &doc))
            list.push_back(trans);
    }
    return list;
}

// The value every transaction shares by the comparison given; none when two differ.
template <class Get, class Same = std::equal_to<>>
auto sharedValue(const TransactRefs& list, Get get, Same same = {})
    -> std::optional<std::decay_t<decltype(get(std::declval<const TRANSACT&>()))>>
{
    if (list.empty())
        return std::nullopt;
    auto first = get(*list.front());
    for (const TRANSACT* trans : list) {
        if (!same(get(*trans), first))
            return std::nullopt;
    }
    return first;
}

void applyTaxe(TRANSACT& trans, const DOCUMENT& doc)
{
    if (trans.taxeID < 0) {
        trans.taxe = MONTANT();
        return;
    }
    MONTANT ht;
    TAXE::applyTaxeToMontant(trans.taxeID, trans.solde, ht, trans.taxe, doc.taxeHdl);
}

} // namespace

SaisieMultipleSelection checkMultipleTransact(const LISTING& listing, const std::set<int>& rows, long referenceID,
                                              const DOCUMENT& doc)
{
    SaisieMultipleSelection selection;
    Reference first;
    for (const int row : rows) {
        const POS* line = listingPosAtIndex(&listing, row);
        const TRANSACT* trans = line ? listingTransactAtIndex(&listing, row, &doc) : nullptr;
        if (!trans)
            continue;
        selection.refusal = rowRefusal(*line, *trans);
        if (!selection.refusal.isEmpty())
            break;
        if (std::find(selection.positions.begin(), selection.positions.end(), line->storageIndex)
            != selection.positions.end())
            continue;
        selection.positions.push_back(line->storageIndex);
        // Every row is still checked for the refusals: a split or investment transaction after
        // a locked one must not be changed as a plain one.
        if (!transactCanPointer(*trans, nullptr, nullptr, &doc)) {
            selection.releveLocked = selection.comptesLocked = selection.montantLocked = true;
            continue;
        }
        if (!compareWithFirst(*trans, referenceID, doc, first, selection)) {
            selection.refusal = QStringLiteral("kAlerte_multipleHasToolError");
            break;
        }
    }
    if (!selection.refusal.isEmpty())
        selection.positions.clear();
    return selection;
}

SaisieMultipleCommon commonMultipleValues(const std::vector<long>& positions, long slot, const DOCUMENT& doc)
{
    const TransactRefs list = transactsAt(positions, doc);
    SaisieMultipleCommon common;
    SaisieMultipleEntries& e = common.entries;
    e.when = sharedValue(
        list, [](const TRANSACT& t) { return t.when; }, sameDay);
    e.montant = sharedValue(
        list, [](const TRANSACT& t) { return t.solde; },
        [slot](const MONTANT& a, const MONTANT& b) {
            return sameDoubleMontant(a.getValueForDevise(slot), b.getValueForDevise(slot));
        });
    e.montantDevise = slot;
    e.who1 = sharedValue(list, [](const TRANSACT& t) { return t.who1; });
    e.who2 = sharedValue(list, [](const TRANSACT& t) { return t.who2; });
    e.posteID = sharedValue(list, [](const TRANSACT& t) { return t.posteID; });
    e.ref = sharedValue(list, [](const TRANSACT& t) { return t.ref; });
    e.why = sharedValue(list, [](const TRANSACT& t) { return t.why; });
    e.annulation = sharedValue(list, [](const TRANSACT& t) { return t.annulation; });
    e.taxeID = sharedValue(list, [](const TRANSACT& t) { return t.taxeID; });
    common.doublonMark = sharedValue(list, [](const TRANSACT& t) { return t.importDoublon; });
    return common;
}

TRANSACT multipleTransactWithEntries(const TRANSACT& stored, const SaisieMultipleEntries& entries, const DOCUMENT& doc)
{
    TRANSACT trans = stored.copyOfTransact();
    if (entries.when && !sameDay(*entries.when, trans.when))
        trans.when = *entries.when;
    bool taxeChanged = false;
    const long slot = entries.montantDevise;
    if (entries.montant
        && !sameDoubleMontant(entries.montant->getValueForDevise(slot), trans.solde.getValueForDevise(slot))) {
        trans.solde = *entries.montant;
        trans.devise = slot;
        taxeChanged = trans.taxeID >= 0;
    }
    trans.who1 = entries.who1.value_or(trans.who1);
    trans.who2 = entries.who2.value_or(trans.who2);
    SaisieChecks::carryReleves(stored, trans);
    trans.posteID = entries.posteID.value_or(trans.posteID);
    trans.ref = entries.ref.value_or(trans.ref);
    trans.why = entries.why.value_or(trans.why);
    if (entries.doublon.value_or(false))
        trans.importDoublon = false;
    if (entries.taxeID && *entries.taxeID != trans.taxeID) {
        trans.taxeID = *entries.taxeID;
        taxeChanged = true;
    }
    if (taxeChanged)
        applyTaxe(trans, doc);
    if (entries.annulation.value_or(false))
        trans.annulerTransact();
    else if (entries.annulation)
        trans.annulation = false;
    if (trans.importID >= 0)
        trans.importTouched = trans.isTransactImportTouched(&doc);
    return trans;
}

QString refuseMultipleEntries(const std::vector<long>& positions, const SaisieMultipleEntries& entries, double now,
                              const DOCUMENT& doc)
{
    for (const TRANSACT* stored : transactsAt(positions, doc)) {
        const TRANSACT trans = multipleTransactWithEntries(*stored, entries, doc);
        if ((entries.who1 || entries.who2) && trans.who1 == trans.who2)
            return QStringLiteral("kAlerte_BadTransSameCompte");
        const bool ticked = trans.releveID1 >= 0 || trans.releveID2 >= 0;
        if (ticked && trans.when != stored->when && trans.when > now)
            return QStringLiteral("kAlerte_PointeeCannotFutur");
    }
    return {};
}

namespace {

// A cheque or card names a book or card of the account it is drawn on: on another account it
// must find it there too, as the single entry requires. The records are only looked up here.
bool keepsItsMoyen(const TRANSACT& trans, const DOCUMENT& doc)
{
    if (trans.moyen != kFamilyChequeDebit && trans.moyen != kFamilyCarteDebit)
        return true;
    const long compte = trans.transToMoyenCompte();
    for (long i = 0; i < long(doc.moyenHdl.size()); ++i) {
        const MOYEN& moyen = doc.moyenHdl[i];
        if (moyen.kind == trans.moyen && moyen.compte == compte)
            return goodTransactMoyen(trans, i, &doc);
    }
    return false;
}

} // namespace

std::vector<long> multipleRefusedMoyens(const std::vector<long>& positions, const SaisieMultipleEntries& entries,
                                        const DOCUMENT& doc)
{
    std::vector<long> refused;
    if (!entries.who1 && !entries.who2)
        return refused;
    for (const long position : positions) {
        const TRANSACT* stored = transactAtIndex(position, &doc);
        if (!stored)
            continue;
        const TRANSACT trans = multipleTransactWithEntries(*stored, entries, doc);
        if (trans.transToMoyenCompte() != stored->transToMoyenCompte() && !keepsItsMoyen(trans, doc))
            refused.push_back(position);
    }
    return refused;
}

bool multipleLosesReleve(const std::vector<long>& positions, const SaisieMultipleEntries& entries, const DOCUMENT& doc)
{
    const TransactRefs list = transactsAt(positions, doc);
    return std::any_of(list.begin(), list.end(), [&](const TRANSACT* stored) {
        return SaisieChecks::losesReleve(*stored, multipleTransactWithEntries(*stored, entries, doc));
    });
}

int applyMultipleTransact(const std::vector<long>& positions, const SaisieMultipleEntries& entries, DOCUMENT& doc)
{
    const TransactBatch batch(&doc);
    TRANSACT::markAllTransact(false, &doc);
    int failures = 0;
    for (std::size_t i = 0; i < positions.size(); ++i) {
        const long position = positions[i];
        const TRANSACT* stored = transactAtIndex(position, &doc);
        if (!stored)
            continue;
        const TRANSACT changed = multipleTransactWithEntries(*stored, entries, doc);
        if (!replaceTransact(changed, position, &doc, true, i + 1 == positions.size(), false)) {
            svLog(QStringLiteral("Pb replaceTransact"));
            ++failures;
        }
        if (TRANSACT* replaced = transactAtIndex(position, &doc))
            replaced->mark = true;
    }
    return failures;
}

std::set<int> multipleRowsToSelect(const LISTING* listing, long referenceID, const DOCUMENT& doc)
{
    const bool onAccount = getTool(kToolCompte, referenceID, &doc) != nullptr;
    std::set<int> rows;
    const long count = listingCount(listing);
    for (long row = 0; row < count; ++row) {
        StorageKind type = StorageKind::Transact;
        const TRANSACT* shown = listingTransactAtIndex(listing, row, &doc, &type);
        if (!shown || type != StorageKind::Transact || !shown->mark)
            continue;
        bool deb = false;
        bool cre = false;
        shown->checkDebitCreditCpt(referenceID, &deb, &cre);
        if (!onAccount || deb || cre)
            rows.insert(int(row));
    }
    return rows;
}
