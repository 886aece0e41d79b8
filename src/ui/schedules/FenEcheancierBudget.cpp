// The schedules window's budget tools: the proposals that complete the budget with the forecasts
// it lacks, or bring its forecasts up to what their categories really cost.
#include "schedules/FenEcheancierController.h"

#include "toolkit/dialogs/Dialog.h"
#include "toolkit/popups/StdMenu.h"
#include "toolkit/windows/IWindowDoors.h"

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
             {QStringLiteral("imageName"), QStringLiteral("budget")},
             {QStringLiteral("escapeButton"), kAlertFirstButton}},
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
    if (IWindowDoors* doors = windowDoors())
        doors->askBudgetProposalMonths(this, completer, years, take);
    return chosen;
}

// The proposal of that kind already open comes to the front; else the proposals are computed
// over the months chosen and shown in a new window.
void FenEcheancierController::openBudgetProposal(bool completer)
{
    IWindowDoors* doors = windowDoors();
    if (!doors || doors->frontBudgetProposal(completer))
        return;
    const long nbMonth = nbMonthForAmeliorerBudget(completer);
    DOCUMENT* doc = currentDocument();
    if (nbMonth < 1 || !doc)
        return;
    const ChronoManager& chronos = ChronoManager::sharedManager();
    doors->openBudgetProposal(completer,
                              completer ? chronos.buildCompleterBudgetArray(nbMonth, doc)
                                        : chronos.buildActualiserBudgetArray(nbMonth, doc),
                              nbMonth, MONTANT::currentDeviseSlot());
}

void FenEcheancierController::COMPLETER_BUDGET()
{
    openBudgetProposal(true);
}

void FenEcheancierController::ACTUALISER_BUDGET()
{
    openBudgetProposal(false);
}
