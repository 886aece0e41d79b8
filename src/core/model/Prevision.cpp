#include "Prevision.h"

#include "foundation/localized.h"

void Prevision::initWithDocument(const DOCUMENT* doc)
{
    ident = -1;
    name = localizedMisc(QStringLiteral("kMisc_DefaultName"));
    rattrapable = true;
    transact = TRANSACT::allocNewTransact(doc);
    planificator = Planificator(transact.when, Planificator::kTypePrevision);
}

Prevision Prevision::newPrevision(const DOCUMENT* doc)
{
    Prevision prevision;
    prevision.initWithDocument(doc);
    return prevision;
}

Prevision Prevision::copyOfPrevision() const
{
    Prevision copy = *this;
    copy.transact = transact.copyOfTransact();
    return copy;
}

TRANSACT Prevision::previsionToTrans(double date) const
{
    TRANSACT trans = transact.copyOfTransact();
    trans.when = date;
    trans.moyen = 0;
    trans.previsionID = ident;
    return trans;
}
