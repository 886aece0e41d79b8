#include "ISyncWindows.h"

namespace {
ISyncWindows* g_windows = nullptr;
}

ISyncWindows* syncWindows()
{
    return g_windows;
}

void installSyncWindows(ISyncWindows* windows)
{
    g_windows = windows;
}
