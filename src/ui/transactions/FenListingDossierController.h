#pragma once
// The listing of all transactions of a folder.
#include "transactions/FenListingController.h"

class FenListingDossierController : public FenListingController {
    Q_OBJECT
public:
    FenListingDossierController() = default;

protected:
    QColor listingColor() const override { return QColor(255, 230, 255); }
};

// Null when the folder doesn't exist.
FenListingDossierController* openListingDossier(DOCUMENT& doc, long dossierID, long devise, bool show);
