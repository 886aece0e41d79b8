#pragma once
// One row of a listing: a document transaction or an occurrence copy held by the listing, with
// the row's own amount, its running balance and, for forecast rows, what lies behind the figure.
// Also the order of rows: the sort kinds and the comparison of a row with the one being placed.
#include "engines/AnalyseMetadata.h"
#include "model/MONTANT.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringView>
#include <vector>

class DOCUMENT;
class TRANSACT;

// Split-line state of a row.
enum class MultiState : long {
    None = 0, // no split lines
    Collapsed = 1, // split, collapsed, listed without category or folder filter
    CollapsedFiltered = 2, // split, collapsed, amount = the matching lines
    Head = 3, // head of an expanded split transaction; its lines count instead
    Line = 4, // a split line that counts
    LineOut = 5, // a split line outside the filter; never counts
};

class POS {
public:
    long storageIndex = 0;
    StorageKind storageType = StorageKind::Transact;
    bool mark = false; // set by callers, e.g. the rules on the rows they change
    MultiState multiState = MultiState::None;
    long multiIndex = 0; // the split line of a line row; -1 for other rows made by a listing
    long pchronoIndex = 0; // the schedule's custom occurrence behind a schedule row; -1 for none
    double periodeDate1 = 0; // the span the row stands for: a date twice, or a forecast period
    double periodeDate2 = 0;
    MONTANT submontant;
    MONTANT cumul; // running balance after this row
    AnalyseMetadataList metadataArray; // empty: nothing recorded behind the row

    POS copyOfPos() const { return *this; }
    // Head and line rows of an expanded transaction share these two.
    bool sameStorage(const POS& other) const
    {
        return storageIndex == other.storageIndex && storageType == other.storageType;
    }
};
Q_DECLARE_TYPEINFO(POS, Q_RELOCATABLE_TYPE);
using PosList = QList<POS>;

// The sort kinds of a listing, as stored in windows and settings.
enum class ListingSort : int {
    Defaut = 0, // the application's default sort, as the listing was given it (LISTING::defaultSort)
    Date1 = 1, // date ascending
    Date2 = 2, // date descending
    Montant1 = 3, // amount ascending, then date ascending
    Montant2 = 4, // amount descending, then date descending
    Reference = 5, // references ascending, rows without one after
    Moyen = 6, // payment family, then date ascending
    Poste = 7, // split transactions first, then category name, then date ascending
    Saisie1 = 8, // forecast rows, schedule rows, transactions; then storage index
    Saisie2 = 9, // transactions, schedule rows, forecast rows; then storage index
    NoSort = 10, // insertion order
};

// Defaut replaced by the default sort; the kind a row is placed with.
ListingSort listingEffectiveSort(ListingSort sort, ListingSort defaultSort);

// Category names by ident, read once for a whole sort.
class PosteNameIndex {
public:
    explicit PosteNameIndex(const DOCUMENT* doc);
    // Null for a category the document doesn't have.
    const QString* name(long posteID) const;

private:
    QHash<long, QString> m_names;
};

// What the order of a row depends on, taken from its transaction once so that a sort does not
// look the transaction and its category up at every comparison. Dates count in whole seconds and
// amounts in cents of the current currency slot: two times less than a second apart, or two
// amounts within the cent tolerance, fall to the next key, and the order stays a strict weak
// ordering that a stable sort can rely on. The texts are views: a key lives no longer than the
// transaction and the category index it was made from.
struct ListingRowKey {
    double seconds = 0;
    double cents = 0;
    QStringView ref;
    const QString* posteName = nullptr; // null: category not found
    int moyen = 0;
    bool split = false;
    StorageKind storageType = StorageKind::Transact;
    long storageIndex = 0;
    long tag = 0; // free for the sort that made the key

    // A missing transaction orders as an empty one.
    static ListingRowKey make(const TRANSACT* t, StorageKind storageType, long storageIndex,
                              const PosteNameIndex& postes);
};

// Negative when the existing row sorts before the one being placed, positive when after, 0 when
// the kind leaves them tied (the one being placed then goes first). Defaut, NoSort and kinds
// outside 0..10 order by date ascending.
int compareListingPositions(const ListingRowKey& existing, const ListingRowKey& placed, ListingSort kind);
// Sorts keys into the order of the kind, keeping their given order among ties.
void sortListingKeys(std::vector<ListingRowKey>& keys, ListingSort kind);
