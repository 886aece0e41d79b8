#include "engines/AnalyseTitles.h"

#include "foundation/dateformat.h"
#include "foundation/dates.h"
#include "foundation/localized.h"
#include "foundation/numbers.h"

QString monthTitleForDate(double date)
{
    QString title = localizedMonthName(static_cast<int>(dateMonth(date)));
    if (!title.isEmpty())
        title[0] = title.at(0).toUpper();
    return title + QLatin1Char(' ') + QString::number(dateYear(date));
}

QString periodeTitleForAnaDef(const AnalyseConfiguration& conf)
{
    return localizedMisc(QStringLiteral("kMisc_Debut")) + dateToStringWithStyles(1, 0, conf.date1)
        + localizedMisc(QStringLiteral("kMisc_Fin")) + dateToStringWithStyles(1, 0, conf.date2);
}

QString analyseColumnTitle(long month, const AnalyseFile& file, long devise, bool showUnit, double monthDate)
{
    QString title = month != 0 ? monthTitleForDate(monthDate) : periodeTitleForAnaDef(file.anaDef);
    if (showUnit)
        title += QStringLiteral(" (%1)").arg(Devise::deviseUnitAtIndex(file.devises, devise));
    return title;
}

QString budgetColumnTitle(long month, const AnalyseFile& file, long devise, bool showUnit, double monthDate)
{
    return analyseColumnTitle(month, file, devise, showUnit, monthDate);
}

QString camembertTitle(bool recettes, long month, const QString& name, const AnalyseFile& file)
{
    QString period;
    if (month == 0)
        period = periodeTitleForAnaDef(file.anaDef);
    else if (const AnalyseColumn* column = analyseColumnAtIndex(file, month - 1))
        period = monthTitleForDate(column->month);
    const QString kind
        = localizedMisc(recettes ? QStringLiteral("kMisc_AnalyseRecettes") : QStringLiteral("kMisc_AnalyseDepenses"));
    return name + QStringLiteral(" ( ") + kind + QStringLiteral(" ) - ") + period;
}

namespace {

constexpr int kFormatCSV = 1;

QChar separator(int format)
{
    return format == kFormatCSV ? QLatin1Char(';') : QLatin1Char('\t');
}

QString clean(const QString& text, int format)
{
    QString s = text;
    if (format == kFormatCSV)
        s.replace(QLatin1Char(';'), QLatin1Char('.'));
    else
        s.replace(QLatin1Char('\t'), QLatin1Char(' '));
    s.replace(QLatin1Char('\r'), QLatin1Char(' '));
    s.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return s;
}

QString misc(const char* key, int format)
{
    return clean(localizedMisc(QString::fromLatin1(key)), format);
}

void appendFields(QString& text, const QStringList& fields, int format)
{
    text += fields.join(separator(format));
    text += QLatin1Char('\r');
}

QString amountField(const MONTANT& m, long devise)
{
    QString s;
    appendValueAtIndexCSV(s, m, devise);
    return s;
}

QString percentField(double v)
{
    QString s;
    appendAmountIfNotZero(s, 2, v);
    return s;
}

QString balanceField(const AnalyseData& cell, long devise)
{
    MONTANT balance;
    MONTANT::subMontant(cell.totCre, cell.totDeb, balance);
    return amountField(balance, devise);
}

void exporterTete(const AnalyseFile& file, long month, long devise, QString& text, int format, bool budget)
{
    const AnalyseColumn* column = month > 0 ? analyseColumnAtIndex(file, month - 1) : nullptr;
    const QString title = clean(analyseColumnTitle(month, file, devise, true, column ? column->month : 0), format);
    appendFields(text, {{}, {}, title, {}, {}, {}, {}, {}, {}}, format);
    appendFields(text,
                 {{},
                  {},
                  misc("kMisc_AnalyseDepenses", format),
                  {},
                  {},
                  misc("kMisc_AnalyseRecettes", format),
                  {},
                  {},
                  misc("kMisc_AnalyseSolde", format)},
                 format);
    const QString a = misc(budget ? "kMisc_Budget_reel" : "kMisc_AnalyseTotal", format);
    const QString b = misc(budget ? "kMisc_Budget_prevu" : "kMisc_AnalysePourcent", format);
    const QString c = misc(budget ? "kMisc_Budget_ecart" : "kMisc_AnalysePourcentDoss", format);
    appendFields(text, {{}, {}, a, b, c, a, b, c, {}}, format);
    text += separator(format) + misc("kMisc_AnalyseTotalDossiers", format) + separator(format);
    if (const AnalyseData* total = file.getAnalyseDataTotalDossierAtMonth(month)) {
        if (budget)
            budgetExporterCells(text, *total, devise, format);
        else
            analyseExporterCells(text, *total, devise, format);
    }
    text += QLatin1Char('\r');
}

void exporterListe(const AnalyseFile& file, long month, long devise, long row, QString& text, int format, bool budget)
{
    const AnalyseRow* r = analyseRowAtIndex(file, row);
    if (!r)
        return;
    text += r->kind == AnalyseRowKind::Dossier ? QLatin1Char('D') : QLatin1Char('P');
    text += separator(format) + clean(r->nom, format) + separator(format);
    if (const AnalyseData* cell = file.getAnalyseDataAtRow(row, month)) {
        if (budget)
            budgetExporterCells(text, *cell, devise, format);
        else
            analyseExporterCells(text, *cell, devise, format);
    }
    text += QLatin1Char('\r');
}

} // namespace

long analyseExporterSize(const AnalyseFile& file)
{
    return analyseNumberOfRows(file);
}

long budgetExporterSize(const AnalyseFile& file)
{
    return analyseNumberOfRows(file);
}

void analyseExporterTete(const AnalyseFile& file, long month, long devise, QString& text, int format)
{
    exporterTete(file, month, devise, text, format, false);
}

void budgetExporterTete(const AnalyseFile& file, long month, long devise, QString& text, int format)
{
    exporterTete(file, month, devise, text, format, true);
}

void analyseExporterListe(const AnalyseFile& file, long month, long devise, long row, QString& text, int format)
{
    exporterListe(file, month, devise, row, text, format, false);
}

void budgetExporterListe(const AnalyseFile& file, long month, long devise, long row, QString& text, int format)
{
    exporterListe(file, month, devise, row, text, format, true);
}

void analyseExporterCells(QString& text, const AnalyseData& cell, long devise, int format)
{
    text += QStringList {amountField(cell.totDeb, devise), percentField(cell.percentTotDeb),
                         percentField(cell.percentDosDeb), amountField(cell.totCre, devise),
                         percentField(cell.percentTotCre), percentField(cell.percentDosCre),
                         balanceField(cell, devise)}
                .join(separator(format));
}

void budgetExporterCells(QString& text, const AnalyseData& cell, long devise, int format)
{
    text += QStringList {amountField(cell.totDeb, devise),
                         amountField(cell.totDebPrev, devise),
                         amountField(cell.totDebDiff, devise),
                         amountField(cell.totCre, devise),
                         amountField(cell.totCrePrev, devise),
                         amountField(cell.totCreDiff, devise),
                         balanceField(cell, devise)}
                .join(separator(format));
}
