#pragma once
// Which folder takes the place of a folder being deleted: its categories and every other use move
// there. The folder itself, or no folder, is refused and the dialog stays open.
//
// Window data: "dossierID" the folder being deleted; on OK the replacement's ident.
#include "toolkit/windows/StdWindowController.h"

class FenAskSubstDossierController : public StdWindowController {
    Q_OBJECT
public:
    void willAwakeFromNib() override;
    void FILL() override;
    bool READ() override;

protected:
    void buildInterface(StdWindow& window) override;
};

// Asks, modally on the parent's window, for the folder replacing the folder; false when
// cancelled, else true with the replacement in *replacement.
bool askSubstDossier(StdWindowController* parent, long dossierID, long* replacement);
