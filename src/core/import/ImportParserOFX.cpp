#include "import/ImportParserOFX.h"

#include <algorithm>
#include <optional>

namespace {

// The next occurrence of a tag from a position on, searched for once and kept while the reading
// has not passed it, so finding every block stays one walk over the text.
class TagFinder {
public:
    TagFinder(QStringView text, QLatin1StringView tag)
        : m_text(text)
        , m_tag(tag)
    {
    }

    // The position, or the text's length when there is none.
    qsizetype from(qsizetype position)
    {
        if (m_found == kNotSearched || (m_found >= 0 && m_found < position))
            m_found = m_text.indexOf(m_tag, position, Qt::CaseInsensitive);
        return m_found < 0 ? m_text.size() : m_found;
    }

private:
    static constexpr qsizetype kNotSearched = -2;
    QStringView m_text;
    QLatin1StringView m_tag;
    qsizetype m_found = kNotSearched;
};

long lineBreaksIn(QStringView text)
{
    long count = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'\n' || (text[i] == u'\r' && (i + 1 >= text.size() || text[i + 1] != u'\n')))
            ++count;
    }
    return count;
}

QString withoutLineBreaks(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (c != u'\r' && c != u'\n')
            out.append(c);
    }
    return out;
}

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// "YYYYMMDD..." as "DD-MM-YYYY"; empty without eight leading digits.
QString ofxDate(const QString& value)
{
    if (value.size() < 8 || !std::all_of(value.cbegin(), value.cbegin() + 8, isAsciiDigit))
        return QString();
    return value.mid(6, 2) + u'-' + value.mid(4, 2) + u'-' + value.left(4);
}

void readElement(QStringView piece, ImportRecord& record)
{
    const qsizetype close = piece.indexOf(u'>');
    if (close < 0)
        return;
    const QString tag = withoutLineBreaks(piece.left(close)).trimmed();
    if (tag.startsWith(u'/'))
        return;
    const QString value = ImportParserOFX::decodeEntities(withoutLineBreaks(piece.mid(close + 1))).trimmed();
    if (tag.compare(QLatin1String("DTPOSTED"), Qt::CaseInsensitive) == 0) {
        const QString date = ofxDate(value);
        if (!date.isEmpty())
            record.fields.push_back({ImportRubrique::DateJMA, date});
    } else if (tag.compare(QLatin1String("TRNAMT"), Qt::CaseInsensitive) == 0) {
        record.fields.push_back({ImportRubrique::MontantSeul, value});
    } else if (tag.compare(QLatin1String("NAME"), Qt::CaseInsensitive) == 0) {
        record.fields.push_back({ImportRubrique::Contre, value});
    } else if (tag.compare(QLatin1String("MEMO"), Qt::CaseInsensitive) == 0) {
        record.fields.push_back({ImportRubrique::Info, value});
    }
}

ImportRecord readBlock(QStringView block)
{
    ImportRecord record;
    qsizetype start = block.indexOf(u'<');
    while (start >= 0) {
        const qsizetype next = block.indexOf(u'<', start + 1);
        const qsizetype end = next < 0 ? block.size() : next;
        readElement(block.mid(start + 1, end - start - 1), record);
        start = next;
    }
    return record;
}

// The character a reference or entity name stands for; none for anything else.
std::optional<QString> entityText(QStringView name)
{
    if (name == u"amp")
        return QStringLiteral("&");
    if (name == u"lt")
        return QStringLiteral("<");
    if (name == u"gt")
        return QStringLiteral(">");
    if (name == u"quot")
        return QStringLiteral("\"");
    if (name == u"apos")
        return QStringLiteral("'");
    if (name.size() < 2 || name.front() != u'#')
        return std::nullopt;
    const bool hex = name[1] == u'x' || name[1] == u'X';
    bool ok = false;
    const uint code = name.mid(hex ? 2 : 1).toUInt(&ok, hex ? 16 : 10);
    if (!ok || code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return std::nullopt;
    const char32_t character = code;
    return QString::fromUcs4(&character, 1);
}

} // namespace

QString ImportParserOFX::decodeEntities(QStringView value)
{
    constexpr qsizetype kLongestName = 10;
    QString out;
    out.reserve(value.size());
    qsizetype i = 0;
    while (i < value.size()) {
        const qsizetype semicolon = value[i] == u'&' ? value.indexOf(u';', i + 1) : -1;
        if (semicolon > i + 1 && semicolon - i - 1 <= kLongestName) {
            if (const std::optional<QString> text = entityText(value.mid(i + 1, semicolon - i - 1))) {
                out.append(*text);
                i = semicolon + 1;
                continue;
            }
        }
        out.append(value[i]);
        ++i;
    }
    return out;
}

bool ImportParserOFX::parseString(const QString& text, int, long, int, const QString&, const ImportEndBlock& endBlock,
                                  QString*)
{
    endBlock(parse(text));
    return true;
}

ParsedImport ImportParserOFX::parse(const QString& text)
{
    static constexpr QLatin1StringView kOpen("<STMTTRN>");
    static constexpr QLatin1StringView kClose("</STMTTRN>");
    const QStringView view(text);
    TagFinder opens(view, kOpen);
    TagFinder closes(view, kClose);
    TagFinder listEnds(view, QLatin1StringView("</BANKTRANLIST>"));
    ParsedImport parsed;
    long line = 1;
    qsizetype counted = 0;
    qsizetype from = 0;
    while (from < view.size()) {
        const qsizetype open = opens.from(from);
        if (open >= view.size())
            break;
        const qsizetype body = open + kOpen.size();
        const qsizetype close = closes.from(body);
        const qsizetype end = std::min({close, opens.from(body), listEnds.from(body)});
        line += lineBreaksIn(view.mid(counted, open - counted));
        counted = open;
        ImportRecord record = readBlock(view.mid(body, end - body));
        record.line = line;
        parsed.records.push_back(std::move(record));
        from = end == close && close < view.size() ? close + kClose.size() : end;
    }
    return parsed;
}
