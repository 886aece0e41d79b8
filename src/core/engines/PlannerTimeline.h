#pragma once
// What the planner shows of a recurrence rule under its controls: the horizon up to which its
// occurrences are walked, the spans drawn on the year grid (one per occurrence and calendar year
// it touches, the budget month of the current occurrence, the and-so-on tail of an open-ended
// rule), how many year rows the grid has, which row to show, and whether the rule is consistent
// enough for its editor to accept it.
//
// A pure computation over a copy of the rule and a given "now", so the same rule and the same
// now always give the same grid.
#include "model/Planificator.h"

#include <QList>

// One span of the grid.
struct PlannedSpan {
    double d1 = 0; // start of the drawn span
    double d2 = 0; // end of the drawn span
    bool continuing = false; // continues a span begun in an earlier year
    bool ending = false; // last piece of an occurrence's validity
    int first = 0; // 1 for the first occurrence of the list
    bool etc = false; // the tail of a rule without end
    bool main = false; // the current occurrence
    bool shift = false; // the budget month of the current occurrence
    bool obsolete = false; // past: written, or its validity is over

    bool operator==(const PlannedSpan&) const = default;
};

class PlannerTimeline {
public:
    PlannerTimeline(const Planificator& rule, double now);

    const Planificator& rule() const { return m_rule; }
    double now() const { return m_now; }

    // Horizon: the end of a finite rule; for an open-ended one, 31 December (midnight) of the
    // year after now moved by one renewal period (or by two repeat periods when it doesn't renew).
    double maxDate() const { return m_maxDate; }
    const QList<PlannedSpan>& listOfDates() const { return m_listOfDates; }
    long firstYear() const { return m_firstYear; }
    // Rows of the grid, from the year of the first date to the year of the last span's end (that
    // end first moved forward by a positive budget shift); one row when nothing is planned.
    long numberOfYears() const { return m_numberOfYears; }
    // The row of the current occurrence; -1 when no occurrence is current.
    long scrollRow() const { return m_currentYear > 0 ? m_currentYear - m_firstYear : -1; }

    // A forecast's first occurrence: when its validity ends (computeValideToDate of firstDate),
    // and whether the next occurrence comes after that end. Always consistent for a schedule.
    double firstValideToDate() const { return m_firstValideTo; }
    bool validiteConsistent() const { return m_validiteConsistent; }
    // A renewing rule: whether one series of occurrences ends before the next renewal starts.
    bool reconductionConsistent() const { return m_reconductionConsistent; }
    // Whether the editor may accept the rule.
    bool okEnabled() const { return m_validiteConsistent && m_reconductionConsistent; }

private:
    void computeDuration();
    void computeLastDate();
    void computeDates();
    void addOccurrence(double t, bool* currentFound, bool* firstOccurrence, double* lastEnd);
    void addShiftEntry(double t, bool obsolete);
    void computeNumberOfYears();

    Planificator m_rule;
    double m_now = 0;
    double m_maxDate = 0;
    QList<PlannedSpan> m_listOfDates;
    long m_firstYear = 0;
    long m_currentYear = 0;
    long m_numberOfYears = 1;
    double m_firstValideTo = 0;
    bool m_validiteConsistent = true;
    bool m_reconductionConsistent = true;
};
