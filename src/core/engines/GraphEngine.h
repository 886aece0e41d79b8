#pragma once
// Computes a graph's points: one per calendar month (or day) of its dates, each with the net total
// of the period and the running balance at its end, starting from the balance before the first
// date. The followed account, bank, category or folder comes from the header's mode.
//
// Months are calendar months: the first period starts at graph_date1 and every later one on the
// 1st of its month, so a start on the 29th to 31st never skips a short month.
#include "engines/Critere.h"
#include "model/GRAPH.h"

#include <optional>

class DOCUMENT;

struct GraphCriteres {
    Critere critere; // selects the followed entity's transactions (no period yet)
    std::optional<Critere> report; // accounts and banks: what lies before graph_date1
};

GraphCriteres makeGraphCriteres(const GRAPHFILE& file, const DOCUMENT* doc);

// The longest span a graph is computed over, in calendar months, both ends counted: a hundred
// years by day fit. Beyond, even its month ticks would crowd under a pixel each on a wide
// window, and the schedule and forecast occurrences of the span would cost seconds and hundreds
// of megabytes.
inline constexpr long kGraphMaxMonths = 1500;

// Calendar months from graph_date1's to graph_date2's, both counted: 0 when graph_date2 is
// before graph_date1, more than kGraphMaxMonths when a date lies outside the calendar's years.
long graphMonthCount(const GRAPH& graph);
bool graphSpanFits(const GRAPH& graph);

// Replaces the points, soldeInit, maxTot and maxSol; sets makeDate and makeDoc. The currency
// slot is handed to the criterion tests. False, and the file left as it was, when its span does
// not fit.
bool computeGraph(GRAPHFILE& file, const DOCUMENT* doc, long devise);
bool recomputeGraph(GRAPHFILE& file, const DOCUMENT* doc, long devise);

// The first instant of the period after the one starting at when: the 1st of the next month, or
// the next day.
double graphPeriodEnd(const GRAPH& graph, double when);
// The span a row of the graph window's data stands for. Rows 0 and 1: everything before
// graph_date1 (start 0). Row r >= 2: point r - 2, its month from the 1st to the last day cut at
// graph_date2, or its day. False for a row outside the points.
bool graphPeriodAtRow(const GRAPHFILE& file, long row, double* start, double* end);
// graph_date1 and graph_date2 from the header's date mode (allDates: mode 0 takes the document's
// first and last transaction dates too), widened to whole months by forceMonth.
void adjustGraphDates(const DOCUMENT* doc, GRAPH& graph, bool allDates);
