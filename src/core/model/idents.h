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

// Gives every entry of the list whose ident is negative a fresh one, newID(list). A negative ident
// means "none" to every reference, so an entry read without one would be taken for the absence of
// an entity; the idents are drawn once the whole list is read, so none can collide with an ident
// that comes later in the file.
template <typename List, typename NewID> void giveIdentsToEntriesWithout(List& list, NewID newID)
{
    for (auto& entry : list) {
        if (entry.ident < 0)
            entry.ident = newID(list);
    }
}
