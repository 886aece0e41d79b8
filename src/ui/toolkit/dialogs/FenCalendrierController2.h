#pragma once
// The calendar run modally to pick a date. It is the plain calendar under another class, so that
// looking for the open plain calendar never finds a picker (nor the reverse).
#include "toolkit/dialogs/FenCalendrierController.h"

class StdTextView;

class FenCalendrierController2 : public FenCalendrierController {
    Q_OBJECT
};

class QWidget;

// The date control of every window: runs the picker on the date of the day, month and year
// fields (today when they hold none) as a sheet on the window when one is given. On OK the chosen
// day goes back into the fields, in the system font of that size, the keyboard goes where it
// belongs after the date (keyboardPlaceAfterDate) and the answer is true; on Cancel nothing
// changes, the keyboard included. An absent field is left out.
bool pickDateForField(StdWindowController* window, StdTextView* dayField, StdTextView* monthField,
                      StdTextView* yearField, double fontSize);

// The first field after the view in its window's shown order that takes typed text; null when
// none. Never a field before the view.
QWidget* nextTypingField(QWidget* view);

// Where the keys go after a date whose last field is given: the next field that takes typed text,
// else where a Tab from that field stops (the calendar button), else the field itself; never a
// field before it.
QWidget* keyboardPlaceAfterDate(QWidget* lastField);

// Where the program puts the keys after a date is picked: there, its text selected as a Tab leaves
// it, also when it had the keyboard already.
void giveKeyboardAfterPick(QWidget* place);
