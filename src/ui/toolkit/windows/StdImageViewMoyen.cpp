#include "toolkit/windows/StdImageViewMoyen.h"

#include "model/TRANSACT.h"

QString StdImageViewMoyen::replacementString(const TRANSACT* transact) const
{
    return transact ? familyLetters(transact->moyen) : QStringLiteral("?");
}

QString StdImageViewMoyen::familyLetters(int family)
{
    switch (family) {
    case 0:
        return QStringLiteral("OD");
    case 1:
        return QStringLiteral("IN");
    case 2:
    case 3:
        return QStringLiteral("LI");
    case 5:
        return QStringLiteral("RE");
    case 6:
        return QStringLiteral("DE");
    case 7:
        return QStringLiteral("VI");
    case 8:
        return QStringLiteral("PR");
    case 9:
    case 10:
        return QStringLiteral("CH");
    case 11:
    case 12:
        return QStringLiteral("CA");
    default:
        return QStringLiteral("?");
    }
}
