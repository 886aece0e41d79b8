#include "toolkit/popups/PopTaxe.h"

#include "document/DocContext.h"
#include "foundation/localized.h"
#include "model/DOCUMENT.h"
#include "model/TAXE.h"

void PopTaxe::FILL_MENU()
{
    const QString action = QStringLiteral("TAXE:");
    if (getCanSelectFirstItem())
        addItemToMenu(stdMenu(), localizedMisc(QStringLiteral("kMisc_PasDeTaxe")), action, QStringLiteral("supprimer"),
                      true, -1);
    const DOCUMENT* doc = currentDocument();
    if (!doc)
        return;
    for (const TAXE& taxe : doc->taxeHdl)
        addItemToMenu(stdMenu(), TAXE::getTaxeName(taxe.ident, *doc), action, QStringLiteral("taxe"), true, taxe.ident);
}
