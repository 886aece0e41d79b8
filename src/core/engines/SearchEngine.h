#pragma once
// The one search of the program. Every list window, the analyses, the rules, the chronological
// lists, the sync server and the import's duplicate test run a criterion through it and get a
// sorted listing: the document transactions the criterion passes and, on request, the future
// occurrences of the schedules and forecasts up to the criterion's horizon. For forecast rows it
// also works out how much of each forecast period real transactions have already used, and keeps
// what lies behind each figure in the row's metadata.
//
// The search holds no state between calls and changes neither the document nor the criteria.
// It shows no busy cursor: a window that wants one sets it around the call.
#include "engines/Critere.h"
#include "engines/LISTING.h"
#include "engines/PrevisionManager.h"

#include <QHash>
#include <QList>

#include <memory>
#include <vector>

class DOCUMENT;

struct SearchRequest {
    // Selects the document transactions; no criterion lists none.
    const Critere* critere = nullptr;
    // Selects schedule and forecast occurrences and gives their horizon; callers pass the first
    // criterion again, or none when no occurrences are wanted.
    const Critere* futurCritere = nullptr;
    // The transactions it passes are summed, each by its criterion total, into debits and credits.
    const Critere* totalCritere = nullptr;
    // Receives credits minus debits (zero without a totals criterion).
    MONTANT* net = nullptr;
    bool doEcheanciers = false;
    // Forecast occurrences and their realised amounts.
    bool doPrevisions = false;
    const DOCUMENT* doc = nullptr;
    ListingSort sort = ListingSort::Defaut;
    // What Defaut stands for: the application's default sort, which the caller reads.
    ListingSort defaultSort = ListingSort::Date2;
    // Handed on to the criterion tests, which judge equal amounts in the current slot anyway.
    long devise = 0;
    // Running balances of the criterion's account (the user's own accounts when it names none).
    bool doCumuls = false;
    // The listing serves the search window: forecast occurrences must then pass the whole
    // criterion, not only name its account.
    bool forSearch = false;
};

// A new listing owned by the caller; without a document or criterion it has no rows.
std::unique_ptr<LISTING> searchWithCritere(const SearchRequest& request);

// The date up to which a criterion's future occurrences are searched: its own date for the
// operators "same day", "before", "up to" and "period"; for any other, the date of the document's
// latest transaction (0 without transactions).
double searchHorizonForCritere(const Critere& futurCritere, const DOCUMENT* doc);

// Every forecast's validity windows up to a date, walked once, so that matching a transaction to
// the forecast occurrence it realises costs a lookup instead of a walk over every forecast's rule.
// Answers exactly as PrevisionManager::findPrevisionMatchingTransact over the same list and date.
// The list must outlive the index and not change while it is used.
class PrevisionWindowIndex {
public:
    PrevisionWindowIndex(const PrevisionList& list, double maxDate);

    // Whether some forecast with a rule budgets that category.
    bool concernsPoste(long posteID) const;
    // The forecast whose occurrence the transaction counts against, with that occurrence's window
    // (both 0 when none); null when none. date1 and date2 may be null.
    const Prevision* findPrevisionMatchingTransact(const TRANSACT& trans, double* date1, double* date2) const;

private:
    struct Window {
        double date1 = 0;
        double date2 = 0;
    };
    // The windows of one forecast in walk order.
    struct Forecast {
        qsizetype index = -1;
        long posteID = -1;
        std::vector<Window> windows;
        double longestWindow = 0; // in seconds; bounds the backward scan
        bool ordered = true; // windows by date1 ascending, as walks give them
    };

    void appendCandidates(const Forecast& forecast, double when, QList<PrevisionCandidate>& out) const;

    const PrevisionList& m_list;
    std::vector<Forecast> m_forecasts; // in list order
    QHash<long, QList<qsizetype>> m_byPoste; // category -> positions in m_forecasts, ascending
};

// The import's duplicate test for one transaction: the document already holds a transaction on
// the same calendar day, of the same amount within the cent tolerance in the current currency
// slot, whose import reason begins with this one's (case and accents ignored). An empty import
// reason is never a duplicate. This one walks the whole document: an import of many rows asks
// an ImportDuplicateIndex instead.
bool importTransactExists(const TRANSACT& trans, const DOCUMENT* doc);

// The same test for many rows: the document's transactions ordered by date once, then each
// question looks only at the transactions of its day. Transactions appended to the document
// after the index was made (the rows an import stores as it goes) are taken in at the next
// question; after any other change to the document's transactions, call rebuild.
class ImportDuplicateIndex {
public:
    explicit ImportDuplicateIndex(const DOCUMENT* doc);

    bool importTransactExists(const TRANSACT& trans);
    void rebuild();
    // Only the transactions the filter admits count as duplicates; all of them without one.
    void setFilter(std::function<bool(const TRANSACT&)> admit) { m_admit = std::move(admit); }

private:
    struct Entry {
        double when = 0;
        long index = 0;
        bool operator<(const Entry& other) const
        {
            return when < other.when || (when == other.when && index < other.index);
        }
    };

    void takeInAppended();

    const DOCUMENT* m_doc;
    std::function<bool(const TRANSACT&)> m_admit;
    std::vector<Entry> m_entries; // sorted
    std::vector<Entry> m_appended; // taken in since the last sort, in document order
    long m_indexed = 0; // transactions of the document taken in
};
