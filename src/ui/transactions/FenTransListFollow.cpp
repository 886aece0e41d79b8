// How a transaction list follows the document: rebuilding its listing, the broadcast handlers,
// sorting, expanding split transactions, and keeping the selected transactions selected while
// their rows move.
#include "transactions/FenTransListController.h"

#include "toolkit/tables/CellTransact.h"
#include "transactions/FenListingMetadataController.h"

#include "toolkit/popups/PopTri.h"
#include "toolkit/popups/StdMenu.h"

#include "engines/SearchEngine.h"
#include "foundation/IDesktop.h"
#include "foundation/diagnostics.h"
#include "model/DOCUMENT.h"

#include <QItemSelectionModel>

#include <algorithm>
#include <set>
#include <tuple>
#include <unordered_map>
#include <vector>

namespace {

using KeyTuple = std::tuple<int, long, long>;

// A row's split line; -1 for a transaction's own row.
long lineOf(const POS& row)
{
    return row.multiState == MultiState::Line || row.multiState == MultiState::LineOut ? row.multiIndex : -1;
}

// The positions of a batch of deletions as they stood before the first, in increasing order: each
// position told counts the transactions deleted before it as gone, so it is the rank of its
// transaction among those still there. A tree of counts of the positions still there finds each
// rank in a logarithmic walk: a batch of the whole document costs no more than a pass over it,
// where shifting a sorted list of the positions found costs a pass for each deletion.
std::vector<long> positionsBeforeDeletions(const QVariantList& told)
{
    long size = 0;
    for (const QVariant& position : told)
        size = std::max(size, long(position.toLongLong()) + 1);
    size += long(told.size());
    // Fenwick tree over the original positions, one count each: node i holds the positions
    // (i - lowbit(i), i], 1-based.
    std::vector<long> still(size_t(size) + 1);
    for (long node = 1; node <= size; ++node)
        still[size_t(node)] = node & -node;
    long highest = 1;
    while (highest * 2 <= size)
        highest *= 2;
    std::vector<bool> gone(static_cast<size_t>(size), false);
    for (const QVariant& position : told) {
        long rank = long(position.toLongLong()) + 1; // among the positions still there
        long node = 0;
        for (long step = highest; step > 0; step /= 2) {
            if (node + step <= size && still[size_t(node + step)] < rank) {
                node += step;
                rank -= still[size_t(node)];
            }
        }
        if (rank < 1 || node >= size) // a position beyond the document: nothing there was deleted
            continue;
        gone[size_t(node)] = true;
        for (long i = node + 1; i <= size; i += i & -i)
            --still[size_t(i)];
    }
    std::vector<long> before;
    before.reserve(size_t(told.size()));
    for (long position = 0; position < size; ++position) {
        if (gone[size_t(position)])
            before.push_back(position);
    }
    return before;
}

// Where a transaction not deleted stands after the deletions; -1 for a deleted one.
long positionAfterDeletions(long position, const std::vector<long>& deleted)
{
    const auto below = std::lower_bound(deleted.begin(), deleted.end(), position);
    if (below != deleted.end() && *below == position)
        return -1;
    return position - long(below - deleted.begin());
}

} // namespace

// ---------------------------------------------------------------------------------------------
// The listing

void FenTransListController::recomputeListing(bool keepFirst)
{
    Q_UNUSED(keepFirst);
    const Critere* critere = listCrit();
    if (!m_listing || !m_listing->canCompute || !critere || !m_doc)
        return;
    SearchRequest request;
    request.critere = critere;
    request.futurCritere = critere;
    request.doEcheanciers = m_listing->doEcheanciers;
    request.doPrevisions = m_listing->doPrevisions;
    request.doc = m_doc;
    request.sort = m_listing->sort;
    request.defaultSort = m_listing->defaultSort;
    request.devise = devise();
    request.forSearch = m_listing->forSearch;
    std::unique_ptr<LISTING> fresh = searchWithCritere(request);
    disposeListing(m_listing);
    m_listing = std::move(fresh);
    computeCumuls();
}

void FenTransListController::replaceListing(std::unique_ptr<LISTING> listing, const Critere* critere)
{
    disposeListing(m_listing);
    m_listing = std::move(listing);
    if (m_listCrit && critere)
        m_listCrit->replaceWithCritere(*critere);
}

void FenTransListController::computeCumuls()
{
    MONTANT opening;
    GET_REPORT(opening);
    listingComputeCumuls(m_listing.get(), getArg().debitID, opening, m_doc);
}

// ---------------------------------------------------------------------------------------------
// Selection by transaction

// Only transaction rows are kept: an occurrence's storage index means another occurrence once
// the listing is rebuilt.
QList<FenTransListController::RowKey> FenTransListController::selectedRowKeys() const
{
    QList<RowKey> keys;
    const StdTableView* table = table1();
    if (!table)
        return keys;
    for (const int row : table->selectedRowIndexes()) {
        const POS* line = listingPosAtIndex(static_cast<const LISTING*>(m_listing.get()), row);
        if (line && line->storageType == StorageKind::Transact)
            keys.append({line->storageType, line->storageIndex, lineOf(*line)});
    }
    return keys;
}

// A split line no longer shown (its transaction collapsed by a rebuild) selects its transaction's
// first row instead.
void FenTransListController::selectRowKeys(const QList<RowKey>& keys)
{
    std::set<KeyTuple> wanted;
    for (const RowKey& key : keys)
        wanted.insert({int(key.type), key.storageIndex, key.multiIndex});
    IndexSet rows;
    std::set<KeyTuple> found;
    const long count = listingCount(m_listing.get());
    for (long row = 0; row < count && !wanted.empty(); ++row) {
        const POS* line = listingPosAtIndex(static_cast<const LISTING*>(m_listing.get()), row);
        const KeyTuple key {int(line->storageType), line->storageIndex, lineOf(*line)};
        if (wanted.count(key)) {
            rows.insert(int(row));
            found.insert(key);
        }
    }
    for (const KeyTuple& key : wanted) {
        long row = -1;
        if (!found.count(key)
            && listingFindPosition(std::get<1>(key), StorageKind(std::get<0>(key)), m_listing.get(), &row))
            rows.insert(int(row));
    }
    selectRows(rows, -1);
}

void FenTransListController::reloadKeeping(const QList<RowKey>& keys)
{
    StdTableView* table = table1();
    if (!table)
        return;
    table->reloadData();
    selectRowKeys(keys);
}

// Replaces the selection, which the arrows go on from; scrolls to the row given (none below 0).
void FenTransListController::selectRows(const IndexSet& rows, long scrollTo)
{
    StdTableView* table = table1();
    if (!table)
        return;
    const QItemSelection selection = table->rowSelection(rows);
    const int count = table->numberOfRows();
    if (selection.isEmpty())
        table->clearSelection();
    else
        table->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    table->followSelection(table->currentIndex().row());
    if (scrollTo >= 0 && scrollTo < count)
        table->smartScrollRowToVisible(int(scrollTo));
}

void FenTransListController::selectMarkedTransact()
{
    IndexSet rows;
    const long count = listingCount(m_listing.get());
    for (long row = 0; row < count; ++row) {
        const TRANSACT* shown = transactAtRow(row);
        if (shown && shown->mark)
            rows.insert(int(row));
    }
    selectRows(rows, rows.empty() ? -1 : *rows.rbegin());
}

// ---------------------------------------------------------------------------------------------
// Broadcasts

// Every new transaction rebuilds the listing; one the criterion accepts becomes the only
// selected row. The totals wait for the last of a batch.
void FenTransListController::MAKE_TRANSACT(const QVariant& position, const QVariant& isLast)
{
    willMakeTransact();
    makeTransactFollow(long(position.toLongLong()), selectedRowKeys());
    StdWindowWithTableController::MAKE_TRANSACT(position, isLast);
    didMakeTransact();
}

void FenTransListController::makeTransactFollow(long index, const QList<RowKey>& kept)
{
    recomputeListing(true);
    long line = -1;
    StdTableView* table = table1();
    if (table && listingFindPosition(index, StorageKind::Transact, m_listing.get(), &line)) {
        table->reloadData();
        table->GO(int(line));
        return;
    }
    reloadKeeping(kept);
}

// The deleted transaction's rows go (all of them, an expanded split transaction's lines too) and
// every later position moves down by one; the last of a batch rebuilds the listing.
void FenTransListController::DELETE_TRANSACT(const QVariant& position, const QVariant& isLast)
{
    willDeleteTransact();
    const long index = long(position.toLongLong());
    QList<RowKey> kept;
    for (RowKey key : selectedRowKeys()) {
        if (key.storageIndex == index)
            continue;
        if (key.storageIndex > index)
            --key.storageIndex;
        kept.append(key);
    }
    deleteTransactFollow(index, isLast.toBool());
    reloadKeeping(kept);
    StdWindowWithTableController::DELETE_TRANSACT(position, isLast);
    didDeleteTransact();
}

void FenTransListController::deleteTransactFollow(long index, bool isLast)
{
    long row = -1;
    if (listingFindPosition(index, StorageKind::Transact, m_listing.get(), &row))
        listingRemoveTransactLines(row, m_listing.get());
    listingShiftAfterDelete(index, m_listing.get());
    if (!isLast)
        return;
    computeCumuls();
    recomputeListing(false);
}

void FenTransListController::REPLACE_TRANSACT(const QVariant& position, const QVariant& keepSelection)
{
    willReplaceTransact();
    const QList<RowKey> kept = selectedRowKeys();
    recomputeListing(true);
    reloadKeeping(kept);
    StdWindowWithTableController::REPLACE_TRANSACT(position, keepSelection);
    replaceTransactFollow(long(position.toLongLong()));
    didReplaceTransact();
}

void FenTransListController::replaceTransactFollow(long index)
{
    long line = -1;
    if (StdTableView* table = table1();
        table && listingFindPosition(index, StorageKind::Transact, m_listing.get(), &line))
        table->GO(int(line));
}

void FenTransListController::didReplaceTransactAtIndexes(const QVariant& positions, const QVariant& keepSelection)
{
    const QVariantList told = positions.toList();
    if (told.isEmpty())
        return;
    willReplaceTransact();
    const QList<RowKey> kept = selectedRowKeys();
    recomputeListing(true);
    reloadKeeping(kept);
    StdWindowWithTableController::REPLACE_TRANSACT(told.last(), keepSelection);
    // One at a time, the list went to each replaced transaction it showed: it ends on the last.
    std::unordered_map<long, long> order;
    for (long i = 0; i < told.size(); ++i)
        order[long(told[i].toLongLong())] = i;
    long latest = -1;
    long position = -1;
    const long count = listingCount(m_listing.get());
    for (long row = 0; row < count; ++row) {
        const POS& line = *listingPosAtIndex(static_cast<const LISTING*>(m_listing.get()), row);
        const auto it = line.storageType == StorageKind::Transact ? order.find(line.storageIndex) : order.end();
        if (it != order.end() && it->second > latest) {
            latest = it->second;
            position = it->first;
        }
    }
    if (position >= 0)
        replaceTransactFollow(position);
    didReplaceTransact();
}

void FenTransListController::didDeleteTransactAtIndexes(const QVariant& positions, const QVariant&)
{
    const QVariantList told = positions.toList();
    if (told.isEmpty())
        return;
    willDeleteTransact();
    const std::vector<long> deleted = positionsBeforeDeletions(told);
    QList<RowKey> kept;
    for (RowKey key : selectedRowKeys()) {
        key.storageIndex = positionAfterDeletions(key.storageIndex, deleted);
        if (key.storageIndex >= 0)
            kept.append(key);
    }
    // The rows go as each deletion would have taken them, for a listing that can't be rebuilt.
    if (m_listing) {
        PosList rows;
        rows.reserve(m_listing->posList.size());
        for (POS row : std::as_const(m_listing->posList)) {
            if (row.storageType == StorageKind::Transact)
                row.storageIndex = positionAfterDeletions(row.storageIndex, deleted);
            if (row.storageIndex >= 0 || row.storageType != StorageKind::Transact)
                rows.append(row);
        }
        m_listing->posList = std::move(rows);
    }
    computeCumuls();
    recomputeListing(false);
    reloadKeeping(kept);
    StdWindowWithTableController::DELETE_TRANSACT(told.last(), QVariant(true));
    didDeleteTransact();
}

void FenTransListController::didPasteTransactAtIndexes(const QVariant& indexes, const QVariant&)
{
    IndexSet rows;
    for (const QVariant& index : indexes.toList()) {
        long line = -1;
        if (!listingFindPosition(long(index.toLongLong()), StorageKind::Transact, m_listing.get(), &line))
            continue;
        long first = line;
        long last = line;
        listingTransactLineRange(m_listing.get(), line, &first, &last);
        for (long row = first; row <= last; ++row)
            rows.insert(int(row));
    }
    if (!rows.empty())
        selectRows(rows, *rows.rbegin());
}

void FenTransListController::notifyHardDepointer(const QVariant&, const QVariant&)
{
    COMPUTE_TOTAUX();
    if (StdTableView* table = table1())
        table->SMART_RELOAD();
}

void FenTransListController::notifyNewDay(const QVariant&, const QVariant&)
{
    COMPUTE_TOTAUX();
    if (StdTableView* table = table1())
        table->SMART_RELOAD();
}

void FenTransListController::didTouchLockReleve(const QVariant&, const QVariant&)
{
    if (StdTableView* table = table1())
        table->SMART_RELOAD();
}

void FenTransListController::didChangeMarkImport(const QVariant&, const QVariant&)
{
    if (StdTableView* table = table1())
        table->SMART_RELOAD();
}

void FenTransListController::compteHasBeenEdited(const QVariant&, const QVariant&)
{
    if (StdTableView* table = table1())
        table->SMART_RELOAD();
}

void FenTransListController::didChangePoste(const QVariant&, const QVariant&)
{
    if (StdTableView* table = table1())
        table->SMART_RELOAD();
}

void FenTransListController::willDeleteCompte(const QVariant& compteID, const QVariant&)
{
    if (long(compteID.toLongLong()) == getArg().debitID)
        close();
}

// ---------------------------------------------------------------------------------------------
// Sorting, expanding, currency

void FenTransListController::SORT(QObject* sender)
{
    const qint64 tag = StdMenu::tagOf(sender);
    if (tag < qint64(ListingSort::Defaut) || tag > qint64(ListingSort::NoSort)) {
        svLog(QStringLiteral("unknown sort kind %1").arg(tag));
        return;
    }
    sortBy(ListingSort(tag));
}

// The selected transactions are marked before the rows move, and selected again by their marks.
void FenTransListController::sortBy(ListingSort sort)
{
    if (StdTableView* table = table1(); table && m_listing) {
        const IndexSet rows = table->selectedRowIndexes();
        TRANSACT::markAllTransact(false, m_doc);
        clearOccurrenceMarks();
        for (const int row : rows) {
            if (TRANSACT* shown = transactAtRow(row))
                shown->mark = true;
        }
        long posteID = -1;
        long dossierID = -1;
        criterePosteValue(&posteID, &dossierID);
        listingResort(m_listing.get(), sort, posteID, dossierID, m_doc);
        computeCumuls();
        table->reloadData();
        selectMarkedTransact();
    }
    if (m_popTri) {
        m_popTri->setSelectedTag(qint64(sort));
        m_popTri->SELECT_ITEM_WITH_TAG(qint64(sort));
    }
}

void FenTransListController::clearOccurrenceMarks()
{
    if (!m_listing)
        return;
    for (TransactList* copies : {&m_listing->storageEcheances, &m_listing->storagePrevisions}) {
        for (TRANSACT& occurrence : *copies)
            occurrence.mark = false;
    }
}

void FenTransListController::multiAction(QObject* sender)
{
    multiActionAtRow(CellTransact::rowTagOf(sender));
}

void FenTransListController::multiActionAtRow(long row)
{
    const std::optional<MultiState> state = listingMultiStateAtIndex(m_listing.get(), row);
    if (!state)
        return;
    long posteID = -1;
    long dossierID = -1;
    criterePosteValue(&posteID, &dossierID);
    switch (*state) {
    case MultiState::Collapsed:
    case MultiState::CollapsedFiltered:
        listingExpandMultiAtIndex(m_listing.get(), row, m_doc, posteID, dossierID);
        break;
    case MultiState::Head:
        listingCollapseMultiAtIndex(m_listing.get(), row, posteID, dossierID);
        break;
    case MultiState::None:
    case MultiState::Line:
    case MultiState::LineOut:
        break;
    }
    computeCumuls();
    if (StdTableView* table = table1()) {
        table->reloadData();
        table->GO(int(row));
    }
    adjustHeight(false);
}

void FenTransListController::PASTILLE(QObject* sender)
{
    if (!pastilleAtRow(CellTransact::rowTagOf(sender)))
        beep();
}

// The rows of one transaction share its details: they are read from the first of them.
bool FenTransListController::pastilleAtRow(long row)
{
    const LISTING* listing = m_listing.get();
    const POS* line = listingPosAtIndex(listing, row);
    if (!line)
        return false;
    while (row > 0) {
        const POS* previous = listingPosAtIndex(listing, row - 1);
        if (!previous || !previous->sameStorage(*line))
            break;
        line = previous;
        --row;
    }
    if (line->metadataArray.isEmpty())
        return false;
    openListingPaletteWithMetadataArray(line->metadataArray, line->submontant);
    return true;
}

void FenTransListController::openListingPaletteWithMetadataArray(const AnalyseMetadataList& items,
                                                                 const MONTANT& submontant)
{
    auto* palette = openPaletteWithMetadataArray<FenListingMetadataController>({});
    if (!palette || !m_doc)
        return;
    palette->setDocument(m_doc);
    palette->setStringReste(montantToStringForDevise(submontant, devise(), &m_doc->deviseHdl, true));
    palette->fillWithMetadataArray(items);
}

void FenTransListController::DEVISE(QObject* sender)
{
    pickers().DEVISE(sender);
    if (StdTableView* table = table1())
        table->SMART_RELOAD();
    COMPUTE_TOTAUX();
}
