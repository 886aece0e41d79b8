#include "PlistText.h"

#include <cstring>
#include <memory>

namespace {

constexpr int kMaxDepth = 32;

using PlistPtr = std::unique_ptr<void, void (*)(plist_t)>;

PlistPtr holder(plist_t node)
{
    return PlistPtr(node, plist_free);
}

bool isBareChar(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')
        || (c != 0 && std::strchr("_$+/:.-", c));
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

class TextReader {
public:
    explicit TextReader(const QByteArray& text)
        : m_p(text.constData())
        , m_begin(text.constData())
        , m_end(text.constData() + text.size())
    {
    }

    plist_t read(QString* reason)
    {
        PlistPtr root = value(0);
        if (root && skipBlanks())
            fail("texte après la fin de la liste");
        if (!m_reason.isEmpty()) {
            if (reason)
                *reason = QStringLiteral("%1 (octet %2)").arg(m_reason).arg(m_at);
            return nullptr;
        }
        return root.release();
    }

private:
    PlistPtr fail(const char* what)
    {
        if (m_reason.isEmpty()) {
            m_reason = QString::fromUtf8(what);
            m_at = m_p - m_begin;
        }
        return holder(nullptr);
    }

    // Skips white space and comments; false at the end of the text.
    bool skipBlanks()
    {
        while (m_p < m_end) {
            if (*m_p == ' ' || *m_p == '\t' || *m_p == '\n' || *m_p == '\r' || *m_p == '\f') {
                ++m_p;
            } else if (m_end - m_p >= 2 && m_p[0] == '/' && m_p[1] == '/') {
                while (m_p < m_end && *m_p != '\n')
                    ++m_p;
            } else if (m_end - m_p >= 2 && m_p[0] == '/' && m_p[1] == '*') {
                const char* close = std::strstr(m_p + 2, "*/");
                m_p = close && close < m_end ? close + 2 : m_end;
            } else {
                return true;
            }
        }
        return false;
    }

    PlistPtr value(int depth)
    {
        if (depth > kMaxDepth)
            return fail("imbrication trop profonde");
        if (!skipBlanks())
            return fail("fin du texte inattendue");
        switch (*m_p) {
        case '{':
            return dictionary(depth);
        case '(':
            return array(depth);
        case '<':
            return data();
        case '"':
        case '\'':
            return quoted();
        default:
            return bare();
        }
    }

    PlistPtr dictionary(int depth)
    {
        ++m_p;
        PlistPtr dict = holder(plist_new_dict());
        while (skipBlanks() && *m_p != '}') {
            PlistPtr key = *m_p == '"' || *m_p == '\'' ? quoted() : bare();
            if (!key)
                return key;
            if (!skipBlanks() || *m_p != '=')
                return fail("« = » attendu");
            ++m_p;
            PlistPtr item = value(depth + 1);
            if (!item)
                return item;
            char* name = nullptr;
            plist_get_string_val(key.get(), &name);
            plist_dict_set_item(dict.get(), name, item.release());
            std::free(name);
            if (!skipBlanks() || (*m_p != ';' && *m_p != '}'))
                return fail("« ; » attendu");
            if (*m_p == ';')
                ++m_p;
        }
        if (m_p >= m_end)
            return fail("« } » attendu");
        ++m_p;
        return dict;
    }

    PlistPtr array(int depth)
    {
        ++m_p;
        PlistPtr list = holder(plist_new_array());
        while (skipBlanks() && *m_p != ')') {
            PlistPtr item = value(depth + 1);
            if (!item)
                return item;
            plist_array_append_item(list.get(), item.release());
            if (!skipBlanks() || (*m_p != ',' && *m_p != ')'))
                return fail("« , » attendu");
            if (*m_p == ',')
                ++m_p;
        }
        if (m_p >= m_end)
            return fail("« ) » attendu");
        ++m_p;
        return list;
    }

    PlistPtr data()
    {
        ++m_p;
        QByteArray bytes;
        int high = -1;
        for (; m_p < m_end && *m_p != '>'; ++m_p) {
            if (*m_p == ' ' || *m_p == '\t' || *m_p == '\n' || *m_p == '\r')
                continue;
            const int digit = hexValue(*m_p);
            if (digit < 0)
                return fail("chiffre hexadécimal attendu");
            if (high < 0) {
                high = digit;
            } else {
                bytes.append(char(high * 16 + digit));
                high = -1;
            }
        }
        if (m_p >= m_end || high >= 0)
            return fail("données incomplètes");
        ++m_p;
        return holder(plist_new_data(bytes.constData(), uint64_t(bytes.size())));
    }

    PlistPtr quoted()
    {
        const char quote = *m_p++;
        QByteArray text;
        while (m_p < m_end && *m_p != quote) {
            if (*m_p != '\\') {
                text.append(*m_p++);
                continue;
            }
            if (++m_p >= m_end)
                break;
            if (!escape(&text))
                return fail("séquence d'échappement invalide");
        }
        if (m_p >= m_end)
            return fail("chaîne non terminée");
        ++m_p;
        return holder(plist_new_string(text.constData()));
    }

    // The character after a backslash, at m_p.
    bool escape(QByteArray* text)
    {
        static const char from[] = "abfnrtv";
        static const char to[] = "\a\b\f\n\r\t\v";
        const char c = *m_p++;
        if (const char* at = std::strchr(from, c); at && c) {
            text->append(to[at - from]);
        } else if (c == 'U' || c == 'u') {
            char16_t unit = 0;
            for (int i = 0; i < 4; ++i) {
                const int digit = m_p < m_end ? hexValue(*m_p++) : -1;
                if (digit < 0)
                    return false;
                unit = char16_t(unit * 16 + digit);
            }
            text->append(QString(QChar(unit)).toUtf8());
        } else if (c >= '0' && c <= '7') {
            int code = c - '0';
            for (int i = 0; i < 2 && m_p < m_end && *m_p >= '0' && *m_p <= '7'; ++i)
                code = code * 8 + (*m_p++ - '0');
            text->append(char(code));
        } else {
            text->append(c);
        }
        return true;
    }

    PlistPtr bare()
    {
        const char* start = m_p;
        while (m_p < m_end && isBareChar(*m_p))
            ++m_p;
        if (m_p == start)
            return fail("valeur attendue");
        return holder(plist_new_string(QByteArray(start, m_p - start).constData()));
    }

    const char* m_p;
    const char* m_begin;
    const char* m_end;
    QString m_reason;
    qsizetype m_at = 0;
};

} // namespace

plist_t plistFromText(const QByteArray& text, QString* reason)
{
    return TextReader(text).read(reason);
}
