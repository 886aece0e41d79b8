#pragma once
// The sort orders of a list, 1 to 10, headed by the default sort (0) when the first item may be
// marked. Items send SORT: with the order.
#include "toolkit/popups/StdPopUp.h"

class PopTri : public StdPopUp {
    Q_OBJECT
public:
    using StdPopUp::StdPopUp;

    void FILL_MENU() override;
};
