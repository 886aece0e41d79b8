#pragma once
// The question for a text that names no category: the category it stands for, the document's
// default category proposed.
#include "import/FenAskImportController.h"

class FenAskImportPosteController : public FenAskImportController {
    Q_OBJECT
public:
    FenAskImportPosteController();
    std::optional<qint64> chosenAnswer() const override;
    Q_INVOKABLE void ACCEDER(QObject* sender);

protected:
    void buildChooser(QWidget& window, QLayout& row) override;
    void presetAnswer() override;
};
