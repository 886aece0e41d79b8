#pragma once
// The two safety nets of a user's documents: at every opening a dated copy of the whole package
// goes into the library's archives (Archives/<document name>/<date and time>.svd, a bounded number
// per document), and at a close the user is reminded, once a period has passed, to make a copy of
// their own somewhere else.
#include <QString>
#include <functional>

class DOCUMENT;

class BackupManager {
public:
    using Action = std::function<void()>;

    // Backups kept per document at most, whatever the parameter says.
    static constexpr long kMaxBackups = 50;

    static BackupManager& defaultManager();

    // Makes one backup of the package, then removes the oldest ones beyond n (taken within
    // 1..kMaxBackups); the new one is never removed. Exactly one action runs: actionOK after a
    // backup; after a failure the user chooses between not opening the document (actionNOK) and
    // opening it without a backup (actionOK).
    void sauvegardeAutomatique(const QString& url, long n, const Action& actionOK, const Action& actionNOK);
    // Counts the backups of a document's archive folder (every sub-folder is one) and names the
    // oldest: the first listed of the earliest time its name tells, or its folder's modification
    // time when the name is no date. True when at least one was found.
    // A backup of a package found damaged, which the user chose to open anyway: the next save
    // would replace what could not be read, so its bytes stay among the backups whatever the
    // number kept (no backup goes for it). False when the copy could not be made.
    static bool keepDamagedPackage(const QString& url);
    static bool scanSauvFolder(const QString& folder, long* count, QString* minName);
    // The folder name of a backup made at that time: the full date and time of the locale, with
    // the characters a file name can't hold or the reading turns back changed, and ".svd".
    static QString backupNameForTime(double time);

    // Before a close: once the reminder period has passed since the last manual copy, asks the
    // user to make one now (the shell's save-a-copy command), at the next close, or not before
    // another period (recorded in the package at once).
    // Whatever these record is kept in memory only for a package the user keeps without saving.
    void alertForManualSave(DOCUMENT* doc);
    // A manual copy was just made: recorded as now in the open document's parameters, or in those
    // of the package at url, and written at once.
    void didManualSaveForOpenedDocument(DOCUMENT* doc);
    void didManualSaveForClosedDocumentAtUrl(const QString& url);

private:
    BackupManager() = default;
};
