#include "entities/LogoFiller.h"

#include "toolkit/popups/PopLogo.h"
#include "toolkit/popups/StdMenu.h"

#include "foundation/localized.h"
#include "model/DOCUMENT.h"

#include <QLabel>

LogoFace LogoFiller::face(long logoID, const DOCUMENT* doc, const QIcon& defaultImage)
{
    if (doc && logoID >= 0) {
        if (const Logo* logo = Logo::logoWithIdent(logoID, doc->logoArray)) {
            const QIcon picture = PopLogo::logoIcon(logo->loadImage(*doc));
            return {logo->visibleName, picture.isNull() ? defaultImage : picture, true};
        }
    }
    return {localizedAppl(QStringLiteral("POPUP_AUCUN_LOGO")), defaultImage, false};
}

void LogoFiller::fill(long logoID, const DOCUMENT* doc, const QIcon& defaultImage, QLabel* field, QLabel* image,
                      StdPopUp* pop)
{
    const LogoFace shown = face(logoID, doc, defaultImage);
    if (field)
        field->setText(shown.title);
    if (image)
        image->setPixmap(shown.image.pixmap(kImageSide, kImageSide));
    if (pop) {
        pop->setSelectedTag(logoID);
        pop->SELECT_ITEM_WITH_TAG(logoID);
    }
}

long LogoFiller::chosenLogo(const QObject* sender)
{
    return sender ? long(StdMenu::tagOf(sender)) : -1;
}
