#include "toolkit/drawing/ScheduleImages.h"

#include "toolkit/dialogs/QtAlertPresenter.h"

QPixmap schedulePicture(const QString& name, int side)
{
    if (name.isEmpty())
        return {};
    return QtAlertPresenter::namedImage(name, side);
}
