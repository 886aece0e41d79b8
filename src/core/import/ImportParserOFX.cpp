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

void storeElement(const QString& tag, const QString& value, ImportRecord& record)
{
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

constexpr QLatin1StringView kCdataOpen("<![CDATA[");
constexpr QLatin1StringView kCdataClose("]]>");

bool cdataAt(QStringView block, qsizetype position)
{
    return block.mid(position, kCdataOpen.size()).compare(kCdataOpen, Qt::CaseInsensitive) == 0;
}

// Where a CDATA section that opens at a position ends (past its closing mark); an unclosed one
// runs to the end of the block.
qsizetype cdataEnd(QStringView block, qsizetype position, QStringView* content)
{
    const qsizetype body = position + kCdataOpen.size();
    const qsizetype close = block.indexOf(kCdataClose, body);
    const qsizetype end = close < 0 ? block.size() : close;
    if (content)
        *content = block.mid(body, end - body);
    return close < 0 ? block.size() : close + kCdataClose.size();
}

// The value that follows a tag, up to the next tag: plain text with its entities decoded, CDATA
// sections taken as they stand (a bank writes "&" or "<" in them unescaped). Returns where the
// next tag starts.
qsizetype readValue(QStringView block, qsizetype from, QString& value)
{
    qsizetype position = from;
    while (position < block.size()) {
        qsizetype next = block.indexOf(u'<', position);
        if (next < 0)
            next = block.size();
        value += ImportParserOFX::decodeEntities(withoutLineBreaks(block.mid(position, next - position)));
        if (next >= block.size() || !cdataAt(block, next))
            return next;
        QStringView content;
        position = cdataEnd(block, next, &content);
        value += withoutLineBreaks(content);
    }
    return block.size();
}

ImportRecord readBlock(QStringView block)
{
    ImportRecord record;
    qsizetype start = block.indexOf(u'<');
    while (start >= 0 && start < block.size()) {
        if (cdataAt(block, start)) {
            start = block.indexOf(u'<', cdataEnd(block, start, nullptr));
            continue;
        }
        // A piece without its ">" before the next "<" is no element; the search for ">" stays
        // inside the piece so that a run of "<" costs one walk.
        const qsizetype next = block.indexOf(u'<', start + 1);
        const qsizetype pieceEnd = next < 0 ? block.size() : next;
        const qsizetype close = block.mid(start + 1, pieceEnd - start - 1).indexOf(u'>');
        if (close < 0) {
            start = next;
            continue;
        }
        const QString tag = withoutLineBreaks(block.mid(start + 1, close)).trimmed();
        QString value;
        start = readValue(block, start + 2 + close, value);
        if (!tag.startsWith(u'/'))
            storeElement(tag, value.trimmed(), record);
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

QString ImportParserOFX::decodeEntities(QStringView value, qsizetype* examined)
{
    constexpr qsizetype kLongestName = 10;
    QString out;
    out.reserve(value.size());
    qsizetype i = 0;
    while (i < value.size()) {
        // The search for ";" stops past the longest name, so a value full of "&" stays one walk.
        const QStringView window = value[i] == u'&' ? value.mid(i + 1, kLongestName + 1) : QStringView();
        if (examined)
            *examined += 1 + window.size();
        const qsizetype found = window.indexOf(u';');
        const qsizetype semicolon = found < 0 ? -1 : i + 1 + found;
        if (semicolon > i + 1) {
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
