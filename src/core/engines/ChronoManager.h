#pragma once
// The due pass over scheduled transactions: the occurrences that have come due and are not
// written yet go, as AWAKE records, to the due-occurrences window, where the user chooses which
// to write. The pass itself never writes anything.
//
// A document archived by the closing of a financial year (echInactive above 0) shows an alert
// instead, counting echInactive down while it is 2 or more; at 1 its passes stay silent.
#include "engines/AWAKE.h"
#include "engines/ECHEANCIER.h"

#include <QString>

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
