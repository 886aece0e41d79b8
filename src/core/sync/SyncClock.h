#pragma once
// The idle time-outs of the phone's connections. The program counts them on Qt timers; tests
// install a clock they move by hand, so a silent peer times out without anyone waiting.
#include <functional>
#include <memory>

class IIdleTimer {
public:
    virtual ~IIdleTimer() = default;
    // Starts the count again: the time-out comes ms milliseconds from now unless the timer is
    // restarted or stopped before.
    virtual void restart(int ms) = 0;
    virtual void stop() = 0;
};

class ISyncClock {
public:
    virtual ~ISyncClock() = default;
    // A stopped timer that calls onTimeout, on the main thread, when its count runs out.
    virtual std::unique_ptr<IIdleTimer> makeIdleTimer(std::function<void()> onTimeout) = 0;
};

// The installed clock; the one on Qt timers when none is. A clock outlives the timers it made.
ISyncClock& syncClock();
void installSyncClock(ISyncClock* clock);
