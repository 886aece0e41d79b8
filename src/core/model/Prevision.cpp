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

// ---- A list of forecasts ---------------------------------------------------------------------------

const Prevision* findPrevisionWithIdentInArray(long ident, qsizetype* index, const PrevisionList& list)
{
    for (qsizetype i = 0; i < list.size(); ++i) {
        if (list.at(i).ident == ident) {
            if (index)
                *index = i;
            return &list.at(i);
        }
    }
    if (index)
        *index = -1;
    return nullptr;
}

Prevision* findPrevisionWithIdentInArray(long ident, qsizetype* index, PrevisionList& list)
{
    qsizetype found = -1;
    findPrevisionWithIdentInArray(ident, &found, std::as_const(list));
    if (index)
        *index = found;
    return found < 0 ? nullptr : &list[found];
}

const Prevision* findPrevisionWithNameInArray(const PrevisionList& list, const QString& name)
{
    for (const Prevision& prevision : list) {
        if (prevision.name == name)
            return &prevision;
    }
    return nullptr;
}

QString availableNameForPrevision(const QString& name, const PrevisionList& list)
{
    if (!findPrevisionWithNameInArray(list, name))
        return name;
    // At most list.size() names are taken, so one of the first list.size() + 1 numbers is free.
    for (long n = 2;; ++n) {
        QString candidate = QStringLiteral("%1 %2").arg(name).arg(n);
        if (!findPrevisionWithNameInArray(list, candidate))
            return candidate;
    }
}
