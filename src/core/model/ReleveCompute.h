#pragma once
// Statements and balances derived from the transactions. Only transactions dated up to today (by
// calendar day, SystemClock) count. For an account with statements at positions 0 (newest) ..
// k-1 (oldest):
//   Rsolde of a statement  = credits - debits of the transactions ticked in it on the account's side
//   solde of a statement   = its Rsolde + solde of the next older statement
//   RsoldeSR               = the same movement over the account's sides ticked in no statement
//   soldeSR = solde        = RsoldeSR + solde of the newest statement
// and a bank's solde is the sum of its accounts' in the tree. A side naming a statement ident the
// account doesn't have counts nowhere; a transaction from an account to itself counts both ways.
#include <QList>
#include <QString>

class DOCUMENT;
class TOOL;
class TRANSACT;

// Recomputes one statement of the account, given by its POSITION in compte.releves (0 = newest,
// as findReleveID answers it), or the part in no statement for a position below 0; then the newer
// statements' cumulative balances, the account's balances and its bank's balance. Statements older
// than the position keep their balances. A position beyond the list is treated as -1.
void computeReleve(TOOL& compte, long position, DOCUMENT* doc);
// Several statements at once, each given as an account ident and a position as computeReleve
// takes them: the same results as computeReleve on each in turn, in one pass over the
// transactions. Unknown accounts are passed over.
struct ReleveSpot {
    long compteID = -1;
    long position = -1;
    bool operator==(const ReleveSpot&) const = default;
};
void computeReleves(const QList<ReleveSpot>& spots, DOCUMENT* doc);
// Every statement of the account from the oldest to the newest, then the part in no statement.
// The occasion key is carried for the callers' progress display and not read.
void computeAllReleves(TOOL& compte, const QString& occasion, DOCUMENT* doc);
// Every account of the document, in one pass over the transactions; the same results as
// computeAllReleves on each account. Occasion keys: "kMessage_ComputeOpen",
// "kMessage_ComputeNewDay", "kMessage_ComputeVerify3", "kMessage_ComputeCloture" or none.
void recomputeAllReleves(DOCUMENT* doc, const QString& occasion = QString());

// Whether a transaction's side in that statement of that account may still be ticked or unticked:
// true for an ident below 0, a missing account or a statement the account doesn't have; else the
// statement must be dated after the account's lock date.
bool transactCanPointerAux(long releveID, long compteID, const DOCUMENT* doc);
// Both sides of the transaction: *debLocked / *creLocked (either may be null) tell which side is
// locked, the debit side being tested first and the credit side only when the debit side is free.
// True when neither is locked.
bool transactCanPointer(const TRANSACT& transact, bool* debLocked, bool* creLocked, const DOCUMENT* doc);
