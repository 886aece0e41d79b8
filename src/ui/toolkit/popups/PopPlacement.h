#pragma once
// The investment of a transaction: "no investment", then a submenu each for the securities, the
// interest-bearing savings and the loans of the document, by name. The three kinds number their
// idents apart, so an item's tag is the ident with the kind's bit set (kPopTagTitre,
// kPopTagRemunere, kPopTagEmprunt); items send TITRE:, REMUNERE: or EMPRUNT:. The window enables
// each kind through its placement filter; without a window the menu stays empty.
#include "toolkit/popups/StdPopUp.h"

#include "model/FINANCE.h"

class PopPlacement : public StdPopUp {
    Q_OBJECT
public:
    using StdPopUp::StdPopUp;

    void FILL_MENU() override;

private:
    StdMenu* financeSubmenu(const FinanceList* list, qint64 kindBit, const QString& action);
    void addKindItem(StdMenu* submenu, const QString& title, bool enabled);
};
