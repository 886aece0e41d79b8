#include "import/ImportParser.h"

#include "foundation/dates.h"

#include <cmath>
#include <limits>

namespace {

constexpr long kFirstYear = 1000;
constexpr long kLastYear = 9999;

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool isDecimalOrGroup(QChar c)
{
    return c == u'.' || c == u',' || c == u'\'';
}

// What a currency text is made of: anything but blanks, digits, signs, parentheses and the
// separators of a number.
bool isCurrencyChar(QChar c)
{
    return !ImportParser::parseIsBlank(c) && !isDigit(c) && c != u'-' && c != u'+' && c != u'(' && c != u')'
        && c != u'.' && c != u',';
}

bool startsNumber(QStringView text, qsizetype i)
{
    if (isDigit(text[i]))
        return true;
    return (text[i] == u'.' || text[i] == u',') && i + 1 < text.size() && isDigit(text[i + 1]);
}

// The end of the number that starts at i: digits and separators, and blanks that stand between
// two digits.
qsizetype numberEnd(QStringView text, qsizetype i)
{
    const qsizetype n = text.size();
    qsizetype end = i;
    while (i < n) {
        if (isDigit(text[i]) || isDecimalOrGroup(text[i])) {
            end = ++i;
            continue;
        }
        if (!ImportParser::parseIsBlank(text[i]) || !isDigit(text[end - 1]))
            break;
        qsizetype k = i;
        while (k < n && ImportParser::parseIsBlank(text[k]))
            ++k;
        if (k >= n || !isDigit(text[k]))
            break;
        i = k;
    }
    return end;
}

// The number's digits with its decimal separator as "."; empty when it has no digit or its
// decimal separator twice.
QString numberDigits(QStringView number)
{
    const qsizetype lastPoint = number.lastIndexOf(u'.');
    const qsizetype lastComma = number.lastIndexOf(u',');
    const QChar decimal = lastPoint > lastComma ? u'.' : u',';
    if (number.count(decimal) > 1)
        return QString();
    QString digits;
    digits.reserve(number.size());
    bool anyDigit = false;
    for (const QChar c : number) {
        if (isDigit(c)) {
            digits.append(c);
            anyDigit = true;
        } else if (c == decimal) {
            digits.append(u'.');
        }
    }
    return anyDigit ? digits : QString();
}

struct AmountSigns {
    bool negative = false;
    bool parenthesis = false;
    QString prefix;
};

// Signs, an opening parenthesis and a currency text before the number, in any order. False when
// the text ends first or holds something else.
bool readBeforeNumber(QStringView text, qsizetype* i, AmountSigns* signs)
{
    const qsizetype n = text.size();
    for (;;) {
        ImportParser::parsePassBlanks(text, i);
        if (*i >= n)
            return false;
        const QChar c = text[*i];
        if (startsNumber(text, *i))
            return true;
        if (c == u'+') {
            ++*i;
        } else if (c == u'-' && !signs->negative) {
            signs->negative = true;
            ++*i;
        } else if (c == u'(' && !signs->parenthesis) {
            signs->parenthesis = true;
            ++*i;
        } else if (signs->prefix.isEmpty() && isCurrencyChar(c)) {
            const qsizetype start = *i;
            while (*i < n && isCurrencyChar(text[*i]))
                ++*i;
            signs->prefix = text.mid(start, *i - start).toString();
        } else {
            return false;
        }
    }
}

// After the number: a minus or a plus, a currency text, the closing parenthesis. What follows
// the currency text and the parenthesis is not read.
bool readAfterNumber(QStringView text, qsizetype* i, AmountSigns* signs, QString* suffix)
{
    const qsizetype n = text.size();
    ImportParser::parsePassBlanks(text, i);
    if (*i < n && text[*i] == u'-') {
        if (signs->negative)
            return false;
        signs->negative = true;
        ++*i;
        ImportParser::parsePassBlanks(text, i);
    } else if (*i < n && text[*i] == u'+') {
        ++*i;
        ImportParser::parsePassBlanks(text, i);
    }
    const qsizetype start = *i;
    while (*i < n && !ImportParser::parseIsBlank(text[*i]) && !isDigit(text[*i]) && text[*i] != u')')
        ++*i;
    *suffix = text.mid(start, *i - start).toString();
    if (!signs->parenthesis)
        return true;
    ImportParser::parsePassBlanks(text, i);
    if (*i >= n || text[*i] != u')' || signs->negative)
        return false;
    signs->negative = true;
    ++*i;
    return true;
}

} // namespace

bool ImportParser::parseIsBlank(QChar c)
{
    return c == u'\t' || c == u' ' || c == QChar(0x00A0) || c == QChar(0x202F) || c == QChar(0x2009);
}

void ImportParser::parsePassBlanks(QStringView text, qsizetype* index)
{
    while (*index < text.size() && parseIsBlank(text[*index]))
        ++*index;
}

void ImportParser::parsePassLetters(QStringView text, qsizetype* index)
{
    while (*index < text.size() && !isDigit(text[*index]))
        ++*index;
}

bool ImportParser::parseInteger(QStringView text, qsizetype* index, qint64* value)
{
    constexpr qint64 kMax = std::numeric_limits<qint64>::max();
    *value = 0;
    if (*index >= text.size() || !isDigit(text[*index]))
        return false;
    while (*index < text.size() && isDigit(text[*index])) {
        const int digit = text[*index].unicode() - u'0';
        *value = *value > (kMax - digit) / 10 ? kMax : *value * 10 + digit;
        ++*index;
    }
    return true;
}

long ImportParser::integerToYear(qint64 n)
{
    if (n >= 0 && n <= 50)
        return static_cast<long>(2000 + n);
    if (n >= 51 && n <= 99)
        return static_cast<long>(1900 + n);
    return static_cast<long>(std::min<qint64>(n, std::numeric_limits<long>::max()));
}

bool ImportParser::parseMontantFromString(QStringView text, ImportRubrique, double* value, QString* devise,
                                          bool allowEmptyDevise)
{
    *value = 0;
    if (devise)
        devise->clear();
    qsizetype i = 0;
    parsePassBlanks(text, &i);
    if (i >= text.size())
        return true;
    AmountSigns signs;
    if (!readBeforeNumber(text, &i, &signs))
        return false;
    const qsizetype end = numberEnd(text, i);
    const QString digits = numberDigits(text.mid(i, end - i));
    i = end;
    QString suffix;
    if (digits.isEmpty() || !readAfterNumber(text, &i, &signs, &suffix))
        return false;
    bool ok = false;
    const double read = digits.toDouble(&ok);
    if (!ok || !std::isfinite(read))
        return false;
    *value = signs.negative ? -read : read;
    const QString currency = signs.prefix.isEmpty() ? suffix : signs.prefix;
    if (!devise)
        return true;
    *devise = currency;
    return !currency.isEmpty() || allowEmptyDevise || *value == 0;
}

bool ImportParser::parseDateTriple(QStringView text, ImportRubrique kind, long* day, long* month, long* year)
{
    *day = *month = *year = 0;
    qint64 numbers[3] = {0, 0, 0};
    qsizetype i = 0;
    for (qint64& number : numbers) {
        parsePassLetters(text, &i);
        if (!parseInteger(text, &i, &number))
            return false;
    }
    qint64 d = numbers[0], m = numbers[1], y = numbers[2];
    if (kind == ImportRubrique::DateAMJ) {
        y = numbers[0];
        m = numbers[1];
        d = numbers[2];
    } else if (kind == ImportRubrique::DateMJA) {
        m = numbers[0];
        d = numbers[1];
    }
    const long fullYear = integerToYear(y);
    if (fullYear < kFirstYear || fullYear > kLastYear || m < 1 || m > 12)
        return false;
    if (d < 1 || d > daysInMonth(static_cast<long>(m), fullYear))
        return false;
    *day = static_cast<long>(d);
    *month = static_cast<long>(m);
    *year = fullYear;
    return true;
}

bool ImportParser::parseDateFromString(QStringView text, ImportRubrique kind, double* date)
{
    *date = 0;
    long day = 0, month = 0, year = 0;
    if (!parseDateTriple(text, kind, &day, &month, &year))
        return false;
    dmyToDate(day, month, year, date);
    return true;
}

bool containsString(const QString& text, const QString& part, QString* left, QString* right)
{
    const qsizetype at = part.isEmpty() ? -1 : text.indexOf(part, 0, Qt::CaseInsensitive);
    if (left)
        *left = at < 0 ? QString() : text.left(at);
    if (right)
        *right = at < 0 ? QString() : text.mid(at + part.size());
    return at >= 0;
}

bool containsString(const QString& text, const QString& part, QString* remain)
{
    return containsString(text, part, nullptr, remain);
}
