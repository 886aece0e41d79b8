#include "investments/FenEditFinanceEmpruntController.h"

#include "foundation/localized.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QLineEdit>

void FenEditFinanceEmpruntController::addRows(QFormLayout& form, QWidget& parent)
{
    cb_pret = new QCheckBox(localizedAppl(QStringLiteral("FenEditFinanceEmprunt_pret")), &parent);
    cb_pret->setObjectName(QStringLiteral("cb_pret"));
    form.addRow(QString(), cb_pret);
}

void FenEditFinanceEmpruntController::FILL()
{
    field_nom()->setText(finance().nom);
    cb_pret->setChecked(finance().pret);
    FenEditFinanceController::FILL();
}

bool FenEditFinanceEmpruntController::READ()
{
    if (!FenEditFinanceController::READ())
        return false;
    finance().nom = field_nom()->text();
    finance().pret = cb_pret->isChecked();
    return true;
}
