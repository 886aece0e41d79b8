#pragma once
// The listing of one payment means of an account, or of one synonym.
#include "transactions/FenListingController.h"

class FenListingMoyenController : public FenListingController {
    Q_OBJECT
public:
    FenListingMoyenController() = default;

protected:
    QColor listingColor() const override { return QColor(250, 255, 250); }
};

// The payment means (family) of the account, or, when synonymeID >= 0, the synonym's
// transactions. A listing open on the same account and means is reused whatever its synonym.
// Null for a means without an account.
FenListingMoyenController* openListingMoyen(DOCUMENT& doc, long compteID, int family, long synonymeID, long devise,
                                            bool show);
// "means - account", the means alone without an account.
QString moyenCompteName(const DOCUMENT& doc, int family, long compteID);
