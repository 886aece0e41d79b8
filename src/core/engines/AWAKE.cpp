#include "AWAKE.h"

#include "foundation/dateformat.h"
#include "model/DOCUMENT.h"
#include "model/ECHEANCIER.h"
#include "model/TransactOps.h"

#include <algorithm>

namespace {

constexpr int kShortDateStyle = 1;
constexpr int kNoTimeStyle = 0;

const DeviseList* devisesOf(const DOCUMENT* doc)
{
    return doc ? &doc->deviseHdl : nullptr;
}

} // namespace

QString AWAKE::awakeEcheancierName(const DOCUMENT* doc) const
{
    const ECHEANCIER* echeancier = nullptr;
    if (findEcheancier(transact.chronoID, doc, &echeancier, nullptr))
        return echeancier->nom;
    return QString();
}

QString AWAKE::awakeDateString() const
{
    return dateToStringWithStyles(kShortDateStyle, kNoTimeStyle, transact.when);
}

QString AWAKE::awakeSoldeString(const DOCUMENT* doc) const
{
    return montantToStringForDevise(transact.solde, transact.devise, devisesOf(doc), false);
}

QString AWAKE::awakeDeviseUnit(const DOCUMENT* doc) const
{
    return doc ? Devise::deviseUnitAtIndex(doc->deviseHdl, transact.devise) : QString();
}

bool writeAwakeOccurrence(const AWAKE& awake, DOCUMENT* doc, bool notify, const QString& note)
{
    if (awake.status != kAwakeWrite && awake.status != kAwakeWriteCancelled)
        return false;
    TRANSACT written = copyTransact(awake.transact);
    if (!note.isEmpty())
        written.why = note;
    if (awake.status == kAwakeWriteCancelled)
        written.annulerTransact();
    ECHEANCIER* echeancier = nullptr;
    const bool fromEcheancier = findEcheancier(written.chronoID, doc, &echeancier, nullptr);
    if (fromEcheancier && awake.pChronoIndex >= 0 && !echeancierPersoAtIndex(*echeancier, awake.pChronoIndex))
        return false;
    if (!makeTransact(written, nullptr, doc, notify, notify))
        return false;
    if (!fromEcheancier)
        return true;
    // makeTransact tells the windows, which may change the schedules: find it again.
    if (!findEcheancier(written.chronoID, doc, &echeancier, nullptr))
        return true;
    Planificator& rule = echeancier->planificator;
    if (awake.pChronoIndex < 0) {
        rule.lastWriteDate = std::max(rule.lastWriteDate, written.when);
        ++rule.nbWriteEch;
        return true;
    }
    PECHEANCIER* perso = echeancierPersoAtIndex(*echeancier, awake.pChronoIndex);
    if (!perso)
        return true;
    perso->done = true;
    ++rule.nbWritePEch;
    return true;
}
