// The document check: which transactions count as broken, and what the user is told.
#include "document/DocumentCheck.h"

#include "engines/LISTING.h"
#include "foundation/localized.h"
#include "model/DOCUMENT.h"
#include "model/ITransactionWindows.h"
#include "support/FakeAlerts.h"
#include "support/OpenDocument.h"
#include "support/TestDocument.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

class ProblemWindows : public ITransactionWindows {
public:
    ProblemWindows() { installTransactionWindows(this); }
    ~ProblemWindows() override { installTransactionWindows(nullptr); }
    int openSaisieTransact(int, long, long, const MACRO*, bool) override { return kSaisieCancel; }
    QObject* openListingMoyen(long, int, long, int, bool) override { return nullptr; }
    QObject* openListingDossier(long, int, bool) override { return nullptr; }
    QObject* openListingPoste(long, int, bool) override { return nullptr; }
    QObject* openCompteWindow(long, bool) override { return nullptr; }
    QObject* openListingProblem(DOCUMENT&, std::unique_ptr<LISTING> listing, int) override
    {
        opened.push_back(listingCount(listing.get()));
        return nullptr;
    }
    std::vector<long> opened;
};

} // namespace

// Account 7 holds statements 2 (newest) and 1, account 9 none; 22 is a payee; 99 exists nowhere.
TEST(DocumentCheck, ListsTheBrokenTransactionsAndTellsTheUser)
{
    const std::tuple<long, long, long, long, bool> cases[] = {
        {7, 1, 22, -1, false}, // sound, ticked on the debit side
        {7, 2, 9, -1, false}, // a transfer ticked on one side
        {99, -1, 22, -1, true}, // debit account gone, no mark
        {7, -1, 99, -1, true}, // credit account gone
        {7, 5, 22, -1, true}, // ticked on a statement removed
        {22, -1, 7, 3, true}, // the same on the credit side
        {9, 0, 22, -1, true}, // statement 0, which the account never had
        {9, 1, 7, 1, true}, // ticked on another account's statement
    };
    DOCUMENT doc {QString(), kFileSystemLocal};
    testenv::addDefaultDocParam(doc);
    doc.deviseHdl = Devise::defaultDevises();
    testenv::addBanks(doc, {7, 9}, {22});
    ReleveList& releves = TOOL::getTool(kToolCompte, 7, &doc)->releves;
    releves.resize(2);
    releves[0].ident = 2;
    releves[1].ident = 1;
    for (const auto& c : cases) {
        TRANSACT t;
        std::tie(t.who1, t.releveID1, t.who2, t.releveID2, std::ignore) = c;
        t.solde = testenv::amount(10);
        doc.transact_array.append(t);
    }
    testenv::OpenDocument open(doc);
    const std::unique_ptr<LISTING> listing = findDocumentProblems(doc);
    ASSERT_TRUE(listing);
    std::vector<bool> listed(std::size(cases), false);
    for (const POS& pos : listing->posList)
        listed.at(size_t(pos.storageIndex)) = true;
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(listed[i], std::get<4>(cases[i])) << "case " << i;

    ProblemWindows windows;
    FakeAlerts alerts;
    const std::tuple<bool, bool, const char*, std::vector<long>, double> runs[] = {
        {true, false, "kConfirm_ProblemList", {6}, -10}, // the problems found
        {true, true, "kAlerte_noProblem", {}, -10}, // the empty listing handed in
        {false, false, "kAlerte_noProblem", {}, -20}, // only the sound transactions left
    };
    for (const auto& [broken, emptyGiven, alert, opened, newest] : runs) {
        if (!broken)
            doc.transact_array.resize(2);
        releves[0].solde = testenv::amount(1234);
        windows.opened.clear();
        alerts.expect(kAlertFirstButton);
        verifierDocument(emptyGiven ? newListing(ListingSort::Date2) : nullptr, doc);
        ASSERT_FALSE(alerts.shown.isEmpty());
        EXPECT_EQ(alerts.shown.last().message, localizedDialogue(QString::fromLatin1(alert)));
        EXPECT_EQ(alerts.shown.last().imageName, QStringLiteral("verifier"));
        EXPECT_EQ(windows.opened, opened);
        EXPECT_DOUBLE_EQ(releves[0].solde.values[0], newest) << "the statements are recomputed first";
    }
}
