#include "import/PopImportConfiguration.h"

#include "import/FenEditImportTABController.h"

#include "foundation/localized.h"

#include <QFileInfo>

void PopImportConfiguration::setImportDelegate(FenEditImportTABController* delegate)
{
    m_importDelegate = delegate;
}

QStringList PopImportConfiguration::getAllConfigurations() const
{
    return m_importDelegate ? m_importDelegate->getAllConfigurations() : QStringList();
}

QString PopImportConfiguration::getActiveConfiguration() const
{
    return m_importDelegate ? m_importDelegate->getActiveConfiguration() : QString();
}

void PopImportConfiguration::FILL_MENU()
{
    const QString active = getActiveConfiguration();
    StdMenu* menu = stdMenu();
    if (!active.isEmpty())
        addItemToMenu(menu, localizedMisc(QStringLiteral("kImportNoConfiguration")),
                      QStringLiteral("NO_CONFIGURATION:"), QStringLiteral("calcul_auto_grey"), true, -1);
    addItemToMenu(menu, localizedMisc(QStringLiteral("kImportSaveConfiguration")), QStringLiteral("ENREGISTRER:"),
                  QStringLiteral("DD"), true, -1);
    if (!active.isEmpty())
        addItemToMenu(menu,
                      QStringLiteral("%1 %2").arg(localizedMisc(QStringLiteral("kImportDeleteConfiguration")), active),
                      QStringLiteral("SUPPRIMER:"), QStringLiteral("supprimer"), true, -1);
    menu->addSeparator();
    setSelectedTag(kNoTag);
    const QStringList all = getAllConfigurations();
    for (qsizetype index = 0; index < all.size(); ++index) {
        const QString name = QFileInfo(all[index]).completeBaseName();
        QAction* item
            = addItemToMenu(menu, name, QStringLiteral("CHARGER:"), QStringLiteral("calcul_auto"), true, qint64(index));
        item->setProperty("sv_represented", all[index]);
        if (name == active)
            setSelectedTag(qint64(index));
    }
}
