#include "engines/GraphEngine.h"

#include "engines/CritereMatch.h"
#include "engines/SearchEngine.h"
#include "foundation/dates.h"
#include "model/AnalyseConfiguration.h"
#include "model/DOCUMENT.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace {

double monthStart(long month, long year)
{
    double date = 0;
    dmyToDate(1, month, year, &date); // a month past 12 carries into the next year
    return date;
}

// The first instant of the k-th period: graph_date1 itself, then the 1st of each later month or
// each later day.
double periodStart(const GRAPH& graph, long k)
{
    if (k == 0)
        return graph.graph_date1;
    long day = 0;
    long month = 0;
    long year = 0;
    dateToDMY(&day, &month, &year, graph.graph_date1);
    if (graph.timeKind == 1) {
        double date = 0;
        dmyToDate(day + k, month, year, &date);
        return date;
    }
    return monthStart(month + k, year);
}

// Periods are matched by calendar month (or day): one number per date, ordered as dmyBefore
// orders the triples, so a row is placed by one comparison.
long long periodKey(double when, bool byDay)
{
    Dmy d;
    dateToDMY(&d.day, &d.month, &d.year, when);
    return (static_cast<long long>(d.year) * 13 + d.month) * 32 + (byDay ? d.day : 0);
}

// Adds what a row moves in the followed entity to the period's debit and credit sums.
class PeriodSums {
public:
    PeriodSums(const GRAPH& graph, const Critere& critere, const DOCUMENT* doc)
        : m_graph(graph)
        , m_doc(doc)
        , m_matcher(critere, doc, &doc->deviseHdl)
    {
    }

    void clear()
    {
        debit = MONTANT();
        credit = MONTANT();
    }

    void add(const TRANSACT& t)
    {
        bool deb = false;
        bool cre = false;
        MONTANT part = t.solde;
        switch (m_graph.mode) {
        case kGraphModeCompte:
            t.checkDebitCreditCpt(m_graph.compteID, &deb, &cre);
            break;
        case kGraphModeBanque:
            t.checkDebitCreditBanque(m_graph.banqueID, &deb, &cre, m_doc);
            break;
        default:
            if (!m_matcher.transFitCritere(t, &part))
                return;
            t.checkDebitCreditUser(&deb, &cre, m_doc);
            break;
        }
        if (deb)
            MONTANT::addMontant(debit, part, debit);
        if (cre)
            MONTANT::addMontant(credit, part, credit);
    }

    MONTANT debit;
    MONTANT credit;

private:
    const GRAPH& m_graph;
    const DOCUMENT* m_doc;
    CritereMatcher m_matcher;
};

void raiseToAbsolute(MONTANT& max, const MONTANT& value)
{
    for (size_t slot = 0; slot < max.values.size(); ++slot)
        max.values[slot] = std::max(max.values[slot], std::fabs(value.values[slot]));
}

struct Row {
    const TRANSACT* transact = nullptr;
    long long key = 0; // of the calendar period the row falls in
};

// The listing's rows, forecast occurrences apart, each kind in listing order.
void splitRows(const LISTING* listing, const DOCUMENT* doc, bool byDay, std::vector<Row>& sweep,
               std::vector<Row>& previsions)
{
    const long count = listingCount(listing);
    sweep.reserve(count);
    for (long i = 0; i < count; ++i) {
        StorageKind kind = StorageKind::Transact;
        const TRANSACT* t = listingTransactAtIndex(listing, i, doc, &kind);
        if (!t)
            continue;
        (kind == StorageKind::Prevision ? previsions : sweep).push_back({t, periodKey(t->when, byDay)});
    }
}

// Adds the rows of the period from the cursor on and leaves the cursor on the first row after it.
// A row before the period belongs to none (it lies before the first one): it is passed so the
// sweep never sticks.
void addPeriodRows(const std::vector<Row>& rows, size_t& cursor, long long period, PeriodSums& sums)
{
    for (; cursor < rows.size() && rows[cursor].key <= period; ++cursor)
        if (rows[cursor].key == period)
            sums.add(*rows[cursor].transact);
}

void computePoints(GRAPHFILE& file, const LISTING* listing, PeriodSums& sums, const DOCUMENT* doc)
{
    GRAPH& g = file.header;
    const bool byDay = g.timeKind == 1;
    std::vector<Row> sweep;
    std::vector<Row> previsions;
    splitRows(listing, doc, byDay, sweep, previsions);
    // Forecast rows are matched to their period by date whatever their place in the listing;
    // sorted once by period, in listing order within one, they are added in the same order as
    // a scan of them all for each period would add them.
    std::stable_sort(previsions.begin(), previsions.end(), [](const Row& a, const Row& b) { return a.key < b.key; });
    MONTANT running = g.soldeInit;
    size_t cursor = 0;
    size_t previsionCursor = 0;
    for (long k = 0;; ++k) {
        const double d = periodStart(g, k);
        if (d > g.graph_date2)
            break;
        const long long period = periodKey(d, byDay);
        sums.clear();
        addPeriodRows(sweep, cursor, period, sums);
        addPeriodRows(previsions, previsionCursor, period, sums);
        DATAGRAPH point;
        point.when = d;
        MONTANT::subMontant(sums.credit, sums.debit, point.total);
        MONTANT::addMontant(running, point.total, point.solde);
        running = point.solde;
        raiseToAbsolute(g.maxTot, point.total);
        raiseToAbsolute(g.maxSol, point.solde);
        file.dataArray.append(point);
    }
}

} // namespace

GraphCriteres makeGraphCriteres(const GRAPHFILE& file, const DOCUMENT* doc)
{
    const GRAPH& g = file.header;
    GraphCriteres criteres;
    switch (g.mode) {
    case kGraphModePoste:
        criteres.critere = Critere::makePosteCritere(g.posteID, doc);
        break;
    case kGraphModeBanque:
    case kGraphModeCompte: {
        const bool isCompte = g.mode == kGraphModeCompte;
        criteres.critere = Critere::makeToolCritere(isCompte, isCompte ? g.compteID : g.banqueID, -1, doc);
        criteres.report = criteres.critere;
        criteres.report->setPeriodeInferieurACritere(g.graph_date1);
        break;
    }
    default:
        criteres.critere = Critere::makeDossierCritere(g.dossierID, doc);
        break;
    }
    return criteres;
}

long graphMonthCount(const GRAPH& graph)
{
    if (graph.graph_date2 < graph.graph_date1)
        return 0;
    if (!isDateWithinCalendarYears(graph.graph_date1) || !isDateWithinCalendarYears(graph.graph_date2))
        return std::numeric_limits<long>::max();
    return monthCountBetween(graph.graph_date1, graph.graph_date2);
}

bool graphSpanFits(const GRAPH& graph)
{
    return graphMonthCount(graph) <= kGraphMaxMonths;
}

bool computeGraph(GRAPHFILE& file, const DOCUMENT* doc, long devise)
{
    GRAPH& g = file.header;
    if (!graphSpanFits(g))
        return false;
    file.dataArray.clear();
    g.soldeInit = MONTANT();
    g.maxTot = MONTANT();
    g.maxSol = MONTANT();
    if (doc) {
        GraphCriteres criteres = makeGraphCriteres(file, doc);
        criteres.critere.setPeriodeCritere(g.graph_date1, g.graph_date2);
        SearchRequest request;
        request.critere = &criteres.critere;
        request.futurCritere = g.simul ? &criteres.critere : nullptr;
        request.totalCritere = criteres.report ? &*criteres.report : nullptr;
        request.net = &g.soldeInit;
        request.doEcheanciers = request.doPrevisions = g.simul;
        request.doc = doc;
        request.sort = ListingSort::Date1;
        request.devise = devise;
        const std::unique_ptr<LISTING> listing = searchWithCritere(request);
        PeriodSums sums(g, criteres.critere, doc);
        computePoints(file, listing.get(), sums, doc);
        g.makeDoc = doc->getDocLoadName();
    }
    g.makeDate = dateNow();
    return true;
}

bool recomputeGraph(GRAPHFILE& file, const DOCUMENT* doc, long devise)
{
    if (!graphSpanFits(file.header))
        return false;
    file.dataArray.clear();
    return computeGraph(file, doc, devise);
}

double graphPeriodEnd(const GRAPH& graph, double when)
{
    long day = 0;
    long month = 0;
    long year = 0;
    dateToDMY(&day, &month, &year, when);
    double end = 0;
    if (graph.timeKind == 1)
        dmyToDate(day + 1, month, year, &end);
    else
        end = monthStart(month + 1, year);
    return end;
}

bool graphPeriodAtRow(const GRAPHFILE& file, long row, double* start, double* end)
{
    const GRAPH& g = file.header;
    if (row == 0 || row == 1) {
        *start = 0;
        *end = g.graph_date1 - 1;
        return true;
    }
    const DATAGRAPH* point = graphFileDataAtIndex(row - 1, file);
    if (!point)
        return false;
    if (g.timeKind == 1) {
        *start = *end = point->when;
        return true;
    }
    *start = startOfDay(firstDayOfMonth(point->when));
    *end = std::min(lastDayOfMonth(point->when), g.graph_date2);
    return true;
}

void adjustGraphDates(const DOCUMENT* doc, GRAPH& graph, bool allDates)
{
    periodBoundsForKind(graph.modeDate, &graph.graph_date1, &graph.graph_date2, graph.forceMonth, allDates, doc);
}
