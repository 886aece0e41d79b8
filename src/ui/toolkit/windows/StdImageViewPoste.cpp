#include "toolkit/windows/StdImageViewPoste.h"

QString StdImageViewPoste::replacementString(const TRANSACT* transact) const
{
    Q_UNUSED(transact);
    return QStringLiteral("P:");
}
