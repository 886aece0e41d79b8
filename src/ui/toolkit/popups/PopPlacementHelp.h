#pragma once
// The investment help of the transaction entry: fourteen ready computations of the investment
// fields (the whole amount as capital, as fees, as interest...), of which only the ones that fit
// the transaction being entered are enabled. The entry window, as the menu's delegate, tells
// which kind of investment entry the transaction is; choosing an item sends DEAL_HELP_PLAC: with
// the item's tag (1 or 2) telling which of the kind's two computations to make.
#include "toolkit/popups/StdPopUp.h"

// What the investment help asks of its menu's delegate.
class PlacementCategorieSource {
public:
    virtual ~PlacementCategorieSource() = default;
    // The kind of investment entry of the transaction: 1 to 8, or 0 when none applies.
    virtual int getPlacementCategorie() = 0;
};

class PopPlacementHelp : public StdPopUp {
    Q_OBJECT
public:
    explicit PopPlacementHelp(QWidget* parent = nullptr);

    // Nothing without a delegate; else the fourteen items, each enabled when the delegate's
    // kind is the item's. A delegate that can't tell the kind counts as kind 0.
    void FILL_MENU() override;
    // Appends item number index (1 to 14), titled by the "Appl" key POPUP_PLACEMENT<index>,
    // with the tag kind.
    QAction* PBHelpPlacPOPMENUAux(int index, int kind, bool enabled);

    static constexpr int kItemCount = 14;
    // The tag of item number index and the kind of entry that enables it.
    struct ItemRule {
        int tag;
        int categorie;
    };
    static ItemRule itemRule(int index);
};
