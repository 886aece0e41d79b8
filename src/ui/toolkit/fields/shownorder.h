#pragma once
// The order in which a window shows its fields: a field comes after another when it lies below it,
// or on its row to its right. Where the keys go after a date follows this order, never the order in
// which the widgets were made, which puts a field built late (a name above an embedded planner)
// after fields it shows above.

class QWidget;

// Qt's own test of a Tab stop of the window that holds the widget.
bool isTabStop(const QWidget* widget);

// Whether the widget takes typed text (a text field), as opposed to a button or a pop-up.
bool takesTypedText(const QWidget* widget);

// The first Tab stop after from, in the order its window shows them, that accepts allows (any stop
// when accepts is null); null when none lies after it. Never a stop above from or to its left.
QWidget* nextShownStop(const QWidget* from, bool (*accepts)(const QWidget*) = nullptr);

// Whether the widget is part of a date as the user types it: its day, month or year field, or the
// calendar button beside them. Tab and the fields' own moving on follow the shown order from there.
bool isDateControl(const QWidget* widget);
