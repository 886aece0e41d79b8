#include "toolkit/popups/PopMoyenListing.h"

#include "model/MOYEN.h"

#include <array>

void PopMoyenListing::FILL_MENU()
{
    static constexpr std::array<int, 12> kOrder = {9, 10, 11, 12, 5, 6, 7, 8, 2, 3, 1, 0};
    for (const int family : kOrder)
        addItemToMenu(stdMenu(), MOYEN::newMoyenName(family), QStringLiteral("MOYEN:"), MOYEN::getActionIcone(family),
                      true, family);
}
