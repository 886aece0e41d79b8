#pragma once
// Number helpers shared by amounts, files and the calculator. Texts written here never depend on
// the locale: the point is the decimal separator unless a caller names another.
#include <QString>
#include <cstdint>

// Two amounts are the same when they differ by less than a cent (0.00499999); never for NaN/inf.
bool sameDoubleMontant(double a, double b);
bool isValidDouble(const double* v);

// n < 1: the value rounded to the nearest integer (ties to even); else n decimals with a point.
// A value that is not finite prints "0": such a text must never reach a file.
QString doubleToStringWithDecimales(long n, double v);
// The value with n decimals and the decimal comma, as numbers are shown to the user ("0,152449").
QString doubleToDisplayString(long n, double v);
// doubleToStringWithDecimales, trailing zeros and point removed, the point replaced by sep.
QString doubleToStringTrimmed(long n, QChar sep, double v);

// "0 octet", "999 octets", "1,0 Ko", "2,5 Mo", ...
QString fileSizeToString(uint64_t bytes);

// Truncating division. A zero divisor answers 0 for quotient and remainder instead of
// crashing, and the one overflowing case (most negative / -1) saturates.
long integerQuotient(long a, long b);
long integerRemainder(long a, long b);
void divWithRemainder(int32_t a, int32_t b, int32_t* quotient, int32_t* remainder);

void expByPointer(const double* in, double* out);
void logByPointer(const double* in, double* out);

bool isDigitChar(char16_t c);
// The character at index, or 0 outside the string.
char16_t safeCharacterAtIndex(const QString& s, qsizetype index);
long countCarriageReturns(const QString& s);
// Tab, CR, back-tab, escape and delete: keys that edit rather than type.
bool isSpecialEditingChar(char16_t c);
// Tab, LF and CR each become one space.
void replaceControlCharsBySpace(QString& s);

// Appends the value trimmed with "," when it is not the same amount as zero.
void appendAmountIfNotZero(QString& s, long decimals, double v);

// Appends the amount at index of an object's `values` (two decimals); nothing outside the list.
template <typename T> void appendValueAtIndexCSV(QString& s, const T& object, qsizetype index)
{
    if (index >= 0 && index < static_cast<qsizetype>(object.values.size()))
        appendAmountIfNotZero(s, 2, object.values[index]);
}
