#pragma once
// Length-prefixed strings: byte 0 holds the length n (0..255), bytes 1..n the characters in
// MacRoman. Kept for fixed-size name fields and the calculator. Buffers are at least 256 bytes
// unless a size is given; nothing is ever written past byte 255.
#include <QString>
#include <array>

using Str255 = std::array<unsigned char, 256>;

QString pstrToNSString(const unsigned char* p);
// Converts to MacRoman into dst of the given size: a string too long is cut to size - 1
// characters; a failed conversion gives the empty string.
void nsStringToPstr(const QString& s, unsigned char* dst, int size);
void nsStringToPstr255(const QString& s, unsigned char* dst);
