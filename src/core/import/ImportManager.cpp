#include "import/ImportManager.h"

#include "foundation/localized.h"
#include "import/ImportParserOFX.h"
#include "import/ImportParserQIF.h"
#include "import/ImportParserTAB.h"
#include "import/TextFileDecoder.h"

#include <memory>

namespace {

struct RubriqueNames {
    const char* key;
    const char* groupKey;
};

// By kind, 0..20.
constexpr RubriqueNames kRubriqueNames[kImportRubriqueCount] = {
    {"kRub_Filler", "kRub_Filler"},
    {"kRub_Montant_seul", "kRub_Montant"},
    {"kRub_Montant_devise", "kRub_Montant"},
    {"kRub_Montant_debit_seul", "kRub_Montant_debit"},
    {"kRub_Montant_debit_devise", "kRub_Montant_debit"},
    {"kRub_Montant_credit_seul", "kRub_Montant_credit"},
    {"kRub_Montant_credit_devise", "kRub_Montant_credit"},
    {"kRub_Date_jma", "kRub_Date"},
    {"kRub_Date_amj", "kRub_Date"},
    {"kRub_Date_mja", "kRub_Date"},
    {"kRub_Contre", "kRub_Contre"},
    {"kRub_Debit", "kRub_Debit"},
    {"kRub_Credit", "kRub_Credit"},
    {"kRub_Poste", "kRub_Poste"},
    {"kRub_Reference", "kRub_Reference"},
    {"kRub_Info", "kRub_Info"},
    {"kRub_Moyen", "kRub_Moyen"},
    {"kRub_Devise", "kRub_Devise"},
    {"kRub_Fiscal", "kRub_Fiscal"},
    {"kRub_NotAffected", "kRub_NotAffected"},
    {"kRub_Invalide", "kRub_Invalide"},
};

} // namespace

ImportManager& ImportManager::sharedInstance()
{
    static ImportManager manager;
    return manager;
}

void ImportManager::goodbye()
{
    ImportManager& manager = sharedInstance();
    manager.stopRun();
    manager.closeDocImport();
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

QString ImportManager::rubriqueToString(long kind, bool useGroupName)
{
    if (!importRubriqueFromInt(kind))
        return QString();
    const RubriqueNames& names = kRubriqueNames[kind];
    return localizedStringForKey(QString::fromLatin1(useGroupName ? names.groupKey : names.key),
                                 QStringLiteral("Misc"));
}

bool ImportManager::isRubriqueMontantWithDevise(ImportRubrique kind)
{
    return kind == ImportRubrique::MontantDevise || kind == ImportRubrique::MontantDebitDevise
        || kind == ImportRubrique::MontantCreditDevise;
}

bool ImportManager::isRubriqueWithDevise(ImportRubrique kind)
{
    return kind == ImportRubrique::Devise || isRubriqueMontantWithDevise(kind);
}

bool ImportManager::isRubriqueWithCompte(ImportRubrique kind)
{
    return kind == ImportRubrique::Contre || kind == ImportRubrique::Debit || kind == ImportRubrique::Credit;
}

QString ImportManager::importStringAtUrl(const QString& url, QString* encoding, QString* errorKey, int format)
{
    QString text;
    QString used;
    const QString chosen = encoding ? *encoding : QString();
    if (!TextFileDecoder::readFile(url, format, chosen, &text, &used, errorKey))
        return QString();
    if (encoding)
        *encoding = used;
    // A file with no character at all still has a text, which holds no records.
    return text.isNull() ? QString(u""_qs) : text;
}

bool ImportManager::parseString(const QString& text, int format, long compteID, int devise, const QString& encoding,
                                const ImportEndBlock& endBlock, QString* errorKey) const
{
    std::unique_ptr<ImportParser> parser;
    switch (format) {
    case kImportFormatTab:
    case kImportFormatCSV:
        parser = std::make_unique<ImportParserTAB>(format, m_services.review);
        break;
    case kImportFormatQIF:
        parser = std::make_unique<ImportParserQIF>();
        break;
    case kImportFormatOFX:
        parser = std::make_unique<ImportParserOFX>();
        break;
    default:
        break;
    }
    if (!parser || text.isNull()) {
        if (errorKey)
            *errorKey = QStringLiteral("kAlerte_ImportFormatInconnu");
        return false;
    }
    return parser->parseString(text, format, compteID, devise, encoding, endBlock, errorKey);
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
