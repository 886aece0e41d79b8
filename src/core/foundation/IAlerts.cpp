#include "IAlerts.h"

#include "diagnostics.h"
#include "localized.h"

namespace {
IAlerts* g_alerts = nullptr;
}

IAlerts* alerts()
{
    return g_alerts;
}
void installAlerts(IAlerts* a)
{
    g_alerts = a;
}

int runAlert(const AlertRequest& request)
{
    if (g_alerts)
        return g_alerts->run(request);
    svLog(QStringLiteral("alerte sans fenêtre : %1 %2").arg(request.message, request.information));
    return kAlertFirstButton;
}

int alertKey(const QString& dialogueKey, QObject* window, int style, const QString& imageName)
{
    return alertKeyWithInformation(dialogueKey, QString(), window, style, imageName);
}

int alertKeyWithInformation(const QString& dialogueKey, const QString& information, QObject* window, int style,
                            const QString& imageName)
{
    AlertRequest r;
    r.window = window;
    r.message = localizedDialogue(dialogueKey);
    r.information = information;
    r.button1 = localizedDialogue(QStringLiteral("LIB_BUTTON_OK"));
    r.imageName = imageName;
    r.style = style;
    return runAlert(r);
}
