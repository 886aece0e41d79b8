#pragma once
// The closing row of a small editor: Cancel (NON:) then OK (OUI:, the default button) at the
// right, Escape clicking Cancel.
class QHBoxLayout;
class QPushButton;
class QWidget;
class StdWindowController;

// The row, its buttons in the window and sending their actions to the controller; the caller
// places it in its layout. ok and cancel, when given, get the buttons.
QHBoxLayout* cancelOkButtons(StdWindowController& controller, QWidget& window, QPushButton** ok = nullptr,
                             QPushButton** cancel = nullptr);
// The same row without the Escape key, for the windows that never gave it to Cancel. ok and
// cancel, when given, get the buttons.
QHBoxLayout* cancelOkRow(StdWindowController& controller, QWidget& window, QPushButton** ok = nullptr,
                         QPushButton** cancel = nullptr);
