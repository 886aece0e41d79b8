#pragma once
// Tab-separated (format 0) and CSV (format 1) files: their text becomes rows of cells, and the
// rows go to the tab import editor, where the user gives each column its role; the editor builds
// the records.
//
// CSV follows RFC 4180: one separator for the whole file (";" unless "," splits more of its first
// lines into several fields), quoted fields that hold separators, doubled quotes and line breaks,
// blanks before an opening quote dropped. A quote that no later quote closes is taken as text.
// Tab files are cut at every TAB, without quoting. Empty lines disappear; every row is padded
// with empty cells to the length of the longest.
#include "import/ImportParser.h"

class ImportParserTAB : public ImportParser {
public:
    // A file larger than this, once padded, is refused rather than exhausting memory.
    static constexpr qsizetype kMaxColumns = 1000;
    static constexpr qsizetype kMaxCells = 4000000;

    ImportParserTAB(int format, IImportReview* review);

    int format() const { return m_format; }
    void setFormat(int format) { m_format = format; }

    // Opens the tab import editor on the rows.
    bool parseString(const QString& text, int format, long compteID, int devise, const QString& encoding,
                     const ImportEndBlock& endBlock, QString* errorKey) override;

    // The rows of a tab (0) or CSV (any other format) text. Empty, with the key of the reason in
    // *errorKey (may be null), when the file has more columns or cells than the limits.
    static ImportRows convertStringToTableur(const QString& text, int format, const QString& encoding,
                                             QString* errorKey = nullptr);
    // The separator of a CSV text.
    static QChar csvSeparator(QStringView text);
    // The records of a CSV text with that separator, not padded.
    static ImportRows splitCSV(QStringView text, QChar separator);

private:
    int m_format;
    IImportReview* m_review;
};
