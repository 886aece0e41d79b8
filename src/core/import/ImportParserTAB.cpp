#include "import/ImportParserTAB.h"

#include "foundation/diagnostics.h"
#include "import/ImportManager.h"

#include <algorithm>
#include <limits>

namespace {

// The separator is chosen on this many records.
constexpr int kSampleRecords = 10;

bool isLineBreak(QChar c)
{
    return c == u'\r' || c == u'\n';
}

// Reads a CSV text one field at a time.
class CsvReader {
public:
    CsvReader(QStringView text, QChar separator)
        : m_text(text)
        , m_separator(separator)
    {
    }

    ImportRows read(qsizetype maxRecords)
    {
        ImportRows rows;
        QStringList row;
        bool lineHasContent = false;
        while (m_i < m_text.size() && static_cast<qsizetype>(rows.size()) < maxRecords) {
            const QChar c = m_text[m_i];
            if (isLineBreak(c)) {
                endRecord(rows, row, lineHasContent);
                continue;
            }
            lineHasContent = true;
            row.append(readField());
            if (m_i < m_text.size() && m_text[m_i] == m_separator) {
                ++m_i;
                if (m_i >= m_text.size() || isLineBreak(m_text[m_i]))
                    row.append(QString());
            }
        }
        if (lineHasContent && static_cast<qsizetype>(rows.size()) < maxRecords)
            rows.push_back(row);
        return rows;
    }

private:
    void endRecord(ImportRows& rows, QStringList& row, bool& lineHasContent)
    {
        while (m_i < m_text.size() && isLineBreak(m_text[m_i]))
            ++m_i;
        if (lineHasContent)
            rows.push_back(row);
        row.clear();
        lineHasContent = false;
    }

    bool isBlank(QChar c) const { return (c == u' ' || c == u'\t') && c != m_separator; }

    // One field, up to (not past) the separator or line break that ends it.
    QString readField()
    {
        QString field;
        qsizetype k = m_i;
        while (k < m_text.size() && isBlank(m_text[k]))
            ++k;
        if (k < m_text.size() && m_text[k] == u'"' && readQuoted(k + 1, &field))
            return field + readPlain();
        return readPlain();
    }

    // The quoted run that starts at from, m_i past its closing quote; false, m_i unchanged, when
    // no quote closes it.
    bool readQuoted(qsizetype from, QString* field)
    {
        const qsizetype n = m_text.size();
        for (qsizetype j = from; j < n; ++j) {
            const QChar c = m_text[j];
            if (c == u'"') {
                if (j + 1 < n && m_text[j + 1] == u'"') {
                    field->append(u'"');
                    ++j;
                    continue;
                }
                m_i = j + 1;
                return true;
            }
            if (c == u'\r') {
                field->append(u'\n');
                if (j + 1 < n && m_text[j + 1] == u'\n')
                    ++j;
                continue;
            }
            field->append(c);
        }
        field->clear();
        return false;
    }

    QString readPlain()
    {
        const qsizetype start = m_i;
        while (m_i < m_text.size() && m_text[m_i] != m_separator && !isLineBreak(m_text[m_i]))
            ++m_i;
        return m_text.mid(start, m_i - start).toString();
    }

    QStringView m_text;
    QChar m_separator;
    qsizetype m_i = 0;
};

qsizetype recordsWithSeveralFields(const ImportRows& rows)
{
    return std::count_if(rows.cbegin(), rows.cend(), [](const QStringList& row) { return row.size() >= 2; });
}

ImportRows splitTab(const QString& text)
{
    ImportRows rows;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i <= n; ++i) {
        if (i < n && !isLineBreak(text[i]))
            continue;
        if (i > start)
            rows.push_back(QStringView(text).mid(start, i - start).toString().split(u'\t'));
        start = i + 1;
    }
    return rows;
}

bool padRows(ImportRows& rows, QString* errorKey)
{
    qsizetype columns = 0;
    for (const QStringList& row : rows)
        columns = std::max(columns, row.size());
    if (columns > ImportParserTAB::kMaxColumns
        || columns * static_cast<qsizetype>(rows.size()) > ImportParserTAB::kMaxCells) {
        rows.clear();
        if (errorKey)
            *errorKey = QStringLiteral("kAlerte_ImportTropGrand");
        return false;
    }
    for (QStringList& row : rows) {
        while (row.size() < columns)
            row.append(QString());
    }
    return true;
}

} // namespace

ImportParserTAB::ImportParserTAB(int format, IImportReview* review)
    : m_format(format)
    , m_review(review)
{
}

bool ImportParserTAB::parseString(const QString& text, int, long compteID, int devise, const QString& encoding,
                                  const ImportEndBlock& endBlock, QString* errorKey)
{
    if (!SV_ASSERT(m_review != nullptr)) {
        if (errorKey)
            *errorKey = QStringLiteral("kAlerte_ImportImpossible");
        return false;
    }
    QString reason;
    ImportRows rows = convertStringToTableur(text, m_format, encoding, &reason);
    if (!reason.isEmpty()) {
        if (errorKey)
            *errorKey = reason;
        return false;
    }
    m_review->openTabImportEditor(rows, m_format, compteID, devise, encoding, endBlock);
    return true;
}

QChar ImportParserTAB::csvSeparator(QStringView text)
{
    const qsizetype semicolons = recordsWithSeveralFields(CsvReader(text, u';').read(kSampleRecords));
    const qsizetype commas = recordsWithSeveralFields(CsvReader(text, u',').read(kSampleRecords));
    return commas > semicolons ? u',' : u';';
}

ImportRows ImportParserTAB::splitCSV(QStringView text, QChar separator)
{
    return CsvReader(text, separator).read(std::numeric_limits<qsizetype>::max());
}

ImportRows ImportParserTAB::convertStringToTableur(const QString& text, int format, const QString&, QString* errorKey)
{
    if (errorKey)
        errorKey->clear();
    ImportRows rows = format == kImportFormatTab ? splitTab(text) : splitCSV(text, csvSeparator(text));
    padRows(rows, errorKey);
    return rows;
}
