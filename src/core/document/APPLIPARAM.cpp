#include "APPLIPARAM.h"

#include "HelperSVLibraryFolder.h"
#include "foundation/diagnostics.h"
#include "foundation/files.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <variant>

namespace {

constexpr int kFloatDecimals = 2;
constexpr long kMinimumLegacyBackups = 10;
constexpr int kSortOfSortZero = 2;
constexpr int kLastSort = 10;
constexpr long kMaxBackupsKept = 100;
constexpr long kMinAutoSaveMinutes = 5;
constexpr int kLastSaisieDate = 1;
constexpr int kLastSaisieRubrique = 4;

using FieldMember = std::variant<bool APPLIPARAM::*, int APPLIPARAM::*, long APPLIPARAM::*, float APPLIPARAM::*,
                                 QString APPLIPARAM::*>;

struct ScalarField {
    const char* name;
    FieldMember member;
};

// The scalar settings in the order of the file; each element is named after its field.
const ScalarField kScalarFields[] = {
    {"doSounds", &APPLIPARAM::doSounds},
    {"doSoundsOpen", &APPLIPARAM::doSoundsOpen},
    {"doSoundsClose", &APPLIPARAM::doSoundsClose},
    {"doSoundsAlert", &APPLIPARAM::doSoundsAlert},
    {"doSoundsTransact", &APPLIPARAM::doSoundsTransact},
    {"doAnimations", &APPLIPARAM::doAnimations},
    {"doRemind", &APPLIPARAM::doRemind},
    {"doTruc", &APPLIPARAM::doTruc},
    {"helpOn", &APPLIPARAM::helpOn},
    {"reglesImport", &APPLIPARAM::reglesImport},
    {"reglesManuel", &APPLIPARAM::reglesManuel},
    {"mn", &APPLIPARAM::mn},
    {"defaultSort", &APPLIPARAM::defaultSort},
    {"nbSauvNew", &APPLIPARAM::nbSauvNew},
    {"everyDaysManualSave", &APPLIPARAM::everyDaysManualSave},
    {"notifySauv", &APPLIPARAM::notifySauv},
    {"aVenir", &APPLIPARAM::aVenir},
    {"aVenirPrev", &APPLIPARAM::aVenirPrev},
    {"palette_aimant", &APPLIPARAM::palette_aimant},
    {"autoSaveWhenQuit", &APPLIPARAM::autoSaveWhenQuit},
    {"informSynchro", &APPLIPARAM::informSynchro},
    {"acceptNotSynchro", &APPLIPARAM::acceptNotSynchro},
    {"svOptionFondsColores", &APPLIPARAM::svOptionFondsColores},
    {"svOptionTextesColores", &APPLIPARAM::svOptionTextesColores},
    {"svOptionAddBorders", &APPLIPARAM::svOptionAddBorders},
    {"svOptionPrintImages", &APPLIPARAM::svOptionPrintImages},
    {"svOptionMargeLeft", &APPLIPARAM::svOptionMargeLeft},
    {"svOptionMargeTop", &APPLIPARAM::svOptionMargeTop},
    {"svOptionMargeRight", &APPLIPARAM::svOptionMargeRight},
    {"svOptionMargeBottom", &APPLIPARAM::svOptionMargeBottom},
    {"svOptionGroupees", &APPLIPARAM::svOptionGroupees},
    {"svOptionEchelle", &APPLIPARAM::svOptionEchelle},
    {"automaticHeight", &APPLIPARAM::automaticHeight},
    {"flouter", &APPLIPARAM::flouter},
    {"lastFileSystemUsed", &APPLIPARAM::lastFileSystemUsed},
    {"optionSaisieDate", &APPLIPARAM::optionSaisieDate},
    {"optionSaisieRubrique", &APPLIPARAM::optionSaisieRubrique},
    {"optionSaisieQuick", &APPLIPARAM::optionSaisieQuick},
    {"quoteRootPath", &APPLIPARAM::quoteRootPath},
    {"quoteTableStore", &APPLIPARAM::quoteTableStore},
    {"quoteProviderPage", &APPLIPARAM::quoteProviderPage},
};

struct GradientField {
    const char* name;
    Colorizator APPLIPARAM::*member;
};

const GradientField kGradientFields[] = {
    {"colorisatorAnalyseTitre", &APPLIPARAM::colorisatorAnalyseTitre},
    {"colorisatorAnalyseDepense", &APPLIPARAM::colorisatorAnalyseDepense},
    {"colorisatorAnalyseRecette", &APPLIPARAM::colorisatorAnalyseRecette},
    {"colorisatorAnalyseSolde", &APPLIPARAM::colorisatorAnalyseSolde},
    {"colorisatorBudgetTitre", &APPLIPARAM::colorisatorBudgetTitre},
    {"colorisatorBudgetDepense", &APPLIPARAM::colorisatorBudgetDepense},
    {"colorisatorBudgetRecette", &APPLIPARAM::colorisatorBudgetRecette},
    {"colorisatorBudgetSolde", &APPLIPARAM::colorisatorBudgetSolde},
};

// Each element is read with the value already held as its default.
struct FieldReader {
    pugi::xml_node record;
    APPLIPARAM& param;
    const char* name;
    void operator()(bool APPLIPARAM::*m) const { param.*m = xmlGetBool(record, name, param.*m); }
    void operator()(int APPLIPARAM::*m) const { param.*m = xmlGetInt(record, name, param.*m); }
    void operator()(long APPLIPARAM::*m) const { param.*m = xmlGetLong(record, name, param.*m); }
    void operator()(float APPLIPARAM::*m) const { param.*m = xmlGetFloat(record, name, param.*m); }
    void operator()(QString APPLIPARAM::*m) const
    {
        QString value;
        if (xmlChildObjectValue(record, name, &value))
            param.*m = value.trimmed();
    }
};

struct FieldWriter {
    pugi::xml_node record;
    const APPLIPARAM& param;
    const char* name;
    bool operator()(bool APPLIPARAM::*m) const { return xmlAppendBool(record, name, param.*m); }
    bool operator()(int APPLIPARAM::*m) const { return xmlAppendInt(record, name, param.*m); }
    bool operator()(long APPLIPARAM::*m) const { return xmlAppendLong(record, name, param.*m); }
    bool operator()(float APPLIPARAM::*m) const { return xmlAppendFloat(record, name, kFloatDecimals, param.*m); }
    bool operator()(QString APPLIPARAM::*m) const { return xmlAppendString(record, name, param.*m); }
};

void readScalars(pugi::xml_node record, APPLIPARAM& param)
{
    for (const ScalarField& field : kScalarFields)
        std::visit(FieldReader {record, param, field.name}, field.member);
    // Files of older versions count their backups in "nbSauv", with 10 at the least; it wins
    // over "nbSauvNew" and is never written again.
    const long legacyBackups = xmlGetLong(record, "nbSauv", -1);
    if (legacyBackups >= 0)
        param.nbSauvNew = std::max(legacyBackups, kMinimumLegacyBackups);
    param.keepInRange();
}

void readAppliParam(pugi::xml_node record, APPLIPARAM& param)
{
    readScalars(record, param);
    for (const GradientField& field : kGradientFields) {
        const pugi::xml_node element = xmlFirstElementNamed(record, field.name);
        if (element)
            param.*field.member = Colorizator::allocFromXMLTree(element);
    }
    param.applicationWindows = PARAMFEN::loadFenList(record);
}

// A preference file that can't be read may still be the user's only copy of the settings (a
// newer version's file, a damaged disk block): it is renamed, never written over. False when it
// could not be moved, and the defaults must then not be saved over it.
bool keepUnreadableFileAside(const QString& path)
{
    const QFileInfo info(path);
    if (path.isEmpty() || (!info.exists() && !info.isSymLink()))
        return true;
    const QString aside = uniqueFileURL(path + QStringLiteral(".bad"));
    if (QDir().rename(path, aside)) {
        svLog(QStringLiteral("Unreadable preference file kept as %1").arg(aside));
        return true;
    }
    svLog(QStringLiteral("Unreadable preference file %1 could not be kept aside").arg(path));
    return false;
}

APPLIPARAM& sharedInstance()
{
    static APPLIPARAM instance;
    return instance;
}

bool g_loaded = false;

} // namespace

long APPLIPARAM::aVenirRule(long value)
{
    return value >= 1 ? value : 0;
}

long APPLIPARAM::nbSauvNewRule(long value)
{
    return std::clamp(value, 0L, kMaxBackupsKept);
}

long APPLIPARAM::mnRule(long value)
{
    if (value < 1)
        return 0;
    return std::max(value, kMinAutoSaveMinutes);
}

long APPLIPARAM::everyDaysManualSaveRule(long value)
{
    return value >= 1 ? value : 0;
}

void APPLIPARAM::keepInRange()
{
    aVenir = std::max(aVenir, 0L);
    nbSauvNew = nbSauvNewRule(nbSauvNew);
    mn = std::max(mn, 0L);
    everyDaysManualSave = std::max(everyDaysManualSave, 0L);
    if (defaultSort < 1 || defaultSort > kLastSort)
        defaultSort = kSortOfSortZero;
    if (optionSaisieDate < 0 || optionSaisieDate > kLastSaisieDate)
        optionSaisieDate = 0;
    if (optionSaisieRubrique < 0 || optionSaisieRubrique > kLastSaisieRubrique)
        optionSaisieRubrique = 0;
}

bool APPLIPARAM::applyReadBackRules()
{
    keepInRange();
    const long before = mn;
    mn = mnRule(mn);
    return mn != before;
}

void APPLIPARAM::initAppliParam()
{
    loadAppliParam();
}

APPLIPARAM& APPLIPARAM::loadAppliParam()
{
    APPLIPARAM& param = sharedInstance();
    if (g_loaded)
        return param;
    g_loaded = true;
    param = APPLIPARAM();
    QString url;
    XmlDocPtr document;
    pugi::xml_node record;
    if (HelperSVLibraryFolder::getSVLibraryPreferenceFileUrl(&url, nullptr))
        record = loadXMLRootFromURL(url, &document);
    if (record) {
        readAppliParam(record, param);
        return param;
    }
    // A first start: the one setting whose first value differs from that of a missing element.
    param.autoSaveWhenQuit = true;
    if (keepUnreadableFileAside(url))
        saveAppliParam();
    return param;
}

bool APPLIPARAM::saveAppliParam()
{
    bool error = false;
    const XmlDocPtr document = loadAppliParam().makeDocAppliParamXML(&error);
    if (!document || error)
        return false;
    QString url;
    if (!HelperSVLibraryFolder::getSVLibraryPreferenceFileUrl(&url, nullptr))
        return false;
    return writeXMLToURL(url, document.get());
}

void APPLIPARAM::disposeAppliParam()
{
    g_loaded = false;
}

XmlDocPtr APPLIPARAM::makeDocAppliParamXML(bool* error) const
{
    if (error)
        *error = false;
    pugi::xml_node record;
    XmlDocPtr document = xmlCreateDocument(QStringLiteral("record"), &record);
    if (!document) {
        if (error)
            *error = true;
        return document;
    }
    bool ok = true;
    for (const ScalarField& field : kScalarFields)
        ok = std::visit(FieldWriter {record, *this, field.name}, field.member) && ok;
    for (const GradientField& field : kGradientFields)
        ok = (this->*field.member).appendXMLToTree(record, QString::fromLatin1(field.name)) && ok;
    ok = PARAMFEN::appendFenList(record, applicationWindows) && ok;
    if (error)
        *error = !ok;
    return document;
}
