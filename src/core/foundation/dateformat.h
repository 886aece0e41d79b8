#pragma once
// Dates as text in the current locale (QLocale()), in the styles 0 none, 1 short, 2 medium,
// 3 long and 4 full. Date styles: short is the locale's short date ("dd/MM/yyyy" in French), long
// its long date without the weekday ("d MMMM yyyy"), medium the long one with abbreviated months
// ("d MMM yyyy"), full the long date with the weekday. Time styles: short is the locale's short
// time ("HH:mm"), medium and long add the seconds ("HH:mm:ss"), full also the time zone's
// abbreviation. Date and time are joined by a space.
#include <QDateTime>
#include <QString>

// "?" when the time can't be formatted or a style is unknown.
QString dateToStringWithStyles(int dateStyle, int timeStyle, double time);
QString nsdateToStringWithStyles(const QDateTime& date, int dateStyle, int timeStyle);
// The same, but a null QString where the others answer "?".
QString copyDateString(int dateStyle, int timeStyle, double time);
// The text as a MacRoman length-prefixed string of at most 255 characters; false and an empty
// string when it can't be formatted or converted.
bool pstrFromDate(unsigned char* out, int dateStyle, int timeStyle, double time);

// Reads what dateToStringWithStyles writes with the same styles, and looser forms of it: one- or
// two-digit fields ("1/2/24"), any separators, month names in any case and with or without
// accents, two-digit years through expandTwoDigitYear, seconds left out. With date style 0 the
// time is taken on today's date. An impossible date (31/02) doesn't parse. On failure *out holds
// the current time, as callers that only want "some date" expect, and the answer is false.
bool parseDateString(const QString& text, double* out, int dateStyle, int timeStyle);
