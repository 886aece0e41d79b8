#include "random.h"

#include <QRandomGenerator>
#include <cstdlib>
#include <ctime>

void initRandomSeed()
{
    srandom(static_cast<unsigned>(time(nullptr)));
}

long randomInRange(long n)
{
    if (n < 1)
        n = 1;
    // An unsigned draw: the absolute value of the most negative signed draw stays negative,
    // which would give an ident of 0 or below.
    const quint32 v = QRandomGenerator::system()->generate();
    return 1 + static_cast<long>(v % static_cast<quint64>(n));
}

long libraryRandom()
{
    return random();
}
