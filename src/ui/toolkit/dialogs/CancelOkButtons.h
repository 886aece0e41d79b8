#pragma once
// The closing row of a small editor: Cancel (NON:) then OK (OUI:, the default button) at the
// right, Escape clicking Cancel.
class QHBoxLayout;
class QPushButton;
class QWidget;
class StdWindowController;

struct CancelOkRow {
    QHBoxLayout* row;
    QPushButton* cancel;
    QPushButton* ok;
};

// The row, its buttons in the window and sending their actions to the controller; the caller
// places it in its layout. Escape is Cancel in every window with this row: it changes nothing.
CancelOkRow cancelOkRow(StdWindowController& controller, QWidget& window);
// The same row alone; ok, when given, gets the OK button.
QHBoxLayout* cancelOkButtons(StdWindowController& controller, QWidget& window, QPushButton** ok = nullptr);
