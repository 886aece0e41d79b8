#pragma once
// The entry palette of an account of one of the user's own banks: cheques, cards, transfers,
// counter operations, internal transfers and general entries.
#include "toolkit/palettes/FenPaletteSaisieController.h"

class FenPaletteSaisieUserController : public FenPaletteSaisieController {
    Q_OBJECT

protected:
    void buildInterface(StdWindow& window) override;
};
