#include "toolkit/popups/PopTri.h"

#include "engines/POS.h"
#include "toolkit/drawing/Constants.h"

// Each item's tag is the kind's stored integer.
void PopTri::FILL_MENU()
{
    const QString action = QStringLiteral("SORT:");
    if (getCanSelectFirstItem())
        addItemToMenu(stdMenu(), Constants::sortToString(ListingSort::Defaut), action, QStringLiteral("sort_default"),
                      true, static_cast<long>(ListingSort::Defaut));
    for (long sort = static_cast<long>(ListingSort::Date1); sort <= static_cast<long>(ListingSort::NoSort); ++sort)
        addItemToMenu(stdMenu(), Constants::sortToString(static_cast<ListingSort>(sort)), action,
                      QStringLiteral("sort"), true, sort);
}
