#pragma once
// Once a window has shown, its frame is the user's. Qt grows a window whenever its controls come
// to need more room than it has (a longer text, a control shown): here the window's least size
// stays the one it showed with, and controls that need more than the frame gives scroll inside
// it, whole, instead. A list window whose height follows its rows (StdWindowController::
// canAdjustHeight, with the automatic height of the preferences) keeps its width only: its
// height is still fitted to what it shows.
//
// Frameless windows (the tool palette, the save notice) size themselves and are left alone.
class QWidget;

class StdFrameKeeper {
public:
    // The window's frame is the user's from now on; done once, as it first shows.
    static void keep(QWidget* window);
    // Whether the window's frame is kept.
    static bool isKept(const QWidget* window);
    // When the controls of a kept window need more room than its frame gives, they go into a
    // scroll area (StdWindowPlacement::makeContentScroll). A frame the window manager gave (a
    // tiling manager's) is held to all they need, the height of a window whose height follows its
    // rows included: the program cannot fit that height to them.
    enum class FrameFrom { Program, Manager };
    static void makeRoom(QWidget* window, FrameFrom from = FrameFrom::Program);
};
