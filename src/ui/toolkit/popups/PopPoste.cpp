#include "toolkit/popups/PopPoste.h"

#include "toolkit/popups/PopLogo.h"

#include "document/DocContext.h"
#include "foundation/localized.h"
#include "model/DOCUMENT.h"
#include "model/DOSSIER.h"
#include "model/POSTE.h"

namespace {

QIcon imageOf(const POSTE& entity, const QString& standardImage)
{
    return entity.logoID < 0 ? StdPopUp::itemImage(standardImage) : PopLogo::logoIconWithIdent(entity.logoID);
}

} // namespace

PopPoste::PopPoste(QWidget* parent)
    : StdPopUp(parent)
{
    setCanSelectFirstItem(false);
}

QIcon PopPoste::posteImage(const POSTE& poste)
{
    return imageOf(poste, QStringLiteral("poste"));
}

QIcon PopPoste::dossierImage(const DOSSIER& dossier)
{
    return imageOf(dossier, QStringLiteral("dossier"));
}

void PopPoste::FILL_MENU()
{
    const DOCUMENT* doc = currentDocument();
    if (!doc)
        return;
    for (const DOSSIER& dossier : doc->dossierHdl)
        addDossierSubmenu(dossier);
    if (m_canManage) {
        stdMenu()->addSeparator();
        addItemToMenu(stdMenu(), localizedAppl(QStringLiteral("MENU_DOSSIERS")), QStringLiteral("DOSSIERS:"),
                      QStringLiteral("dossier"), true, kManageTag);
    }
}

void PopPoste::addDossierSubmenu(const DOSSIER& dossier)
{
    const DOCUMENT* doc = currentDocument();
    auto* submenu = new StdMenu(dossier.nom, stdMenu());
    addItemToMenu(submenu, localizedAppl(QStringLiteral("MENU_CREERPOSTE")), QStringLiteral("CREATE_POSTE:"),
                  QStringLiteral("crayon"), true, dossier.ident);
    for (const POSTE& poste : doc->posteHdl) {
        if (poste.dossierID == dossier.ident)
            addItemToMenuWithImage(submenu, poste.nom, QStringLiteral("POSTE:"), posteImage(poste), true, poste.ident);
    }
    QAction* item = stdMenu()->addMenu(submenu);
    item->setIcon(dossierImage(dossier));
    item->setData(qlonglong(dossier.ident));
    item->setCheckable(true);
    StdMenu::connectItem(item, QStringLiteral("CHOOSE_DOSSIER:"), stdMenu()->delegate());
}
