#include "POS.h"

#include "model/DOCUMENT.h"
#include "model/TRANSACT.h"

#include <algorithm>
#include <cmath>

namespace {

int sign(double d)
{
    return d < 0 ? -1 : (d > 0 ? 1 : 0);
}

template <typename T> int compareValues(const T& a, const T& b)
{
    return a < b ? -1 : (b < a ? 1 : 0);
}

int compareDate(const ListingRowKey& e, const ListingRowKey& n)
{
    return sign(e.seconds - n.seconds);
}

int compareMontant(const ListingRowKey& e, const ListingRowKey& n)
{
    const int byAmount = sign(e.cents - n.cents);
    return byAmount != 0 ? byAmount : compareDate(e, n);
}

// References first, then ascending, code unit by code unit; equal references are tied.
int compareReference(const ListingRowKey& e, const ListingRowKey& n)
{
    const bool eHas = !e.ref.isEmpty();
    const bool nHas = !n.ref.isEmpty();
    if (eHas != nHas)
        return eHas ? -1 : 1;
    if (!eHas)
        return compareDate(e, n);
    return sign(e.ref.compare(n.ref, Qt::CaseSensitive));
}

int compareMoyen(const ListingRowKey& e, const ListingRowKey& n)
{
    const int byFamily = compareValues(e.moyen, n.moyen);
    return byFamily != 0 ? byFamily : compareDate(e, n);
}

// A category the document no longer has sorts before every named one, as if its name were
// empty; among such rows the date decides. Letting "not found" win against either side, as
// an existing row and as the row being placed, would make the order depend on the order of
// insertion.
int comparePoste(const ListingRowKey& e, const ListingRowKey& n)
{
    if (e.split != n.split)
        return e.split ? -1 : 1;
    if (e.split)
        return compareDate(e, n);
    if ((e.posteName == nullptr) != (n.posteName == nullptr))
        return e.posteName == nullptr ? -1 : 1;
    if (e.posteName) {
        const int byName = sign(e.posteName->compare(*n.posteName, Qt::CaseSensitive));
        if (byName != 0)
            return byName;
    }
    return compareDate(e, n);
}

int compareSaisie(const ListingRowKey& e, const ListingRowKey& n, bool forecastsFirst)
{
    const int byType = compareValues(e.storageType, n.storageType);
    if (byType != 0)
        return forecastsFirst ? -byType : byType;
    return compareValues(e.storageIndex, n.storageIndex);
}

// One instance per kind, so the comparison inlines into the sort.
template <typename Compare> void stableSortKeys(std::vector<ListingRowKey>& keys, Compare compare)
{
    std::stable_sort(keys.begin(), keys.end(),
                     [compare](const ListingRowKey& a, const ListingRowKey& b) { return compare(a, b) < 0; });
}

} // namespace

ListingSort listingEffectiveSort(ListingSort sort, ListingSort defaultSort)
{
    return sort == ListingSort::Defaut ? defaultSort : sort;
}

PosteNameIndex::PosteNameIndex(const DOCUMENT* doc)
{
    if (!doc)
        return;
    m_names.reserve(doc->posteHdl.size());
    // The list's first category of an ident is the one every lookup finds.
    for (auto it = doc->posteHdl.crbegin(); it != doc->posteHdl.crend(); ++it)
        m_names.insert(it->ident, it->nom);
}

const QString* PosteNameIndex::name(long posteID) const
{
    const auto it = m_names.constFind(posteID);
    return it == m_names.cend() ? nullptr : &it.value();
}

ListingRowKey ListingRowKey::make(const TRANSACT* t, StorageKind storageType, long storageIndex,
                                  const PosteNameIndex& postes)
{
    ListingRowKey key;
    key.storageType = storageType;
    key.storageIndex = storageIndex;
    if (!t)
        return key;
    key.seconds = std::isfinite(t->when) ? std::floor(t->when) : 0.0;
    const double amount = t->solde.getValueForDevise(MONTANT::currentDeviseSlot());
    key.cents = std::isfinite(amount) ? std::round(amount * 100.0) : 0.0;
    key.ref = QStringView(t->ref);
    key.moyen = t->moyen;
    key.split = t->nbMultis() > 0;
    key.posteName = postes.name(t->posteID);
    return key;
}

int compareListingPositions(const ListingRowKey& existing, const ListingRowKey& placed, ListingSort kind)
{
    switch (kind) {
    case ListingSort::Date1:
        return compareDate(existing, placed);
    case ListingSort::Date2:
        return -compareDate(existing, placed);
    case ListingSort::Montant1:
        return compareMontant(existing, placed);
    case ListingSort::Montant2:
        return -compareMontant(existing, placed);
    case ListingSort::Reference:
        return compareReference(existing, placed);
    case ListingSort::Moyen:
        return compareMoyen(existing, placed);
    case ListingSort::Poste:
        return comparePoste(existing, placed);
    case ListingSort::Saisie1:
        return compareSaisie(existing, placed, true);
    case ListingSort::Saisie2:
        return compareSaisie(existing, placed, false);
    case ListingSort::Defaut:
    case ListingSort::NoSort:
        break;
    }
    return compareDate(existing, placed);
}

void sortListingKeys(std::vector<ListingRowKey>& keys, ListingSort kind)
{
    switch (kind) {
    case ListingSort::Date1:
        return stableSortKeys(keys, [](const auto& e, const auto& n) { return compareDate(e, n); });
    case ListingSort::Date2:
        return stableSortKeys(keys, [](const auto& e, const auto& n) { return -compareDate(e, n); });
    case ListingSort::Montant1:
        return stableSortKeys(keys, [](const auto& e, const auto& n) { return compareMontant(e, n); });
    case ListingSort::Montant2:
        return stableSortKeys(keys, [](const auto& e, const auto& n) { return -compareMontant(e, n); });
    case ListingSort::Reference:
        return stableSortKeys(keys, [](const auto& e, const auto& n) { return compareReference(e, n); });
    case ListingSort::Moyen:
        return stableSortKeys(keys, [](const auto& e, const auto& n) { return compareMoyen(e, n); });
    case ListingSort::Poste:
        return stableSortKeys(keys, [](const auto& e, const auto& n) { return comparePoste(e, n); });
    case ListingSort::Saisie1:
        return stableSortKeys(keys, [](const auto& e, const auto& n) { return compareSaisie(e, n, true); });
    case ListingSort::Saisie2:
        return stableSortKeys(keys, [](const auto& e, const auto& n) { return compareSaisie(e, n, false); });
    case ListingSort::Defaut:
    case ListingSort::NoSort:
        break;
    }
    stableSortKeys(keys, [](const auto& e, const auto& n) { return compareDate(e, n); });
}
