#pragma once
// The process-wide state that an open document brings: built when a document opens, reset when
// it closes, so two documents never mix and every test starts clean. Which document is open, and
// the reset, belong to the store alone: DocumentSession opens and closes, DocumentOpener loads,
// SVDocumentManager disposes of a document. The indexes derived from a document's lists (account
// tree, schedules, forecasts) and its attached files waiting for removal belong to the DOCUMENT
// itself; the currency slot windows open in belongs to the model (MONTANT::currentDeviseSlot) and
// is reset with this state.
#include "engines/Critere.h"

#include <QStringList>
#include <memory>
#include <optional>

class DOCUMENT;
class DocumentMark;
class QObject;

class DocContext {
public:
    static DocContext& instance();

    // The open document, owned by whoever opened it; null when none is.
    DOCUMENT* document() const { return m_document; }

    double lastEnteredDate = 0; // date of the last transaction typed in the entry window
    // The criterion the search window edits, made when a document opens (restoreLastSearch).
    std::optional<Critere> currentSearchCritere;
    // The files of the open document's saved searches, read when the document opens and again
    // when the search window opens, and the one the window is on (-1 none).
    QStringList savedSearchList;
    long selectedSavedSearch = -1;
    // The files of the open document's saved loan simulations, in the order the simulation pop-up
    // lists them (see SimulationFile.h).
    QStringList simulationList;
    // The open document's mark (DocumentMark.h), held until it closes.
    std::shared_ptr<DocumentMark> openMark;
    // The user chose at opening to keep a document whose package can't be written where it is
    // open without saving it (see mayWriteAt).
    bool keptWithoutSaving = false;

    // The one question every write into a document's package asks first, saves included: may
    // that place be written now? Never the open document's package, nor anything in it, once the
    // user chose to keep it without saving: what can wait then stays in memory, and a change that
    // can't wait is refused with alertNotWritten. Any other place may be written.
    static bool mayWriteAt(const QString& place);
    // Tells the user, on the window (application-modal when null), that the open package is not
    // written: the message of the key (table "Dialogue"), with the place that can't take a save
    // under it while there still is one.
    static void alertNotWritten(const QString& dialogueKey, QObject* window = nullptr);
    // Before a change that goes into the open package at once (a password, a saved search, a
    // logo): true when it may not be made there, the user then told so on the window.
    static bool refusesChangeInPackage(QObject* window = nullptr);

private:
    friend class DocumentSession;
    friend class DocumentOpener;
    friend class SVDocumentManager;

    // Forgets the document and everything derived from it.
    static void reset();

    DOCUMENT* m_document = nullptr;
};

// Shorthand for the open document.
inline DOCUMENT* currentDocument()
{
    return DocContext::instance().document();
}

// A document was opened: the entry date restarts from now.
void transactLibDidOpenDocument();
// The date a new transaction or a macro's transaction starts with: the date last entered when the
// user's entry option (optionSaisieDate 1) asks for it, else now.
double dateForNewTransact();
