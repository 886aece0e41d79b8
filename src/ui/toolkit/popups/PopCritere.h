#pragma once
// The saved searches of the open document, by file name without its extension, headed by the
// empty search (tag -1) and a separator when the first item may be marked. An item's tag is the
// search's position in the saved-search list; items send RECHERCHE:.
#include "toolkit/popups/StdPopUp.h"

class PopCritere : public StdPopUp {
    Q_OBJECT
public:
    using StdPopUp::StdPopUp;

    void FILL_MENU() override;
};
