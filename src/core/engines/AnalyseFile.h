#pragma once
// A computed analysis or budget table: rows of folders and categories chosen by a configuration,
// one column per calendar month of its period (when it splits by month), and the cells of every
// row for every month plus the whole period. Month index 0 is the whole period; n >= 1 the n-th
// column, the n-th calendar month from the month of the configuration's date1.
//
// Build once with initAnalyseFileWithConfiguration, then computeAnalyse as often as needed. Each
// file keeps its own ident-to-row maps, so two files built on one document never put figures
// in each other's rows; the categories' and folders' ligne marks are written for whoever reads
// them, but nothing here reads them back.
#include "engines/AnalyseData.h"
#include "model/AnalyseConfiguration.h"
#include "model/Devise.h"

#include <QHash>
#include <QList>
#include <QRectF>
#include <QString>

class DOCUMENT;

enum class AnalyseType : int {
    Analyse = 0, // real transactions only
    Budget = 1, // schedule and forecast occurrences too, each contribution kept as metadata
};

enum class AnalyseRowKind : int {
    Dossier = 0,
    Poste = 1,
};

struct AnalyseRow {
    AnalyseRowKind kind = AnalyseRowKind::Dossier;
    long ident = -1;
    QString nom;
};

struct AnalyseColumn {
    double month = 0; // midnight of the first day of the column's month
};

struct AnalyseDataMonthStorage {
    AnalyseData dataTotalDossiers; // the month's total over everything counted
    AnalyseDataList rowsStorage; // one cell per row, at the row's index
    void addRows(long n);
};

struct AnalyseDataStorage {
    AnalyseDataMonthStorage totalMonths; // month index 0
    QList<AnalyseDataMonthStorage> monthsStorage; // month index n at n - 1
};

// The frame of a window nobody placed yet.
inline constexpr double kAnalyseDefaultFrameX = 7;
inline constexpr double kAnalyseDefaultFrameY = 70;
inline constexpr double kAnalyseDefaultFrameWidth = 535;
inline constexpr double kAnalyseDefaultFrameHeight = 530;
inline constexpr long kAnalyseFileVersion = 5;

class AnalyseFile {
public:
    long version = kAnalyseFileVersion;
    QRectF frame {kAnalyseDefaultFrameX, kAnalyseDefaultFrameY, kAnalyseDefaultFrameWidth, kAnalyseDefaultFrameHeight};
    DeviseList devises; // the document's currencies when the file was built
    AnalyseConfiguration anaDef; // the file's own copy
    QList<AnalyseRow> rows;
    QList<AnalyseColumn> columns;
    long initialMonth = 0;
    AnalyseDataStorage dataStorage;
    // Row of each shown category and folder; absent when it has no row.
    QHash<long, long> posteRows;
    QHash<long, long> dossierRows;

    void analyseZero();
    void monthStorageZero(AnalyseDataMonthStorage& storage) const;
    // Null for a month below 0 or past the columns.
    AnalyseDataMonthStorage* getAnalyseDataMonthStorageAtMonth(long month);
    const AnalyseDataMonthStorage* getAnalyseDataMonthStorageAtMonth(long month) const;
    // Null outside the rows or months.
    AnalyseData* getAnalyseDataAtRow(long row, long month);
    const AnalyseData* getAnalyseDataAtRow(long row, long month) const;
    AnalyseData* getAnalyseDataTotalDossierAtMonth(long month);
    const AnalyseData* getAnalyseDataTotalDossierAtMonth(long month) const;
};

// Lays the file out for the configuration on the document. screenVisible is the main screen's
// visible frame (empty without a screen): the default frame takes its height. False, and the
// file left as it was, when the period resolved for the document is longer than
// kAnalyseMaxMonths.
bool initAnalyseFileWithConfiguration(AnalyseFile& file, DOCUMENT& doc, const AnalyseConfiguration& conf,
                                      const QRectF& screenVisible);

// Fills the file from the document, then the differences and percentages of percentMonth; the
// currency slot only matters for the percentages.
void computeAnalyse(AnalyseFile& file, long devise, AnalyseType type, long percentMonth, DOCUMENT& doc);
void recomputeAnalyse(AnalyseFile& file, long month, DOCUMENT& doc, AnalyseType type, long devise);
// Differences (budget) and percentages of one month index.
void computeAnalyseTotaux(AnalyseFile& file, AnalyseType type, long devise, long month);

long analyseNumberOfColumns(const AnalyseFile& file);
long analyseNumberOfRows(const AnalyseFile& file);
// Null outside the lists.
const AnalyseColumn* analyseColumnAtIndex(const AnalyseFile& file, long index);
const AnalyseRow* analyseRowAtIndex(const AnalyseFile& file, long index);
// -1 without month columns; else the 0-based column of the date's month (-1 for date: now), -1
// when no column has it.
long analyseColumnIndexForDate(const AnalyseFile& file, double date);

bool isPosteSelectedByAnaDef(long posteID, const AnalyseConfiguration& conf, const DOCUMENT& doc);
