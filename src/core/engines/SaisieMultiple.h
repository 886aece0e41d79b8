#pragma once
// Editing several stored transactions at once. A list's selection is first checked: occurrences,
// split transactions, investment transactions and transactions on a missing account can't be
// edited together, and the fields that can't take one value for all of them are locked. Then the
// values the transactions share are found; a value they don't share is kept, each transaction
// keeping its own. Finally every transaction takes the values the user chose.
//
// What a change keeps consistent, beyond what replaceTransact keeps (balances, statements):
//  - a value equal to the transaction's own changes nothing: the same day keeps the time of day,
//    the same amount in its slot keeps the other currencies' amounts and the tax;
//  - each side keeps its statement tick only while it keeps its account (as the entry does);
//  - a taxed transaction whose amount or tax changes gets its tax amount again from its rate;
//  - a transaction cancelled is cancelled in full, after every other change;
//  - an imported transaction's touched mark follows what it has become.
#include "engines/LISTING.h"
#include "model/MONTANT.h"
#include "model/TRANSACT.h"

#include <QString>

#include <optional>
#include <set>
#include <vector>

class DOCUMENT;

// The values of a multiple edit; an empty one is kept.
struct SaisieMultipleEntries {
    std::optional<double> when {};
    std::optional<MONTANT> montant {};
    long montantDevise = 0; // the slot the amount is shown and typed in
    std::optional<long> who1 {};
    std::optional<long> who2 {};
    std::optional<long> posteID {};
    std::optional<QString> ref {};
    std::optional<QString> why {};
    std::optional<bool> annulation {};
    // true: every selected transaction loses its import-duplicate mark; false or empty: the
    // marks stay.
    std::optional<bool> doublon {};
    std::optional<long> taxeID {}; // -1 for no tax
};

// What a selection allows.
struct SaisieMultipleSelection {
    // The key (table "Dialogue") of the reason the rows can't be edited together; empty when
    // they can.
    QString refusal;
    std::vector<long> positions; // document positions of the selected transactions, each once
    // The transactions' banks are not of one type on a side, or one is in a locked statement.
    bool comptesLocked = false;
    // They don't all debit and credit the list's account alike, or one is in a locked statement.
    bool montantLocked = false;
    // One lies in a locked statement period: nothing may change its amount, not even cancelling.
    bool releveLocked = false;
    // Bank types of the first transaction's accounts; -1 when unknown.
    int debitBType = -1;
    int creditBType = -1;
};

// Checks the rows, in index order, stopping at the first refusal. referenceID is the list's
// account (-1 none: the user's accounts). Rows outside the listing are left out.
SaisieMultipleSelection checkMultipleTransact(const LISTING& listing, const std::set<int>& rows, long referenceID,
                                              const DOCUMENT& doc);

// The values the transactions share. The amount is compared in the slot given.
struct SaisieMultipleCommon {
    SaisieMultipleEntries entries; // doublon is left empty: it is what the user asks
    std::optional<bool> doublonMark; // true all carry the import-duplicate mark, false none
};
SaisieMultipleCommon commonMultipleValues(const std::vector<long>& positions, long slot, const DOCUMENT& doc);

// The transaction as the entries change it.
TRANSACT multipleTransactWithEntries(const TRANSACT& stored, const SaisieMultipleEntries& entries, const DOCUMENT& doc);
// The key (table "Dialogue") of what forbids storing the entries, empty when nothing does: a
// transaction from an account to itself, a ticked transaction moved after now.
QString refuseMultipleEntries(const std::vector<long>& positions, const SaisieMultipleEntries& entries, double now,
                              const DOCUMENT& doc);
// The positions of the cheques and card payments that the entries move to an account lacking
// their cheque book or card (what the single entry refuses as kBadTransMoyen), in the order given.
std::vector<long> multipleRefusedMoyens(const std::vector<long>& positions, const SaisieMultipleEntries& entries,
                                        const DOCUMENT& doc);
// Whether a ticked side of some transaction loses its account, and so its tick.
bool multipleLosesReleve(const std::vector<long>& positions, const SaisieMultipleEntries& entries, const DOCUMENT& doc);

// Every mark of the document cleared, then each transaction changed, replaced (the last of the
// batch told as last) and marked, in one TransactBatch: the statements and the windows catch up
// once, on return. Answers how many replacements failed (each logged).
int applyMultipleTransact(const std::vector<long>& positions, const SaisieMultipleEntries& entries, DOCUMENT& doc);

// The rows of the listing showing a marked document transaction that, when referenceID is an
// account, has that account on one side.
std::set<int> multipleRowsToSelect(const LISTING* listing, long referenceID, const DOCUMENT& doc);
