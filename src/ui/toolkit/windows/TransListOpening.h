#pragma once
// What a transaction list window is opened with: shared by the windows that open lists through
// the application's doors and the transaction lists that read it.
#include "engines/Critere.h"
#include "engines/LISTING.h"
#include "model/MONTANT.h"

#include <QString>

#include <memory>
#include <optional>

class DOCUMENT;

// What a transaction list is opened with (openTransListWindow).
struct TransListOpening {
    // The entities the list is about; -1 for none. The list's account (debitID) is the one its
    // running balances and debit/credit columns are computed against.
    long debitID = -1;
    long dossierID = -1;
    long posteID = -1;
    long banqueID = -1;
    long moyenID = -1;
    long synonymeID = -1;
    long chronoID = -1;
    long titreID = -1;
    long remunereID = -1;
    long empruntID = -1;
    long mode = 0;
    Critere critere;
    // Handed over to the window; an opener without one gets an empty list.
    std::unique_ptr<LISTING> listing;
    QString title;
    // The title is the list's row count ("12 opération(s) trouvée(s)"), kept in step with the rows.
    bool titleCounts = false;
    bool smartGrow = false; // kept for subclasses
    bool appear = true;
    bool allowDepointer = false; // the list may untick its transactions
    DOCUMENT* doc = nullptr;
    long devise = 0;
    // The amount the running balances start from; zero when none.
    std::optional<MONTANT> report;
};
