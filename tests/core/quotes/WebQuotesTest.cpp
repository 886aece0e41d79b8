// The quote service over HTTP against a loopback server, the query texts, dates, answers and the
// ticker list.
#include "quotes/DeviseRates.h"
#include "quotes/PortfolioManager.h"
#include "quotes/WebQuoteService.h"

#include "foundation/dates.h"
#include "model/DOCUMENT.h"
#include "model/FINANCE.h"
#include "support/FakeQuoteService.h"
#include "support/QuoteHttpServer.h"

#include <QJsonArray>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

namespace {

QByteArray quoteBody(const QString& close)
{
    return QJsonDocument(FakeQuoteService::quoteJson(close, QStringLiteral("Acme"), QStringLiteral("EUR"))).toJson();
}

double ymd(long year, long month, long day)
{
    double date = 0;
    dmyToDate(day, month, year, &date);
    return date;
}

} // namespace

TEST(WebQuotes, QueriesAreEncodedAsTheServiceReadsThem)
{
    const struct {
        const char* text;
        const char* clean;
    } cases[] = {
        {"http://h/q?q=a&b='c'*(1),2", "http://h/q?q=a&b='c'*(1),2"},
        {"a b\"c\"-_", "a%20b%22c%22%2D%5F"},
        {"é€", "é%E2%82%AC"}, // letters beyond ASCII stay, symbols don't
        {"%", "%25"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PortfolioManager::cleanPath(QString::fromUtf8(c.text)), QString::fromUtf8(c.clean)) << c.text;

    PortfolioManager& manager = PortfolioManager::sharedInstance();
    manager.setTableStore(QStringLiteral("store://tables"));
    EXPECT_EQ(
        manager.requestQuoteFormat().arg(QStringLiteral("ACME")),
        QStringLiteral("select * from yahoo.finance.quotes where symbol = \"ACME\"&format=json&env=store://tables"));
    manager.setRootPath(QString());
    EXPECT_TRUE(manager.queryUrl(QStringLiteral("x")).isEmpty());
    manager.setRootPath(QStringLiteral("not a url"));
    EXPECT_TRUE(manager.queryUrl(QStringLiteral("x")).isEmpty());
    manager.setRootPath(QString());
    manager.setTableStore(QString());
}

TEST(WebQuotes, DatesCategoriesAndTickers)
{
    EXPECT_EQ(PortfolioManager::formatedDate(ymd(2015, 3, 5)), QStringLiteral("2015-03-05"));
    EXPECT_EQ(PortfolioManager::extractDate(QStringLiteral("2015-3-5")), ymd(2015, 3, 5));
    EXPECT_EQ(PortfolioManager::extractDate(QStringLiteral("2015-03-05")), ymd(2015, 3, 5));
    for (const char* bad : {"2015-03", "2015-03-05-01", "", "2015-13-01", "2015-02-30", "a-b-c"})
        EXPECT_EQ(PortfolioManager::extractDate(QString::fromLatin1(bad)), 0.0) << bad;

    EXPECT_EQ(PortfolioManager::titreCategorieToString(0), QStringLiteral("Manuel"));
    EXPECT_EQ(PortfolioManager::titreCategorieToString(8), QStringLiteral("Manuel"));
    EXPECT_EQ(PortfolioManager::titreCategorieToString(6), QStringLiteral("Action"));

    PortfolioManager& manager = PortfolioManager::sharedInstance();
    ASSERT_GE(manager.tickersArray().size(), 30);
    EXPECT_TRUE(manager.findTickers(QString()).isEmpty());
    const TickerList bySymbol = manager.findTickers(QStringLiteral("acme"));
    ASSERT_EQ(bySymbol.size(), 1);
    EXPECT_EQ(bySymbol[0].symbol, QStringLiteral("ACME.PA"));
    EXPECT_EQ(bySymbol[0].categorie, 6);
    const TickerList byName = manager.findTickers(QStringLiteral("ÉOLIEN"));
    ASSERT_EQ(byName.size(), 1);
    EXPECT_EQ(byName[0].symbol, QStringLiteral("VENT.PA"));
}

TEST(WebQuotes, HistoryArrayIsReadUnderQueryResultsQuote)
{
    const QJsonObject quote {{QStringLiteral("Date"), QStringLiteral("2015-03-05")}};
    const auto answer = [](const QJsonValue& element) {
        return QJsonObject {
            {QStringLiteral("query"), QJsonObject {{QStringLiteral("results"), QJsonObject {{"quote", element}}}}}};
    };
    QJsonArray array;
    EXPECT_TRUE(PortfolioManager::getQuoteArrayFromJSON(answer(QJsonArray {quote, quote}), &array));
    EXPECT_EQ(array.size(), 2);
    EXPECT_FALSE(PortfolioManager::getQuoteArrayFromJSON(answer(quote), &array));
    EXPECT_FALSE(PortfolioManager::getQuoteArrayFromJSON(answer(QJsonValue::Null), &array));
    EXPECT_FALSE(PortfolioManager::getQuoteArrayFromJSON(QJsonValue(), &array));
}

class WebQuoteServiceTest : public ::testing::Test {
protected:
    QuoteHttpServer server;
    WebQuoteService service;
    PortfolioManager& manager = PortfolioManager::sharedInstance();

    void SetUp() override
    {
        ASSERT_TRUE(server.isListening());
        manager.setRootPath(server.rootPath());
        service.setTimeout(300);
        installQuoteService(&service);
    }
    void TearDown() override
    {
        installQuoteService(nullptr);
        manager.setRootPath(QString());
    }

    struct Outcome {
        int ends = 0;
        int fails = 0;
        QJsonValue json;
    };
    Outcome ask(const QString& symbol)
    {
        auto outcome = std::make_shared<Outcome>();
        manager.requestQuoteForSymbol(
            symbol,
            [outcome](const QJsonValue& json) {
                ++outcome->ends;
                outcome->json = json;
            },
            [outcome](const QString&) { ++outcome->fails; });
        EXPECT_TRUE(QTest::qWaitFor([&] { return outcome->ends + outcome->fails > 0; }, 5000));
        QTest::qWait(10);
        return *outcome;
    }
};

TEST_F(WebQuoteServiceTest, EveryAnswerEndsOneBlock)
{
    server.add({QStringLiteral("\"GOOD\""), 200, quoteBody(QStringLiteral("12.5"))});
    server.add({QStringLiteral("\"GONE\""), 404, "{\"error\": \"no such symbol\"}"});
    server.add({QStringLiteral("\"BAD\""), 200, "{ not json"});
    server.add({QStringLiteral("\"NA\""), 200, quoteBody(QStringLiteral("N/A"))});
    server.add({QStringLiteral("\"SLOW\""), 200, QByteArray(), false, true});

    const struct {
        const char* symbol;
        bool ends;
        bool validQuote;
    } cases[] = {
        {"GOOD", true, true}, {"GONE", true, false}, {"BAD", true, false}, {"NA", true, false}, {"SLOW", false, false},
    };
    for (const auto& c : cases) {
        const Outcome outcome = ask(QString::fromLatin1(c.symbol));
        EXPECT_EQ(outcome.ends + outcome.fails, 1) << c.symbol;
        EXPECT_EQ(outcome.ends == 1, c.ends) << c.symbol;
        double cours = 0;
        EXPECT_EQ(PortfolioManager::getQuoteFromJSON(outcome.json, &cours, nullptr, nullptr), c.validQuote) << c.symbol;
    }
    ASSERT_FALSE(server.targets.isEmpty());
    EXPECT_TRUE(
        server.targets[0].contains(QStringLiteral("select * from yahoo.finance.quotes where symbol = \"GOOD\"")));
}

TEST_F(WebQuoteServiceTest, NoAddressOrNoServerFails)
{
    manager.setRootPath(QString());
    EXPECT_EQ(ask(QStringLiteral("GOOD")).fails, 1);
    const quint16 port = server.serverPort();
    server.close();
    manager.setRootPath(QStringLiteral("http://127.0.0.1:%1/q=").arg(port));
    EXPECT_EQ(ask(QStringLiteral("GOOD")).fails, 1);
}

TEST_F(WebQuoteServiceTest, HistoryAsksBetweenTheTwoDates)
{
    server.add(
        {QStringLiteral("historicaldata"), 200, "{\"query\":{\"results\":{\"quote\":[{\"Date\":\"2015-03-05\"}]}}}"});
    int answers = 0;
    manager.requestHistoryForSymbol(
        QString(), 0, 0, [&](const QJsonValue&) { ++answers; }, [&](const QString&) { ++answers; });
    QJsonArray quotes;
    manager.requestHistoryForSymbol(
        QStringLiteral("ACME.PA"), ymd(2015, 2, 5), ymd(2015, 3, 5),
        [&](const QJsonValue& json) {
            ++answers;
            PortfolioManager::getQuoteArrayFromJSON(json, &quotes);
        },
        [&](const QString&) { ++answers; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return answers > 0; }, 5000));
    QTest::qWait(10);
    EXPECT_EQ(answers, 1);
    EXPECT_EQ(quotes.size(), 1);
    ASSERT_EQ(server.targets.size(), 1);
    EXPECT_TRUE(server.targets[0].contains(
        QStringLiteral("symbol = \"ACME.PA\" and startDate = \"2015-02-05\" and endDate = \"2015-03-05\"")));
}

// The timed update of three securities: one fails, one answers "N/A", the last answers only after
// its document closed. Nothing is stored but what a valid quote brings, and nothing after the close.
TEST_F(WebQuoteServiceTest, TimedUpdateSurvivesFailuresAndAClosedDocument)
{
    server.add({QStringLiteral("\"FAIL\""), 500, "{ broken"});
    server.add({QStringLiteral("\"NA\""), 200, quoteBody(QStringLiteral("N/A"))});
    server.add({QStringLiteral("\"LATE\""), 200, quoteBody(QStringLiteral("9")), true});
    auto doc = std::make_unique<DOCUMENT>(QString(), kFileSystemLocal);
    doc->deviseHdl = Devise::defaultDevises();
    const char* tickers[] = {"FAIL", "NA", "LATE"};
    for (long i = 0; i < 3; ++i) {
        FINANCE titre;
        titre.nom = QString::fromLatin1(tickers[i]);
        titre.ident = i + 1;
        titre.ticker = titre.nom;
        titre.coursNatif = 7;
        doc->titreHdl.append(titre);
    }
    int ends = 0;
    manager.updateTickers(doc.get(), [&] { ++ends; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return server.heldCount() == 1; }, 5000));
    for (const FINANCE& titre : doc->titreHdl)
        EXPECT_EQ(titre.coursNatif, 7.0);
    PortfolioManager::goodbye();
    doc.reset();
    server.release();
    QTest::qWait(400);
    EXPECT_EQ(ends, 0);
}

// The currency rates come over the same service: one answer stored, one "N/A" left alone.
TEST_F(WebQuoteServiceTest, CurrencyRatesRefreshOverHttp)
{
    server.add({QStringLiteral("\"USDEUR=X\""), 200, quoteBody(QStringLiteral("0.92"))});
    server.add({QStringLiteral("\"GBPEUR=X\""), 200, quoteBody(QStringLiteral("N/A"))});
    DOCUMENT doc(QString(), kFileSystemLocal);
    doc.deviseHdl = Devise::defaultDevises();
    const char* tickers[] = {"EUR", "USD", "GBP"};
    for (int i = 1; i < 3; ++i)
        doc.deviseHdl[i] = Devise {"", "", true, 0.5, 0, 2, QString::fromLatin1(tickers[i]), 0};
    int ends = 0;
    updateDeviseTickers(&doc, [&] { ++ends; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return ends > 0; }, 5000));
    EXPECT_DOUBLE_EQ(doc.deviseHdl[1].convert, 0.92);
    EXPECT_DOUBLE_EQ(doc.deviseHdl[2].convert, 0.5);
    EXPECT_EQ(server.targets.size(), 2);
}

// A service that goes while its request waits (the program closing) takes the request with it:
// nothing of it stays behind, and the currency refresh it served does not block the next one.
TEST_F(WebQuoteServiceTest, AServiceThatGoesTakesItsWaitingRequestWithIt)
{
    server.add({QStringLiteral("=X\""), 200, QByteArray(), false, true}); // never answered
    DOCUMENT doc(QString(), kFileSystemLocal);
    doc.deviseHdl = Devise::defaultDevises();
    doc.deviseHdl[1] = Devise {"", "", true, 0.5, 0, 2, QStringLiteral("USD"), 0};
    int ends = 0;
    auto going = std::make_unique<WebQuoteService>();
    installQuoteService(going.get());
    updateDeviseTickers(&doc, [&] { ++ends; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return server.targets.size() == 1; }, 5000));
    installQuoteService(&service);
    going.reset();
    QTest::qWait(10);
    updateDeviseTickers(&doc, [&] { ++ends; });
    EXPECT_TRUE(QTest::qWaitFor([&] { return server.targets.size() == 2; }, 5000));
    EXPECT_EQ(ends, 0);
}
