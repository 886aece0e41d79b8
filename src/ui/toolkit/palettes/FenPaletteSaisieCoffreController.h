#pragma once
// The entry palette of a safe-box account, which holds cash: cash paid out and received, cash
// drawn from or paid into a bank at the counter, internal transfers and general entries.
#include "toolkit/palettes/FenPaletteSaisieController.h"

class FenPaletteSaisieCoffreController : public FenPaletteSaisieController {
    Q_OBJECT

protected:
    void buildInterface(StdWindow& window) override;
};
