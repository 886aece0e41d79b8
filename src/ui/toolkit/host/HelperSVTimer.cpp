#include "toolkit/host/HelperSVTimer.h"

#include "foundation/diagnostics.h"

#include <algorithm>
#include <cmath>
#include <limits>

int timerIntervalMs(double seconds)
{
    if (!(seconds > 0))
        return 0;
    const double ms = std::round(seconds * 1000.0);
    return ms >= std::numeric_limits<int>::max() ? std::numeric_limits<int>::max() : static_cast<int>(ms);
}

SVTimer::SVTimer(double interval, std::function<void()> block, bool repeats)
    : m_interval(interval)
    , m_block(std::move(block))
    , m_repeats(repeats)
{
}

void SVTimer::schedule(IScheduler::Mode mode)
{
    // The scheduler's call keeps the timer alive until it fires for the last time, so only a
    // timer made by the functions below (held by a shared pointer) can be scheduled.
    const std::shared_ptr<SVTimer> self = weak_from_this().lock();
    if (!m_valid || !SV_ASSERT(self))
        return;
    if (m_host && m_host == UiHost::installed())
        m_host->scheduler().cancel(m_handle);
    m_host = &UiHost::instance();
    auto call = [self] { self->fire(); };
    IScheduler& scheduler = m_host->scheduler();
    // A repeating timer never spins: its period is at least one millisecond.
    const int ms = m_repeats ? std::max(timerIntervalMs(m_interval), 1) : timerIntervalMs(m_interval);
    m_handle = m_repeats ? scheduler.every(ms, mode, call) : scheduler.after(ms, mode, call);
}

void SVTimer::invalidate()
{
    if (!m_valid)
        return;
    m_valid = false;
    m_block = nullptr;
    if (m_host && m_host == UiHost::installed())
        m_host->scheduler().cancel(m_handle);
    m_host = nullptr;
}

void SVTimer::fire()
{
    if (!m_valid)
        return;
    // The block may invalidate this timer (dropping m_block) while it runs.
    const std::function<void()> block = m_block;
    if (!m_repeats)
        invalidate();
    if (block)
        block();
}

std::shared_ptr<SVTimer> timerWithTimeInterval(double interval, std::function<void()> block, bool repeats)
{
    return std::make_shared<SVTimer>(interval, std::move(block), repeats);
}

std::shared_ptr<SVTimer> scheduledTimerWithTimeInterval(double interval, std::function<void()> block, bool repeats)
{
    auto timer = timerWithTimeInterval(interval, std::move(block), repeats);
    timer->schedule(IScheduler::Mode::Default);
    return timer;
}

void HelperSVTimer::fireBlockAfterInterval(double interval, bool modal, std::function<void()> block)
{
    const auto mode = modal ? IScheduler::Mode::ModalPanel : IScheduler::Mode::Default;
    UiHost::instance().scheduler().after(timerIntervalMs(interval), mode, std::move(block));
}
