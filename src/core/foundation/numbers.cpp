#include "numbers.h"

#include <array>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdio>
#include <limits>

bool sameDoubleMontant(double a, double b)
{
    if (!std::isfinite(a) || !std::isfinite(b))
        return false;
    return std::fabs(a - b) < 0.00499999;
}

bool isValidDouble(const double* v)
{
    return v && std::isfinite(*v);
}

QString doubleToStringWithDecimales(long n, double v)
{
    if (!std::isfinite(v))
        return QStringLiteral("0");
    std::array<char, 400> buf {};
    if (n < 1) {
        const double r = std::nearbyint(v);
        const long clamped = r >= static_cast<double>(LONG_MAX) ? LONG_MAX
            : r <= static_cast<double>(LONG_MIN)                ? LONG_MIN
                                                                : static_cast<long>(r);
        const auto res = std::to_chars(buf.data(), buf.data() + buf.size(), clamped);
        return QString::fromLatin1(buf.data(), res.ptr - buf.data());
    }
    const int precision = static_cast<int>(std::min<long>(n, 30));
    const auto res = std::to_chars(buf.data(), buf.data() + buf.size(), v, std::chars_format::fixed, precision);
    if (res.ec != std::errc())
        return QStringLiteral("0");
    return QString::fromLatin1(buf.data(), res.ptr - buf.data());
}

QString doubleToDisplayString(long n, double v)
{
    return doubleToStringWithDecimales(n, v).replace(u'.', u',');
}

QString doubleToStringTrimmed(long n, QChar sep, double v)
{
    QString s = doubleToStringWithDecimales(n, v);
    if (s.contains(u'.')) {
        while (s.endsWith(u'0'))
            s.chop(1);
        if (s.endsWith(u'.'))
            s.chop(1);
    }
    s.replace(u'.', sep);
    return s;
}

QString fileSizeToString(uint64_t bytes)
{
    if (bytes < 2)
        return bytes == 0 ? QStringLiteral("0 octet") : QStringLiteral("1 octet");
    if (bytes <= 999)
        return QStringLiteral("%1 octets").arg(bytes);
    struct Unit {
        uint64_t upTo;
        long double divisor;
        const char* name;
    };
    static constexpr Unit units[] = {
        {999999ULL, 1e3L, "Ko"}, {999999999ULL, 1e6L, "Mo"}, {999999999999ULL, 1e9L, "Go"}, {UINT64_MAX, 1e12L, "To"}};
    for (const Unit& u : units) {
        if (bytes <= u.upTo) {
            char buf[64];
            std::snprintf(buf, sizeof buf, "%.1Lf %s", static_cast<long double>(bytes) / u.divisor, u.name);
            // snprintf follows the process locale: settle on the comma whichever separator it chose.
            return QString::fromLatin1(buf).replace(u'.', u',');
        }
    }
    return QString();
}

long integerQuotient(long a, long b)
{
    if (b == 0)
        return 0;
    if (a == LONG_MIN && b == -1)
        return LONG_MAX;
    return a / b;
}

long integerRemainder(long a, long b)
{
    if (b == 0 || b == -1)
        return 0;
    return a % b;
}

void divWithRemainder(int32_t a, int32_t b, int32_t* quotient, int32_t* remainder)
{
    int32_t q = 0;
    int32_t r = 0;
    if (b == -1) {
        q = a == INT32_MIN ? INT32_MAX : -a;
    } else if (b != 0) {
        q = a / b;
        r = a % b;
    }
    if (quotient)
        *quotient = q;
    if (remainder)
        *remainder = r;
}

void expByPointer(const double* in, double* out)
{
    *out = std::exp(*in);
}
void logByPointer(const double* in, double* out)
{
    *out = std::log(*in);
}

bool isDigitChar(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

char16_t safeCharacterAtIndex(const QString& s, qsizetype index)
{
    if (index < 0 || index >= s.size())
        return 0;
    return s.at(index).unicode();
}

long countCarriageReturns(const QString& s)
{
    return static_cast<long>(s.count(QChar(13)));
}

bool isSpecialEditingChar(char16_t c)
{
    return c == 9 || c == 13 || c == 25 || c == 27 || c == 127;
}

void replaceControlCharsBySpace(QString& s)
{
    for (QChar& c : s) {
        if (c == QChar(9) || c == QChar(10) || c == QChar(13))
            c = u' ';
    }
}

void appendAmountIfNotZero(QString& s, long decimals, double v)
{
    if (!sameDoubleMontant(v, 0.0))
        s += doubleToStringTrimmed(decimals, u',', v);
}
