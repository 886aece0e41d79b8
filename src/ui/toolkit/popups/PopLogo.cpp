#include "toolkit/popups/PopLogo.h"

#include "document/DocContext.h"
#include "foundation/localized.h"
#include "model/DOCUMENT.h"

#include <QPixmap>

QIcon PopLogo::logoIcon(const QByteArray& png)
{
    QPixmap picture;
    if (png.isEmpty() || !picture.loadFromData(png))
        return QIcon();
    return QIcon(picture);
}

QIcon PopLogo::logoIconWithIdent(long ident)
{
    const DOCUMENT* doc = currentDocument();
    return doc ? logoIcon(Logo::logoImageWithIdent(ident, *doc)) : QIcon();
}

void PopLogo::FILL_MENU()
{
    StdMenu* menu = stdMenu();
    const QString action = QStringLiteral("LOGO:");
    addItemToMenu(menu, localizedAppl(QStringLiteral("POPUP_AUCUN_LOGO")), action, QStringLiteral("supprimer"), true,
                  -1);
    const DOCUMENT* doc = currentDocument();
    if (!doc || doc->logoArray.isEmpty())
        return;
    menu->addSeparator();
    for (const Logo& logo : doc->logoArray) {
        // A logo whose file is gone is still listed, without a picture, so it can be chosen away.
        addItemToMenuWithImage(menu, logo.visibleName, action, logoIcon(logo.loadImage(*doc)), true, logo.ident);
    }
}
