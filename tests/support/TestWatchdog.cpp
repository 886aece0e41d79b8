#include "TestWatchdog.h"

#include <cstdio>
#include <cstdlib>

TestWatchdog::TestWatchdog(std::chrono::seconds limit)
    : m_limit(limit)
    , m_thread([this] { watch(); })
{
}

TestWatchdog::~TestWatchdog()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_changed.notify_all();
    m_thread.join();
}

std::chrono::seconds TestWatchdog::limitFromEnvironment(std::chrono::seconds fallback)
{
    const char* set = std::getenv("SORV_TEST_TIME_LIMIT");
    const long seconds = set ? std::strtol(set, nullptr, 10) : 0;
    return seconds > 0 ? std::chrono::seconds(seconds) : fallback;
}

void TestWatchdog::OnTestStart(const ::testing::TestInfo& test)
{
    {
        const std::lock_guard lock(m_mutex);
        m_running = std::string(test.test_suite_name()) + '.' + test.name();
        m_started = std::chrono::steady_clock::now();
        ++m_generation;
    }
    m_changed.notify_all();
}

void TestWatchdog::OnTestEnd(const ::testing::TestInfo&)
{
    {
        const std::lock_guard lock(m_mutex);
        m_running.clear();
        ++m_generation;
    }
    m_changed.notify_all();
}

// The main thread may be the one stuck, in an event loop nobody ends: the report and the exit
// come from here, without touching anything the tests own.
void TestWatchdog::watch()
{
    std::unique_lock lock(m_mutex);
    while (!m_stopping) {
        if (m_running.empty()) {
            m_changed.wait(lock);
            continue;
        }
        const unsigned long generation = m_generation;
        if (m_changed.wait_until(lock, m_started + m_limit, [&] { return m_stopping || m_generation != generation; }))
            continue;
        std::fprintf(stderr, "\n%s ran for more than %lld s and was stopped: it hangs.\n", m_running.c_str(),
                     static_cast<long long>(m_limit.count()));
        std::fflush(stderr);
        std::quick_exit(124);
    }
}
