#pragma once
// The typed values of the entry window that a check must look at before they become a
// transaction: a date the calendar can hold, and an amount a double can hold.
#include <QString>

// The date of the day, month and year typed (a two-digit year expanded as the date fields do);
// false when the three are empty or zero, or when the year falls outside 1 to 9999.
bool saisieDateFromFields(const QString& day, const QString& month, const QString& year, double* out);

// The number an amount's text stands for, with a decimal comma or point; false (and 0) for a text
// without digits and for a value too large for a double.
bool saisieMontantTextValue(const QString& text, double* value);
// Whether the amount typed is a number a double holds (an empty field counts as zero): a lone
// sign, and digits too many for a double, are not.
bool saisieMontantTextIsNumber(const QString& text);
