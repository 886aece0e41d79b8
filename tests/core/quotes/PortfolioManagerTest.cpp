#include "quotes/PortfolioManager.h"
#include "support/FakeQuoteService.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QTest>
#include <QThread>

#include <gtest/gtest.h>

namespace {

// A bound on the wait, never a pause: a loaded machine running the sanitizers can hold the
// answering thread for seconds.
constexpr int kAnswerBoundMs = 30000;

// A service that breaks the rules: answers from another thread, and twice.
class UnrulyQuoteService : public IQuoteService {
public:
    QThread* worker = nullptr;
    bool isConfigured() const override { return true; }
    void requestQuoteForSymbol(const QString&, const QuoteEndBlock& end, const QuoteFailBlock& fail) override
    {
        worker = QThread::create([end, fail] {
            end(FakeQuoteService::quoteJson(1.5));
            fail(QStringLiteral("late"));
        });
        worker->start();
    }
    void requestHistoryForSymbol(const QString&, double, double, const QuoteEndBlock&, const QuoteFailBlock&) override
    {
    }
};

} // namespace

TEST(PortfolioManager, QuoteIsReadFromQueryResultsQuote)
{
    double cours = -1;
    QString name, currency;
    EXPECT_TRUE(PortfolioManager::getQuoteFromJSON(FakeQuoteService::quoteJson(QStringLiteral("1.0823"), "E", "USD"),
                                                   &cours, &name, &currency));
    EXPECT_DOUBLE_EQ(cours, 1.0823);
    EXPECT_EQ(name + currency, QStringLiteral("EUSD"));

    const QJsonObject noName {{"query",
                               QJsonObject {{"results",
                                             QJsonObject {{"quote",
                                                           QJsonObject {
                                                               {"Currency", "USD"},
                                                               {"PreviousClose", 1.0},
                                                           }}}}}}};
    const QJsonValue failing[] = {FakeQuoteService::quoteJson(QJsonValue::Null), noName,
                                  QJsonObject {{"query", QJsonObject {{"results", QJsonValue::Null}}}},
                                  FakeQuoteService::quoteJson(QStringLiteral("n/a")), QJsonArray {1}};
    for (const QJsonValue& json : failing) {
        EXPECT_FALSE(PortfolioManager::getQuoteFromJSON(json, &cours, &name, &currency));
        EXPECT_TRUE(cours == 0.0 && name.isEmpty() && currency.isEmpty());
    }
}

TEST(PortfolioManager, WithoutAServiceTheFailBlockRunsLater)
{
    int ends = 0, fails = 0, tickers = 0;
    PortfolioManager::sharedInstance().requestQuoteForSymbol(
        QStringLiteral("USDEUR=X"), [&](const QJsonValue&) { ++ends; }, [&](const QString&) { ++fails; });
    PortfolioManager::sharedInstance().updateTickers(nullptr, [&] { ++tickers; });
    EXPECT_EQ(fails + tickers, 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return fails > 0 && tickers > 0; }, kAnswerBoundMs));
    QTest::qWait(10);
    EXPECT_TRUE(ends == 0 && fails == 1 && tickers == 1);
}

TEST(PortfolioManager, AnAnswerIsHeardOnceOnTheMainThread)
{
    UnrulyQuoteService service;
    installQuoteService(&service);
    int calls = 0;
    bool onMain = false;
    PortfolioManager::sharedInstance().requestQuoteForSymbol(
        QStringLiteral("X"),
        [&](const QJsonValue&) {
            ++calls;
            onMain = QThread::currentThread() == QCoreApplication::instance()->thread();
        },
        [&](const QString&) { ++calls; });
    ASSERT_NE(service.worker, nullptr);
    service.worker->wait();
    EXPECT_TRUE(QTest::qWaitFor([&] { return calls > 0; }, kAnswerBoundMs));
    QTest::qWait(10);
    installQuoteService(nullptr);
    delete service.worker;
    EXPECT_EQ(calls, 1);
    EXPECT_TRUE(onMain);
}
