// A test that hangs ends the run with its name, rather than holding the suite until something
// outside kills it without saying where.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

class TestWatchdog : public ::testing::EmptyTestEventListener {
public:
    // The limit is SORV_TEST_TIME_LIMIT's, in seconds, when it is set.
    explicit TestWatchdog(std::chrono::seconds limit);
    ~TestWatchdog() override;
    TestWatchdog(const TestWatchdog&) = delete;
    TestWatchdog& operator=(const TestWatchdog&) = delete;

    void OnTestStart(const ::testing::TestInfo& test) override;
    void OnTestEnd(const ::testing::TestInfo& test) override;

private:
    void started(std::string running);

    std::chrono::seconds m_limit;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::string m_running; // empty between tests and once the run is over
    unsigned long m_starts = 0;
    bool m_over = false;
    std::thread m_thread;
};
