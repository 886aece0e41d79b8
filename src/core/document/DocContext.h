#pragma once
// The process-wide state that an open document brings: built when a document opens, reset when
// it closes, so two documents never mix and every test starts clean. Which document is open, and
// the reset, belong to the store alone: DocumentSession opens and closes, DocumentOpener loads,
// SVDocumentManager disposes of a document.
#include "engines/Critere.h"
#include "model/ToolTree.h"

#include <QStringList>
#include <optional>

class DOCUMENT;

class DocContext {
public:
    static DocContext& instance();

    // The open document, owned by whoever opened it; null when none is.
    DOCUMENT* document() const { return m_document; }

    int currentDeviseSlot = 0; // the currency slot windows open in (0..4)
    double lastEnteredDate = 0; // date of the last transaction typed in the entry window
    ToolNodeList toolTree; // banks and their accounts as the windows show them
    // The accounts of the bank last taken out of the tree, for its reinsertion under a new name.
    ToolNodeList savedToolSubList;
    // Stored names of attached files that no longer belong to a transaction; they are removed
    // from the package once a save has written transactions that no longer name them.
    QStringList storedDocToDeleteArray;
    // The criterion the search window edits, made when a document opens (restoreLastSearch).
    std::optional<Critere> currentSearchCritere;
    // The files of the open document's saved searches, refilled when the search window opens and
    // when the last search is restored, and the one chosen or last saved (-1 none).
    QStringList savedSearchList;
    long selectedSavedSearch = -1;
    // Idents of the schedules in the order of their names, case ignored (see ECHEANCIER.h).
    QList<long> echeancierIndex;
    // Idents of the document's forecasts in name order, for the schedule window (PrevisionManager).
    QList<long> previsionIndex;
    // The files of the open document's saved loan simulations, in the order the simulation pop-up
    // lists them (see SimulationFile.h).
    QStringList simulationList;

private:
    friend class DocumentSession;
    friend class DocumentOpener;
    friend class SVDocumentManager;

    // Forgets the document and everything derived from it.
    static void reset();

    DOCUMENT* m_document = nullptr;
};

// Shorthands for the open document and its currency slot.
inline DOCUMENT* currentDocument()
{
    return DocContext::instance().document();
}
