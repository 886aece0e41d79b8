#pragma once
// The compute mode of an analysis, budget or graph window: compute now (tag -1, only offered
// while the window computes by hand), then manual (0) or automatic (1) computing. Items send
// AUTOCOMPUTE:; the window tells its mode through its invokable getPreferenceAutoCompute().
#include "toolkit/popups/StdPopUp.h"

class PopAutoCompute : public StdPopUp {
    Q_OBJECT
public:
    using StdPopUp::StdPopUp;

    void FILL_MENU() override;

    // The window's answer; false for a window that doesn't tell, which then computes by hand.
    static bool preferenceAutoCompute(QObject* window);
};
