#include "toolkit/palettes/FenPaletteSaisieUserController.h"

void FenPaletteSaisieUserController::buildInterface(StdWindow& window)
{
    buildPalette(window, {9, 10, 11, 12, 7, 8, 5, 6, 1, 0});
}
