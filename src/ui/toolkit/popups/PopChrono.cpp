#include "toolkit/popups/PopChrono.h"

#include "foundation/localized.h"

void PopChrono::FILL_MENU()
{
    const QString action = QStringLiteral("didChooseChrono:");
    addItemToMenu(stdMenu(), localizedAppl(QStringLiteral("POPUP_ECHEANCIER")), action,
                  QStringLiteral("echeancier_reel"), true, 0);
    addItemToMenu(stdMenu(), localizedAppl(QStringLiteral("POPUP_PREVISION")), action,
                  QStringLiteral("echeancier_prev"), true, 1);
}
