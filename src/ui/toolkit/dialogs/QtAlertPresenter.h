#pragma once
// Alerts on Qt: a QMessageBox with the buttons in the order given, the first one the default,
// the icon of the style or the named image; window-modal on its window (a sheet), else
// application-modal.
#include "toolkit/host/UiHost.h"

#include <QMessageBox>

class QtAlertPresenter : public IAlertPresenter {
public:
    int show(const AlertRequest& request) override;

    static QMessageBox::Icon iconForStyle(int style);
    // The message and the information as plain text, whatever they hold.
    static void showAsPlainText(QMessageBox& box);
    // The picture of an image resource named by the program (":/ui/images/<name>.png"); null when
    // there is none.
    static QPixmap namedImage(const QString& name);
};
