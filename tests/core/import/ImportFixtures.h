#pragma once
// The bank files of tests/data/import, as the decoder and the parsers read them: one JSON form
// of what a file gives (its encoding, its rows or its records), shared by the golden test and
// the robustness test.
#include "import/ImportRecord.h"

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <QStringList>

namespace importfixtures {

QString folder();
// The bank files of the folder, by name (their golden files left out).
QStringList files();
// The import format a file's extension stands for: .txt tab, .csv CSV, .qif QIF, .ofx OFX.
int formatOf(const QString& fileName);

// What decoding and parsing the bytes give: {"error": key} when the decoder refuses them, else
// {"encoding", "rows"} for tab and CSV or {"encoding", "records", "skipped"} for QIF and OFX.
QJsonObject readBytes(const QByteArray& bytes, int format);
QJsonObject recordsToJson(const ParsedImport& parsed);

} // namespace importfixtures
