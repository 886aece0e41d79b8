#include "pstr.h"

#include "encoding.h"

#include <algorithm>
#include <cstring>

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
