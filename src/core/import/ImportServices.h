#pragma once
// What the import needs from outside the core: the windows it shows, the questions it asks, the
// transaction entry routine and the program's timer. The window layer installs one of each at
// start-up (ImportManager::installServices); core tests install fakes. Every operation is pure
// virtual, so a forgotten one is a compile error in the window layer, never a silent no-op.
#include "import/ImportRecord.h"

#include <cstdint>
#include <functional>

class QObject;
class TRANSACT;

// Receives the records of a parse: at once for QIF and OFX, when the user presses the import
// button of the tab import editor for tab and CSV files.
using ImportEndBlock = std::function<void(ParsedImport parsed)>;

// The import's own windows and the statement window that started the run.
class IImportReview {
public:
    virtual ~IImportReview() = default;
    // Opens the tab import editor on the rows of a tab (0) or CSV (1) file for that account and
    // currency slot. The block gets the records the editor builds when the user presses its
    // import button, and is never called when the user closes the editor.
    virtual void openTabImportEditor(const ImportRows& rows, int format, long compteID, int devise,
                                     const QString& encoding, ImportEndBlock endBlock)
        = 0;
    // Runs the review of the records modally on the window (none: application-modal); true when
    // the user confirmed.
    virtual bool validateParsedArray(QObject* window, const ImportRecords& records, int format, long compteID,
                                     int devise)
        = 0;
    // Starts or stops the progress indicator of the window that started the run.
    virtual void setProgressRunning(QObject* window, bool running) = 0;
};

// Questions of the toolkit.
class IImportQuestions {
public:
    virtual ~IImportQuestions() = default;
    // The continue question whose text is the assistant page of that name, with an extra button
    // titled otherButton when it is not empty and a No button when showNo is set: 1 yes, 0 no,
    // 2 the extra button.
    virtual int askPoursuivre(QObject* window, const QString& resource, const QString& otherButton, bool showNo,
                              bool noIsDefault)
        = 0;
    // The text question with the prompt of that key of table "Dialogue" and the proposed text:
    // true and the typed text on OK, false on Cancel.
    virtual bool askStringModal(QObject* window, const QString& promptKey, const QString& initialText, QString* answer)
        = 0;
};

// The transaction entry routine for one imported record.
class IImportEntry {
public:
    virtual ~IImportEntry() = default;
    // Shows the transaction in the entry window, modal on the window, for an import into the
    // account (its payment family and synonym from the transaction, no stored position, not
    // real, not a simulation, no repeat; at the place of the previous entry window when
    // reuseFrame is set). On 1 (import this one) and 2 (import all the rest) the user's edits
    // are in trans, importTouched set when the user changed it; -2 stops the import; any other
    // answer skips the record (kSaisieOK, kSaisieImportAll, kSaisieStopImport of
    // ITransactionWindows.h). Nothing is stored.
    virtual int openSaisieTransact(QObject* window, TRANSACT& trans, long compteID, bool reuseFrame) = 0;
};

// The program's timer, in the mode that waits while a modal window or an alert is open.
class IImportScheduler {
public:
    using Handle = std::uint64_t; // never 0

    virtual ~IImportScheduler() = default;
    // Calls fn once, on the main thread, after ms milliseconds.
    virtual Handle after(int ms, std::function<void()> fn) = 0;
    // The call will not happen; nothing for a handle already fired or cancelled.
    virtual void cancel(Handle handle) = 0;
};

struct ImportServices {
    IImportReview* review = nullptr;
    IImportQuestions* questions = nullptr;
    IImportEntry* entry = nullptr;
    IImportScheduler* scheduler = nullptr;
};
