#pragma once
// The calculator's numbers: number texts read in a base, results written in a base, and the
// conversions of a double to the integers the calculator needs (memory numbers, the precision,
// the 16 bits shown in hexadecimal and binary). A double outside an integer's range, infinity
// and NaN all have a defined answer here: no conversion is left to chance.
#include "calculator/CALCULETTErec.h"

#include <QString>

// The value of a number text: in binary every character but '0' counts as 1, in hexadecimal
// each character is worth its digit (others 0), both read from the right into 64 bits that wrap
// around, the exponent ignored; in decimal '-' anywhere makes the value negative, '.' or ','
// starts the fraction, other characters are ignored, and the exponent scales by powers of ten.
double convertNumberText(const QString& text, CalcBase base, double exposant);

// The value as the console shows it (at most kCalcTextMax characters):
// - decimal: with precision below 1 the nearest integer (ties to even), else that many decimals;
//   trailing zeros of the fraction dropped, the point with them when nothing is left;
// - hexadecimal: the low 16 bits of the value truncated to 64 bits, in upper-case digits without
//   leading zeros but always an even count ("00" for zero);
// - binary: "$" and the low 16 bits as sixteen digits.
QString formatCalculValue(double value, CalcBase base, qint64 precision);

// Truncated towards zero and held in the 64-bit range; NaN gives 0.
qint64 saturatedInt64(double value);
// Truncated towards zero and held in the 16-bit range; NaN gives 0.
qint16 saturatedPrecision(double value);
// The memory that the number names: true with trunc(value) when it is 0 to 49.
bool memoryIndexOf(double value, int* index);
// The memory number as an error names it: trunc(value) in decimal ("50", "-1"), or the value as
// written with no decimals when no integer holds it ("inf", "nan", "1000000000000000019884624838656").
QString memoryNumberText(double value);
