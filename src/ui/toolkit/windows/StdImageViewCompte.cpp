#include "toolkit/windows/StdImageViewCompte.h"

QString StdImageViewCompte::replacementString(const TRANSACT* transact) const
{
    Q_UNUSED(transact);
    return QStringLiteral("C:");
}
