#include "TransactSnapshot.h"

#include "model/DOCUMENT.h"

#include <QHashFunctions>

#include <algorithm>
#include <unordered_map>

namespace {

// A few fields that tell most transactions apart, cheap to read: equal transactions have equal
// keys, and a key shared by two different ones only costs a comparison.
size_t contentKey(const TRANSACT& t)
{
    return qHashMulti(0, t.when, t.who1, t.who2, t.posteID, t.solde.values[0], t.why);
}

} // namespace

TransactSnapshot::TransactSnapshot(const std::vector<long>& positions, const DOCUMENT& doc)
{
    m_taken.reserve(positions.size());
    for (const long position : positions)
        take(position, doc);
}

void TransactSnapshot::take(long position, const DOCUMENT& doc)
{
    if (position < 0 || position >= doc.transact_array.size() || !m_positions.insert(position).second)
        return;
    const TRANSACT& stored = doc.transact_array.at(position);
    m_taken.push_back({position, stored.copyOfTransact(), contentKey(stored)});
}

std::vector<long> TransactSnapshot::findIn(const DOCUMENT& doc) const
{
    const TransactList& stored = doc.transact_array;
    std::unordered_set<long> found;
    std::unordered_multimap<size_t, const TRANSACT*> moved;
    for (const Taken& taken : m_taken) {
        if (taken.position < stored.size() && stored.at(taken.position) == taken.transact)
            found.insert(taken.position);
        else
            moved.emplace(taken.key, &taken.transact);
    }
    for (long position = 0; position < stored.size() && !moved.empty(); ++position) {
        if (found.count(position))
            continue;
        const TRANSACT& now = stored.at(position);
        const auto [first, last] = moved.equal_range(contentKey(now));
        const auto same = std::find_if(first, last, [&now](const auto& entry) { return *entry.second == now; });
        if (same != last) {
            found.insert(position);
            moved.erase(same);
        }
    }
    std::vector<long> positions(found.begin(), found.end());
    std::sort(positions.begin(), positions.end());
    return positions;
}
