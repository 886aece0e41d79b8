#include "dates.h"

#include "SystemClock.h"

#include <QDate>
#include <algorithm>
#include <climits>
#include <cmath>
#include <memory>
#include <optional>

namespace {

constexpr long kMaxStep = 32767;
constexpr long kSecondsPerDay = 86400;
constexpr long kLastSecondOfDay = kSecondsPerDay - 1;
constexpr long kJulianDayOf1970 = 2440588;
// Far beyond any date a document holds, near enough that day arithmetic can't overflow.
constexpr long kMaxYear = 1'000'000;
constexpr long kMaxLenientUnits = 100'000'000;
constexpr double kMaxAbsoluteTime = 1e13;

std::unique_ptr<GregorianCalendar> g_calendar;

long floorDiv(long a, long b)
{
    const long q = a / b;
    return (a % b != 0 && ((a < 0) != (b < 0))) ? q - 1 : q;
}

long floorMod(long a, long b)
{
    return a - floorDiv(a, b) * b;
}

long stepCount(long n)
{
    return std::min(n, kMaxStep);
}

// Days from 1970-01-01 to the first of a month 1..12 of the proleptic Gregorian calendar, with
// astronomical year numbers (year 0 is 1 BC).
long daysToFirstOfMonth(long year, long month)
{
    const long y = month <= 2 ? year - 1 : year;
    const long era = floorDiv(y, 400);
    const long yearOfEra = y - era * 400;
    const long monthFromMarch = month > 2 ? month - 3 : month + 9;
    const long dayOfYear = (153 * monthFromMarch + 2) / 5;
    const long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

// The calendar day a lenient triple stands for: the month moves into the years, then the day
// counts from the first of that month in either direction, across as many months as it takes.
std::optional<QDate> lenientDate(long day, long month, long year)
{
    if (std::labs(day) > kMaxLenientUnits || std::labs(month) > kMaxLenientUnits || std::labs(year) > kMaxYear)
        return std::nullopt;
    const long y = year + floorDiv(month - 1, 12);
    const long m = floorMod(month - 1, 12) + 1;
    return QDate::fromJulianDay(kJulianDayOf1970 + daysToFirstOfMonth(y, m) + day - 1);
}

// A wall-clock time inside a forward daylight-saving jump, read with the offset in force before
// the jump: it lands as far past the jump as it lay past the jump's start.
QDateTime skippedWallTime(QDate date, QTime time, const QTimeZone& zone)
{
    const qint64 wall = QDateTime(date, time, QTimeZone::utc()).toSecsSinceEpoch();
    const int offsetBefore = zone.offsetFromUtc(QDateTime::fromSecsSinceEpoch(wall - kSecondsPerDay, QTimeZone::utc()));
    return QDateTime::fromSecsSinceEpoch(wall - offsetBefore, zone);
}

QDateTime composeLocal(long day, long month, long year, long secondsIntoDay)
{
    const long carriedDays = floorDiv(secondsIntoDay, kSecondsPerDay);
    const long rest = floorMod(secondsIntoDay, kSecondsPerDay);
    const std::optional<QDate> date = lenientDate(day + carriedDays, month, year);
    if (!date || !date->isValid())
        return {};
    const QTimeZone& zone = sharedGregorianCalendar().timeZone();
    if (rest == 0)
        return date->startOfDay(zone);
    const QTime time(static_cast<int>(rest / 3600), static_cast<int>(rest / 60 % 60), static_cast<int>(rest % 60));
    const QDateTime dateTime(*date, time, zone);
    return dateTime.isValid() ? dateTime : skippedWallTime(*date, time, zone);
}

double compose(const Dmy& d, long secondsIntoDay)
{
    return dateFromDateTime(composeLocal(d.day, d.month, d.year, secondsIntoDay));
}

bool split(double time, Dmy& out)
{
    const QDateTime dateTime = dateToDateTime(time);
    if (!dateTime.isValid())
        return false;
    const QDate date = dateTime.date();
    // Qt has no year 0; composition counts astronomically, so 1 BC is year 0 here.
    const long year = date.year() < 0 ? date.year() + 1 : date.year();
    out = {date.day(), date.month(), year};
    return true;
}

// The triple of a time; zeros when the time can't be split.
Dmy dmyOf(double time)
{
    Dmy d;
    split(time, d);
    return d;
}

// Steps a triple n times, n held to kMaxStep so that a wild count can't hang the caller.
void repeatStep(long n, void (*step)(long*, long*, long*), long* day, long* month, long* year)
{
    for (long i = stepCount(n); i > 0; --i)
        step(day, month, year);
}

// The triple of a time stepped and composed again; 0 when the time can't be split.
template <typename Step> double steppedDate(double time, long secondsIntoDay, Step step)
{
    Dmy d;
    if (!split(time, d))
        return 0;
    step(d);
    return compose(d, secondsIntoDay);
}

// Reads a number the way a text field's integer value does: leading blanks, an optional sign,
// then digits up to the first other character; saturates instead of overflowing.
long integerValue(const QString& text)
{
    qsizetype i = 0;
    while (i < text.size() && text.at(i).isSpace())
        ++i;
    bool negative = false;
    if (i < text.size() && (text.at(i) == u'-' || text.at(i) == u'+'))
        negative = text.at(i++) == u'-';
    long value = 0;
    for (; i < text.size() && text.at(i) >= u'0' && text.at(i) <= u'9'; ++i) {
        const long digit = text.at(i).unicode() - u'0';
        if (value > (LONG_MAX - digit) / 10)
            return negative ? LONG_MIN : LONG_MAX;
        value = value * 10 + digit;
    }
    return negative ? -value : value;
}

} // namespace

GregorianCalendar::GregorianCalendar(const QTimeZone& zone)
    : m_zone(zone)
{
}

GregorianCalendar& sharedGregorianCalendar()
{
    if (!g_calendar) {
        QTimeZone zone = QTimeZone::systemTimeZone();
        if (!zone.isValid())
            zone = QTimeZone::utc();
        g_calendar = std::make_unique<GregorianCalendar>(std::move(zone));
    }
    return *g_calendar;
}

void releaseGregorianCalendar()
{
    g_calendar.reset();
}

double dateNow()
{
    return SystemClock::now();
}

QDateTime dateToDateTime(double time)
{
    if (!std::isfinite(time) || std::fabs(time) > kMaxAbsoluteTime)
        return {};
    const auto msecs = static_cast<qint64>(std::floor((time + kReferenceDateOffset) * 1000.0));
    return QDateTime::fromMSecsSinceEpoch(msecs, sharedGregorianCalendar().timeZone());
}

double dateFromDateTime(const QDateTime& dateTime)
{
    if (!dateTime.isValid())
        return 0;
    return static_cast<double>(dateTime.toMSecsSinceEpoch()) / 1000.0 - kReferenceDateOffset;
}

bool isDateWithinCalendarYears(double time)
{
    static const double first
        = static_cast<double>((daysToFirstOfMonth(1, 1) + 1) * kSecondsPerDay) - kReferenceDateOffset;
    static const double last
        = static_cast<double>((daysToFirstOfMonth(10000, 1) - 1) * kSecondsPerDay) - kReferenceDateOffset;
    return time >= first && time < last;
}

long daysInMonth(long month, long year)
{
    switch (month) {
    case 4:
    case 6:
    case 9:
    case 11:
        return 30;
    case 2:
        return (year % 4 == 0 && (year % 100 != 0 || year % 400 == 0)) ? 29 : 28;
    default:
        return 31;
    }
}

void dateToDMY(long* day, long* month, long* year, double time)
{
    const Dmy d = dmyOf(time);
    if (day)
        *day = d.day;
    if (month)
        *month = d.month;
    if (year)
        *year = d.year;
}

void dmyToDate(long day, long month, long year, double* out)
{
    if (out)
        *out = compose({day, month, year}, 0);
}

void dmyhmsToDate(long day, long month, long year, long hour, long minute, long second, double* out)
{
    if (!out)
        return;
    *out = 0;
    if (std::labs(hour) > kMaxLenientUnits || std::labs(minute) > kMaxLenientUnits
        || std::labs(second) > kMaxLenientUnits)
        return;
    *out = compose({day, month, year}, hour * 3600 + minute * 60 + second);
}

long dateDay(double time)
{
    return dmyOf(time).day;
}

long dateMonth(double time)
{
    return dmyOf(time).month;
}

long dateYear(double time)
{
    return dmyOf(time).year;
}

long expandTwoDigitYear(long year)
{
    if (year >= 71 && year <= 99)
        return year + 1900;
    if (year < 1000)
        return std::max(year, LONG_MIN + 2000) + 2000;
    return year;
}

double startOfDay(double time)
{
    return steppedDate(time, 0, [](Dmy&) {});
}

double endOfDay(double time)
{
    return steppedDate(time, kLastSecondOfDay, [](Dmy&) {});
}

double firstDayOfMonth(double time)
{
    return steppedDate(time, 1, [](Dmy& d) { d.day = 1; });
}

double lastDayOfMonth(double time)
{
    return steppedDate(time, kLastSecondOfDay, [](Dmy& d) { d.day = daysInMonth(d.month, d.year); });
}

void firstDayOfCurrentMonth(double* out)
{
    *out = firstDayOfMonth(dateNow());
}
void lastDayOfCurrentMonth(double* out)
{
    *out = lastDayOfMonth(dateNow());
}
double firstDayOfYear(long year)
{
    return compose({1, 1, year}, 0);
}
double lastDayOfYear(long year)
{
    return compose({31, 12, year}, 0);
}
void firstDayOfCurrentYear(double* out)
{
    *out = firstDayOfYear(dateYear(dateNow()));
}
bool sameDay(double a, double b)
{
    return startOfDay(a) == startOfDay(b);
}

void nextDayDMY(long* day, long* month, long* year)
{
    if (*day != daysInMonth(*month, *year)) {
        ++*day;
        return;
    }
    *day = 1;
    nextMonthMY(day, month, year);
}

void previousDayDMY(long* day, long* month, long* year)
{
    if (*day != 1) {
        --*day;
        return;
    }
    previousMonthMY(day, month, year);
    *day = daysInMonth(*month, *year);
}

void dmyNextDay(long day, long month, long year, long* outDay, long* outMonth, long* outYear)
{
    *outDay = day + 1;
    *outMonth = month;
    *outYear = year;
    if (day < daysInMonth(month, year))
        return;
    *outDay = 1;
    *outMonth = month > 11 ? 1 : month + 1;
    *outYear = month > 11 ? year + 1 : year;
}

void dmyPreviousDay(long day, long month, long year, long* outDay, long* outMonth, long* outYear)
{
    *outDay = day - 1;
    *outMonth = month;
    *outYear = year;
    if (day >= 2)
        return;
    *outMonth = month < 2 ? 12 : month - 1;
    *outYear = month < 2 ? year - 1 : year;
    *outDay = daysInMonth(*outMonth, *outYear);
}

void addDaysDMY(long n, long* day, long* month, long* year)
{
    repeatStep(n, nextDayDMY, day, month, year);
}

void subDaysDMY(long n, long* day, long* month, long* year)
{
    repeatStep(n, previousDayDMY, day, month, year);
}

void nextWeekDMY(long* day, long* month, long* year)
{
    addDaysDMY(7, day, month, year);
}

void addWeeksDMY(long n, long* day, long* month, long* year)
{
    repeatStep(n, nextWeekDMY, day, month, year);
}

void nextMonthMY(long*, long* month, long* year)
{
    if (*month >= 12) {
        *month = 1;
        ++*year;
    } else {
        ++*month;
    }
}

void previousMonthMY(long*, long* month, long* year)
{
    if (*month <= 1) {
        *month = 12;
        --*year;
    } else {
        --*month;
    }
}

void addMonthsMY(long n, long* day, long* month, long* year)
{
    repeatStep(n, nextMonthMY, day, month, year);
}

void subMonthsMY(long n, long* day, long* month, long* year)
{
    repeatStep(n, previousMonthMY, day, month, year);
}

void addYearsY(long n, long*, long*, long* year)
{
    if (n > 0)
        *year += stepCount(n);
}

double addDaysToDate(long n, double time)
{
    return steppedDate(time, 0, [n](Dmy& d) { addDaysDMY(n, &d.day, &d.month, &d.year); });
}

void endOfDayNDaysBefore(long n, double* out, double time)
{
    *out = steppedDate(time, kLastSecondOfDay, [n](Dmy& d) { subDaysDMY(n, &d.day, &d.month, &d.year); });
}

void addWeeksToDate(long n, double* out, double time)
{
    *out = steppedDate(time, 0, [n](Dmy& d) { addWeeksDMY(n, &d.day, &d.month, &d.year); });
}

void nextMonthDate(double* out, double time)
{
    *out = steppedDate(time, 0, [](Dmy& d) { nextMonthMY(&d.day, &d.month, &d.year); });
}

double addMonthsToDate(long n, double time)
{
    return steppedDate(time, 0, [n](Dmy& d) { addMonthsMY(n, &d.day, &d.month, &d.year); });
}

double subMonthsFromDate(long n, double time)
{
    return steppedDate(time, 0, [n](Dmy& d) { subMonthsMY(n, &d.day, &d.month, &d.year); });
}

void addYearsToDate(long n, double* out, double time)
{
    *out = steppedDate(time, 0, [n](Dmy& d) { addYearsY(n, &d.day, &d.month, &d.year); });
}

bool dmyBefore(const Dmy& a, const Dmy& b, bool orEqual)
{
    if (a.year != b.year)
        return a.year < b.year;
    if (a.month != b.month)
        return a.month < b.month;
    if (a.day != b.day)
        return a.day < b.day;
    return orEqual;
}

long monthCountBetween(double a, double b)
{
    const Dmy first = dmyOf(a);
    const Dmy second = dmyOf(b);
    return 13 - first.month + second.month + 12 * std::max(second.year - first.year - 1, -1L);
}

bool dateFromDayMonthYearViews(const QString* day, const QString* month, const QString* year, double* out)
{
    *out = 0;
    const Dmy today = dmyOf(dateNow());
    const long d = day ? integerValue(*day) : today.day;
    const long m = month ? integerValue(*month) : today.month;
    const long y = year ? integerValue(*year) : today.year;
    if (d == 0 && m == 0 && y == 0)
        return false;
    const QDateTime composed = composeLocal(std::clamp(d, 1L, 31L), std::clamp(m, 1L, 12L), expandTwoDigitYear(y), 0);
    *out = dateFromDateTime(composed);
    return composed.isValid();
}

QString impossibleDateOfDayMonthYearViews(const QString* day, const QString* month, const QString* year)
{
    const Dmy today = dmyOf(dateNow());
    const long typedDay = day ? integerValue(*day) : today.day;
    const long typedMonth = month ? integerValue(*month) : today.month;
    const long typedYear = year ? integerValue(*year) : today.year;
    if (typedDay == 0 && typedMonth == 0 && typedYear == 0)
        return {};
    // Held as the composition holds them: only the roll-over into the next month is refused.
    const long d = std::clamp(typedDay, 1L, 31L);
    const long m = std::clamp(typedMonth, 1L, 12L);
    const long y = expandTwoDigitYear(typedYear);
    if (d <= daysInMonth(m, y))
        return {};
    return QStringLiteral("%1/%2/%3").arg(d, 2, 10, QLatin1Char('0')).arg(m, 2, 10, QLatin1Char('0')).arg(y);
}

void setDayMonthYearViews(QString* day, QString* month, QString* year, double time)
{
    const Dmy d = dmyOf(time);
    if (day)
        *day = QString::number(d.day);
    if (month)
        *month = QString::number(d.month);
    if (year)
        *year = QString::number(d.year);
}
