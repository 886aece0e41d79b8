#include "engines/PlannerTimeline.h"

#include "engines/PlanificatorWalk.h"
#include "foundation/dates.h"

#include <algorithm>

namespace {

// Months moved on the day/month/year triple, the day kept (composition carries a missing day).
double shiftMonths(double date, long months, long hour, long minute, long second)
{
    long day = 0;
    long month = 0;
    long year = 0;
    dateToDMY(&day, &month, &year, date);
    if (months >= 0)
        addMonthsMY(months, &day, &month, &year);
    else
        subMonthsMY(-months, &day, &month, &year);
    double out = 0;
    dmyhmsToDate(day, month, year, hour, minute, second, &out);
    return out;
}

} // namespace

PlannerTimeline::PlannerTimeline(const Planificator& rule, double now)
    : m_rule(rule)
    , m_now(now)
{
    computeDuration();
    computeLastDate();
    computeDates();
}

void PlannerTimeline::computeDuration()
{
    m_maxDate = m_now;
    const double duration = m_rule.totalDuration();
    if (duration >= 0) {
        m_maxDate = m_rule.firstDate + duration;
        return;
    }
    double t = 0;
    if (m_rule.reconductionType == 1) {
        t = Planificator::nextPlanificationDate(m_now, m_rule.reconductionTimeUnit, m_rule.reconductionTimeUnitCount);
    } else {
        t = Planificator::nextPlanificationDate(m_now, m_rule.repeatTimeUnit, m_rule.repeatTimeUnitCount);
        t = Planificator::nextPlanificationDate(t, m_rule.repeatTimeUnit, m_rule.repeatTimeUnitCount);
    }
    m_maxDate = lastDayOfYear(dateYear(t) + 1);
}

void PlannerTimeline::computeLastDate()
{
    const double first = m_rule.firstDate;
    if (m_rule.type == Planificator::kTypePrevision) {
        m_firstValideTo = m_rule.computeValideToDate(first);
        const double next
            = Planificator::nextPlanificationDate(first, m_rule.repeatTimeUnit, m_rule.repeatTimeUnitCount);
        m_validiteConsistent = next > m_firstValideTo;
    }
    if (m_rule.reconductionType == 1) {
        const double renewal
            = Planificator::nextPlanificationDate(first, m_rule.reconductionTimeUnit, m_rule.reconductionTimeUnitCount);
        m_reconductionConsistent = !(first + m_rule.totalDurationEcheance() >= renewal);
    }
}

void PlannerTimeline::computeDates()
{
    m_listOfDates.clear();
    m_firstYear = dateYear(m_rule.firstDate);
    m_currentYear = 0;
    double lastEnd = m_rule.firstDate;
    bool currentFound = false;
    bool firstOccurrence = true;
    PlanificatorWalk walk(m_rule);
    while (walk.chronoLoop(m_maxDate, [&](bool, bool reconduction, double date, double) {
        if (!reconduction)
            addOccurrence(date, &currentFound, &firstOccurrence, &lastEnd);
    })) { }
    if (m_rule.permanent || (m_rule.reconductionType == 1 && m_rule.reconductionPermanent)) {
        PlannedSpan etc;
        etc.d1 = shiftMonths(firstDayOfMonth(lastEnd), 1, 0, 0, 1);
        etc.d2 = lastDayOfYear(dateYear(etc.d1));
        etc.continuing = true;
        etc.etc = true;
        m_listOfDates.append(etc);
    }
    computeNumberOfYears();
}

void PlannerTimeline::addOccurrence(double t, bool* currentFound, bool* firstOccurrence, double* lastEnd)
{
    const bool prevision = m_rule.type == Planificator::kTypePrevision;
    const double v = m_rule.computeValideToDate(t);
    *lastEnd = v;
    bool main = false;
    if (!*currentFound && (prevision ? !(v < m_now) : t >= m_now)) {
        main = true;
        *currentFound = true;
        m_currentYear = dateYear(t);
    }
    const bool obsolete = prevision ? m_now >= v : t <= m_rule.lastWriteDate;
    if (main)
        addShiftEntry(t, obsolete);
    PlannedSpan span;
    span.first = *firstOccurrence ? 1 : 0;
    span.main = main;
    span.obsolete = obsolete;
    span.d1 = t;
    // A validity that ends before it starts (an unknown validity) is drawn as its start alone.
    while (dateYear(span.d1) < dateYear(v)) {
        span.d2 = std::min(v, lastDayOfYear(dateYear(span.d1)));
        m_listOfDates.append(span);
        span.d1 = firstDayOfYear(dateYear(span.d1) + 1);
        span.continuing = true;
    }
    span.d2 = v;
    span.ending = true;
    m_listOfDates.append(span);
    *firstOccurrence = false;
}

void PlannerTimeline::addShiftEntry(double t, bool obsolete)
{
    const double reference = m_rule.budgetShiftReference == 0 ? t : m_rule.absoluteFirstDateFromPlanificator(t);
    PlannedSpan span;
    span.d1 = shiftMonths(firstDayOfMonth(reference), m_rule.budgetShift, 0, 0, 1);
    span.d2 = lastDayOfMonth(span.d1);
    span.shift = true;
    span.obsolete = obsolete;
    m_listOfDates.append(span);
}

void PlannerTimeline::computeNumberOfYears()
{
    if (m_listOfDates.isEmpty()) {
        m_numberOfYears = 1;
        return;
    }
    double end = m_listOfDates.last().d2;
    if (m_rule.budgetShift > 0)
        end = shiftMonths(end, m_rule.budgetShift, 0, 0, 0);
    m_numberOfYears = std::max(1L, dateYear(end) - m_firstYear + 1);
}
