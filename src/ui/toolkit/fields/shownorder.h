#pragma once
// The order in which a window shows its controls, as a reader goes: down a column or a group, then
// the next one; a row's controls left to right. The window's focus chain is put in that order, and
// Tab, Shift+Tab, the move on after a field of a date and the move after a pick all walk it, never
// the order in which the widgets were made, which puts a control built late (a name above an
// embedded planner) after the controls it shows above.

class QWidget;

// Qt's own test of a Tab stop of the window that holds the widget.
bool isTabStop(const QWidget* widget);

// Whether the widget takes typed text (a text field), as opposed to a button or a pop-up.
bool takesTypedText(const QWidget* widget);

// Puts the focus chain of the window in the order it shows its controls, hidden and disabled ones
// included, so that they take their place when they show; a list in it is one stop of that order,
// leaving Tab and Shift+Tab to the window rather than moving between its cells. Answers the first
// control of that order (null when none takes the keyboard). Cheap when the chain is in order
// already.
QWidget* orderFocusChain(QWidget* window);

// Where the window's keyboard goes as it opens: the first Tab stop of its shown order that takes
// typed text or is a list holding rows (a list window's list, unless a field comes before it),
// else its first Tab stop; null when it has none.
QWidget* firstKeyStop(QWidget* window);

// Where Tab (next) or Shift+Tab goes from the window's focus widget: the Tab stop beside it in the
// window's shown order, coming round at either end; null when the window has none.
QWidget* tabStopBeside(QWidget* window, bool next);

// The first Tab stop after from in its window's focus chain, put in the shown order, that accepts
// allows (any stop when accepts is null); null when none lies after it: the walk stops at the end
// of the window's order, never coming round to a control before from.
QWidget* nextShownStop(const QWidget* from, bool (*accepts)(const QWidget*) = nullptr);
