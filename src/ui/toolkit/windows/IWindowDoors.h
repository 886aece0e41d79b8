#pragma once
// The doors through which one family of windows opens another's: the schedule and forecast
// editors, the budget proposals, the entry window, the macro editor, the graph window and the
// transaction listings. Each family of windows can then change without the others knowing its
// classes. The application installs the doors at start-up; with none installed no such window
// opens and every door answers failure.
#include "engines/ChronoManager.h"
#include "engines/SaisieEntry.h"
#include "toolkit/windows/ListingWithCritere.h"
#include "toolkit/windows/TransListOpening.h"

#include <QList>

#include <functional>

class DOCUMENT;
class Prevision;
class StdWindowController;
class TRANSACT;

// The entities whose listing opens on their identifier alone.
enum class EntityListing { Dossier, Poste, Chrono, Titre, Remunere, Emprunt };

class IWindowDoors {
public:
    virtual ~IWindowDoors() = default;

    // The schedule editor, then the forecast editor, on a copy of the document's schedule or
    // forecast of that ident, stored in its place on OK; false when the ident is unknown or the
    // editor was cancelled.
    virtual bool editEcheancierClone(StdWindowController* parent, DOCUMENT& doc, long ident) = 0;
    virtual bool editIndexedPrevision(StdWindowController* parent, DOCUMENT& doc, long ident) = 0;
    // The forecast editor on a forecast the caller owns: true when it closed with OK.
    virtual bool editPrevision(StdWindowController* parent, DOCUMENT& doc, Prevision& prevision) = 0;
    // The schedules window while it is open, else null.
    virtual StdWindowController* echeanciersWindow() = 0;
    // In the open schedules window: a new forecast (else a new schedule) of the category made
    // through its editor; false when the window is not open.
    virtual bool createChronoInEcheanciers(bool prevision, long posteID) = 0;
    // The open schedules window, if any, lists the forecast of that ident anew and selects it.
    virtual void showPrevisionInEcheanciers(long ident) = 0;

    // The budget proposals: completer adds the forecasts the budget lacks, else the existing ones
    // are brought up to what their categories cost. Brings the open proposal window of that kind
    // to the front; false when none is open.
    virtual bool frontBudgetProposal(bool completer) = 0;
    // Asks modally on the window how many of the offered years the proposal looks back on; take
    // gets the months chosen, 0 when cancelled.
    virtual void askBudgetProposalMonths(StdWindowController* window, bool completer, const QList<long>& years,
                                         const std::function<void(long)>& take)
        = 0;
    virtual void openBudgetProposal(bool completer, const BudgetProposalList& entries, long nbMonth, long devise) = 0;

    // The entry window run modally on the request, on the parent's window when one is given; a
    // closing status of ITransactionWindows.h (kSaisieCancel with no doors).
    virtual int openSaisie(StdWindowController* parent, const SaisieRequest& request) = 0;

    // A new macro made from the transaction, named and keyed in the macro editor; false when the
    // editor was cancelled.
    virtual bool createMacroFromTransact(StdWindowController* parent, const TRANSACT& trans) = 0;

    // The graph of the entity (a mode of GRAPH.h and its ident), asked through the graph editor.
    virtual void openGraphique(StdWindowController* parent, int mode, long ident, DOCUMENT& doc, long devise) = 0;

    // The transaction listings; each answers the listing's window controller, null when it
    // can't be had. A plain listing over the opening, shown as the opening says.
    virtual StdWindowController* openListing(TransListOpening opening) = 0;
    // A listing over a criterion and its result, its account and bank the criterion's.
    virtual StdWindowController* openListingWithCritere(ListingWithCritere request, DOCUMENT& doc) = 0;
    // The entity's listing: the open one brought to the front when show is set, else a new one;
    // null for an entity the document doesn't have.
    virtual StdWindowController* openEntityListing(EntityListing kind, DOCUMENT& doc, long ident, long devise,
                                                   bool show)
        = 0;
    // The listing of a payment means (family) of the account, or of the synonym when synonymeID
    // >= 0; null for a means without an account.
    virtual StdWindowController* openListingMoyen(DOCUMENT& doc, long compteID, int family, long synonymeID,
                                                  long devise, bool show)
        = 0;
    // The open listing of the entity, else null.
    virtual StdWindowController* entityListingWindow(EntityListing kind, long ident) = 0;
    // The tax's declaration, asked on the parent's window, then its statement in a new window;
    // null when the question was cancelled.
    virtual StdWindowController* openListingDeclaration(StdWindowController* parent, DOCUMENT& doc, long taxeID,
                                                        long devise, bool show)
        = 0;
};

// The installed doors, or null. They outlive every caller; uninstall before deleting them.
IWindowDoors* windowDoors();
void installWindowDoors(IWindowDoors* doors);
