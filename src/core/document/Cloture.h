#pragma once
// Closing a financial year: a new document that starts where the given one stands at the closing
// date. It keeps every bank, account, category, schedule, forecast and setting, but only the
// transactions still open at that date; each account's balance is carried by one opening
// transaction, and its statements are cut back to those after the date plus one closing statement.
// The closed document stays as it was, as the archive of the year, except that it no longer
// proposes due schedules on its next openings; it changes only once the new document is whole.
//
// During a closing every transaction of the closed document carries two marks, one per side
// (clotureMarkD for who1, clotureMarkC for who2):
//   0 or more  the side lies in the statement at that position, dated after the closing date,
//              which the new document keeps at the same position
//   -1         the side is in no statement: still open
//   -2         closed (the starting mark, and the mark of accounts without statements or left out)
//   -3         the side lies in a statement dated on or before the closing date: closed
//   -4         forced open into the closing statement (investments, permanent categories, opening
//              transactions)
#include <QString>
#include <functional>

class DOCUMENT;
class TRANSACT;

inline constexpr long kClotureMarkOpen = -1;
inline constexpr long kClotureMarkClosed = -2;
inline constexpr long kClotureMarkReleveClosed = -3;
inline constexpr long kClotureMarkForced = -4;

// Receives the new package's URL, or an empty string when the closing failed.
using ClotureCompletion = std::function<void(const QString& newUrl)>;

// Closes the year of doc at dateCloture into a new package named newName (a document file name,
// extension included, already checked by the caller to be free) in doc's storage. The chain runs
// synchronously through the save and load continuations. The new document is built in a hidden,
// locked staging package beside its name: the closed document is written into it as it stands,
// loaded from there, computed and written again, and only then, whole and on the disk, renamed to
// its name (never over anything). Then, and only then, the closed document is saved with its due
// schedules silenced.
// A failure at any step calls the completion with an empty URL and leaves the closed document as
// it was, in memory and on disk, with nothing under the new name; a closing killed at any step
// leaves either nothing under the new name (its hidden package is an ended save's leftover, cleared
// as one) or the whole new document. A name that is taken or has no place in the storage fails
// before anything is touched.
void clotureDocument(DOCUMENT* doc, const QString& newName, double dateCloture, const ClotureCompletion& completion);

// The computation on the loaded copy newDoc of oldDoc: purge, statements cut, marks (in oldDoc),
// copy of the open transactions, opening balances; the copy's due schedules are active again. The
// copy's attached files become exactly those its transactions and templates name, copied from
// oldDoc's package; false when that could not be done (a file that could not be removed or copied).
bool computeCloture(DOCUMENT& oldDoc, DOCUMENT& newDoc, double dateCloture);

// Marks, with that mark, each side of doc's transactions that is the account and lies in that
// statement (-1: in no statement). A mark of -2 or -3 asked for a transaction of an investment or
// of a permanent category gives -4 instead; for -2 any other transaction is left as it is.
void markClotureTransacts(long compteID, long mark, long releveID, DOCUMENT* doc);

// Gives the copied transaction its statements in newDoc from its marks: nothing unless both of its
// accounts exist there; a side marked neither -1 nor -2 whose account has statements goes to the
// statement at the mark's position, or to the last statement (the closing one) for a negative mark
// or a position the account no longer has.
void applyClotureReleves(TRANSACT& trans, const DOCUMENT& newDoc);
