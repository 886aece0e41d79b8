#pragma once
// The document the entry engines are tested on, and dialogs answered from a queue.
//   user bank 10: accounts 7 (a cheque book and a card) and 9
//   payees bank 11: accounts 22 and 23; cash bank 12: account 30
#include "engines/SaisieChecks.h"

#include "document/DocumentSession.h"
#include "foundation/SystemClock.h"
#include "foundation/dates.h"
#include "model/DOCUMENT.h"
#include "support/TestDocument.h"
#include "support/TestFiles.h"

#include <QStringList>
#include <gtest/gtest.h>

#include <deque>

namespace saisietest {

inline double at(long day, long month, long year)
{
    double t = 0;
    dmyToDate(day, month, year, &t);
    return t;
}

// A function, not a constant: the shared calendar must not be made before the test environment
// has set the time zone.
inline double today()
{
    return at(15, 6, 2024) + 12 * 3600.0;
}

// Answers each question from a queue (an empty queue answers the first button) and writes down
// every message as "refuse <key>" or "ask <key>".
class QueuedDialogs : public SaisieDialogs {
public:
    std::deque<bool> answers;
    QStringList shown;
    int beeps = 0;

    void refuse(const QString& key, const QString& /*imageName*/, bool beep) override
    {
        shown << QStringLiteral("refuse ") + key;
        beeps += beep ? 1 : 0;
    }
    bool ask(const QString& key, const QString&, const QString&, const QString&, Safe) override
    {
        shown << QStringLiteral("ask ") + key;
        if (answers.empty())
            return true;
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

class SaisieDocument : public ::testing::Test {
protected:
    DOCUMENT doc {QString(), kFileSystemLocal};

    SaisieDocument()
    {
        SystemClock::setNowForTesting(today());
        doc.deviseHdl = Devise::defaultDevises();
        testenv::addDefaultDocParam(doc);
        testenv::addBanks(doc, {7, 9}, {22, 23});
        doc.banqueHdl.append(testenv::tool(kToolBanque, 12, kBanqueLiquide));
        doc.compteHdl.append(testenv::tool(kToolCompte, 30, kBanqueLiquide, 12));
        DocumentSession::adopt(doc);
    }
    ~SaisieDocument() override
    {
        DocumentSession::close();
        SystemClock::setNowForTesting(std::nullopt);
    }

    MONTANT euros(double value) const
    {
        MONTANT m;
        m.makeMontant(0, value, doc.deviseHdl);
        return m;
    }
    // An expense of 7 to 22 of that amount, category 1, dated today.
    TRANSACT expense(double value) const
    {
        TRANSACT t;
        t.when = today();
        t.who1 = 7;
        t.who2 = 22;
        t.posteID = 1;
        t.moyen = 7;
        t.solde = euros(value);
        return t;
    }
};

} // namespace saisietest
