#pragma once
// The payment-means families, for choosing the family a list shows: cheques and cards first,
// never family 4 (no payment means). Items send MOYEN: with the family.
#include "toolkit/popups/StdPopUp.h"

class PopMoyenListing : public StdPopUp {
    Q_OBJECT
public:
    using StdPopUp::StdPopUp;

    void FILL_MENU() override;
};
