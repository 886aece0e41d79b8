#include "toolkit/popups/PopVariante.h"

#include "toolkit/popups/PopLogo.h"

#include "document/DocContext.h"
#include "model/MOYEN.h"

void PopVariante::FILL_MENU()
{
    DOCUMENT* doc = currentDocument();
    const VarianteList* variantes = MOYEN::variantesArrayForFamily(m_family, long(m_compteID), doc);
    if (!variantes)
        return;
    for (const VARIANTE& variante : *variantes) {
        const VarianteImage image = variante.getImageForFamily(m_family, doc);
        const QIcon icon = image.name.isEmpty() ? PopLogo::logoIcon(image.png) : itemImage(image.name);
        addItemToMenuWithImage(stdMenu(), variante.nom, QStringLiteral("VARIANTE:"), icon, true, variante.ident);
    }
}
