#include "textsplit.h"

#include "encoding.h"

namespace {

// Splits on runs of separators; isSeparator and charAt read element i of a sequence of n elements.
template <typename IsSeparator, typename CharAt> QStringList tokens(qsizetype n, IsSeparator isSeparator, CharAt charAt)
{
    QStringList out;
    QString token;
    for (qsizetype i = 0; i < n; ++i) {
        if (!isSeparator(i)) {
            token.append(charAt(i));
        } else if (!token.isEmpty()) {
            out.append(token);
            token.clear();
        }
    }
    if (!token.isEmpty())
        out.append(token);
    return out;
}

} // namespace

QStringList splitStringBy(const QString& string, const QString& separator)
{
    if (separator.isEmpty())
        return {string};
    return string.split(separator, Qt::KeepEmptyParts);
}

QStringList splitDataStringBy(const QByteArray& data, const QString& separator, const char* encoding)
{
    bool ok = false;
    const QString text = decodeText(data, encoding, &ok);
    return ok ? splitStringBy(text, separator) : QStringList();
}

QStringList splitDataIntoTokens(const QByteArray& data, const QList<int>& separators)
{
    const auto byteAt = [&](qsizetype i) { return static_cast<unsigned char>(data.at(i)); };
    return tokens(
        data.size(), [&](qsizetype i) { return isCharInList(byteAt(i), separators); },
        [&](qsizetype i) { return QChar(byteAt(i)); });
}

QStringList splitStringIntoTokens(const QString& string, const QList<int>& separators)
{
    // The whole character counts: "Ĭ" (U+012C) is no "," for sharing its low byte.
    return tokens(
        string.size(), [&](qsizetype i) { return separators.contains(static_cast<int>(string.at(i).unicode())); },
        [&](qsizetype i) { return string.at(i); });
}

bool isCharInList(unsigned char c, const QList<int>& list)
{
    return list.contains(static_cast<int>(c));
}

QStringList splitFieldsWithQuote(const QString& line, QChar separator, QChar quote)
{
    QStringList fields;
    if (line.isEmpty())
        return fields;
    QString field;
    bool quoted = false;
    const qsizetype n = line.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = line.at(i);
        if (quoted) {
            if (c != quote) {
                field.append(c);
            } else if (i + 1 < n && line.at(i + 1) == quote) {
                // Two quotes inside a quoted part stand for one quote of the text.
                field.append(c);
                ++i;
            } else {
                quoted = false;
            }
        } else if (c == separator) {
            fields.append(field);
            field.clear();
        } else if (c == quote) {
            field.clear();
            quoted = true;
        } else {
            field.append(c);
        }
    }
    fields.append(field);
    if (quoted)
        fields.append(QString());
    return fields;
}

QByteArray joinStringsToData(const QStringList& strings, const QString& separator, const char* encoding)
{
    const QByteArray sep = encodeText(separator, encoding, true);
    QByteArray out;
    for (qsizetype i = 0; i < strings.size(); ++i) {
        if (i > 0)
            out.append(sep);
        out.append(encodeText(strings.at(i), encoding, true));
    }
    return out;
}

void dataAppendPstr(QByteArray& data, const unsigned char* p)
{
    if (p)
        data.append(reinterpret_cast<const char*>(p + 1), p[0]);
}

void dataAppendByte(QByteArray& data, unsigned char byte)
{
    data.append(static_cast<char>(byte));
}

void dataAppendString(QByteArray& data, const QString& string)
{
    data.append(encodeText(string, "ASCII", true));
}
