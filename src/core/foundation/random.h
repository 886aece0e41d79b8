#pragma once
// Random numbers: idents come from the system's cryptographic generator; the library generator
// is seeded once with the time for the few places that want a cheap draw.

// Seeds the library random generator with the current time in seconds.
void initRandomSeed();

// A number from 1 to n (n >= 1; a smaller n is taken as 1).
long randomInRange(long n);

// A draw of the library generator, 0..2^31-1.
long libraryRandom();
