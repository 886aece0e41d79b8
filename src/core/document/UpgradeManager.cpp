#include "UpgradeManager.h"

#include "document/BEFOREPARAM.h"
#include "foundation/IAlerts.h"

void UpgradeManager::doUpgrade(long version, const QString& package, QObject* window,
                               const std::function<void()>& actionOK, const std::function<void()>& actionNOK)
{
    Q_UNUSED(package);
    if (version == kDocumentFormatVersion) {
        if (actionOK)
            actionOK();
        return;
    }
    const QString key = version < kDocumentFormatVersion ? QStringLiteral("kAlerte_CannotMAJDocument")
                                                         : QStringLiteral("kAlerte_VersionTropRecente");
    alertKey(key, window, 2, QStringLiteral("document"));
    if (actionNOK)
        actionNOK();
}
