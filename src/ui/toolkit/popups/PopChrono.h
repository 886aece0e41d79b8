#pragma once
// Switches the schedule window between its schedules (tag 0) and its forecasts (tag 1) through
// its action "didChooseChrono:".
#include "toolkit/popups/StdPopUp.h"

class PopChrono : public StdPopUp {
    Q_OBJECT
public:
    using StdPopUp::StdPopUp;

    void FILL_MENU() override;
};
