#include "ChronoManager.h"

#include "engines/PlanificatorWalk.h"
#include "foundation/IAlerts.h"
#include "foundation/IAppShell.h"
#include "foundation/dates.h"
#include "foundation/localized.h"
#include "model/DOCPARAM.h"
#include "model/DOCUMENT.h"

#include <cmath>

namespace {

void collectRegular(const ECHEANCIER& echeancier, PlanificatorWalk& walk, double horizon, AwakeList& list)
{
    const PlanificatorWalk::ChronoBlock block = [&](bool written, bool reconduction, double date, double) {
        if (!reconduction && !written)
            list.append(AWAKE(echeancierOccurrenceAtDate(echeancier, date)));
    };
    walk.startChronoLoop();
    while (walk.chronoLoop(horizon, block)) { }
}

void collectPerso(const ECHEANCIER& echeancier, PlanificatorWalk& walk, double horizon, AwakeList& list)
{
    walk.startChronoLoopPerso();
    walk.chronoLoopPerso(PlanificatorWalk::persoDatesOf(echeancier), horizon,
                         [&](qsizetype index, double date, bool done, double) {
                             if (done)
                                 return;
                             AWAKE awake(echeancierPersoOccurrence(echeancier, echeancier.perso.at(index)));
                             awake.transact.when = date;
                             awake.transact.planifiedDate = date;
                             awake.pChronoIndex = index;
                             list.append(awake);
                         });
}

void alertClosedYear(QObject* parentWindow, long echInactive)
{
    alertKeyWithInformation(QStringLiteral("kAlerte_DocCloture"), QString::number(echInactive - 2), parentWindow, 0,
                            QStringLiteral("echeancier_reel"));
}

} // namespace

void collectAwakeForEcheancier(const ECHEANCIER& echeancier, AwakeList& list)
{
    const double horizon = echeancier.planificator.awakeHorizon();
    PlanificatorWalk walk(echeancier.planificator);
    collectRegular(echeancier, walk, horizon, list);
    collectPerso(echeancier, walk, horizon, list);
}

bool collectAwakeOccurrences(QObject* parentWindow, DOCUMENT* doc, const ECHEANCIER* echeancier,
                             const QString& information, bool* cancelled)
{
    if (cancelled)
        *cancelled = false;
    DOCPARAM* param = doc ? doc->docParam.get() : nullptr;
    const long echInactive = param ? param->echInactive : 0;
    AwakeList list;
    if (echeancier)
        collectAwakeForEcheancier(*echeancier, list);
    else if (doc) {
        for (const ECHEANCIER& each : doc->echeancierHdl)
            collectAwakeForEcheancier(each, list);
    }
    if (list.isEmpty())
        return false;
    // At 1 the counter rests: the document stays silent for good.
    if (echInactive != 0) {
        if (param->echInactive >= 2) {
            alertClosedYear(parentWindow, param->echInactive);
            --param->echInactive;
        }
        return true;
    }
    IAppShell* shell = appShell();
    const int result = shell ? shell->showAwakeList(list, doc, information) : 0;
    if (result == 0 && cancelled)
        *cancelled = true;
    return true;
}

double echeancierOccurrenceDateForTransact(const ECHEANCIER& echeancier, const TRANSACT& transact, double maxDate)
{
    const double target = startOfDay(transact.planifiedDate);
    double result = echeancier.planificator.firstDate;
    double best = -1;
    bool exact = false;
    // Keeps the period start of the nearest occurrence; an exact day wins over any later one.
    const auto consider = [&](double date, double periodStart) {
        if (exact)
            return;
        const double distance = std::fabs(startOfDay(date) - target);
        if (distance == 0)
            exact = true;
        if (exact || best < 0 || distance < best) {
            best = distance;
            result = periodStart;
        }
    };
    PlanificatorWalk walk(echeancier.planificator);
    const PlanificatorWalk::ChronoBlock block = [&](bool, bool reconduction, double date, double delta) {
        if (!reconduction)
            consider(date, walk.firstDate() + delta);
    };
    while (!exact && walk.chronoLoop(maxDate, block)) { }
    if (exact)
        return result;
    walk.startChronoLoopPerso();
    walk.chronoLoopPerso(PlanificatorWalk::persoDatesOf(echeancier), maxDate,
                         [&](qsizetype, double date, bool, double delta) { consider(date, walk.firstDate() + delta); });
    return result;
}
