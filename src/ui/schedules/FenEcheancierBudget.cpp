// The schedules window's budget tools: the proposals that complete the budget with the forecasts
// it lacks, or bring its forecasts up to what their categories really cost.
#include "schedules/FenEcheancierController.h"

#include "analysis/FenActualiserBudgetController.h"
#include "analysis/FenAskBudgetNbMonthController.h"
#include "analysis/FenCompleterBudgetController.h"
#include "toolkit/dialogs/Dialog.h"
#include "toolkit/popups/StdMenu.h"

#include "document/DocContext.h"
#include "foundation/dates.h"
#include "model/DOCUMENT.h"

void FenEcheancierController::AMELIORER_BUDGET(QObject* item)
{
    if (StdMenu::tagOf(item) == 0)
        COMPLETER_BUDGET();
    else
        ACTUALISER_BUDGET();
}

long FenEcheancierController::nbMonthForAmeliorerBudget(bool completer)
{
    double first = 0;
    double last = 0;
    TRANSACT::getTransactExtremeDates(currentDocument(), &first, &last);
    const long months = std::max(1L, monthCountBetween(first, last));
    if (months < 12) {
        int answer = 0;
        Dialog::undoConfirmationWithDictionary(
            {{QStringLiteral("window"), QVariant::fromValue<QObject*>(this)},
             {QStringLiteral("title"),
              Dialog::keyString(completer ? QStringLiteral("kConfirm_CompleterBudgetNbMonth")
                                          : QStringLiteral("kConfirm_ActualiserBudgetNbMonth"))},
             {QStringLiteral("information"), QStringLiteral("%1 mois").arg(months)},
             {QStringLiteral("imageName"), QStringLiteral("budget")}},
            [&answer](int code) { answer = code; });
        return answer == kAlertFirstButton ? 0 : months;
    }
    if (months < 24)
        return 12;
    QList<long> years {1, 2};
    for (long n = 3; n <= 5 && months >= n * 12; ++n)
        years.append(n);
    long chosen = 0;
    const auto take = [&chosen](long nbMonth) { chosen = nbMonth; };
    if (completer)
        askCompleterBudgetNbMonth(this, years, take);
    else
        askActualiserBudgetNbMonth(this, years, take);
    return chosen;
}

void FenEcheancierController::COMPLETER_BUDGET()
{
    if (FenCompleterBudgetController* open = FenCompleterBudgetController::current()) {
        open->orderFront();
        return;
    }
    const long nbMonth = nbMonthForAmeliorerBudget(true);
    DOCUMENT* doc = currentDocument();
    if (nbMonth < 1 || !doc)
        return;
    FenCompleterBudgetController::open(ChronoManager::sharedManager().buildCompleterBudgetArray(nbMonth, doc), nbMonth,
                                       MONTANT::currentDeviseSlot());
}

void FenEcheancierController::ACTUALISER_BUDGET()
{
    if (FenActualiserBudgetController* open = FenActualiserBudgetController::current()) {
        open->orderFront();
        return;
    }
    const long nbMonth = nbMonthForAmeliorerBudget(false);
    DOCUMENT* doc = currentDocument();
    if (nbMonth < 1 || !doc)
        return;
    FenActualiserBudgetController::open(ChronoManager::sharedManager().buildActualiserBudgetArray(nbMonth, doc),
                                        nbMonth, MONTANT::currentDeviseSlot());
}
