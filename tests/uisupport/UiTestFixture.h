#pragma once
// The fixture of window tests: a fresh test host installed for each test, and the application
// parameters read afresh, so no test sees another's answers, timers or settings. The host lives
// for the whole fixture object, so a derived fixture's members may use it when they are built
// and when they are destroyed; its unused expectations fail the test at that point.
#include "TestUiHost.h"

#include "document/APPLIPARAM.h"

#include <gtest/gtest.h>

#include <memory>

class UiTestFixture : public ::testing::Test {
protected:
    UiTestFixture()
        : m_host((APPLIPARAM::disposeAppliParam(), std::make_unique<TestUiHost>()))
    {
        UiHost::install(m_host.get());
    }

    ~UiTestFixture() override
    {
        UiHost::install(nullptr);
        m_host.reset();
        APPLIPARAM::disposeAppliParam();
    }

    TestUiHost& ui() { return *m_host; }

private:
    std::unique_ptr<TestUiHost> m_host;
};
