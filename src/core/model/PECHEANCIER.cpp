#include "PECHEANCIER.h"

#include "model/ECHEANCIER.h"

PECHEANCIER::PECHEANCIER(const TRANSACT& trans, bool isDone)
    : transact(trans.copyOfTransact())
    , done(isDone)
{
}

PECHEANCIER PECHEANCIER::copyOfPerso() const
{
    return PECHEANCIER(transact, done);
}

PEcheancierList PECHEANCIER::copyOfPersoArray(const PEcheancierList& list)
{
    PEcheancierList copies;
    copies.reserve(list.size());
    for (const PECHEANCIER& perso : list)
        copies.append(perso.copyOfPerso());
    return copies;
}

PECHEANCIER allocNewPEcheancier(const ECHEANCIER& echeancier)
{
    return PECHEANCIER(echeancier.transact, false);
}
