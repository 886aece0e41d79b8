#pragma once
// The record of an open analysis or budget window, kept in the document package's
// Contents/Resources/analyse (or budget) folder as "<generic name><number>.xml": the file's
// version, the month shown, the configuration's name and the window's content frame (two
// decimals). Reopening reads them back in the order of their numbers.
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
    QRectF frame {7, 70, 535, 530};
};

// Writes the file's record (its configuration's name, initialMonth and frame) as folder/fileName.
bool memoriseAnalyseFile(const AnalyseFile& file, const QString& folder, const QString& fileName);
// False when the file has no readable root; missing elements take the defaults.
bool loadAnalyseRecord(const QString& path, AnalyseRecord* record);
// The records of the folder worth reading: extension exactly "xml", at most
// kAnalyseRecordMaxSize bytes; ordered by the number in their names, then by name.
QStringList memorisedAnalyseRecordPaths(const QString& folder);
