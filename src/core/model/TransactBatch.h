#pragma once
// A change of many transactions at once (a multiple edit, a deletion of many rows, rules applied
// to a list, an import). While a batch is open on a document, makeTransact, replaceTransact and
// deleteTransact on it change the list at once, as always, but leave the statements and the
// windows to the batch:
//  - each statement concerned is recomputed once, in one pass over the transactions;
//  - the windows hear of a run of changes of one kind once (a run of one as the operation alone
//    tells it):
//      replacements  didReplaceTransactAtIndexes(the positions in order, keepSelection of the last)
//      deletions     didDeleteTransactAtIndexes(the positions in order, each as deleteTransact
//                    told it: later ones count the earlier ones as gone)
//      appends       MAKE_TRANSACT(the last position told, true), as a batch of appends told it
//    then, when one of them was told as the last of its batch, the transaction sound and
//    UPDATE_AVENIR, COMPUTE_ANALYSE_NOTIFICATION and DID_CHANGE_TRANSACT once.
// A window ends in the state the broadcasts made one transaction at a time would have left it
// in, having rebuilt its list once instead of once a transaction.
//
// The statements and the windows catch up when the kind of change differs from the run before
// (so the positions told are those of the list as it stood), on flush() and when the outermost
// batch ends. A batch opened while another is open joins it. Main thread only.
#include "model/ReleveCompute.h"

#include <QVariantList>

class DOCUMENT;

class TransactBatch {
public:
    explicit TransactBatch(DOCUMENT* doc);
    ~TransactBatch();
    TransactBatch(const TransactBatch&) = delete;
    TransactBatch& operator=(const TransactBatch&) = delete;

    // Brings the statements and the windows up to date now; the batch stays open.
    void flush();

    // ---- What the transaction operations hand over (TransactOps.cpp)

    enum class Change { Make, Replace, Delete };
    // The batch open on that document, null when there is none.
    static TransactBatch* openOn(const DOCUMENT* doc);
    // Before a change of the list: a run of another kind is told first.
    void willChange(Change change);
    void deferReleve(const ReleveSpot& spot);
    void didMake(long index, bool notify, bool isLast);
    void didReplace(long index, bool notify, bool isLast, bool keepSelection);
    void didDelete(long index, bool notify, bool isLast);

private:
    void tellWindows();

    DOCUMENT* m_doc;
    bool m_outermost;
    Change m_change = Change::Make;
    QList<ReleveSpot> m_releves;
    QVariantList m_positions; // replaced or deleted, told
    long m_lastMade = -1;
    bool m_keepSelection = false;
    bool m_last = false; // a change told as the last of its batch: sound and follow-ups
};
