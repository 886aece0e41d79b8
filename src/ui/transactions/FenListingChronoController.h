#pragma once
// The listing of the transactions written by a schedule.
#include "transactions/FenListingController.h"

class FenListingChronoController : public FenListingController {
    Q_OBJECT
public:
    FenListingChronoController() = default;

protected:
    QColor listingColor() const override { return QColor(255, 255, 250); }
};

// Null when the schedule doesn't exist.
FenListingChronoController* openListingChrono(DOCUMENT& doc, long chronoID, long devise, bool show);
