#include "toolkit/popups/PopDossier.h"

#include "toolkit/popups/PopPoste.h"

#include "document/DocContext.h"
#include "foundation/localized.h"
#include "model/DOCUMENT.h"
#include "model/DOSSIER.h"

void PopDossier::FILL_MENU()
{
    const QString action = QStringLiteral("DOSSIER:");
    if (m_showAllDossierOption)
        addItemToMenu(stdMenu(), localizedMisc(QStringLiteral("kMisc_AnalyseTousDossiers")), action,
                      QStringLiteral("plusplus"), true, -1);
    const DOCUMENT* doc = currentDocument();
    if (!doc)
        return;
    for (const DOSSIER& dossier : doc->dossierHdl)
        addItemToMenuWithImage(stdMenu(), dossier.nom, action, PopPoste::dossierImage(dossier), true, dossier.ident);
}
