#pragma once
// Alerts on Qt: a QMessageBox with the buttons in the order given, the one the request names the default,
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
    // The program's picture of that name (see namedimages.h) at its own size, one pixel a point,
    // for callers that scale it themselves; null when there is none.
    static QPixmap namedImage(const QString& name);
    // The same `side` points square (0: its own size), sharp on the screen's device-pixel ratio.
    static QPixmap namedImage(const QString& name, int side);
};
