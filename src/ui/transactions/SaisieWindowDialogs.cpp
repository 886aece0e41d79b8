#include "transactions/SaisieWindowDialogs.h"

#include "toolkit/dialogs/Dialog.h"

#include "foundation/IDesktop.h"

SaisieWindowDialogs::SaisieWindowDialogs(QObject* window)
    : m_window(window)
{
}

void SaisieWindowDialogs::refuse(const QString& key, const QString& imageName, bool beepFirst)
{
    if (beepFirst)
        beep();
    showAlertOK(m_window, Dialog::keyString(key), QString(), imageName, 1);
}

bool SaisieWindowDialogs::ask(const QString& key, const QString& firstButton, const QString& secondButton,
                              const QString& imageName, Safe safe)
{
    return showAlert(m_window, Dialog::keyString(key), QString(), Dialog::keyString(firstButton),
                     Dialog::keyString(secondButton), QString(), imageName, 0,
                     safe == Safe::First ? kAlertFirstButton : kAlertSecondButton)
        == kAlertFirstButton;
}
