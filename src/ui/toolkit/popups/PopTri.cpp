#include "toolkit/popups/PopTri.h"

#include "toolkit/drawing/Constants.h"

void PopTri::FILL_MENU()
{
    const QString action = QStringLiteral("SORT:");
    if (getCanSelectFirstItem())
        addItemToMenu(stdMenu(), Constants::sortToString(0), action, QStringLiteral("sort_default"), true, 0);
    for (long sort = 1; sort <= 10; ++sort)
        addItemToMenu(stdMenu(), Constants::sortToString(sort), action, QStringLiteral("sort"), true, sort);
}
