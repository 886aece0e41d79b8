#include "ISounds.h"

namespace {
ISounds* g_sounds = nullptr;
}

ISounds* sounds()
{
    return g_sounds;
}
void installSounds(ISounds* s)
{
    g_sounds = s;
}
