#include "toolkit/popups/PopCompte.h"

#include "toolkit/popups/PopLogo.h"

#include "document/DocContext.h"
#include "foundation/localized.h"
#include "model/DOCUMENT.h"
#include "model/TOOL.h"
#include "model/ToolTree.h"

QIcon PopCompte::getToolImage(const TOOL& tool, const DOCUMENT* doc)
{
    if (tool.logoIdent >= 0)
        return doc ? PopLogo::logoIcon(Logo::logoImageWithIdent(tool.logoIdent, *doc)) : QIcon();
    return itemImage(tool.getToolPictureName(doc));
}

QIcon PopCompte::getCompteImage(long ident, const DOCUMENT* doc)
{
    const TOOL* compte = TOOL::getTool(kToolCompte, ident, doc);
    return compte ? getToolImage(*compte, doc) : itemImage(toolPictureName(nullptr, doc));
}

QIcon PopCompte::getBanqueImage(long ident, const DOCUMENT* doc)
{
    const TOOL* banque = TOOL::getTool(kToolBanque, ident, doc);
    return banque ? getToolImage(*banque, doc) : QIcon();
}

void PopCompte::FILL_MENU()
{
    FILL_MENU(stdMenu());
}

void PopCompte::FILL_MENU(QMenu* menu)
{
    const DOCUMENT* doc = currentDocument();
    for (const ToolNode& node : toolTree(doc)) {
        const TOOL* banque = TOOL::getTool(kToolBanque, node.ident, doc);
        if (!banque)
            continue;
        if (m_cFilter == 0)
            addBanqueItem(menu, *banque, TOOL::banqueFitFilter(banque->ident, m_bFilter, doc));
        else if (TOOL::banqueFitFilter(banque->ident, m_cFilter, doc))
            addBanqueSubmenu(menu, *banque, node, doc);
        else
            addBanqueItem(menu, *banque, false);
    }
}

void PopCompte::addBanqueItem(QMenu* menu, const TOOL& banque, bool enabled)
{
    const QString action = getCompteDebit() ? QStringLiteral("BDEBIT:") : QStringLiteral("BCREDIT:");
    addItemToMenuWithImage(menu, banque.nom, action, getToolImage(banque, currentDocument()), enabled, banque.ident);
}

void PopCompte::addBanqueSubmenu(QMenu* menu, const TOOL& banque, const ToolNode& node, const DOCUMENT* doc)
{
    const bool debit = getCompteDebit();
    auto* submenu = new StdMenu(banque.nom, menu);
    if (m_canCreate) {
        const QString create = debit ? QStringLiteral("CREATE_COMPTED:") : QStringLiteral("CREATE_COMPTEC:");
        addItemToMenu(submenu, localizedMisc(QStringLiteral("kMisc_CreerUnCompte")), create, stdMenu()->delegate(),
                      QVariant(qlonglong(banque.ident)), QStringLiteral("crayon"), true, false, -1);
    }
    const QString choose = debit ? QStringLiteral("DEBIT:") : QStringLiteral("CREDIT:");
    for (const ToolNode& account : node.liste) {
        if (const TOOL* compte = TOOL::getTool(kToolCompte, account.ident, doc))
            addItemToMenuWithImage(submenu, compte->nom, choose, getToolImage(*compte, doc), true, compte->ident);
    }
    // The bank's own item only opens the submenu.
    QAction* item = menu->addMenu(submenu);
    item->setIcon(getToolImage(banque, doc));
    item->setData(qlonglong(0));
    item->setCheckable(true);
    item->setEnabled(true);
}
