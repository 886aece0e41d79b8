#include "engines/SearchEngine.h"

#include "engines/CritereMatch.h"
#include "engines/PlanificatorWalk.h"
#include "foundation/dates.h"
#include "model/DOCUMENT.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <iterator>
#include <map>
#include <optional>

namespace {

// ---- Document transactions -----------------------------------------------------------------------

// The sides a transaction counts on in the totals: those of the totals criterion's debit account,
// else of its debit bank, else of the user's own accounts.
void totalSides(const Critere& totals, const TRANSACT& t, const DOCUMENT* doc, bool* deb, bool* cre)
{
    if (totals.compteIDDebit >= 0)
        t.checkDebitCredit(totals.compteIDDebit, deb, cre, doc);
    else if (totals.banqueIDDebit >= 0)
        t.checkDebitCreditB(totals.banqueIDDebit, deb, cre, doc);
    else
        t.checkDebitCredit(-1, deb, cre, doc);
}

void gatherTransacts(const SearchRequest& r, LISTING& listing, MONTANT& debit, MONTANT& credit)
{
    const DOCUMENT* doc = r.doc;
    const CritereMatcher matcher(*r.critere, doc, &doc->deviseHdl);
    std::optional<CritereMatcher> totals;
    if (r.totalCritere)
        totals.emplace(*r.totalCritere, doc, &doc->deviseHdl);
    long posteID = -1;
    long dossierID = -1;
    r.critere->getCriterePosteValue(&posteID, &dossierID);
    const TransactList& list = doc->transact_array;
    MONTANT amount;
    for (long i = 0; i < list.size(); ++i) {
        const TRANSACT& t = list.at(i);
        if (matcher.transFitCritere(t, &amount))
            listingInsertPositionSorted({.transact = &t,
                                         .storageIndex = i,
                                         .posteID = posteID,
                                         .dossierID = dossierID,
                                         .amount = &amount,
                                         .date1 = t.when,
                                         .date2 = t.when},
                                        &listing, doc);
        if (!totals || !totals->transFitCritere(t, &amount))
            continue;
        bool deb = false;
        bool cre = false;
        totalSides(*r.totalCritere, t, doc, &deb, &cre);
        if (deb)
            MONTANT::addMontant(debit, amount, debit);
        if (cre)
            MONTANT::addMontant(credit, amount, credit);
    }
}

// ---- Schedule occurrences ----------------------------------------------------------------------

class EcheanceGatherer {
public:
    EcheanceGatherer(const SearchRequest& r, LISTING& listing)
        : m_request(r)
        , m_listing(listing)
        , m_matcher(*r.futurCritere, r.doc, &r.doc->deviseHdl)
    {
        r.futurCritere->getCriterePosteValue(&m_posteID, &m_dossierID);
    }

    void gather(const ECHEANCIER& echeancier, double horizon)
    {
        PlanificatorWalk walk(echeancier.planificator);
        const PlanificatorWalk::ChronoBlock regular = [&](bool written, bool reconduction, double date, double) {
            if (!written && !reconduction)
                add(echeancierOccurrenceAtDate(echeancier, date), -1);
        };
        while (walk.chronoLoop(horizon, regular)) { }
        walk.startChronoLoopPerso();
        walk.chronoLoopPerso(
            PlanificatorWalk::persoDatesOf(echeancier), horizon, [&](qsizetype index, double date, bool done, double) {
                if (done)
                    return;
                TRANSACT occurrence = echeancierPersoOccurrence(echeancier, echeancier.perso.at(index));
                occurrence.when = date;
                occurrence.planifiedDate = date;
                add(occurrence, index);
            });
    }

private:
    void add(const TRANSACT& occurrence, long pchronoIndex)
    {
        MONTANT amount;
        if (!m_matcher.transFitCritere(occurrence, &amount))
            return;
        const long stored = listingAddEcheanceOccurrence(occurrence, &m_listing);
        listingInsertPositionSorted({.transact = listingEcheanceOccurrenceAtIndex(&m_listing, stored),
                                     .storageIndex = stored,
                                     .storageType = StorageKind::Echeancier,
                                     .posteID = m_posteID,
                                     .dossierID = m_dossierID,
                                     .pchronoIndex = pchronoIndex,
                                     .amount = &amount,
                                     .date1 = occurrence.when,
                                     .date2 = occurrence.when},
                                    &m_listing, m_request.doc);
    }

    const SearchRequest& m_request;
    LISTING& m_listing;
    const CritereMatcher m_matcher;
    long m_posteID = -1;
    long m_dossierID = -1;
};

// ---- Forecast occurrences ----------------------------------------------------------------------

// A period whose last day is before today has nothing left to show; one ending today still does,
// whatever the hour its rule ends it at.
void gatherPrevisions(const SearchRequest& r, double horizon, LISTING& listing)
{
    const CritereMatcher matcher(*r.futurCritere, r.doc, &r.doc->deviseHdl);
    long posteID = -1;
    long dossierID = -1;
    r.futurCritere->getCriterePosteValue(&posteID, &dossierID);
    const long compteID = r.critere->getCritereCompte();
    const double today = startOfDay(dateNow());
    for (const Prevision& prevision : r.doc->previsionsArray) {
        if (!prevision.planificator)
            continue;
        const TRANSACT& model = prevision.transact;
        if (compteID >= 0 && model.who1 != compteID && model.who2 != compteID)
            continue;
        const PlanificatorWalk::ChronoBlock block = [&](bool, bool reconduction, double date, double) {
            double first = 0;
            double last = 0;
            PrevisionManager::previsionInterval(prevision, date, &first, &last);
            if (reconduction || last < today)
                return;
            const TRANSACT occurrence = prevision.previsionToTrans(date);
            MONTANT amount;
            if (r.forSearch && !matcher.transFitCritere(occurrence, &amount))
                return;
            const long stored = listingAddPrevisionOccurrence(occurrence, &listing);
            listingInsertPositionSorted({.transact = listingPrevisionOccurrenceAtIndex(&listing, stored),
                                         .storageIndex = stored,
                                         .storageType = StorageKind::Prevision,
                                         .posteID = posteID,
                                         .dossierID = dossierID,
                                         .amount = &amount,
                                         .date1 = first,
                                         .date2 = last},
                                        &listing, r.doc);
        };
        PlanificatorWalk walk(*prevision.planificator);
        while (walk.chronoLoop(horizon, block)) { }
    }
}

// ---- Realised amounts of forecasts ---------------------------------------------------------------

// The first forecast row of each (forecast ident, period's first day), in listing order.
using ForecastRows = std::map<std::pair<long, double>, long>;

ForecastRows forecastRows(LISTING& listing)
{
    ForecastRows rows;
    for (long i = 0; i < listing.posList.size(); ++i) {
        const POS& row = listing.posList.at(i);
        if (row.storageType != StorageKind::Prevision)
            continue;
        if (const TRANSACT* occurrence = listingPrevisionOccurrenceAtIndex(&listing, row.storageIndex))
            rows.emplace(std::make_pair(occurrence->previsionID, row.periodeDate1), i);
    }
    return rows;
}

// What the document's transactions have realised of each forecast period listed: each row's
// occurrence copy keeps the amount still expected, and the row's metadata the planned figure and
// every transaction counted against it.
class RealisedAmounts {
public:
    RealisedAmounts(LISTING& listing, const DOCUMENT& doc, long compteID, ForecastRows rows, double lastDate)
        : m_listing(listing)
        , m_doc(doc)
        , m_compteID(compteID)
        , m_rows(std::move(rows))
        , m_windows(doc.previsionsArray, lastDate)
    {
    }

    // A transaction written by a schedule is the schedule's, not a forecast's. Split lines count
    // one by one, each under its own category.
    void matchPrevisionsForTransact(const TRANSACT& t, long index)
    {
        if (t.chronoID >= 0)
            return;
        if (t.multis.isEmpty()) {
            if (m_windows.concernsPoste(t.posteID))
                matchOne(t, index);
            return;
        }
        for (const MULTI& line : t.multis) {
            if (!m_windows.concernsPoste(line.posteID))
                continue;
            TRANSACT part = t;
            part.multis.clear();
            part.posteID = line.posteID;
            part.solde = line.montant;
            matchOne(part, index);
        }
    }

private:
    void matchOne(const TRANSACT& m, long index);
    void addPlannedItem(POS& row, const Prevision& prevision, qsizetype previsionIndex, double firstDay) const;
    void countRealised(POS& row, TRANSACT& occurrence, bool rattrapable, const TRANSACT& m, long index) const;

    LISTING& m_listing;
    const DOCUMENT& m_doc;
    long m_compteID;
    ForecastRows m_rows;
    PrevisionWindowIndex m_windows;
};

void RealisedAmounts::matchOne(const TRANSACT& m, long index)
{
    double firstDay = 0;
    const Prevision* found = m_windows.findPrevisionMatchingTransact(m, &firstDay, nullptr);
    if (!found)
        return;
    const auto rowIt = m_rows.find({found->ident, firstDay});
    if (rowIt == m_rows.end())
        return;
    POS& row = m_listing.posList[rowIt->second];
    TRANSACT* occurrence = listingPrevisionOccurrenceAtIndex(&m_listing, row.storageIndex);
    qsizetype previsionIndex = -1;
    const Prevision* prevision = findPrevisionWithIdentInArray(found->ident, &previsionIndex, m_doc.previsionsArray);
    if (!occurrence || !prevision)
        return;
    addPlannedItem(row, *prevision, previsionIndex, firstDay);
    countRealised(row, *occurrence, prevision->rattrapable, m, index);
}

// The occurrence copy keeps what is still expected: a transaction going the occurrence's way uses
// some of it up, one going the other way gives some back.
void RealisedAmounts::countRealised(POS& row, TRANSACT& occurrence, bool rattrapable, const TRANSACT& m,
                                    long index) const
{
    bool d1 = false;
    bool c1 = false;
    m.checkDebitCredit(-1, &d1, &c1, &m_doc);
    // A transfer between the user's own accounts is judged from them; anything else from the
    // account the listing is about.
    bool d2 = false;
    bool c2 = false;
    occurrence.checkDebitCredit(d1 && c1 ? -1 : m_compteID, &d2, &c2, &m_doc);
    if (d1 == d2 && c1 == c2)
        MONTANT::subMontant(occurrence.solde, m.solde, occurrence.solde);
    else
        MONTANT::addMontant(occurrence.solde, m.solde, occurrence.solde);
    if (occurrence.solde.negativeMontant() && !rattrapable)
        occurrence.solde = MONTANT();
    row.submontant = occurrence.solde;
    AnalyseMetadata item;
    item.storageType = StorageKind::Transact;
    item.storageIndex = index;
    item.associatedDate = m.when;
    item.associatedPrevisionIdent = occurrence.previsionID;
    item.budgetFirstDate = occurrence.when;
    if (d1)
        item.montantReelDebit = m.solde;
    if (c1)
        item.montantReelCredit = m.solde;
    row.metadataArray.append(item);
}

void RealisedAmounts::addPlannedItem(POS& row, const Prevision& prevision, qsizetype previsionIndex,
                                     double firstDay) const
{
    const bool planned = std::any_of(row.metadataArray.cbegin(), row.metadataArray.cend(), [&](const auto& item) {
        return !item.chapeau && item.storageType == StorageKind::Prevision && item.storageIndex == previsionIndex;
    });
    if (planned)
        return;
    AnalyseMetadata item;
    item.storageType = StorageKind::Prevision;
    item.storageIndex = previsionIndex;
    item.budgetFirstDate = firstDay;
    item.associatedDate = firstDay;
    item.associatedPrevisionIdent = prevision.ident;
    bool deb = false;
    bool cre = false;
    prevision.transact.checkDebitCredit(m_compteID, &deb, &cre, &m_doc);
    if (deb)
        item.montantPrevuDebit = prevision.transact.solde;
    if (cre)
        item.montantPrevuCredit = prevision.transact.solde;
    row.metadataArray.append(item);
}

// Periods are matched with every forecast occurrence up to the latest transaction, whatever
// the criterion's own horizon: a transaction realises its period even when the listing stops
// earlier.
void computeRealisedAmounts(LISTING& listing, const DOCUMENT& doc, long compteID)
{
    ForecastRows rows = forecastRows(listing);
    if (rows.empty())
        return;
    double lastDate = 0;
    TRANSACT::getTransactExtremeDates(&doc, nullptr, &lastDate);
    RealisedAmounts realised(listing, doc, compteID, std::move(rows), lastDate);
    const TransactList& list = doc.transact_array;
    for (long i = 0; i < list.size(); ++i)
        realised.matchPrevisionsForTransact(list.at(i), i);
}

// ---- The import's duplicate test ---------------------------------------------------------------

Critere duplicateCritere(const TRANSACT& trans, const DOCUMENT* doc)
{
    Critere critere(doc, false);
    critere.setDateCritere(trans.when);
    critere.setMontantCritere(trans.solde);
    critere.setWhyImportCritere(trans.whyImport);
    return critere;
}

// Entries are merged into the sorted ones once this many are waiting.
constexpr size_t kMaxAppendedEntries = 1024;

} // namespace

// ---- The search ----------------------------------------------------------------------------------

std::unique_ptr<LISTING> searchWithCritere(const SearchRequest& r)
{
    auto listing = newListing(r.sort);
    listing->defaultSort = r.defaultSort;
    listing->doEcheanciers = r.doEcheanciers;
    listing->doPrevisions = r.doPrevisions;
    listing->forSearch = r.forSearch;
    MONTANT debit;
    MONTANT credit;
    const bool searchable = r.doc && r.critere;
    if (searchable) {
        listingBeginBulkInsert(listing.get());
        gatherTransacts(r, *listing, debit, credit);
        const bool futur = r.futurCritere != nullptr;
        const double horizon = futur ? searchHorizonForCritere(*r.futurCritere, r.doc) : 0;
        if (futur && r.doEcheanciers) {
            EcheanceGatherer gatherer(r, *listing);
            for (const ECHEANCIER& echeancier : r.doc->echeancierHdl)
                gatherer.gather(echeancier, horizon);
        }
        if (futur && r.doPrevisions)
            gatherPrevisions(r, horizon, *listing);
        // The realised amounts find their rows by position: the rows must be in place first.
        listingEndBulkInsert(listing.get(), r.doc);
        if (futur && r.doPrevisions)
            computeRealisedAmounts(*listing, *r.doc, r.critere->getCritereCompte());
    }
    if (r.net)
        MONTANT::subMontant(credit, debit, *r.net);
    if (searchable && r.doCumuls)
        listingComputeCumuls(listing.get(), r.critere->getCritereCompte(), MONTANT(), r.doc);
    return listing;
}

double searchHorizonForCritere(const Critere& futurCritere, const DOCUMENT* doc)
{
    double horizon = 0;
    futurCritere.critereCanFutur(&horizon, doc);
    return horizon;
}

// ---- Forecast windows --------------------------------------------------------------------------

PrevisionWindowIndex::PrevisionWindowIndex(const PrevisionList& list, double maxDate)
    : m_list(list)
{
    for (qsizetype i = 0; i < list.size(); ++i) {
        const Prevision& prevision = list.at(i);
        if (!prevision.planificator)
            continue;
        const Planificator& rule = *prevision.planificator;
        Forecast forecast;
        forecast.index = i;
        forecast.posteID = prevision.transact.posteID;
        const PlanificatorWalk::ChronoBlock look = [&](bool, bool reconduction, double date, double) {
            if (reconduction)
                return;
            const Window window {date, rule.computeValideToDate(date)};
            if (!forecast.windows.empty() && !(forecast.windows.back().date1 <= window.date1))
                forecast.ordered = false;
            forecast.longestWindow = std::max(forecast.longestWindow, window.date2 - window.date1);
            forecast.windows.push_back(window);
        };
        PlanificatorWalk walk(rule);
        while (walk.chronoLoop(maxDate, look)) { }
        if (forecast.windows.empty())
            continue;
        m_byPoste[forecast.posteID].append(static_cast<qsizetype>(m_forecasts.size()));
        m_forecasts.push_back(std::move(forecast));
    }
}

bool PrevisionWindowIndex::concernsPoste(long posteID) const
{
    return m_byPoste.contains(posteID);
}

void PrevisionWindowIndex::appendCandidates(const Forecast& forecast, double when, QList<PrevisionCandidate>& out) const
{
    const auto add = [&](const Window& w) {
        if (w.date1 <= when && when <= w.date2)
            out.append({forecast.index, w.date1, w.date2});
    };
    const std::vector<Window>& windows = forecast.windows;
    if (!forecast.ordered) {
        std::for_each(windows.cbegin(), windows.cend(), add);
        return;
    }
    // Windows opening after the date can't hold it; of the others, only those opening less than
    // the longest window before it can still be open (a second of slack for rounding).
    const auto end = std::upper_bound(windows.cbegin(), windows.cend(), when,
                                      [](double value, const Window& w) { return value < w.date1; });
    const double earliest = when - forecast.longestWindow - 1.0;
    auto first = end;
    while (first != windows.cbegin() && std::prev(first)->date1 >= earliest)
        --first;
    std::for_each(first, end, add);
}

const Prevision* PrevisionWindowIndex::findPrevisionMatchingTransact(const TRANSACT& trans, double* date1,
                                                                     double* date2) const
{
    if (date1)
        *date1 = 0;
    if (date2)
        *date2 = 0;
    QList<PrevisionCandidate> candidates;
    if (trans.multis.isEmpty()) {
        const auto it = m_byPoste.constFind(trans.posteID);
        if (it == m_byPoste.cend())
            return nullptr;
        for (const qsizetype position : *it)
            appendCandidates(m_forecasts[static_cast<size_t>(position)], trans.when, candidates);
    } else {
        for (const Forecast& forecast : m_forecasts) {
            if (trans.transactUsesPosteID(forecast.posteID, nullptr))
                appendCandidates(forecast, trans.when, candidates);
        }
    }
    const std::optional<PrevisionCandidate> best
        = PrevisionManager::bestPrevisionDictionaryForTransact(trans, candidates, m_list);
    if (!best)
        return nullptr;
    if (date1)
        *date1 = best->date1;
    if (date2)
        *date2 = best->date2;
    return &m_list.at(best->index);
}

// ---- The import's duplicate test ---------------------------------------------------------------

bool importTransactExists(const TRANSACT& trans, const DOCUMENT* doc)
{
    // The criterion would select nothing anyway; no need to walk the document for that.
    if (!doc || trans.whyImport.isEmpty())
        return false;
    const Critere critere = duplicateCritere(trans, doc);
    const std::unique_ptr<LISTING> listing = searchWithCritere(
        {.critere = &critere, .futurCritere = &critere, .doc = doc, .devise = MONTANT::currentDeviseSlot()});
    return listingCount(listing.get()) > 0;
}

ImportDuplicateIndex::ImportDuplicateIndex(const DOCUMENT* doc)
    : m_doc(doc)
{
    rebuild();
}

void ImportDuplicateIndex::rebuild()
{
    m_entries.clear();
    m_appended.clear();
    m_indexed = 0;
    takeInAppended();
}

// A transaction without a finite date is on no day: it is left out, which also keeps the order
// of the entries a strict one. Appended entries are scanned as they are until there are enough
// of them to be worth merging into the sorted ones.
void ImportDuplicateIndex::takeInAppended()
{
    const long count = m_doc ? m_doc->transact_array.size() : 0;
    if (count < m_indexed) {
        rebuild();
        return;
    }
    for (long i = m_indexed; i < count; ++i) {
        const double when = m_doc->transact_array.at(i).when;
        if (std::isfinite(when))
            m_appended.push_back({when, i});
    }
    m_indexed = count;
    if (m_appended.size() < kMaxAppendedEntries && m_appended.size() <= m_entries.size())
        return;
    const auto middle = static_cast<std::ptrdiff_t>(m_entries.size());
    std::sort(m_appended.begin(), m_appended.end());
    m_entries.insert(m_entries.end(), m_appended.cbegin(), m_appended.cend());
    m_appended.clear();
    std::inplace_merge(m_entries.begin(), m_entries.begin() + middle, m_entries.end());
}

bool ImportDuplicateIndex::importTransactExists(const TRANSACT& trans)
{
    if (!m_doc || trans.whyImport.isEmpty())
        return false;
    takeInAppended();
    const Critere critere = duplicateCritere(trans, m_doc);
    const CritereMatcher matcher(critere, m_doc, &m_doc->deviseHdl);
    const auto admits
        = [&](const TRANSACT& t) { return (!m_admit || m_admit(t)) && matcher.transFitCritere(t, nullptr); };
    const auto fits = [&](const Entry& entry) {
        const TRANSACT* t = TRANSACT::transactAtIndexInDocument(entry.index, m_doc);
        return t && admits(*t);
    };
    const Critere::Prepared& day = critere.prepared();
    if (day.nextDayStart == 0 && m_admit)
        return std::any_of(m_doc->transact_array.cbegin(), m_doc->transact_array.cend(), admits);
    if (day.nextDayStart == 0)
        return ::importTransactExists(trans, m_doc);
    const auto from = std::lower_bound(m_entries.cbegin(), m_entries.cend(), Entry {day.dayStart, LONG_MIN});
    const auto to = std::lower_bound(from, m_entries.cend(), Entry {day.nextDayStart, LONG_MIN});
    return std::any_of(from, to, fits) || std::any_of(m_appended.cbegin(), m_appended.cend(), fits);
}
