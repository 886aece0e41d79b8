#include "foundation/rtf.h"

#include <QSet>

#include <cctype>

#include <vector>

namespace {

// Groups nest no deeper than this: a document deeper than any word processor writes is refused
// rather than followed into unbounded memory.
constexpr size_t kMaxDepth = 1024;
constexpr int kDefaultHalfPoints = 24;
constexpr QChar kLineBreak = QChar(0x2028);

// Windows-1252 from 0x80 to 0x9F; the rest of the code page is Latin-1.
constexpr char16_t kCp1252High[32]
    = {0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
       0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
       0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

QChar fromCp1252(unsigned char byte)
{
    return byte >= 0x80 && byte < 0xA0 ? QChar(kCp1252High[byte - 0x80]) : QChar(byte);
}

// Groups whose content is not text: tables, pictures, document information, headers...
const QSet<QByteArray>& skippedDestinations()
{
    static const QSet<QByteArray> names {"fonttbl",      "colortbl",  "stylesheet", "info",      "pict",
                                         "header",       "headerl",   "headerr",    "headerf",   "footer",
                                         "footerl",      "footerr",   "footerf",    "listtable", "listoverridetable",
                                         "rsidtbl",      "generator", "xmlnstbl",   "themedata", "colorschememapping",
                                         "latentstyles", "datastore", "filetbl",    "revtbl",    "object",
                                         "fldinst",      "pntext",    "pntxta",     "pntxtb",    "footnote",
                                         "annotation",   "nonshppict"};
    return names;
}

struct CharState {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int halfPoints = kDefaultHalfPoints;
    int ucSkip = 1; // characters that stand in for each \uN, for readers without Unicode
    bool skip = false; // inside a destination that holds no text
};

class RtfReader {
public:
    explicit RtfReader(const QByteArray& bytes)
        : m_bytes(bytes)
    {
    }

    RtfDocument read()
    {
        if (!m_bytes.trimmed().startsWith("{\\rtf")) {
            m_doc.error = QStringLiteral("not a rich text document");
            return m_doc;
        }
        m_doc.ok = true;
        while (m_pos < m_bytes.size() && m_doc.ok)
            step();
        if (!m_para.runs.isEmpty())
            m_doc.paragraphs.append(m_para);
        return m_doc;
    }

private:
    void step()
    {
        const char c = m_bytes.at(m_pos++);
        switch (c) {
        case '{':
            openGroup();
            return;
        case '}':
            closeGroup();
            return;
        case '\\':
            control();
            return;
        case '\r':
        case '\n':
            return;
        case '\t':
            appendChar(QChar(u'\t'));
            return;
        default:
            break;
        }
        m_groupStart = false;
        appendByte(static_cast<unsigned char>(c));
    }

    void openGroup()
    {
        if (m_stack.size() >= kMaxDepth) {
            m_doc.ok = false;
            m_doc.error = QStringLiteral("groups nested too deep");
            return;
        }
        m_stack.push_back(m_state);
        m_groupStart = true;
    }

    void closeGroup()
    {
        m_groupStart = false;
        if (m_stack.empty())
            return; // an unbalanced brace: the text read so far stands
        m_state = m_stack.back();
        m_stack.pop_back();
    }

    void control()
    {
        if (m_pos >= m_bytes.size())
            return;
        const char c = m_bytes.at(m_pos);
        if (std::isalpha(static_cast<unsigned char>(c))) {
            controlWord();
            return;
        }
        ++m_pos;
        controlSymbol(c);
    }

    void controlSymbol(char c)
    {
        const bool groupStart = m_groupStart;
        m_groupStart = false;
        switch (c) {
        case '*':
            if (groupStart)
                m_state.skip = true;
            return;
        case '\'':
            hexCharacter();
            return;
        case '~':
            appendChar(QChar(0x00A0));
            return;
        case '_':
            appendChar(QChar(0x2011));
            return;
        case '\r':
        case '\n':
            endParagraph();
            return;
        case '\\':
        case '{':
        case '}':
            appendChar(QLatin1Char(c));
            return;
        default:
            return; // optional hyphen and symbols without text
        }
    }

    void hexCharacter()
    {
        if (m_pos + 2 > m_bytes.size()) {
            m_pos = m_bytes.size();
            return;
        }
        bool ok = false;
        const int value = m_bytes.mid(m_pos, 2).toInt(&ok, 16);
        m_pos += 2;
        if (ok)
            appendByte(static_cast<unsigned char>(value));
    }

    void controlWord()
    {
        const qsizetype start = m_pos;
        while (m_pos < m_bytes.size() && m_pos - start < 32
               && std::isalpha(static_cast<unsigned char>(m_bytes.at(m_pos))))
            ++m_pos;
        const QByteArray word = m_bytes.mid(start, m_pos - start);
        const qsizetype paramStart = m_pos;
        if (m_pos < m_bytes.size() && m_bytes.at(m_pos) == '-')
            ++m_pos;
        while (m_pos < m_bytes.size() && m_pos - paramStart < 11
               && std::isdigit(static_cast<unsigned char>(m_bytes.at(m_pos))))
            ++m_pos;
        const QByteArray digits = m_bytes.mid(paramStart, m_pos - paramStart);
        bool hasParam = false;
        const long param = digits.toLong(&hasParam);
        if (m_pos < m_bytes.size() && m_bytes.at(m_pos) == ' ')
            ++m_pos; // the space that ends a control word is not text
        const bool groupStart = m_groupStart;
        m_groupStart = false;
        if (groupStart && skippedDestinations().contains(word))
            m_state.skip = true;
        apply(word, hasParam, param);
    }

    void apply(const QByteArray& word, bool hasParam, long param)
    {
        const bool on = !hasParam || param != 0;
        if (word == "par")
            endParagraph();
        else if (word == "line")
            appendChar(kLineBreak);
        else if (word == "tab")
            appendChar(QChar(u'\t'));
        else if (word == "b")
            m_state.bold = on;
        else if (word == "i")
            m_state.italic = on;
        else if (word == "ul")
            m_state.underline = on;
        else if (word == "ulnone")
            m_state.underline = false;
        else if (word == "fs" && hasParam && param > 0 && param < 3200)
            m_state.halfPoints = static_cast<int>(param);
        else if (word == "plain")
            resetCharacters();
        else if (word == "uc" && hasParam && param >= 0 && param < 16)
            m_state.ucSkip = static_cast<int>(param);
        else if (word == "u" && hasParam)
            unicode(param);
        else if (hasParam)
            applyParagraphMeasure(word, param);
        else
            applyParagraphWord(word);
    }

    void applyParagraphMeasure(const QByteArray& word, long twips)
    {
        if (m_state.skip || twips < -32768 || twips > 32767)
            return;
        const double points = double(twips) / 20.0;
        if (word == "li")
            m_para.leftIndent = points;
        else if (word == "fi")
            m_para.firstLineIndent = points;
        else if (word == "sb")
            m_para.spaceBefore = points;
        else if (word == "sa")
            m_para.spaceAfter = points;
    }

    void applyParagraphWord(const QByteArray& word)
    {
        if (m_state.skip)
            return;
        if (word == "pard") {
            const RtfParagraph reset;
            m_para.alignment = reset.alignment;
            m_para.leftIndent = reset.leftIndent;
            m_para.firstLineIndent = reset.firstLineIndent;
            m_para.spaceBefore = reset.spaceBefore;
            m_para.spaceAfter = reset.spaceAfter;
        } else if (word == "ql")
            m_para.alignment = RtfAlignment::Left;
        else if (word == "qr")
            m_para.alignment = RtfAlignment::Right;
        else if (word == "qc")
            m_para.alignment = RtfAlignment::Center;
        else if (word == "qj")
            m_para.alignment = RtfAlignment::Justified;
        else if (word == "emdash")
            appendChar(QChar(0x2014));
        else if (word == "endash")
            appendChar(QChar(0x2013));
        else if (word == "bullet")
            appendChar(QChar(0x2022));
        else if (word == "lquote")
            appendChar(QChar(0x2018));
        else if (word == "rquote")
            appendChar(QChar(0x2019));
        else if (word == "ldblquote")
            appendChar(QChar(0x201C));
        else if (word == "rdblquote")
            appendChar(QChar(0x201D));
    }

    void resetCharacters()
    {
        m_state.bold = false;
        m_state.italic = false;
        m_state.underline = false;
        m_state.halfPoints = kDefaultHalfPoints;
    }

    void unicode(long value)
    {
        // Values above 32767 are written negative.
        const long code = value < 0 ? value + 65536 : value;
        appendChar(code >= 0 && code <= 0xFFFF ? QChar(static_cast<char16_t>(code))
                                               : QChar(QChar::ReplacementCharacter));
        m_pendingSkip = m_state.ucSkip;
    }

    void appendByte(unsigned char byte)
    {
        if (m_pendingSkip > 0) {
            --m_pendingSkip;
            return;
        }
        appendChar(fromCp1252(byte));
    }

    void appendChar(QChar c)
    {
        if (m_state.skip)
            return;
        RtfRun run;
        run.bold = m_state.bold;
        run.italic = m_state.italic;
        run.underline = m_state.underline;
        run.pointSize = m_state.halfPoints / 2.0;
        if (!m_para.runs.isEmpty() && m_para.runs.last().sameLook(run)) {
            m_para.runs.last().text.append(c);
            return;
        }
        run.text = QString(c);
        m_para.runs.append(run);
    }

    void endParagraph()
    {
        if (m_state.skip)
            return;
        m_doc.paragraphs.append(m_para);
        m_para.runs.clear(); // the alignment goes on until \pard
    }

    const QByteArray& m_bytes;
    qsizetype m_pos = 0;
    std::vector<CharState> m_stack;
    CharState m_state;
    RtfParagraph m_para;
    RtfDocument m_doc;
    int m_pendingSkip = 0;
    bool m_groupStart = false;
};

} // namespace

QString RtfParagraph::text() const
{
    QString out;
    for (const RtfRun& run : runs)
        out += run.text;
    return out;
}

QString RtfDocument::plainText() const
{
    QStringList lines;
    for (const RtfParagraph& paragraph : paragraphs)
        lines.append(paragraph.text().replace(kLineBreak, QLatin1Char('\n')));
    return lines.join(QLatin1Char('\n'));
}

RtfDocument readRtf(const QByteArray& bytes)
{
    return RtfReader(bytes).read();
}
