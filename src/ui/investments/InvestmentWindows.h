#pragma once
// What the rest of the program calls of the loan simulator and of the online side of the security
// editor: open the simulator (from the menu, the loans window or a loan's listing), and build the
// ticker search, quote update and quote history into a security editor.
#include <QString>

#include <functional>

class DOCUMENT;
class FINANCE;
class FenSimulationController;
class QWidget;
class StdWindowController;
class TitreQuotePanel;

// Opens the loan simulator, or brings the open one to the front; null without a document.
FenSimulationController* openSimulation();
// The simulator on the saved simulation at that position of the document's list (a loan's
// listing opens the simulation named like its loan); null without a document or for a position
// outside the list.
FenSimulationController* openSimulationAtIndex(long index);
// Whoever shows the loans window: once a simulation became a loan, the simulator asks it to show
// the loan of that name. The loans window installs it; an empty one uninstalls.
void setEmpruntShower(std::function<void(const QString& nom)> shower);

// What the security editor hands to its online side.
struct TitreQuoteHooks {
    std::function<FINANCE*()> titre; // the security being edited (the editor's copy)
    std::function<bool()> read; // the editor's READ: keeps what the user typed
    std::function<void()> fill; // the editor's FILL: shows the security again
};

// Builds the search field, the ticker pop-up, the buttons, the period pop-up and the history graph
// into a panel owned by parent, for the editor's window. The editor asks for the first history
// (historique) once it is filled, and calls the panel's FILL from its own.
TitreQuotePanel* addTitreQuotePanel(StdWindowController& editor, DOCUMENT* doc, const TitreQuoteHooks& hooks,
                                    QWidget* parent);
