#pragma once
// The import of bank files into the open document, and the small helpers every list export
// shares. One manager for the process.
#include <QChar>
#include <QString>

// Format codes, shared by the import and the export menus.
inline constexpr int kImportFormatTab = 0;
inline constexpr int kImportFormatCSV = 1;
inline constexpr int kImportFormatQIF = 2;
inline constexpr int kImportFormatOFX = 3;

class ImportManager {
public:
    static ImportManager& sharedInstance();

    // The package's "importConfigurations" folder, created when missing; false when it can't be had.
    bool getImportConfigurationFolder(QString* url, const QString& docURL) const;

    static long nbImportExportFormat();
    // "?" for a code outside the formats.
    static QString getImportFormatName(long format);

private:
    ImportManager() = default;
};

// ";" for CSV, TAB for every other format.
QChar exportFieldSeparator(int format);
// CR for every format.
QChar exportLineEnd(int format);
// A field made safe to stand between separators without quoting: for CSV every ";" becomes ".",
// for the other formats every TAB a space; in every format CR and LF become spaces, since a line
// break inside a field would cut its record in two.
QString exportSanitizeField(const QString& text, int format);
