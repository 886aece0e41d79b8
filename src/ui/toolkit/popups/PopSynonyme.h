#pragma once
// The synonyms of the document by name. An item's tag is the synonym's position in the
// document's list, not its ident: the synonym list window addresses its rows by position.
#include "toolkit/popups/StdPopUp.h"

class Synonyme;

class PopSynonyme : public StdPopUp {
    Q_OBJECT
public:
    using StdPopUp::StdPopUp;

    void FILL_MENU() override;

    // The synonym's picture: its logo in the open document when it names one (null when that
    // logo or its file is gone), else the icon of its family.
    static QIcon synonymeImage(const Synonyme& synonyme);
};
