#pragma once
// The result of the search window: a listing that includes forecast occurrences.
#include "transactions/FenListingController.h"

class FenListingSearchController : public FenListingController {
    Q_OBJECT
public:
    FenListingSearchController() = default;

    bool canIncludePrevisions() const override { return true; }
};

// Runs a copy of the search criterion over the document's transactions, and over the schedule and
// forecast occurrences when the criterion includes them (in the currency slot, with running
// balances), and opens its result, animated, titled with its row count. The new window's
// controller.
FenListingSearchController* openListingSearch(DOCUMENT& doc, const Critere& critere, long devise);
