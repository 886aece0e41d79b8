#include "toolkit/windows/IWindowAppDelegate.h"

namespace {

IWindowAppDelegate* g_appDelegate = nullptr;

} // namespace

void setWindowAppDelegate(IWindowAppDelegate* delegate)
{
    g_appDelegate = delegate;
}

IWindowAppDelegate* windowAppDelegate()
{
    return g_appDelegate;
}
