#pragma once
// The doors between the families of windows (the contract of IWindowDoors), each opening the
// real window of its family; installed by the application at start-up (and by the window tests,
// which open these windows without an application).
#include "toolkit/windows/IWindowDoors.h"

class WindowDoors : public IWindowDoors {
public:
    // The doors hold nothing of their own: one set lives for the whole program, so installing it
    // never needs undoing.
    static WindowDoors& shared();

    bool editEcheancierClone(StdWindowController* parent, DOCUMENT& doc, long ident) override;
    bool editIndexedPrevision(StdWindowController* parent, DOCUMENT& doc, long ident) override;
    bool editPrevision(StdWindowController* parent, DOCUMENT& doc, Prevision& prevision) override;
    StdWindowController* echeanciersWindow() override;
    bool createChronoInEcheanciers(bool prevision, long posteID) override;
    void showPrevisionInEcheanciers(long ident) override;
    bool frontBudgetProposal(bool completer) override;
    void askBudgetProposalMonths(StdWindowController* window, bool completer, const QList<long>& years,
                                 const std::function<void(long)>& take) override;
    void openBudgetProposal(bool completer, const BudgetProposalList& entries, long nbMonth, long devise) override;
    int openSaisie(StdWindowController* parent, const SaisieRequest& request) override;
    bool createMacroFromTransact(StdWindowController* parent, const TRANSACT& trans) override;
    void openGraphique(StdWindowController* parent, int mode, long ident, DOCUMENT& doc, long devise) override;
    StdWindowController* openListing(TransListOpening opening) override;
    StdWindowController* openListingWithCritere(ListingWithCritere request, DOCUMENT& doc) override;
    StdWindowController* openEntityListing(EntityListing kind, DOCUMENT& doc, long ident, long devise,
                                           bool show) override;
    StdWindowController* openListingMoyen(DOCUMENT& doc, long compteID, int family, long synonymeID, long devise,
                                          bool show) override;
    StdWindowController* entityListingWindow(EntityListing kind, long ident) override;
    StdWindowController* openListingDeclaration(StdWindowController* parent, DOCUMENT& doc, long taxeID, long devise,
                                                bool show) override;
};
