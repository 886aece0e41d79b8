#pragma once
// Every change to a document's list of transactions goes through makeTransact, replaceTransact and
// deleteTransact. They keep what derives from the list consistent (the statements and balances of
// the accounts involved, the last number of a cheque book), play the transaction sound and tell
// the windows, synchronously and before returning:
//   make     notify && isLast: sound, MAKE_TRANSACT(position, true), then the three follow-ups;
//            otherwise nothing at all
//   replace  notify: REPLACE_TRANSACT(position, keepSelection); && isLast: sound and follow-ups
//   delete   notify: DELETE_TRANSACT(position, isLast);          && isLast: sound and follow-ups
// The follow-ups are UPDATE_AVENIR, COMPUTE_ANALYSE_NOTIFICATION and DID_CHANGE_TRANSACT, with
// no arguments. A batch marks only its last transaction as last, so the windows rebuild once from
// the document. Positions and flags travel as QVariant numbers. Inside a TransactBatch the
// statements and the broadcasts wait for the batch (TransactBatch.h).
#include "model/TRANSACT.h"

#include <QString>

#include <vector>

class DOCUMENT;

// Appends a copy of the transaction (the caller keeps its own); *index (may be null) gets the new
// position. False, with nothing stored, only without a document.
bool makeTransact(const TRANSACT& trans, long* index, DOCUMENT* doc, bool notify, bool isLast);
// What makeTransact does for the last transaction of a batch, for a batch whose last stored
// transaction was not known to be the last when it was made.
void notifyMakeTransact(long index);
// The transaction sound and the three follow-ups, once the last transaction of a change is in place.
void notifyTransactFollowUps();
// Replaces the transaction at that position with a copy, which keeps the replaced one's identity
// (TRANSACT.h): an edit leaves it the same transaction. False when the position is outside the
// list (nothing is changed nor broadcast) or when an account the old or new version names is
// missing (the replacement is made all the same).
bool replaceTransact(const TRANSACT& trans, long index, DOCUMENT* doc, bool notify, bool isLast, bool keepSelection);
// Removes the transaction at that position; every later one moves down by one. False when the
// position is outside the list (nothing is changed nor broadcast) or when one of the removed
// transaction's accounts is missing (it is removed all the same).
bool deleteTransact(long index, DOCUMENT* doc, bool notify, bool isLast);
// Removes the transactions at those positions (increasing, as they stand before the first goes)
// as deleteTransact one after the other would, the last told as the last when isLast, each
// position told counting the earlier ones as gone; the statements and the windows hear of them
// as a batch (TransactBatch.h), the list closing its gaps in one pass. Positions outside the list
// are passed over. False when an account of a removed transaction is missing.
bool deleteTransacts(const std::vector<long>& positions, DOCUMENT* doc, bool notify, bool isLast);

// The list steps alone: no balance, numbering, sound or broadcast. The stored transaction (its
// amounts as stored), or null (logged) outside the list; the pointer lives until the list changes.
TRANSACT* replaceTransactData(DOCUMENT* doc, long index, const TRANSACT& trans);
// Queues the stored copies of the transaction's attached files for removal at the next save,
// then removes it. False outside the list.
bool deleteTransactData(DOCUMENT* doc, long index);

// ---- Checks of an entered transaction -------------------------------------------------------------

// Codes of goodTransact.
inline constexpr int kBadTransMontant = 1;
inline constexpr int kBadTransPoste = 2;
inline constexpr int kBadTransMoyen = 3;
inline constexpr int kBadTransNoCompte = 4;
inline constexpr int kBadTransSameCompte = 5;

// Whether the amount in the current currency slot is a number; an amount that is not (NaN or
// infinite) is reset to zero.
bool goodTransactMontant(TRANSACT& trans);
bool goodTransactPoste(const TRANSACT& trans);
// Cheques (9) and cards (11) must name a variant of the means record at that index of the
// document's list; every other family passes.
bool goodTransactMoyen(const TRANSACT& trans, long moyenIndex, const DOCUMENT* doc);
// Both sides must be existing, different accounts: *err (may be null) 4 for a missing one, 5 for
// the same account twice.
bool goodTransactCompte(const TRANSACT& trans, const DOCUMENT* doc, int* err);
// 0 when every check passes, else the code of the first that fails: amount, category, payment
// means, accounts.
int goodTransact(TRANSACT& trans, long moyenIndex, const DOCUMENT* doc);
// The key, in table "Dialogue", of the message of a code.
QString transErrToKey(int code);

// ---- Plain functions over transactions -------------------------------------------------------------

inline TRANSACT copyTransact(const TRANSACT& trans)
{
    return trans.copyOfTransact();
}
inline TRANSACT* transactAtIndex(long index, DOCUMENT* doc)
{
    return TRANSACT::transactAtIndexInDocument(index, doc);
}
inline const TRANSACT* transactAtIndex(long index, const DOCUMENT* doc)
{
    return TRANSACT::transactAtIndexInDocument(index, doc);
}
inline long transactNbMultis(const TRANSACT& trans)
{
    return trans.nbMultis();
}
inline const MULTI* transactMultiAtIndex(const TRANSACT& trans, long index)
{
    return trans.multiAtIndex(index);
}
inline void transactCheckDebitCredit(const TRANSACT& trans, long compteID, bool* deb, bool* cre, const DOCUMENT* doc)
{
    trans.checkDebitCredit(compteID, deb, cre, doc);
}
inline void transactCheckDebitCreditB(const TRANSACT& trans, long banqueID, bool* deb, bool* cre, const DOCUMENT* doc)
{
    trans.checkDebitCreditB(banqueID, deb, cre, doc);
}

// A cheque (9), counter payment (5) or internal transfer (1) with a reference raises the
// lastNumero of the cheque book it names, among the debit account's books, to the reference's
// number; an older cheque entered late leaves it as it is.
void updateChequeNumbering(long index, DOCUMENT* doc);
// The positions of the transaction's statements in its debit and credit accounts (either output
// may be null): -1 for a side in no statement, naming an unknown statement or whose account is
// missing. An opening-balance transaction also clears the inited flag of its accounts, since it
// is about to change or go.
void findTransactReleveIndexes(long index, DOCUMENT* doc, long* r1, long* r2);
