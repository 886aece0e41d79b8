#include "ImportManager.h"

#include "model/DOCUMENT.h"

inline constexpr char kImportConfigurationsFolder[] = "importConfigurations";

ImportManager& ImportManager::sharedInstance()
{
    static ImportManager manager;
    return manager;
}

bool ImportManager::getImportConfigurationFolder(QString* url, const QString& docURL) const
{
    return DOCUMENT::getFolderInDocument(url, QString::fromLatin1(kImportConfigurationsFolder), docURL);
}

long ImportManager::nbImportExportFormat()
{
    return 4;
}

QString ImportManager::getImportFormatName(long format)
{
    switch (format) {
    case kImportFormatTab:
        return QStringLiteral("Tableur (Tabulation)");
    case kImportFormatCSV:
        return QStringLiteral("Tableur (CSV)");
    case kImportFormatQIF:
        return QStringLiteral("QIF");
    case kImportFormatOFX:
        return QStringLiteral("OFX");
    default:
        return QStringLiteral("?");
    }
}

QChar exportFieldSeparator(int format)
{
    return format == kImportFormatCSV ? QLatin1Char(';') : QLatin1Char('\t');
}

QChar exportLineEnd(int)
{
    return QLatin1Char('\r');
}

QString exportSanitizeField(const QString& text, int format)
{
    QString clean = text;
    if (format == kImportFormatCSV)
        clean.replace(QLatin1Char(';'), QLatin1Char('.'));
    else
        clean.replace(QLatin1Char('\t'), QLatin1Char(' '));
    clean.replace(QLatin1Char('\r'), QLatin1Char(' '));
    clean.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return clean;
}
