#pragma once
// A custom occurrence of a schedule: one transaction the user placed by hand, with its own date
// and amount, and whether it has been written into the document already.
#include "model/TRANSACT.h"

#include <QList>

class ECHEANCIER;

class PECHEANCIER {
public:
    TRANSACT transact;
    bool done = false;

    PECHEANCIER() = default;
    // Keeps a copy of the transaction (mark cleared).
    PECHEANCIER(const TRANSACT& trans, bool isDone);

    PECHEANCIER copyOfPerso() const;
    // Copies of every custom occurrence, in order.
    static QList<PECHEANCIER> copyOfPersoArray(const QList<PECHEANCIER>& list);
};
using PEcheancierList = QList<PECHEANCIER>;

// A custom occurrence holding a copy of the schedule's model transaction, not done; the caller
// then sets its own transaction and flag.
PECHEANCIER allocNewPEcheancier(const ECHEANCIER& echeancier);
