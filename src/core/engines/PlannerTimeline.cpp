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
    m_occurrences.clear();
    m_reachedYear.clear();
    m_mainIndex = -1;
    m_shift.reset();
    m_etc.reset();
    m_firstYear = dateYear(m_rule.firstDate);
    m_currentYear = 0;
    bool currentFound = false;
    PlanificatorWalk walk(m_rule);
    while (walk.chronoLoop(m_maxDate, [&](bool, bool reconduction, double date, double) {
        if (!reconduction)
            addOccurrence(date, &currentFound);
    })) { }
    const double lastEnd = m_occurrences.isEmpty() ? m_rule.firstDate : m_occurrences.last().v;
    if (m_rule.permanent || (m_rule.reconductionType == 1 && m_rule.reconductionPermanent)) {
        PlannedSpan etc;
        etc.d1 = shiftMonths(firstDayOfMonth(lastEnd), 1, 0, 0, 1);
        etc.d2 = lastDayOfYear(dateYear(etc.d1));
        etc.continuing = true;
        etc.etc = true;
        m_etc = etc;
    }
    computeNumberOfYears();
}

void PlannerTimeline::addOccurrence(double t, bool* currentFound)
{
    const bool prevision = m_rule.type == Planificator::kTypePrevision;
    Occurrence o;
    o.t = t;
    o.v = m_rule.computeValideToDate(t);
    o.yearT = dateYear(t);
    o.yearV = dateYear(o.v);
    if (!*currentFound && (prevision ? !(o.v < m_now) : t >= m_now)) {
        o.main = true;
        *currentFound = true;
        m_currentYear = o.yearT;
        m_mainIndex = m_occurrences.size();
    }
    o.obsolete = prevision ? m_now >= o.v : t <= m_rule.lastWriteDate;
    if (o.main)
        makeShiftEntry(t, o.obsolete);
    m_reachedYear.append(m_reachedYear.isEmpty() ? o.lastYear() : std::max(m_reachedYear.last(), o.lastYear()));
    m_occurrences.append(o);
}

PlannedSpan PlannerTimeline::pieceOfYear(qsizetype index, long year) const
{
    const Occurrence& o = m_occurrences.at(index);
    PlannedSpan span;
    span.first = index == 0 ? 1 : 0;
    span.main = o.main;
    span.obsolete = o.obsolete;
    span.continuing = year > o.yearT;
    span.d1 = span.continuing ? firstDayOfYear(year) : o.t;
    // A validity that ends before it starts (an unknown validity) is drawn as its start alone.
    span.ending = year == o.lastYear();
    span.d2 = span.ending ? o.v : std::min(o.v, lastDayOfYear(year));
    return span;
}

QList<PlannedSpan> PlannerTimeline::spansOfYear(long year) const
{
    // The occurrences from lo reach the year at the earliest; those from hi start after it.
    const qsizetype lo = std::lower_bound(m_reachedYear.cbegin(), m_reachedYear.cend(), year) - m_reachedYear.cbegin();
    const qsizetype hi = std::upper_bound(m_occurrences.cbegin(), m_occurrences.cend(), year,
                                          [](long y, const Occurrence& o) { return y < o.yearT; })
        - m_occurrences.cbegin();
    const auto crossesYear = [year](const Occurrence& o) { return o.yearT < year && year < o.yearV; };
    qsizetype lastCrossing = -1;
    for (qsizetype i = hi - 1; i >= lo && lastCrossing < 0; --i)
        lastCrossing = crossesYear(m_occurrences.at(i)) ? i : -1;
    QList<PlannedSpan> spans;
    const PlannedSpan* shiftDue = m_shift && dateYear(m_shift->d1) == year ? &*m_shift : nullptr;
    for (qsizetype i = lo; i < hi; ++i) {
        if (shiftDue && i >= m_mainIndex) {
            spans.append(*shiftDue);
            shiftDue = nullptr;
        }
        const Occurrence& o = m_occurrences.at(i);
        if (year < o.yearT || year > o.lastYear() || (crossesYear(o) && i != lastCrossing))
            continue;
        spans.append(pieceOfYear(i, year));
    }
    if (shiftDue)
        spans.append(*shiftDue);
    if (m_etc && dateYear(m_etc->d1) == year)
        spans.append(*m_etc);
    return spans;
}

void PlannerTimeline::makeShiftEntry(double t, bool obsolete)
{
    const double reference = m_rule.budgetShiftReference == 0 ? t : m_rule.absoluteFirstDateFromPlanificator(t);
    PlannedSpan span;
    span.d1 = shiftMonths(firstDayOfMonth(reference), m_rule.budgetShift, 0, 0, 1);
    span.d2 = lastDayOfMonth(span.d1);
    span.shift = true;
    span.obsolete = obsolete;
    m_shift = span;
}

void PlannerTimeline::computeNumberOfYears()
{
    // The end of the list's last entry: the tail, else the last occurrence's last piece.
    if (!m_etc && m_occurrences.isEmpty()) {
        m_numberOfYears = 1;
        return;
    }
    double end = m_etc ? m_etc->d2 : m_occurrences.last().v;
    if (m_rule.budgetShift > 0)
        end = shiftMonths(end, m_rule.budgetShift, 0, 0, 0);
    m_numberOfYears = std::max(1L, dateYear(end) - m_firstYear + 1);
}
