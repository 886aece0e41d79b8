#pragma once
// The folders of the document by name, optionally headed by an item for all folders (tag -1).
// Items send DOSSIER: with the folder's ident.
#include "toolkit/popups/StdPopUp.h"

class PopDossier : public StdPopUp {
    Q_OBJECT
public:
    using StdPopUp::StdPopUp;

    bool getShowAllDossierOption() const { return m_showAllDossierOption; }
    void setShowAllDossierOption(bool show) { m_showAllDossierOption = show; }

    void FILL_MENU() override;

private:
    bool m_showAllDossierOption = false;
};
