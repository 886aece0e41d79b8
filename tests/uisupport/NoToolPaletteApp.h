#pragma once
// An application delegate without a tool palette, for windows that ask for one, as the statement
// window in tick mode does: the palette delegate with none given.
#include "uisupport/ToolPaletteApp.h"

using NoToolPaletteApp = ToolPaletteApp;
