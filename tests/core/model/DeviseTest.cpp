#include "document/DocumentSession.h"
#include "foundation/SystemClock.h"
#include "model/DOCUMENT.h"
#include "model/DeviseFile.h"
#include "support/FakeQuoteService.h"
#include "support/TestEnvironment.h"
#include "support/TestFiles.h"

#include <QTest>

#include <gtest/gtest.h>

namespace {

using testenv::package;

DeviseList loadFile(const QString& name, const QByteArray& xml, bool* error)
{
    const QString path = package(name);
    testenv::writeFile(path + QStringLiteral("/Contents/Resources/devise.xml"), xml);
    *error = false;
    return loadDevise(path, error);
}

QByteArray records(int count)
{
    QByteArray xml("<deviselist>");
    for (int i = 1; i <= count; ++i)
        xml += "<devise><unit>u</unit><convert>" + QByteArray::number(i) + "</convert></devise>";
    return xml + "</deviselist>";
}

bool waitFor(const std::function<bool()>& done)
{
    return QTest::qWaitFor(done, 2000);
}

} // namespace

TEST(Devise, RecordsReadFromTheMemberFile)
{
    bool error = true;
    const DeviseList d = loadFile(QStringLiteral("devread"),
                                  "<deviselist>\n <!-- c --> <devise><unit>€</unit></devise>\n <?pi x?>"
                                  "<devise><unit>€</unit><ticker></ticker></devise><other/>"
                                  "<devise><unit>$</unit><used>0</used><decimale>3</decimale></devise>"
                                  "<devise/><devise/></deviselist>",
                                  &error);
    EXPECT_FALSE(error);
    ASSERT_EQ(d.size(), 5);
    EXPECT_EQ(d[0].ticker, QStringLiteral("EUR"));
    EXPECT_EQ(d[1].ticker, QString()); // a ticker element, even empty, is the ticker
    EXPECT_FALSE(d[2].used);
    EXPECT_EQ(d[2].decimale, 3);
    EXPECT_TRUE(d[3].used);
    EXPECT_DOUBLE_EQ(d[3].convert, 1.0);
}

TEST(Devise, AWrongNumberOfRecordsKeepsWhatWasReadAndSetsTheFlag)
{
    bool error = false;
    const DeviseList four = loadFile(QStringLiteral("dev4"), records(4), &error);
    EXPECT_TRUE(error);
    ASSERT_EQ(four.size(), 5);
    for (int i = 0; i < 4; ++i)
        EXPECT_DOUBLE_EQ(four[i].convert, i + 1.0);
    EXPECT_FALSE(four[4].used);
    EXPECT_EQ(four[4].fullName, Devise::defaultDevises()[4].fullName);

    const DeviseList seven = loadFile(QStringLiteral("dev7"), records(7), &error);
    EXPECT_TRUE(error);
    ASSERT_EQ(seven.size(), 5);
    EXPECT_DOUBLE_EQ(seven[4].convert, 5.0);

    EXPECT_EQ(loadFile(QStringLiteral("devbad"), "not xml", &error).size(), 5);
    EXPECT_TRUE(error);
}

TEST(Devise, SlotsRoundTripThroughThePackage)
{
    DeviseList devises = Devise::defaultDevises();
    devises[1] = Devise {QStringLiteral("Dollar <US> & co"), "$", true, 0.9123456789, 0, 0, "USD", 123456789.25};
    devises[4].used = true;
    devises[4].decimale = 3;
    const QString path = package(QStringLiteral("devround"));
    ASSERT_TRUE(saveDevise(path, devises));

    bool error = false;
    const DeviseList loaded = loadDevise(path, &error);
    EXPECT_FALSE(error);
    ASSERT_EQ(loaded.size(), 5);
    for (int i = 0; i < 5; ++i) {
        const Devise &a = loaded[i], &b = devises[i];
        EXPECT_TRUE(a.fullName == b.fullName && a.unit == b.unit && a.ticker == b.ticker && a.used == b.used
                    && a.decimale == b.decimale && a.updateTime == b.updateTime)
            << i;
        EXPECT_NEAR(a.convert, b.convert, 5e-7) << i;
    }
    EXPECT_EQ(loadDevise(testenv::freshDir(QStringLiteral("devnone")), &error)[0].ticker, QStringLiteral("EUR"));
    EXPECT_FALSE(error);
}

TEST(Devise, FindDeviseWithUnitSkipsSlotsNotInUse)
{
    DeviseList devises = Devise::defaultDevises();
    devises[2].unit = devises[3].unit = QStringLiteral("$");
    devises[3].used = true;
    long index = -1;
    EXPECT_TRUE(Devise::findDeviseWithUnit(devises, QStringLiteral("$"), &index));
    EXPECT_EQ(index, 3);
    devises[3].used = false;
    EXPECT_FALSE(Devise::findDeviseWithUnit(devises, QStringLiteral("$"), &index));
    EXPECT_EQ(index, 5);
}

TEST(Devise, KnownCurrenciesComeFromTheResource)
{
    EXPECT_GT(Devise::getDeviseTickers().size(), 150);
    EXPECT_EQ(Devise::findNameFromTicker(QStringLiteral("USD")), QStringLiteral("Dollar américain"));
    EXPECT_EQ(Devise::findNameFromTicker(QStringLiteral("usd")), QString());
}

class DeviseRefresh : public ::testing::Test {
protected:
    static constexpr double kNow = 700000000.0;
    DOCUMENT doc {QString(), kFileSystemLocal};
    FakeQuoteService service;
    int ends = 0;

    void SetUp() override
    {
        doc.deviseHdl = Devise::defaultDevises();
        const char* tickers[] = {"EUR", "USD", "GBP", "CHF", "JPY"};
        for (int i = 1; i < 5; ++i)
            doc.deviseHdl[i] = Devise {"", "", i < 4, 0.5, 0, 2, tickers[i], 0};
        DocumentSession::adopt(doc);
        SystemClock::setNowForTesting(kNow);
    }
    void TearDown() override
    {
        DocumentSession::close();
        SystemClock::setNowForTesting(std::nullopt);
    }
    Devise::EndBlock countEnd()
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
    Devise::updateDeviseTickers(&doc, countEnd());
    Devise::updateDeviseTicker(QStringLiteral("USD"), &doc, nullptr, countEnd());
    runUntilEnds(2);
    EXPECT_TRUE(service.requested.isEmpty());
}

TEST_F(DeviseRefresh, ChainStoresEachRateAndGoesOnAfterAFailure)
{
    service.answerPrice(QStringLiteral("USDEUR=X"), 0.92);
    service.failWith(QStringLiteral("GBPEUR=X"), QStringLiteral("timeout"));
    service.answerJson(QStringLiteral("CHFEUR=X"), FakeQuoteService::quoteJson(QStringLiteral("1.05")));
    Devise::updateDeviseTickers(&doc, countEnd());
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
        Devise::updateDeviseTickerAtIndex(
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
    Devise::updateDeviseTickerAtIndex(
        1, &doc, [&](double c) { usd = c; }, countEnd());
    Devise::updateDeviseTickerAtIndex(
        2, &doc, [&](double c) { gbp = c; }, countEnd());
    service.release(true);
    runUntilEnds(2);
    EXPECT_DOUBLE_EQ(usd, 0.92);
    EXPECT_DOUBLE_EQ(gbp, 1.17);

    int firstEnds = 0;
    Devise::updateDeviseTickers(&doc, [&] { ++firstEnds; });
    Devise::updateDeviseTickers(&doc, countEnd()); // ignored: ends at once
    EXPECT_EQ(ends, 3);
    while (firstEnds == 0 && waitFor([&] { return service.heldCount() > 0 || firstEnds > 0; }))
        service.release();
    runUntilEnds(3);
    EXPECT_EQ(firstEnds, 1);
    EXPECT_EQ(service.requested.size(), 5);
}

TEST_F(DeviseRefresh, ADocumentNoLongerOpenGetsNoRateAndTheChainEnds)
{
    service.answerPrice(QStringLiteral("USDEUR=X"), 2.0);
    service.hold = true;
    Devise::updateDeviseTickers(&doc, countEnd());
    ASSERT_TRUE(waitFor([&] { return service.heldCount() == 1; }));
    DOCUMENT other(QString(), kFileSystemLocal);
    other.deviseHdl = doc.deviseHdl;
    DocumentSession::adopt(other);
    service.release();
    runUntilEnds(1);
    EXPECT_EQ(service.requested, QStringList {"USDEUR=X"});
    EXPECT_DOUBLE_EQ(doc.deviseHdl[1].convert, 0.5);
    EXPECT_DOUBLE_EQ(other.deviseHdl[1].convert, 0.5);
}
