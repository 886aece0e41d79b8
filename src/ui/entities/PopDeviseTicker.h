#pragma once
// The known currencies (the program's ticker list), one drawn row each; choosing one sends
// CHOOSE_TICKER: with the item, whose tag is the currency's position in the list.
#include "toolkit/popups/StdPopUp.h"

class PopDeviseTicker : public StdPopUp {
    Q_OBJECT
public:
    explicit PopDeviseTicker(QWidget* parent = nullptr);

    void FILL_MENU() override;
};
