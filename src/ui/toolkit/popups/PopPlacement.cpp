#include "toolkit/popups/PopPlacement.h"

#include "toolkit/windows/StdWindowController.h"

#include "document/DocContext.h"
#include "foundation/localized.h"
#include "model/DOCUMENT.h"

void PopPlacement::FILL_MENU()
{
    const auto* window = qobject_cast<const StdWindowController*>(stdMenu()->delegate());
    if (!window)
        return;
    bool titreFilter = false;
    bool remunereFilter = false;
    bool empruntFilter = false;
    window->pickers().getPlacementFilter(&titreFilter, &remunereFilter, &empruntFilter);
    const DOCUMENT* doc = currentDocument();
    StdMenu* titres = financeSubmenu(doc ? &doc->titreHdl : nullptr, kPopTagTitre, QStringLiteral("TITRE:"));
    StdMenu* remuneres
        = financeSubmenu(doc ? &doc->remunereHdl : nullptr, kPopTagRemunere, QStringLiteral("REMUNERE:"));
    StdMenu* emprunts = financeSubmenu(doc ? &doc->empruntHdl : nullptr, kPopTagEmprunt, QStringLiteral("EMPRUNT:"));
    addItemToMenu(stdMenu(), localizedMisc(QStringLiteral("kMisc_PasDOperation")), QStringLiteral("NO_PLACEMENT:"),
                  QStringLiteral("supprimer"), true, -1);
    addKindItem(titres, localizedAppl(QStringLiteral("POPUP_TITRE")), titreFilter);
    addKindItem(remuneres, localizedAppl(QStringLiteral("POPUP_REMUNERE")), remunereFilter);
    addKindItem(emprunts, localizedAppl(QStringLiteral("POPUP_EMPRUNT")), empruntFilter);
}

StdMenu* PopPlacement::financeSubmenu(const FinanceList* list, qint64 kindBit, const QString& action)
{
    auto* submenu = new StdMenu(QString(), stdMenu());
    if (!list)
        return submenu;
    for (const FINANCE& finance : *list)
        addItemToMenu(submenu, finance.nom, action, QStringLiteral("placement"), true, qint64(finance.ident) | kindBit);
    return submenu;
}

void PopPlacement::addKindItem(StdMenu* submenu, const QString& title, bool enabled)
{
    submenu->setTitle(title);
    QAction* item = stdMenu()->addMenu(submenu);
    item->setIcon(itemImage(QStringLiteral("placement")));
    item->setData(qlonglong(-1));
    item->setCheckable(true);
    item->setEnabled(enabled);
}
