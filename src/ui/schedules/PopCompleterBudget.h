#pragma once
// The budget pop-up of the schedules window: add the missing forecasts (tag 0) or update the
// existing ones (tag 1), both sending AMELIORER_BUDGET: to the window.
#include "toolkit/popups/StdPopUp.h"

class PopCompleterBudget : public StdPopUp {
    Q_OBJECT
public:
    explicit PopCompleterBudget(QWidget* parent = nullptr);
    void FILL_MENU() override;
};
