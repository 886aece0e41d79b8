#include "idents.h"

#include "foundation/random.h"

long newRandomIdent(const std::function<bool(long)>& inUse)
{
    constexpr int kDraws = 64;
    for (int i = 0; i < kDraws; ++i) {
        const long id = randomInRange(kMaxRandomIdent);
        if (id > kLastFixedIdent && !inUse(id))
            return id;
    }
    for (long id = kLastFixedIdent + 1; id <= kMaxRandomIdent; ++id) {
        if (!inUse(id))
            return id;
    }
    return -1;
}
