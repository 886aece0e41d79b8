#include "HelperSVUtil.h"

#include <algorithm>
#include <vector>

void HelperSVUtil::enumerateBuffer(const char16_t* buffer, long start, long end, const CharBlock& block)
{
    if (!buffer || !block)
        return;
    bool stop = false;
    for (long i = start; i < end && !stop; ++i)
        block(buffer[i], i, stop);
}

void HelperSVUtil::enumerateString(const QString& string, long start, const CharBlock& block)
{
    // The block may change the string it enumerates: it walks a copy.
    const std::vector<char16_t> chars(string.utf16(), string.utf16() + string.size());
    enumerateBuffer(chars.data(), std::max(0L, start), static_cast<long>(chars.size()), block);
}

long findInsertIndex(long first, long last, const std::function<int(long)>& cmp)
{
    if (last < first || cmp(first) >= 0)
        return first;
    if (cmp(last) < 0)
        return last + 1;
    if (last - first < 2)
        return last;
    // Invariant: the element at lo is smaller than the new one, the element at hi is not.
    long lo = first;
    long hi = last;
    while (hi - lo >= 2) {
        const long mid = (lo + hi) / 2;
        if (cmp(mid) < 0)
            lo = mid;
        else
            hi = mid;
    }
    return hi;
}
