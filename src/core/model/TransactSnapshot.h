#pragma once
// Transactions as they stood when a question was asked about them, found again when the answer
// comes. A question leaves the other windows at work: a transaction made or deleted before it
// moves it, an edit changes it, and a twin alike in every field (a paste, a second purchase) may
// stand anywhere. Each is found by its identity (TRANSACT.h), wherever it now stands, and only
// while it holds exactly what was taken: one changed or deleted since is not found, and a twin
// never answers for it. Finding costs nothing more when every transaction is where it was, and one
// pass over the document otherwise, never one pass per transaction taken.
#include "model/TRANSACT.h"

#include <unordered_set>
#include <vector>

class DOCUMENT;

class TransactSnapshot {
public:
    TransactSnapshot() = default;
    // The transactions at those positions of the document.
    TransactSnapshot(const std::vector<long>& positions, const DOCUMENT& doc);

    // Takes the transaction at that position; a position outside the list, or taken already, is
    // passed over.
    void take(long position, const DOCUMENT& doc);
    long count() const { return long(m_taken.size()); }
    bool isEmpty() const { return m_taken.empty(); }

    // The positions, increasing, where the taken transactions stand now, unchanged.
    std::vector<long> findIn(const DOCUMENT& doc) const;

private:
    struct Taken {
        long position;
        TRANSACT transact;
    };
    std::vector<Taken> m_taken;
    std::unordered_set<long> m_positions;
};
