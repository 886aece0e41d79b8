#pragma once
// The configuration pop-up of the analysis and budget windows and of the configuration editor:
// one item per analysis configuration of the open document, tagged with its position, sending
// CONFIGURATION:. The default configuration (position 0) has its own image.
#include "toolkit/popups/StdPopUp.h"

class PopAnalyse : public StdPopUp {
    Q_OBJECT
public:
    explicit PopAnalyse(QWidget* parent = nullptr);
    void FILL_MENU() override;
};
