#include "engines/SaisieInput.h"

#include "foundation/dates.h"

#include <QLocale>

#include <cmath>

namespace {

long fieldValue(const QString& text, bool* ok)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty()) {
        *ok = true;
        return 0;
    }
    return trimmed.toLong(ok);
}

} // namespace

bool saisieDateFromFields(const QString& day, const QString& month, const QString& year, double* out)
{
    *out = 0;
    bool okDay = false;
    bool okMonth = false;
    bool okYear = false;
    const long d = fieldValue(day, &okDay);
    const long m = fieldValue(month, &okMonth);
    const long y = fieldValue(year, &okYear);
    if (!okDay || !okMonth || !okYear || (d == 0 && m == 0 && y == 0))
        return false;
    const long expanded = expandTwoDigitYear(y);
    if (expanded < 1 || expanded > 9999)
        return false;
    // A day the month doesn't have is refused, not moved into the next month.
    if (!impossibleDateOfDayMonthYearViews(&day, &month, &year).isEmpty())
        return false;
    return dateFromDayMonthYearViews(&day, &month, &year, out);
}

bool saisieMontantTextValue(const QString& text, double* value)
{
    // The field shows a decimal comma; a point typed or pasted is a separator too. The cleaned
    // forms without a digit on one side of it ("1.", ".5", "-.5") are numbers too.
    QString number = text.trimmed().replace(u',', u'.');
    if (number.endsWith(u'.'))
        number.append(u'0');
    const qsizetype point = number.indexOf(u'.');
    if (point == 0 || (point == 1 && number.startsWith(u'-')))
        number.insert(point, u'0');
    bool ok = false;
    const double parsed = QLocale::c().toDouble(number, &ok);
    // A value beyond a double would make every total it enters infinite.
    ok = ok && std::isfinite(parsed);
    *value = ok ? parsed : 0.0;
    return ok;
}

bool saisieMontantTextIsNumber(const QString& text)
{
    double value = 0;
    return text.trimmed().isEmpty() || saisieMontantTextValue(text, &value);
}
