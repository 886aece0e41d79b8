#include "PlanificatorWalk.h"

#include "foundation/dates.h"
#include "foundation/diagnostics.h"
#include "model/ECHEANCIER.h"

#include <algorithm>

namespace {

// Beyond this many units every step of the date library is already held at its limit; holding
// the factor here keeps the product of a renewal count and a period number from overflowing.
constexpr long kMaxUnitFactor = 1'000'000;

} // namespace

PlanificatorWalk::PlanificatorWalk(const Planificator& rule)
    : m_rule(rule)
{
    startChronoLoop();
}

void PlanificatorWalk::resetCursor(double firstDate, double date)
{
    m_firstDate = firstDate;
    m_countEcheances = 1;
    m_countReconductions = 1;
    m_date = date;
    m_delta = 0;
    m_deltaReconduction
        = Planificator::nextPlanificationDate(firstDate, m_rule.reconductionTimeUnit, m_rule.reconductionTimeUnitCount)
        - firstDate;
    m_steps = 0;
    m_stalled = false;
    m_ended = false;
}

void PlanificatorWalk::startChronoLoop()
{
    double first = m_rule.firstDate;
    // Stepping months from the first keeps every month reachable: from the 31st a month step
    // would carry over into the month after the short ones.
    if (m_rule.type == Planificator::kTypeEcheancier && m_rule.dateEcriture == 1)
        first = firstDayOfMonth(first);
    resetCursor(first, first);
}

bool PlanificatorWalk::chronoLoop(double maxDate, const ChronoBlock& block)
{
    if (m_ended || m_stalled || ++m_steps > kMaxPlanificatorSteps)
        return endWalk();
    const double date = m_rule.rectifyEcheancierDateForEndOfMonth(m_date);
    if (date > maxDate)
        return endWalk();
    if (periodUsedUp())
        return stepToNextPeriod(maxDate, block);
    return stepToNextOccurrence(date, block);
}

bool PlanificatorWalk::endWalk()
{
    m_ended = true;
    return false;
}

bool PlanificatorWalk::periodUsedUp() const
{
    return !m_rule.permanent && m_countEcheances > m_rule.nbEcheance;
}

bool PlanificatorWalk::stepToNextPeriod(double maxDate, const ChronoBlock& block)
{
    if (m_rule.reconductionType != 1)
        return endWalk();
    if (!m_rule.reconductionPermanent && m_rule.reconductionNbEcheance < m_countReconductions)
        return endWalk();
    // Counted from the first date every time, so that month lengths never accumulate.
    const long units
        = std::clamp(m_rule.reconductionTimeUnitCount, -kMaxUnitFactor, kMaxUnitFactor) * m_countReconductions;
    const double start = Planificator::nextPlanificationDate(m_firstDate, m_rule.reconductionTimeUnit, units);
    if (start > maxDate)
        return endWalk();
    // A renewal that doesn't start after the current period would hand the same period forever.
    if (!(start > m_firstDate + m_delta))
        return endWalk();
    ++m_countReconductions;
    m_delta = start - m_firstDate;
    m_countEcheances = 1;
    m_date = start;
    if (block)
        block(false, true, start, m_delta);
    return true;
}

bool PlanificatorWalk::stepToNextOccurrence(double date, const ChronoBlock& block)
{
    const double raw = m_date;
    ++m_countEcheances;
    if (m_rule.repeatTimeUnitCount <= 0) {
        svLog(QStringLiteral("*** Erreur chronoLoop : nombre de répétitions à zéro"));
        return endWalk();
    }
    const double next = m_rule.nextChronoDate(raw);
    // An unknown unit gives no next date: this occurrence is the rule's last.
    if (next > raw)
        m_date = next;
    else
        m_stalled = true;
    if (block)
        block(m_rule.lastWriteDate >= raw, false, date, m_delta);
    return true;
}

void PlanificatorWalk::startChronoLoopPerso()
{
    resetCursor(m_rule.firstDate, 0);
    m_ended = true;
}

void PlanificatorWalk::chronoLoopPerso(const QList<PersoDate>& perso, double maxDate, const PersoBlock& block)
{
    m_ended = true;
    if (perso.isEmpty())
        return;
    long extraPasses = 0;
    for (long pass = 0; pass < kMaxPlanificatorSteps; ++pass) {
        const bool handedOut = passOverPerso(perso, maxDate, block);
        if (m_rule.reconductionType != 1)
            return;
        // Each renewal only moves the dates later: after a pass that handed nothing no later pass
        // can hand anything, and a step of no length would hand the same dates again and again.
        if (!handedOut || !(m_deltaReconduction > 0))
            return;
        if (!m_rule.reconductionPermanent) {
            if (m_rule.reconductionNbEcheance <= extraPasses)
                return;
            ++extraPasses;
        }
        m_delta += m_deltaReconduction;
    }
}

bool PlanificatorWalk::passOverPerso(const QList<PersoDate>& perso, double maxDate, const PersoBlock& block) const
{
    bool handedOut = false;
    for (qsizetype i = 0; i < perso.size(); ++i) {
        const double date = m_rule.rectifyEcheancierDateForEndOfMonth(perso.at(i).when) + m_delta;
        if (date > maxDate)
            continue;
        if (block)
            block(i, date, perso.at(i).done, m_delta);
        handedOut = true;
    }
    return handedOut;
}

QList<PlanificatorWalk::PersoDate> PlanificatorWalk::persoDatesOf(const ECHEANCIER& echeancier)
{
    QList<PersoDate> dates;
    dates.reserve(echeancier.perso.size());
    for (const PECHEANCIER& perso : echeancier.perso)
        dates.append({perso.transact.when, perso.done});
    return dates;
}
