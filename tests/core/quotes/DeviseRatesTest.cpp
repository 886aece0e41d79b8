// Currency rates and securities' quotes arrive later from the quote service: they are stored only
// into a document that still exists, and every caller hears exactly once.
#include "quotes/DeviseRates.h"

#include "foundation/SystemClock.h"
#include "model/DOCUMENT.h"
#include "quotes/PortfolioManager.h"
#include "support/FakeQuoteService.h"
#include "support/TestFiles.h"

#include <QTest>
#include <gtest/gtest.h>

#include <memory>

namespace {

using testenv::amount;

constexpr double kNow = 800000000.0;
// A bound on the wait, never a pause: the answers come from another thread, which a loaded machine
// running the sanitizers can keep waiting for seconds.
constexpr int kAnswerBoundMs = 30000;
const double kFranc = 0.1524490172374104; // rate of slot 1 in the default currencies

bool waitFor(const std::function<bool()>& done)
{
    return QTest::qWaitFor(done, kAnswerBoundMs);
}

FINANCE named(const QString& nom, long ident)
{
    FINANCE f;
    f.nom = nom;
    f.ident = ident;
    return f;
}

class FinanceQuotes : public ::testing::Test {
protected:
    std::unique_ptr<DOCUMENT> owned = std::make_unique<DOCUMENT>(QString(), kFileSystemLocal);
    DOCUMENT& doc = *owned;
    FakeQuoteService service;
    int ends = 0;

    void SetUp() override
    {
        SystemClock::setNowForTesting(kNow);
        doc.deviseHdl = Devise::defaultDevises(); // slot 0 "EUR", slot 1 francs
    }
    void TearDown() override { SystemClock::setNowForTesting(std::nullopt); }

    FINANCE& addTitre(const QString& nom, long ident, const QString& ticker, const QString& codeDevise)
    {
        FINANCE f = named(nom, ident);
        f.ticker = ticker;
        f.codeDevise = codeDevise;
        return doc.titreHdl[TITRE::insertTitre(f, doc)];
    }
    RateEndBlock counter()
    {
        return [this] { ++ends; };
    }
    // Lets every queued answer and late completion arrive.
    void settle(int expectedEnds)
    {
        EXPECT_TRUE(QTest::qWaitFor([&] { return ends >= expectedEnds; }, kAnswerBoundMs));
        QTest::qWait(20);
    }
};

class DeviseRefresh : public ::testing::Test {
protected:
    std::unique_ptr<DOCUMENT> owned = std::make_unique<DOCUMENT>(QString(), kFileSystemLocal);
    DOCUMENT& doc = *owned;
    FakeQuoteService service;
    int ends = 0;

    void SetUp() override
    {
        doc.deviseHdl = Devise::defaultDevises();
        const char* tickers[] = {"EUR", "USD", "GBP", "CHF", "JPY"};
        for (int i = 1; i < 5; ++i)
            doc.deviseHdl[i] = Devise {"", "", i < 4, 0.5, 0, 2, tickers[i], 0};
        SystemClock::setNowForTesting(kNow);
    }
    void TearDown() override { SystemClock::setNowForTesting(std::nullopt); }
    RateEndBlock countEnd()
    {
        return [this] { ++ends; };
    }
    void runUntilEnds(int n)
    {
        EXPECT_TRUE(waitFor([&] { return ends >= n; }));
        QTest::qWait(10); // nothing more may come
        EXPECT_EQ(ends, n);
    }
};

TEST_F(DeviseRefresh, NoReferenceTickerAsksNothing)
{
    doc.deviseHdl[0].ticker.clear();
    updateDeviseTickers(&doc, countEnd());
    updateDeviseTicker(QStringLiteral("USD"), &doc, nullptr, countEnd());
    runUntilEnds(2);
    EXPECT_TRUE(service.requested.isEmpty());
}

TEST_F(DeviseRefresh, ChainStoresEachRateAndGoesOnAfterAFailure)
{
    service.answerPrice(QStringLiteral("USDEUR=X"), 0.92);
    service.failWith(QStringLiteral("GBPEUR=X"), QStringLiteral("timeout"));
    service.answerJson(QStringLiteral("CHFEUR=X"), FakeQuoteService::quoteJson(QStringLiteral("1.05")));
    updateDeviseTickers(&doc, countEnd());
    runUntilEnds(1);
    EXPECT_EQ(service.requested, (QStringList {"USDEUR=X", "GBPEUR=X", "CHFEUR=X"}));
    EXPECT_DOUBLE_EQ(doc.deviseHdl[1].convert, 0.92);
    EXPECT_DOUBLE_EQ(doc.deviseHdl[1].updateTime, kNow);
    EXPECT_DOUBLE_EQ(doc.deviseHdl[2].convert, 0.5);
    EXPECT_DOUBLE_EQ(doc.deviseHdl[2].updateTime, 0.0);
    EXPECT_DOUBLE_EQ(doc.deviseHdl[3].convert, 1.05);
}

TEST_F(DeviseRefresh, UnusablePricesAreNeverStored)
{
    const QJsonValue prices[] = {0.0, -2.0, QStringLiteral("inf"), QJsonValue::Null};
    for (const QJsonValue& price : prices)
        service.answerJson(QStringLiteral("USDEUR=X"), FakeQuoteService::quoteJson(price));
    int updates = 0;
    for (int i = 0; i < 4; ++i)
        updateDeviseTickerAtIndex(
            1, &doc, [&](double) { ++updates; }, countEnd());
    runUntilEnds(4);
    EXPECT_EQ(updates, 0);
}

TEST_F(DeviseRefresh, OutOfOrderAnswersAndASecondRefreshWhileOneRuns)
{
    service.hold = true;
    for (const char* symbol : {"USDEUR=X", "GBPEUR=X", "USDEUR=X", "GBPEUR=X", "CHFEUR=X"})
        service.answerPrice(QString::fromLatin1(symbol), symbol[0] == 'U' ? 0.92 : 1.17);
    double usd = 0, gbp = 0;
    updateDeviseTickerAtIndex(
        1, &doc, [&](double c) { usd = c; }, countEnd());
    updateDeviseTickerAtIndex(
        2, &doc, [&](double c) { gbp = c; }, countEnd());
    service.release(true);
    runUntilEnds(2);
    EXPECT_DOUBLE_EQ(usd, 0.92);
    EXPECT_DOUBLE_EQ(gbp, 1.17);

    int firstEnds = 0;
    updateDeviseTickers(&doc, [&] { ++firstEnds; });
    updateDeviseTickers(&doc, countEnd()); // ignored: ends at once
    EXPECT_EQ(ends, 3);
    while (firstEnds == 0 && waitFor([&] { return service.heldCount() > 0 || firstEnds > 0; }))
        service.release();
    runUntilEnds(3);
    EXPECT_EQ(firstEnds, 1);
    EXPECT_EQ(service.requested.size(), 5);
}

TEST_F(DeviseRefresh, AClosedDocumentGetsNoRateAndTheChainEnds)
{
    service.answerPrice(QStringLiteral("USDEUR=X"), 2.0);
    service.hold = true;
    updateDeviseTickers(&doc, countEnd());
    ASSERT_TRUE(waitFor([&] { return service.heldCount() == 1; }));
    owned.reset(); // closed: the late rate must reach nothing
    service.release();
    runUntilEnds(1);
    EXPECT_EQ(service.requested, QStringList {"USDEUR=X"});

    // Without a document nothing is asked and the caller still hears.
    updateDeviseTickers(nullptr, countEnd());
    EXPECT_EQ(ends, 2);
}

} // namespace

TEST_F(FinanceQuotes, AQuoteInTheReferenceCurrencyIsStoredWithoutARateRequest)
{
    FINANCE& titre = addTitre("Airbus", 2, "AIR.PA", "EUR");
    setFromReceivedCours(titre, 120, &doc, counter());
    EXPECT_EQ(ends, 1);
    EXPECT_TRUE(service.requested.isEmpty());
    EXPECT_DOUBLE_EQ(titre.cour.values[0], 120);
    EXPECT_NEAR(titre.cour.values[1], 120 / kFranc, 1e-6);
    EXPECT_DOUBLE_EQ(titre.conversion, 1.0);
    EXPECT_DOUBLE_EQ(titre.updateTime, kNow);

    // Without a reference ticker nothing is stored; without a document neither, but the caller hears.
    doc.deviseHdl[0].ticker.clear();
    setFromReceivedCours(titre, 130, &doc, counter());
    setFromReceivedCours(titre, 130, nullptr, counter());
    EXPECT_EQ(ends, 3);
    EXPECT_DOUBLE_EQ(titre.cour.values[0], 120);
}

TEST_F(FinanceQuotes, AForeignQuoteIsWorthTheQuoteTimesTheRateAndEndsOnce)
{
    addTitre("Apple", 2, "AAPL", "USD");
    addTitre("Tesla", 3, "TSLA", "USD");
    service.answerPrice(QStringLiteral("USDEUR=X"), 0.9); // one dollar is worth 0.9 euro
    service.answerPrice(QStringLiteral("USDEUR=X"), 0);
    setFromReceivedCours(doc.titreHdl[0], 200, &doc, counter());
    EXPECT_EQ(ends, 0);
    settle(1);
    EXPECT_EQ(ends, 1);
    const FINANCE& apple = doc.titreHdl[0];
    EXPECT_EQ(service.requested, QStringList {"USDEUR=X"});
    EXPECT_NEAR(apple.cour.values[0], 180, 1e-9);
    EXPECT_NEAR(apple.cour.values[1], 180 / kFranc, 1e-6);
    EXPECT_DOUBLE_EQ(apple.conversion, 0.9);

    // A rate of 0 stores nothing, nor does a rate arriving once the document is gone; the caller
    // hears once each time.
    setFromReceivedCours(doc.titreHdl[1], 300, &doc, counter());
    settle(2);
    EXPECT_TRUE(doc.titreHdl[1].cour.nullMontant());
    EXPECT_EQ(doc.titreHdl[1].conversion, 0.0);
    service.hold = true;
    service.answerPrice(QStringLiteral("USDEUR=X"), 0.9);
    setFromReceivedCours(doc.titreHdl[1], 300, &doc, counter());
    ASSERT_TRUE(QTest::qWaitFor([&] { return service.heldCount() == 1; }, kAnswerBoundMs));
    owned.reset(); // closed: the late rate must reach nothing
    service.release();
    settle(3);
    EXPECT_EQ(ends, 3);
}

TEST_F(FinanceQuotes, UpdatingAllSecuritiesGoesOnAfterAFailureAndEndsOnce)
{
    addTitre("Airbus", 2, "AIR.PA", "");
    addTitre("Apple", 3, "AAPL", "");
    addTitre("Manuel", 4, "", "EUR").cour = amount(50);
    service.failWith(QStringLiteral("AIR.PA"), QStringLiteral("time-out"));
    service.answerJson(QStringLiteral("AAPL"), FakeQuoteService::quoteJson(200, "Apple Inc.", "USD"));
    service.answerPrice(QStringLiteral("USDEUR=X"), 0.9);
    PortfolioManager::sharedInstance().updateTickers(&doc, counter());
    EXPECT_EQ(ends, 0);
    settle(1);
    EXPECT_EQ(ends, 1);
    EXPECT_EQ(service.requested, (QStringList {"AIR.PA", "AAPL", "USDEUR=X"}));
    EXPECT_TRUE(doc.titreHdl[0].cour.nullMontant());
    const FINANCE& apple = doc.titreHdl[1];
    EXPECT_EQ(apple.titreDescription + apple.codeDevise, QStringLiteral("Apple Inc.USD"));
    EXPECT_DOUBLE_EQ(apple.coursNatif, 200);
    EXPECT_NEAR(apple.cour.values[0], 180, 1e-9);
    EXPECT_DOUBLE_EQ(doc.titreHdl[2].cour.values[0], 50);
}

TEST_F(FinanceQuotes, UpdatingAllSecuritiesStopsWhenTheDocumentCloses)
{
    addTitre("Airbus", 2, "AIR.PA", "EUR");
    addTitre("Apple", 3, "AAPL", "USD");
    service.hold = true;
    service.answerJson(QStringLiteral("AIR.PA"), FakeQuoteService::quoteJson(120, "Airbus", "EUR"));
    PortfolioManager::sharedInstance().updateTickers(&doc, counter());
    ASSERT_TRUE(QTest::qWaitFor([&] { return service.heldCount() == 1; }, kAnswerBoundMs));
    owned.reset(); // closed: the late quote must reach nothing, and nothing more is asked
    service.release();
    settle(1);
    EXPECT_EQ(ends, 1);
    EXPECT_EQ(service.requested, QStringList {"AIR.PA"});
}
