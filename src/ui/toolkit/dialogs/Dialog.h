#pragma once
// Messages, warnings and questions. Every alert of the program goes through here and on to the
// host's alert presenter; the sounds they play are decided here, not by the presenter. An alert's
// window is a window controller (exposing its widget as its "window" property) or a widget; with
// one the alert is a sheet on it, without one it is application-modal. Texts arrive localised.
#include "foundation/IAlerts.h"

#include <QObject>
#include <QString>
#include <QVariantMap>

#include <functional>

// Shows the alert and answers 1000, 1001 or 1002. With a window it plays the alert sound and,
// once answered, the close sound (each when its parameter is on); without one it is silent.
int showAlert(const AlertRequest& request);
// escapeButton: the code of the answer that changes nothing (AlertRequest::escapeButton).
int showAlert(QObject* window, const QString& message, const QString& information, const QString& button1,
              const QString& button2, const QString& button3, const QString& imageName, int style, int escapeButton);
// showAlert with the single button "OK".
int showAlertOK(QObject* window, const QString& message, const QString& information, const QString& imageName,
                int style);
// The manual-save reminder's three choices: true with the flag set for the first button, true
// with the flag clear for the second (Escape's: asked again next time), false for the third.
bool askManualSaveChoice(QObject* window, const QString& message, const QString& information, const QString& button1,
                         const QString& button2, const QString& button3, bool* flag);

class Dialog {
public:
    using Block = std::function<void(int code)>;

    // Plays the alert sound when sounds are on (with or without a window), shows the alert and
    // calls the block with the chosen code before returning. escapeButton is the code of the
    // answer that changes nothing (AlertRequest::escapeButton).
    static void confirmation(QObject* window, const QString& message, const QString& information,
                             const QString& titleOK, const QString& titleUndo, const QString& titleOther,
                             const QString& imageName, int style, int escapeButton, const Block& doBlock);
    static void alerte(QObject* window, const QString& message, const QString& information, const QString& imageName,
                       int style, const Block& doBlock);

    // The dictionary forms read "window" (a QObject*), "title", "information", "titleOK",
    // "titleUndo", "titleOther", "imageName", "style" (1 when missing) and "escapeButton" (the
    // code of the answer that changes nothing; without it Escape does nothing at the question).
    // "titleOK" defaults to yes and "titleUndo" to no.
    static void OKConfirmationWithDictionary(const QVariantMap& dictionary, const Block& doBlock);
    // "titleOK" defaults to no and "titleUndo" to yes: the safe answer is the default button.
    static void undoConfirmationWithDictionary(const QVariantMap& dictionary, const Block& doBlock);
    // The three titles as given, no defaults.
    static void confirmationWithDictionary(const QVariantMap& dictionary, const Block& doBlock);

    static QString keyString(const QString& key);
    static QString OKString();
    static QString yesString();
    static QString noString();
};
