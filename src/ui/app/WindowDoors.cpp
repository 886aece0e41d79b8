#include "app/WindowDoors.h"

#include "analysis/FenActualiserBudgetController.h"
#include "analysis/FenAskBudgetNbMonthController.h"
#include "analysis/FenCompleterBudgetController.h"
#include "entities/FenAskDeclarationController.h"
#include "entities/FenEditMacroController.h"
#include "graphs/FenGraphiqueController.h"
#include "schedules/FenEcheancierController.h"
#include "schedules/ScheduleEditors.h"
#include "transactions/FenListingChronoController.h"
#include "transactions/FenListingDossierController.h"
#include "transactions/FenListingEmpruntController.h"
#include "transactions/FenListingMoyenController.h"
#include "transactions/FenListingPosteController.h"
#include "transactions/FenListingRemunereController.h"
#include "transactions/FenListingTaxeController.h"
#include "transactions/FenListingTitreController.h"
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

StdWindowController* WindowDoors::openListing(TransListOpening opening)
{
    return openTransListWindow<FenListingController>(std::move(opening));
}

StdWindowController* WindowDoors::openListingWithCritere(ListingWithCritere request, DOCUMENT& doc)
{
    return ::openListingWithCritere<FenListingController>(std::move(request), doc);
}

StdWindowController* WindowDoors::openEntityListing(EntityListing kind, DOCUMENT& doc, long ident, long devise,
                                                    bool show)
{
    switch (kind) {
    case EntityListing::Dossier:
        return ::openListingDossier(doc, ident, devise, show);
    case EntityListing::Poste:
        return ::openListingPoste(doc, ident, devise, show);
    case EntityListing::Chrono:
        return openListingChrono(doc, ident, devise, show);
    case EntityListing::Titre:
        return openListingTitre(doc, ident, devise, show);
    case EntityListing::Remunere:
        return openListingRemunere(doc, ident, devise, show);
    case EntityListing::Emprunt:
        return openListingEmprunt(doc, ident, devise, show);
    }
    return nullptr;
}

StdWindowController* WindowDoors::openListingMoyen(DOCUMENT& doc, long compteID, int family, long synonymeID,
                                                   long devise, bool show)
{
    return ::openListingMoyen(doc, compteID, family, synonymeID, devise, show);
}

StdWindowController* WindowDoors::entityListingWindow(EntityListing kind, long ident)
{
    // Each listing is found on its entity's place among the identifiers the windows are sought by.
    switch (kind) {
    case EntityListing::Dossier:
        return findOpenWindowControllerExact<FenListingDossierController>(-1, ident, -1, -1, -1, -1, -1, -1);
    case EntityListing::Poste:
        return findOpenWindowControllerExact<FenListingPosteController>(-1, -1, ident, -1, -1, -1, -1, -1);
    case EntityListing::Chrono:
        return findOpenWindowControllerExact<FenListingChronoController>(-1, -1, -1, -1, ident, -1, -1, -1);
    case EntityListing::Titre:
        return findOpenWindowControllerExact<FenListingTitreController>(-1, -1, -1, -1, -1, ident, -1, -1);
    case EntityListing::Remunere:
        return findOpenWindowControllerExact<FenListingRemunereController>(-1, -1, -1, -1, -1, -1, ident, -1);
    case EntityListing::Emprunt:
        return findOpenWindowControllerExact<FenListingEmpruntController>(-1, -1, -1, -1, -1, -1, -1, ident);
    }
    return nullptr;
}

StdWindowController* WindowDoors::openListingDeclaration(StdWindowController* parent, DOCUMENT& doc, long taxeID,
                                                         long devise, bool show)
{
    return ::openListingDeclaration(doc, parent, taxeID, devise, show, askDeclaration);
}
