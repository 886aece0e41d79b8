#pragma once
// Creates, finds and names the forecasts of a document, keeps the name-sorted index the schedule
// window lists them by, and matches a real transaction to the forecast occurrence it counts
// against. One shared manager serves the whole run; the index itself belongs to the document
// (DOCUMENT::previsionIndex), built when it opens.
//
// Pointers answered into a document's forecast list live until that list changes.
#include "model/Prevision.h"

#include <functional>

class DOCUMENT;

// One forecast occurrence whose validity window holds the transaction being matched.
struct PrevisionCandidate {
    qsizetype index = -1; // position of the forecast in the document's list
    double date1 = 0; // the occurrence's date
    double date2 = 0; // the end of its validity
};

class PrevisionManager {
public:
    static PrevisionManager& sharedManager();

    // ---- Forecasts -----------------------------------------------------------------------------

    static void enumeratePrevisionsUsingBlock(DOCUMENT* doc, const std::function<void(Prevision&, qsizetype)>& block);
    // A random ident (newRandomIdent) that no forecast of the list has; -1 when every ident is taken.
    static long newPrevisionIDInArray(const PrevisionList& list);
    static long newPrevisionID(const DOCUMENT* doc);

    static bool getPrevisionInArray(PrevisionList& list, long ident, Prevision** prevision, qsizetype* index);
    static bool getPrevision(long ident, DOCUMENT* doc, Prevision** prevision, qsizetype* index);
    static Prevision* getPrevisionWithIdent(long ident, DOCUMENT* doc);
    // The name; a null string when there is no such forecast.
    static QString getPrevisionName(long ident, const DOCUMENT* doc);

    static void changePosteInPrevisions(long oldIdent, long newIdent, DOCUMENT* doc);
    static void addPrevision(const Prevision& prevision, PrevisionList* list);
    // A forecast owns nothing beyond itself.
    static void disposePrevision(Prevision&) { }

    // ---- The index: idents ordered by name (case counts) ---------------------------------------

    // Without a document there is no index: nothing is inserted, counted or found.
    void buildPrevisionIndex(DOCUMENT* doc);
    // Inserts the forecast's ident before the first indexed forecast whose name compares greater,
    // at the end when none does; answers the position (-1 without a document).
    qsizetype insertIndexedPrevision(const Prevision& prevision, DOCUMENT* doc);
    // Empty without a document.
    const QList<long>& thePrevisionIndex(const DOCUMENT* doc) const;
    void setThePrevisionIndex(const QList<long>& index, DOCUMENT* doc);
    // Every indexed forecast found in the document, in index order, with its index position.
    void enumerateIndexedPrevisionsUsingBlock(DOCUMENT* doc, const std::function<void(Prevision&, qsizetype)>& block);
    qsizetype nbIndexedPrevisions(const DOCUMENT* doc) const;
    // -1 when the position is out of range.
    long getIndexedPrevisionID(qsizetype position, const DOCUMENT* doc) const;
    // The document's forecast with the ident at that position; null when none.
    Prevision* getIndexedPrevision(qsizetype position, DOCUMENT* doc);
    bool findIndexedPrevisionWithIdent(long ident, qsizetype* position, const DOCUMENT* doc) const;
    // Adds the forecast to the document under that ident, replacing the document's forecast that
    // has it; a negative ident draws a new one. Answers the ident (-1, nothing added, when every
    // ident is taken) and the forecast's index position.
    long addIndexedPrevisionReference(Prevision prevision, DOCUMENT* doc, long ident, qsizetype* position);
    // Removes the forecast at that index position from the document and the position from the index.
    void removeIndexedPrevisionReference(qsizetype position, DOCUMENT* doc);

    // ---- Matching ------------------------------------------------------------------------------

    // The forecast of the document whose occurrence (walked up to maxDate) the transaction counts
    // against, with that occurrence's window in date1/date2 (both 0 when none); null when no
    // forecast of the transaction's category has a window holding its date. When several do, the
    // accounts decide (previsionDictionaryIsBestThan). date1 and date2 may be null.
    static const Prevision* findPrevisionMatchingTransact(const TRANSACT& trans, double maxDate, double* date1,
                                                          double* date2, const DOCUMENT* doc);
    // The candidate the rule below keeps in one pass, in order; none for an empty list.
    static std::optional<PrevisionCandidate>
    bestPrevisionDictionaryForTransact(const TRANSACT& trans, const QList<PrevisionCandidate>& candidates,
                                       const PrevisionList& list);
    // Whether the candidate replaces the best so far (null: none yet): a forecast whose accounts
    // both equal the transaction's beats one matching who1 alone, which beats one matching who2
    // alone; between equals the later wins, except when neither matches any account.
    static bool previsionDictionaryIsBestThan(const PrevisionCandidate& candidate, const PrevisionCandidate* best,
                                              const TRANSACT& trans, const PrevisionList& list);
    // The window of an occurrence on refDate: from the date to the rule's validity end.
    static void previsionInterval(const Prevision& prevision, double refDate, double* l1, double* l2);

private:
    PrevisionManager() = default;
};
