// The state an open document brings starts over with each document, and new transactions take
// their date from the user's entry option.
#include "document/DocContext.h"

#include "document/APPLIPARAM.h"
#include "document/DocumentSession.h"
#include "foundation/SystemClock.h"
#include "model/MONTANT.h"

#include <gtest/gtest.h>

namespace {

class DocContextTest : public ::testing::Test {
protected:
    void SetUp() override { SystemClock::setNowForTesting(5000); }
    void TearDown() override
    {
        APPLIPARAM::disposeAppliParam();
        SystemClock::setNowForTesting(std::nullopt);
        DocumentSession::close();
    }
};

} // namespace

TEST_F(DocContextTest, NewTransactsAreDatedByTheEntryOption)
{
    DocContext::instance().lastEnteredDate = 3000;
    APPLIPARAM::loadAppliParam().optionSaisieDate = 0;
    EXPECT_EQ(dateForNewTransact(), 5000);
    APPLIPARAM::loadAppliParam().optionSaisieDate = 1;
    EXPECT_EQ(dateForNewTransact(), 3000);

    // Opening a document restarts the entry date from now.
    transactLibDidOpenDocument();
    EXPECT_EQ(DocContext::instance().lastEnteredDate, 5000);
}

TEST_F(DocContextTest, ClosingForgetsTheCurrencySlotToo)
{
    MONTANT::setCurrentDeviseSlot(3);
    DocContext::instance().lastEnteredDate = 3000;
    DocumentSession::close();
    EXPECT_EQ(MONTANT::currentDeviseSlot(), 0);
    EXPECT_EQ(DocContext::instance().lastEnteredDate, 0);
}
