#pragma once
// The due pass over scheduled transactions: the occurrences that have come due and are not
// written yet go, as AWAKE records, to the due-occurrences window, where the user chooses which
// to write. The pass itself never writes anything.
//
// A document archived by the closing of a financial year (echInactive above 0) shows an alert
// instead, counting echInactive down while it is 2 or more; at 1 its passes stay silent.
//
// ChronoManager keeps the rows of the schedule window (folder and category headers with the
// schedules and forecasts filed under them) and the window's filter, and proposes budget
// forecasts from the spending of the past months.
#include "engines/AWAKE.h"
#include "engines/CHRONOLIST.h"
#include "model/ECHEANCIER.h"
#include "model/MONTANT.h"
#include "model/Prevision.h"

#include <QList>
#include <QString>

#include <optional>
#include <variant>

class DOCUMENT;
class QObject;

// Appends the due occurrences of the schedule: those of its rule up to today plus its advance
// days (midnight of that day) that are not written, then its custom occurrences up to the same
// horizon that are not done, renewals included. Renewal markers are never listed.
void collectAwakeForEcheancier(const ECHEANCIER& echeancier, AwakeList& list);

// The pass for one schedule, or for every schedule of the document when none is given. False
// when nothing is due. Otherwise true, after either the closed-year alert (on the parent window)
// or the due-occurrences window with the information text; *cancelled (may be null) is cleared
// first and set when that window closed with result 0.
bool collectAwakeOccurrences(QObject* parentWindow, DOCUMENT* doc, const ECHEANCIER* echeancier,
                             const QString& information, bool* cancelled);

// Start of the renewal period that holds the occurrence of the schedule nearest to the
// transaction's planned date (compared by day), occurrences being looked at up to maxDate: an
// exact day ends the search; custom occurrences are looked at only when no regular one matched
// exactly. The rule's first date when no occurrence is found.
double echeancierOccurrenceDateForTransact(const ECHEANCIER& echeancier, const TRANSACT& transact, double maxDate);

// ---- The schedule window's list -----------------------------------------------------------------

// What ChronoManager needs of the window's table; the schedule window implements it.
class IChronoTable {
public:
    virtual ~IChronoTable() = default;
    // -1 when no row is selected.
    virtual long selectedRow() const = 0;
    virtual void reloadData() = 0;
    // Selects exactly that row and shows it; a row outside the table deselects everything.
    virtual void GO(long row) = 0;
};

// A budget proposal. Completing: a category no schedule or forecast uses yet, with first set.
// Updating: a monthly forecast whose amount no longer matches the spending, with prevision set.
struct BudgetProposal {
    long posteID = -1;
    MONTANT montant; // balance of the category over the months looked at
    MONTANT montantprevision; // proposed amount per occurrence
    double first = 0; // first day of the current month (completing only)
    long nb = 0; // transactions over the months looked at
    std::optional<Prevision> prevision; // a copy of the forecast to update (updating only)
};
using BudgetProposalList = QList<BudgetProposal>;

// What a schedule or forecast row is made from; headers have none.
using ChronoReference = std::variant<std::monostate, const ECHEANCIER*, const Prevision*>;

class ChronoManager {
public:
    // Filter bits.
    static constexpr int kFilterReelActif = 1; // unfinished schedules
    static constexpr int kFilterReelEchu = 2; // finished schedules
    static constexpr int kFilterPrevisionActif = 16;
    static constexpr int kFilterPrevisionEchu = 32;
    static constexpr int kFilterPostes = 256; // headers without rows are kept
    static constexpr int kFilterAll = 307; // every row, without testing
    static constexpr int kFilterNone = 0; // no schedule or forecast
    // Menu tags of the filter pop-up beyond the bits themselves.
    static constexpr int kTagReelAll = 12288;
    static constexpr int kTagReelToggle = 16384;
    static constexpr int kTagPrevisionAll = 20528;
    static constexpr int kTagPrevisionToggle = 24576;

    static ChronoManager& sharedManager();

    // The window opens on the document: the filter comes from the document's parameters (all
    // without any), the table and the document are kept and a new list is built.
    void hello(IChronoTable* table, DOCUMENT* doc);
    // The window closes: the list, the table and the document are forgotten.
    void goodbye();
    // Builds the list from the window's document with the current filter. Without a list (no
    // window open) nothing is built.
    void BUILD_LIST();
    // Builds again and selects the schedule or forecast that was selected, or no row when it is
    // gone or a header or nothing was selected.
    void REBUILD_LIST();
    void builChronoList(int filter, DOCUMENT* doc);

    // Null outside the rows. The pointer lives until the list changes.
    const CHRONOLIST* chronolistAtIndex(long index) const;
    long numberOfRows() const;
    // The schedule and forecast rows.
    long numberOfChronos() const;
    // The first row of that kind and ident; *idx (may be null) -1 when none.
    bool findChronoList(CHRONOLIST::Kind kind, long ident, long* idx) const;

    // Headers are always added; a schedule or forecast row only when the filter lets it through.
    bool appendNewReferenceToChronoList(CHRONOLIST::Kind kind, long ident, int filter,
                                        const ChronoReference& reference);
    void removeLastReference();

    // A choice in the filter pop-up: the filter changes, the list is rebuilt and the filter is
    // kept in the window's document's parameters.
    void didChooseFilter(int tag);
    void updateCurrentFilter(int tag);
    // Toggles the bits when any of them is set, else sets them.
    void swapFilter(int bits);

    // The balance of the category's real transactions from N months ago to now, as the user's own
    // accounts see them (credits added, debits taken off); answers the number of transactions.
    long computeSoldeForPosteID(long posteID, MONTANT& solde, long nbMonth, const DOCUMENT* doc) const;
    // Categories no schedule or forecast uses, with their monthly mean over N months.
    BudgetProposalList buildCompleterBudgetArray(long nbMonth, DOCUMENT* doc) const;
    // Open-ended monthly forecasts whose amount differs by 10 % or more from the spending of the
    // last N months, brought to a period of the forecast.
    BudgetProposalList buildActualiserBudgetArray(long nbMonth, const DOCUMENT* doc) const;

    IChronoTable* table() const { return m_table; }
    void setTable(IChronoTable* table) { m_table = table; }
    int filter() const { return m_filter; }
    void setFilter(int filter) { m_filter = filter; }
    bool parityReel() const { return m_parityReel; }
    void setParityReel(bool parity) { m_parityReel = parity; }
    bool parityPrevision() const { return m_parityPrevision; }
    void setParityPrevision(bool parity) { m_parityPrevision = parity; }
    // The kind of the last schedule or forecast row; none before the first.
    std::optional<CHRONOLIST::Kind> lastType() const { return m_lastType; }
    void setLastType(std::optional<CHRONOLIST::Kind> type) { m_lastType = type; }

private:
    struct Groups;

    ChronoManager() = default;
    static Groups groupChronos(DOCUMENT* doc);
    void appendPosteRows(long posteID, int filter, const Groups& groups);
    void dropEmptyHeader(qsizetype headerIndex, int filter);
    bool filterAccepts(int filter, bool finished, int activeBit, int finishedBit) const;
    bool nextParity(CHRONOLIST::Kind kind);
    bool acceptsChrono(CHRONOLIST::Kind kind, int filter, const ChronoReference& reference) const;

    QList<CHRONOLIST> m_chronoList;
    // Between hello and goodbye: the rows exist only while a schedules window shows them.
    bool m_listBuilt = false;
    IChronoTable* m_table = nullptr; // not owned
    DOCUMENT* m_doc = nullptr; // the window's document, not owned
    int m_filter = kFilterAll;
    bool m_parityReel = true;
    bool m_parityPrevision = true;
    std::optional<CHRONOLIST::Kind> m_lastType;
};
