#pragma once
// The frame every small editor and question shares: its parts from top to bottom, then the
// Cancel/OK row, in the same margins. The buttons are made after the parts, so that they come
// last in the tab order.
#include "toolkit/dialogs/CancelOkButtons.h"

#include <initializer_list>

class QObject;
class QVBoxLayout;
class StdWindow;

struct EditorFrame {
    QVBoxLayout* layout;
    CancelOkRow buttons;
};

// The window's layout in the editors' margins, empty.
QVBoxLayout* editorLayout(StdWindow& window, int spacing = 14);
// Lays the window out: each part is a layout or a widget; spacing between the rows.
EditorFrame layOutEditor(StdWindowController& controller, StdWindow& window, std::initializer_list<QObject*> parts,
                         int spacing = 14);
