#include "IDesktop.h"

namespace {
IDesktop* g_desktop = nullptr;
}

IDesktop* desktop()
{
    return g_desktop;
}
void installDesktop(IDesktop* d)
{
    g_desktop = d;
}

void HelperSVWorkspace::tryToOpenFileAtPath(const QString& path)
{
    if (!g_desktop)
        return;
    if (!g_desktop->openFile(path))
        g_desktop->revealFile(path);
}

bool openURLString(const QString& url)
{
    return g_desktop && g_desktop->openURL(url);
}

void beep()
{
    if (g_desktop)
        g_desktop->beep();
}
