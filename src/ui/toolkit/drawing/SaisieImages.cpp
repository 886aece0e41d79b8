#include "toolkit/drawing/SaisieImages.h"

#include "toolkit/dialogs/QtAlertPresenter.h"

QPixmap saisieImage(const QString& name, int side)
{
    return QtAlertPresenter::namedImage(name, side);
}

QIcon saisieIcon(const QString& name, int side)
{
    return QIcon(saisieImage(name, side));
}
