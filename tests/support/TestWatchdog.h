// A test that hangs ends the run with its name, rather than holding the suite until something
// outside kills it without saying where.
#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

class TestWatchdog : public ::testing::EmptyTestEventListener {
public:
    explicit TestWatchdog(std::chrono::seconds limit);
    ~TestWatchdog() override;
    TestWatchdog(const TestWatchdog&) = delete;
    TestWatchdog& operator=(const TestWatchdog&) = delete;

    // The limit in seconds from SORV_TEST_TIME_LIMIT when it is set, else the one given.
    static std::chrono::seconds limitFromEnvironment(std::chrono::seconds fallback);

    void OnTestStart(const ::testing::TestInfo& test) override;
    void OnTestEnd(const ::testing::TestInfo& test) override;

private:
    void watch();

    const std::chrono::seconds m_limit;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::string m_running; // empty between tests
    unsigned long m_generation = 0; // one more at every start and end
    std::chrono::steady_clock::time_point m_started;
    bool m_stopping = false;
    std::thread m_thread;
};
