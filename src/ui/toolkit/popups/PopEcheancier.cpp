#include "toolkit/popups/PopEcheancier.h"

#include "document/DocContext.h"
#include "foundation/localized.h"
#include "model/DOCUMENT.h"
#include "model/ECHEANCIER.h"

void PopEcheancier::FILL_MENU()
{
    const QString action = QStringLiteral("ECHEANCIER:");
    if (getCanSelectFirstItem())
        addItemToMenu(stdMenu(), localizedMisc(QStringLiteral("kMisc_PasDEcheancier")), action,
                      QStringLiteral("supprimer"), true, -1);
    const DOCUMENT* doc = currentDocument();
    for (const long ident : echeancierIndexArray(doc)) {
        const ECHEANCIER* echeancier = nullptr;
        if (findEcheancier(ident, doc, &echeancier, nullptr))
            addItemToMenu(stdMenu(), echeancier->nom, action, QStringLiteral("echeancier_reel"), true, ident);
    }
}
