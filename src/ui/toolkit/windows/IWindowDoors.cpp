#include "toolkit/windows/IWindowDoors.h"

namespace {

IWindowDoors* g_doors = nullptr;

} // namespace

IWindowDoors* windowDoors()
{
    return g_doors;
}

void installWindowDoors(IWindowDoors* doors)
{
    g_doors = doors;
}
