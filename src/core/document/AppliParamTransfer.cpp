#include "AppliParamTransfer.h"

#include "APPLIPARAM.h"
#include "HelperSVLibraryFolder.h"
#include "foundation/diagnostics.h"
#include "foundation/xmlmember.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

AppliParamTransferResult result(bool ok, const char* alertKey)
{
    return AppliParamTransferResult {ok, QString::fromLatin1(alertKey)};
}

bool existingPreferenceFile(QString* url)
{
    return HelperSVLibraryFolder::getSVLibraryPreferenceFileUrl(url, nullptr) && QFileInfo(*url).isFile();
}

bool readWhole(const QString& path, QByteArray* bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        svLog(QStringLiteral("Preference transfer, read %1: %2").arg(path, file.errorString()));
        return false;
    }
    *bytes = file.readAll();
    return file.error() == QFileDevice::NoError;
}

// Through a temporary renamed over the target: a failed write leaves the old file whole.
bool writeWhole(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    svLog(QStringLiteral("Preference transfer, write %1: %2").arg(path, file.errorString()));
    return false;
}

// Any other file would make the next reading fall back to the defaults and overwrite the
// user's settings with them.
bool isPreferenceFile(const QString& path)
{
    XmlDocPtr document;
    const pugi::xml_node root = loadXMLRootFromURL(path, &document);
    return root && QString::fromUtf8(root.name()) == QLatin1String("record");
}

} // namespace

AppliParamTransferResult exportAppliParamTo(const QString& path)
{
    QString preferences;
    if (!existingPreferenceFile(&preferences))
        return result(false, "kAlerte_CantFindPreferences");
    QByteArray bytes;
    if (path.isEmpty() || !readWhole(preferences, &bytes) || !writeWhole(path, bytes))
        return result(false, "kAlerte_CantExportPreferences");
    return result(true, "kAlerte_ExportPreferencesSuccess");
}

AppliParamTransferResult importAppliParamFrom(const QString& path)
{
    QString preferences;
    if (!existingPreferenceFile(&preferences))
        return result(false, "kAlerte_CantFindPreferences");
    QByteArray bytes;
    if (path.isEmpty() || !isPreferenceFile(path) || !readWhole(path, &bytes) || !writeWhole(preferences, bytes))
        return result(false, "kAlerte_CantImportPreferences");
    APPLIPARAM::disposeAppliParam();
    if (APPLIPARAM::loadAppliParam().applyReadBackRules())
        APPLIPARAM::saveAppliParam();
    return result(true, "kAlerte_ImportPreferencesSuccess");
}
