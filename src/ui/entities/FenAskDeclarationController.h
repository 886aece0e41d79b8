#pragma once
// The tax declaration request: a tax (never "no tax") and the period, from one date to another.
//
// Window data: "declaration" the DECLARATION, read and written back on OK.
#include "toolkit/dialogs/DECLARATION.h"
#include "toolkit/windows/StdWindowController.h"

#include <QMetaType>

class FenAskDeclarationController : public StdWindowController {
    Q_OBJECT
public:
    void FILL() override;
    bool READ() override;

protected:
    void buildInterface(StdWindow& window) override;
};

Q_DECLARE_METATYPE(DECLARATION)

// Runs the request as a sheet on the parent's window; true on OK, the declaration then holding
// the tax and dates chosen. It is the question the tax statement listing asks.
bool askDeclaration(StdWindowController* parent, DECLARATION& declaration);
