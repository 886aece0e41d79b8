#include "app/WindowDoors.h"

#include "analysis/FenActualiserBudgetController.h"
#include "analysis/FenAskBudgetNbMonthController.h"
#include "analysis/FenCompleterBudgetController.h"
#include "entities/FenEditMacroController.h"
#include "graphs/FenGraphiqueController.h"
#include "schedules/FenEcheancierController.h"
#include "schedules/ScheduleEditors.h"
#include "transactions/SaisieRoutine.h"

WindowDoors& WindowDoors::shared()
{
    static WindowDoors doors;
    return doors;
}

bool WindowDoors::editEcheancierClone(StdWindowController* parent, DOCUMENT& doc, long ident)
{
    return ::editEcheancierClone(parent, doc, ident);
}

bool WindowDoors::editIndexedPrevision(StdWindowController* parent, DOCUMENT& doc, long ident)
{
    return ::editIndexedPrevision(parent, doc, ident);
}

bool WindowDoors::editPrevision(StdWindowController* parent, DOCUMENT& doc, Prevision& prevision)
{
    return pushEditPrevisionModal(parent, doc, prevision);
}

StdWindowController* WindowDoors::echeanciersWindow()
{
    return FenEcheancierController::current();
}

bool WindowDoors::createChronoInEcheanciers(bool prevision, long posteID)
{
    FenEcheancierController* echeanciers = FenEcheancierController::current();
    if (!echeanciers)
        return false;
    if (prevision)
        echeanciers->CREER_PREVISION(posteID);
    else
        echeanciers->CREER_ECHEANCIER(posteID);
    return true;
}

void WindowDoors::showPrevisionInEcheanciers(long ident)
{
    if (FenEcheancierController* echeanciers = FenEcheancierController::current()) {
        echeanciers->chronoDidChange(QVariant::fromValue<qlonglong>(ident), QVariant::fromValue(1));
        echeanciers->updateNbChrono();
    }
}

bool WindowDoors::frontBudgetProposal(bool completer)
{
    StdWindowController* open = completer ? static_cast<StdWindowController*>(FenCompleterBudgetController::current())
                                          : FenActualiserBudgetController::current();
    if (!open)
        return false;
    open->orderFront();
    return true;
}

void WindowDoors::askBudgetProposalMonths(StdWindowController* window, bool completer, const QList<long>& years,
                                          const std::function<void(long)>& take)
{
    if (completer)
        askCompleterBudgetNbMonth(window, years, take);
    else
        askActualiserBudgetNbMonth(window, years, take);
}

void WindowDoors::openBudgetProposal(bool completer, const BudgetProposalList& entries, long nbMonth, long devise)
{
    if (completer)
        FenCompleterBudgetController::open(entries, nbMonth, devise);
    else
        FenActualiserBudgetController::open(entries, nbMonth, devise);
}

int WindowDoors::openSaisie(StdWindowController* parent, const SaisieRequest& request)
{
    return openSaisieTransact(parent, request);
}

bool WindowDoors::createMacroFromTransact(StdWindowController* parent, const TRANSACT& trans)
{
    return ::createMacroFromTransact(parent, trans);
}

void WindowDoors::openGraphique(StdWindowController* parent, int mode, long ident, DOCUMENT& doc, long devise)
{
    openGraphiqueWindow(parent, false, mode, ident, doc, devise);
}
