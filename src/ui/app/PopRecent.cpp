#include "app/PopRecent.h"

#include "foundation/localized.h"

PopRecent::PopRecent(QWidget* parent)
    : StdPopUp(parent)
{
    setCanAutoSelect(false);
    setShowsMenuIndicator(false);
    setTitle(QStringLiteral("…"));
}

void PopRecent::FILL_MENU()
{
    QMenu* menu = stdMenu();
    const bool open = m_canOpenDocument;
    addItemToMenu(menu, localizedAppl("PopRecent_ouvrir"), QStringLiteral("OUVRIR:"), QStringLiteral("document"), open,
                  m_tag);
    addItemToMenu(menu, localizedAppl("PopRecent_renommer"), QStringLiteral("RENOMMER:"), QStringLiteral("renommer"),
                  open, m_tag);
    addItemToMenu(menu, localizedAppl("PopRecent_dupliquer"), QStringLiteral("DUPLIQUER:"), QStringLiteral("dupliquer"),
                  open, m_tag);
    addItemToMenu(menu, localizedAppl("PopRecent_supprimer"), QStringLiteral("SUPPRIMER:"), QStringLiteral("supprimer"),
                  true, m_tag);
    addItemToMenu(menu, localizedAppl("PopRecent_enregistrer"), QStringLiteral("ENREGISTRER_COPIE:"),
                  QStringLiteral("DD"), open, m_tag);
    const QString move
        = m_fileSystemTag == 1 ? localizedAppl("PopRecent_deplacer_icloud") : localizedAppl("PopRecent_deplacer_mac");
    addItemToMenu(menu, move, QStringLiteral("DEPLACER:"), QStringLiteral("deplacer"), open && m_canMove, m_tag);
    addItemToMenu(menu, localizedAppl("PopRecent_synchroniser"), QStringLiteral("SYNCHRONISER:"),
                  QStringLiteral("iCloud_synchro"), m_needsSynchro, m_tag);
}
