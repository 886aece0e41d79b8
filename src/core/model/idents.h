#pragma once
// How entities get their idents. Banks and accounts, synonyms, logos, schedules and forecasts
// draw a random ident; categories, folders, taxes, investments and cheque books or cards take
// one more than the largest in use.
#include <functional>

inline constexpr long kMaxRandomIdent = 32767;
// Idents 1..5 belong to the fixed banks and accounts of every document.
inline constexpr long kLastFixedIdent = 5;

// A random ident in 6..32767 for which inUse answers false. When the draws keep hitting used
// idents the first free one is taken, and a full range answers -1 rather than looping forever.
long newRandomIdent(const std::function<bool(long)>& inUse);

// 1 + the largest ident, counted as at least 1: the first ident of an empty list is 2.
template <typename List, typename IdentOf> long newMaxIdent(const List& list, IdentOf identOf)
{
    long largest = 1;
    for (const auto& item : list) {
        const long id = identOf(item);
        if (id > largest)
            largest = id;
    }
    return largest + 1;
}
