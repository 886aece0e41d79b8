#include "DocContext.h"

#include "document/APPLIPARAM.h"
#include "document/DocumentMark.h"
#include "foundation/SystemClock.h"
#include "model/MONTANT.h"

DocContext& DocContext::instance()
{
    static DocContext context;
    return context;
}

void DocContext::reset()
{
    instance() = DocContext();
    MONTANT::startMontant();
}

void transactLibDidOpenDocument()
{
    DocContext::instance().lastEnteredDate = SystemClock::now();
}

double dateForNewTransact()
{
    if (APPLIPARAM::loadAppliParam().optionSaisieDate == 1)
        return DocContext::instance().lastEnteredDate;
    return SystemClock::now();
}
