#pragma once
// The record of an open analysis or budget window, kept in the document package's
// Contents/Resources/analyse (or budget) folder as "<generic name><number>.xml": the file's
// version, the month shown, the configuration's name and the window's content frame (two
// decimals). Reopening reads them back in the order of their numbers.
//
// The month shown is kept twice: as its place among the file's months ("initialMonth", what
// older records hold) and as the month itself ("initialPeriod", year × 100 + month). The place
// alone moves with the configuration's first month: once earlier records are imported, the same
// place is another month.
// The folders themselves come from model/GraphFile.h (getAnalyseFolderInDocument...).
#include "model/GraphFile.h"

#include <QList>
#include <QRectF>
#include <QString>

class AnalyseFile;

inline constexpr qint64 kAnalyseRecordMaxSize = 999999;

struct AnalyseRecord {
    long version = 5;
    QString nom;
    long initialMonth = 0;
    long initialPeriod = 0; // year × 100 + month of the month shown; 0 for the whole period or an older record
    QRectF frame {7, 70, 535, 530};
};

// Writes the file's record (its configuration's name, initialMonth and frame) as folder/fileName.
bool memoriseAnalyseFile(const AnalyseFile& file, const QString& folder, const QString& fileName);
// False when the file has no readable root; missing elements take the defaults.
bool loadAnalyseRecord(const QString& path, AnalyseRecord* record);
// The month of the file to show for a record of that place and period: the file's column of the
// period when there is one (the whole period, 0, when the file no longer has that month), else
// the recorded place.
long recordedMonthIn(const AnalyseFile& file, long place, long period);
// The records of the folder worth reading: extension exactly "xml", at most
// kAnalyseRecordMaxSize bytes; ordered by the number in their names, then by name.
QStringList memorisedAnalyseRecordPaths(const QString& folder);
