#include "SyncClock.h"

#include <QTimer>

namespace {

class QtIdleTimer : public IIdleTimer {
public:
    explicit QtIdleTimer(std::function<void()> onTimeout)
    {
        m_timer.setSingleShot(true);
        QObject::connect(&m_timer, &QTimer::timeout, std::move(onTimeout));
    }
    void restart(int ms) override { m_timer.start(ms); }
    void stop() override { m_timer.stop(); }

private:
    QTimer m_timer;
};

class QtSyncClock : public ISyncClock {
public:
    std::unique_ptr<IIdleTimer> makeIdleTimer(std::function<void()> onTimeout) override
    {
        return std::make_unique<QtIdleTimer>(std::move(onTimeout));
    }
};

QtSyncClock g_qtClock;
ISyncClock* g_clock = nullptr;

} // namespace

ISyncClock& syncClock()
{
    return g_clock ? *g_clock : g_qtClock;
}

void installSyncClock(ISyncClock* clock)
{
    g_clock = clock;
}
