#pragma once
// The calculator in its modal form, run on one amount: its window data's amount receives every
// result in the window's currency slot, converted into every slot; OK ends the run with 1 and
// the amount in the data, Cancel with 0. Its own class tells it apart from the free window.
#include "calculator/FenCalculetteController.h"

class FenCalculetteController2 : public FenCalculetteController {
    Q_OBJECT
public:
    // Runs the calculator modally on the data's amount, on the parent's window when there is
    // one, in the currency slot; the result code.
    static long pushOnMontant(StdWindowController* parent, const WindowDataPtr& data, long devise)
    {
        return StdWindowController::pushModal<FenCalculetteController2>(parent, data, devise);
    }
};
