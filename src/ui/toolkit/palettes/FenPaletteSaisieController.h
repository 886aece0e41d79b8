#pragma once
// The entry palette beside an account's statement window: a button per payment-means family
// starts the entry of a new transaction of that family on the account, and keeps offering the
// next one while the user confirms each; pop-ups start an entry by synonym or by macro, and open
// the listing of one payment means (or synonym) of the account. The two variants differ only by
// the families they offer: an ordinary account (FenPaletteSaisieUserController) and a safe-box
// account holding cash (FenPaletteSaisieCoffreController).
#include "toolkit/palettes/FenPaletteController.h"

#include <QList>
#include <QPointer>

class PopMacro;
class PopMoyen;
class PopSynonyme;

class FenPaletteSaisieController : public FenPaletteController {
    Q_OBJECT
public:
    // The payment-means pop-up (named "popMoyen"), whose items open listings; null until the
    // palette is built.
    PopMoyen* popMoyen() const;

    // The sender's "identifier" is a family: the entry of that family.
    Q_INVOKABLE void BUTTON_MOYEN(QObject* sender);
    // The sender's tag is a position in the document's synonym list: the entry of that synonym.
    Q_INVOKABLE void SYNONYME(QObject* sender);
    // The listing of the account for the family of the sender's tag, or for the synonym its
    // represented object names.
    Q_INVOKABLE void MOYEN(QObject* sender);
    // The application runs the macro at the sender's tag.
    Q_INVOKABLE void MACRO(QObject* sender);
    // Opens the synonyms window, or brings it to the front.
    Q_INVOKABLE void GERER(QObject* sender);

    // Runs the entry of a new transaction of the family and synonym (-1 for none) on the
    // palette's account, and again, as a repeated entry, as long as the user confirms it.
    void openSaisieForFamily(int family, long synonymeID);

    bool soundWhenClose() const override { return false; }

protected:
    // Lays out the palette with a button for each family, in that order, then the pop-ups: in a
    // column, or in rows along the bottom of the screen where the palette is a dock (the manager
    // tiles the windows).
    void buildPalette(StdWindow& window, const QList<int>& families);

private:
    QPointer<PopMoyen> m_popMoyen;
};
