#include "calculator/calcnumbers.h"

#include <cmath>
#include <cstdio>
#include <limits>
#include <vector>

namespace {

constexpr double kLn10 = 2.302585092994046;
// 2^63: the first double above every qint64.
constexpr double kInt64Bound = 9223372036854775808.0;

int hexDigitValue(char16_t c)
{
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    return 0;
}

// Unsigned arithmetic wraps around, so a run of any length has a defined value: the low 64 bits.
double hexaValue(const QString& text)
{
    quint64 value = 0;
    quint64 weight = 1;
    for (qsizetype i = text.size() - 1; i >= 0; --i) {
        value += weight * quint64(hexDigitValue(text[i].unicode()));
        weight *= 16;
    }
    return double(qint64(value));
}

double binaireValue(const QString& text)
{
    quint64 value = 0;
    quint64 weight = 1;
    for (qsizetype i = text.size() - 1; i >= 0; --i) {
        if (text[i] != u'0')
            value += weight;
        weight *= 2;
    }
    return double(qint64(value));
}

double decimalValue(const QString& text, double exposant)
{
    bool negative = false;
    bool fraction = false;
    double value = 0;
    double scale = 1;
    for (const QChar ch : text) {
        const char16_t c = ch.unicode();
        if (c == u'-') {
            negative = true;
        } else if (c == u'.' || c == u',') {
            fraction = true;
        } else if (c >= u'0' && c <= u'9') {
            const int digit = c - u'0';
            if (fraction) {
                scale *= 10;
                value += digit / scale;
            } else {
                value = value * 10 + digit;
            }
        }
    }
    if (exposant > 0)
        value *= std::exp(exposant * kLn10);
    else if (exposant < 0)
        value /= std::exp(-exposant * kLn10);
    return negative ? -value : value;
}

// printf's fixed notation, into a buffer wide enough for any double with that many decimals. NaN
// is "nan" whatever its sign bit, which says nothing to a user.
QString fixedText(double value, qint64 decimals)
{
    if (std::isnan(value))
        return QStringLiteral("nan");
    const int n = int(std::max<qint64>(0, decimals));
    std::vector<char> buffer(std::size_t(n) + 400);
    std::snprintf(buffer.data(), buffer.size(), "%.*f", n, value);
    return QString::fromLatin1(buffer.data());
}

QString decimalText(double value, qint64 precision)
{
    if (precision < 1) {
        const double rounded = std::nearbyint(value);
        if (std::isfinite(rounded) && std::fabs(rounded) < kInt64Bound)
            return QString::number(qint64(rounded));
        return fixedText(value, 0).left(kCalcTextMax);
    }
    QString text = fixedText(value, precision);
    if (text.contains(u'.')) {
        qsizetype end = text.size();
        while (text[end - 1] == u'0')
            --end;
        if (text[end - 1] == u'.')
            --end;
        text.truncate(end);
    }
    return text.left(kCalcTextMax);
}

quint16 low16Bits(double value)
{
    return quint16(quint64(saturatedInt64(value)) & 0xFFFFu);
}

QString hexaText(double value)
{
    QString digits = QString::number(low16Bits(value), 16).toUpper();
    if (digits.size() % 2 != 0)
        digits.prepend(u'0');
    return digits;
}

QString binaireText(double value)
{
    return QLatin1Char('$') + QString::number(low16Bits(value), 2).rightJustified(16, u'0');
}

} // namespace

double convertNumberText(const QString& text, CalcBase base, double exposant)
{
    switch (base) {
    case CalcBase::Decimal:
        return decimalValue(text, exposant);
    case CalcBase::Hexa:
        return hexaValue(text);
    case CalcBase::Binaire:
        return binaireValue(text);
    }
    return decimalValue(text, exposant);
}

QString formatCalculValue(double value, CalcBase base, qint64 precision)
{
    switch (base) {
    case CalcBase::Decimal:
        return decimalText(value, precision);
    case CalcBase::Hexa:
        return hexaText(value);
    case CalcBase::Binaire:
        return binaireText(value);
    }
    return decimalText(value, precision);
}

qint64 saturatedInt64(double value)
{
    if (std::isnan(value))
        return 0;
    if (value >= kInt64Bound)
        return std::numeric_limits<qint64>::max();
    if (value < -kInt64Bound)
        return std::numeric_limits<qint64>::min();
    return qint64(value);
}

qint16 saturatedPrecision(double value)
{
    if (std::isnan(value))
        return 0;
    const double whole = std::trunc(value);
    if (whole >= std::numeric_limits<qint16>::max())
        return std::numeric_limits<qint16>::max();
    if (whole <= std::numeric_limits<qint16>::min())
        return std::numeric_limits<qint16>::min();
    return qint16(whole);
}

bool memoryIndexOf(double value, int* index)
{
    const double whole = std::trunc(value);
    if (!(whole >= 0 && whole < kCalcMemoryCount))
        return false;
    *index = int(whole);
    return true;
}

QString memoryNumberText(double value)
{
    const double whole = std::trunc(value);
    if (std::isfinite(whole) && std::fabs(whole) < kInt64Bound)
        return QString::number(qint64(whole));
    return fixedText(value, 0).left(kCalcTextMax);
}
