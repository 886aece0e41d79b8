#pragma once
// The help of the categorisation rules: one window for the whole program, brought to the front
// when it is asked for again.
#include "app/FenRTFController.h"

class FenAboutReglesController : public FenRTFController {
    Q_OBJECT
public:
    void didAwakeFromNib() override;
    void windowWillClose() override;

    // The document shown: "regles.rtf" of the information folder; empty when there is none.
    static QString reglesPath();
    // The open window, null when there is none.
    static FenAboutReglesController* current();

protected:
    void buildInterface(StdWindow& window) override;
};

// Opens the rules help, or brings the open one to the front.
FenAboutReglesController* showRulesHelp();
