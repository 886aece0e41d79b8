#pragma once
// The version gate every document passes before it is loaded. Exactly one format version is
// opened; a document is never converted from an older one: older and newer documents are both
// refused, each with its own message.
#include <QObject>
#include <QString>

#include <functional>

class UpgradeManager {
public:
    // Runs actionOK at once for the current format version. Otherwise shows why the document is
    // refused, on window (application-modal when null), and runs actionNOK once the alert is
    // dismissed. The package is not looked at.
    static void doUpgrade(long version, const QString& package, QObject* window, const std::function<void()>& actionOK,
                          const std::function<void()>& actionNOK);
};
