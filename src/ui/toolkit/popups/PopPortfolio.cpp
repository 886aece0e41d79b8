#include "toolkit/popups/PopPortfolio.h"

#include "document/DocContext.h"
#include "foundation/localized.h"
#include "model/DOCUMENT.h"

void PopPortfolio::FILL_MENU()
{
    const QString action = QStringLiteral("PORTFOLIO:");
    addItemToMenu(stdMenu(), localizedAppl(QStringLiteral("POPUP_AUCUN_PORTEFEUILLE")), action,
                  QStringLiteral("supprimer"), true, -1);
    const DOCUMENT* doc = currentDocument();
    if (!doc)
        return;
    for (const FINANCE& portfolio : doc->portfolioArray)
        addItemToMenu(stdMenu(), portfolio.nom, action, QStringLiteral("portfolio"), true, portfolio.ident);
}
