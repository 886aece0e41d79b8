#pragma once
// The editor of a loan: its name, and whether the user lent the money rather than borrowed it.
#include "investments/FenEditFinanceController.h"

class QCheckBox;

class FenEditFinanceEmpruntController : public FenEditFinanceController {
    Q_OBJECT
public:
    FinanceKind kind() const override { return FinanceKind::Emprunt; }
    void FILL() override;
    bool READ() override;

protected:
    QString interfaceName() const override { return QStringLiteral("FenEditFinanceEmprunt"); }
    QString titleKey() const override { return QStringLiteral("FenEditFinanceEmprunt_titre"); }
    void addRows(QFormLayout& form, QWidget& parent) override;

private:
    QCheckBox* cb_pret = nullptr;
};
