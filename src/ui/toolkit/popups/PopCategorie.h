#pragma once
// The three bank types (the user's own banks, cash, third parties), tagged by type. Items send
// CATEGORIED: for the debit side (compteDebit) and CATEGORIEC: for the credit side.
#include "toolkit/popups/StdPopUp.h"

class PopCategorie : public StdPopUp {
    Q_OBJECT
public:
    using StdPopUp::StdPopUp;

    void FILL_MENU() override;
};
