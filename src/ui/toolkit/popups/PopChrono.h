#pragma once
// The create pop-up of the schedules window: a new schedule (tag 0) or a new forecast (tag 1),
// through the window's action "didChooseChrono:".
#include "toolkit/popups/StdPopUp.h"

class PopChrono : public StdPopUp {
    Q_OBJECT
public:
    using StdPopUp::StdPopUp;

    void FILL_MENU() override;
};
