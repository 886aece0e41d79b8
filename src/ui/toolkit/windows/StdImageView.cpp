#include "toolkit/windows/StdImageView.h"

StdImageView::StdImageView(QWidget* parent)
    : QLabel(parent)
{
    setAlignment(Qt::AlignCenter);
}

QString StdImageView::replacementString(const TRANSACT* transact) const
{
    Q_UNUSED(transact);
    return QString();
}
