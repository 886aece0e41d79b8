#include "toolkit/palettes/FenPaletteSaisieCoffreController.h"

void FenPaletteSaisieCoffreController::buildInterface(StdWindow& window)
{
    buildPalette(window, {2, 3, 5, 6, 1, 0});
}
