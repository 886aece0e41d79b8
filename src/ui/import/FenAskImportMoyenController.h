#pragma once
// The question for a text that names no payment means: the family it stands for. Payment
// families are fixed, so there is no list window to open from here.
#include "import/FenAskImportController.h"

class FenAskImportMoyenController : public FenAskImportController {
    Q_OBJECT
public:
    FenAskImportMoyenController();
    std::optional<qint64> chosenAnswer() const override;

protected:
    void buildChooser(QWidget& window, QLayout& row) override;
    void presetAnswer() override;
};
