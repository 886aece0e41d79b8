#pragma once
// The saved searches of the search window: choosing one (after saving the one the window was on),
// saving the criterion under a new name, saving it again, renaming and deleting. The list and the
// chosen one are the document context's (savedSearchList, selectedSavedSearch); the files are the
// document's "searches" folder, changed at once.
//
// A name the user types must make a file of that folder: an empty one, one with "/" or starting
// with "." is refused with a message, as is the name of another saved search. No write ever
// removes a saved search before its new content is safely on disk.
#include <QString>

class DOCUMENT;
class FenRechercheController;

class RechercheConfigurations {
public:
    explicit RechercheConfigurations(FenRechercheController& window);

    // The saved search at that position becomes current and fills the criterion; below 0 the
    // criterion goes back to its defaults. The search the window was on is saved first; when that
    // fails, the window stays on it.
    void RECHERCHE(long tag);
    // Asks a name and saves the criterion under it as a new saved search, which becomes current.
    void CREER();
    // Reads the window into the criterion and, with a current saved search, writes it into that
    // search's file; false when the write failed (the user has been told).
    bool ENREGISTRER();
    // After confirmation, deletes the current saved search; the criterion stays as it is.
    void SUPPRIMER();
    // Asks a new name for the current saved search and renames its file.
    void RENOMMER();

private:
    static DOCUMENT* document();
    static QString currentURL();
    // Asks a name with the prompt; the file name for it, or empty when cancelled or refused.
    QString askFileName(const QString& promptKey, const QString& initialText, const QString& unchanged) const;
    void alert(const QString& key, const QString& information) const;
    // The name the document reopens its last search by.
    static void setLastSearch(const QString& name);

    FenRechercheController& m_window;
};
