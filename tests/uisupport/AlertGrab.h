#pragma once
// An alert as the desktop draws it: shown through the real presenter, grabbed, then dismissed.
#include "toolkit/dialogs/QtAlertPresenter.h"

#include <QApplication>
#include <QImage>
#include <QMessageBox>
#include <QTimer>

inline QImage grabAlert(const AlertRequest& request)
{
    QImage shown;
    QTimer::singleShot(0, [&shown] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shown = box->grab().toImage();
            box->done(QMessageBox::Cancel);
        }
    });
    QtAlertPresenter().show(request);
    return shown;
}
