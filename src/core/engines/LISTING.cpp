#include "LISTING.h"

#include "foundation/HelperSVUtil.h"
#include "foundation/dates.h"
#include "model/DOCUMENT.h"
#include "model/POSTE.h"

#include <algorithm>
#include <type_traits>
#include <vector>

namespace {

bool validIndex(const LISTING* listing, long index)
{
    return listing && index >= 0 && index < listing->posList.size();
}

template <typename List> auto* itemAt(List& list, long index)
{
    return index >= 0 && index < list.size() ? &list[index] : nullptr;
}

template <typename Out, typename Value> void setOut(Out* out, Value value)
{
    if (out)
        *out = value;
}

MultiState collapsedState(long posteID, long dossierID)
{
    return posteID < 0 && dossierID < 0 ? MultiState::Collapsed : MultiState::CollapsedFiltered;
}

// Only the category order reads names.
const DOCUMENT* namesFrom(const DOCUMENT* doc, ListingSort kind)
{
    return kind == ListingSort::Poste ? doc : nullptr;
}

ListingRowKey rowKey(const LISTING& listing, long index, const DOCUMENT* doc, const PosteNameIndex& postes)
{
    const POS& row = listing.posList[index];
    return ListingRowKey::make(listingTransactAtIndex(&listing, index, doc), row.storageType, row.storageIndex, postes);
}

// Rows that move as one when a listing is ordered: a single row, or an expanded transaction's
// head with its lines.
struct RowRun {
    long first = 0;
    long count = 1;
};

// Orders the runs by the key of their first row, keeping the given order among ties, and lays
// the rows out again in that order. The keys themselves are sorted, not indices into them, so
// that the merges read memory in sequence.
void orderRuns(LISTING& listing, const std::vector<RowRun>& runs, ListingSort kind, const DOCUMENT* doc)
{
    const PosteNameIndex postes(namesFrom(doc, kind));
    std::vector<ListingRowKey> keys;
    keys.reserve(runs.size());
    for (size_t i = 0; i < runs.size(); ++i) {
        keys.push_back(rowKey(listing, runs[i].first, doc, postes));
        keys.back().tag = static_cast<long>(i);
    }
    sortListingKeys(keys, kind);
    // Where each row goes, then every cycle of that permutation walked in place: no second copy
    // of the rows is allocated.
    std::vector<long> target(static_cast<size_t>(listing.posList.size()));
    long next = 0;
    for (const ListingRowKey& key : keys) {
        const RowRun& run = runs[static_cast<size_t>(key.tag)];
        for (long k = 0; k < run.count; ++k)
            target[static_cast<size_t>(run.first + k)] = next++;
    }
    PosList& rows = listing.posList;
    for (size_t i = 0; i < target.size(); ++i) {
        while (target[i] != static_cast<long>(i)) {
            const size_t j = static_cast<size_t>(target[i]);
            std::swap(rows[static_cast<long>(i)], rows[static_cast<long>(j)]);
            std::swap(target[i], target[j]);
        }
    }
}

// Inserting rows one by one before the rows they tie with leaves every tie in the reverse of the
// insertion order, ahead of the rows already there: a stable sort of the new rows taken last to
// first, followed by the old ones, gives the very same order.
std::vector<RowRun> runsForPlacement(const LISTING& listing, long from)
{
    std::vector<RowRun> runs;
    const long count = listing.posList.size();
    runs.reserve(static_cast<size_t>(count));
    for (long i = count - 1; i >= from; --i)
        runs.push_back({i, 1});
    for (long i = 0; i < from;) {
        long end = i + 1;
        while (end < from && listing.posList[end].sameStorage(listing.posList[i]))
            ++end;
        runs.push_back({i, end - i});
        i = end;
    }
    return runs;
}

long sortedPlace(const LISTING& listing, const ListingRowKey& placed, ListingSort kind, const DOCUMENT* doc,
                 const PosteNameIndex& postes)
{
    const long count = listing.posList.size();
    if (kind == ListingSort::NoSort)
        return count;
    const long found = findInsertIndex(0, count - 1, [&](long index) {
        return compareListingPositions(rowKey(listing, index, doc, postes), placed, kind);
    });
    long first = found;
    long last = found;
    listingTransactLineRange(&listing, found, &first, &last);
    return first;
}

bool lineMatchesFilter(const MULTI& line, long posteID, long dossierID, const DOCUMENT* doc)
{
    if (posteID >= 0 && line.posteID != posteID)
        return false;
    if (dossierID >= 0 && doc) {
        const POSTE* poste = POSTE::posteWithIdent(line.posteID, *doc);
        if (poste && poste->dossierID != dossierID)
            return false;
    }
    return true;
}

POS lineRow(const POS& head, const TRANSACT& t, long line, long posteID, long dossierID, const DOCUMENT* doc)
{
    const MULTI& multi = t.multis[line];
    POS row;
    row.storageIndex = head.storageIndex;
    row.storageType = head.storageType;
    row.pchronoIndex = head.pchronoIndex;
    row.multiIndex = line;
    row.periodeDate1 = t.when;
    row.periodeDate2 = t.when;
    row.submontant = multi.montant;
    const bool counts = (posteID < 0 && dossierID < 0) || lineMatchesFilter(multi, posteID, dossierID, doc);
    row.multiState = counts ? MultiState::Line : MultiState::LineOut;
    return row;
}

// Applies counted amounts to a running amount by the sides of their transactions against one
// account, or against the user's own accounts for an ident below 0, whose kind is looked up once
// per account rather than twice per row: off when the transaction debits, on when it credits.
class SideApplier {
public:
    SideApplier(long compteID, const DOCUMENT* doc)
        : m_compteID(compteID)
        , m_doc(doc)
    {
    }

    void apply(const TRANSACT& t, const MONTANT& amount, MONTANT& running)
    {
        const bool deb = m_compteID >= 0 ? t.who1 == m_compteID : belongsToUser(t.who1);
        const bool cre = m_compteID >= 0 ? t.who2 == m_compteID : belongsToUser(t.who2);
        if (deb)
            MONTANT::subMontant(running, amount, running);
        if (cre)
            MONTANT::addMontant(running, amount, running);
    }

private:
    long m_compteID;
    const DOCUMENT* m_doc;
    QHash<long, bool> m_user;

    bool belongsToUser(long compteID)
    {
        auto it = m_user.constFind(compteID);
        if (it == m_user.cend())
            it = m_user.insert(compteID, TOOL::compteIDBelongToUser(compteID, m_doc));
        return it.value();
    }
};

template <typename Listing> auto* occurrenceAt(Listing* listing, long storageIndex, bool echeance)
{
    using Transact = std::conditional_t<std::is_const_v<Listing>, const TRANSACT, TRANSACT>;
    if (!listing)
        return static_cast<Transact*>(nullptr);
    return static_cast<Transact*>(
        itemAt(echeance ? listing->storageEcheances : listing->storagePrevisions, storageIndex));
}

template <typename Listing, typename Document>
auto* transactOfRow(Listing* listing, long index, Document* doc, StorageKind* type)
{
    using Transact = std::conditional_t<std::is_const_v<Listing>, const TRANSACT, TRANSACT>;
    if (!validIndex(listing, index))
        return static_cast<Transact*>(nullptr);
    const POS& row = listing->posList[index];
    setOut(type, row.storageType);
    switch (row.storageType) {
    case StorageKind::Transact:
        return static_cast<Transact*>(TRANSACT::transactAtIndexInDocument(row.storageIndex, doc));
    case StorageKind::Echeancier:
        return occurrenceAt(listing, row.storageIndex, true);
    case StorageKind::Prevision:
        return occurrenceAt(listing, row.storageIndex, false);
    }
    return static_cast<Transact*>(nullptr);
}

long appendOccurrence(const TRANSACT& transact, LISTING* listing, bool echeance)
{
    if (!listing)
        return -1;
    TransactList& list = echeance ? listing->storageEcheances : listing->storagePrevisions;
    list.append(transact.copyOfTransact());
    return list.size() - 1;
}

} // namespace

LISTING LISTING::copyOfListing() const
{
    LISTING copy(sort);
    copy.defaultSort = defaultSort;
    copy.storageEcheances = storageEcheances;
    copy.storagePrevisions = storagePrevisions;
    copy.posList = posList;
    return copy;
}

// ---- Making and reading ----------------------------------------------------------------------------

std::unique_ptr<LISTING> newListing(ListingSort sort)
{
    return std::make_unique<LISTING>(sort);
}

void disposeListing(std::unique_ptr<LISTING>& listing)
{
    listing.reset();
}

long listingCount(const LISTING* listing)
{
    return listing ? listing->posList.size() : 0;
}

ListingSort listingSortKind(const LISTING* listing)
{
    return listing ? listing->sort : ListingSort::Defaut;
}

POS* listingPosAtIndex(LISTING* listing, long index)
{
    return validIndex(listing, index) ? &listing->posList[index] : nullptr;
}

const POS* listingPosAtIndex(const LISTING* listing, long index)
{
    return validIndex(listing, index) ? &listing->posList[index] : nullptr;
}

long listingStorageIndexAtIndex(const LISTING* listing, long index, StorageKind* type)
{
    const POS* row = listingPosAtIndex(listing, index);
    setOut(type, row ? row->storageType : StorageKind::Transact);
    return row ? row->storageIndex : -1;
}

TRANSACT* listingTransactAtIndex(LISTING* listing, long index, DOCUMENT* doc, StorageKind* type)
{
    return transactOfRow(listing, index, doc, type);
}

const TRANSACT* listingTransactAtIndex(const LISTING* listing, long index, const DOCUMENT* doc, StorageKind* type)
{
    return transactOfRow(listing, index, doc, type);
}

std::optional<TRANSACT> listingTransactCopyAtIndex(const LISTING* listing, long index, const DOCUMENT* doc)
{
    const TRANSACT* t = listingTransactAtIndex(listing, index, doc);
    if (!t)
        return std::nullopt;
    return t->copyOfTransact();
}

TRANSACT* listingEcheanceOccurrenceAtIndex(LISTING* listing, long storageIndex)
{
    return occurrenceAt(listing, storageIndex, true);
}

const TRANSACT* listingEcheanceOccurrenceAtIndex(const LISTING* listing, long storageIndex)
{
    return occurrenceAt(listing, storageIndex, true);
}

TRANSACT* listingPrevisionOccurrenceAtIndex(LISTING* listing, long storageIndex)
{
    return occurrenceAt(listing, storageIndex, false);
}

const TRANSACT* listingPrevisionOccurrenceAtIndex(const LISTING* listing, long storageIndex)
{
    return occurrenceAt(listing, storageIndex, false);
}

long listingAddEcheanceOccurrence(const TRANSACT& transact, LISTING* listing)
{
    return appendOccurrence(transact, listing, true);
}

long listingAddPrevisionOccurrence(const TRANSACT& transact, LISTING* listing)
{
    return appendOccurrence(transact, listing, false);
}

std::optional<MultiState> listingMultiStateAtIndex(const LISTING* listing, long index)
{
    const POS* row = listingPosAtIndex(listing, index);
    return row ? std::optional(row->multiState) : std::nullopt;
}

void listingCumulAtIndex(const LISTING* listing, long index, MONTANT& amount)
{
    if (const POS* row = listingPosAtIndex(listing, index))
        amount = row->cumul;
}

bool listingMarkAtIndex(const LISTING* listing, long index)
{
    const POS* row = listingPosAtIndex(listing, index);
    return row && row->mark;
}

void listingSetMarkAtIndex(LISTING* listing, long index, bool flag)
{
    if (POS* row = listingPosAtIndex(listing, index))
        row->mark = flag;
}

void enumerateListingPositions(LISTING* listing, const std::function<void(POS&, long, bool&)>& block)
{
    if (!listing)
        return;
    bool stop = false;
    for (long i = 0; i < listing->posList.size() && !stop; ++i)
        block(listing->posList[i], i, stop);
}

bool listingFindPosition(long storageIndex, StorageKind storageType, const LISTING* listing, long* index)
{
    setOut(index, -1L);
    if (!listing)
        return false;
    for (long i = 0; i < listing->posList.size(); ++i) {
        const POS& row = listing->posList[i];
        if (row.storageIndex == storageIndex && row.storageType == storageType) {
            setOut(index, i);
            return true;
        }
    }
    return false;
}

void listingTransactLineRange(const LISTING* listing, long index, long* first, long* last)
{
    long low = index;
    long high = index;
    if (validIndex(listing, index)) {
        const PosList& rows = listing->posList;
        while (low > 0 && rows[low - 1].sameStorage(rows[index]))
            --low;
        while (high + 1 < rows.size() && rows[high + 1].sameStorage(rows[index]))
            ++high;
    }
    setOut(first, low);
    setOut(last, high);
}

ListingLine listingLineMontant(const LISTING* listing, long index, const TRANSACT* transact)
{
    ListingLine line;
    const POS* row = listingPosAtIndex(listing, index);
    if (!row)
        return line;
    line.amount = row->multiState == MultiState::None && transact ? transact->solde : row->submontant;
    switch (row->multiState) {
    case MultiState::None:
    case MultiState::Collapsed:
    case MultiState::CollapsedFiltered:
        line.counts = true;
        line.isTransactionRow = true;
        break;
    case MultiState::Head:
        line.isTransactionRow = true;
        line.isExpandedHead = true;
        break;
    case MultiState::Line:
        line.counts = true;
        line.multiIndex = row->multiIndex;
        break;
    case MultiState::LineOut:
        line.multiIndex = row->multiIndex;
        break;
    }
    return line;
}

// ---- Changing rows ---------------------------------------------------------------------------------

void newListingPos(LISTING* listing, long index, POS row)
{
    if (!listing)
        return;
    row.mark = false;
    row.cumul = MONTANT();
    listing->posList.insert(std::clamp(index, 0L, long(listing->posList.size())), std::move(row));
}

long listingInsertPositionSorted(const ListingInsert& insert, LISTING* listing, const DOCUMENT* doc)
{
    if (!listing)
        return -1;
    const TRANSACT* transact = insert.transact;
    POS row;
    row.storageIndex = insert.storageIndex;
    row.storageType = insert.storageType;
    row.multiState
        = transact && transact->nbMultis() > 0 ? collapsedState(insert.posteID, insert.dossierID) : MultiState::None;
    row.multiIndex = -1;
    row.pchronoIndex = insert.pchronoIndex;
    if (insert.metadata)
        row.metadataArray = AnalyseMetadata::copyOfMetadataArray(*insert.metadata);
    row.submontant = insert.amount ? *insert.amount : (transact ? transact->solde : MONTANT());
    row.periodeDate1 = insert.date1;
    row.periodeDate2 = insert.date2;
    long place = listing->posList.size();
    if (listing->bulkFrom < 0) {
        const ListingSort kind = listingEffectiveSort(listing->sort, listing->defaultSort);
        const PosteNameIndex postes(namesFrom(doc, kind));
        const ListingRowKey placed = ListingRowKey::make(transact, insert.storageType, insert.storageIndex, postes);
        place = sortedPlace(*listing, placed, kind, doc, postes);
    }
    newListingPos(listing, place, std::move(row));
    return place;
}

void listingBeginBulkInsert(LISTING* listing)
{
    if (listing && listing->bulkFrom < 0)
        listing->bulkFrom = listing->posList.size();
}

void listingEndBulkInsert(LISTING* listing, const DOCUMENT* doc)
{
    if (!listing || listing->bulkFrom < 0)
        return;
    const long from = std::min(listing->bulkFrom, long(listing->posList.size()));
    listing->bulkFrom = -1;
    const ListingSort kind = listingEffectiveSort(listing->sort, listing->defaultSort);
    if (kind == ListingSort::NoSort || from == listing->posList.size())
        return;
    orderRuns(*listing, runsForPlacement(*listing, from), kind, doc);
}

void listingRemovePosAtIndex(LISTING* listing, long index)
{
    if (validIndex(listing, index))
        listing->posList.removeAt(index);
}

void listingRemoveTransactLines(long index, LISTING* listing)
{
    if (!validIndex(listing, index))
        return;
    long first = index;
    long last = index;
    listingTransactLineRange(listing, index, &first, &last);
    listing->posList.remove(first, last - first + 1);
}

void listingShiftAfterDelete(long deletedIndex, LISTING* listing)
{
    if (!listing)
        return;
    for (POS& row : listing->posList) {
        if (row.storageType == StorageKind::Transact && row.storageIndex >= deletedIndex)
            --row.storageIndex;
    }
}

// ---- Split lines -----------------------------------------------------------------------------------

void listingExpandMultiAtIndex(LISTING* listing, long index, const DOCUMENT* doc, long posteID, long dossierID)
{
    POS* head = listingPosAtIndex(listing, index);
    if (!head || (head->multiState != MultiState::Collapsed && head->multiState != MultiState::CollapsedFiltered))
        return;
    const TRANSACT* t = listingTransactAtIndex(listing, index, doc);
    if (!t || t->nbMultis() == 0)
        return;
    head->multiState = MultiState::Head;
    // Each line goes directly below the head in turn, so the last line ends up first.
    PosList lines;
    lines.reserve(t->nbMultis());
    for (long line = t->nbMultis() - 1; line >= 0; --line)
        lines.append(lineRow(*head, *t, line, posteID, dossierID, doc));
    PosList& rows = listing->posList;
    rows.insert(index + 1, lines.size(), POS());
    std::move(lines.begin(), lines.end(), rows.begin() + index + 1);
}

void listingCollapseMultiAtIndex(LISTING* listing, long index, long posteID, long dossierID)
{
    POS* head = listingPosAtIndex(listing, index);
    if (!head || head->multiState != MultiState::Head)
        return;
    head->multiState = collapsedState(posteID, dossierID);
    const PosList& rows = listing->posList;
    long end = index + 1;
    while (end < rows.size() && rows[end].sameStorage(rows[index]))
        ++end;
    listing->posList.remove(index + 1, end - index - 1);
}

void listingExpandAllMultis(LISTING* listing, long posteID, long dossierID, const DOCUMENT* doc)
{
    // From the bottom up, so rows added below a head never shift the rows still to visit.
    for (long i = listingCount(listing) - 1; i >= 0; --i)
        listingExpandMultiAtIndex(listing, i, doc, posteID, dossierID);
}

void listingCollapseAllMultis(LISTING* listing, long posteID, long dossierID)
{
    for (long i = listingCount(listing) - 1; i >= 0; --i)
        listingCollapseMultiAtIndex(listing, i, posteID, dossierID);
}

void listingResort(LISTING* listing, ListingSort sort, long posteID, long dossierID, const DOCUMENT* doc)
{
    if (!listing)
        return;
    listingCollapseAllMultis(listing, posteID, dossierID);
    listing->sort = sort;
    listing->bulkFrom = -1;
    for (POS& row : listing->posList) {
        row.mark = false;
        row.multiIndex = -1;
        row.cumul = MONTANT();
    }
    const ListingSort kind = listingEffectiveSort(sort, listing->defaultSort);
    if (kind == ListingSort::NoSort)
        return;
    // Every row is placed again in its previous order, as new rows of an empty listing.
    orderRuns(*listing, runsForPlacement(*listing, 0), kind, doc);
}

// ---- Balances and periods --------------------------------------------------------------------------

void listingComputeCumuls(LISTING* listing, long compteID, const MONTANT& opening, const DOCUMENT* doc)
{
    if (!listing)
        return;
    const long count = listing->posList.size();
    const bool upwards = listingEffectiveSort(listing->sort, listing->defaultSort) == ListingSort::Date2;
    SideApplier sides(compteID, doc);
    MONTANT running = opening;
    for (long k = 0; k < count; ++k) {
        const long i = upwards ? count - 1 - k : k;
        const TRANSACT* t = listingTransactAtIndex(listing, i, doc);
        if (!t)
            continue;
        if (const ListingLine line = listingLineMontant(listing, i, t); line.counts)
            sides.apply(*t, line.amount, running);
        listing->posList[i].cumul = running;
    }
}

void listingSoldeForCompte(const LISTING* listing, long compteID, MONTANT& amount, const DOCUMENT* doc)
{
    amount = MONTANT();
    SideApplier sides(compteID, doc);
    for (long i = 0; i < listingCount(listing); ++i) {
        // An expanded head still stands for its whole row: expanding must not change the net.
        const TRANSACT* t = listingTransactAtIndex(listing, i, doc);
        if (!t)
            continue;
        if (const ListingLine line = listingLineMontant(listing, i, t); line.isTransactionRow)
            sides.apply(*t, line.amount, amount);
    }
}
