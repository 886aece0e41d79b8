#pragma once
// The listing of all transactions of a payee account.
#include "transactions/FenListingController.h"

class FenListingTiersController : public FenListingController {
    Q_OBJECT
public:
    FenListingTiersController() = default;

protected:
    QColor listingColor() const override { return QColor(255, 235, 237); }
};

// Null when the account doesn't exist.
FenListingTiersController* openListingTiers(DOCUMENT& doc, long compteID, long devise, bool show);
