#pragma once
// Length-prefixed strings: byte 0 holds the length n (0..255), bytes 1..n the characters in
// MacRoman. Kept for fixed-size name fields and the calculator. Buffers are at least 256 bytes
// unless a size is given; nothing is ever written past byte 255.
#include <QString>
#include <QtGlobal>
#include <array>

using Str255 = std::array<unsigned char, 256>;

void pstrCopy(unsigned char* dst, const unsigned char* src);
// Appends s2 to s1, cut at 255 characters.
void pstrCat(unsigned char* s1, const unsigned char* s2);
// Both do nothing when s already holds 255 characters.
void pstrAppendChar(unsigned char* s, unsigned char c);
void pstrPrependChar(unsigned char c, unsigned char* s);
// Removes n characters from the 1-based position p; p beyond the length does nothing and a
// count reaching past the end deletes up to the end.
void pstrDelete(unsigned char* s, int p, int n);
// 1-based position of the first occurrence of c, 0 when absent.
int pstrFindChar(unsigned char c, const unsigned char* s);
void pstrReplaceChar(unsigned char* s, unsigned char oldChar, unsigned char newChar);

// Compares b with a, ignoring case and diacritics: -1 when b sorts before a, 1 when after, 0 when
// equal or when either can't be read. The operand order is what every caller was written against.
int pstrCompare(const unsigned char* a, const unsigned char* b);
// Same length and pstrCompare equal.
bool pstrEqual(const unsigned char* a, const unsigned char* b);

// A safe one-line form of a user-typed name: "-" when empty, at most 50 characters followed by
// "..." when longer, characters that upset the calculator and list cells turned into spaces. A NUL
// byte follows the last character. src and dst may be the same buffer.
void pstrSanitize(const unsigned char* src, unsigned char* dst);

// "%d" of the value taken as a 32-bit integer.
void intToPstr(long long value, unsigned char* dst);
// The leading integer of the text (leading blanks skipped, optional sign), 0 when there is none;
// saturates at the 64-bit limits.
void pstrToInt(const unsigned char* src, qint64& out);

// "0".."9", "A".."F"; "?" for a value outside 0..15.
unsigned char hexDigitChar(int value);
// 0..15 for a hexadecimal digit of either case, -1 otherwise.
int hexCharValue(unsigned char c);
// Upper-case digits of the low 8 or 16 bits; bin16ToPstr gives the low 16 bits, high bit first.
void hex2ToPstr(long long value, unsigned char* dst);
void hex4ToPstr(long long value, unsigned char* dst);
void bin16ToPstr(long long value, unsigned char* dst);
// The last character is the least significant digit; a character that is no hexadecimal digit
// counts as 0. Digits beyond 64 bits shift the first ones out.
qint64 pstrHexToValue(const unsigned char* s);
// Any character other than "0" counts as 1.
qint64 pstrBinToValue(const unsigned char* s);

// ASCII A..Z to a..z, every other byte unchanged.
unsigned char charToLower(unsigned char c);

QString pstrToNSString(const unsigned char* p);
// Converts to MacRoman into dst of the given size: a string too long is cut to size - 1
// characters; a failed conversion gives the empty string.
void nsStringToPstr(const QString& s, unsigned char* dst, int size);
void nsStringToPstr255(const QString& s, unsigned char* dst);
