#include "SystemClock.h"

#include <QDateTime>
#include <ctime>

namespace {
std::optional<double> g_now;
std::optional<uint64_t> g_ticks;
} // namespace

double SystemClock::now()
{
    if (g_now)
        return *g_now;
    return static_cast<double>(QDateTime::currentMSecsSinceEpoch()) / 1000.0 - kReferenceDateOffset;
}

uint64_t SystemClock::ticks()
{
    if (g_ticks)
        return *g_ticks;
    timespec ts {};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    const unsigned __int128 ns
        = static_cast<unsigned __int128>(ts.tv_sec) * 1000000000u + static_cast<unsigned>(ts.tv_nsec);
    return static_cast<uint64_t>(ns * 60u / 1000000000u);
}

void SystemClock::setNowForTesting(std::optional<double> absoluteTime)
{
    g_now = absoluteTime;
}
void SystemClock::setTicksForTesting(std::optional<uint64_t> ticks)
{
    g_ticks = ticks;
}
