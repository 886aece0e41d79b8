#pragma once
// The one operation that opens a document completely and the one that closes it.
//
// Opening goes from a package on disk to a document the windows can show: the password, the
// automatic backup, the version gate and the loading with its repairs (DocumentOpener); then the
// process-wide state the open document brings (its currency slot, the last search, the account
// tree, the indexes of schedules and forecasts, the current graph, the saved simulations), a new
// document's first save, the statements, and, once the window layer has shown the document, the
// due pass through the application shell. Closing releases all of it, disposes of the document and
// resets the process-wide state, so two documents never mix and nothing outlives a document.
//
// A document built in memory (by a test, a benchmark or a tool) becomes the open one through
// adopt, which builds the same state from it.
#include "document/DocumentOpener.h"

#include <QString>
#include <memory>

class DOCUMENT;

// What opening a document asks of the window layer, which hands itself in.
class IOpeningShell : public IOpenPrompts {
public:
    // The document is open, its state built and its statements computed (crea for a new one):
    // the window layer shows it, before the due pass may put its own window over it.
    virtual void showOpenedDocument(DOCUMENT& doc, bool crea) = 0;
};

class DocumentSession {
public:
    // Opens the package at url (crea false), or creates the document of a new package whose folder
    // exists (crea true), and makes it the open document; true when it is open. *doc holds the
    // document from its loading on (the shell may ask for it while it shows it). On failure *doc
    // is null and nothing is open: the user gave up at a question or at the password, the backup,
    // the version gate or the loading refused, or a new document could not be saved.
    static bool open(const QString& url, std::unique_ptr<DOCUMENT>* doc, bool crea, int fileSystemTag,
                     IOpeningShell& shell);
    // Makes the document, already in memory and owned by the caller, the open one with the state
    // an opening builds and its statements computed; whatever was open before is closed first.
    static void adopt(DOCUMENT& doc);
    // Closes the open document: releases what the opening built, disposes of doc, and resets the
    // process-wide state.
    static void close(std::unique_ptr<DOCUMENT> doc);
    // The same for a document adopted from its owner, which keeps it. With nothing open it only
    // makes sure that nothing is left.
    static void close();

private:
    static void buildDocumentState(DOCUMENT& doc, bool crea);
    static void computeDocument(DOCUMENT& doc);
    static bool saveNewDocument(DOCUMENT& doc);
    static void releaseDocumentState();
};
