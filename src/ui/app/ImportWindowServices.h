#pragma once
// The windows, questions, entry routine and timer the import manager uses, as this program shows
// them: the tab import editor, the review, the statement window's progress indicator, the
// toolkit's questions, the transaction entry window and the host's scheduler (in the mode that
// waits while a modal window is open). The application delegate installs one at start-up; window
// tests install one of their own.
#include "import/ImportServices.h"

class ImportWindowServices : public IImportReview,
                             public IImportQuestions,
                             public IImportEntry,
                             public IImportScheduler {
public:
    ImportServices services() { return {this, this, this, this}; }

    void openTabImportEditor(const ImportRows& rows, int format, long compteID, int devise, const QString& encoding,
                             ImportEndBlock endBlock) override;
    bool validateParsedArray(QObject* window, const ImportRecords& records, int format, long compteID,
                             int devise) override;
    void setProgressRunning(QObject* window, bool running) override;

    int askPoursuivre(QObject* window, const QString& resource, const QString& otherButton, bool showNo,
                      bool noIsDefault) override;
    bool askStringModal(QObject* window, const QString& promptKey, const QString& initialText,
                        QString* answer) override;

    int openSaisieTransact(QObject* window, TRANSACT& trans, long compteID, bool reuseFrame) override;

    Handle after(int ms, std::function<void()> fn) override;
    void cancel(Handle handle) override;
};
