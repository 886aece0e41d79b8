#include "Planificator.h"

#include "foundation/dates.h"

#include <algorithm>

Planificator::Planificator(double date, int32_t ruleType)
{
    initWithFirstDate(date, ruleType);
}

void Planificator::initWithFirstDate(double date, int32_t ruleType)
{
    *this = Planificator();
    type = ruleType;
    firstDate = date;
}

double Planificator::nextPlanificationDate(double date, int32_t timeUnit, long numberOfUnits)
{
    double out = 0;
    switch (timeUnit) {
    case kUnitMonth:
        return addMonthsToDate(numberOfUnits, date);
    case kUnitWeek:
        addWeeksToDate(numberOfUnits, &out, date);
        return out;
    case kUnitDay:
        return addDaysToDate(numberOfUnits, date);
    case kUnitYear:
        addYearsToDate(numberOfUnits, &out, date);
        return out;
    default:
        return 0;
    }
}

double Planificator::nextChronoDate(double date) const
{
    return nextPlanificationDate(date, repeatTimeUnit, repeatTimeUnitCount);
}

double Planificator::oneEcheanceDurationWithTimeUnit(int32_t timeUnit, long count) const
{
    const double moved = nextPlanificationDate(firstDate, timeUnit, count);
    return moved == 0 ? 0 : moved - firstDate;
}

double Planificator::oneEcheanceDuration() const
{
    return oneEcheanceDurationWithTimeUnit(repeatTimeUnit, repeatTimeUnitCount);
}

double Planificator::oneReconductionDuration() const
{
    return oneEcheanceDurationWithTimeUnit(reconductionTimeUnit, reconductionTimeUnitCount);
}

double Planificator::computeValideToDate(double date) const
{
    switch (valideType) {
    case kValideOwnDate:
        return date;
    case kValideEndOfMonth:
        return lastDayOfMonth(date);
    case kValideLength: {
        const double moved = nextPlanificationDate(date, valideTimeUnit, valideTimeUnitCount);
        // An unknown unit has no length: "one day before no date" would be a day of 2000.
        if (moved == 0)
            return 0;
        double end = 0;
        endOfDayNDaysBefore(1, &end, moved);
        return end;
    }
    default:
        return 0;
    }
}

double Planificator::rectifyPrevisionDateForEndOfMonth(double date) const
{
    return (type == kTypePrevision && valideType == kValideEndOfMonth) ? lastDayOfMonth(date) : date;
}

double Planificator::rectifyEcheancierDateForEndOfMonth(double date) const
{
    return (type == kTypeEcheancier && dateEcriture == 1) ? lastDayOfMonth(date) : date;
}

double Planificator::endOfPrevisionEcheance(double date) const
{
    return rectifyPrevisionDateForEndOfMonth(computeValideToDate(date));
}

double Planificator::repeatedSteps(double date, int32_t timeUnit, long unitCount, long count)
{
    const long steps = std::min(count, kMaxPlanificatorSteps);
    for (long i = 0; i < steps; ++i) {
        const double next = nextPlanificationDate(date, timeUnit, unitCount);
        if (!(next > date))
            break;
        date = next;
    }
    return date;
}

double Planificator::totalDurationEcheance() const
{
    if (permanent)
        return -1;
    double last = repeatedSteps(firstDate, repeatTimeUnit, repeatTimeUnitCount, nbEcheance - 1);
    last = type == kTypePrevision ? endOfPrevisionEcheance(last) : rectifyEcheancierDateForEndOfMonth(last);
    return endOfDay(last) - firstDate;
}

double Planificator::totalDurationReconduction() const
{
    if (reconductionPermanent)
        return -1;
    const double lastStart
        = repeatedSteps(firstDate, reconductionTimeUnit, reconductionTimeUnitCount, reconductionNbEcheance);
    double end = endOfDay(addDaysToDate(1, lastStart + totalDurationEcheance()));
    end = type == kTypePrevision ? rectifyPrevisionDateForEndOfMonth(end) : rectifyEcheancierDateForEndOfMonth(end);
    return end - firstDate;
}

double Planificator::totalDuration() const
{
    return reconductionType == 1 ? totalDurationReconduction() : totalDurationEcheance();
}

double Planificator::awakeHorizon() const
{
    long day = 0;
    long month = 0;
    long year = 0;
    dateToDMY(&day, &month, &year, dateNow());
    addDaysDMY(avance, &day, &month, &year);
    double horizon = 0;
    dmyToDate(day, month, year, &horizon);
    return horizon;
}

bool Planificator::isFinished() const
{
    if (permanent || reconductionPermanent)
        return false;
    return dateNow() > firstDate + totalDuration();
}

double Planificator::absoluteFirstDateFromPlanificator(double date) const
{
    if (permanent || reconductionType == 0)
        return firstDate;
    return findFirstDateInReconductiblePlanificator(date);
}

double Planificator::findFirstDateInReconductiblePlanificator(double date) const
{
    const double periodLength = totalDurationEcheance();
    double start = firstDate;
    for (long i = 0; i < kMaxPlanificatorSteps; ++i) {
        if (start > date)
            return date;
        if (date <= start + periodLength)
            return start;
        const double next = nextPlanificationDate(start, reconductionTimeUnit, reconductionTimeUnitCount);
        // A renewal step of no length (or of an unknown unit) would never reach the date.
        if (!(next > start))
            return date;
        start = next;
    }
    return date;
}
