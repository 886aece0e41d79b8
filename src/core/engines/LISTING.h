#pragma once
// The result of a search as the list windows show it: rows (POS) in the order of one of eleven
// sort kinds (ListingSort), each pointing at a document transaction or at a schedule or forecast occurrence
// copy the listing owns. The listing can show the split lines of a transaction as rows of their
// own, computes running balances for an account, and offers the flat functions the windows use
// row by row.
//
// Order: a row placed among rows it ties with goes before them, so transactions inserted in
// document order show last-entered first among equals. Rows of an expanded transaction (its
// head and line rows) always stay together.
//
// Functions take the listing as a pointer: a null listing counts no rows and changes nothing.
// An index outside the rows yields null, -1 or no effect, as each function says.
#include "engines/POS.h"
#include "model/TRANSACT.h"

#include <functional>
#include <memory>
#include <optional>

class DOCUMENT;

class LISTING {
public:
    ListingSort sort = ListingSort::Defaut;
    // The kind Defaut stands for: the application's default sort, given by whoever makes the
    // listing; never Defaut itself.
    ListingSort defaultSort = ListingSort::Date2;
    TransactList storageEcheances; // schedule occurrence copies, addressed by storage index
    TransactList storagePrevisions; // forecast occurrence copies, addressed by storage index
    PosList posList; // the rows in display order
    bool doEcheanciers = false; // schedule occurrences were searched
    bool doPrevisions = false; // forecast occurrences were searched
    bool forSearch = false; // the listing serves the search window
    bool canCompute = true; // read by list windows: they may recompute the listing
    // Rows from this index on wait for listingEndBulkInsert; -1 outside a bulk insertion.
    long bulkFrom = -1;

    LISTING() = default;
    explicit LISTING(ListingSort sortKind)
        : sort(sortKind)
    {
    }
    // The same sorts, occurrence copies (same order, so storage indices hold) and rows; the flags
    // of a new listing.
    LISTING copyOfListing() const;

    // Nothing to set up or release: rows are ordered by a comparison that takes its operands as
    // arguments. The calls keep the start-up and shut-down order whole.
    static void initListingLib() { }
    static void disposeListingLib() { }
};

// ---- Making and reading ----------------------------------------------------------------------------

std::unique_ptr<LISTING> newListing(ListingSort sort);
void disposeListing(std::unique_ptr<LISTING>& listing);
long listingCount(const LISTING* listing);
// Defaut for a null listing.
ListingSort listingSortKind(const LISTING* listing);
// Null outside the rows. The pointer lives until the rows change.
POS* listingPosAtIndex(LISTING* listing, long index);
const POS* listingPosAtIndex(const LISTING* listing, long index);
// -1 outside the rows (type then Transact). type may be null.
long listingStorageIndexAtIndex(const LISTING* listing, long index, StorageKind* type = nullptr);
// The transaction a row shows: the document's own for a transaction row, the listing's copy for
// an occurrence row; null when missing. The pointer lives until that list changes.
TRANSACT* listingTransactAtIndex(LISTING* listing, long index, DOCUMENT* doc, StorageKind* type = nullptr);
const TRANSACT* listingTransactAtIndex(const LISTING* listing, long index, const DOCUMENT* doc,
                                       StorageKind* type = nullptr);
// A copy of that transaction, mark cleared; none when missing.
std::optional<TRANSACT> listingTransactCopyAtIndex(const LISTING* listing, long index, const DOCUMENT* doc);
// The occurrence copy at a storage index; null outside the list.
TRANSACT* listingEcheanceOccurrenceAtIndex(LISTING* listing, long storageIndex);
const TRANSACT* listingEcheanceOccurrenceAtIndex(const LISTING* listing, long storageIndex);
TRANSACT* listingPrevisionOccurrenceAtIndex(LISTING* listing, long storageIndex);
const TRANSACT* listingPrevisionOccurrenceAtIndex(const LISTING* listing, long storageIndex);
// Appends a copy to the listing's storage; its storage index, -1 without a listing.
long listingAddEcheanceOccurrence(const TRANSACT& transact, LISTING* listing);
long listingAddPrevisionOccurrence(const TRANSACT& transact, LISTING* listing);
// None outside the rows.
std::optional<MultiState> listingMultiStateAtIndex(const LISTING* listing, long index);
// amount is left as it is outside the rows.
void listingCumulAtIndex(const LISTING* listing, long index, MONTANT& amount);
bool listingMarkAtIndex(const LISTING* listing, long index);
void listingSetMarkAtIndex(LISTING* listing, long index, bool flag);
// The block gets each row with its index; setting stop ends the walk.
void enumerateListingPositions(LISTING* listing, const std::function<void(POS&, long, bool&)>& block);
// The first row with that storage; false and *index -1 when none. index may be null.
bool listingFindPosition(long storageIndex, StorageKind storageType, const LISTING* listing, long* index);
// First and last index of the consecutive rows around index sharing its storage (a transaction's
// head and line rows). An index outside the rows gives first = last = index.
void listingTransactLineRange(const LISTING* listing, long index, long* first, long* last);

// What a row stands for by its split-line state.
struct ListingLine {
    bool counts = false; // in balances: None, Collapsed, CollapsedFiltered and Line rows
    bool isTransactionRow = false; // None to Head
    bool isExpandedHead = false;
    long multiIndex = -1; // the split line of a line row
    // A plain transaction row shows its transaction's solde (its own amount when the
    // transaction is missing), every other row its own amount.
    MONTANT amount;
};
// Nothing counts outside the rows.
ListingLine listingLineMontant(const LISTING* listing, long index, const TRANSACT* transact);

// ---- Changing rows ---------------------------------------------------------------------------------

// The row (mark cleared, running balance zero) inserted at index, held to 0..count.
void newListingPos(LISTING* listing, long index, POS row);

// A row to place by listingInsertPositionSorted.
struct ListingInsert {
    const TRANSACT* transact = nullptr; // what the row shows; it orders the row
    long storageIndex = 0;
    StorageKind storageType = StorageKind::Transact;
    // The listing's category and folder filter (-1: none), which gives a split row its state.
    long posteID = -1;
    long dossierID = -1;
    long pchronoIndex = -1;
    const MONTANT* amount = nullptr; // null: the transaction's solde
    const AnalyseMetadataList* metadata = nullptr; // copied into the row
    double date1 = 0; // the span the row stands for
    double date2 = 0;
};
// Inserts a row at its sorted place (never inside an expanded transaction's rows) and answers
// that place; -1 without a listing. The row's amount is the given one, else the transaction's
// solde; its state is None without split lines, else Collapsed when posteID and dossierID are
// both negative (no filter), else CollapsedFiltered. Defaut sorts by the listing's defaultSort;
// NoSort appends.
long listingInsertPositionSorted(const ListingInsert& row, LISTING* listing, const DOCUMENT* doc);
// Building a listing of many rows. Between these two calls listingInsertPositionSorted appends
// its rows (and answers where they are for now); the end places them all in one sort, leaving
// exactly the order, ties included, that placing each as it came would have given, without
// moving every row once per insertion. Meanwhile the rows are not in order. A row is ordered by
// the transaction its storage names, which must be the one its insertion was given. The rows
// already there must be in the listing's order.
void listingBeginBulkInsert(LISTING* listing);
void listingEndBulkInsert(LISTING* listing, const DOCUMENT* doc);

void listingRemovePosAtIndex(LISTING* listing, long index);
// Removes the rows of the transaction shown at index: its head and line rows.
void listingRemoveTransactLines(long index, LISTING* listing);
// A document transaction was deleted: every transaction row at or above its index moves down by
// one. Occurrence rows are left alone. The deleted transaction's own rows are to be removed first.
void listingShiftAfterDelete(long deletedIndex, LISTING* listing);

// ---- Split lines -----------------------------------------------------------------------------------

// Shows the split lines of a collapsed split transaction (Collapsed or CollapsedFiltered) below
// it, in reverse order of its lines; the head goes to Head. A line counts (Line) without a filter
// or when it matches it: its category is posteID (when >= 0) and, when dossierID >= 0, its
// category lies in that folder (a category not found keeps the match); else LineOut. Any other
// row or index is left alone.
void listingExpandMultiAtIndex(LISTING* listing, long index, const DOCUMENT* doc, long posteID, long dossierID);
// Hides the line rows of an expanded head again; the head goes back to Collapsed (no filter) or
// CollapsedFiltered. Any other row or index is left alone.
void listingCollapseMultiAtIndex(LISTING* listing, long index, long posteID, long dossierID);
void listingExpandAllMultis(LISTING* listing, long posteID, long dossierID, const DOCUMENT* doc);
void listingCollapseAllMultis(LISTING* listing, long posteID, long dossierID);

// Orders the rows by another sort kind, every expanded transaction collapsed first. Each row
// keeps its own amount and split-line state, so a row of a filtered split transaction still
// shows its matching lines' sum; marks and running balances start over as in a new row. Rows
// tied under the new kind come out in the reverse of their previous order.
void listingResort(LISTING* listing, ListingSort sort, long posteID, long dossierID, const DOCUMENT* doc);

// ---- Balances and periods --------------------------------------------------------------------------

// Fills every row's running balance from the opening amount: a row that counts takes its amount
// off when its transaction debits the account (the user's own accounts for an ident below 0)
// and adds it when it credits it; other rows repeat the balance before them. Under date
// descending the walk goes from the last (oldest) row up.
void listingComputeCumuls(LISTING* listing, long compteID, const MONTANT& opening, const DOCUMENT* doc);
// The net of the transactions' own rows (None to Head, line rows left out) for the account:
// credits minus debits.
void listingSoldeForCompte(const LISTING* listing, long compteID, MONTANT& amount, const DOCUMENT* doc);
