#pragma once
// Alerts as the model and the store ask for them. The window layer installs the real alerts
// (sheets, sounds); tests install one that answers from a queue. With none installed an alert
// is logged and answered with its first button.
#include <QObject>
#include <QString>
#include <functional>

// Codes of the first, second and third buttons.
inline constexpr int kAlertFirstButton = 1000;
inline constexpr int kAlertSecondButton = 1001;
inline constexpr int kAlertThirdButton = 1002;
// An alert's escapeButton when none of its answers is safe.
inline constexpr int kAlertNoEscape = 0;

struct AlertRequest {
    QObject* window = nullptr; // the window controller to show a sheet on, or none (application-modal)
    QString message;
    QString information;
    QString button1; // empty buttons are skipped: the next one answers 1000
    QString button2;
    QString button3;
    QString imageName;
    int style = 1; // 0 warning, 1 informational, 2 critical
    // The button the Return key presses, by its code; the first unless a question asks for a safer one.
    int defaultButton = kAlertFirstButton;
    // The answer that changes nothing, which Escape and the close box give, by its code. A question
    // of several answers names it here, from what each answer does: a title is no evidence ("Non"
    // may switch a warning off for good). Named by none, Escape and the close box do nothing there;
    // an alert's only button is always its answer.
    int escapeButton = kAlertNoEscape;
};

class IAlerts {
public:
    virtual ~IAlerts() = default;
    // Shows the alert modally and answers the chosen button's code.
    virtual int run(const AlertRequest& request) = 0;
};

IAlerts* alerts();
void installAlerts(IAlerts* a);

// Runs an alert through the installed alerts; the chosen code.
int runAlert(const AlertRequest& request);
// A one-button alert whose message is the text of a key of table "Dialogue".
int alertKey(const QString& dialogueKey, QObject* window = nullptr, int style = 2,
             const QString& imageName = QString());
// The same with its information text under the message.
int alertKeyWithInformation(const QString& dialogueKey, const QString& information, QObject* window = nullptr,
                            int style = 2, const QString& imageName = QString());
