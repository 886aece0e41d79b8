#pragma once
// What lies behind one figure of a listing row or of an analysis or budget cell: the transaction,
// schedule occurrence or forecast it comes from, the real and planned amounts on each side, and
// the dates and budget shift that placed it in its period. Items are plain values: a copied row,
// listing or cell never shares an amount with its source.
#include "model/MONTANT.h"

#include <QList>

class AnalyseMetadata;
using AnalyseMetadataList = QList<AnalyseMetadata>;

// Where an item, or the transaction of a listing row, is kept.
enum class StorageKind : int {
    Transact = 0, // the document's transactions
    Echeancier = 1, // schedules; for a listing row, the listing's schedule occurrence copies
    Prevision = 2, // forecasts; for a listing row, the listing's forecast occurrence copies
};

class AnalyseMetadata {
public:
    MONTANT montantReelDebit;
    MONTANT montantPrevuDebit;
    MONTANT montantReelCredit;
    MONTANT montantPrevuCredit;
    StorageKind storageType = StorageKind::Transact;
    long storageIndex = 0; // in the document's transactions, schedules or forecasts; -1 for a header
    double budgetFirstDate = 0; // first day of the budget period the item falls in
    long budgetShift = 0; // copied from the item's recurrence rule
    int budgetShiftReference = 0; // what the shift counts from, copied from the recurrence rule
    long associatedEcheancierIdent = -1;
    long associatedPrevisionIdent = -1;
    double associatedDate = 0; // a transaction's date, a forecast period's first day
    double planifiedDate = 0; // planned date of the occurrence
    bool chapeau = false; // a header grouping the items after it in a list

    AnalyseMetadata copyOfMetadata() const { return *this; }
    // Copies in the same order.
    static AnalyseMetadataList copyOfMetadataArray(const AnalyseMetadataList& items) { return items; }
};
