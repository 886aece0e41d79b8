#pragma once
// The listing of all transactions of a category; it goes with its category.
#include "transactions/FenListingController.h"

class FenListingPosteController : public FenListingController {
    Q_OBJECT
public:
    FenListingPosteController() = default;

protected:
    QColor listingColor() const override { return QColor(243, 255, 235); }

public:
    // Closes the window when the category deleted is the listing's.
    Q_INVOKABLE void notifyPosteDeleted(const QVariant& posteID, const QVariant& arg2);
};

// Null when the category doesn't exist.
FenListingPosteController* openListingPoste(DOCUMENT& doc, long posteID, long devise, bool show);
