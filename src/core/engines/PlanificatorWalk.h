#pragma once
// One walk over the occurrences of a recurrence rule, a step at a time. The walk works on its own
// copy of the rule and keeps the cursor itself, so a caller may stop at any step and the rule is
// exactly as it was: a schedule written at the end of the month walks from the first of its
// first month, but only inside the walk.
//
// Regular walk: startChronoLoop (done by the constructor), then chronoLoop with the same horizon
// until it answers false. Each call hands the block either one occurrence or, when the series
// renews, a marker dated at the start of the new period (reconduction true) followed by that
// period's first occurrence on the next call. Callers that list occurrences skip the markers.
//
// A walk always ends: a step that doesn't move the cursor strictly forward (an unknown unit, a
// renewal step of no length, a count out of the date library's reach) ends it, and no walk takes
// more than kMaxPlanificatorSteps steps.
#include "model/Planificator.h"

#include <QList>
#include <functional>

class ECHEANCIER;

class PlanificatorWalk {
public:
    // written: the rule's lastWriteDate is at or after the occurrence's raw date (before its
    // move to the end of the month). date: what the caller lists. delta: seconds from the walk's
    // first date to the start of the current renewal period.
    using ChronoBlock = std::function<void(bool written, bool reconduction, double date, double delta)>;

    // A custom occurrence placed by hand in a schedule.
    struct PersoDate {
        double when = 0;
        bool done = false;
    };
    // The custom occurrences of the schedule, in its order.
    static QList<PersoDate> persoDatesOf(const ECHEANCIER& echeancier);
    // index: position in the custom list; date: the occurrence's date in the current renewal.
    using PersoBlock = std::function<void(qsizetype index, double date, bool done, double delta)>;

    explicit PlanificatorWalk(const Planificator& rule);

    const Planificator& rule() const { return m_rule; }

    // Back to the first occurrence.
    void startChronoLoop();
    // One step up to the horizon maxDate: true when the block was called, false once the walk has
    // ended (and on every later call, until startChronoLoop).
    bool chronoLoop(double maxDate, const ChronoBlock& block);

    void startChronoLoopPerso();
    // Hands every custom occurrence up to maxDate, in list order, then again shifted by one
    // renewal step (a constant number of seconds) for each renewal of the rule. Ends the regular
    // walk: it needs startChronoLoop again.
    void chronoLoopPerso(const QList<PersoDate>& perso, double maxDate, const PersoBlock& block);

    // The first date the walk counts from: the rule's, or the first of its month (00:00:01) for
    // a schedule written at the end of the month. With delta() it gives the current period's start.
    double firstDate() const { return m_firstDate; }
    double delta() const { return m_delta; }
    double deltaReconduction() const { return m_deltaReconduction; }
    long chronoLoopCountEcheances() const { return m_countEcheances; }
    long chronoLoopCountReconductions() const { return m_countReconductions; }
    double chronoLoopDate() const { return m_date; }

private:
    bool endWalk();
    bool periodUsedUp() const;
    bool stepToNextPeriod(double maxDate, const ChronoBlock& block);
    bool stepToNextOccurrence(double date, const ChronoBlock& block);
    bool passOverPerso(const QList<PersoDate>& perso, double maxDate, const PersoBlock& block) const;
    void resetCursor(double firstDate, double date);

    Planificator m_rule;
    double m_firstDate = 0;
    long m_countEcheances = 1; // next occurrence within the period, from 1
    long m_countReconductions = 1; // current period, from 1
    double m_date = 0; // raw date of the next occurrence
    double m_delta = 0;
    double m_deltaReconduction = 0;
    long m_steps = 0;
    bool m_stalled = false; // the cursor can't move past the occurrence just handed out
    bool m_ended = false;
};
