#pragma once
// The schedules of the document in the order of the schedule index (by name), headed by "no
// schedule" (tag -1) when the first item may be marked. Items send ECHEANCIER: with the
// schedule's ident.
#include "toolkit/popups/StdPopUp.h"

class PopEcheancier : public StdPopUp {
    Q_OBJECT
public:
    using StdPopUp::StdPopUp;

    void FILL_MENU() override;
};
