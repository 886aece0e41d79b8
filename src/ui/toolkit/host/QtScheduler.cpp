#include "toolkit/host/QtScheduler.h"

#include <QTimer>

#include <algorithm>
#include <utility>

IScheduler::Handle QtScheduler::after(int ms, Mode mode, std::function<void()> fn, QObject* context)
{
    return add(ms, mode, std::move(fn), context, false);
}

IScheduler::Handle QtScheduler::every(int ms, Mode mode, std::function<void()> fn, QObject* context)
{
    return add(ms, mode, std::move(fn), context, true);
}

IScheduler::Handle QtScheduler::add(int ms, Mode mode, std::function<void()> fn, QObject* context, bool repeats)
{
    const Handle handle = newHandle();
    auto* timer = new QTimer(this);
    timer->setSingleShot(!repeats);
    timer->setTimerType(Qt::PreciseTimer);
    timer->setInterval(std::max(ms, 0));
    connect(timer, &QTimer::timeout, this, [this, handle] { timeout(handle); });
    m_entries.emplace(handle, Entry {timer, mode, std::move(fn), context, context != nullptr, repeats, false});
    timer->start();
    return handle;
}

void QtScheduler::cancel(Handle handle)
{
    const auto it = m_entries.find(handle);
    if (it == m_entries.end())
        return;
    it->second.timer->stop();
    it->second.timer->deleteLater();
    m_entries.erase(it);
}

void QtScheduler::timeout(Handle handle)
{
    const auto it = m_entries.find(handle);
    if (it == m_entries.end())
        return;
    Entry& entry = it->second;
    if (entry.mode == Mode::Default && m_depth > 0) {
        if (!entry.held) {
            entry.held = true;
            m_held.push_back(handle);
        }
        return;
    }
    fire(handle);
}

// The entry may be cancelled or the scheduler asked again from inside fn: nothing of it is used
// once fn has started.
void QtScheduler::fire(Handle handle)
{
    const auto it = m_entries.find(handle);
    Entry& entry = it->second;
    if (entry.hasContext && !entry.context) {
        cancel(handle);
        return;
    }
    const std::function<void()> fn = entry.fn;
    if (!entry.repeats)
        cancel(handle);
    if (fn)
        fn();
}

void QtScheduler::setModalDepth(int depth)
{
    m_depth = depth;
    if (m_depth > 0 || m_held.empty() || m_releasePosted)
        return;
    m_releasePosted = true;
    QMetaObject::invokeMethod(this, &QtScheduler::releaseHeld, Qt::QueuedConnection);
}

void QtScheduler::releaseHeld()
{
    m_releasePosted = false;
    // A modal run opened before the event loop came round: the calls wait for its end.
    if (m_depth > 0)
        return;
    const std::vector<Handle> held = std::exchange(m_held, {});
    for (const Handle handle : held) {
        const auto it = m_entries.find(handle);
        if (it == m_entries.end() || !it->second.held)
            continue;
        it->second.held = false;
        fire(handle);
    }
}
