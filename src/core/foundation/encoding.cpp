#include "encoding.h"

#include <cerrno>
#include <iconv.h>
#include <string>

namespace {

// Owns an iconv descriptor for the length of one conversion.
class IconvHandle {
public:
    IconvHandle(const char* to, const char* from)
        : cd_(iconv_open(to, from))
    {
    }
    ~IconvHandle()
    {
        if (valid())
            iconv_close(cd_);
    }
    IconvHandle(const IconvHandle&) = delete;
    IconvHandle& operator=(const IconvHandle&) = delete;
    // iconv_open reports failure as the handle (iconv_t)-1.
    bool valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); } // NOLINT(performance-no-int-to-ptr)
    iconv_t get() const { return cd_; }

private:
    iconv_t cd_;
};

bool convert(const IconvHandle& h, const QByteArray& in, QByteArray& out)
{
    out.clear();
    if (!h.valid())
        return false;
    if (in.isEmpty())
        return true;
    std::string buffer(static_cast<size_t>(in.size()) * 4 + 16, '\0');
    char* src = const_cast<char*>(in.constData());
    size_t srcLeft = static_cast<size_t>(in.size());
    for (;;) {
        char* dst = buffer.data();
        size_t dstLeft = buffer.size();
        size_t r = iconv(h.get(), &src, &srcLeft, &dst, &dstLeft);
        out.append(buffer.data(), static_cast<qsizetype>(buffer.size() - dstLeft));
        if (r != static_cast<size_t>(-1)) {
            dst = buffer.data();
            dstLeft = buffer.size();
            iconv(h.get(), nullptr, nullptr, &dst, &dstLeft);
            out.append(buffer.data(), static_cast<qsizetype>(buffer.size() - dstLeft));
            return true;
        }
        if (errno != E2BIG)
            return false;
    }
}

} // namespace

QString decodeText(const QByteArray& bytes, const char* encoding, bool* ok)
{
    IconvHandle h("UTF-8", encoding);
    QByteArray utf8;
    const bool done = convert(h, bytes, utf8);
    if (ok)
        *ok = done;
    return done ? QString::fromUtf8(utf8) : QString();
}

QByteArray encodeText(const QString& text, const char* encoding, bool lossy, bool* ok)
{
    const std::string target = std::string(encoding) + (lossy ? "//TRANSLIT" : "");
    IconvHandle h(target.c_str(), "UTF-8");
    QByteArray out;
    bool done = convert(h, text.toUtf8(), out);
    if (!done && lossy && h.valid()) {
        // Transliteration can still stop on a character it has no form for: drop those.
        const std::string ignore = std::string(encoding) + "//TRANSLIT//IGNORE";
        IconvHandle h2(ignore.c_str(), "UTF-8");
        convert(h2, text.toUtf8(), out);
        done = h2.valid();
    }
    if (ok)
        *ok = done;
    return done ? out : QByteArray();
}

bool isKnownEncoding(const char* encoding)
{
    return IconvHandle("UTF-8", encoding).valid();
}
