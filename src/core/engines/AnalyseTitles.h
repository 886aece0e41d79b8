#pragma once
// The texts that title an analysis's months, columns and pie charts, and the export of an
// analysis or budget table as tab- or semicolon-separated text (format 1 is CSV). An exported
// table has four header lines, then one line per row: the kind letter ("D" folder, "P"
// category), the name, three debit fields, three credit fields and the balance. Lines end in CR.
#include "engines/AnalyseFile.h"

#include <QString>

// "Mars 2024": the month's localised name with a capital, a space, the year.
QString monthTitleForDate(double date);
// Start text, first date, end text, second date, with nothing between them.
QString periodeTitleForAnaDef(const AnalyseConfiguration& conf);
// The month's title (month index n >= 1, the month's date given) or the whole period's, then
// " (unit)" of that currency slot when asked.
QString analyseColumnTitle(long month, const AnalyseFile& file, long devise, bool showUnit, double monthDate);
QString budgetColumnTitle(long month, const AnalyseFile& file, long devise, bool showUnit, double monthDate);
QString camembertTitle(bool recettes, long month, const QString& name, const AnalyseFile& file);

long analyseExporterSize(const AnalyseFile& file);
long budgetExporterSize(const AnalyseFile& file);
void analyseExporterTete(const AnalyseFile& file, long month, long devise, QString& text, int format);
void budgetExporterTete(const AnalyseFile& file, long month, long devise, QString& text, int format);
void analyseExporterListe(const AnalyseFile& file, long month, long devise, long row, QString& text, int format);
void budgetExporterListe(const AnalyseFile& file, long month, long devise, long row, QString& text, int format);
void analyseExporterCells(QString& text, const AnalyseData& cell, long devise, int format);
void budgetExporterCells(QString& text, const AnalyseData& cell, long devise, int format);
inline void analyseExporterPied(QString&, int) { }
inline void budgetExporterPied(QString&, int) { }
