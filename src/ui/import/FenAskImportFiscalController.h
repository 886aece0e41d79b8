#pragma once
// The question for a text that names no tax: the tax it stands for, or none.
#include "import/FenAskImportController.h"

class FenAskImportFiscalController : public FenAskImportController {
    Q_OBJECT
public:
    FenAskImportFiscalController();
    std::optional<qint64> chosenAnswer() const override;
    Q_INVOKABLE void ACCEDER(QObject* sender);

protected:
    void buildChooser(QWidget& window, QLayout& row) override;
    void presetAnswer() override;
};
