#pragma once
// The calendar run modally to pick a date. It is the plain calendar under another class, so that
// looking for the open plain calendar never finds a picker (nor the reverse).
#include "toolkit/dialogs/FenCalendrierController.h"

class StdTextView;

class FenCalendrierController2 : public FenCalendrierController {
    Q_OBJECT
};

// The date control of every window: runs the picker on the date of the day, month and year
// fields (today when they hold none) as a sheet on the window when one is given. On OK the chosen
// day goes back into the fields, in the system font of that size, and the view after the year
// field takes the keyboard; on Cancel nothing changes. An absent field is left out.
void pickDateForField(StdWindowController* window, StdTextView* dayField, StdTextView* monthField,
                      StdTextView* yearField, double fontSize);
