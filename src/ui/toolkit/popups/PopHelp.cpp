#include "toolkit/popups/PopHelp.h"

#include "toolkit/popups/ViewHelpController.h"

#include <QStyle>

PopHelp::PopHelp(QWidget* parent)
    : PopWithOneView(parent)
{
    setImage(style()->standardIcon(QStyle::SP_MessageBoxQuestion));
    setAutoRaise(true);
    setShowsMenuIndicator(false);
}

QWidget* PopHelp::getView()
{
    return ViewHelpController::viewForTitle(m_stringTitle, m_stringContent, this);
}
