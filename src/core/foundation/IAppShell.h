#pragma once
// What the model, the store and the engines ask of the application shell. The shell installs
// itself at start-up; with none installed (the engines' tests, a tool run) every question gets
// the answer of "no document, nothing to show".
#include <QList>
#include <QString>

class AWAKE;
class DOCUMENT;

class IAppShell {
public:
    virtual ~IAppShell() = default;

    // Whether a document is open.
    virtual bool bankIsOpen() const { return false; }
    // Applies the tool-tip delay that follows the "helpOn" parameter.
    virtual void setToolTipDelay() {}
    // Lets the user save a copy of the open document (the manual-save reminder's "Maintenant").
    virtual void ENREGISTRER_COPIE() {}
    // Refreshes currency rates, then security quotes, then tells the windows.
    virtual void actualizeExternalData() {}
    // Opens the due-occurrences window on the list (the window sets each record's status and
    // writes the chosen ones) and answers its modal result; 0 means the user cancelled.
    virtual int showAwakeList(QList<AWAKE>& /*list*/, DOCUMENT* /*doc*/, const QString& /*info*/) { return 0; }
};

// The installed shell, or nullptr. The shell outlives every caller; uninstall before deleting it.
IAppShell* appShell();
void installAppShell(IAppShell* shell);

// Asks the shell whether a document is open; false when no shell is installed.
bool isBankOpen();
