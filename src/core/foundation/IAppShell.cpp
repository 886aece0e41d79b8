#include "IAppShell.h"

namespace {
IAppShell* g_shell = nullptr;
}

IAppShell* appShell()
{
    return g_shell;
}
void installAppShell(IAppShell* shell)
{
    g_shell = shell;
}

bool isBankOpen()
{
    return g_shell && g_shell->bankIsOpen();
}
