#pragma once
// What the planner shows of a recurrence rule under its controls: the horizon up to which its
// occurrences are walked, the spans drawn on the year grid (one per occurrence and calendar year
// it touches, the budget month of the current occurrence, the and-so-on tail of an open-ended
// rule), how many year rows the grid has, which row to show, and whether the rule is consistent
// enough for its editor to accept it.
//
// A pure computation over a copy of the rule and a given "now", so the same rule and the same
// now always give the same grid. An occurrence is kept once, whatever the length of its
// validity; the spans of a year are cut from the occurrences when that row is drawn, so the work
// grows with the occurrences plus the rows shown, never with their product (a daily forecast
// valid 9,999 years would otherwise make millions of spans).
#include "model/Planificator.h"

#include <QList>

#include <optional>

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
    // The spans whose start falls in that year, in the order the rule's list has them: each
    // occurrence's piece of the year (cut at the new years of its validity), the budget month
    // just before the current occurrence's, the and-so-on tail last. Of the pieces that cross the
    // whole year only the last is given: each is the same line, drawn over the ones before it.
    QList<PlannedSpan> spansOfYear(long year) const;
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
    // One occurrence: its date, the end of its validity, their years, its flags.
    struct Occurrence {
        double t = 0;
        double v = 0;
        long yearT = 0;
        long yearV = 0;
        bool main = false;
        bool obsolete = false;
        // The last year that holds a piece of it: a validity ending before its start has none
        // after the start's year.
        long lastYear() const { return yearV > yearT ? yearV : yearT; }
    };

    void computeDuration();
    void computeLastDate();
    void computeDates();
    void addOccurrence(double t, bool* currentFound);
    void makeShiftEntry(double t, bool obsolete);
    void computeNumberOfYears();
    PlannedSpan pieceOfYear(qsizetype index, long year) const;

    Planificator m_rule;
    double m_now = 0;
    double m_maxDate = 0;
    QList<Occurrence> m_occurrences; // in walk order: their dates never go back
    QList<long> m_reachedYear; // at i: the latest lastYear() of the occurrences up to i
    qsizetype m_mainIndex = -1; // the current occurrence
    std::optional<PlannedSpan> m_shift; // the budget month of the current occurrence
    std::optional<PlannedSpan> m_etc; // the tail of a rule without end
    long m_firstYear = 0;
    long m_currentYear = 0;
    long m_numberOfYears = 1;
    double m_firstValideTo = 0;
    bool m_validiteConsistent = true;
    bool m_reconductionConsistent = true;
};
