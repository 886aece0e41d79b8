#pragma once
// A transaction template bound to a key character.
#include "model/TRANSACT.h"

class MACRO {
public:
    char16_t ch = 0;
};
using MacroList = QList<MACRO>;
