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
// day goes back into the fields, in the system font of that size, the field that takes text after
// the year takes the keyboard with its text selected, and the answer is true; on Cancel nothing
// changes, the keyboard included. An absent field is left out.
bool pickDateForField(StdWindowController* window, StdTextView* dayField, StdTextView* monthField,
                      StdTextView* yearField, double fontSize);

// The first field after the view, in its window's Tab order, that takes typed text; null when none.
QWidget* nextTypingField(QWidget* view);

// Where the program puts the keys after a date is picked: in the field, its text selected.
void giveTypingFieldKeyboard(QWidget* field);
