#include "engines/AnalyseRecord.h"

#include "engines/AnalyseFile.h"
#include "foundation/dates.h"
#include "foundation/xmlmember.h"
#include "model/DOCUMENT.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

namespace {

long recordNumber(const QString& fileName)
{
    static const QRegularExpression digits(QStringLiteral("(\\d+)\\.xml$"));
    const QRegularExpressionMatch match = digits.match(fileName);
    return match.hasMatch() ? match.captured(1).toLong() : -1;
}

long periodOfColumn(const AnalyseFile& file, long month)
{
    const AnalyseColumn* column = month >= 1 ? analyseColumnAtIndex(file, month - 1) : nullptr;
    return column ? dateYear(column->month) * 100 + dateMonth(column->month) : 0;
}

} // namespace

bool memoriseAnalyseFile(const AnalyseFile& file, const QString& folder, const QString& fileName)
{
    pugi::xml_node root;
    XmlDocPtr document = xmlCreateDocument(QStringLiteral("record"), &root);
    if (!document)
        return false;
    xmlAppendLong(root, "version", file.version);
    xmlAppendLong(root, "initialMonth", file.initialMonth);
    xmlAppendLong(root, "initialPeriod", periodOfColumn(file, file.initialMonth));
    xmlAppendString(root, "nom", file.anaDef.nom);
    xmlAppendFloat(root, "cgboundx", 2, static_cast<float>(file.frame.x()));
    xmlAppendFloat(root, "cgboundy", 2, static_cast<float>(file.frame.y()));
    xmlAppendFloat(root, "cgboundwidth", 2, static_cast<float>(file.frame.width()));
    xmlAppendFloat(root, "cgboundheight", 2, static_cast<float>(file.frame.height()));
    // Replaced whole, never emptied where it lies: a backup may share the previous record's bytes.
    return writeXMLToURL(QDir(folder).filePath(fileName), document.get());
}

bool loadAnalyseRecord(const QString& path, AnalyseRecord* record)
{
    XmlDocPtr document;
    const pugi::xml_node root = loadXMLRootFromURL(path, &document);
    if (!root)
        return false;
    record->version = xmlGetLong(root, "version", 5);
    record->initialMonth = xmlGetLong(root, "initialMonth", 0);
    record->initialPeriod = xmlGetLong(root, "initialPeriod", 0);
    record->nom = xmlGetMutableString(root, "nom");
    record->frame = QRectF(xmlGetFloat(root, "cgboundx", 7), xmlGetFloat(root, "cgboundy", 70),
                           xmlGetFloat(root, "cgboundwidth", 535), xmlGetFloat(root, "cgboundheight", 530));
    return true;
}

long recordedMonthIn(const AnalyseFile& file, long place, long period)
{
    if (period <= 0)
        return place;
    for (long month = 1; month <= analyseNumberOfColumns(file); ++month) {
        if (periodOfColumn(file, month) == period)
            return month;
    }
    return 0;
}

QStringList memorisedAnalyseRecordPaths(const QString& folder)
{
    QList<QFileInfo> entries = QDir(folder).entryInfoList(QDir::Files, QDir::Name);
    entries.erase(std::remove_if(entries.begin(), entries.end(),
                                 [](const QFileInfo& info) {
                                     return info.suffix() != QLatin1String("xml")
                                         || info.size() > kAnalyseRecordMaxSize;
                                 }),
                  entries.end());
    std::stable_sort(entries.begin(), entries.end(), [](const QFileInfo& a, const QFileInfo& b) {
        return recordNumber(a.fileName()) < recordNumber(b.fileName());
    });
    QStringList paths;
    for (const QFileInfo& info : entries)
        paths.append(info.filePath());
    return paths;
}
