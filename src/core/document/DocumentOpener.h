#pragma once
// The opening of a document up to the moment its member files are loaded: the document's mark
// (refused while another running copy of the program has it open), the repair of a save that was
// interrupted, the message about a document that is missing (and the question about the document
// of its name with ".old" beside it), the refusal of a folder that holds no document, the question
// about a package that can't be saved where it is (opened without saving, or a writable copy
// opened instead), the password, the application parameters, the automatic backup, the version
// gate, then the DOCUMENT itself, and once it is accepted the version written back into the
// package. It is the first stage of DocumentSession::open, which builds the rest of the open
// document's state.
//
// Every question goes through the installed alerts; the password through the prompts the caller
// hands in, so the sequence runs the same with windows and in tests.
#include <QString>
#include <memory>

class BEFOREPARAM;
class DOCUMENT;
enum class DocError : int;

class IOpenPrompts {
public:
    virtual ~IOpenPrompts() = default;
    // Asks for the password of a protected package (stored.hasPassword() is true) until the user
    // types one that stored.passwordMatches, or gives up; true only in the first case.
    virtual bool askDocumentPassword(const BEFOREPARAM& stored, const QString& packageUrl) = 0;
};

class DocumentOpener {
public:
    // Opens the package at url (crea false) or a new package whose folder exists (crea true). On
    // success *doc holds the loaded document, which is also the current document, and the answer
    // is true. On failure *doc is null and nothing is current: the user gave up at a question or
    // at the password, the backup or the version gate refused, or the loading was abandoned.
    static bool doOpen(const QString& url, std::unique_ptr<DOCUMENT>* doc, bool crea, int fileSystemTag,
                       IOpenPrompts& prompts);
    // Writes the package's "beforeparam.xml" as read (version and password of a new document when
    // there is none); None when written, the code of "beforeparam.xml" when not.
    static DocError doOpen_step_create_beforeParam(const QString& url);

private:
    struct Opening;
    static bool takeMark(Opening& opening);
    static bool passReadOnly(Opening& opening);
    static bool openWritableCopy(Opening& opening, const QString& copy, int copyTag);
    static void dropWritableCopy(const Opening& opening);
    static bool repairInterruptedSave(const QString& url);
    static bool passMissing(const QString& url);
    static bool takeBackLegacy(const QString& legacy, const QString& url);
    static bool isDocument(const QString& url);
    static bool rewriteBeforeParam(const QString& url);
    static bool passPassword(const QString& url, IOpenPrompts& prompts);
    static bool makeBackup(const QString& url);
    static bool passVersionGate(const QString& url);
    static bool loadStage(const QString& url, std::unique_ptr<DOCUMENT>* doc, bool crea, int fileSystemTag);
    static bool runStages(Opening& opening, std::unique_ptr<DOCUMENT>* doc, bool crea, IOpenPrompts& prompts);
};
