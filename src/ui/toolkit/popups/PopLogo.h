#pragma once
// The logo pop-up of the entity editors (folders, categories, accounts, cheque books and cards,
// synonyms): "no logo", then the document's logos by visible name, each with its picture.
// Choosing one sends LOGO: with the logo's ident, -1 for no logo.
#include "toolkit/popups/StdPopUp.h"

class Logo;

class PopLogo : public StdPopUp {
    Q_OBJECT
public:
    using StdPopUp::StdPopUp;

    void FILL_MENU() override;

    // A logo's picture (the PNG bytes the model keeps) as an item image; a null icon when the
    // bytes are empty or can't be decoded. Every entity image that shows a logo goes through it.
    static QIcon logoIcon(const QByteArray& png);
    // The picture of the logo of that ident in the open document; null when there is none.
    static QIcon logoIconWithIdent(long ident);
};
