#pragma once
// An application delegate without a tool palette, for windows that ask for one, as the statement
// window in tick mode does.
#include "toolkit/windows/IWindowAppDelegate.h"

class NoToolPaletteApp : public IWindowAppDelegate {
public:
    void windowDidBecomeMain(StdWindow*) override { }
    void windowDidResignMain(StdWindow*) override { }
    StdWindowController* getPaletteTool() override { return nullptr; }
};
