#pragma once
// The import's windows, questions, entry routine and timer for core tests: installed for the
// length of a test, answering from what the test sets, writing down what was asked; the timer
// runs when the test says so.
#include "import/ImportManager.h"
#include "model/ITransactionWindows.h"

#include <QList>
#include <QStringList>

#include <deque>
#include <functional>
#include <vector>

class FakeImportServices : public IImportReview, public IImportQuestions, public IImportEntry, public IImportScheduler {
public:
    FakeImportServices() { ImportManager::sharedInstance().installServices({this, this, this, this}); }
    ~FakeImportServices() override
    {
        ImportManager::goodbye();
        ImportManager::sharedInstance().installServices({});
    }
    FakeImportServices(const FakeImportServices&) = delete;
    FakeImportServices& operator=(const FakeImportServices&) = delete;

    // ---- Review and editor
    bool reviewAnswer = true;
    int reviews = 0;
    long reviewedCompte = -1;
    ImportRows editorRows;
    ImportEndBlock editorBlock;
    QList<bool> progress;

    void openTabImportEditor(const ImportRows& rows, int, long, int, const QString&, ImportEndBlock endBlock) override
    {
        editorRows = rows;
        editorBlock = std::move(endBlock);
    }
    bool validateParsedArray(QObject*, const ImportRecords&, int, long compteID, int) override
    {
        ++reviews;
        reviewedCompte = compteID;
        return reviewAnswer;
    }
    void setProgressRunning(QObject*, bool running) override { progress.append(running); }

    // ---- Questions
    int poursuivreAnswer = 1;
    QStringList poursuivreAsked;
    std::deque<QString> names; // typed one after the other; none left: Cancel
    int nameQuestions = 0;

    int askPoursuivre(QObject*, const QString& resource, const QString&, bool, bool) override
    {
        poursuivreAsked.append(resource);
        return poursuivreAnswer;
    }
    bool askStringModal(QObject*, const QString&, const QString&, QString* answer) override
    {
        ++nameQuestions;
        if (names.empty())
            return false;
        *answer = names.front();
        names.pop_front();
        return true;
    }

    // ---- Entry routine: answers in turn, then kSaisieOK; edit may change the transaction first.
    std::deque<int> answers;
    std::function<void(TRANSACT&)> edit;
    std::vector<TRANSACT> offered;
    QList<bool> reuseFrames;

    int openSaisieTransact(QObject*, TRANSACT& trans, long, bool reuseFrame) override
    {
        offered.push_back(trans);
        reuseFrames.append(reuseFrame);
        if (edit)
            edit(trans);
        if (answers.empty())
            return kSaisieOK;
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    }

    // ---- Timer
    struct Call {
        Handle handle;
        int ms;
        std::function<void()> fn;
    };
    std::vector<Call> pending;
    Handle nextHandle = 1;

    Handle after(int ms, std::function<void()> fn) override
    {
        pending.push_back({nextHandle, ms, std::move(fn)});
        return nextHandle++;
    }
    void cancel(Handle handle) override
    {
        std::erase_if(pending, [handle](const Call& call) { return call.handle == handle; });
    }
    // Fires the calls due, one at a time, until none is left or the count is reached; the number
    // fired.
    int tick(int count = 1000000)
    {
        int fired = 0;
        while (!pending.empty() && fired < count) {
            const Call call = pending.front();
            pending.erase(pending.begin());
            call.fn();
            ++fired;
        }
        return fired;
    }
};
