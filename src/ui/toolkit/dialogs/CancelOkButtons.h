#pragma once
// The closing row of a small editor: Cancel (NON:) then OK (OUI:, the default button) at the
// right, Escape clicking Cancel.
class QHBoxLayout;
class StdWindow;
class StdWindowController;

// The row, its buttons in the window and sending their actions to the controller; the caller
// places it in its layout.
QHBoxLayout* cancelOkButtons(StdWindowController& controller, StdWindow& window);
