#pragma once
// Which tax takes the place of a tax being deleted: another tax or none. Choosing the deleted tax
// itself is refused and the dialog stays open.
//
// Window data: "taxeID" the tax to replace; on OK the replacement's ident, -1 for none.
#include "toolkit/windows/StdWindowController.h"

class FenAskSubstTaxeController : public StdWindowController {
    Q_OBJECT
public:
    void willAwakeFromNib() override;
    void FILL() override;
    bool READ() override;

protected:
    void buildInterface(StdWindow& window) override;
};

// Asks, modally on the parent's window, for the replacement of the tax; false when cancelled,
// else true with the replacement (-1 none) in replacement.
bool askSubstTaxe(StdWindowController* parent, long taxeID, long* replacement);
