#pragma once
// The portfolios of the document by name, headed by "no portfolio" (tag -1). Items send
// PORTFOLIO: with the portfolio's ident.
#include "toolkit/popups/StdPopUp.h"

class PopPortfolio : public StdPopUp {
    Q_OBJECT
public:
    using StdPopUp::StdPopUp;

    void FILL_MENU() override;
};
