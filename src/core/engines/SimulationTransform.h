#pragma once
// Turning a computed loan simulation into the document's own records: a loan, a monthly schedule
// that carries every instalment, the instalments already due offered for writing, the capital
// contribution and the transactions that keep the user's balances where they were.
#include "engines/Simulation.h"

#include <QString>

class DOCUMENT;
class QObject;
class TRANSACT;

enum class SimulTransformResult {
    Done,
    Abandoned, // the user abandoned the due pass
    Failed, // no document, no row, or the schedule could not be stored
};

// The template transaction gives the accounts, the date of the first instalment, the category and
// the currency. All or nothing: whenever it does not answer Done the document is as it was before
// (loan, schedule and anything written from that schedule removed again). parentWindow carries
// the due-occurrences window.
SimulTransformResult makeSimulData(const SIMULrec& rec, const TRANSACT& templ, const QString& name, DOCUMENT* doc,
                                   QObject* parentWindow);

// The date of the k-th instalment (k from 1): k - 1 months after the first, on the same day held to
// the month's end and at the same time of day, so that 31 January gives 28 February then 31 March.
double simulInstalmentDate(double first, long k);
