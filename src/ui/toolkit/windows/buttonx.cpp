#include "toolkit/windows/buttonx.h"

#include <QAbstractButton>

void XsetTitle(QAbstractButton* button, const QString& title)
{
    if (button)
        button->setText(title);
}
