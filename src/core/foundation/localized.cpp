#include "localized.h"

#include "pstr.h"

#include <QFile>
#include <QLocale>

namespace {

struct Parser {
    const QString text;
    qsizetype i = 0;
    int line = 1;

    bool atEnd() const { return i >= text.size(); }
    QChar peek() const { return atEnd() ? QChar() : text.at(i); }
    void advance()
    {
        if (text.at(i) == u'\n')
            ++line;
        ++i;
    }

    void skipSpaceAndComments()
    {
        while (!atEnd()) {
            if (peek().isSpace()) {
                advance();
            } else if (text.mid(i, 2) == u"//") {
                while (!atEnd() && peek() != u'\n')
                    advance();
            } else if (text.mid(i, 2) == u"/*") {
                const qsizetype end = text.indexOf(u"*/", i + 2);
                const qsizetype stop = end < 0 ? text.size() : end + 2;
                while (i < stop)
                    advance();
            } else {
                return;
            }
        }
    }

    bool quoted(QString& out)
    {
        if (peek() != u'"')
            return false;
        advance();
        out.clear();
        while (!atEnd() && peek() != u'"') {
            QChar c = peek();
            advance();
            if (c == u'\\' && !atEnd()) {
                const QChar e = peek();
                advance();
                c = e == u'n' ? QChar(u'\n') : e == u't' ? QChar(u'\t') : e == u'r' ? QChar(u'\r') : e;
            }
            out.append(c);
        }
        if (atEnd())
            return false;
        advance();
        return true;
    }

    bool expect(QChar c)
    {
        skipSpaceAndComments();
        if (peek() != c)
            return false;
        advance();
        return true;
    }
};

QHash<QString, QString> loadTable(const QString& table)
{
    QHash<QString, QString> map;
    QFile f(QStringLiteral(":/strings/%1/%2.strings").arg(stringTableLanguage(), table));
    if (f.open(QIODevice::ReadOnly))
        parseStringsTable(f.readAll(), map);
    return map;
}

// Tables are read once, on first use of each, for the life of the process.
const QHash<QString, QString>& table(const QString& name)
{
    static QHash<QString, QHash<QString, QString>> tables;
    auto it = tables.find(name);
    if (it == tables.end())
        it = tables.insert(name, loadTable(name));
    return *it;
}

} // namespace

bool parseStringsTable(const QByteArray& utf8, QHash<QString, QString>& out, QString* error)
{
    Parser p {QString::fromUtf8(utf8)};
    if (p.peek() == QChar(0xFEFF))
        p.advance();
    for (;;) {
        p.skipSpaceAndComments();
        if (p.atEnd())
            return true;
        QString key;
        QString value;
        if (!p.quoted(key) || !p.expect(u'=') || (p.skipSpaceAndComments(), !p.quoted(value)) || !p.expect(u';')) {
            if (error)
                *error = QStringLiteral("line %1: expected \"key\" = \"value\";").arg(p.line);
            return false;
        }
        out.insert(key, value);
    }
}

QString stringTableLanguage()
{
    return QStringLiteral("fr");
}

QString localizedStringForKey(const QString& key, const QString& tableName)
{
    const auto& t = table(tableName);
    const auto it = t.constFind(key);
    return it == t.constEnd() ? key : *it;
}

QString localizedAppl(const QString& key)
{
    return localizedStringForKey(key, QStringLiteral("Appl"));
}
QString localizedDialogue(const QString& key)
{
    return localizedStringForKey(key, QStringLiteral("Dialogue"));
}
QString localizedMisc(const QString& key)
{
    return localizedStringForKey(key, QStringLiteral("Misc"));
}
QString localizedHelp(const QString& key)
{
    return localizedStringForKey(key, QStringLiteral("Help"));
}

void pstrLocalizedString(const unsigned char* key, const unsigned char* tableName, unsigned char* out)
{
    if (!out)
        return;
    out[0] = 0;
    const QString k = pstrToNSString(key);
    if (k.isEmpty())
        return;
    nsStringToPstr255(localizedStringForKey(k, pstrToNSString(tableName)), out);
}

void pstrLocalizedMisc(const unsigned char* key, unsigned char* out)
{
    Str255 t {};
    nsStringToPstr255(QStringLiteral("Misc"), t.data());
    pstrLocalizedString(key, t.data(), out);
}

void pstrLocalizedAppl(const unsigned char* key, unsigned char* out)
{
    Str255 t {};
    nsStringToPstr255(QStringLiteral("Appl"), t.data());
    pstrLocalizedString(key, t.data(), out);
}

QString localizedMonthName(int month)
{
    if (month < 1 || month > 12)
        return QStringLiteral("?");
    return QLocale().standaloneMonthName(month, QLocale::LongFormat);
}

QString localizedShortMonthName(int month)
{
    if (month < 1 || month > 12)
        return QStringLiteral("?");
    return QLocale().standaloneMonthName(month, QLocale::ShortFormat);
}
