#pragma once
// Whether the Edit menu's commands apply to what has the keyboard in a window.
class QWidget;

enum class EditCommand { Copy, Paste, Cut, SelectAll, Delete };

// The command on the window's first responder (its focus widget, or the window itself). A text
// view (plain or rich text edit, line edit) answers by its own canCopy(), canPaste()... when it
// defines one, else by its content: copy, cut and delete need a selection, select-all needs
// text, paste always applies. Any other responder gets `otherwise`; no window, false.
bool validateEditCommand(const QWidget* window, EditCommand command, bool otherwise);
