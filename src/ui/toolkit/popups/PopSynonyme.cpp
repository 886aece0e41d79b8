#include "toolkit/popups/PopSynonyme.h"

#include "toolkit/popups/PopLogo.h"

#include "document/DocContext.h"
#include "model/DOCUMENT.h"
#include "model/Synonyme.h"

QIcon PopSynonyme::synonymeImage(const Synonyme& synonyme)
{
    const SynonymeImage image = synonyme.synonymeImage(currentDocument());
    return image.name.isEmpty() ? PopLogo::logoIcon(image.png) : itemImage(image.name);
}

void PopSynonyme::FILL_MENU()
{
    const DOCUMENT* doc = currentDocument();
    if (!doc)
        return;
    for (qsizetype position = 0; position < doc->synonymeArray.size(); ++position) {
        const Synonyme& synonyme = doc->synonymeArray[position];
        addItemToMenuWithImage(stdMenu(), synonyme.nom, QStringLiteral("SYNONYME:"), synonymeImage(synonyme), true,
                               position);
    }
}
