#pragma once
// The authors' window, reached by the hidden chord on a window's background.
#include "toolkit/windows/StdWindowController.h"

class FenAuteurController : public StdWindowController {
    Q_OBJECT
protected:
    void buildInterface(StdWindow& window) override;
};

// Runs the authors' window modally on the parent's window (application-modal without one);
// answers its result (1).
long doAuteur(StdWindowController* parent);
