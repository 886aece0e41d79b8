#include "toolkit/dialogs/Dialog.h"

#include "toolkit/host/UiHost.h"
#include "toolkit/media/SVSoundManager.h"

#include "document/APPLIPARAM.h"
#include "foundation/localized.h"

namespace {

AlertRequest makeRequest(QObject* window, const QString& message, const QString& information, const QString& button1,
                         const QString& button2, const QString& button3, const QString& imageName, int style,
                         int escapeButton)
{
    AlertRequest request {window, message, information, button1, button2, button3, imageName, style};
    request.escapeButton = escapeButton;
    return request;
}

QString textOf(const QVariantMap& dictionary, const char* key, const QString& fallback = QString())
{
    const QString text = dictionary.value(QLatin1String(key)).toString();
    return text.isEmpty() ? fallback : text;
}

void confirm(const AlertRequest& request, const Dialog::Block& doBlock)
{
    if (APPLIPARAM::loadAppliParam().doSounds)
        SVSoundManager::sharedSVInstance().playSoundAlerte();
    const int code = UiHost::instance().alerts().show(request);
    if (doBlock)
        doBlock(code);
}

void confirmationFromDictionary(const QVariantMap& dictionary, const QString& titleOK, const QString& titleUndo,
                                const QString& titleOther, const Dialog::Block& doBlock)
{
    const QVariant style = dictionary.value(QStringLiteral("style"));
    const QVariant escape = dictionary.value(QStringLiteral("escapeButton"));
    confirm(makeRequest(dictionary.value(QStringLiteral("window")).value<QObject*>(), textOf(dictionary, "title"),
                        textOf(dictionary, "information"), titleOK, titleUndo, titleOther,
                        textOf(dictionary, "imageName"), style.isValid() ? style.toInt() : 1,
                        escape.isValid() ? escape.toInt() : kAlertNoEscape),
            doBlock);
}

} // namespace

int showAlert(const AlertRequest& request)
{
    UiHost& host = UiHost::instance();
    if (!request.window)
        return host.alerts().show(request);
    const APPLIPARAM& parameters = APPLIPARAM::loadAppliParam();
    if (parameters.doSoundsAlert)
        SVSoundManager::sharedSVInstance().playSoundAlerte();
    const int code = host.alerts().show(request);
    if (parameters.doSoundsClose)
        SVSoundManager::sharedSVInstance().playSoundCloseWindow();
    return code;
}

int showAlert(QObject* window, const QString& message, const QString& information, const QString& button1,
              const QString& button2, const QString& button3, const QString& imageName, int style, int escapeButton)
{
    return showAlert(
        makeRequest(window, message, information, button1, button2, button3, imageName, style, escapeButton));
}

int showAlertOK(QObject* window, const QString& message, const QString& information, const QString& imageName,
                int style)
{
    return showAlert(window, message, information, Dialog::OKString(), QString(), QString(), imageName, style,
                     kAlertFirstButton);
}

bool askManualSaveChoice(QObject* window, const QString& message, const QString& information, const QString& button1,
                         const QString& button2, const QString& button3, bool* flag)
{
    if (flag)
        *flag = false;
    const int code
        = showAlert(window, message, information, button1, button2, button3, QString(), 0, kAlertSecondButton);
    if (code == kAlertFirstButton && flag)
        *flag = true;
    return code == kAlertFirstButton || code == kAlertSecondButton;
}

void Dialog::confirmation(QObject* window, const QString& message, const QString& information, const QString& titleOK,
                          const QString& titleUndo, const QString& titleOther, const QString& imageName, int style,
                          int escapeButton, const Block& doBlock)
{
    confirm(makeRequest(window, message, information, titleOK, titleUndo, titleOther, imageName, style, escapeButton),
            doBlock);
}

void Dialog::alerte(QObject* window, const QString& message, const QString& information, const QString& imageName,
                    int style, const Block& doBlock)
{
    confirmation(window, message, information, OKString(), QString(), QString(), imageName, style, kAlertFirstButton,
                 doBlock);
}

void Dialog::OKConfirmationWithDictionary(const QVariantMap& dictionary, const Block& doBlock)
{
    confirmationFromDictionary(dictionary, textOf(dictionary, "titleOK", yesString()),
                               textOf(dictionary, "titleUndo", noString()), QString(), doBlock);
}

void Dialog::undoConfirmationWithDictionary(const QVariantMap& dictionary, const Block& doBlock)
{
    confirmationFromDictionary(dictionary, textOf(dictionary, "titleOK", noString()),
                               textOf(dictionary, "titleUndo", yesString()), QString(), doBlock);
}

void Dialog::confirmationWithDictionary(const QVariantMap& dictionary, const Block& doBlock)
{
    confirmationFromDictionary(dictionary, textOf(dictionary, "titleOK"), textOf(dictionary, "titleUndo"),
                               textOf(dictionary, "titleOther"), doBlock);
}

QString Dialog::keyString(const QString& key)
{
    return localizedDialogue(key);
}
QString Dialog::OKString()
{
    return keyString(QStringLiteral("LIB_BUTTON_OK"));
}
QString Dialog::yesString()
{
    return keyString(QStringLiteral("LIB_BUTTON_OUI"));
}
QString Dialog::noString()
{
    return keyString(QStringLiteral("LIB_BUTTON_NON"));
}
