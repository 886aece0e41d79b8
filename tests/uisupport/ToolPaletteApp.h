#pragma once
// An application delegate whose tool palette is the window given (none until one is), for the
// windows that must appear below it.
#include "toolkit/windows/IWindowAppDelegate.h"

class ToolPaletteApp : public IWindowAppDelegate {
public:
    void windowDidBecomeMain(StdWindow*) override { }
    void windowDidResignMain(StdWindow*) override { }
    StdWindowController* getPaletteTool() override { return tool; }

    StdWindowController* tool = nullptr;
};
