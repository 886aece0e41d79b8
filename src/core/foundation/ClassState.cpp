#include "ClassState.h"

#include "random.h"

namespace {
bool g_started = false;
QStringList g_trace;

template <typename F>
void step(const char* name, F&& f)
{
    f();
    g_trace.append(QString::fromLatin1(name));
}
} // namespace

void ClassState::startup()
{
    if (g_started)
        return;
    g_started = true;
    step("initRandomSeed", initRandomSeed);
}

void ClassState::shutdown()
{
    if (!g_started)
        return;
    g_started = false;
    step("shutdown", [] {});
}

bool ClassState::isStarted() { return g_started; }
const QStringList& ClassState::trace() { return g_trace; }
void ClassState::clearTrace() { g_trace.clear(); }
