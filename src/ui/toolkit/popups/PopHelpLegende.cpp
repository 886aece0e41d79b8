#include "toolkit/popups/PopHelpLegende.h"

#include "toolkit/popups/ViewHelpLegendeController.h"

#include <QStyle>

PopHelpLegende::PopHelpLegende(QWidget* parent)
    : PopWithOneView(parent)
{
    setImage(style()->standardIcon(QStyle::SP_MessageBoxInformation));
    setAutoRaise(true);
    setShowsMenuIndicator(false);
}

QWidget* PopHelpLegende::getView()
{
    return ViewHelpLegendeController::createView();
}
