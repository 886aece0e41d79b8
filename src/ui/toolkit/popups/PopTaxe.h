#pragma once
// The taxes of the document by name, headed by "no tax" (tag -1) when the first item may be
// marked. Items send TAXE: with the tax's ident.
#include "toolkit/popups/StdPopUp.h"

class PopTaxe : public StdPopUp {
    Q_OBJECT
public:
    using StdPopUp::StdPopUp;

    void FILL_MENU() override;
};
