#pragma once
// The question for a text that names no account of the document: the account it stands for,
// the anonymous payee proposed.
#include "import/FenAskImportController.h"

class FenAskImportCompteController : public FenAskImportController {
    Q_OBJECT
public:
    FenAskImportCompteController();
    std::optional<qint64> chosenAnswer() const override;
    Q_INVOKABLE void ACCEDER(QObject* sender);

protected:
    void buildChooser(QWidget& window, QLayout& row) override;
    void presetAnswer() override;
};
