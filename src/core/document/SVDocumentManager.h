#pragma once
// Loads, saves, backs up and disposes of documents. One manager for the process.
//
// Loading reads every member file of the package in a fixed order (transactions, parameters,
// currencies, folders, categories, forecasts, schedules, macros, the four investment lists,
// analysis configurations, graph definitions, taxes, banks, accounts, payment means, synonyms,
// logos, categorisation rules), keeps whatever each reader gave, and reports the first member that
// failed by its code, with every fault the readers noted (member file, record, what was wrong).
// Then references that point nowhere are repaired in memory.
//
// Saving writes every member and copies every sub-folder into a fresh package: for a save of the
// document itself, a staging package of the save's own beside the document (StagingPackage),
// which then takes the place of the package on disk. At every moment of a staged save a complete
// package, old or new, is on disk under the document's name or, under that name too, in the
// save's hidden set-aside folder (SetAsidePackage), from which the next save, opening or listing
// of the folder puts it back. Nothing else beside the document is ever removed or renamed.
#include "document/StagingPackage.h"
#include "foundation/LoadIssues.h"

#include <QString>
#include <functional>
#include <memory>

class DOCUMENT;
class PendingSyncs;
class QObject;

// The member file or step that failed, by the code it is reported with.
enum class DocError : int {
    None = 0,
    Transact = 1,
    BeforeParam = 2,
    DocParam = 3,
    Devise = 4,
    Dossier = 5,
    Poste = 6,
    Chrono = 7,
    Prevision = 8,
    Macro = 9,
    Emprunt = 10,
    Titre = 11,
    Remunere = 12,
    Portfolio = 13,
    Analyse = 14,
    Taxe = 15,
    Banque = 16,
    Compte = 17,
    Moyen = 18,
    Graphique = 19,
    Regles = 20,
    AppliParam = 21,
    Synonyme = 22,
    Logo = 23,
    SearchesFolder = 24,
    GraphsFolder = 25,
    AnalyseFolder = 26,
    BudgetFolder = 27,
    SimulationFolder = 28,
    ImportFolder = 29,
    AttachedFolder = 30, // the "Documents" and the "logo" folders
};

// How a save goes.
struct SaveOptions {
    // Built in a staging package and swapped with the destination, the document's lastSave
    // advancing; else written straight into the destination.
    bool useTempFolder = true;
    // The window layer's progress message is closed once the files are written.
    bool doMessage = false;
    QObject* window = nullptr; // what alerts go on; application-modal when null
    // What the windows memorised at a close write into the package being written, given its URL,
    // once it holds every member and sub-folder and before it takes the destination's place: so
    // they reach the document only with the save, never when it fails. The package's "analyse",
    // "budget" and "graphs" folders are then not copied from the document's: this writes them.
    std::function<void(const QString& package)> memoriseWindows = {};
};

class SVDocumentManager {
public:
    using Action = std::function<void()>;

    static SVDocumentManager& defaultManager();

    // Releases everything the document holds, list by list, then the document itself. When it
    // is the current document the current document is cleared too, so nothing keeps pointing at
    // freed memory.
    void disposeDocument(std::unique_ptr<DOCUMENT> doc);
    // Empties every list of the document.
    void zeroDocument(DOCUMENT& doc);

    // Points the document at <cache folder>/<package name> in local storage; moves no file.
    // Its callers ignore the answer, which is always false.
    bool moveDocumentToCache(DOCUMENT* doc, const QString& cacheFolder);
    // Points the document at <root>/Documents/<package name> in the cloud storage after removing
    // (or trashing) the local cache package; false, leaving the document as it was, when the
    // cache can't be removed.
    bool moveCacheToDocument(DOCUMENT* doc, const QString& rootUrl);

    // ---- Loading ------------------------------------------------------------------------------

    // Fills the document from its package. Without a failure actionOK runs. Otherwise the faults
    // are logged and the user is asked, with the first of them, whether to open it anyway: yes
    // runs actionOK with what could be read; no disposes of the document (doc is then null)
    // before actionNOK runs.
    void loadDocument(std::unique_ptr<DOCUMENT>& doc, const Action& actionOK, const Action& actionNOK,
                      bool newPackage = false);
    // Reads every member of the package into the document, then repairs it; the code of the
    // first member that failed, None when none did. issues (may be null) gets every fault the
    // readers noted, in reading order.
    // A member a document must have that is missing or empty, or a member's place that holds no
    // regular file, counts as that member's failure; a new package (newPackage), still to be
    // saved for the first time, may lack any member.
    DocError loadDocumentInternal(const QString& url, DOCUMENT& doc, LoadIssues* issues = nullptr,
                                  bool newPackage = false);
    // A transaction naming a schedule the document lacks names none; one naming a category the
    // document lacks, in its main line or a split line, takes the document's default category.
    // Memory only: the next save writes the repair.
    void verifyAndRepear(DOCUMENT& doc);
    // The message of a code; "?" for None and for a value that is no code.
    static QString loadDocument_err_to_string(DocError code);
    // Asks, application-modally, whether to go on despite the failure of that code: to open the
    // document anyway (forSave false) or to save what could be written (forSave true). The
    // faults given are shown below the code's message, the first few of them. Its second button
    // runs actionOK, anything else actionNOK.
    // cause, when given, follows the code's message (what failed and why, as the system said).
    static void informDocErrorAndAskContinue(DocError code, bool forSave, const Action& actionOK,
                                             const Action& actionNOK, const QList<LoadIssue>& issues = {},
                                             const QString& cause = QString());

    // ---- Saving -------------------------------------------------------------------------------

    // The whole save of the document into the package at toURL; exactly one of the actions runs,
    // possibly after a question. Written straight into toURL (no staging folder), the package
    // must be another than the document's own (such a save is refused). A document the user keeps
    // without saving (DocContext::mayWriteAt) is never saved in its place, and nothing of it, not
    // even an attached file, is written into its package by a save elsewhere. A member that can't be
    // written is never dropped: the user may save the rest with that member's version from the
    // document's package, and when it has none the save is refused. Alerts give the system's
    // reason (a full disk, a refused permission).
    void saveDocument(DOCUMENT* doc, const QString& toURL, const SaveOptions& options, const Action& actionOK,
                      const Action& actionNOK);
    // A member file that could not be written, and the system's reason.
    struct MemberWriteFailure {
        DocError code;
        QString member;
        int error;
    };
    // Writes every member file into the package; None or the code of the first member that failed.
    DocError saveDocumentInternal(const QString& url, DOCUMENT& doc);
    // The same, every failed member appended to failures (may be null) in writing order.
    DocError saveDocumentInternal(const QString& url, DOCUMENT& doc, QList<MemberWriteFailure>* failures);
    // Copies the document's sub-folders into the resources folder; None or the first folder's code.
    // With replacing (a package that is to take the place of the document's own), their files
    // become second names of the document's (hard links: nothing to copy), a file that can't be
    // linked being copied and added to replacing, to be synced with the others before the swap.
    // Without memorised (the save's memoriseWindows writes them), the folders of memorised windows
    // are left out.
    DocError saveDocumentSubfolders(const DOCUMENT& doc, const QString& resources, PendingSyncs* replacing = nullptr,
                                    bool memorised = true);
    // Replaces <resources>/<folderName> by a copy of the source folder, or by links to its files
    // as above; false (logged) on failure.
    bool saveDocumentOneFolder(const QString& source, const QString& resources, const QString& folderName,
                               PendingSyncs* replacing = nullptr);
    // Prepares the package to write: the destination folder, then the empty staging package (made
    // and held by staging, which the save keeps until it ends) or, without staging, the
    // destination itself emptied of its remembered windows and searches, and its resources
    // folder. False with the system's error code when a step fails.
    bool getInitedSavingUrl(const QString& url, QString* temporaryUrl, QString* resourcesUrl, bool useTempFolder,
                            int* osError, StagingPackage* staging = nullptr);
    // The destination package exists afterwards. A package left aside by an interrupted save, with
    // none under its own name, is moved back rather than an empty folder made.
    bool createDestinationFolderIfNecessaryAtUrl(const QString& url, int* osError);
    // A fresh, locked and marked staging package of this process beside the destination, what
    // ended saves left there cleared first.
    bool getTemporaryDocumentForSavingUrl(const QString& url, StagingPackage* staging, int* osError);
    // Puts the staged package (on the destination's file system: a rename), without its mark, in
    // place of the destination, the old one waiting meanwhile in the save's own hidden set-aside folder. A
    // failure puts the old package back; a set-aside package that can't be removed once the new
    // one is in place is only logged (the next save beside it, or listing, removes it).
    bool swapSavedBundles(const QString& url, const QString& temporaryUrl, int* osError);

    // The package a save that ended between its two moves left in its hidden set-aside folder goes
    // back under its own name; nothing happens while the destination exists, and nothing but such
    // a folder is ever taken from. False with the system's code when the move fails.
    static bool restoreInterruptedSave(const QString& url, int* osError);

    // The window layer closes its progress message through this, when a save asks for messages.
    void setProgressMessageCloser(Action closer) { m_closeProgressMessage = std::move(closer); }

private:
    SVDocumentManager() = default;

    struct LoadRun;
    void loadLedgerMembers(LoadRun& run);
    void loadInvestmentMembers(LoadRun& run);
    void loadReferenceMembers(LoadRun& run);
    static void noteLinkedSubfolders(LoadRun& run);
    void finishSave(DOCUMENT* doc, const QString& toURL, const QString& temporaryUrl, const SaveOptions& options,
                    PendingSyncs& syncs, const Action& actionOK, const Action& actionNOK);
    bool removeMemorisedFolders(const QString& url, int* osError);
    // Puts the document's stored version of each failed member into the package being written;
    // false (the failure's reason updated) when one has none or it can't be copied.
    bool keepPreviousMembers(const DOCUMENT& doc, const QString& writeUrl, QList<MemberWriteFailure>* failures);

    Action m_closeProgressMessage;
};
