#pragma once
// The saved graph definitions of the open document: first "POPUP_GRAPH_EMPTY" (no definition,
// tag -1), then one item per definition in list order, tagged with its position; every item sends
// PBCONFIGURATION:.
#include "toolkit/popups/StdPopUp.h"

class PopConfiguration : public StdPopUp {
    Q_OBJECT
public:
    explicit PopConfiguration(QWidget* parent = nullptr);
    void FILL_MENU() override;
};
