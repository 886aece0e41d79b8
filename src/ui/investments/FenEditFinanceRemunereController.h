#pragma once
// The editor of an interest-bearing savings item: its name and the account of the user's banks
// it belongs to.
#include "investments/FenEditFinanceController.h"

class FenEditFinanceRemunereController : public FenEditFinanceController {
    Q_OBJECT
public:
    FinanceKind kind() const override { return FinanceKind::Remunere; }
    void FILL() override;
    bool READ() override;

protected:
    QString interfaceName() const override { return QStringLiteral("FenEditFinanceRemunere"); }
    QString titleKey() const override { return QStringLiteral("FenEditFinanceRemunere_titre"); }
    void addRows(QFormLayout& form, QWidget& parent) override;
};
