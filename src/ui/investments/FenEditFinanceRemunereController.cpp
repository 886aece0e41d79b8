#include "investments/FenEditFinanceRemunereController.h"

#include "toolkit/fields/TextViewCompteD.h"
#include "toolkit/popups/PopCompte.h"

#include "foundation/localized.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>

namespace {

// The user's own banks.
constexpr qint32 kBanquesUser = 1;

} // namespace

void FenEditFinanceRemunereController::addRows(QFormLayout& form, QWidget& parent)
{
    auto* view = new TextViewCompteD(&parent);
    view->setObjectName(QStringLiteral("view_compteD"));
    view->setMinimumWidth(200);
    auto* pop = new PopCompte(&parent);
    pop->setObjectName(QStringLiteral("pop_compteD"));
    pop->setCanCreate(false);
    auto* pair = new QHBoxLayout;
    pair->addWidget(view, 1);
    pair->addWidget(pop);
    form.addRow(localizedAppl(QStringLiteral("FenEditFinanceRemunere_compte")), pair);
}

void FenEditFinanceRemunereController::FILL()
{
    field_nom()->setText(finance().nom);
    pickers().compteDID = finance().compteID;
    if (auto* pop = outlet<PopCompte>(QStringLiteral("pop_compteD")))
        pop->setPOPcompteCFilter(kBanquesUser);
    FenEditFinanceController::FILL();
}

bool FenEditFinanceRemunereController::READ()
{
    finance().nom = field_nom()->text();
    finance().compteID = pickers().compteDID;
    return FenEditFinanceController::READ();
}
