#include "pstr.h"

#include "encoding.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>

namespace {

constexpr int kMaxLen = 255;
// A sanitised name keeps this many characters before "..." is added.
constexpr int kSanitizeKeep = 50;

// Decomposes, drops the combining marks and folds the case, so that "É", "é" and "e" compare equal.
QString foldCaseAndDiacritics(const QString& s)
{
    const QString decomposed = s.normalized(QString::NormalizationForm_D);
    QString bare;
    bare.reserve(decomposed.size());
    for (const QChar c : decomposed) {
        const QChar::Category cat = c.category();
        if (cat != QChar::Mark_NonSpacing && cat != QChar::Mark_SpacingCombining && cat != QChar::Mark_Enclosing)
            bare.append(c);
    }
    return bare.toCaseFolded();
}

bool isSanitizedAway(unsigned char c)
{
    static constexpr const char kUnsafe[] = "!()/;<^\r";
    return c != 0 && std::strchr(kUnsafe, c) != nullptr;
}

void writeDigits(unsigned long long value, int count, int bitsPerDigit, unsigned char* dst)
{
    const unsigned long long mask = (1ULL << bitsPerDigit) - 1;
    for (int i = count; i >= 1; --i) {
        dst[i] = hexDigitChar(static_cast<int>(value & mask));
        value >>= bitsPerDigit;
    }
    dst[0] = static_cast<unsigned char>(count);
}

} // namespace

void pstrCopy(unsigned char* dst, const unsigned char* src)
{
    if (!dst || !src || dst == src)
        return;
    std::memmove(dst, src, static_cast<size_t>(src[0]) + 1);
}

void pstrCat(unsigned char* s1, const unsigned char* s2)
{
    if (!s1 || !s2)
        return;
    const int n1 = s1[0];
    const int n2 = std::min<int>(s2[0], kMaxLen - n1);
    std::memmove(s1 + 1 + n1, s2 + 1, static_cast<size_t>(n2));
    s1[0] = static_cast<unsigned char>(n1 + n2);
}

void pstrAppendChar(unsigned char* s, unsigned char c)
{
    if (!s || s[0] >= kMaxLen)
        return;
    s[0] = static_cast<unsigned char>(s[0] + 1);
    s[s[0]] = c;
}

void pstrPrependChar(unsigned char c, unsigned char* s)
{
    if (!s || s[0] >= kMaxLen)
        return;
    std::memmove(s + 2, s + 1, s[0]);
    s[1] = c;
    s[0] = static_cast<unsigned char>(s[0] + 1);
}

void pstrDelete(unsigned char* s, int p, int n)
{
    if (!s)
        return;
    const int len = s[0];
    if (p < 1 || p > len || n <= 0)
        return;
    // A count reaching past the end used to move bytes from beyond the string (and past byte 255):
    // only the characters present can be deleted.
    n = std::min(n, len - p + 1);
    const int tail = len - (p + n) + 1;
    std::memmove(s + p, s + p + n, static_cast<size_t>(tail));
    s[0] = static_cast<unsigned char>(len - n);
}

int pstrFindChar(unsigned char c, const unsigned char* s)
{
    if (!s)
        return 0;
    for (int i = 1; i <= s[0]; ++i) {
        if (s[i] == c)
            return i;
    }
    return 0;
}

void pstrReplaceChar(unsigned char* s, unsigned char oldChar, unsigned char newChar)
{
    if (!s)
        return;
    std::replace(s + 1, s + 1 + s[0], oldChar, newChar);
}

int pstrCompare(const unsigned char* a, const unsigned char* b)
{
    if (!a || !b)
        return 0;
    bool okA = false;
    bool okB = false;
    const QString sa = decodeText(QByteArray(reinterpret_cast<const char*>(a + 1), a[0]), kEncodingMacRoman, &okA);
    const QString sb = decodeText(QByteArray(reinterpret_cast<const char*>(b + 1), b[0]), kEncodingMacRoman, &okB);
    if (!okA || !okB)
        return 0;
    const int r = QString::compare(foldCaseAndDiacritics(sb), foldCaseAndDiacritics(sa), Qt::CaseSensitive);
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

bool pstrEqual(const unsigned char* a, const unsigned char* b)
{
    if (!a || !b)
        return false;
    return a[0] == b[0] && pstrCompare(a, b) == 0;
}

void pstrSanitize(const unsigned char* src, unsigned char* dst)
{
    if (!src || !dst)
        return;
    Str255 s {};
    pstrCopy(s.data(), src);
    if (s[0] == 0) {
        dst[0] = 1;
        dst[1] = '-';
        dst[2] = 0;
        return;
    }
    const bool cut = s[0] > kSanitizeKeep;
    if (cut)
        s[0] = kSanitizeKeep;
    for (int i = 1; i <= s[0]; ++i) {
        if (isSanitizedAway(s[i]))
            s[i] = ' ';
    }
    if (s[1] == '-')
        s[1] = ' ';
    if (cut) {
        for (int i = 0; i < 3; ++i)
            pstrAppendChar(s.data(), '.');
    }
    pstrCopy(dst, s.data());
    dst[dst[0] + 1] = 0;
}

void intToPstr(long long value, unsigned char* dst)
{
    if (!dst)
        return;
    const QByteArray digits = QByteArray::number(static_cast<std::int32_t>(static_cast<std::uint32_t>(value)));
    dst[0] = static_cast<unsigned char>(digits.size());
    std::memcpy(dst + 1, digits.constData(), static_cast<size_t>(digits.size()));
}

void pstrToInt(const unsigned char* src, qint64& out)
{
    out = 0;
    if (!src)
        return;
    const int len = src[0];
    int i = 1;
    while (i <= len && (src[i] == ' ' || src[i] == '\t'))
        ++i;
    const bool negative = i <= len && src[i] == '-';
    if (i <= len && (src[i] == '-' || src[i] == '+'))
        ++i;
    // Accumulated as a negative number so that the 64-bit minimum is reachable.
    constexpr qint64 kMin = std::numeric_limits<qint64>::min();
    qint64 v = 0;
    for (; i <= len && src[i] >= '0' && src[i] <= '9'; ++i) {
        const int d = src[i] - '0';
        v = v < (kMin + d) / 10 ? kMin : v * 10 - d;
    }
    if (!negative)
        v = v == kMin ? std::numeric_limits<qint64>::max() : -v;
    out = v;
}

unsigned char hexDigitChar(int value)
{
    if (value < 0 || value > 15)
        return '?';
    return static_cast<unsigned char>(value < 10 ? '0' + value : 'A' + value - 10);
}

int hexCharValue(unsigned char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

void hex2ToPstr(long long value, unsigned char* dst)
{
    if (dst)
        writeDigits(static_cast<unsigned long long>(value) & 0xFFu, 2, 4, dst);
}

void hex4ToPstr(long long value, unsigned char* dst)
{
    if (dst)
        writeDigits(static_cast<unsigned long long>(value) & 0xFFFFu, 4, 4, dst);
}

void bin16ToPstr(long long value, unsigned char* dst)
{
    if (dst)
        writeDigits(static_cast<unsigned long long>(value) & 0xFFFFu, 16, 1, dst);
}

qint64 pstrHexToValue(const unsigned char* s)
{
    if (!s)
        return 0;
    quint64 v = 0;
    for (int i = 1; i <= s[0]; ++i)
        v = (v << 4) | static_cast<quint64>(std::max(0, hexCharValue(s[i])));
    return static_cast<qint64>(v);
}

qint64 pstrBinToValue(const unsigned char* s)
{
    if (!s)
        return 0;
    quint64 v = 0;
    for (int i = 1; i <= s[0]; ++i)
        v = (v << 1) | (s[i] == '0' ? 0u : 1u);
    return static_cast<qint64>(v);
}

unsigned char charToLower(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c - 'A' + 'a') : c;
}

QString pstrToNSString(const unsigned char* p)
{
    if (!p || p[0] == 0)
        return QString();
    return decodeText(QByteArray(reinterpret_cast<const char*>(p + 1), p[0]), kEncodingMacRoman);
}

void nsStringToPstr(const QString& s, unsigned char* dst, int size)
{
    if (!dst || size < 1)
        return;
    dst[0] = 0;
    bool ok = false;
    const QByteArray bytes = encodeText(s, kEncodingMacRoman, false, &ok);
    if (!ok)
        return;
    const int n = std::min<int>({static_cast<int>(bytes.size()), size - 1, 255});
    std::memcpy(dst + 1, bytes.constData(), static_cast<size_t>(n));
    dst[0] = static_cast<unsigned char>(n);
}

void nsStringToPstr255(const QString& s, unsigned char* dst)
{
    nsStringToPstr(s, dst, 256);
}
