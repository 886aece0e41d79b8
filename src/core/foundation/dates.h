#pragma once
// Absolute times (double seconds since 2001-01-01 00:00:00 UTC, 0 meaning "no date") split into
// and built from day/month/year triples in the local time zone. Recurrences, schedules and
// statements step dates on the triples, one day or one month at a time, and compose once at the
// end, so a daylight-saving change never shifts a result by an hour.
//
// Composition is lenient: a day beyond its month's length carries into the following months,
// day 0 and negative days roll back into the previous ones, and months outside 1..12 move into
// the neighbouring years (31 February 2024 is 2 March 2024, day 0 of March is the last of February).
//
// Step counts n are at most 32767 (larger values count as 32767); n <= 0 leaves the triple unchanged.
// Main thread only.
#include <QDateTime>
#include <QString>
#include <QTimeZone>

// The calendar every split and composition goes through: the Gregorian calendar in the system's
// time zone (UTC when the system names none that is known).
class GregorianCalendar {
public:
    explicit GregorianCalendar(const QTimeZone& zone);
    const QTimeZone& timeZone() const { return m_zone; }

private:
    QTimeZone m_zone;
};

// Made on first use and kept; after releaseGregorianCalendar the next use reads the system's
// time zone again.
GregorianCalendar& sharedGregorianCalendar();
void releaseGregorianCalendar();

double dateNow();

// The moment in the calendar's time zone; invalid when the time isn't a finite number within reach.
QDateTime dateToDateTime(double time);
// Seconds since the reference date, whole milliseconds kept; 0 for an invalid date-time.
double dateFromDateTime(const QDateTime& dateTime);
// Whether the time lies within the years 1 to 9999 in every time zone (a day is kept off each
// end): the years the calendar and the date fields can show. A stored date beyond them is damage.
bool isDateWithinCalendarYears(double time);

// 30 for April, June, September and November; February 28 or 29 (Gregorian leap years); 31 for
// every other month number, including numbers outside 1..12.
long daysInMonth(long month, long year);

// The outputs are set to 0 first and stay 0 when the time can't be split (not a finite number).
void dateToDMY(long* day, long* month, long* year, double time);
// 00:00:00 of that day, or the first moment of the day where midnight doesn't exist. *out is 0
// when the triple is out of any calendar's reach.
void dmyToDate(long day, long month, long year, double* out);
// Hours, minutes and seconds carry leniently too; a wall-clock time skipped by a daylight-saving
// change lands as far after the change as it lies after its start (02:30 becomes 03:30).
void dmyhmsToDate(long day, long month, long year, long hour, long minute, long second, double* out);
long dateDay(double time);
long dateMonth(double time);
long dateYear(double time);
// 71..99 give 1971..1999, any other value below 1000 gets 2000 added, 1000 and above unchanged.
long expandTwoDigitYear(long year);

// Moments of a day, month or year; a time that can't be split gives 0.
double startOfDay(double time);
double endOfDay(double time); // 23:59:59
double firstDayOfMonth(double time); // day 1 at 00:00:01
double lastDayOfMonth(double time); // last day at 23:59:59
void firstDayOfCurrentMonth(double* out);
void lastDayOfCurrentMonth(double* out);
double firstDayOfYear(long year); // 1 January 00:00:00
double lastDayOfYear(long year); // 31 December 00:00:00 (midnight, not the end of the day)
void firstDayOfCurrentYear(double* out);
bool sameDay(double a, double b);

// Triples stepped in place. nextDayDMY moves to the next month only when the day equals the
// month's length, so a day already beyond it keeps growing and still composes to the right date.
void nextDayDMY(long* day, long* month, long* year);
void previousDayDMY(long* day, long* month, long* year);
// The same into outputs; here a day at or beyond the month's length moves to day 1 of the next
// month, and a day below 2 to the last day of the previous month.
void dmyNextDay(long day, long month, long year, long* outDay, long* outMonth, long* outYear);
void dmyPreviousDay(long day, long month, long year, long* outDay, long* outMonth, long* outYear);
void addDaysDMY(long n, long* day, long* month, long* year);
void subDaysDMY(long n, long* day, long* month, long* year);
void nextWeekDMY(long* day, long* month, long* year);
void addWeeksDMY(long n, long* day, long* month, long* year);
// Month steppers take the day only to keep the triple's calling shape; they leave it unchanged.
void nextMonthMY(long* day, long* month, long* year);
void previousMonthMY(long* day, long* month, long* year);
void addMonthsMY(long n, long* day, long* month, long* year);
void subMonthsMY(long n, long* day, long* month, long* year);
void addYearsY(long n, long* day, long* month, long* year);

// Absolute times stepped on their triple and composed at 00:00:00 (the end-of-day form at
// 23:59:59). Month and year steps keep the day number, which composition carries when the
// target month lacks it (31 January + 1 month = 3 March, or 2 March in a leap year).
double addDaysToDate(long n, double time);
void endOfDayNDaysBefore(long n, double* out, double time);
void addWeeksToDate(long n, double* out, double time);
void nextMonthDate(double* out, double time);
double addMonthsToDate(long n, double time);
double subMonthsFromDate(long n, double time);
void addYearsToDate(long n, double* out, double time);

// A calendar day as its three numbers.
struct Dmy {
    long day = 0;
    long month = 0;
    long year = 0;
};

// Whether a is earlier (by year, then month, then day); orEqual when they're equal.
bool dmyBefore(const Dmy& a, const Dmy& b, bool orEqual);
// Calendar months from a's month to b's month, both counted; a b in an earlier year counts as if
// it were in a's year.
long monthCountBetween(double a, double b);

// The date of day, month and year fields: nullptr is an absent field and takes today's value; a
// present field gives the integer its text begins with. All three 0 give 0 (no date, answer
// false); otherwise the day is held to 1..31, the month to 1..12, a short year expanded, and the
// triple composed leniently.
bool dateFromDayMonthYearViews(const QString* day, const QString* month, const QString* year, double* out);
// The date the same fields name, as "31/02/2026", when it is one the calendar doesn't have (a day
// beyond its month's length), which the lenient composition would move to another day; empty
// otherwise, for a real day and for fields naming no date.
QString impossibleDateOfDayMonthYearViews(const QString* day, const QString* month, const QString* year);
// Writes the day, month and year numbers of the time into the present fields.
void setDayMonthYearViews(QString* day, QString* month, QString* year, double time);
