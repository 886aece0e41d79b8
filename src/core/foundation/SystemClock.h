#pragma once
// The one place that reads the wall clock and the monotonic ticks. Tests set both so that
// "today", automatic saves and new-day detection are reproducible.
#include <cstdint>
#include <optional>

// Seconds between 1970-01-01 and 2001-01-01 00:00:00 UTC: absolute times count from the latter.
inline constexpr double kReferenceDateOffset = 978307200.0;

class SystemClock {
public:
    // Absolute time: seconds since 2001-01-01 00:00:00 UTC.
    static double now();
    // Sixtieths of a second since the machine started.
    static uint64_t ticks();

    static void setNowForTesting(std::optional<double> absoluteTime);
    static void setTicksForTesting(std::optional<uint64_t> ticks);
};
