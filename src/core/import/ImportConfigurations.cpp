// The import manager's list of the open document's import configurations and their files.
#include "import/ImportManager.h"

#include "foundation/IAlerts.h"
#include "foundation/diagnostics.h"
#include "foundation/localized.h"
#include "foundation/xmlmember.h"
#include "model/DOCUMENT.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

constexpr char kFolderName[] = "importConfigurations";
constexpr char kExtension[] = "plist";

QString configurationName(const QString& path)
{
    return QFileInfo(path).completeBaseName();
}

void alertWithName(QObject* window, const QString& key, const QString& name)
{
    alertKeyWithInformation(key, name, window, 2, QStringLiteral("export"));
}

} // namespace

void ImportManager::openDocImport(const DOCUMENT* doc)
{
    closeDocImport();
    m_docUrl = doc ? doc->documentUrl : QString();
    if (!m_docUrl.isEmpty())
        scanImportConfigurations(m_docUrl);
}

void ImportManager::scanImportConfigurations(const QString& docURL)
{
    QString resources;
    if (!packageResourcesURL(docURL, &resources))
        return;
    const QDir folder(resources + QLatin1Char('/') + QLatin1String(kFolderName));
    const QFileInfoList entries = folder.entryInfoList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo& entry : entries) {
        if (entry.suffix() == QLatin1String(kExtension))
            m_configurations.append(entry.absoluteFilePath());
    }
}

void ImportManager::closeDocImport()
{
    m_configurations.clear();
    m_docUrl.clear();
    ++m_docGeneration;
}

bool ImportManager::getImportConfigurationFolder(QString* url, const QString& docURL) const
{
    return DOCUMENT::getFolderInDocument(url, QString::fromLatin1(kFolderName), docURL);
}

bool ImportManager::findImportConfigurationWithName(const QString& name, long* index) const
{
    for (long i = 0; i < m_configurations.size(); ++i) {
        if (configurationName(m_configurations.at(i)) == name) {
            if (index)
                *index = i;
            return true;
        }
    }
    if (index)
        *index = m_configurations.size();
    return false;
}

bool ImportManager::isNameAvailableForImportConfiguration(const QString& name) const
{
    return !findImportConfigurationWithName(name, nullptr);
}

bool ImportManager::isValidImportConfigurationName(const QString& name)
{
    return !name.isEmpty() && !name.startsWith(u'.') && !name.contains(u'/') && !name.contains(QChar(0));
}

bool ImportManager::assumeAvailableNameForImportConfiguration(QObject* window, const QString& name, bool testName) const
{
    if (!testName || isNameAvailableForImportConfiguration(name))
        return true;
    alertWithName(window, QStringLiteral("kAlerte_ImportConfigurationAlreadyExist"), name);
    return false;
}

bool ImportManager::askForAvailableImportConfigurationName(QObject* window, QString* name) const
{
    if (!SV_ASSERT(m_services.questions))
        return false;
    for (;;) {
        QString answer;
        if (!m_services.questions->askStringModal(window, QStringLiteral("kConfirm_AskImportConfigurationName"),
                                                  localizedMisc(QStringLiteral("kMisc_DefaultName")), &answer))
            return false;
        if (!isValidImportConfigurationName(answer)) {
            alertWithName(window, QStringLiteral("kAlerte_ImportConfigurationNameNotValid"), answer);
            continue;
        }
        if (assumeAvailableNameForImportConfiguration(window, answer, true)) {
            *name = answer;
            return true;
        }
    }
}

QString ImportManager::saveCurrentImportConfiguration(QObject* window, const ImportConfiguration& contents)
{
    QString name;
    if (!askForAvailableImportConfigurationName(window, &name) || !saveImportConfigurationWithName(name, contents))
        return QString();
    return name;
}

QString ImportManager::configurationPath(const QString& name) const
{
    QString folder;
    if (!getImportConfigurationFolder(&folder, m_docUrl))
        return QString();
    return folder + QLatin1Char('/') + name + QLatin1Char('.') + QLatin1String(kExtension);
}

bool ImportManager::saveImportConfigurationWithName(const QString& name, const ImportConfiguration& contents)
{
    const QString path = isValidImportConfigurationName(name) ? configurationPath(name) : QString();
    bool written = false;
    if (!path.isEmpty()) {
        QSaveFile file(path);
        written = file.open(QIODevice::WriteOnly) && file.write(contents.toPropertyList()) >= 0 && file.commit();
    }
    if (!written) {
        alertWithName(nullptr, QStringLiteral("kAlerte_ImportConfigurationWriteFailed"), name);
        return false;
    }
    if (isNameAvailableForImportConfiguration(name))
        m_configurations.append(path);
    return true;
}

bool ImportManager::replaceConfigurationWithName(const QString& name, const ImportConfiguration& contents)
{
    return saveImportConfigurationWithName(name, contents);
}

std::optional<ImportConfiguration> ImportManager::loadConfigurationAtIndex(long index, QString* name,
                                                                           const DOCUMENT* doc) const
{
    if (name)
        name->clear();
    if (index < 0 || index >= m_configurations.size())
        return std::nullopt;
    const QString path = m_configurations.at(index);
    if (name)
        *name = configurationName(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    std::optional<ImportConfiguration> configuration = ImportConfiguration::fromPropertyList(file.readAll());
    if (configuration && doc)
        configuration->dropStaleMappings(*doc);
    return configuration;
}

void ImportManager::deleteImportConfiguration(QObject*, const QString& name)
{
    long index = 0;
    if (!findImportConfigurationWithName(name, &index))
        return;
    const QString path = m_configurations.at(index);
    if (QFileInfo::exists(path) && !QFile::remove(path))
        svLog(QStringLiteral("Problème pour effacer une configuration d'import !"));
    m_configurations.removeAt(index);
}
