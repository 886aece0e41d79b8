#pragma once
// The transactions the document check found broken (a side's account missing, or a statement
// mark naming a statement its account doesn't hold). The user clears the statement marks of the
// selected ones with the untick item.
#include "transactions/FenListingController.h"

class FenListingProblemController : public FenListingController {
    Q_OBJECT
public:
    FenListingProblemController() = default;

    void tableViewSelectionDidChange1() override;
    // After the user's yes: both statement marks of every selected transaction cleared, the
    // statements recomputed and every list told.
    Q_INVOKABLE void HARD_DEPOINTER() override;

protected:
    void buildInterface(StdWindow& window) override;
};

// The check's listing, handed over with the document it was found in, animated, titled
// "TITLE_PROBLEM". The new window's controller.
FenListingProblemController* openListingProblem(DOCUMENT& doc, std::unique_ptr<LISTING> listing, long devise);
