#pragma once
// What the model, the store and the engines ask of the application shell. The shell installs
// itself at start-up and implements every pure operation; with none installed (the engines'
// tests, a tool run) the callers take the answer of "no document, nothing to show".
#include <QList>
#include <QString>

class AWAKE;
class DOCUMENT;
class QObject;

class IAppShell {
public:
    virtual ~IAppShell() = default;

    // Whether a document is open.
    virtual bool bankIsOpen() const = 0;
    // Applies the tool-tip delay that follows the "helpOn" parameter.
    virtual void setToolTipDelay() = 0;
    // Lets the user save a copy of the open document: the menu command, and the manual-copy
    // reminder's "Maintenant" (no sender).
    virtual void ENREGISTRER_COPIE(QObject* sender) = 0;
    // Refreshes currency rates, then security quotes, then tells the windows.
    virtual void actualizeExternalData() = 0;
    // Open the calendar and the calculator; the sender is the button or menu item.
    virtual void CALENDRIER(QObject* sender) = 0;
    virtual void CALCULETTE(QObject* sender) = 0;
    // The checkable menu item of the tool-palette command (its "checked" property is set), or
    // null.
    virtual QObject* menuItemPaletteOutil() = 0;

    // Whether the command of that action name ("ANALYSE:") can run now, as the menu bar and the
    // palettes show it: an item that would do nothing is disabled.
    virtual bool validateMenuAction(const QString& action) const = 0;

    // Opens the due-occurrences window on the list (the window sets each record's status and
    // writes the chosen ones) and answers its modal result; 0 means the user cancelled.
    virtual int showAwakeList(QList<AWAKE>& list, DOCUMENT* doc, const QString& info) = 0;
    // The palettes' commands, as the menu commands of the same names: open the search window,
    // the analysis, the budget, a graph, the favourites and the guide; the sender is the button or menu
    // item.
    virtual void RECHERCHE(QObject* sender) = 0;
    virtual void ANALYSE(QObject* sender) = 0;
    virtual void BUDGET(QObject* sender) = 0;
    virtual void GRAPHIQUE(QObject* sender) = 0;
    virtual void FAVORIS(QObject* sender) = 0;
    virtual void GUIDE(QObject* sender) = 0;
    // Runs the transaction entry for the document's macro at that position.
    virtual void MACRO(long index) = 0;
    // Creates a category in the folder of the item's tag, or an account in the bank of the
    // item's represented object, through its editor (modal on the window, when one is given);
    // the new ident, -1 when cancelled.
    virtual long CREATE_POSTE(QObject* window, QObject* item) = 0;
    virtual long CREATE_COMPTE(QObject* window, QObject* item) = 0;
};

// The installed shell, or nullptr. The shell outlives every caller; uninstall before deleting it.
IAppShell* appShell();
void installAppShell(IAppShell* shell);

// Asks the shell whether a document is open; false when no shell is installed.
bool isBankOpen();
