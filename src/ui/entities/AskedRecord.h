#pragma once
// The records a question asks about, taken as it is asked. A question leaves the other windows
// usable, so by its answer records may have been added, changed, deleted or moved, and the window's
// rows with them: the answer finds each record again as it was taken, never by its row. A record
// with an ident is found by its ident; where the record has value equality it must also still equal
// what was asked about, so a record changed meanwhile is left alone.
#include "model/MACRO.h"

#include <QHash>
#include <QList>

#include <concepts>

template <class T> bool isAskedRecord(const T& asked, const T& now)
{
    constexpr bool hasIdent = requires
    {
        asked.ident;
    };
    static_assert(hasIdent || std::equality_comparable<T>, "a record is known by its ident or by its value");
    if constexpr (hasIdent) {
        if (asked.ident != now.ident)
            return false;
    }
    if constexpr (std::equality_comparable<T>)
        return asked == now;
    return true;
}

// A macro has no ident: its name, unique with case ignored, and its key stand for it.
inline bool isAskedRecord(const MACRO& asked, const MACRO& now)
{
    return asked.nom == now.nom && asked.ch == now.ch;
}

// Where the record asked about is in the list now; -1 when it is gone or has changed.
template <class T> qsizetype askedRecordIndex(const QList<T>& list, const T& asked)
{
    for (qsizetype i = 0; i < list.size(); ++i) {
        if (isAskedRecord(asked, list.at(i)))
            return i;
    }
    return -1;
}

// Removes, in one pass, each of the records asked about (known by value) that the list still holds
// as it was; records added or changed meanwhile stay. Answers how many went.
template <class T> qsizetype removeAskedRecords(QList<T>& list, const QList<T>& asked)
{
    QHash<T, int> left;
    for (const T& record : asked)
        ++left[record];
    return list.removeIf([&left](const T& record) {
        const auto found = left.find(record);
        if (found == left.end() || *found == 0)
            return false;
        --*found;
        return true;
    });
}
