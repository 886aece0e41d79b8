#include "schedules/PopCompleterBudget.h"

PopCompleterBudget::PopCompleterBudget(QWidget* parent)
    : StdPopUp(parent)
{
    setObjectName(QStringLiteral("pop_completer_budget"));
}

void PopCompleterBudget::FILL_MENU()
{
    addItemToMenu(stdMenu(), QStringLiteral("Ajouter des prévisions manquantes..."),
                  QStringLiteral("AMELIORER_BUDGET:"), QStringLiteral("budget_mensuel"), true, 0);
    addItemToMenu(stdMenu(), QStringLiteral("Actualiser des prévisions existantes..."),
                  QStringLiteral("AMELIORER_BUDGET:"), QStringLiteral("budget_mensuel"), true, 1);
}
