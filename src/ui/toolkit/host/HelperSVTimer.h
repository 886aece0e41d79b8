#pragma once
// Blocks run on the main loop after a delay, through the host's scheduler. A timer in the default
// mode waits while a modal run is open; one in the modal-panel mode fires inside it too.
#include "toolkit/host/UiHost.h"

#include <functional>
#include <memory>

// A block timer. A scheduled timer lives on by itself until it has fired (or, when repeating,
// until invalidated): the caller may drop its reference.
class SVTimer : public std::enable_shared_from_this<SVTimer> {
public:
    SVTimer(double interval, std::function<void()> block, bool repeats);

    // Schedules the timer in the mode given; a timer already scheduled is moved to this mode
    // and starts its interval again.
    void schedule(IScheduler::Mode mode = IScheduler::Mode::Default);
    // Stops the timer for good; its block is dropped.
    void invalidate();
    bool isValid() const { return m_valid; }
    // Runs the block now; a non-repeating timer is then invalid.
    void fire();

    double timeInterval() const { return m_interval; }
    bool repeats() const { return m_repeats; }

private:
    double m_interval;
    std::function<void()> m_block;
    bool m_repeats;
    bool m_valid = true;
    UiHost* m_host = nullptr; // the host it was scheduled on
    IScheduler::Handle m_handle = 0;
};

// A timer scheduled at once in the default mode.
std::shared_ptr<SVTimer> scheduledTimerWithTimeInterval(double interval, std::function<void()> block, bool repeats);
// The same timer, not scheduled yet.
std::shared_ptr<SVTimer> timerWithTimeInterval(double interval, std::function<void()> block, bool repeats);

class HelperSVTimer {
public:
    // Runs the block once after the interval (seconds), also during modal runs when modal is set.
    static void fireBlockAfterInterval(double interval, bool modal, std::function<void()> block);
};

// Seconds as the scheduler's milliseconds, never negative.
int timerIntervalMs(double seconds);
