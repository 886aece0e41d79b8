#pragma once
// One due occurrence of a schedule, as the due-occurrences window lists it: the transaction to
// write, what the user chose to do with it, and which occurrence of the schedule it is.
#include "model/TRANSACT.h"

#include <QList>
#include <QString>

class DOCUMENT;

// What the window sets in status; any other value skips the occurrence.
inline constexpr long kAwakeWrite = 0;
inline constexpr long kAwakeWriteCancelled = 2;

class AWAKE {
public:
    TRANSACT transact; // the record's own copy
    long status = kAwakeWrite;
    long pChronoIndex = -1; // -1 for an occurrence of the rule, else the custom occurrence's index

    AWAKE() = default;
    // Keeps a copy of the transaction (mark cleared).
    explicit AWAKE(const TRANSACT& trans)
        : transact(trans.copyOfTransact())
    {
    }

    // Texts of the window. The schedule's name, empty when the occurrence names none.
    QString awakeEcheancierName(const DOCUMENT* doc) const;
    // Short date, no time.
    QString awakeDateString() const;
    // The amount in the occurrence's own currency, without its unit.
    QString awakeSoldeString(const DOCUMENT* doc) const;
    QString awakeDeviseUnit(const DOCUMENT* doc) const;
};
using AwakeList = QList<AWAKE>;

// Writes the occurrence into the document: as it is for status 0, cancelled for status 2 (false
// for any other status), with the note as reason when one is given; then counts it as written in
// its schedule (a custom occurrence is marked done). The schedule and the custom occurrence are
// looked up first: an occurrence whose custom occurrence is gone is not written (false), so a
// failure never leaves behind a transaction that the next pass would propose again. notify is set
// for the last occurrence of a batch only: makeTransact then tells the windows once.
bool writeAwakeOccurrence(const AWAKE& awake, DOCUMENT* doc, bool notify, const QString& note);
