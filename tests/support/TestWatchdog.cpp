#include "TestWatchdog.h"

#include <cstdio>
#include <cstdlib>

// The main thread may be the one stuck, in an event loop nobody ends: the report and the exit
// come from here, without touching anything the tests own.
TestWatchdog::TestWatchdog(std::chrono::seconds limit)
    : m_limit(std::getenv("SORV_TEST_TIME_LIMIT") ? std::chrono::seconds(std::atol(std::getenv("SORV_TEST_TIME_LIMIT")))
                                                  : limit)
    , m_thread([this] {
        std::unique_lock lock(m_mutex);
        while (!m_over) {
            if (m_running.empty()) {
                m_changed.wait(lock);
                continue;
            }
            const unsigned long starts = m_starts;
            if (m_changed.wait_for(lock, m_limit, [&] { return m_starts != starts; }))
                continue;
            std::fprintf(stderr, "\n%s ran for more than %lld s and was stopped: it hangs.\n", m_running.c_str(),
                         static_cast<long long>(m_limit.count()));
            std::fflush(stderr);
            std::quick_exit(124);
        }
    })
{
}

TestWatchdog::~TestWatchdog()
{
    {
        const std::lock_guard lock(m_mutex);
        m_over = true;
        ++m_starts;
    }
    m_changed.notify_all();
    m_thread.join();
}

void TestWatchdog::OnTestStart(const ::testing::TestInfo& test)
{
    started(std::string(test.test_suite_name()) + '.' + test.name());
}

void TestWatchdog::OnTestEnd(const ::testing::TestInfo&)
{
    started({});
}

void TestWatchdog::started(std::string running)
{
    {
        const std::lock_guard lock(m_mutex);
        m_running = std::move(running);
        ++m_starts;
    }
    m_changed.notify_all();
}
