#include "ImportFixtures.h"

#include "import/ImportManager.h"
#include "import/ImportParserOFX.h"
#include "import/ImportParserQIF.h"
#include "import/ImportParserTAB.h"
#include "import/TextFileDecoder.h"

#include <QDir>
#include <QJsonArray>

namespace importfixtures {

QString folder()
{
    return QStringLiteral(SORV_TEST_DATA_DIR "/import");
}

QStringList files()
{
    QStringList names = QDir(folder()).entryList({"*.txt", "*.csv", "*.qif", "*.ofx"}, QDir::Files, QDir::Name);
    return names;
}

int formatOf(const QString& fileName)
{
    if (fileName.endsWith(QLatin1String(".csv")))
        return kImportFormatCSV;
    if (fileName.endsWith(QLatin1String(".qif")))
        return kImportFormatQIF;
    if (fileName.endsWith(QLatin1String(".ofx")))
        return kImportFormatOFX;
    return kImportFormatTab;
}

QJsonObject recordsToJson(const ParsedImport& parsed)
{
    QJsonArray records;
    for (const ImportRecord& record : parsed.records) {
        QJsonArray fields;
        for (const ImportField& field : record.fields)
            fields.append(QJsonArray {static_cast<int>(field.kind), field.value});
        records.append(QJsonObject {{"line", static_cast<qint64>(record.line)}, {"fields", fields}});
    }
    return {{"records", records}, {"skipped", static_cast<qint64>(parsed.skippedRecords)}};
}

QJsonObject readBytes(const QByteArray& bytes, int format)
{
    QString text;
    QString encoding;
    QString error;
    if (!TextFileDecoder::decode(bytes, format, QString(), &text, &encoding, &error))
        return {{"error", error}};
    QJsonObject result;
    if (format == kImportFormatTab || format == kImportFormatCSV) {
        QJsonArray rows;
        for (const QStringList& row : ImportParserTAB::convertStringToTableur(text, format, encoding, &error))
            rows.append(QJsonArray::fromStringList(row));
        result = error.isEmpty() ? QJsonObject {{"rows", rows}} : QJsonObject {{"error", error}};
    } else {
        result
            = recordsToJson(format == kImportFormatQIF ? ImportParserQIF::parse(text) : ImportParserOFX::parse(text));
    }
    result.insert("encoding", encoding);
    return result;
}

} // namespace importfixtures
