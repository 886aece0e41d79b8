#pragma once
// What the flat entity lists of a document have in common: value types with a long `ident`,
// addressed by position. Each entity class keeps its own names for these operations and answers
// them through the templates below, so that bounds and lookups behave alike in every list.
#include <QList>
#include <QString>

// The size of a list that may be absent.
template <typename T> long entityCount(const QList<T>* list)
{
    return list ? static_cast<long>(list->size()) : 0;
}

template <typename T> bool isEntityIndex(long index, const QList<T>& list)
{
    return index >= 0 && index < list.size();
}

// Null outside 0..count - 1; the entity is constant when the list is.
template <typename List> auto entityAtIndex(long index, List& list) -> decltype(&list[0])
{
    return isEntityIndex(index, list) ? &list[index] : nullptr;
}

// Whether an entity has that ident; *index (when given) takes the place of the first one, in list
// order, and is left as it was when there is none.
template <typename T> bool findEntityIndex(long ident, long* index, const QList<T>& list)
{
    for (long i = 0; i < list.size(); ++i) {
        if (list[i].ident == ident) {
            if (index)
                *index = i;
            return true;
        }
    }
    return false;
}

// The first entity with that ident, or null.
template <typename List> auto entityWithIdent(long ident, List& list) -> decltype(&list[0])
{
    long index = 0;
    return findEntityIndex(ident, &index, list) ? &list[index] : nullptr;
}

// The place before the first entity whose name (the member nameOf) is not smaller than the name,
// case ignored but accents counted; *exist (when given) tells whether the entity there has the
// same name, case ignored. Assumes the list is sorted that way.
template <typename T>
long caseInsensitivePosition(const QString& name, QString T::*nameOf, bool* exist, const QList<T>& list)
{
    long low = 0;
    long high = static_cast<long>(list.size());
    while (low < high) {
        const long middle = low + (high - low) / 2;
        if (QString::compare(list[middle].*nameOf, name, Qt::CaseInsensitive) < 0)
            low = middle + 1;
        else
            high = middle;
    }
    if (exist)
        *exist = low < list.size() && QString::compare(list[low].*nameOf, name, Qt::CaseInsensitive) == 0;
    return low;
}
