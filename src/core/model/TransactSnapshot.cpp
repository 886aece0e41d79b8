#include "TransactSnapshot.h"

#include "model/DOCUMENT.h"

#include <algorithm>
#include <cstdint>
#include <unordered_map>

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
    m_taken.push_back({position, doc.transact_array.at(position).copyOfTransact()});
}

std::vector<long> TransactSnapshot::findIn(const DOCUMENT& doc) const
{
    const TransactList& stored = doc.transact_array;
    std::vector<long> found;
    std::unordered_map<std::uint64_t, const TRANSACT*> moved;
    for (const Taken& taken : m_taken) {
        const TRANSACT* there = taken.position < stored.size() ? &stored.at(taken.position) : nullptr;
        if (!there || there->identity != taken.transact.identity)
            moved.emplace(taken.transact.identity, &taken.transact);
        else if (*there == taken.transact)
            found.push_back(taken.position);
    }
    for (long position = 0; position < stored.size() && !moved.empty(); ++position) {
        const auto same = moved.find(stored.at(position).identity);
        if (same == moved.end())
            continue;
        if (*same->second == stored.at(position))
            found.push_back(position);
        moved.erase(same);
    }
    std::sort(found.begin(), found.end());
    return found;
}
