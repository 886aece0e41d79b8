#include "import/ImportParserQIF.h"

#include <algorithm>
#include <optional>

namespace {

enum class QifDateOrder { Unknown, DayFirst, MonthFirst };

bool startsWithNoCase(QStringView text, QLatin1StringView prefix)
{
    return text.startsWith(prefix, Qt::CaseInsensitive);
}

bool isTransactionType(QStringView type)
{
    static const QLatin1StringView types[]
        = {QLatin1StringView("Bank"), QLatin1StringView("Cash"), QLatin1StringView("CCard"), QLatin1StringView("Oth A"),
           QLatin1StringView("Oth L")};
    const QStringView name = type.trimmed();
    return std::any_of(std::cbegin(types), std::cend(types),
                       [name](QLatin1StringView t) { return name.compare(t, Qt::CaseInsensitive) == 0; });
}

std::optional<ImportRubrique> kindOfLine(QChar code)
{
    switch (code.unicode()) {
    case u'D':
        return ImportRubrique::DateJMA;
    case u'T':
        return ImportRubrique::MontantSeul;
    case u'P':
        return ImportRubrique::Contre;
    case u'M':
        return ImportRubrique::Info;
    case u'N':
        return ImportRubrique::Reference;
    case u'L':
        return ImportRubrique::Poste;
    default:
        return std::nullopt;
    }
}

class QifReader {
public:
    ParsedImport parse(QStringView text)
    {
        long lineNumber = 1;
        qsizetype start = 0;
        const qsizetype n = text.size();
        for (qsizetype i = 0; i <= n; ++i) {
            if (i < n && text[i] != u'\r' && text[i] != u'\n')
                continue;
            if (i > start)
                readLine(text.mid(start, i - start), lineNumber);
            // CR LF is one line break.
            if (i + 1 < n && text[i] == u'\r' && text[i + 1] == u'\n')
                ++i;
            ++lineNumber;
            start = i + 1;
        }
        endRecord();
        rewriteDates();
        return std::move(m_parsed);
    }

private:
    void readLine(QStringView line, long lineNumber)
    {
        const QChar code = line.front();
        if (code == u'!') {
            endRecord();
            readHeader(line.mid(1).trimmed());
            return;
        }
        if (code == u'^') {
            endRecord();
            return;
        }
        if (!m_recordHasLines)
            m_record.line = lineNumber;
        m_recordHasLines = true;
        if (const std::optional<ImportRubrique> kind = kindOfLine(code))
            m_record.fields.push_back({*kind, line.mid(1).trimmed().toString()});
    }

    void readHeader(QStringView header)
    {
        if (startsWithNoCase(header, QLatin1StringView("Type:"))) {
            m_inTransactions = isTransactionType(header.mid(5));
        } else if (startsWithNoCase(header, QLatin1StringView("Option:"))) {
            const QStringView option = header.mid(7).trimmed();
            if (option.compare(QLatin1StringView("MDY"), Qt::CaseInsensitive) == 0)
                m_hint = QifDateOrder::MonthFirst;
            else if (option.compare(QLatin1StringView("DMY"), Qt::CaseInsensitive) == 0)
                m_hint = QifDateOrder::DayFirst;
            else if (option.compare(QLatin1StringView("AutoSwitch"), Qt::CaseInsensitive) == 0)
                m_inTransactions = false;
        } else {
            // "!Account", "!Clear:AutoSwitch" and headers of no known kind: what follows them
            // describes something other than transactions.
            m_inTransactions = false;
        }
    }

    void endRecord()
    {
        if (m_inTransactions && !m_record.fields.empty())
            m_parsed.records.push_back(std::move(m_record));
        else if (!m_inTransactions && m_recordHasLines)
            ++m_parsed.skippedRecords;
        m_record = ImportRecord();
        m_recordHasLines = false;
    }

    QifDateOrder fileDateOrder() const
    {
        if (m_hint != QifDateOrder::Unknown)
            return m_hint;
        long dayFirst = 0, monthFirst = 0, apostrophes = 0;
        for (const ImportRecord& record : m_parsed.records) {
            for (const ImportField& field : record.fields) {
                if (field.kind != ImportRubrique::DateJMA)
                    continue;
                qint64 a = 0, b = 0;
                qsizetype i = 0;
                ImportParser::parsePassLetters(field.value, &i);
                ImportParser::parseInteger(field.value, &i, &a);
                ImportParser::parsePassLetters(field.value, &i);
                ImportParser::parseInteger(field.value, &i, &b);
                dayFirst += a > 12 && a <= 31 && b <= 12;
                monthFirst += b > 12 && b <= 31 && a <= 12;
                apostrophes += field.value.contains(u'\'');
            }
        }
        if (dayFirst != monthFirst)
            return dayFirst > monthFirst ? QifDateOrder::DayFirst : QifDateOrder::MonthFirst;
        return apostrophes > 0 ? QifDateOrder::MonthFirst : QifDateOrder::DayFirst;
    }

    void rewriteDates()
    {
        const ImportRubrique order
            = fileDateOrder() == QifDateOrder::MonthFirst ? ImportRubrique::DateMJA : ImportRubrique::DateJMA;
        for (ImportRecord& record : m_parsed.records) {
            for (ImportField& field : record.fields) {
                if (field.kind == ImportRubrique::DateJMA)
                    rewriteDate(field, order);
            }
        }
    }

    static void rewriteDate(ImportField& field, ImportRubrique order)
    {
        qsizetype i = 0;
        qint64 first = 0;
        ImportParser::parsePassLetters(field.value, &i);
        ImportParser::parseInteger(field.value, &i, &first);
        const ImportRubrique kind = first >= 1000 ? ImportRubrique::DateAMJ : order;
        long day = 0, month = 0, year = 0;
        if (ImportParser::parseDateTriple(field.value, kind, &day, &month, &year))
            field.value = QStringLiteral("%1/%2/%3")
                              .arg(day, 2, 10, QLatin1Char('0'))
                              .arg(month, 2, 10, QLatin1Char('0'))
                              .arg(year, 4, 10, QLatin1Char('0'));
    }

    ParsedImport m_parsed;
    ImportRecord m_record;
    bool m_recordHasLines = false;
    bool m_inTransactions = true; // a file without a header holds bank transactions
    QifDateOrder m_hint = QifDateOrder::Unknown;
};

} // namespace

bool ImportParserQIF::parseString(const QString& text, int, long, int, const QString&, const ImportEndBlock& endBlock,
                                  QString*)
{
    endBlock(parse(text));
    return true;
}

ParsedImport ImportParserQIF::parse(const QString& text)
{
    return QifReader().parse(text);
}
