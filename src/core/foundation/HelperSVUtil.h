#pragma once
// Character-by-character enumeration with early stop, and the insertion index of a sorted list.
#include <QString>
#include <functional>

class HelperSVUtil {
public:
    // Receives the character, its index and a stop flag (false on entry) the block sets to end early.
    using CharBlock = std::function<void(char16_t c, long index, bool& stop)>;

    // Calls the block for each index from start while it is below end (exclusive).
    static void enumerateBuffer(const char16_t* buffer, long start, long end, const CharBlock& block);
    // Enumerates a copy of the string's characters from start to its length; a negative start
    // begins at 0.
    static void enumerateString(const QString& string, long start, const CharBlock& block);
};

// The index in first..last where a new element goes so that the order holds, before any equal
// element. cmp(index) is negative, 0 or positive as the element at index is smaller than, equal to
// or greater than the new one. When last < first the answer is first.
long findInsertIndex(long first, long last, const std::function<int(long)>& cmp);

// The same with a comparator taking (index, key).
template <typename Key, typename Block>
long findInsertIndexWithBlock(long first, long last, const Key& key, Block&& block)
{
    return findInsertIndex(first, last, [&](long index) { return static_cast<int>(block(index, key)); });
}
